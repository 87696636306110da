#pragma once
// The twelve tournament rounds: track file, round picture, song and course name of each.

constexpr int kTournamentRounds = 12;

struct Tournament_Round {
  const char* track_file;  // relative to the working directory
  const char* picture;
  int song;                // for Play_Song
  const char* name_english;
  const char* name_german;
};

// The row of a round 1..12; any other number gives round 1's.
const Tournament_Round& Tournament_Round_Of(int round);
// The round played after `round` (1, 3, 2, 4, 5, ... 12); 0 after 12; other values unchanged.
int Next_Tournament_Round(int round);

#pragma once
// The online leaderboard file "highscore.txt": exactly 32 lines, a "#VantoRello" marker,
// fifteen name lines (an optional platform digit, "_" for a space), fifteen score lines in
// milliseconds, and the marker again. The game reads it, the web service writes it.
#include <cstddef>
#include <cstdint>
#include <string>

const int kLeaderboardSize = 15;

struct Leaderboard_Entry {
  int32_t score;
  char name[36];
  int32_t platform;  // 0..8
};

// Made-up drivers that fill the table when there are fewer real results.
extern const char* const kDefaultDriverNames[kLeaderboardSize];
// Score of made-up entry k (0-based): 141000 falling by 10000 per place.
int32_t Default_Driver_Score(int k);

enum Leaderboard_Check {
  LEADERBOARD_OK = 0,
  LEADERBOARD_BAD_FIRST_MARKER = 1,
  LEADERBOARD_BAD_LAST_MARKER = 2,
  LEADERBOARD_BAD_LINE_COUNT = 3,
};

// Checks the file's form and, when it is right, fills all fifteen entries.
// Lines are read as the C library's fgets reads them into a 255-byte buffer.
int Parse_Leaderboard(const char* text, size_t size, Leaderboard_Entry entries[kLeaderboardSize]);

// One row of the written table: the name as stored (it normally begins with the
// platform digit the game sends), and the tournament time.
struct Leaderboard_Row {
  std::string player;
  int32_t score;
};

// The 32-line file for up to fifteen rows, fastest first as given; missing places are
// filled with the made-up drivers, slower than the last row. Spaces become "_" and line breaks and other control
// characters are dropped, so a name can never change the file's form.
std::string Write_Leaderboard(const Leaderboard_Row* rows, int count);

// "%02i:%02i\".%02i" minutes, seconds, hundredths of a time in milliseconds.
void Format_Score_Time(long score, char* out, size_t out_size);

#pragma once
// The tournament: the round screen, the loading of a round's track, the disqualification
// screen and the books the main loop keeps after each round.

// The round screen of the coming round; with track_ready 0 it says that the round's track
// cannot be loaded and the tournament ends instead of naming the requirement.
void Run_Tournament_Intro(int track_ready = 1);
void Run_Disqualified_Screen();

// Before a round: loads its track and shows the round screen. A track that cannot be
// loaded ends the tournament (no race); returns 1 when the race is ready.
int Prepare_Tournament_Round();
// After a round's race: a finish in place 10 or better is submitted, counted and followed
// by the next round (after the twelfth: the result, the leaderboard, the ending); anything else
// disqualifies. Nothing happens when no tournament runs.
void Finish_Tournament_Round();

#pragma once
// The online leaderboard: fifteen drivers with their tournament time and platform, fetched
// from the web service, and the screen that shows them.
#include "common/formats/leaderboard_file.h"

extern Leaderboard_Entry leaderboard[kLeaderboardSize];
extern int banner_x;      // the scrolling banner's left edge
extern int banner_phase;  // 0 or 1, which of the two banner pictures is drawn

// Fills the table: the made-up drivers, replaced by the downloaded "HighScore.txt" when it
// is well formed, or by "No Internet Connection" when the download failed.
void Load_Leaderboard();
// Runs the screen until Escape, Space, 4, 5, 6 or a joystick button.
void Run_Leaderboard_Screen();
// Draws and presents one frame.
void Draw_Leaderboard();

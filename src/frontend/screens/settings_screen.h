#pragma once
// The settings screen: language, window or full screen, CRT filter, driver name, window
// size, scaling; saved when it is left.
#include <SDL/SDL.h>

constexpr int kNameRow = 3;
constexpr int kWindowSizeRow = 4;
constexpr int kScalingRow = 5;
constexpr int kSaveRow = 6;
// 0 language, 1 screen mode, 2 filter, 3 name, 4 window size, 5 scaling, 6 save and exit
extern int settings_row;
extern bool settings_active;

// Runs the screen until it is left, then writes the settings file.
void Run_Settings_Screen();
// Acts on the current row.
void Apply_Setting();
// Handles one event of the settings screen.
void Handle_Settings_Event(const SDL_Event& event);
// The heading and value texts of the current row.
const char* Settings_Heading(int row);
const char* Settings_Value(int row);
// Draws the scanline overlay over the finished screen when the CRT filter is on.
void Draw_Crt_Filter();

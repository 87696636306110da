#pragma once
// The constructor screen: scenario, car, difficulty and the generator parameters on a
// 3 x 4 grid, "Build Track", and the result screen with the track's statistics.
#include <SDL/SDL.h>

extern int constructor_cursor;   // field 1..12, kept between visits
extern bool constructor_active;
extern int result_selection;     // 1 cancel, 2 start game, 3 save track; kept between visits
extern bool result_active;
extern bool track_saved_notice;  // the track on show has been saved

void Run_Constructor();
void Constructor_Select();
void Constructor_Value_Up();
void Constructor_Value_Down();
void Handle_Constructor_Event(const SDL_Event& event);
void Draw_Constructor();

void Run_Track_Result();
void Handle_Track_Result_Event(const SDL_Event& event);
void Draw_Track_Result();
void Draw_Track_Statistics();

#pragma once
// The main menu: twelve picture entries in a 3 x 4 grid with a blinking cursor.
#include <SDL/SDL.h>

extern bool menu_active;
extern int menu_selection;  // 1..12, kept between visits
extern int cursor_frame_count;
extern int cursor_phase;    // 0 or 1
extern int game_mode;       // 0 single player, 1 tournament, 2 multiplayer
extern int gearbox;         // 0 automatic

// Runs the menu until a race is started or the player quits.
void Run_Main_Menu();
// Draws and presents one frame of the menu.
void Draw_Main_Menu();
// Acts on the highlighted entry.
void Activate_Menu_Entry();
// Ends the menu so that the main loop starts a race (or the tournament).
void Start_Game();
// Switches between window and full screen; only the active flag changes, not the settings file.
void Toggle_Fullscreen();
// Handles one event of the menu loop.
void Handle_Menu_Event(const SDL_Event& event);

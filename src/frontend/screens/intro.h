#pragma once
// The intro at start-up (logos, credits, title) and the inputs that end it and the ending.
#include <SDL/SDL.h>

// Wall-clock milliseconds, cut to 32 bits; differences stay right across the wrap.
extern int intro_start;
extern int intro_elapsed;

// Plays the intro until the player ends it, then frees its pictures.
void Run_Intro();
// Draws and presents the intro picture of the current elapsed time.
void Draw_Intro_Frame();
void Draw_Logos();
void Draw_Credits();
void Draw_Title();

// Now on that clock.
int Intro_Clock();
// 1 for an event that ends the intro or the ending: the left mouse button, any joystick
// button, the mapped select or cancel key, Escape, 5 or Space.
int Ends_Title_Screen(const SDL_Event& event);

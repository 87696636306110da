#pragma once
#include <SDL/SDL.h>
// Start-up, shutdown and the main loop of the program.

// Creates "TRK" when it is missing.
void Ensure_Track_Directory();
// Chooses SDL's software presentation unless SDL_FRAMEBUFFER_ACCELERATION or
// SDL_RENDER_DRIVER are set already.
void Prefer_Software_Presentation();
// Initialises SDL, the mixer, the settings, the video mode and the global resources.
void Start_Up();
// Releases the global resources; registered with atexit by Start_Up.
void Shut_Down();
// Runs the main loop until the player quits.
void Main_Loop();
// The whole program: start-up, game object, main loop, end. Returns the exit code.
int Game_Main();
// Opens the 640x480x16 video mode, full screen or windowed.
SDL_Surface* Open_Video_Mode(int fullscreen);

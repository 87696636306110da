#pragma once
#include <SDL/SDL.h>

#include "core/loop/options.h"
// Start-up, shutdown and the main loop of the program.

// Chooses the folders (common/game_folders.h) and prints each that failed. Installed, the
// player's folder becomes the working directory, so whatever the game writes lands there,
// and the start-up line names the folders. 0 when no folder can be used.
int Settle_Game_Folders();
// Creates "TRK" when it is missing.
void Ensure_Track_Directory();
// Chooses SDL's software presentation unless SDL_FRAMEBUFFER_ACCELERATION or
// SDL_RENDER_DRIVER are set already.
void Prefer_Software_Presentation();
// Reads the settings, initialises SDL and the mixer, opens the display (the options override
// the saved screen mode and window size for this run) and loads the global resources.
void Start_Up(const LaunchOptions& options = LaunchOptions{});
// Releases the global resources; registered with atexit by Start_Up.
void Shut_Down();
// Runs the main loop until the player quits.
void Main_Loop();
// The whole program: options, start-up, game object, main loop, end. Returns the exit code.
int Game_Main(int argc = 0, const char* const* argv = nullptr);

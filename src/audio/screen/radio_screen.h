#pragma once
// The radio screen: pick the song for the race and the engine volume.
#include <SDL/SDL.h>

extern bool radio_active;

// Starts the coming race's default song and runs the screen until it is left.
void Run_Radio_Screen();
// Handles one event of the radio screen.
void Handle_Radio_Event(const SDL_Event& event);
// The word shown for an engine level: "Loud", "Normal", "Soft", "Almost silent", "Silent".
const char* Engine_Level_Word(int level);

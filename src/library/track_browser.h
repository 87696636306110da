#pragma once
// The track browser screen: the list's tracks on the world map, local or cloud.
#include <SDL/SDL.h>

// Runs the screen until the player leaves or starts a track; a started track leaves the
// race ready with customTrack set.
void Run_Track_Browser();
// Draws and presents one frame.
void Draw_Track_Browser();
// Handles one event of the screen.
void Handle_Browser_Event(const SDL_Event& event);

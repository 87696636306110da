#pragma once
// The exhibition: the car drives itself on freshly generated tracks, with captions over
// the picture, until the viewer presses Escape, Enter or Space.
#include <SDL/SDL.h>

// The loop's own wrapper of the canvas pixels; null outside a visit.
extern SDL_Surface* exhibitionSurface;

// A generated track of the type with its objects; the radio plays the type's song of the
// rotation.
void Build_Exhibition_Track(int track_type);
// The four caption lines, and a fifth slot that is not shown.
void Fill_Exhibition_Captions();
// The autopilot's steering for this frame: keeps the lateral band 250..350, moves right
// for a moving vehicle just ahead in the player's lane, always accelerates.
void Exhibition_Autopilot();

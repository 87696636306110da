#pragma once
// The race screen: the fly-in, the input table and the presented frames.
#include <SDL/SDL.h>

// One race frame on the display: update and scene, weather, gauges, banners, score, flip.
void Present_Race_Frame();
// A fly-in frame: the scene without updates, the dial and the icons.
void Present_Intro_Frame();
// One race-phase event; returns 0 when the race screen is to be left.
int Handle_Race_Event(const SDL_Event& event);

// Sizes the view, marks the timer's second and draws one frame into the canvas unseen.
void Prepare_First_Frame();
// After a race: road destroyed, object sprites released, sound halted, race fields zeroed.
void Clear_Race();

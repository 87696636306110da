#pragma once
// The race screen: the fly-in, the input table and the presented frames.
#include <SDL/SDL.h>

#include <cstddef>

// One race frame on the display: update and scene, weather, gauges, banners, score, flip.
void Present_Race_Frame();
// A fly-in frame: the scene without updates, the dial and the icons.
void Present_Intro_Frame();
// The line shown once the race has ended: the key that leaves the race screen in that state
// (the continue key after a finish, with the place and time; the abort key after a game
// over), in the game's language. Empty while the race runs.
void Race_End_Hint(char* out, size_t size);
constexpr int kRaceEndHintY = 148;  // its row on the screen, centred
constexpr int kRaceEndHintFont = 5;
constexpr int kRaceEndHintPad = 10;  // black band beyond the text on either side
// One race-phase event; returns 0 when the race screen is to be left.
int Handle_Race_Event(const SDL_Event& event);

// Sizes the view, marks the timer's second and draws one frame into the canvas unseen.
void Prepare_First_Frame();
// After a race: road destroyed, object sprites released, sound halted, race fields zeroed.
void Clear_Race();

#pragma once
// Game pads. A common pad opened in sdl12-compat's controller layout (its buttons numbered
// South, East, West, North, Back, Guide, Start, ...) works without a mapping: South
// accelerates, East brakes, Start selects, Back cancels. Every screen reads its events through
// Poll_Event, which turns the D-pad (a hat, or the layout's D-pad buttons) into the cursor
// keys and the layout's Back into Escape, so a pad reaches everything the keyboard reaches.
#include <SDL/SDL.h>

#include <cstdint>

#include "frontend/graphics/config.h"

enum PadButton {
  kPadSouth = 0, kPadEast = 1, kPadWest = 2, kPadNorth = 3, kPadBack = 4, kPadGuide = 5, kPadStart = 6,
  kPadLeftShoulder = 9, kPadRightShoulder = 10, kPadUp = 11, kPadDown = 12, kPadLeft = 13, kPadRight = 14
};

// Key events made from pad input carry this in key.which (the keyboard's own are 0).
constexpr Uint8 kPadKeyboard = 1;

extern uint8_t padLayout;  // 1 when joystick 0 speaks the controller layout

// 1 when the joystick assignments are not the defaults, i.e. a mapping was saved.
int Joystick_Mapping_Saved(const MappedInputs& inputs);
// The joystick assignments of the controller layout (key assignments untouched).
void Use_Pad_Layout_Inputs(MappedInputs& inputs);
// 1 when the joystick assignments are exactly the layout's.
int Has_Pad_Layout_Inputs(const MappedInputs& inputs);
// Before SDL_Init: asks sdl12-compat for the controller layout when no mapping was saved
// (or the saved one was made in that layout) and the environment does not say otherwise.
void Prepare_Pad_Layout();
// After SDL_Init: opens joystick 0 (`joystick`, `hasJoystick`). A pad the layout does not
// know is opened as a plain joystick instead. In the layout, the unmapped inputs become the
// layout's.
void Open_Pad();

// SDL_PollEvent with the pad's D-pad as cursor keys and its Back as Escape.
int Poll_Event(SDL_Event* event);
// The D-pad directions held now, as SDL_HAT_* bits.
int Pad_Directions_Held();
// Forgets the D-pad state kept between events (a new screen test, a new joystick).
void Reset_Pad_State();

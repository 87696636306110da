// Game pads: choosing the controller layout, opening the pad, and its events as keys.
#include "frontend/graphics/pad.h"

#include <cstdlib>
#include <cstring>

#include "core/state/game.h"
#include "frontend/graphics/display_settings.h"

uint8_t padLayout = 0;

namespace {

constexpr const char* kLayoutVariable = "SDL12COMPAT_USE_GAME_CONTROLLERS";
bool layout_asked_by_us = false;

// Events made from one pad event wait here for the next polls.
SDL_Event pending[4];
int pending_count = 0;
Uint8 hat_held = SDL_HAT_CENTERED;

struct Direction {
  Uint8 hat_bit;
  int button;
  SDLKey key;
};
constexpr Direction kDirections[] = {{SDL_HAT_UP, kPadUp, SDLK_UP},
                                     {SDL_HAT_DOWN, kPadDown, SDLK_DOWN},
                                     {SDL_HAT_LEFT, kPadLeft, SDLK_LEFT},
                                     {SDL_HAT_RIGHT, kPadRight, SDLK_RIGHT}};

SDL_Event Pad_Key(SDLKey key, bool down) {
  SDL_Event event{};
  event.type = event.key.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.which = kPadKeyboard;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = key;
  return event;
}

void Queue(const SDL_Event& event) {
  if (pending_count < 4) pending[pending_count++] = event;
}

// Hat 0: one key event per direction that changed, releases first.
void Queue_Hat(Uint8 value) {
  for (const Direction& d : kDirections)
    if ((hat_held & d.hat_bit) && !(value & d.hat_bit)) Queue(Pad_Key(d.key, false));
  for (const Direction& d : kDirections)
    if (!(hat_held & d.hat_bit) && (value & d.hat_bit)) Queue(Pad_Key(d.key, true));
  hat_held = value;
}

// The event as the screens should see it; false when it was turned into queued keys.
bool Translate(SDL_Event& event) {
  if (event.type == SDL_JOYHATMOTION) {
    if (event.jhat.hat != 0) return true;
    Queue_Hat(event.jhat.value);
    return false;
  }
  if (!padLayout || (event.type != SDL_JOYBUTTONDOWN && event.type != SDL_JOYBUTTONUP)) return true;
  const bool down = event.type == SDL_JOYBUTTONDOWN;
  if (event.jbutton.button == kPadBack) {
    event = Pad_Key(SDLK_ESCAPE, down);
    return true;
  }
  for (const Direction& d : kDirections)
    if (event.jbutton.button == d.button) {
      event = Pad_Key(d.key, down);
      return true;
    }
  return true;
}

bool Take_Pending(SDL_Event* event) {
  if (pending_count == 0) return false;
  *event = pending[0];
  std::memmove(pending, pending + 1, sizeof(SDL_Event) * (--pending_count));
  return true;
}

}  // namespace

int Joystick_Mapping_Saved(const MappedInputs& inputs) {
  const MappedInputs defaults = Default_Inputs();
  return inputs.joy_accelerate != defaults.joy_accelerate || inputs.joy_brake != defaults.joy_brake ||
         inputs.joy_left != defaults.joy_left || inputs.joy_right != defaults.joy_right ||
         inputs.joy_select != defaults.joy_select || inputs.joy_cancel != defaults.joy_cancel ||
         inputs.joy_vrcs_plus != defaults.joy_vrcs_plus || inputs.joy_vrcs_minus != defaults.joy_vrcs_minus;
}

void Use_Pad_Layout_Inputs(MappedInputs& inputs) {
  inputs.joy_accelerate = kPadSouth;
  inputs.joy_brake = kPadEast;
  inputs.joy_left = 255;  // the left stick
  inputs.joy_right = 255;
  inputs.joy_select = kPadStart;
  inputs.joy_cancel = kPadBack;
  inputs.joy_vrcs_plus = kPadRightShoulder;
  inputs.joy_vrcs_minus = kPadLeftShoulder;
}

int Has_Pad_Layout_Inputs(const MappedInputs& inputs) {
  MappedInputs layout = inputs;
  Use_Pad_Layout_Inputs(layout);
  return std::memcmp(&layout, &inputs, sizeof inputs) == 0;
}

void Prepare_Pad_Layout() {
  layout_asked_by_us = false;
  if (std::getenv(kLayoutVariable)) return;  // the player's own choice stands
  if (Joystick_Mapping_Saved(mapped) && !display.pad_layout_mapped) return;
  setenv(kLayoutVariable, "1", 1);
  layout_asked_by_us = true;
}

void Open_Pad() {
  Reset_Pad_State();
  const char* asked = std::getenv(kLayoutVariable);
  padLayout = asked && std::atoi(asked) != 0;
  if (SDL_NumJoysticks() < 1 && padLayout && layout_asked_by_us) {
    // The layout lists only pads SDL knows; any other joystick is offered as it is.
    unsetenv(kLayoutVariable);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    padLayout = 0;
  }
  joystick = SDL_NumJoysticks() >= 1 ? SDL_JoystickOpen(0) : nullptr;
  hasJoystick = joystick ? 1 : 0;
  if (!joystick) padLayout = 0;
  if (joystick) SDL_JoystickEventState(SDL_ENABLE);
  if (padLayout && !Joystick_Mapping_Saved(mapped)) Use_Pad_Layout_Inputs(mapped);
}

int Poll_Event(SDL_Event* event) {
  for (;;) {
    if (Take_Pending(event)) return 1;
    if (!SDL_PollEvent(event)) return 0;
    if (Translate(*event)) return 1;
  }
}

int Pad_Directions_Held() {
  if (!joystick) return SDL_HAT_CENTERED;
  int held = SDL_JoystickNumHats(joystick) > 0 ? SDL_JoystickGetHat(joystick, 0) : SDL_HAT_CENTERED;
  if (padLayout)
    for (const Direction& d : kDirections)
      if (d.button < SDL_JoystickNumButtons(joystick) && SDL_JoystickGetButton(joystick, d.button)) held |= d.hat_bit;
  return held;
}

void Reset_Pad_State() {
  pending_count = 0;
  hat_held = SDL_HAT_CENTERED;
}

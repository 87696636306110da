#include "frontend/screens/text_entry.h"

#include <cstring>
#include <string>

#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/pad.h"

namespace {
enum Outcome { kTyping, kKept, kCancelled };

Outcome Handle_Key(const Text_Entry& entry, const SDL_keysym& key) {
  size_t length = std::strlen(entry.text);
  switch (key.sym) {
    case SDLK_ESCAPE: return kCancelled;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return entry.acceptable(entry.text) ? kKept : kTyping;
    case SDLK_BACKSPACE:
      if (length > 0) entry.text[length - 1] = '\0';
      return kTyping;
    case SDLK_F12:
    case SDLK_PRINT: theGame->Take_Screenshot(); return kTyping;
    default: break;
  }
  int c = Typed_Character(key);
  if (c && entry.allowed(c) && static_cast<int>(length) + 1 < entry.size) {
    entry.text[length] = static_cast<char>(c);
    entry.text[length + 1] = '\0';
  }
  return kTyping;
}
}  // namespace

int Typed_Character(const SDL_keysym& key) {
  if (key.unicode > 0 && key.unicode < 128) return key.unicode;
  bool shift = (key.mod & KMOD_SHIFT) != 0;
  if (key.sym >= SDLK_a && key.sym <= SDLK_z) return (shift ? 'A' : 'a') + (key.sym - SDLK_a);
  if (key.sym >= SDLK_0 && key.sym <= SDLK_9 && !shift) return '0' + (key.sym - SDLK_0);
  if (key.sym == SDLK_SPACE) return ' ';
  if (key.sym == SDLK_MINUS) return shift ? '_' : '-';
  if (key.sym == SDLK_PERIOD && !shift) return '.';
  return 0;
}

// A pad cannot type: its select button keeps an acceptable text, any other cancels.
Outcome Handle_Button(const Text_Entry& entry, int button) {
  if (button == mapped.joy_select) return entry.acceptable(entry.text) ? kKept : kTyping;
  return kCancelled;
}

int Run_Text_Entry(const Text_Entry& entry) {
  std::string before = entry.text;
  int unicode_was = SDL_EnableUNICODE(1);
  Outcome outcome = kTyping;
  while (outcome == kTyping) {
    Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(SCREEN_TEXT_ENTRY);
    SDL_Event event;
    while (outcome == kTyping && Poll_Event(&event))
      if (event.type == SDL_KEYDOWN) outcome = Handle_Key(entry, event.key.keysym);
      else if (event.type == SDL_JOYBUTTONDOWN) outcome = Handle_Button(entry, event.jbutton.button);
    if (outcome != kTyping) break;
    std::string shown = std::string(entry.text) + "_";
    entry.draw(shown.c_str());
    Uint32 spent = SDL_GetTicks() - start;
    if (spent < 50) SDL_Delay(50 - spent);
  }
  SDL_EnableUNICODE(unicode_was);
  if (outcome == kCancelled) {
    std::strncpy(entry.text, before.c_str(), entry.size - 1);
    entry.text[entry.size - 1] = '\0';
  }
  return outcome == kKept ? 1 : 0;
}

#pragma once
// A line of text typed on a screen of its own: allowed characters, Backspace, Return keeps,
// Escape cancels; a pad's select button keeps, its other buttons cancel.
#include <SDL/SDL.h>

struct Text_Entry {
  char* text;                          // edited in place, always terminated
  int size;                            // bytes of text, terminator included
  int (*allowed)(int c);               // 1 for a character that may be typed
  int (*acceptable)(const char* text); // Return ends only when this gives 1
  void (*draw)(const char* shown);     // draws and presents one frame
};

// Runs until Return (with an acceptable text: returns 1) or Escape (returns 0; the text is
// then back as it was).
int Run_Text_Entry(const Text_Entry& entry);
// The character a key event types, or 0.
int Typed_Character(const SDL_keysym& key);

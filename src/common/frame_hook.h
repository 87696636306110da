#pragma once
// A function every screen loop calls once per frame, before it reads its events.
// Null in the game; tests set it to feed input to the screen that is running.

enum Screen_Id {
  SCREEN_MENU = 1,
  SCREEN_SETTINGS = 2,
  SCREEN_RADIO = 3,
  SCREEN_RACE = 4,
};

extern void (*frameHook)(int screen_id);

inline void Call_Frame_Hook(int screen_id) {
  if (frameHook) frameHook(screen_id);
}

#pragma once
// A function every screen loop calls once per frame, before it reads its events.
// Null in the game; tests set it to feed input to the screen that is running.

enum Screen_Id {
  SCREEN_MENU = 1,
  SCREEN_SETTINGS = 2,
  SCREEN_RADIO = 3,
  SCREEN_RACE = 4,
  SCREEN_CONSTRUCTOR = 5,
  SCREEN_TRACK_RESULT = 6,
  SCREEN_LEADERBOARD = 7,
  SCREEN_TRACK_BROWSER = 8,
  SCREEN_TOURNAMENT_INTRO = 9,
  SCREEN_DISQUALIFIED = 10,
  SCREEN_UPDATE_NOTICE = 11,
  SCREEN_LIVE_UPDATE = 12,
  SCREEN_INPUT_SETTINGS = 13,
  SCREEN_INTRO = 14,
  SCREEN_ENDING = 15,
  SCREEN_EXHIBITION = 16,
  SCREEN_TEXT_ENTRY = 17,
};

extern void (*frameHook)(int screen_id);

inline void Call_Frame_Hook(int screen_id) {
  if (frameHook) frameHook(screen_id);
}

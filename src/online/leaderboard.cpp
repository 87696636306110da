#include "online/leaderboard.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cstdio>
#include <string>

#include "audio/playback/sound.h"
#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/pad.h"
#include "frontend/screens/present_screen.h"
#include "frontend/screens/settings_screen.h"
#include "online/network.h"

Leaderboard_Entry leaderboard[kLeaderboardSize] = {};
int banner_x = 640;
int banner_phase = 0;

namespace {

const char* const kIconFiles[9] = {"GFX/os_unk.bmp", "GFX/os_aos.bmp", "GFX/os_mos.bmp",
                                   "GFX/os_win.bmp", "GFX/os_lux.bmp", "GFX/os_osx.bmp",
                                   "GFX/os_rpi.bmp", "GFX/os_pan.bmp", "GFX/os_gcw.bmp"};
const size_t kFileLimit = 1 << 20;

SDL_Surface* background = nullptr;
SDL_Surface* banner[2] = {};
SDL_Surface* icons[9] = {};
bool leaderboard_active = false;

void Fill_Made_Up_Drivers() {
  for (int k = 0; k < kLeaderboardSize; ++k) {
    std::snprintf(leaderboard[k].name, sizeof leaderboard[k].name, "%s", kDefaultDriverNames[k]);
    leaderboard[k].score = Default_Driver_Score(k);
  }
}

void Fill_No_Connection() {
  for (Leaderboard_Entry& entry : leaderboard) {
    std::snprintf(entry.name, sizeof entry.name, "No Internet Connection");
    entry.score = 100000;
    entry.platform = 0;
  }
}

int Download_Leaderboard() {
  int status = Init_Network();
  int ok = status == 0 && Http_Get("highscore.txt", "HighScore.txt");
  if (status != 1) Close_Network();
  return ok;
}

// Reads the stored file; 0 when it cannot be opened (or is far too big to be one).
int Read_Stored_File(std::string* text) {
  FILE* file = std::fopen("HighScore.txt", "rb");
  if (!file) return 0;
  char block[4096];
  size_t got;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0 && text->size() <= kFileLimit) text->append(block, got);
  std::fclose(file);
  return 1;
}

void Report(int check) {
  switch (check) {
    case LEADERBOARD_BAD_FIRST_MARKER: std::printf("Error wrong Online ScoreFile 1!\n"); break;
    case LEADERBOARD_BAD_LAST_MARKER: std::printf("Error wrong Online ScoreFile 2!\n"); break;
    case LEADERBOARD_BAD_LINE_COUNT: std::printf("Error: Corrupted Online File!\n"); break;
  }
}

void Leave() { leaderboard_active = false; }

void Handle_Event(const SDL_Event& event) {
  if (event.type == SDL_JOYBUTTONDOWN) Leave();
  if (event.type == SDL_QUIT) {
    // The menu behind this screen handles the window's close.
    SDL_Event again = event;
    SDL_PushEvent(&again);
    Leave();
  }
  if (event.type != SDL_KEYDOWN) return;
  switch (event.key.keysym.sym) {
    case SDLK_ESCAPE:
    case SDLK_SPACE:
    case SDLK_4:
    case SDLK_5:
    case SDLK_6: Leave(); break;
    case SDLK_F12:
    case SDLK_PRINT: theGame->Take_Screenshot(); break;
    default: break;
  }
}

void Load_Pictures() {
  background = Load_Sprites("GFX/HighScore.bmp", 0);
  banner[0] = Load_Sprites("GFX/hs_01.bmp", 1);
  banner[1] = Load_Sprites("GFX/hs_02.bmp", 1);
  for (int i = 0; i < 9; ++i) icons[i] = Load_Sprites(kIconFiles[i], 1);
}

void Free_Pictures() {
  for (SDL_Surface*& icon : icons) {
    SDL_FreeSurface(icon);
    icon = nullptr;
  }
  for (SDL_Surface* picture : {background, banner[0], banner[1]}) SDL_FreeSurface(picture);
  background = banner[0] = banner[1] = nullptr;
}

void Draw_Entry(int k, int y) {
  const Leaderboard_Entry& entry = leaderboard[k];
  char place[8], time[32];
  std::snprintf(place, sizeof place, "%02d.", k + 1);
  Format_Score_Time(entry.score, time, sizeof time);
  Draw_Text(31, y + 1, place, 6, 6);
  Draw_Text(30, y, place, 3, 6);
  Draw_Text(81, y + 1, time, 6, 6);
  Draw_Text(80, y, time, 5, 6);
  Draw_Text(222, y + 2, entry.name, 6, 6);
  Draw_Text(220, y, entry.name, 4, 6);
  if (entry.platform >= 0 && entry.platform <= 8) Draw_Image(5, static_cast<Sint16>(y - 2), icons[entry.platform]);
}

}  // namespace

void Load_Leaderboard() {
  Fill_Made_Up_Drivers();
  if (!Download_Leaderboard()) {
    Fill_No_Connection();
    return;
  }
  std::string text;
  if (!Read_Stored_File(&text)) return;
  Leaderboard_Entry parsed[kLeaderboardSize];
  int check = Parse_Leaderboard(text.data(), text.size(), parsed);
  Report(check);
  if (check != LEADERBOARD_OK) return;
  for (int k = 0; k < kLeaderboardSize; ++k) leaderboard[k] = parsed[k];
}

void Draw_Leaderboard() {
  Draw_Image(0, 0, background);
  banner_x -= 4;
  if (banner_x < -300) banner_x = 640;
  Draw_Image(static_cast<Sint16>(banner_x), 80, banner[banner_phase == 1 ? 1 : 0]);
  banner_phase = banner_phase == 1 ? 0 : 1;
  Draw_Text(-1, 20, "Quindral Online", 6, 5);
  Draw_Text(-2, 19, "Quindral Online", 4, 5);
  Draw_Text(-1, 50, "LEADERBOARD", 6, 5);
  Draw_Text(-2, 49, "LEADERBOARD", 3, 5);
  for (int k = 0; k < kLeaderboardSize; ++k) Draw_Entry(k, 165 + 20 * k);
  Draw_Crt_Filter();
  Present_Screen(screen);
}

void Run_Leaderboard_Screen() {
  banner_x = 640;
  banner_phase = 0;
  Load_Leaderboard();
  Load_Pictures();
  music_score = Load_Music("SFX/score.ogg");
  Stop_Music();
  Play_Score_Music();
  leaderboard_active = true;
  while (leaderboard_active) {
    Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(SCREEN_LEADERBOARD);
    SDL_Event event;
    while (leaderboard_active && Poll_Event(&event)) Handle_Event(event);
    Draw_Leaderboard();
    Uint32 spent = SDL_GetTicks() - start;
    if (spent < 25) SDL_Delay(25 - spent);
  }
  Stop_Music();
  Mix_FreeMusic(music_score);
  music_score = nullptr;
  Free_Pictures();
}

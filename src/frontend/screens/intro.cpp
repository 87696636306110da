#include "frontend/screens/intro.h"

#include <SDL/SDL_ttf.h>

#include <algorithm>
#include <cstdint>

#include "audio/playback/sound.h"
#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/pad.h"
#include "frontend/graphics/player_name.h"
#include "frontend/screens/present_screen.h"
#include "frontend/screens/settings_screen.h"

int intro_start = 0;
int intro_elapsed = 0;

namespace {

constexpr Uint32 kFrameMs = 50;
constexpr int kLogosEnd = 8000;
constexpr int kCreditsEnd = 14000;

struct Flash_Window {
  int from, to;
};
const Flash_Window kFlashWindows[6] = {{501, 799},   {1501, 1799}, {3501, 3799},
                                       {4501, 4799}, {6501, 6799}, {7501, 7799}};

struct Credit_Line {
  int from;
  const char* text;
  int x, y, colour;
};
// Role labels in colour 1, names in colour 0, each line from its time on.
const Credit_Line kCredits[9] = {
    {8501, "Idea & Development:", 50, 150, 1},   {9001, "Marvik", 330, 150, 0},
    {9501, "Music & Sounds:", 50, 180, 1},       {10001, "Ilsabet", 330, 180, 0},
    {10501, "Layout & Pixelhelp:", 50, 210, 1},  {11001, "Corvan", 330, 210, 0},
    {11501, "Beta-Test Rellobox:", 50, 380, 1},  {12001, "Orlen", 330, 380, 0},
    {12501, "Tessarine", 330, 410, 0},
};

// Text drawn twice, two pixels apart: the shadow in colour 2, the text in colour 4.
void Draw_Shadowed(int x, int y, const char* text) {
  Draw_Text(x + 2, y + 2, text, 2, 0);
  Draw_Text(x, y, text, 4, 0);
}

int Title_Font_Width(const char* text) {
  int width = 0, height = 0;
  if (ttf_fonts[0]) TTF_SizeUTF8(ttf_fonts[0], text, &width, &height);
  return width;
}

// The names stand at x 330, or right of the widest role label when the font reaches that far.
int Name_Column() {
  int right = 0;
  for (const Credit_Line& line : kCredits)
    if (line.colour == 1) right = std::max(right, line.x + Title_Font_Width(line.text));
  return std::max(330, right + 12);
}

// Phases by elapsed milliseconds: logos up to 8000, credits to 14000, then the title.
enum Intro_Phase_Id { INTRO_LOGOS, INTRO_CREDITS, INTRO_TITLE };

int Intro_Phase(int elapsed_ms) {
  if (elapsed_ms <= kLogosEnd) return INTRO_LOGOS;
  if (elapsed_ms <= kCreditsEnd) return INTRO_CREDITS;
  return INTRO_TITLE;
}

// 1 while the second logo flashes over the first.
int Logo_Flash(int elapsed_ms) {
  for (const Flash_Window& window : kFlashWindows)
    if (elapsed_ms >= window.from && elapsed_ms <= window.to) return 1;
  return 0;
}

// How many credit lines are shown, in table order.
int Credit_Lines_Due(int elapsed_ms) {
  int due = 0;
  for (const Credit_Line& line : kCredits)
    if (elapsed_ms >= line.from) ++due;
  return due;
}

void Free_Intro_Picture(SDL_Surface*& picture) {
  SDL_FreeSurface(picture);
  picture = nullptr;
}

}  // namespace

int Intro_Clock() { return static_cast<int>(static_cast<uint32_t>(static_cast<long long>(Millis()))); }

int Ends_Title_Screen(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEBUTTONDOWN: return event.button.button == SDL_BUTTON_LEFT;
    case SDL_JOYBUTTONDOWN: return 1;
    case SDL_KEYDOWN: {
      int key = event.key.keysym.sym;
      return key == mapped.key_select || key == mapped.key_cancel || key == SDLK_ESCAPE || key == SDLK_5 ||
             key == SDLK_SPACE;
    }
  }
  return 0;
}

void Draw_Logos() {
  Draw_Image(0, 0, gfx_intro_logo1);
  if (Logo_Flash(intro_elapsed)) Draw_Image(0, 0, gfx_intro_logo2);
}

void Draw_Credits() {
  Draw_Image(0, 0, gfx_vantorello256);
  const int names_x = Name_Column();
  const int due = Credit_Lines_Due(intro_elapsed);
  for (int i = 0; i < due; ++i) {
    const Credit_Line& line = kCredits[i];
    Draw_Text(line.colour == 1 ? line.x : names_x, line.y, line.text, line.colour, 0);
  }
}

void Draw_Title() {
  Draw_Image(0, 0, gfx_gametitle);
  // The version ends inside the picture, shadow included, however wide the font draws it.
  const char* version = "Version: 3.98";
  int version_x = std::min(468, 636 - Title_Font_Width(version));
  Draw_Shadowed(version_x, 448, version);
  const char* name = Player_Name();
  Draw_Shadowed(8, 448, name);
  // A name the player has not chosen yet: where to change it, when it fits before the version.
  const char* hint = "(Settings: Driver Name)";
  int hint_x = 20 + Title_Font_Width(name), hint_width = 0, hint_height = 0;
  if (ttf_fonts[3]) TTF_SizeUTF8(ttf_fonts[3], hint, &hint_width, &hint_height);
  if (Is_Default_Player_Name(name) && hint_x + hint_width < version_x - 8) Draw_Text(hint_x, 452, hint, 4, 3);
}

void Draw_Intro_Frame() {
  intro_elapsed = static_cast<int>(static_cast<uint32_t>(Intro_Clock()) - static_cast<uint32_t>(intro_start));
  SDL_FillRect(screen, nullptr, 0);
  switch (Intro_Phase(intro_elapsed)) {
    case INTRO_LOGOS: Draw_Logos(); break;
    case INTRO_CREDITS: Draw_Credits(); break;
    default: Draw_Title(); break;
  }
  Draw_Crt_Filter();
  Present_Screen(screen);
}

void Run_Intro() {
  Play_Intro_Music();
  intro_start = Intro_Clock();
  bool running = true;
  while (running) {
    Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(SCREEN_INTRO);
    SDL_Event event;
    while (running && Poll_Event(&event)) {
      if (Ends_Title_Screen(event)) running = false;
      else if (event.type == SDL_KEYDOWN && (event.key.keysym.sym == SDLK_F12 || event.key.keysym.sym == SDLK_PRINT))
        theGame->Take_Screenshot();
    }
    if (running) Draw_Intro_Frame();
    Uint32 spent = SDL_GetTicks() - start;
    if (spent < kFrameMs) SDL_Delay(kFrameMs - spent);
  }
  Stop_Music();
  Free_Intro_Picture(gfx_intro_logo1);
  Free_Intro_Picture(gfx_intro_logo2);
  Free_Intro_Picture(gfx_gametitle);
}

#include "online/update_screen.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cstdio>
#include <cstdlib>

#include "audio/playback/sound.h"
#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/pad.h"
#include "frontend/screens/present_screen.h"
#include "frontend/screens/settings_screen.h"
#include "online/live_update.h"
#include "online/network.h"
#include "online/program_swap.h"

namespace {

enum Notice_Choice { NOTICE_OPEN, NOTICE_UPDATE, NOTICE_CLOSED };

struct Notice_Line {
  int y, colour;
  const char* text;
};
const Notice_Line kNoticeLines[] = {{160, 4, "Please update your"},
                                    {180, 4, "game with Live Update"},
                                    {220, 0, "or press now space"},
                                    {240, 0, "for auto-update!"}};

// A window close is left for the menu, which handles it.
void Pass_On_Quit(const SDL_Event& event) {
  SDL_Event again = event;
  SDL_PushEvent(&again);
}

int Notice_Choice_For(const SDL_Event& event) {
  if (event.type == SDL_JOYBUTTONDOWN) return NOTICE_UPDATE;
  if (event.type == SDL_QUIT) {
    Pass_On_Quit(event);
    return NOTICE_CLOSED;
  }
  if (event.type != SDL_KEYDOWN) return NOTICE_OPEN;
  switch (event.key.keysym.sym) {
    case SDLK_SPACE: return NOTICE_UPDATE;
    case SDLK_ESCAPE:
    case SDLK_4:
    case SDLK_5:
    case SDLK_6: return NOTICE_CLOSED;
    case SDLK_F12:
    case SDLK_PRINT: theGame->Take_Screenshot(); return NOTICE_OPEN;
    default: return NOTICE_OPEN;
  }
}

void Draw_Notice(SDL_Surface* background, SDL_Surface* panel) {
  Draw_Image(0, 0, background);
  Draw_Image(117, 111, panel);
  Draw_Text(-1, 50, "New update available!", 2, 5);
  Draw_Text(-4, 46, "New update available!", 3, 5);
  for (const Notice_Line& line : kNoticeLines) {
    Draw_Text(-1, line.y, line.text, 2, 6);
    Draw_Text(-3, line.y - 2, line.text, line.colour, 6);
  }
  Draw_Crt_Filter();
  Present_Screen(screen);
}

bool Ends_Update_Screen(const SDL_Event& event) {
  if (event.type == SDL_JOYBUTTONDOWN) return true;
  if (event.type == SDL_MOUSEBUTTONDOWN) return event.button.button == SDL_BUTTON_LEFT;
  if (event.type == SDL_QUIT) {
    Pass_On_Quit(event);
    return true;
  }
  if (event.type != SDL_KEYDOWN) return false;
  SDLKey key = event.key.keysym.sym;
  if (key == SDLK_F12 || key == SDLK_PRINT) theGame->Take_Screenshot();
  return key == SDLK_RETURN || key == SDLK_ESCAPE || key == SDLK_SPACE || (key >= SDLK_0 && key <= SDLK_9);
}

bool window_closed = false;  // while the update ran

void Draw_Update_Screen() {
  char version[64], status[160];
  std::snprintf(version, sizeof version, "Vanto Rello Version: %s", kGameVersion);
  if (update_status == 0) std::snprintf(status, sizeof status, "Connected to %s:%d.", Server_Host(), Server_Port());
  else std::snprintf(status, sizeof status, "%s", update_status == 1 ? "Network not available!" : "Cannot connect!");
  SDL_FillRect(screen, nullptr, 0);
  Draw_Text(0, 0, version, 0, 0);
  Draw_Text(0, 50, status, 0, 0);
  if (update_program_left) {
    Draw_Text(0, 300, "Program updates come with", 0, 0);
    Draw_Text(0, 340, "the system's packages.", 0, 0);
  }
  Draw_Text(0, 400, Update_Result_Text(update_result), 0, 0);
  Present_Screen(screen);
}

// The program file has changed and its swap is prepared: the script takes over once the
// game has ended. Returns only when the script could not be started.
int End_For_Program_Swap() {
  if (!Start_Swap_Script()) {
    std::printf("Error starting update script!\n");
    Drop_Program_Update();
    return UPDATE_SWAP_FAILED;
  }
  Close_Network();
  std::exit(0);
}

}  // namespace

void Show_Update_Step() {
  SDL_FillRect(screen, nullptr, 0);
  Draw_Text(0, 300, update_step, 0, 3);
  Draw_Text(0, 350, update_file.c_str(), 1, 3);
  Present_Screen(screen);
  Call_Frame_Hook(SCREEN_LIVE_UPDATE);
  Read_Update_Events();
}

void Read_Update_Events() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_QUIT) {
      window_closed = true;
      update_cancel_requested = true;
    }
    if (event.type != SDL_KEYDOWN) continue;
    SDLKey key = event.key.keysym.sym;
    if (key == SDLK_ESCAPE) update_cancel_requested = true;
    if (key == SDLK_F12 || key == SDLK_PRINT) theGame->Take_Screenshot();
  }
}

const char* Update_Result_Text(int result) {
  static char text[80];
  switch (result) {
    case UPDATE_FILES_DONE: return "Update finished.";
    case UPDATE_NO_LIST: return "Update failed: no update on the server.";
    case UPDATE_EMPTY_LIST: return "Update failed: the update list is empty.";
    case UPDATE_CANCELLED: return "Update cancelled.";
    case UPDATE_SWAP_FAILED: return "Update failed: swap script did not start.";
    case UPDATE_INCOMPLETE:
      std::snprintf(text, sizeof text, "Update failed: %d file%s not updated.", update_failures,
                    update_failures == 1 ? "" : "s");
      return text;
    default: return "";
  }
}

void Run_Update_Notice() {
  Mix_Chunk* horn = Load_Sample("SFX/horn.ogg");
  SDL_Surface* background = Load_Sprites("GFX/bg_tournament.bmp", 0);
  SDL_Surface* panel = Load_Sprites("GFX/info_red.bmp", 0);
  if (horn) Mix_PlayChannel(-1, horn, 0);
  int choice = NOTICE_OPEN;
  while (choice == NOTICE_OPEN) {
    Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(SCREEN_UPDATE_NOTICE);
    SDL_Event event;
    while (choice == NOTICE_OPEN && Poll_Event(&event)) choice = Notice_Choice_For(event);
    if (choice == NOTICE_OPEN) Draw_Notice(background, panel);
    Uint32 spent = SDL_GetTicks() - start;
    if (spent < 25) SDL_Delay(25 - spent);
  }
  if (horn) Mix_FreeChunk(horn);
  SDL_FreeSurface(background);
  SDL_FreeSurface(panel);
  if (choice == NOTICE_UPDATE) Run_Live_Update();
}

void Run_Live_Update() {
  update_finished = false;
  update_step = "";
  update_file.clear();
  update_cancel_requested = window_closed = false;
  update_result = UPDATE_NO_CONNECTION;
  update_status = Init_Network();
  if (update_status == 0) {
    update_result = Update_Files();
    if (update_result == UPDATE_PROGRAM_READY) update_result = End_For_Program_Swap();
    if (update_result == UPDATE_NO_CONNECTION) update_status = 2;
  }
  update_finished = update_result == UPDATE_FILES_DONE;
  bool open = !window_closed;
  while (open) {
    Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(SCREEN_LIVE_UPDATE);
    SDL_Event event;
    while (open && Poll_Event(&event)) open = !Ends_Update_Screen(event);
    Draw_Update_Screen();
    Uint32 spent = SDL_GetTicks() - start;
    if (spent < 25) SDL_Delay(25 - spent);
  }
  if (update_status != 1) Close_Network();
  if (window_closed) {
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    Pass_On_Quit(quit);
  }
}

void Offer_Update() {
  if (Check_For_Update()) Run_Update_Notice();
}

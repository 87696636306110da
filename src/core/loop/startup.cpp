#include "core/loop/startup.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <SDL/SDL_ttf.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "audio/playback/sound.h"
#include "common/game_folders.h"
#include "core/loop/options.h"
#include "audio/screen/radio_screen.h"
#include "core/loop/race_loop.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/display_settings.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/pad.h"
#include "frontend/menu/main_menu.h"
#include "frontend/screens/intro.h"
#include "frontend/screens/video_mode.h"
#include "library/tournament.h"
#include "online/live_update.h"
#include "online/update_screen.h"
#include "road/sky.h"
#include "road/weather.h"
#include "track/track_sector.h"

namespace {
const char* const kCaption = "Version: 3.98";
}

int Settle_Game_Folders() {
  GameFolders folders = Choose_Game_Folders(System_Folder_Probe());
  for (const std::string& line : folders.reports) std::printf("%s\n", line.c_str());
  if (!folders.usable) return 0;
  if (folders.installed && chdir(folders.user.c_str()) != 0) {
    std::printf("Error: Cannot use the folder %s for the player's files.\n", folders.user.c_str());
    return 0;
  }
  Use_Game_Folders(folders);
  if (folders.installed) {
    std::printf("%s\n", Describe_Game_Folders(folders).c_str());
    Settle_Player_Copies(Installed_Version(), kGameVersion);
  }
  return 1;
}

void Ensure_Track_Directory() {
  DIR* dir = opendir("TRK");
  if (dir) {
    closedir(dir);
    return;
  }
  mkdir("TRK", 0755);
}

namespace {
// Prints the game's line and SDL's reason, then ends with a failure code.
[[noreturn]] void Fail_Start(const char* line, bool quit_sdl) {
  std::printf("%s\n%s\n", line, SDL_GetError());
  if (quit_sdl) SDL_Quit();
  std::exit(1);
}
}  // namespace

// Presents the display through SDL's software path unless the player's environment says
// otherwise. The default OpenGL path costs several times more processor time wherever
// OpenGL itself runs on the processor (no graphics card, a virtual X server).
void Prefer_Software_Presentation() {
  setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
  setenv("SDL_RENDER_DRIVER", "software", 0);
}

void Start_Up(const LaunchOptions& options) {
  Prefer_Software_Presentation();
  // Both settings files are read first: the scaling method is taken at SDL_Init.
  Load_Config();
  Load_Display_Settings();
  Prepare_Presentation();
  Prepare_Pad_Layout();
  if (SDL_Init(0xFFFF) < 0) Fail_Start("VantoRello: Error initializing SDL.", false);
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048) < 0) Fail_Start("VantoRello: Error initializing Soundmixer.", true);
  if (options.fullscreen >= 0) fullscreenFlag = static_cast<uint8_t>(options.fullscreen);
  windowScaleOverride = options.scale;
  Note_Desktop_Size();
  screen = Open_Display(fullscreenFlag);
  if (!screen && fullscreenFlag) screen = Open_Display(0);  // no full screen here: a window will do
  if (!screen) Fail_Start("VantoRello: Error opening the display.", true);
  char caption[64];
  std::snprintf(caption, sizeof caption, "Vanto Rello - %s", kCaption);
  SDL_WM_SetCaption(caption, caption);
  SDL_ShowCursor(SDL_DISABLE);
  TTF_Init();
  Open_Pad();
  std::atexit(Shut_Down);
  Load_Sounds();
  Load_Fonts();
  Load_Menu_Graphics();
  init_weather();
  Allocate_Track_Sectors();
}

void Shut_Down() {
  Free_Track_Sectors();
  if (joystick) {
    SDL_JoystickClose(joystick);
    joystick = nullptr;
  }
  Free_Menu_Graphics();
  Free_Sounds();
  Mix_CloseAudio();
  Free_Fonts();
  TTF_Quit();
  SDL_Quit();
}

void Main_Loop() {
  Game& game = *theGame;
  while (!quitRequested) {
    if (!game.tournament_active) {
      Run_Main_Menu();
      if (quitRequested) break;
      if (!exhibitionMode && !game.tournament_active) Run_Radio_Screen();
    }
    if (game.tournament_active && !Prepare_Tournament_Round()) {
      Clear_Race();
      continue;
    }
    if (customTrack) {
      if (game.road) Prepare_First_Frame();
    } else if (!exhibitionMode) {
      game.Build_Builtin_Track();
      if (game.road) Prepare_First_Frame();
    }
    // A track that could not be built is not raced.
    if (exhibitionMode) {
      Start_Race_Sounds();
      game.Exhibition_Loop();
      exhibitionMode = 0;
    } else if (game.road) {
      Start_Race_Sounds();
      game.Race_Loop();
      Finish_Tournament_Round();
    }
    Clear_Race();
  }
}

int Game_Main(int argc, const char* const* argv) {
  // Every report line reaches a log file even when the game is stopped.
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  LaunchOptions options;
  int answered = Answer_Options(Parse_Options(argc, argv, &options));
  if (answered >= 0) return answered;
  if (!Settle_Game_Folders()) return 1;
  Ensure_Track_Directory();
  Start_Up(options);
  delete theGame;
  theGame = new Game();
  Run_Intro();
  theGame->Load_Vehicle_Sprites();
  theGame->Load_Car_Models();
  Offer_Update();
  Main_Loop();
  if (theGame->sky) theGame->sky->free_pictures();
  if (canvasSurface) {
    SDL_FreeSurface(canvasSurface);
    canvasSurface = nullptr;
  }
  return 0;
}

// The tournament's screens, round tracks and books.
#include "library/tournament.h"

#include <SDL/SDL_mixer.h>

#include <cstdio>

#include "audio/playback/radio.h"
#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/pad.h"
#include "frontend/screens/ending.h"
#include "frontend/screens/present_screen.h"
#include "frontend/screens/settings_screen.h"
#include "library/tournament_rounds.h"
#include "online/leaderboard.h"
#include "online/scores.h"
#include "track/track_files.h"

namespace {

constexpr Uint32 kFrameMs = 25;

struct Intro_Texts {
  const char* title;
  const char* line1;
  const char* line2;
  const char* failed1;
  const char* failed2;
};
const Intro_Texts kIntroTexts[2] = {
    {"next course", "You need to finish with", "place 10 or better!", "This course cannot be loaded.",
     "The tournament ends here."},
    {"n\xC3\xA4" "chste Strecke", "Du musst mindestens", "Platz 10 schaffen!", "Die Strecke ist defekt.",
     "Das Turnier endet hier."},
};

// 1 for the keys and buttons that end the round and disqualification screens.
bool Ends_Screen(const SDL_Event& event) {
  if (event.type == SDL_JOYBUTTONDOWN) return true;
  if (event.type != SDL_KEYDOWN) return false;
  SDLKey key = event.key.keysym.sym;
  return key == mapped.key_select || key == SDLK_4 || key == SDLK_5 || key == SDLK_6 || key == SDLK_ESCAPE ||
         key == SDLK_SPACE;
}

// Runs a 25 ms frame loop of `draw` until an ending key; F12 takes a screenshot.
template <typename Draw>
void Run_Screen(int screen_id, Draw draw) {
  for (bool running = true; running;) {
    Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(screen_id);
    SDL_Event event;
    while (running && Poll_Event(&event)) {
      if (Ends_Screen(event)) running = false;
      else if (event.type == SDL_KEYDOWN && (event.key.keysym.sym == SDLK_F12 || event.key.keysym.sym == SDLK_PRINT))
        theGame->Take_Screenshot();
    }
    if (running) draw();
    Uint32 spent = SDL_GetTicks() - start;
    if (spent < kFrameMs) SDL_Delay(kFrameMs - spent);
  }
}

// Centred text with its shadow one pixel right and down.
void Draw_Shadowed(int y, const char* text) {
  Draw_Text(-1, y + 1, text, 6, 5);
  Draw_Text(-2, y, text, 4, 5);
}

void End_Tournament(Game& game) {
  game.tournament_active = 0;
  game.tournament_round = 1;
}

}  // namespace

int Game::Load_Tournament_Track() {
  const Tournament_Round& round = Tournament_Round_Of(tournament_round);
  if (!Load_Track_File(round.track_file) || !Build_Loaded_Track()) {
    std::printf("Error Loading Tournament Track!\n");
    return 0;
  }
  tournament_active = 1;
  return 1;
}

void Run_Tournament_Intro(int track_ready) {
  const Game& game = *theGame;
  const Tournament_Round& round = Tournament_Round_Of(game.tournament_round);
  const Intro_Texts& texts = kIntroTexts[game.language == 1 ? 1 : 0];
  Mix_HaltMusic();
  SDL_Surface* background = Load_Sprites("GFX/bg_tournament.bmp", 0);
  SDL_Surface* picture = Load_Sprites(round.picture, 0);
  Play_Song(round.song);
  Run_Screen(SCREEN_TOURNAMENT_INTRO, [&] {
    Draw_Image(0, 0, background);
    Draw_Image(117, 111, picture);
    Draw_Shadowed(20, texts.title);
    Draw_Shadowed(60, game.language == 1 ? round.name_german : round.name_english);
    Draw_Shadowed(399, track_ready ? texts.line1 : texts.failed1);
    Draw_Shadowed(439, track_ready ? texts.line2 : texts.failed2);
    Draw_Crt_Filter();
    Present_Screen(screen);
  });
  SDL_FreeSurface(background);
  SDL_FreeSurface(picture);
}

void Run_Disqualified_Screen() {
  Mix_HaltMusic();
  SDL_Surface* picture = Load_Sprites("GFX/racefail.bmp", 0);
  Run_Screen(SCREEN_DISQUALIFIED, [&] {
    Draw_Image(0, 0, picture);
    Draw_Text(5, 20, "DISQUALIFIED!", 4, 5);
    Draw_Text(5, 100, "Required: 10th", 4, 5);
    Draw_Text(5, 130, "place or better", 4, 5);
    Draw_Crt_Filter();
    Present_Screen(screen);
  });
  SDL_FreeSurface(picture);
}

int Prepare_Tournament_Round() {
  Game& game = *theGame;
  int ready = game.Load_Tournament_Track();
  Run_Tournament_Intro(ready);
  if (!ready) End_Tournament(game);
  return ready;
}

void Finish_Tournament_Round() {
  Game& game = *theGame;
  if (!game.tournament_active) return;
  // A race lost on the timer is no finish, whatever the place.
  if (!game.race_finished || game.place < 1 || game.place > 10) {
    End_Tournament(game);
    Run_Disqualified_Screen();
    return;
  }
  Submit_Round_Result();
  Add_Round_To_Points();
  int next = Next_Tournament_Round(game.tournament_round);
  if (next != 0) {
    game.tournament_round = next;
    return;
  }
  End_Tournament(game);
  Submit_Tournament_Result();
  Run_Leaderboard_Screen();
  Run_Ending();
}

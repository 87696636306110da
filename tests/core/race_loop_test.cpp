// The race loop on the real game object: its frames, its events, the fly-in and the end-of-race hint.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <filesystem>
#include <utility>

#include "audio/playback/radio.h"
#include "audio/playback/sound.h"
#include "common/frame_hook.h"
#include "common/memory.h"
#include "core/loop/race_loop.h"
#include "core/session/canvas_blit.h"
#include "core/loop/startup.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/menu_graphics.h"
#include "road/canvas.h"
#include "road/road.h"

namespace {

void Push_Key(SDLKey key, bool down) {
  SDL_Event event = {};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = key;
  SDL_PushEvent(&event);
}

// The main loop's steps for one race on the built-in track.
void Run_Builtin_Race() {
  theGame->Build_Builtin_Track();
  Prepare_First_Frame();
  Start_Race_Sounds();
  theGame->Race_Loop();
  Clear_Race();
}

class RaceLoop : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    old_dir_ = std::filesystem::current_path();
    std::filesystem::current_path(VR_TEST_RUN_DIR);
    Start_Up();
    theGame = new Game();
    theGame->Load_Vehicle_Sprites();
    theGame->Load_Car_Models();
  }
  static void TearDownTestSuite() {
    delete theGame;
    theGame = nullptr;
    std::filesystem::current_path(old_dir_);
  }
  static std::filesystem::path old_dir_;
};
std::filesystem::path RaceLoop::old_dir_;

// Full throttle toward the road's middle, with a clock that never runs out.
void Drive_Frame(int seconds_left = 99) {
  Game& game = *theGame;
  game.input_up = 1;
  game.input_left = game.road->lateral < -150;
  game.input_right = game.road->lateral > 150;
  game.seconds_left = seconds_left;
  Present_Race_Frame();
}

void Start_Bavaria() {
  theGame->builtin_track = 2;
  theGame->Build_Builtin_Track();
  Prepare_First_Frame();
  if (canvasSurface) SDL_FreeSurface(canvasSurface);
  Canvas* c = theGame->canvas;
  canvasSurface = Wrap_Canvas(c->data(), c->width, c->height);
  theGame->intro_running = 0;
}

TEST_F(RaceLoop, SteadyRaceFramesAllocateNothing) {
  // A first race shows every picture once (mirrored copies are made on first use).
  Start_Bavaria();
  for (int i = 0; i < 2000 && !theGame->race_finished; ++i) Drive_Frame();
  EXPECT_TRUE(theGame->race_finished);
  Start_Bavaria();
  const uint64_t before = Allocation_Count();
  int frames = 0;
  for (; frames < 400 && !theGame->race_finished; ++frames) Drive_Frame(frames < 30 ? 3 : 99);  // 3: it blinks
  EXPECT_EQ(Allocation_Count() - before, 0u) << "over " << frames << " frames";
  EXPECT_GT(theGame->road->position, 30000);
  Drive_Frame(0);  // the clock has run out: the frame applies the time-out
  EXPECT_TRUE(theGame->time_over);
  Clear_Race();
}

TEST_F(RaceLoop, EventTableTakesMappedAndFixedKeysAndTheSongKeys) {
  Game& game = *theGame;
  auto key = [](Uint8 type, int sym) {
    SDL_Event e = {};
    e.type = type;
    e.key.keysym.sym = static_cast<SDLKey>(sym);
    return Handle_Race_Event(e);
  };
  key(SDL_KEYDOWN, mapped.key_accelerate);
  key(SDL_KEYDOWN, SDLK_LEFT);
  EXPECT_TRUE(game.input_up && game.input_left);
  key(SDL_KEYUP, SDLK_UP);
  key(SDL_KEYUP, mapped.key_left);
  EXPECT_FALSE(game.input_up || game.input_left);
  game.race_finished = 0;
  EXPECT_EQ(key(SDL_KEYDOWN, SDLK_SPACE), 1);  // continue leaves only a finished race
  game.race_finished = 1;
  EXPECT_EQ(key(SDL_KEYDOWN, mapped.key_select), 0);
  game.race_finished = 0;
  game.tournament_active = 1;
  EXPECT_EQ(key(SDL_KEYDOWN, SDLK_ESCAPE), 0);
  EXPECT_EQ(game.tournament_active, 0);
  current_song = 2;
  key(SDL_KEYDOWN, SDLK_PAGEUP);
  EXPECT_EQ(current_song, 3);
  key(SDL_KEYDOWN, SDLK_PAGEDOWN);
  EXPECT_EQ(current_song, 2);
}

// Holds accelerate from the first fly-in frame (the press itself is drained by the fly-in)
// and releases nothing: the first race frames must already drive (the first one raises
// the acceleration, the second the speed). Escape cuts the fly-in short, and leaves.
struct HeldStart {
  int intro_frames = 0, race_frames = 0;
  uint8_t input_up = 0;
  float accel = 0.0f, speed = 0.0f;
  int vehicle0_z = 0, vehicle1_z = 0;
} held;

void Hold_Through_Fly_In(int screen_id) {
  if (screen_id != SCREEN_RACE) return;
  Game& game = *theGame;
  Uint8* keys = SDL_GetKeyState(nullptr);
  if (game.intro_running) {
    if (++held.intro_frames == 1) {
      keys[SDLK_UP] = 1;  // what SDL records for a key that is down
      Push_Key(SDLK_UP, true);
    }
    if (held.intro_frames == 3) Push_Key(SDLK_ESCAPE, true);
    return;
  }
  if (++held.race_frames == 1) {
    held.vehicle0_z = game.vehicles[0]->z;
    held.vehicle1_z = game.vehicles[1]->z;
  } else if (held.race_frames == 3) {  // after two race frames
    held.input_up = game.input_up;
    held.accel = game.player.accel;
    held.speed = game.player.speed;
    keys[SDLK_UP] = 0;
    Push_Key(SDLK_ESCAPE, true);
  }
}

TEST_F(RaceLoop, AKeyHeldThroughTheFlyInDrivesTheFirstRaceFrame) {
  theGame->builtin_track = 1;
  theGame->input_up = 0;
  frameHook = Hold_Through_Fly_In;
  Run_Builtin_Race();
  frameHook = nullptr;
  SDL_GetKeyState(nullptr)[SDLK_UP] = 0;

  EXPECT_EQ(held.intro_frames, 3);
  EXPECT_EQ(held.vehicle0_z, -10);  // the start figures swapped
  EXPECT_EQ(held.vehicle1_z, 100);
  EXPECT_EQ(held.input_up, 1);
  EXPECT_GT(held.accel, 0.0f);
  EXPECT_GT(held.speed, 0.0f);
  EXPECT_EQ(theGame->road, nullptr);  // cleared after the race
  EXPECT_EQ(theGame->checkpoint_count, 0);
  EXPECT_EQ(theGame->place, 0);
  EXPECT_EQ(theGame->player.speed, 0.0f);
}

}  // namespace

// Once the race has ended one line names the key that leaves: white text on a black band,
// centred at a fixed row. Where the expected text's glyphs are solid the screen is white, and
// the band is black beside the text.
TEST_F(RaceLoop, AfterTheRaceAHintNamesTheKeyThatLeavesInTheGamesLanguage) {
  Game& game = *theGame;
  const MappedInputs saved = mapped;
  mapped.key_select = SDLK_SPACE;
  mapped.key_cancel = SDLK_BACKSPACE;
  const struct {
    int language;
    bool finished;
    const char* text;
  } kCases[] = {
      {0, true, "Place 4, time 1'52\".30 - press SPACE to go on"},
      {1, true, "Platz 4, Zeit 1'52\".30 - weiter mit LEERTASTE"},
      {0, false, "Press ESC / BACKSPACE to leave"},
      {1, false, "Zur\xC3\xBC" "ck mit ESC / BACKSPACE"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    Start_Bavaria();
    game.language = c.language;
    char hint[160];
    Race_End_Hint(hint, sizeof hint);
    EXPECT_STREQ(hint, "");  // nothing while the race runs
    (c.finished ? game.race_finished : game.game_over) = 1;
    game.place = 4;
    game.lap_times[0] = 112300;
    Present_Race_Frame();
    Race_End_Hint(hint, sizeof hint);
    EXPECT_STREQ(hint, c.text);

    SDL_Surface* glyphs = TTF_RenderUTF8_Blended(ttf_fonts[kRaceEndHintFont], c.text, SDL_Color{255, 255, 255, 0});
    ASSERT_NE(glyphs, nullptr);
    const int left = Text_Left(-2, glyphs->w), rows = glyphs->h;
    ASSERT_GE(left - kRaceEndHintPad, 0);
    const Uint32 white = SDL_MapRGB(screen->format, 255, 255, 255);
    const Uint32 rgb = screen->format->Rmask | screen->format->Gmask | screen->format->Bmask;
    auto at = [&](int x, int y) { return static_cast<Uint32*>(screen->pixels)[y * screen->pitch / 4 + x] & rgb; };
    int solid = 0, white_on_screen = 0, black_band = 0;
    SDL_LockSurface(glyphs);
    SDL_LockSurface(screen);
    for (int y = 0; y < glyphs->h; ++y)
      for (int x = 0; x < glyphs->w; ++x) {
        const Uint32 px = static_cast<Uint32*>(glyphs->pixels)[y * glyphs->pitch / 4 + x];
        if (((px & glyphs->format->Amask) >> glyphs->format->Ashift) < 255) continue;
        ++solid;
        const int sx = left + x, sy = kRaceEndHintY + y;
        if (sx < 0 || sx >= screen->w || sy >= screen->h) continue;
        white_on_screen += at(sx, sy) == white;
      }
    for (int y = kRaceEndHintY; y < kRaceEndHintY + rows; ++y)
      for (int x : {left - kRaceEndHintPad, left - 1, left + glyphs->w, left + glyphs->w + kRaceEndHintPad - 1})
        black_band += at(x, y) == 0;
    SDL_UnlockSurface(screen);
    SDL_UnlockSurface(glyphs);
    SDL_FreeSurface(glyphs);
    EXPECT_GT(solid, 40);
    EXPECT_EQ(white_on_screen, solid);
    EXPECT_EQ(black_band, 4 * rows);
    game.race_finished = game.game_over = 0;
    Clear_Race();
    for (long t : std::as_const(game.lap_times)) EXPECT_EQ(t, 0);  // cleared with the race
  }
  game.language = 0;
  mapped = saved;
}

// A whole race on the real race loop, driven by pushed SDL events from the frame hook.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

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

struct Observation {
  int position, passed, seconds;
  float speed;
  uint8_t time_over, game_over, finished;
};

struct Driver {
  std::vector<Observation> log;
  int plan_z[50] = {}, plan_seconds[49] = {}, plan_count = 0;
  int frames = 0, intro_frames = 0, race_frames = 0;
  bool up = false, left = false, right = false;
  int space_at = -1, escape_at = -1;  // race frame of the leaving keys
  int vehicle0_z = 0, vehicle1_z = 0;
} driver;

void Push_Key(SDLKey key, bool down) {
  SDL_Event event = {};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = key;
  SDL_PushEvent(&event);
}

void Hold(bool& held, bool want, SDLKey key) {
  if (held != want) Push_Key(key, want);
  held = want;
}

// Lateral offset to aim for: the middle, or beside the nearest car ahead in the player's lane.
float Target_Lateral(Game& game) {
  const int p = game.road->position;
  const vehicle* blocker = nullptr;
  for (vehicle* v : game.vehicles)
    if (v->speed > 1.0f && v->z > p && v->z < p + 2500 && std::fabs(v->x + game.road->lateral) < 220.0f &&
        (!blocker || v->z < blocker->z))
      blocker = v;
  if (!blocker) return 0.0f;
  const float beside = -blocker->x + (blocker->x > 0.0f ? 280.0f : -280.0f);
  return std::max(-420.0f, std::min(420.0f, beside));
}

// Full throttle; steers to cancel the curve's push and to reach the target offset. The
// steering never goes to full lock (which skids in a strong bend): holding both keys
// keeps it where it is.
void Steer(Game& game) {
  const float speed = game.player.speed;
  const float push = -game.road->curve_force * speed * speed * 0.00390625f / 9.0f;
  const float error = game.road->lateral - Target_Lateral(game);
  const float wanted_dx = -push - 0.2f * error;
  int target = 0;
  if (speed > 1.0f) target = static_cast<int>(std::lround(-wanted_dx * 32.0f / (0.6f * speed) / 8.0f)) * 8;
  target = std::max(-24, std::min(24, target));
  const int steer = game.player.steer;
  const bool hold = steer == target && steer != 0;
  Hold(driver.up, true, SDLK_UP);
  Hold(driver.left, steer > target || hold, SDLK_LEFT);
  Hold(driver.right, steer < target || hold, SDLK_RIGHT);
}

void Autopilot(int screen_id) {
  if (screen_id != SCREEN_RACE) return;
  Game& game = *theGame;
  ++driver.frames;
  if (game.intro_running) {
    if (++driver.intro_frames == 5) Push_Key(SDLK_ESCAPE, true);  // cuts the fly-in short
    return;
  }
  if (driver.race_frames++ == 0) {
    driver.plan_count = game.checkpoint_count;
    std::copy(game.checkpoint_z, game.checkpoint_z + 50, driver.plan_z);
    std::copy(game.checkpoint_seconds, game.checkpoint_seconds + 49, driver.plan_seconds);
    driver.vehicle0_z = game.vehicles[0]->z;
    driver.vehicle1_z = game.vehicles[1]->z;
  }
  driver.log.push_back({game.road->position, game.checkpoints_passed, game.seconds_left, game.player.speed,
                        game.time_over, game.game_over, game.race_finished});
  if (game.race_finished && driver.space_at < 0) {
    driver.space_at = driver.race_frames;
    Push_Key(SDLK_SPACE, true);
  } else if (game.game_over && driver.space_at < 0) {
    driver.space_at = driver.race_frames;
    Push_Key(SDLK_SPACE, true);  // the keyboard's continue key does not leave a lost race
  } else if (game.game_over && driver.escape_at < 0 && driver.race_frames > driver.space_at + 3) {
    driver.escape_at = driver.race_frames;
    Push_Key(SDLK_ESCAPE, true);
  } else if (driver.race_frames > 3000 && driver.escape_at < 0) {
    driver.escape_at = driver.race_frames;
    Push_Key(SDLK_ESCAPE, true);
  }
  if (!game.race_finished && !game.game_over) Steer(game);
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

TEST_F(RaceLoop, AWholeRaceOnBavariaFollowsTheRules) {
  theGame->builtin_track = 2;
  driver.log.reserve(4000);
  frameHook = Autopilot;
  Run_Builtin_Race();
  frameHook = nullptr;

  EXPECT_LT(driver.intro_frames, 8);  // Escape ended the fly-in
  EXPECT_EQ(driver.vehicle0_z, -10);  // the start figures swapped
  EXPECT_EQ(driver.vehicle1_z, 100);
  ASSERT_EQ(driver.plan_count, 4);
  ASSERT_GT(driver.log.size(), 20u);

  // Checkpoints are passed one by one, beyond their position, and refill the timer.
  int passed = 0;
  for (size_t i = 1; i < driver.log.size(); ++i) {
    const Observation& was = driver.log[i - 1];
    const Observation& now = driver.log[i];
    if (now.finished) break;
    EXPECT_GE(now.seconds, 0);
    if (now.passed != was.passed) {
      EXPECT_EQ(now.passed, was.passed + 1);
      EXPECT_GT(now.position, driver.plan_z[was.passed]);
      EXPECT_LE(was.position, driver.plan_z[was.passed]);
      const int allowance = driver.plan_seconds[now.passed];  // the second may tick in the same frame
      EXPECT_TRUE(now.seconds == allowance || now.seconds == allowance - 1) << now.seconds;
      passed = now.passed;
    } else if (!now.time_over) {
      EXPECT_LE(now.seconds, was.seconds);  // counts down between checkpoints
      EXPECT_GE(now.seconds, was.seconds - 1);
    }
    if (now.time_over && !was.time_over) {
      EXPECT_EQ(now.seconds, 0);
    }
  }

  const Observation& last = driver.log.back();
  ASSERT_TRUE(last.finished || last.game_over) << "position " << last.position;
  if (last.finished) {
    EXPECT_EQ(passed, 3);
    EXPECT_GT(last.position, driver.plan_z[3]);
    EXPECT_EQ(last.speed, 0.0f);
    EXPECT_EQ(driver.race_frames, driver.space_at);  // Space left the finished race at once
  } else {
    EXPECT_EQ(last.speed, 0.0f);
    EXPECT_GT(driver.escape_at, driver.space_at);  // Space did not leave; Escape did
    EXPECT_EQ(driver.race_frames, driver.escape_at);
  }
  std::printf("race: %zu frames, %d checkpoints, %s at %d\n", driver.log.size(), passed,
              last.finished ? "finished" : "lost", last.position);

  EXPECT_EQ(theGame->road, nullptr);  // cleared after the race
  EXPECT_EQ(theGame->checkpoint_count, 0);
}

// Full throttle toward the road's middle, with a clock that never runs out.
void Drive_Frame() {
  Game& game = *theGame;
  game.input_up = 1;
  game.input_left = game.road->lateral < -150;
  game.input_right = game.road->lateral > 150;
  game.seconds_left = 99;
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
  for (; frames < 400 && !theGame->race_finished; ++frames) Drive_Frame();
  EXPECT_EQ(Allocation_Count() - before, 0u) << "over " << frames << " frames";
  EXPECT_GT(theGame->road->position, 30000);
  Clear_Race();
}

TEST_F(RaceLoop, EventTableTakesMappedAndFixedKeysAndTheJoystick) {
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

  SDL_Event axis = {};
  axis.type = SDL_JOYAXISMOTION;
  axis.jaxis.axis = 1;
  axis.jaxis.value = -8000;
  Handle_Race_Event(axis);
  EXPECT_EQ(game.input_up, 1);
  axis.jaxis.value = 7999;  // dead zone: both off
  Handle_Race_Event(axis);
  EXPECT_EQ(game.input_up, 0);
  SDL_Event button = {};
  button.type = SDL_JOYBUTTONDOWN;
  button.jbutton.button = static_cast<Uint8>(mapped.joy_select);
  game.game_over = 1;
  EXPECT_EQ(Handle_Race_Event(button), 0);  // a lost race is left with a continue button
  game.game_over = 0;
}

// Holds accelerate from the first fly-in frame (the press itself is drained by the fly-in)
// and releases nothing: the first race frames must already drive (the first one raises
// the acceleration, the second the speed).
struct HeldStart {
  int intro_frames = 0, race_frames = 0;
  uint8_t input_up = 0;
  float accel = 0.0f, speed = 0.0f;
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
  if (++held.race_frames == 3) {  // after two race frames
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
  EXPECT_EQ(held.input_up, 1);
  EXPECT_GT(held.accel, 0.0f);
  EXPECT_GT(held.speed, 0.0f);
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
  }
  game.language = 0;
  mapped = saved;
}

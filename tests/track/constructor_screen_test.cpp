// The constructor and its result screen, driven by pushed events: the value ends, the key
// order, the drawing, and a whole build, save and race cycle from the main menu.
#include "track/constructor_screen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/frame_hook.h"
#include "core/loop/startup.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/menu/main_menu.h"
#include "library/tournament_tracks.h"
#include "road/road.h"
#include "support/front_end.h"
#include "track/generator.h"
#include "track/track_files.h"

namespace {

class ConstructorTest : public FrontEndTest {
 public:
  void SetUp() override {
    FrontEndTest::SetUp();
    ASSERT_EQ(Allocate_Track_Sectors(), 1);
    std::filesystem::create_directory("TRK");
    generatorParams = GeneratorParams{};
    constructor_cursor = 11;
    result_selection = 2;
    menu_selection = 11;
    game_mode = 0;
  }
  void TearDown() override {
    Free_Track_Sectors();
    constructor_cursor = 11;
    result_selection = 2;
    menu_selection = 11;
    FrontEndTest::TearDown();
  }
  void Press(SDLKey key) { Handle_Constructor_Event(Key_Event(key)); }
  void Button(int button) {
    SDL_Event e{};
    e.type = SDL_JOYBUTTONDOWN;
    e.jbutton.button = static_cast<Uint8>(button);
    Handle_Constructor_Event(e);
  }
};

// The screen pixels of a rectangle.
std::vector<Uint32> Pixels(int x, int y, int w, int h) {
  std::vector<Uint32> out;
  for (int row = y; row < y + h; ++row)
    for (int col = x; col < x + w; ++col) out.push_back(Screen_Pixel(col, row));
  return out;
}

// Every file in TRK, each checked to read whole.
struct SavedTrack {
  TrackHeader header;
  std::vector<TrackSector> sectors = std::vector<TrackSector>(kTrackMaxSectors);
};
std::vector<SavedTrack> Saved_Tracks() {
  std::vector<SavedTrack> saved;
  for (const auto& entry : std::filesystem::directory_iterator("TRK")) {
    SavedTrack& t = saved.emplace_back();
    int count = 0;
    EXPECT_EQ(Read_Track_File(entry.path().c_str(), &t.header, t.sectors.data(), &count), TRACK_OK);
    t.sectors.resize(count);
  }
  return saved;
}

TEST_F(ConstructorTest, ValuesStopExactlyAtTheirEnds) {
  const struct {
    int field;
    int GeneratorParams::*value;
    int bottom, top;
  } fields[] = {{2, &GeneratorParams::length, 800, 4000},   {5, &GeneratorParams::curves, 0, 95},
                {6, &GeneratorParams::sharpness, 0, 95},    {7, &GeneratorParams::scatter, 0, 95},
                {8, &GeneratorParams::hills, 0, 95},        {9, &GeneratorParams::steepness, 0, 95},
                {10, &GeneratorParams::scenery, 0, 100},    {12, &GeneratorParams::obstacles, 0, 95}};
  for (const auto& f : fields) {
    constructor_cursor = f.field;
    for (int i = 0; i < 40; ++i) Constructor_Value_Up();
    EXPECT_EQ(generatorParams.*f.value, f.top) << f.field;
    for (int i = 0; i < 40; ++i) Constructor_Value_Down();
    EXPECT_EQ(generatorParams.*f.value, f.bottom) << f.field;
  }
  GeneratorParams before = generatorParams;
  for (int field : {1, 3, 4, 11}) {
    constructor_cursor = field;
    Constructor_Value_Up();
    Constructor_Value_Down();
  }
  EXPECT_EQ(std::memcmp(&before, &generatorParams, sizeof before), 0);
}

TEST_F(ConstructorTest, SelectCyclesAndKeysAndButtonsInTheirOrder) {
  Game& game = *theGame;
  game.track_type = 12, game.selected_car = 19, game.difficulty = 3;
  constructor_cursor = 1;
  Constructor_Select();
  EXPECT_EQ(game.track_type, 1);
  EXPECT_EQ(generatorParams.track_type, 1);
  constructor_cursor = 3;
  Constructor_Select();
  EXPECT_EQ(game.selected_car, 1);
  constructor_cursor = 4;
  Constructor_Select();
  EXPECT_EQ(game.difficulty, 0);

  // Plus and minus, keyboard and joystick.
  constructor_cursor = 2;
  Press(SDLK_KP_PLUS), Press(SDLK_PLUS);
  EXPECT_EQ(generatorParams.length, 1000);
  Press(SDLK_MINUS);
  Button(mapped.joy_vrcs_plus), Button(mapped.joy_vrcs_plus);
  Button(mapped.joy_vrcs_minus);
  EXPECT_EQ(generatorParams.length, 1000);

  // With the default mapping Backspace is cancel, plus and minus at once: cancel wins.
  constructor_active = true;
  customTrack = 1;
  Press(SDLK_BACKSPACE);
  EXPECT_FALSE(constructor_active);
  EXPECT_EQ(customTrack, 0);
  EXPECT_EQ(generatorParams.length, 1000);
  // A left click leaves and keeps the flag as it is.
  constructor_active = true;
  customTrack = 1;
  SDL_Event click{};
  click.type = SDL_MOUSEBUTTONDOWN;
  click.button.button = SDL_BUTTON_LEFT;
  Handle_Constructor_Event(click);
  EXPECT_FALSE(constructor_active);
  EXPECT_EQ(customTrack, 1);
  constructor_active = true;
  Button(mapped.joy_cancel);
  EXPECT_FALSE(constructor_active);
  EXPECT_EQ(customTrack, 0);
}

// Past its dead zone the stick moves the constructor's cursor on both axes and the result
// screen's along its row; another button selects on the one and acts on the other.
TEST_F(ConstructorTest, StickMovesTheCursorsAndOtherButtonsSelect) {
  const struct {
    bool result_screen;
    int axis, value, cursor;
  } moves[] = {{false, 0, 8000, 6},  {false, 0, -8000, 5}, {false, 1, 8000, 8}, {false, 1, -8000, 5},
               {false, 0, 7999, 5},  {false, 1, -7999, 5}, {false, 2, 9000, 5}, {true, 0, 8000, 3},
               {true, 0, 9000, 3},   {true, 0, -8000, 2},  {true, 0, -8000, 1}, {true, 0, -7999, 1},
               {true, 1, 8000, 1}};
  constructor_cursor = 5;
  for (const auto& m : moves) {
    SDL_Event e{};
    e.type = SDL_JOYAXISMOTION;
    e.jaxis.axis = static_cast<Uint8>(m.axis);
    e.jaxis.value = static_cast<Sint16>(m.value);
    m.result_screen ? Handle_Track_Result_Event(e) : Handle_Constructor_Event(e);
    EXPECT_EQ(m.result_screen ? result_selection : constructor_cursor, m.cursor) << m.axis << ": " << m.value;
  }
  constructor_cursor = 1;
  theGame->track_type = 3;
  Button(99);
  EXPECT_EQ(theGame->track_type, 4);
  SDL_Event button{};
  button.type = SDL_JOYBUTTONDOWN;
  result_active = true;
  customTrack = 1;
  Handle_Track_Result_Event(button);  // on Cancel
  EXPECT_FALSE(result_active);
  EXPECT_EQ(customTrack, 0);
}

TEST_F(ConstructorTest, DrawingShowsScenarioValuesAndTheCursorValue) {
  Game& game = *theGame;
  game.track_type = 1;
  constructor_cursor = 5;
  Draw_Constructor();
  EXPECT_GT(Lit_Pixels(0, 0, 640, 480), 640 * 480 / 2);
  auto florida = Pixels(16, 99, 176, 70);
  auto curves_highlighted = Pixels(280, 205, 30, 20);
  EXPECT_GT(Lit_Pixels(280, 205, 30, 20), 20);
  game.track_type = 7;
  constructor_cursor = 6;
  Draw_Constructor();
  EXPECT_NE(Pixels(16, 99, 176, 70), florida);
  EXPECT_NE(Pixels(280, 205, 30, 20), curves_highlighted);  // the same value, another colour
  auto name_uk = Pixels(30, 89, 170, 10);
  game.track_type = 13;  // an unknown type shows the label "Scenario"
  Draw_Constructor();
  EXPECT_NE(Pixels(30, 89, 170, 10), name_uk);
}

// Main menu entry 7 -> constructor -> build -> result screen: save -> start -> race -> F1.
TEST_F(ConstructorTest, BuildSaveAndRaceFromTheMainMenu) {
  Game& game = *theGame;
  game.Load_Vehicle_Sprites();
  game.Load_Car_Models();
  game.track_type = 6;
  menu_selection = 7;
  frame_limit = 1200;
  int step = 0;
  std::vector<Uint32> notice_before, notice_after;
  std::vector<TrackSector> built;
  int races = 0, weather_in_race = -1, type_in_race = -1;
  script = [&](int screen_id) {
    if (screen_id == SCREEN_MENU) {
      if (step == 0) Push_Key(SDLK_RETURN), step = 1;
      else if (step == 6) Push_Key(SDLK_ESCAPE), step = 7;
    } else if (screen_id == SCREEN_CONSTRUCTOR && step == 1) {
      EXPECT_EQ(constructor_cursor, 11);
      Push_Key(SDLK_UP), Push_Key(SDLK_UP), Push_Key(SDLK_UP), Push_Key(SDLK_LEFT);  // scenario
      Push_Key(SDLK_RETURN);                                                       // 6 -> 7
      Push_Key(SDLK_RIGHT), Push_Key(SDLK_KP_PLUS), Push_Key(SDLK_KP_PLUS);         // length 1000
      Push_Key(SDLK_DOWN), Push_Key(SDLK_DOWN), Push_Key(SDLK_DOWN);               // build
      Push_Key(SDLK_RETURN);
      step = 2;
    } else if (screen_id == SCREEN_TRACK_RESULT && step == 2) {
      notice_before = Pixels(150, 365, 340, 12);
      EXPECT_EQ(result_selection, 2);
      EXPECT_FALSE(track_saved_notice);
      Push_Key(SDLK_RIGHT), Push_Key(SDLK_RIGHT), Push_Key(SDLK_RETURN);
      step = 3;
    } else if (screen_id == SCREEN_TRACK_RESULT && step == 3) {
      notice_after = Pixels(150, 365, 340, 12);
      built.assign(trackSectors, trackSectors + trackSectorCount);
      Push_Key(SDLK_LEFT), Push_Key(SDLK_RETURN);  // start game
      step = 4;
    } else if (screen_id == SCREEN_RADIO) {
      Push_Key(SDLK_ESCAPE);
    } else if (screen_id == SCREEN_RACE) {
      ++races;
      if (step == 4 && !game.intro_running) {
        weather_in_race = game.weather;
        type_in_race = game.track_type;
        Push_Key(SDLK_F1);
        step = 5;
      } else if (step == 5) {
        Push_Key(SDLK_ESCAPE);
        step = 6;
      }
    }
  };
  Main_Loop();
  EXPECT_EQ(step, 7);
  EXPECT_TRUE(track_saved_notice);
  int changed = 0;  // "SAVED!" appeared only after saving
  for (size_t i = 0; i < notice_before.size() && i < notice_after.size(); ++i)
    changed += notice_before[i] != notice_after[i];
  EXPECT_GT(changed, 50);
  EXPECT_EQ(type_in_race, 7);
  EXPECT_EQ(weather_in_race, 2);
  EXPECT_GT(races, 0);
  ASSERT_EQ(built.size(), 100u);

  // The saved files hold the built track; F1 wrote one under the fixed author's name (it
  // replaces the player's save when both fall within one second).
  bool quicksave_file = false;
  for (const SavedTrack& t : Saved_Tracks()) {
    ASSERT_EQ(t.sectors.size(), 100u);
    EXPECT_EQ(std::memcmp(t.sectors.data(), built.data(), 100 * sizeof(TrackSector)), 0);
    EXPECT_EQ(t.header.track_type, 7);
    EXPECT_EQ(t.header.tournament, 0);
    quicksave_file |= std::string(t.header.creator) == kQuicksaveAuthor;
  }
  EXPECT_TRUE(quicksave_file);
  EXPECT_EQ(customTrack, 0);
}

// Entry 7 opens the constructor and entry 5 does not; left without a track, the menu stays.
TEST_F(ConstructorTest, OnlyMenuEntrySevenOpensTheConstructor) {
  int opened = 0;
  script = [&](int screen_id) {
    opened += screen_id == SCREEN_CONSTRUCTOR;
    Push_Key(SDLK_ESCAPE);  // whatever the entry opens is left at once
  };
  menu_active = true;
  for (int entry : {5, 7}) {
    menu_selection = entry;
    Activate_Menu_Entry();
  }
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(menu_active);
  EXPECT_EQ(customTrack, 0);
}

TEST_F(ConstructorTest, ScenerySavesTheSectorsOwnScenarioAndForgetsAnOlderSave) {
  Game& game = *theGame;
  game.track_type = generatorParams.track_type = 7;
  int step = 0;
  bool notice_on_return = true;
  script = [&](int screen_id) {
    if (screen_id == SCREEN_CONSTRUCTOR && step == 0) Push_Key(SDLK_RETURN), step = 1;  // build type 7
    else if (screen_id == SCREEN_TRACK_RESULT && step == 1)
      Push_Key(SDLK_RIGHT), Push_Key(SDLK_RETURN), Push_Key(SDLK_ESCAPE), step = 2;  // save, cancel
    else if (screen_id == SCREEN_CONSTRUCTOR && step == 2) {
      Push_Key(SDLK_UP), Push_Key(SDLK_UP), Push_Key(SDLK_UP), Push_Key(SDLK_LEFT), Push_Key(SDLK_RETURN);
      Push_Key(SDLK_DOWN), Push_Key(SDLK_DOWN), Push_Key(SDLK_DOWN), Push_Key(SDLK_RETURN);  // Scenario, Scenery
      step = 3;
    } else if (screen_id == SCREEN_TRACK_RESULT && step == 3) {
      notice_on_return = track_saved_notice;
      Push_Key(SDLK_RETURN), Push_Key(SDLK_ESCAPE), step = 4;  // save again
    } else if (screen_id == SCREEN_CONSTRUCTOR && step == 4) {
      Push_Key(SDLK_ESCAPE), step = 5;
    }
  };
  Run_Constructor();
  ASSERT_EQ(step, 2);
  ASSERT_TRUE(track_saved_notice);
  // Cancelled: no road or scenery is left, the sectors stay for another look through Scenery.
  EXPECT_EQ(customTrack, 0);
  EXPECT_EQ(game.road, nullptr);
  EXPECT_EQ(game.scenery_sprites.count, 0u);
  EXPECT_EQ(trackSectorCount, 80);
  ASSERT_EQ(Make_Tournament_Track(4), 1);  // another track takes the sectors, as the browser does
  std::filesystem::remove_all("TRK");
  std::filesystem::create_directory("TRK");
  Run_Constructor();
  EXPECT_EQ(step, 5);
  EXPECT_FALSE(notice_on_return);
  EXPECT_EQ(game.track_type, 8);
  std::vector<SavedTrack> saved = Saved_Tracks();
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].header.track_type, 4);  // the scenario the sectors were made for, not the field's 8
}

}  // namespace

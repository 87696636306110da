#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/game.h"
#include "core/startup.h"
#include "frontend/config.h"
#include "road/camera.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(Startup, TrackDirectoryIsCreatedOnlyWhenMissing) {
  ScopedTempDir dir;
  Ensure_Track_Directory();
  ASSERT_TRUE(fs::is_directory("TRK"));
  std::ofstream("TRK/mine.TRK") << "x";
  Ensure_Track_Directory();
  EXPECT_TRUE(fs::exists("TRK/mine.TRK"));
}

// Runs the real program with the given environment prefix; returns its exit code and output.
int Run_Game(const std::string& env, std::string& output) {
  std::string command = env + " " + VR_TEST_GAME_EXE + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
  int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Startup, FailingVideoInitialisationEndsWithItsMessageAndCodeZero) {
  ScopedTempDir dir;
  std::string output;
  int code = Run_Game("SDL_VIDEODRIVER=no-such-driver SDL_AUDIODRIVER=dummy", output);
  EXPECT_EQ(code, 0);
  EXPECT_NE(output.find("VantoRello: Error initializing SDL."), std::string::npos) << output;
  EXPECT_TRUE(fs::is_directory("TRK"));  // made before SDL starts
}

TEST(Startup, OpensTheWindowWithItsCaptionAndReadsTheSettingsFirst) {
  ScopedTempDir dir;
  Load_Config();
  settings.language = 1;
  ASSERT_EQ(Save_Config(), 1);
  Start_Up();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->w, 640);
  EXPECT_EQ(screen->h, 480);
  EXPECT_EQ(screen->format->BitsPerPixel, 16);
  char* title = nullptr;
  SDL_WM_GetCaption(&title, nullptr);
  ASSERT_NE(title, nullptr);
  EXPECT_STREQ(title, "Vanto Rello - Version: 3.98");
  Game game;
  EXPECT_EQ(game.language, 1);
}

TEST(Game, ConstructionSetsTheDocumentedStartValues) {
  ScopedTempDir dir;
  Load_Config();
  Game game;
  EXPECT_EQ(game.builtin_track, 1);
  EXPECT_EQ(game.selected_car, 1);
  EXPECT_EQ(game.track_type, 1);
  EXPECT_EQ(game.tournament_round, 2);
  EXPECT_EQ(game.tournament_active, 0);
  EXPECT_EQ(game.screenshot_count, 0);
  ASSERT_EQ(game.lap_times.count, 5u);
  for (long t : game.lap_times) EXPECT_EQ(t, 0);
  EXPECT_EQ(game.player.speed, 0.0f);
  EXPECT_EQ(game.road, nullptr);
  ASSERT_NE(game.camera, nullptr);
  EXPECT_EQ(game.camera->centre_x, 320.0f);
  EXPECT_EQ(game.camera->centre_y, 144.0f);
  for (const auto& entry : game.scenery_cache) ASSERT_EQ(entry.loaded, 0);

  game.Set_View_Size(640, 480);
  EXPECT_FLOAT_EQ(game.view_depth, 230.4f);
  EXPECT_FLOAT_EQ(game.camera->depth, 230.4f);
  EXPECT_FLOAT_EQ(game.camera->centre_y, 144.0f);
}

class ScreenshotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    screen = SDL_SetVideoMode(640, 480, 16, 0);
    ASSERT_NE(screen, nullptr);
  }
  void TearDown() override {
    screen = nullptr;
    SDL_Quit();
  }
};

TEST_F(ScreenshotTest, TakesTheNextFreeNumberAndStopsAfter99) {
  ScopedTempDir dir;
  Load_Config();
  Game game;
  std::ofstream("Screenshot-01.bmp") << "earlier picture";
  game.Take_Screenshot();
  EXPECT_EQ(fs::file_size("Screenshot-01.bmp"), 15u);  // not overwritten
  ASSERT_TRUE(fs::exists("Screenshot-02.bmp"));
  SDL_Surface* saved = SDL_LoadBMP("Screenshot-02.bmp");
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->w, 640);
  SDL_FreeSurface(saved);
  EXPECT_EQ(game.screenshot_count, 2);

  game.screenshot_count = 98;
  game.Take_Screenshot();
  EXPECT_TRUE(fs::exists("Screenshot-99.bmp"));
  game.Take_Screenshot();
  EXPECT_EQ(game.screenshot_count, 99);
  EXPECT_FALSE(fs::exists("Screenshot-100.bmp"));
}

TEST(Game, FrameRateReadingIsThreeTimesTheRateAndZeroOutsideItsRange) {
  ScopedTempDir dir;
  Load_Config();
  Game game;
  auto measure_after = [&](int interval_ms) {
    frameCounter = 20;
    fpsMarkTime = static_cast<int>(static_cast<uint32_t>(static_cast<long long>(Millis()))) - interval_ms;
    game.Measure_Frame_Rate();
    return game.fps_value;
  };
  EXPECT_NEAR(measure_after(1000), 60.0f, 0.5f);  // 20 frames per second
  EXPECT_EQ(frameCounter, 1);
  EXPECT_EQ(measure_after(200), 0.0f);             // 300: above the range
  EXPECT_EQ(measure_after(100000), 0.0f);          // 0.6: below it
  game.Measure_Frame_Rate();
  EXPECT_EQ(frameCounter, 2);
}

}  // namespace

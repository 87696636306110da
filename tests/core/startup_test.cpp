// The real program starting and failing, the game object's start values, screenshots and the frame rate.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/loop/startup.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/screens/video_mode.h"
#include "road/camera.h"
#include "road/sky.h"
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

// Runs the real program with the given environment prefix and arguments; returns its exit
// code (-1 when it did not exit) and output.
int Run_Game(const std::string& env, const std::string& args, std::string& output) {
  std::string command = env + " " + VR_TEST_GAME_EXE + " " + args + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
  int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The command line is answered before SDL starts (a video driver that cannot start would end
// it with code 1) and creates nothing; a failing SDL or mixer ends with the game's line, SDL's
// reason on the next line and code 1, the track folder made before.
TEST(Startup, AnswersAndFailuresEndWithTheirLinesAndCodes) {
  const char* no_video = "SDL_VIDEODRIVER=no-such-driver SDL_AUDIODRIVER=dummy";
  struct Case {
    const char* env;
    const char* args;
    int code;
    const char* line;  // what the output begins with; a failure's line may come anywhere
  } cases[] = {
      {no_video, "--version", 0, "VantoRello 3.98\n"},
      {no_video, "--help", 0, "Usage: vantorello"},
      {no_video, "--scale 9", 2, ""},
      {no_video, "--unknown", 2, ""},
      {no_video, "", 1, "VantoRello: Error initializing SDL.\n"},
      {"SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=no-such-driver", "", 1, "VantoRello: Error initializing "},
  };
  for (const Case& c : cases) {
    ScopedTempDir dir;
    fs::create_directory("GFX");  // the game's own folder, not an installed game
    std::string output;
    EXPECT_EQ(Run_Game(c.env, c.args, output), c.code) << c.env << " " << c.args;
    const size_t at = output.find(c.line);
    if (c.code != 1) {
      EXPECT_EQ(at, 0u) << c.args << ": " << output;
      EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1) << "no TRK, no settings";
      continue;
    }
    ASSERT_NE(at, std::string::npos) << output;
    EXPECT_GT(output.size(), output.find('\n', at) + 2) << output;  // a non-empty line follows
    EXPECT_TRUE(fs::is_directory("TRK"));
  }
}

// The real program on a virtual X server that is then killed: the game must end by itself
// with its line and code 1 instead of waiting forever in SDL's shutdown (which it did in
// about one start out of three). Its report lines reach the pipe while it runs, not only
// when it ends. Needs Xvfb (tools/debian-packages.txt).
TEST(Startup, AVanishedDisplayEndsTheGameWithALineAndCodeOne) {
  ScopedTempDir dir;  // the pictures but no sounds: the sound loader's reports say the window is open
  fs::create_directory_symlink(fs::path(VR_TEST_RUN_DIR) / "GFX", "GFX");
  // A display number of this test's own, far above the ones people use.
  const std::string display_number = std::to_string(500 + getpid() % 400);
  const std::string display = ":" + display_number;
  pid_t server = fork();
  ASSERT_GE(server, 0);
  if (server == 0) {
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1), dup2(null, 2);
    execlp("Xvfb", "Xvfb", display.c_str(), "-nolisten", "tcp", "-screen", "0", "800x600x24",
           static_cast<char*>(nullptr));
    _exit(127);
  }
  // The server answers once it has started.
  const std::string socket_path = "/tmp/.X11-unix/X" + display_number;
  bool listening = false;
  for (int i = 0; i < 100 && !listening; ++i) {
    int s = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket_path.c_str());
    listening = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(s);
    if (!listening) usleep(50000);
  }
  ASSERT_TRUE(listening) << socket_path;

  int out[2];
  ASSERT_EQ(pipe(out), 0);
  pid_t game = fork();
  ASSERT_GE(game, 0);
  if (game == 0) {
    dup2(out[1], 1);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 2);
    close(out[0]);
    setenv("DISPLAY", display.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    execl(VR_TEST_GAME_EXE, VR_TEST_GAME_EXE, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  std::string output;
  char chunk[4096];
  pollfd wait_for = {out[0], POLLIN, 0};
  auto read_for = [&](int seconds, const char* until) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (output.find(until) == std::string::npos && std::chrono::steady_clock::now() < give_up &&
           poll(&wait_for, 1, 200) >= 0) {
      if (!(wait_for.revents & (POLLIN | POLLHUP))) continue;
      ssize_t got = read(out[0], chunk, sizeof chunk);
      if (got <= 0) break;
      output.append(chunk, static_cast<size_t>(got));
    }
  };
  read_for(30, "ERROR: Cannot load SFX/");
  EXPECT_NE(output.find("ERROR: Cannot load SFX/"), std::string::npos) << output;  // still stop both below
  kill(server, SIGTERM);  // the server ends and closes every connection
  waitpid(server, nullptr, 0);
  read_for(10, "ERROR: The display has gone away.\n");
  int status = 0;
  pid_t ended = 0;
  for (int i = 0; i < 100 && ended == 0; ++i) {
    ended = waitpid(game, &status, WNOHANG);
    if (ended == 0) usleep(100000);
  }
  if (ended == 0) {
    kill(game, SIGKILL);
    waitpid(game, &status, 0);
  }
  close(out[0]);
  ASSERT_NE(ended, 0) << "the game still ran 10 s after its display went away";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  EXPECT_NE(output.find("ERROR: The display has gone away.\n"), std::string::npos) << output;
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
  EXPECT_EQ(screen->format->BitsPerPixel, 32);
  char* title = nullptr;
  SDL_WM_GetCaption(&title, nullptr);
  ASSERT_NE(title, nullptr);
  EXPECT_STREQ(title, "Vanto Rello - Version: 3.98");
  Game game;
  EXPECT_EQ(game.language, 1);
}

TEST(Game, ConstructionSetsTheStartValues) {
  ScopedTempDir dir;
  Load_Config();
  Game game;
  EXPECT_EQ(game.builtin_track, 1);
  EXPECT_EQ(game.selected_car, 1);
  EXPECT_EQ(game.track_type, 1);
  EXPECT_EQ(game.tournament_round, 2);
  ASSERT_EQ(game.lap_times.count, 5u);
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

// A write that fails half-way (here: the file size limit) leaves no broken picture.
TEST_F(ScreenshotTest, AFailedWriteLeavesNoFile) {
  ScopedTempDir dir;
  Load_Config();
  Game game;
  auto take_with_small_file_limit = [&game] {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit = {4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    game.Take_Screenshot();
    std::exit(0);
  };
  EXPECT_EXIT(take_with_small_file_limit(), ::testing::ExitedWithCode(0), "");
  EXPECT_TRUE(fs::is_empty(".")) << "a partial screenshot or a temporary file was left";
}

// When no display can be opened any more, the game ends with a message instead of going
// on with no display.
TEST_F(ScreenshotTest, ASwitchThatCannotReopenAnyDisplayEndsWithAMessage) {
  auto switch_without_any_display = [] {
    dup2(2, 1);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    Switch_Video_Mode(1);
    std::exit(0);
  };
  EXPECT_EXIT(switch_without_any_display(), ::testing::ExitedWithCode(1), "ERROR: Cannot open the display");
}

// The sky pictures are read once at start-up (here the missing files report each attempt).
TEST(Game, SkyPicturesAreLoadedOnce) {
  ScopedTempDir dir;
  Load_Config();
  testing::internal::CaptureStdout();
  {
    Game game;
    game.Load_Vehicle_Sprites();
    EXPECT_NE(game.sky->pictures[0], nullptr);
  }
  std::string output = testing::internal::GetCapturedStdout();
  size_t first = output.find("GFX/bg_cloudy3.png");
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(output.find("GFX/bg_cloudy3.png", first + 1), std::string::npos);
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
  // A second across the clock's passing of 2^31 and across its wrap to 0.
  for (uint32_t mark : {0x7FFFFE0Cu, 0xFFFFFE0Cu}) {
    frameCounter = 20;
    fpsMarkTime = static_cast<int>(mark);
    game.Measure_Frame_Rate_At(static_cast<int>(mark + 1000u));
    EXPECT_EQ(fpsInterval, 1000) << mark;
    EXPECT_NEAR(game.fps_value, 60.0f, 0.01f) << mark;
  }
}

}  // namespace

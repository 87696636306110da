// The command line: each option, unknown ones and scales out of range; --version and --help
// answer without starting SDL.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/loop/options.h"
#include "support/temp_dir.h"

namespace {

TEST(Options, EachOptionAndEveryRefusal) {
  struct Case {
    std::vector<const char*> args;
    OptionsOutcome outcome;
    int fullscreen, scale;
  } cases[] = {
      {{}, kOptionsRun, -1, 0},
      {{"--fullscreen"}, kOptionsRun, 1, 0},
      {{"--window"}, kOptionsRun, 0, 0},
      {{"--fullscreen", "--window"}, kOptionsRun, 0, 0},
      {{"--scale", "1"}, kOptionsRun, -1, 1},
      {{"--scale", "4", "--fullscreen"}, kOptionsRun, 1, 4},
      {{"--scale=3"}, kOptionsRun, -1, 3},
      {{"--help"}, kOptionsHelp, -1, 0},
      {{"--window", "--version"}, kOptionsVersion, -1, 0},
      {{"--scale", "0"}, kOptionsBad, -1, 0},
      {{"--scale", "9"}, kOptionsBad, -1, 0},
      {{"--scale", "-1"}, kOptionsBad, -1, 0},
      {{"--scale", "2x"}, kOptionsBad, -1, 0},
      {{"--scale", "12"}, kOptionsBad, -1, 0},
      {{"--scale", ""}, kOptionsBad, -1, 0},
      {{"--scale"}, kOptionsBad, -1, 0},
      {{"--scale="}, kOptionsBad, -1, 0},
      {{"--full"}, kOptionsBad, -1, 0},
      {{"-f"}, kOptionsBad, -1, 0},
      {{"game.cfg"}, kOptionsBad, -1, 0},
      {{"--window", "--bogus", "--help"}, kOptionsBad, -1, 0},
  };
  for (const Case& c : cases) {
    std::vector<const char*> argv = {"vantorello"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    LaunchOptions options;
    std::string shown;
    for (const char* a : c.args) shown += std::string(a) + " ";
    EXPECT_EQ(Parse_Options(static_cast<int>(argv.size()), argv.data(), &options), c.outcome) << shown;
    if (c.outcome != kOptionsRun) continue;
    EXPECT_EQ(options.fullscreen, c.fullscreen) << shown;
    EXPECT_EQ(options.scale, c.scale) << shown;
  }
}

// The real program: answers come before SDL starts (a video driver that cannot start would
// otherwise end it with code 1), and nothing is created in the directory.
TEST(Options, ProgramAnswersWithoutStartingSdl) {
  ScopedTempDir dir;
  struct Case {
    const char* args;
    int code;
    const char* output;
  } cases[] = {
      {"--version", 0, "VantoRello 3.98\n"},
      {"--help", 0, "Usage: vantorello"},
      {"--scale 9", 2, ""},
      {"--unknown", 2, ""},
  };
  for (const Case& c : cases) {
    std::string command = std::string("SDL_VIDEODRIVER=no-such-driver ") + VR_TEST_GAME_EXE + " " + c.args + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
    int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status)) << c.args;
    EXPECT_EQ(WEXITSTATUS(status), c.code) << c.args;
    EXPECT_EQ(output.rfind(c.output, 0), 0u) << c.args << ": " << output;
  }
  EXPECT_TRUE(std::filesystem::is_empty(".")) << "no TRK, no settings";
}

}  // namespace

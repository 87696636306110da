// The command line: each option, unknown ones and scales out of range.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/loop/options.h"

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

}  // namespace

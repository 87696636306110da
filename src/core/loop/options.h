#pragma once
// The command line: --help, --version, --fullscreen, --window, --scale N.

// What the command line asks of this run; nothing given changes nothing.
struct LaunchOptions {
  int fullscreen = -1;  // 1 full screen, 0 window, -1 as saved
  int scale = 0;        // window scale 1..4 for this run, 0 as saved
};

enum OptionsOutcome { kOptionsRun, kOptionsHelp, kOptionsVersion, kOptionsBad };

// Reads argv[1..argc-1] into `out`. Unknown options and a scale outside 1..4 give kOptionsBad.
OptionsOutcome Parse_Options(int argc, const char* const* argv, LaunchOptions* out);
// The usage text, several lines.
const char* Usage_Text();
// Prints usage or version when the outcome asks for it. Returns the exit code, or -1 to run.
int Answer_Options(OptionsOutcome outcome);

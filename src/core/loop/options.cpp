// The command line: parsing the options and answering --help and --version.
#include "core/loop/options.h"

#include <cstdio>
#include <cstring>

#include "online/live_update.h"

namespace {

// 1..4 from the whole text, else 0.
int Scale_Value(const char* text) {
  if (!text || std::strlen(text) != 1 || text[0] < '1' || text[0] > '4') return 0;
  return text[0] - '0';
}

}  // namespace

OptionsOutcome Parse_Options(int argc, const char* const* argv, LaunchOptions* out) {
  LaunchOptions options;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h")) return kOptionsHelp;
    if (!std::strcmp(arg, "--version")) return kOptionsVersion;
    if (!std::strcmp(arg, "--fullscreen")) {
      options.fullscreen = 1;
    } else if (!std::strcmp(arg, "--window")) {
      options.fullscreen = 0;
    } else if (!std::strcmp(arg, "--scale")) {
      options.scale = Scale_Value(i + 1 < argc ? argv[++i] : nullptr);
      if (!options.scale) return kOptionsBad;
    } else if (!std::strncmp(arg, "--scale=", 8)) {
      options.scale = Scale_Value(arg + 8);
      if (!options.scale) return kOptionsBad;
    } else {
      return kOptionsBad;
    }
  }
  if (out) *out = options;
  return kOptionsRun;
}

const char* Usage_Text() {
  return "Usage: vantorello [--fullscreen | --window] [--scale N]\n"
         "  --fullscreen   full screen for this run\n"
         "  --window       a window for this run\n"
         "  --scale N      window size N times 640x480 for this run, N from 1 to 4\n"
         "  --version      print the version and end\n"
         "  --help         print this text and end\n"
         "Without options the saved settings apply.\n";
}

int Answer_Options(OptionsOutcome outcome) {
  switch (outcome) {
    case kOptionsHelp: std::fputs(Usage_Text(), stdout); return 0;
    case kOptionsVersion: std::printf("VantoRello %s\n", kGameVersion); return 0;
    case kOptionsBad: std::fputs(Usage_Text(), stderr); return 2;
    case kOptionsRun: break;
  }
  return -1;
}

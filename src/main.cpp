#include "core/loop/startup.h"

int main(int argc, char** argv) { return Game_Main(argc, argv); }

// In a sanitizer build, sdl12-compat's SDL 2 keeps a few hundred bytes it never frees at
// exit; only that library's leaks are ignored. Unused in a normal build.
extern "C" const char* __lsan_default_suppressions() { return "leak:libSDL2\n"; }

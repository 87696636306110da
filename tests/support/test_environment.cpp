// Process-wide settings of the test program: headless SDL and sanitizer options.
#include <cstdlib>

namespace {
struct HeadlessSdl {
  HeadlessSdl() {
    // A test may still pick another driver (e.g. "disk") before it starts SDL.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
  }
} headless_sdl;
}  // namespace

// Impossible allocations must come back as std::bad_alloc instead of aborting the test.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1"; }
// sdl12-compat's SDL 2 keeps a few hundred bytes it never frees at exit; only that library's
// leaks are ignored, never the game's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libSDL2\n"; }

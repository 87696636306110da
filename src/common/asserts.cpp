#include "common/asserts.h"

#include <cstdio>
#include <stdexcept>
#include <string>

void Soft_Assert(const char* file, int line) {
  std::printf("ASSERT: %s %i\n", file, line);
  std::fflush(stdout);
}

void Hard_Assert(const char* message, const char* file, int line) {
  char text[1024];
  if (message && *message)
    std::snprintf(text, sizeof text, "ASSERT EXCEPT: %s - %s %i\n", message, file, line);
  else
    std::snprintf(text, sizeof text, "ASSERT EXCEPT: %s %i\n", file, line);
  std::fputs(text, stdout);
  std::fflush(stdout);
  throw std::runtime_error(text);
}

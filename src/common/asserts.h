#pragma once
// Soft assertions report and go on; hard assertions report and throw std::runtime_error.

// Prints "ASSERT: <file> <line>".
void Soft_Assert(const char* file, int line);
// Prints "ASSERT EXCEPT: <message> - <file> <line>" (or without message) and throws it.
[[noreturn]] void Hard_Assert(const char* message, const char* file, int line);

#define VR_ASSERT(cond) \
  do { if (!(cond)) Soft_Assert(__FILE__, __LINE__); } while (0)
#define VR_ASSERT_EXCEPT(cond, message) \
  do { if (!(cond)) Hard_Assert((message), __FILE__, __LINE__); } while (0)

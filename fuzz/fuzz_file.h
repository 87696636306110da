#pragma once
// Helpers for fuzz targets whose reader takes a file name: the input is written to a file
// in the working directory (tools/fuzz.sh runs each target in a scratch directory).
#include <cstddef>
#include <cstdint>
#include <cstdio>

inline void Write_Fuzz_File(const char* name, const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(name, "wb");
  if (!file) __builtin_trap();
  if (size) std::fwrite(data, 1, size, file);
  std::fclose(file);
}

// The readers report on standard output; thousands of reports a second only slow fuzzing.
inline void Silence_Standard_Output() {
  if (!std::freopen("/dev/null", "w", stdout)) __builtin_trap();
}

#pragma once
// Helpers for fuzz targets: the input written to a file in the working directory for
// readers that take a file name (tools/fuzz.sh runs each target in a scratch directory),
// or cut into the lines a list reader sees.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

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

// Calls check(line) for each line of the input, its '\n' included where it has one.
template <class Check>
void For_Each_Line(const uint8_t* data, size_t size, Check check) {
  std::string text(reinterpret_cast<const char*>(data), size);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    check(text.substr(start, end - start));
    start = end;
  }
}

#pragma once
// Whole files as strings: what a test writes before and reads back after the code under test.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The bytes of a file; empty when it cannot be read.
inline std::string Read_File(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes the bytes, creating the folders on the way.
inline void Write_File(const std::filesystem::path& path, const std::string& bytes) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}
inline void Write_File(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
  Write_File(path, std::string(bytes.begin(), bytes.end()));
}

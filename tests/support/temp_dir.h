#pragma once
// Runs a test inside a fresh temporary directory and returns to the old one afterwards.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class ScopedTempDir {
 public:
  ScopedTempDir() {
    char pattern[] = "/tmp/vantorello-test-XXXXXX";
    path_ = mkdtemp(pattern);
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
  }
  ~ScopedTempDir() {
    std::filesystem::current_path(old_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::filesystem::path old_;
};

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "frontend/graphics/config.h"
#include "frontend/screens/settings_screen.h"
#include "support/files.h"
#include "support/temp_dir.h"

namespace {

// A missing, older or short file leaves the defaults wherever it gives nothing of this version.
TEST(Config, MissingOlderOrShortFilesKeepTheDefaults) {
  std::vector<unsigned char> older(74, 0);
  older[0] = 3, older[4] = 1, older[6] = 50;  // fullscreen and key_accelerate of version 3
  const struct {
    const char* what;
    std::vector<unsigned char> bytes;  // empty: no file
    int fullscreen, key_accelerate;
  } cases[] = {
      {"missing", {}, 0, 119},
      {"older", older, 0, 119},
      {"short", {4, 0, 0, 0, 1, 0, 120, 0, 0, 0, 99, 0}, 1, 120},  // ends in key_brake
  };
  for (const auto& c : cases) {
    ScopedTempDir dir;
    if (!c.bytes.empty()) Write_File(kConfigFileName, c.bytes);
    Load_Config();
    EXPECT_EQ(fullscreenFlag, c.fullscreen) << c.what;
    EXPECT_EQ(mapped.key_accelerate, c.key_accelerate) << c.what;
    EXPECT_EQ(mapped.key_brake, 115) << c.what;
    EXPECT_EQ(mapped.key_cancel, 8) << c.what;
    EXPECT_EQ(mapped.joy_accelerate, 251) << c.what;
    EXPECT_EQ(mapped.joy_vrcs_minus, 252) << c.what;
    EXPECT_EQ(mapped.joy_cancel, 254) << c.what;
    EXPECT_EQ(settings.language, 0) << c.what;
  }
}

TEST(Config, RoundTripWritesSeventyFourLittleEndianBytes) {
  ScopedTempDir dir;
  Load_Config();
  settings.fullscreen = 1;
  settings.crt_filter = 1;
  settings.language = 1;
  mapped.key_vrcs_plus = 273;
  mapped.key_vrcs_minus = 274;
  mapped.joy_select = 3;
  ASSERT_EQ(Save_Config(), 1);

  auto bytes = Read_File(kConfigFileName);
  ASSERT_EQ(bytes.size(), 74u);
  EXPECT_EQ(bytes[0], 4);
  EXPECT_EQ(bytes[1] | bytes[2] | bytes[3], 0);
  EXPECT_EQ(bytes[4], 1);
  EXPECT_EQ(bytes[6], 119);                      // key_accelerate
  EXPECT_EQ(bytes[30] | bytes[31] << 8, 273);    // key_vrcs_plus at 6 + 6*4
  EXPECT_EQ(bytes[54], 3);                       // joy_select
  EXPECT_EQ(bytes[70], 1);                       // language

  Load_Config();
  EXPECT_EQ(fullscreenFlag, 1);
  EXPECT_EQ(crtFilterFlag, 1);
  EXPECT_EQ(settings.language, 1);
  EXPECT_EQ(mapped.key_vrcs_plus, 273);
  EXPECT_EQ(mapped.key_vrcs_minus, 274);
  EXPECT_EQ(mapped.joy_select, 3);
}

TEST(Config, AnyNonZeroFlagByteIsOnAndTheFilterSwitchesOff) {
  ScopedTempDir dir;
  std::vector<unsigned char> bytes(74, 0);
  bytes[0] = 4;
  bytes[4] = 7;  // fullscreen
  bytes[5] = 2;  // crt_filter
  Write_File(kConfigFileName, bytes);
  Load_Config();
  EXPECT_EQ(fullscreenFlag, 1);
  EXPECT_EQ(crtFilterFlag, 1);
  settings_row = 2;
  Apply_Setting();
  EXPECT_EQ(crtFilterFlag, 0);
  ASSERT_EQ(Save_Config(), 1);
  auto saved = Read_File(kConfigFileName);
  EXPECT_EQ(saved[4], 1);
  EXPECT_EQ(saved[5], 0);
  settings_row = 0;
}

TEST(Config, FailedSaveLeavesTheOldFileAndNoTemporary) {
  ScopedTempDir dir;
  Load_Config();
  ASSERT_EQ(Save_Config(), 1);
  auto before = Read_File(kConfigFileName);
  std::remove(kConfigFileName);
  std::filesystem::create_directory(kConfigFileName);  // a directory cannot be replaced by a file
  mapped.key_left = 1;
  EXPECT_EQ(Save_Config(), 0);
  int entries = 0;
  for (auto& e : std::filesystem::directory_iterator(".")) { (void)e; ++entries; }
  EXPECT_EQ(entries, 1);  // only the directory: no temporary left behind
}

}  // namespace

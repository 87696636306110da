// The player's name: validation, the file beside the settings, the defaults.
#include "frontend/graphics/player_name.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "support/temp_dir.h"

namespace {

std::string File_Text(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(PlayerName, Validation) {
  for (const char* good : {"Ann", "Jo-Ann_Smith 2.0"}) EXPECT_TRUE(Valid_Player_Name(good)) << good;
  EXPECT_TRUE(Valid_Player_Name(std::string(40, 'x').c_str()));
  EXPECT_FALSE(Valid_Player_Name(std::string(41, 'x').c_str()));
  for (const char* bad : {"Al", "", " Ann", "Ann ", "A/nn", "Ann\n", "J\xc3\xb6rg"}) EXPECT_FALSE(Valid_Player_Name(bad)) << bad;
  EXPECT_FALSE(Valid_Player_Name(nullptr));
}

TEST(PlayerName, DefaultsToLoginOrDriverAndReadsTheFile) {
  ScopedTempDir dir;
  Reload_Player_Name();
  std::string first = Player_Name();
  EXPECT_TRUE(Valid_Player_Name(first.c_str())) << first;
  EXPECT_EQ(File_Text(kPlayerNameFile), "");  // nothing written until the player sets a name

  { std::ofstream("VantoRello.name") << "Speedy Gonzo\r\n"; }
  Reload_Player_Name();
  EXPECT_STREQ(Player_Name(), "Speedy Gonzo");

  // A damaged file falls back to the default.
  { std::ofstream("VantoRello.name") << "x\n"; }
  Reload_Player_Name();
  EXPECT_EQ(std::string(Player_Name()), first);
}

TEST(PlayerName, SetValidatesSavesAndSurvivesAReload) {
  ScopedTempDir dir;
  Reload_Player_Name();
  ASSERT_EQ(Set_Player_Name("Lisa M."), 1);
  EXPECT_STREQ(Player_Name(), "Lisa M.");
  EXPECT_EQ(File_Text(kPlayerNameFile), "Lisa M.\n");
  EXPECT_EQ(Set_Player_Name("no"), 0);
  EXPECT_STREQ(Player_Name(), "Lisa M.");
  Reload_Player_Name();
  EXPECT_STREQ(Player_Name(), "Lisa M.");
  std::remove(kPlayerNameFile);
  Reload_Player_Name();
}

TEST(PlayerName, AnUnwritableDirectoryKeepsTheNameForThisRun) {
  ScopedTempDir dir;
  Reload_Player_Name();
  std::remove(kPlayerNameFile);
  std::filesystem::create_directory(kPlayerNameFile);  // a directory in the file's place
  EXPECT_EQ(Set_Player_Name("Kept Name"), 0);
  EXPECT_STREQ(Player_Name(), "Kept Name");
  Reload_Player_Name();
}

}  // namespace

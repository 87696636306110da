// The player's name: validation, the file beside the settings, the defaults.
#include "frontend/graphics/player_name.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/temp_dir.h"

namespace {

TEST(PlayerName, Validation) {
  for (const std::string& good : std::vector<std::string>{"Ann", "Jo-Ann_Smith 2.0", std::string(40, 'x')})
    EXPECT_TRUE(Valid_Player_Name(good.c_str())) << good;
  for (const std::string& bad :
       std::vector<std::string>{"Al", "", " Ann", "Ann ", "A/nn", "Ann\n", "J\xc3\xb6rg", std::string(41, 'x')})
    EXPECT_FALSE(Valid_Player_Name(bad.c_str())) << bad;
  EXPECT_FALSE(Valid_Player_Name(nullptr));
}

TEST(PlayerName, FirstStartGivesASavedDriverNameOfItsOwnAndTheFileIsRead) {
  std::set<std::string> first_names;
  for (int start = 0; start < 4; ++start) {
    ScopedTempDir dir;
    Reload_Player_Name();
    std::string first = Player_Name();
    EXPECT_TRUE(Is_Default_Player_Name(first.c_str())) << first;
    EXPECT_TRUE(Valid_Player_Name(first.c_str())) << first;
    EXPECT_EQ(Read_File(kPlayerNameFile), first + "\n");  // it stays this player's
    Reload_Player_Name();
    EXPECT_EQ(std::string(Player_Name()), first);
    first_names.insert(first);

    { std::ofstream("VantoRello.name") << "Speedy Gonzo\r\n"; }
    Reload_Player_Name();
    EXPECT_STREQ(Player_Name(), "Speedy Gonzo");
    EXPECT_FALSE(Is_Default_Player_Name("Speedy Gonzo"));
  }
  EXPECT_GT(first_names.size(), 1u);  // new players do not share one name
  for (const char* other : {"Driver123", "Driver12345", "driver1234", "Driver12a4"})
    EXPECT_FALSE(Is_Default_Player_Name(other)) << other;
  Reload_Player_Name();
}

// A directory in the file's place keeps the name for this run only.
TEST(PlayerName, SetValidatesSavesAndSurvivesAReload) {
  ScopedTempDir dir;
  Reload_Player_Name();
  ASSERT_EQ(Set_Player_Name("Lisa M."), 1);
  EXPECT_STREQ(Player_Name(), "Lisa M.");
  EXPECT_EQ(Read_File(kPlayerNameFile), "Lisa M.\n");
  EXPECT_EQ(Set_Player_Name("no"), 0);
  EXPECT_STREQ(Player_Name(), "Lisa M.");
  Reload_Player_Name();
  EXPECT_STREQ(Player_Name(), "Lisa M.");
  std::remove(kPlayerNameFile);
  std::filesystem::create_directory(kPlayerNameFile);
  EXPECT_EQ(Set_Player_Name("Kept Name"), 0);
  EXPECT_STREQ(Player_Name(), "Kept Name");
  Reload_Player_Name();
}

}  // namespace

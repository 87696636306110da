// The player's name: validation, the file beside the settings, the defaults.
#include "frontend/graphics/player_name.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
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

TEST(PlayerName, FirstStartGivesASavedDriverNameOfItsOwnAndTheFileIsRead) {
  std::set<std::string> first_names;
  for (int start = 0; start < 4; ++start) {
    ScopedTempDir dir;
    Reload_Player_Name();
    std::string first = Player_Name();
    EXPECT_TRUE(Is_Default_Player_Name(first.c_str())) << first;
    EXPECT_TRUE(Valid_Player_Name(first.c_str())) << first;
    EXPECT_EQ(File_Text(kPlayerNameFile), first + "\n");  // it stays this player's
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

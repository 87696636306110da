// The game's online screens against a hostile web server on 127.0.0.1: every screen comes
// back within the time limit, the game goes on, and no file of the game is replaced.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>

#include "common/formats/leaderboard_file.h"
#include "core/state/game.h"
#include "library/track_list.h"
#include "online/leaderboard.h"
#include "online/network.h"
#include "online/update_screen.h"
#include "support/files.h"
#include "support/hostile_answers.h"
#include "support/service_front_end.h"

namespace {

namespace fs = std::filesystem;

// Every regular file below the game's directory with the size and hash of its contents (the
// GFX and SFX links lead to the shared generated trees and are left out).
std::map<std::string, std::string> Snapshot() {
  std::map<std::string, std::string> files;
  for (auto it = fs::recursive_directory_iterator("."); it != fs::recursive_directory_iterator(); ++it) {
    if (!it->is_regular_file() || it->is_symlink()) continue;
    std::string bytes = Read_File(it->path());
    files[it->path().string()] = std::to_string(bytes.size()) + " bytes, hash " +
                                 std::to_string(std::hash<std::string>()(bytes));
  }
  return files;
}

class HostileServerTest : public FrontEndTest {
 protected:
  // Runs one screen against every hostile answer.
  void Expect_Screen_Survives(const char* screen_name, const std::function<void()>& run) {
    Short_Http_Limits limits;
    for (const Hostile_Answer& answer : Hostile_Answers()) {
      SCOPED_TRACE(std::string(screen_name) + " / " + answer.name);
      Script_Server server(answer.script);
      Point_At(server.port());
      std::map<std::string, std::string> before = Snapshot();
      frame = 0;
      script = [](int) {
        if (frame == 2) Push_Key(SDLK_ESCAPE);
      };
      auto start = std::chrono::steady_clock::now();
      run();
      double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      EXPECT_LE(seconds, Hostile_Time_Limit());
      std::printf("%-32s %.2f s\n", answer.name, seconds);
      EXPECT_EQ(Snapshot(), before) << "a file of the game changed";
      ASSERT_NE(screen, nullptr);
      ASSERT_NE(theGame, nullptr);
    }
    unsetenv("VANTORELLO_SERVER");
  }
};

TEST_F(HostileServerTest, Leaderboard) {
  Leaderboard_Row rows[1] = {};
  std::ofstream("HighScore.txt", std::ios::binary) << Write_Leaderboard(rows, 0);
  Expect_Screen_Survives("leaderboard", [] { Run_Leaderboard_Screen(); });
  // The table fell back to its no-connection lines and nothing was read from the answers.
  EXPECT_STREQ(leaderboard[0].name, "No Internet Connection");
}

TEST_F(HostileServerTest, UpdateCheckAndUpdate) {
  Expect_Screen_Survives("update check at start-up", [] { Offer_Update(); });
  Expect_Screen_Survives("update screen", [] { Run_Live_Update(); });
}

TEST_F(HostileServerTest, CloudListAndDownload) {
  fs::create_directory("TRK");
  Expect_Screen_Survives("cloud list", [] {
    EXPECT_EQ(Load_Cloud_List(), 0);
    EXPECT_STRNE(trackListMessage, "");
  });
  Expect_Screen_Survives("cloud download", [] {
    trackListMode = TRACKS_CLOUD;
    trackListCount = 1;
    trackListSelection = 1;
    std::snprintf(trackList[1].file_name, sizeof trackList[1].file_name, "VRWIN260101120000.TRK");
    EXPECT_EQ(theGame->Start_Selected_Track(), 0);
    EXPECT_FALSE(fs::exists("TRK/VRWIN260101120000.TRK"));
  });
  trackListMode = TRACKS_LOCAL;
  trackListCount = 0;
}

}  // namespace

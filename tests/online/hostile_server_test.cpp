// The game's online screens against a hostile web server on 127.0.0.1: every screen comes
// back within the time limit, the game goes on, and no file of the game is replaced.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "common/formats/file_crc.h"
#include "common/formats/leaderboard_file.h"
#include "common/formats/update_list.h"
#include "core/state/game.h"
#include "library/track_list.h"
#include "online/leaderboard.h"
#include "online/network.h"
#include "online/update_screen.h"
#include "support/files.h"
#include "support/front_end.h"
#include "support/hostile_answers.h"

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

// Leaves the game's own downloads out of a snapshot: files the game may store when an answer
// looks whole, before it reads and refuses them.
std::map<std::string, std::string> Without(std::map<std::string, std::string> files,
                                           const std::set<std::string>& downloads) {
  for (const std::string& name : downloads) files.erase("./" + name);
  return files;
}

class HostileServerTest : public FrontEndTest {
 protected:
  // Runs one screen against every hostile answer.
  void Expect_Screen_Survives(const char* screen_name, const std::function<void()>& run,
                              const std::set<std::string>& downloads = {}) {
    Short_Http_Limits limits;
    for (const Hostile_Answer& answer : Hostile_Answers()) {
      SCOPED_TRACE(std::string(screen_name) + " / " + answer.name);
      Script_Server server(answer.script);
      setenv("VANTORELLO_SERVER", ("127.0.0.1:" + std::to_string(server.port())).c_str(), 1);
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
      EXPECT_EQ(Without(Snapshot(), downloads), Without(before, downloads)) << "a file of the game changed";
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

// A server whose lists name files outside the game, and which answers every file with the
// bytes the list's checksum promises.
Script_Server::Script Hostile_Lists(const std::string& update_list) {
  return [update_list](Script_Server&, int fd, const std::string& request) {
    std::string body = "PWNED\n";
    if (request.find("GET /VantoRello/version.ver ") == 0) body = Write_Version_File("3.99");
    if (request.find("GET /VantoRello/VantoRello.w32.ver ") == 0) body = update_list;
    Script_Server::Send_All(fd, Http_Answer(200, body));
  };
}

TEST_F(HostileServerTest, UpdateListNamesOutsideTheGameAreNeverWritten) {
  Short_Http_Limits limits;
  uint32_t crc = Crc_Bytes(0, "PWNED\n", 6);
  std::string outside = "vantorello-hostile-" + std::to_string(getpid());
  const std::string names[] = {"../" + outside, "/tmp/" + outside, "GFX/../../" + outside, "TRK/../../" + outside,
                               "..\\" + outside, "bad\x01name", "bad\x1b[2Jname", "C:" + outside};
  std::string list;
  for (const std::string& name : names) list += Update_List_Line(name.c_str(), crc);
  Script_Server server(Hostile_Lists(list));
  setenv("VANTORELLO_SERVER", ("127.0.0.1:" + std::to_string(server.port())).c_str(), 1);
  std::map<std::string, std::string> before = Snapshot();
  script = [](int) {
    if (frame == 2) Push_Key(SDLK_ESCAPE);
  };
  testing::internal::CaptureStdout();
  Run_Live_Update();
  std::string printed = testing::internal::GetCapturedStdout();
  unsetenv("VANTORELLO_SERVER");
  EXPECT_FALSE(fs::exists("/tmp/" + outside));
  EXPECT_FALSE(fs::exists(fs::current_path().parent_path() / outside));
  EXPECT_EQ(Without(Snapshot(), {"VantoRello.ver", "version.ver"}), before);
  // Every name was refused with its own line, control characters shown harmlessly.
  int refusals = 0;
  for (size_t at = printed.find("Refused"); at != std::string::npos; at = printed.find("Refused", at + 1)) ++refusals;
  EXPECT_EQ(refusals, 8) << printed;
  EXPECT_EQ(printed.find('\x1b'), std::string::npos);
}

}  // namespace

// The live update against the game's web service and scripted servers on 127.0.0.1.
#include "online/live_update.h"

#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "common/formats/file_crc.h"
#include "common/formats/update_list.h"
#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/player_name.h"
#include "frontend/menu/main_menu.h"
#include "online/network.h"
#include "online/program_swap.h"
#include "online/update_screen.h"
#include "shelves.h"
#include "support/files.h"
#include "support/script_server.h"
#include "support/service_front_end.h"

namespace {

namespace fs = std::filesystem;

ino_t Inode(const std::string& path) {
  struct stat info = {};
  stat(path.c_str(), &info);
  return info.st_ino;
}

uint32_t Crc(const std::string& bytes) { return Crc_Bytes(0, bytes.data(), bytes.size()); }

std::vector<std::string> Leftover_Downloads() {
  std::vector<std::string> found;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator("."))
    if (entry.path().extension() == ".download") found.push_back(entry.path().string());
  return found;
}

// A server that answers each request path from a table (404 for others) and notes the paths.
class Table_Server {
 public:
  std::map<std::string, std::string> answers;
  Script_Server server{[this](Script_Server&, int fd, const std::string& request) { Answer(fd, request); }};

  std::vector<std::string> Requests() {
    std::lock_guard<std::mutex> hold(lock_);
    return requests_;
  }

 private:
  void Answer(int fd, const std::string& request) {
    std::string path = request.substr(0, request.find(" HTTP/"));
    path = path.substr(std::min(path.size(), sizeof "GET /VantoRello/" - 1));
    {
      std::lock_guard<std::mutex> hold(lock_);
      requests_.push_back(path);
    }
    auto found = answers.find(path);
    Script_Server::Send_All(fd, found == answers.end() ? Http_Answer(404, "Not found\n") : found->second);
  }
  std::mutex lock_;
  std::vector<std::string> requests_;
};

class LiveUpdateTest : public ServiceFrontEndTest {
 public:
  void SetUp() override {
    ServiceFrontEndTest::SetUp();
    game_dir = fs::current_path().string();
  }
  void TearDown() override {
    program_file_override.clear();
    ServiceFrontEndTest::TearDown();
  }
  void Publish(const std::map<std::string, std::string>& files, const char* version) {
    fs::remove_all("release-src");
    fs::create_directories("release-src");
    for (const auto& file : files) Write_File("release-src/" + file.first, file.second);
    ASSERT_EQ(Publish_Release("service-data", "release-src", version), 1);
  }
  int Run_Update_Files() {
    EXPECT_EQ(Init_Network(), 0);
    int result = Update_Files();
    Close_Network();
    return result;
  }
  std::string game_dir;
  std::vector<std::string> steps;
};

TEST_F(LiveUpdateTest, VersionCheckComparesLineTwoWithThisVersion) {
  EXPECT_FALSE(Check_For_Update());  // nothing published: 404
  Publish({{"DATA/a.bin", "a"}}, "3.98");
  EXPECT_FALSE(Check_For_Update());
  Publish({{"DATA/a.bin", "a"}}, "3.99");
  EXPECT_TRUE(Check_For_Update());
  EXPECT_EQ(Read_File("version.ver"), "#VantoRello\n3.99\n#VantoRello\n");

  Table_Server other;
  Point_At(other.server.port());
  other.answers["version.ver"] = Http_Answer(200, "#VantoRello\n3.99\nno marker\n");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(Check_For_Update());
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error wrong Update Version File!\n");
}

TEST_F(LiveUpdateTest, BringsChangedAndMissingFilesUpToDateAndLeavesCurrentOnes) {
  Write_File("DATA/same.bin", "same");
  Write_File("DATA/changed.bin", "old bytes");
  ino_t same_inode = Inode("DATA/same.bin");
  Publish({{"DATA/same.bin", "same"},
           {"DATA/changed.bin", "new bytes"},
           {"DATA/new.bin", "fresh"},
           {"DATA/deep/er/new.bin", "deeper"},
           {"DATA/empty.bin", ""}},
          "3.99");
  int text_checked = 0;
  script = [&](int screen_id) {
    ASSERT_EQ(screen_id, SCREEN_LIVE_UPDATE);
    steps.push_back(std::string(update_step) + " " + update_file);
    if (steps.back() == "Updating DATA/changed.bin") {
      // The step word and the name in their rows on black, nothing above them.
      EXPECT_GT(Lit_Pixels(0, 300, 200, 40), 100);
      EXPECT_GT(Lit_Pixels(0, 350, 300, 40), 100);
      EXPECT_EQ(Lit_Pixels(0, 0, 640, 295), 0);
      EXPECT_EQ(Lit_Pixels(320, 300, 320, 40), 0);
      text_checked = 1;
    }
  };
  EXPECT_EQ(Run_Update_Files(), UPDATE_FILES_DONE);
  EXPECT_EQ(text_checked, 1);
  EXPECT_EQ(steps, (std::vector<std::string>{"Checking DATA/changed.bin", "Updating DATA/changed.bin",
                                             "Checking DATA/deep/er/new.bin", "Updating DATA/deep/er/new.bin",
                                             "Checking DATA/empty.bin", "Updating DATA/empty.bin",
                                             "Checking DATA/new.bin", "Updating DATA/new.bin",
                                             "Checking DATA/same.bin"}));
  EXPECT_EQ(Read_File("DATA/changed.bin"), "new bytes");
  EXPECT_EQ(Read_File("DATA/new.bin"), "fresh");
  EXPECT_EQ(Read_File("DATA/deep/er/new.bin"), "deeper");
  EXPECT_TRUE(fs::is_regular_file("DATA/empty.bin"));
  EXPECT_EQ(Inode("DATA/same.bin"), same_inode);
  EXPECT_TRUE(Leftover_Downloads().empty());

  // The release is noted, so the start-up check no longer offers it; a newer one it does.
  EXPECT_EQ(Installed_Version(), "3.99");
  EXPECT_FALSE(Check_For_Update());
  Publish({{"DATA/same.bin", "same"}}, "4.00");
  EXPECT_TRUE(Check_For_Update());
}

TEST_F(LiveUpdateTest, ReadsEveryFormOfListLineAndRefusesNamesOutsideTheGame) {
  Write_File("DATA/current.bin", "current");
  ino_t current_inode = Inode("DATA/current.bin");
  fs::create_directory_symlink(fs::temp_directory_path(), "LINK");
  char crc[16];
  std::snprintf(crc, sizeof crc, "%08X", Crc("x"));
  std::string list = "no bar in this line\na\n../x|" + std::string(crc) + "\nDATA/a\x1b[2Jb|" + crc +
                     "\nGFX/escape.png|" + crc + "\nLINK/escape.bin|" + crc + "\nDATA/current.bin|";
  std::snprintf(crc, sizeof crc, "%08x", Crc("current"));
  list += crc;  // the last line has no line feed
  Table_Server server;
  server.answers["VantoRello.w32.ver"] = Http_Answer(200, list);
  for (const char* name : {"x", "DATA/current.bin", "GFX/escape.png", "LINK/escape.bin"})
    server.answers[name] = Http_Answer(200, std::string(name) == "DATA/current.bin" ? "current" : "x");
  Point_At(server.server.port());
  testing::internal::CaptureStdout();
  EXPECT_EQ(Run_Update_Files(), UPDATE_INCOMPLETE);
  std::string output = testing::internal::GetCapturedStdout();
  EXPECT_EQ(server.Requests(), (std::vector<std::string>{"VantoRello.w32.ver", "version.ver"}));
  EXPECT_EQ(Inode("DATA/current.bin"), current_inode);
  for (const char* refused : {"../x", "DATA/a?[2Jb", "GFX/escape.png", "LINK/escape.bin"})
    EXPECT_NE(output.find("'" + std::string(refused) + "'"), std::string::npos) << refused << "\n" << output;
  EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 4) << output;
  EXPECT_EQ(output.find('\x1b'), std::string::npos);  // control characters shown harmlessly
  EXPECT_FALSE(fs::exists("../x"));
  EXPECT_FALSE(fs::exists(fs::path(VR_TEST_RUN_DIR) / "GFX/escape.png"));
  EXPECT_FALSE(fs::exists(fs::temp_directory_path() / "escape.bin"));
}

TEST_F(LiveUpdateTest, FailedOrDamagedDownloadsLeaveTheOldFile) {
  const std::string fresh = std::string(1000, 'n');
  std::string list;
  for (const char* name : {"gone", "cut", "wrong", "error", "good"}) {
    Write_File(std::string("DATA/") + name + ".bin", "old");
    list += Update_List_Line((std::string("DATA/") + name + ".bin").c_str(), Crc(fresh));
  }
  list += Update_List_Line("NEW/deeper/gone.bin", Crc(fresh));  // its folders go again
  Table_Server server;
  server.answers["VantoRello.w32.ver"] = Http_Answer(200, list);
  server.answers["DATA/cut.bin"] = Http_Answer(200, fresh).substr(0, Http_Answer(200, fresh).size() - 500);
  server.answers["DATA/wrong.bin"] = Http_Answer(200, std::string(1000, 'w'));
  server.answers["DATA/error.bin"] = Http_Answer(500, fresh);
  server.answers["DATA/good.bin"] = Http_Answer(200, fresh);
  Point_At(server.server.port());
  testing::internal::CaptureStdout();
  EXPECT_EQ(Run_Update_Files(), UPDATE_INCOMPLETE);
  std::string output = testing::internal::GetCapturedStdout();
  EXPECT_EQ(update_failures, 5);
  EXPECT_FALSE(fs::exists("NEW"));
  EXPECT_FALSE(fs::exists(kInstalledVersionFile));
  for (const char* name : {"gone", "cut", "wrong", "error"}) {
    EXPECT_EQ(Read_File(std::string("DATA/") + name + ".bin"), "old") << name;
    EXPECT_NE(output.find(std::string("Error downloading DATA/") + name + ".bin!\n"), std::string::npos) << output;
  }
  EXPECT_EQ(Read_File("DATA/good.bin"), fresh);
  EXPECT_TRUE(Leftover_Downloads().empty());
}

TEST_F(LiveUpdateTest, ChangedProgramIsCheckedAndLeftToTheSwapScript) {
  ASSERT_EQ(Set_Player_Name("Anna Berg"), 1);
  program_file_override = game_dir + "/bin/vantorello";
  Write_File("bin/vantorello", "old program");
  Publish({{"DATA/x.bin", "x"}, {"vantorello", "new program"}, {"zz/after.bin", "after"}}, "3.99");
  EXPECT_EQ(Run_Update_Files(), UPDATE_PROGRAM_READY);
  EXPECT_EQ(Read_File("VantoRello.upd"), "new program");
  EXPECT_EQ(Read_File("bin/vantorello"), "old program");
  EXPECT_EQ(Read_File("update.sh"), Swap_Script(game_dir, program_file_override, getpid()));
  EXPECT_EQ(Read_File("DATA/x.bin"), "x");
  EXPECT_FALSE(fs::exists("zz/after.bin"));  // reading stops at the program
  EXPECT_FALSE(fs::exists("vantorello"));
  EXPECT_EQ(service.store.Count("update_log"), 1);

  // A current program lets the update go on to the end.
  fs::remove("VantoRello.upd");
  Write_File("bin/vantorello", "new program");
  EXPECT_EQ(Run_Update_Files(), UPDATE_FILES_DONE);
  EXPECT_EQ(Read_File("zz/after.bin"), "after");
  EXPECT_FALSE(fs::exists("VantoRello.upd"));

  // A damaged program download is dropped; another name for the program file is refused.
  Table_Server server;
  server.answers["VantoRello.w32.ver"] =
      Http_Answer(200, Update_List_Line("vantorello", Crc("newer program")) + Update_List_Line("bin/vantorello", 1) +
                           Update_List_Line("DATA/y.bin", Crc("y")));
  server.answers["VantoRello.w32"] = Http_Answer(200, "newer progra");
  server.answers["DATA/y.bin"] = Http_Answer(200, "y");
  Point_At(server.server.port());
  testing::internal::CaptureStdout();
  EXPECT_EQ(Run_Update_Files(), UPDATE_INCOMPLETE);
  std::string output = testing::internal::GetCapturedStdout();
  EXPECT_NE(output.find("Error downloading VantoRello Update!\n"), std::string::npos) << output;
  EXPECT_NE(output.find("'bin/vantorello'"), std::string::npos) << output;
  EXPECT_FALSE(fs::exists("VantoRello.upd"));
  EXPECT_EQ(Read_File("bin/vantorello"), "new program");
  EXPECT_EQ(Read_File("DATA/y.bin"), "y");
}

TEST_F(LiveUpdateTest, NoticeShowsItsPicturesAndTextsEscapeLeavesItAndSpaceRunsTheUpdate) {
  Publish({{"DATA/x.bin", "x"}}, "3.99");
  script = [&](int screen_id) {
    ASSERT_EQ(screen_id, SCREEN_UPDATE_NOTICE);
    Push_Key(SDLK_ESCAPE);
  };
  Offer_Update();
  EXPECT_FALSE(fs::exists("DATA/x.bin"));

  ASSERT_TRUE(Check_For_Update());
  SDL_Surface* background = Load_Sprites("GFX/bg_tournament.bmp", 0);
  SDL_Surface* panel = Load_Sprites("GFX/info_red.bmp", 0);
  ASSERT_NE(background, nullptr);
  ASSERT_NE(panel, nullptr);
  int notice_frames = 0, update_frames = 0;
  script = [&](int screen_id) {
    if (screen_id == SCREEN_UPDATE_NOTICE && ++notice_frames == 1) {
      EXPECT_GE(Mix_Playing(-1), 1);  // the horn
    }
    if (screen_id == SCREEN_UPDATE_NOTICE && notice_frames == 3) {
      // Pixels of rows y0..y1 that are neither the background nor the panel over it.
      auto off_pictures = [&](int y0, int y1) {
        int off = 0;
        for (int y = y0; y < y1; ++y)
          for (int x = 0; x < 640; ++x) {
            bool in_panel = x >= 117 && x < 117 + panel->w && y >= 111 && y < 111 + panel->h;
            off += Screen_Pixel(x, y) !=
                   (in_panel ? Picture_Pixel(panel, x - 117, y - 111) : Picture_Pixel(background, x, y));
          }
        return off;
      };
      EXPECT_EQ(off_pictures(0, 40) + off_pictures(100, 150) + off_pictures(275, 480), 0);
      EXPECT_GT(off_pictures(40, 100), 500);    // the title
      EXPECT_GT(off_pictures(150, 275), 1000);  // the lines
      Push_Key(SDLK_SPACE);
    }
    if (screen_id == SCREEN_LIVE_UPDATE && update_finished && ++update_frames == 2) {
      EXPECT_GT(Lit_Pixels(0, 0, 400, 40), 100);    // the version
      EXPECT_GT(Lit_Pixels(0, 50, 400, 40), 100);   // connected to the server
      EXPECT_GT(Lit_Pixels(0, 400, 300, 40), 100);  // "Update finished."
      EXPECT_EQ(Lit_Pixels(0, 100, 640, 290), 0);
      Push_Key(SDLK_RETURN);
    }
  };
  Run_Update_Notice();
  EXPECT_GE(notice_frames, 3);
  EXPECT_EQ(update_frames, 2);
  EXPECT_EQ(update_status, 0);
  EXPECT_EQ(Read_File("DATA/x.bin"), "x");
  EXPECT_EQ(Mix_Playing(-1), 0);  // the horn was freed with the notice
  SDL_FreeSurface(background);
  SDL_FreeSurface(panel);
}

// What the update screen ends with: the status line's state and the result line.
struct Update_Outcome {
  int status, result;
  bool finished;
  bool operator==(const Update_Outcome& o) const {
    return status == o.status && result == o.result && finished == o.finished;
  }
};

// Runs the update screen from its menu entry.
Update_Outcome Run_Update_Screen() {
  FrontEndTest::script = [](int) { Push_Key(SDLK_RETURN); };  // read only by the result screen
  menu_selection = 2;
  Activate_Menu_Entry();
  menu_selection = 11;
  return {update_status, update_result, update_finished};
}

TEST_F(LiveUpdateTest, UpdateScreenSaysConnectedOrFinishedOnlyWhenItWas) {
  EXPECT_EQ(Run_Update_Screen(), (Update_Outcome{0, UPDATE_NO_LIST, false}));  // a service with no release
  Table_Server empty;
  empty.answers["VantoRello.w32.ver"] = Http_Answer(200, "no bar here\n");
  Point_At(empty.server.port());
  EXPECT_EQ(Run_Update_Screen(), (Update_Outcome{0, UPDATE_EMPTY_LIST, false}));
  Point_At(Closed_Port());  // the service is stopped
  EXPECT_EQ(Run_Update_Screen(), (Update_Outcome{2, UPDATE_NO_CONNECTION, false}));
  EXPECT_FALSE(fs::exists(kInstalledVersionFile));
  Point_At(port);
  Publish({{"DATA/x.bin", "x"}}, "3.99");
  EXPECT_EQ(Run_Update_Screen(), (Update_Outcome{0, UPDATE_FILES_DONE, true}));
}

TEST_F(LiveUpdateTest, EscapeOrTheWindowsCloseStopsTheUpdateBetweenFiles) {
  Write_File("DATA/a.bin", "old a");
  Write_File("DATA/b.bin", "old b");
  Publish({{"DATA/a.bin", "new a"}, {"DATA/b.bin", "new b"}, {"DATA/c.bin", "new c"}}, "3.99");
  for (bool close_window : {false, true}) {
    SCOPED_TRACE(close_window ? "window closed" : "Escape");
    int frames_after = 0;
    script = [&](int) {
      if (update_result == UPDATE_CANCELLED) {
        if (++frames_after == 2) Push_Key(SDLK_RETURN);
      } else if (std::string(update_step) + " " + update_file == "Checking DATA/b.bin") {
        close_window ? Push_Quit() : Push_Key(SDLK_ESCAPE);
      }
    };
    update_result = UPDATE_FILES_DONE;
    Run_Live_Update();
    EXPECT_EQ(update_result, UPDATE_CANCELLED);
    EXPECT_FALSE(update_finished);
    EXPECT_EQ(Read_File("DATA/a.bin"), "new a");  // replaced whole before the stop
    EXPECT_EQ(Read_File("DATA/b.bin"), "old b");
    EXPECT_FALSE(fs::exists("DATA/c.bin"));
    EXPECT_TRUE(Leftover_Downloads().empty());
    EXPECT_FALSE(fs::exists(kInstalledVersionFile));
    // A closed window ends the screen at once and leaves the close for the menu.
    EXPECT_EQ(frames_after, close_window ? 0 : 2);
    SDL_Event event;
    bool quit_passed_on = false;
    while (SDL_PollEvent(&event)) quit_passed_on |= event.type == SDL_QUIT;
    EXPECT_EQ(quit_passed_on, close_window);
    Write_File("DATA/a.bin", "old a");
  }
}

}  // namespace

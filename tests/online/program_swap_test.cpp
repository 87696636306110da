// The program swap: the real script run by the shell, and the whole update cycle from the
// start-up check to the new program running, against the game's web service on 127.0.0.1.
#include "online/program_swap.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "common/frame_hook.h"
#include "core/loop/startup.h"
#include "service.h"
#include "support/files.h"
#include "support/front_end.h"
#include "support/script_server.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

const std::string kService = VR_TEST_SERVICE_EXE;

void Write(const std::string& path, const std::string& bytes, bool executable = false) {
  Write_File(path, bytes);
  if (executable) chmod(path.c_str(), 0755);
}

// Waits up to `seconds` for a file to hold something.
bool Wait_For_File(const std::string& path, int seconds) {
  auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < give_up) {
    if (!Read_File(path).empty()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

// A stand-in program that answers --version, and otherwise notes its name and working
// directory in "started.txt".
std::string Stand_In(const char* which) {
  return std::string("#!/bin/sh\n[ \"$1\" = --version ] && exit 0\necho \"") + which + " $(pwd)\" > started.txt\n";
}

bool Executable(const std::string& path) {
  struct stat info = {};
  return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IXUSR);
}

TEST(ProgramSwap, ScriptWaitsForTheGameThenReplacesAndStartsTheProgram) {
  ScopedTempDir dir;
  std::string game_dir = dir.path() + "/game dir", program = dir.path() + "/it's bin/vantorello";
  Write(program, Stand_In("old"), true);
  Write(game_dir + "/VantoRello.upd", Stand_In("new"));
  pid_t game = fork();
  if (game == 0) {
    pause();
    _exit(0);
  }
  Write(game_dir + "/update.sh", Swap_Script(game_dir, program, game));
  std::string command = "cd '" + game_dir + "' && sh update.sh >/dev/null 2>&1 &";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  EXPECT_EQ(Read_File(program), Stand_In("old"));  // the game still runs
  EXPECT_FALSE(fs::exists(game_dir + "/started.txt"));
  kill(game, SIGKILL);
  waitpid(game, nullptr, 0);
  ASSERT_TRUE(Wait_For_File(game_dir + "/started.txt", 10));
  EXPECT_EQ(Read_File(game_dir + "/started.txt"), "new " + game_dir + "\n");
  EXPECT_EQ(Read_File(program), Stand_In("new"));
  EXPECT_TRUE(Executable(program));
  EXPECT_FALSE(fs::exists(game_dir + "/VantoRello.upd"));
  EXPECT_FALSE(fs::exists(program + ".new"));
}

// A missing or unusable new program is dropped and the old one starts again.
TEST(ProgramSwap, ANewProgramThatIsMissingOrDoesNotAnswerIsDroppedAndTheOldOneStarts) {
  struct Case {
    const char* what;
    std::string bytes;  // empty: nothing was downloaded
    const char* says;
  };
  const Case cases[] = {
      {"missing", "", "Error: cannot replace the program"},
      {"damaged", Read_File("/bin/true").substr(0, 2000), "Error: the new program does not start"},
      {"refuses --version", "#!/bin/sh\nexit 1\n", "Error: the new program does not start"},
      {"never answers", "#!/bin/sh\nexec sleep 30\n", "Error: the new program does not start"},
  };
  int saved_limit = swap_answer_limit_s;
  swap_answer_limit_s = 1;
  for (const Case& c : cases) {
    ScopedTempDir dir;
    std::string program = dir.path() + "/bin/vantorello";
    Write(program, Stand_In("old"), true);
    if (!c.bytes.empty()) Write("VantoRello.upd", c.bytes);
    Write("update.sh", Swap_Script(dir.path(), program, 999999999));
    ASSERT_EQ(std::system("sh update.sh >output.txt 2>&1"), 0) << c.what;
    EXPECT_EQ(Read_File("started.txt"), "old " + dir.path() + "\n") << c.what;
    EXPECT_EQ(Read_File(program), Stand_In("old")) << c.what;
    EXPECT_TRUE(Executable(program)) << c.what;
    EXPECT_FALSE(fs::exists(program + ".new")) << c.what;
    EXPECT_FALSE(fs::exists("VantoRello.upd")) << c.what;
    EXPECT_NE(Read_File("output.txt").find(c.says), std::string::npos) << c.what;
  }
  swap_answer_limit_s = saved_limit;
}

// The old game, run in a child process from start-up: it finds version 3.99 on the service
// program, Space on the notice starts the update, which replaces a picture, prepares the new
// program and ends the game; the swap script then starts the new program. The service runs as
// its own program: the game's child must be forked from a process without service threads.
TEST(ProgramSwap, WholeCycleFromTheStartUpCheckToTheNewProgram) {
  ScopedTempDir dir;
  std::string game_dir = dir.path() + "/game", program = dir.path() + "/bin/vantorello";
  fs::create_directories(game_dir + "/GFX");
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(VR_TEST_RUN_DIR) / "GFX"))
    fs::create_symlink(entry.path(), game_dir + "/GFX/" + entry.path().filename().string());
  fs::create_directory_symlink(fs::path(VR_TEST_RUN_DIR) / "SFX", game_dir + "/SFX");
  Write(program, Stand_In("old"), true);
  std::string old_picture = Read_File(game_dir + "/GFX/info_red.bmp");
  std::string new_picture = old_picture;
  new_picture[new_picture.size() / 2] ^= 0x55;
  Write("release/GFX/info_red.bmp", new_picture);
  Write("release/vantorello", Stand_In("new"));
  const std::string data = dir.path() + "/data", port = std::to_string(Closed_Port());
  ASSERT_EQ(std::system((kService + " " + data + " --publish-release release 3.99 >/dev/null").c_str()), 0);
  struct Child {
    pid_t pid;
    ~Child() {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
  } server{fork()};
  if (server.pid == 0) {
    if (!freopen((dir.path() + "/service.txt").c_str(), "w", stdout)) _exit(126);
    execl(kService.c_str(), kService.c_str(), data.c_str(), "--host", "127.0.0.1", "--port", port.c_str(), nullptr);
    _exit(127);
  }
  ASSERT_TRUE(Wait_For_File(dir.path() + "/service.txt", 10));  // written once it serves
  setenv("VANTORELLO_SERVER", ("127.0.0.1:" + port).c_str(), 1);

  std::fflush(stdout);
  pid_t game = fork();
  ASSERT_GE(game, 0);
  if (game == 0) {
    if (chdir(game_dir.c_str()) != 0) _exit(2);
    program_file_override = program;
    frameHook = [](int screen_id) {
      if (screen_id == SCREEN_UPDATE_NOTICE) Push_Key(SDLK_SPACE);
      else if (screen_id != SCREEN_LIVE_UPDATE) Push_Key(SDLK_ESCAPE);  // intro or menu: no update came
    };
    Game_Main();
    _exit(3);  // the update should have ended the game
  }
  int status = -1;
  for (int waited = 0; waited < 600 && waitpid(game, &status, WNOHANG) == 0; ++waited)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  if (!WIFEXITED(status)) kill(game, SIGKILL);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  ASSERT_TRUE(Wait_For_File(game_dir + "/started.txt", 15));
  EXPECT_EQ(Read_File(game_dir + "/started.txt"), "new " + game_dir + "\n");
  EXPECT_EQ(Read_File(program), Stand_In("new"));
  EXPECT_EQ(Read_File(game_dir + "/GFX/info_red.bmp"), new_picture);
  EXPECT_FALSE(fs::is_symlink(game_dir + "/GFX/info_red.bmp"));
  EXPECT_EQ(Read_File(fs::path(VR_TEST_RUN_DIR) / "GFX/info_red.bmp"), old_picture);  // the shared tree is untouched
  EXPECT_FALSE(fs::exists(game_dir + "/VantoRello.upd"));
  unsetenv("VANTORELLO_SERVER");
  Service service;
  ASSERT_EQ(service.Open(dir.path() + "/data"), 1);
  EXPECT_EQ(service.store.Count("update_log"), 1);
}

}  // namespace

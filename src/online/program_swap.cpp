#include "online/program_swap.h"

#include <limits.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "common/safe_file.h"

const char* const kProgramUpdateFile = "VantoRello.upd";
const char* const kSwapScriptFile = "update.sh";
int swap_answer_limit_s = 5;

std::string program_file_override;

namespace {

std::string Shell_Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::string Program_File() {
  if (!program_file_override.empty()) return program_file_override;
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return "";
  return std::string(path, static_cast<size_t>(length));
}

std::string Swap_Script(const std::string& game_dir, const std::string& program, long game_pid) {
  std::string dir = Shell_Quote(game_dir), target = Shell_Quote(program), fresh = Shell_Quote(program + ".new");
  return "#!/bin/sh\n"
         "# Written by the live update: waits for the game to end, puts the new program in place\n"
         "# once it has answered --version, and starts whichever program is in place.\n"
         "cd " + dir + " || exit 1\n"
         "tries=0\n"
         "while kill -0 " + std::to_string(game_pid) + " 2>/dev/null && [ $tries -lt 100 ]; do\n"
         "  sleep 0.1\n"
         "  tries=$((tries + 1))\n"
         "done\n"
         "if ! cp VantoRello.upd " + fresh + " || ! chmod 755 " + fresh + "; then\n"
         "  rm -f " + fresh + "\n"
         "  echo \"Error: cannot replace the program; the new one stays in VantoRello.upd\"\n"
         "elif ! timeout -k 1 " + std::to_string(swap_answer_limit_s) + " " + fresh +
         " --version </dev/null >/dev/null 2>&1; then\n"
         "  rm -f " + fresh + " VantoRello.upd\n"
         "  echo \"Error: the new program does not start; the old one stays\"\n"
         "elif mv -f " + fresh + " " + target + "; then\n"
         "  rm -f VantoRello.upd\n"
         "else\n"
         "  rm -f " + fresh + "\n"
         "  echo \"Error: cannot replace the program; the new one stays in VantoRello.upd\"\n"
         "fi\n"
         "exec " + target + "\n";
}

int Write_Swap_Script(const std::string& program) {
  std::error_code error;
  std::string dir = std::filesystem::current_path(error).string();
  if (error || program.empty()) return 0;
  std::string script = Swap_Script(dir, program, static_cast<long>(getpid()));
  return Write_File_Atomic(kSwapScriptFile, script.data(), script.size());
}

int Start_Swap_Script() {
  pid_t child = fork();
  if (child < 0) return 0;
  if (child == 0) {
    // The middle process ends at once, so the script belongs to no one once the game ends.
    setsid();
    pid_t script = fork();
    if (script == 0) {
      closefrom(3);
      execl("/bin/sh", "sh", kSwapScriptFile, static_cast<char*>(nullptr));
      _exit(127);
    }
    _exit(script > 0 ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

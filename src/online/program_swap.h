#pragma once
// The program swap of the live update: the new program is downloaded beside the game's files
// as "VantoRello.upd"; a shell script, started detached when the game ends, waits until the
// game's process is gone, puts the new program in place of the program file once it has
// shown that it runs, and starts the program in the game's directory.
#include <string>

extern const char* const kProgramUpdateFile;  // "VantoRello.upd"
extern const char* const kSwapScriptFile;     // "update.sh"

// The program file being run (its resolved path), or "" when it cannot be found. Tests set
// `program_file_override` to swap a stand-in instead.
extern std::string program_file_override;
std::string Program_File();

// How long the new program has to answer "--version" before the swap gives it up.
extern int swap_answer_limit_s;

// The script that waits for process `game_pid` to end (at most ten seconds), replaces
// `program` by "VantoRello.upd" from `game_dir` and starts it there. The new program takes
// the old one's place only after it answered "--version" in time; a new program that does
// not is deleted and the old one starts. When the program cannot be replaced, the old one
// starts and "VantoRello.upd" is kept.
std::string Swap_Script(const std::string& game_dir, const std::string& program, long game_pid);
// Writes the script for this process into the working directory. 1 on success.
int Write_Swap_Script(const std::string& program);
// Starts "sh update.sh" in a new session, not as a child of the game, with no file open but
// standard input, output and error. 1 when it was started.
int Start_Swap_Script();

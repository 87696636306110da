#pragma once
// The live update: the version check at start-up and the update of the game's files from
// the web service's list of names and checksums. The game's directory is the working
// directory; the program file is wherever the running program lives (see program_swap.h).
#include <cstdint>
#include <string>

extern const char* const kGameVersion;  // "3.98"

// Init_Network's result for the update screen: 0 connected, 1 no network, 2 cannot connect
// (also when the server's name resolved but no connection could be made).
extern int update_status;
// True only when every listed file is up to date.
extern bool update_finished;
// The last live update's result (Update_Result).
extern int update_result;
// Escape or the window's close while the update runs: the update stops before its next file.
extern bool update_cancel_requested;
// Listed files that could not be brought up to date in the last update.
extern int update_failures;
// The last update listed a new program that was left alone: an installed game's program
// comes with the system's packages.
extern bool update_program_left;
// What the update shows now: "Checking" or "Updating" and the file's name.
extern const char* update_step;
extern std::string update_file;

// True when the service names a version other than this one. Never waits longer than the
// HTTP client's time limits.
bool Check_For_Update();

// The release version the last complete update installed ("" when none), written
// atomically to "installed.ver"; the version check compares the service's version with it
// as well as with this program's.
extern const char* const kInstalledVersionFile;
std::string Installed_Version();

enum Update_Result {
  UPDATE_FILES_DONE = 0,     // every listed file is up to date
  UPDATE_PROGRAM_READY = 1,  // the program's swap is prepared
  UPDATE_NO_CONNECTION,      // no connection to the server could be made
  UPDATE_NO_LIST,            // the server gave no update list
  UPDATE_EMPTY_LIST,         // the list names no file
  UPDATE_INCOMPLETE,         // some files could not be updated (update_failures)
  UPDATE_CANCELLED,          // stopped between files; the files replaced so far stay
  UPDATE_SWAP_FAILED,        // the swap script could not be started
};
// Downloads the list and brings every listed file up to date, and notes the release version
// when all went well. Returns UPDATE_PROGRAM_READY when the program file itself has changed
// and its swap is prepared: the game must then start the swap script and end. Must be
// called between Init_Network and Close_Network.
int Update_Files();
// Removes a prepared program swap that will not run: the downloaded program and the script.
void Drop_Program_Update();

// Sends the update log request with the player's name (nothing when the name is refused).
void Send_Update_Log();
// Downloads the new program to "VantoRello.upd", keeps it only when its checksum is
// `listed_crc`, and writes the swap script. Prints why and returns false on failure.
bool Prepare_Program_Update(uint32_t listed_crc);

// 1 when the listed name may be written: a safe relative name whose directory lies inside
// the game's directory and that is not the program file. Otherwise prints one line, 0.
int Update_Target_Allowed(const std::string& name);
// Downloads one listed file over a temporary file that replaces the local one only when it
// arrived whole and has the listed checksum. 1 when the file was replaced.
int Download_Update_File(const std::string& name, uint32_t listed_crc);

#pragma once
// The live update: the version check at start-up and the update of the game's files from
// the web service's list of names and checksums. The game's directory is the working
// directory; the program file is wherever the running program lives (see program_swap.h).
#include <cstdint>
#include <string>

extern const char* const kGameVersion;  // "3.98"

// Init_Network's result for the update screen: 0 connected, 1 no network, 2 cannot connect.
extern int update_status;
extern bool update_finished;
// What the update shows now: "Checking" or "Updating" and the file's name.
extern const char* update_step;
extern std::string update_file;

// True when the service names a version other than this one. Never waits longer than the
// HTTP client's time limits.
bool Check_For_Update();

enum Update_Result { UPDATE_FILES_DONE = 0, UPDATE_PROGRAM_READY = 1 };
// Downloads the list and brings every listed file up to date. Returns UPDATE_PROGRAM_READY
// when the program file itself has changed and its swap is prepared: the game must then
// start the swap script and end. Must be called between Init_Network and Close_Network.
int Update_Files();

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

#pragma once
// The live update's files: the version file ("#VantoRello", the newest version, "#VantoRello")
// and the update list, one "name|checksum" line per file with the checksum in eight
// hexadecimal digits (the File_Crc of the file).
#include <cstddef>
#include <cstdint>
#include <string>

// Request and file names of the live update. The update list names the program file
// "vantorello" (the program this build makes); the service answers its request name with it.
extern const char* const kVersionFileName;     // "version.ver", requested and stored as such
extern const char* const kUpdateListRequest;   // "VantoRello.w32.ver"
extern const char* const kUpdateListFile;      // "VantoRello.ver"
extern const char* const kProgramRequest;      // "VantoRello.w32"
extern const char* const kProgramListName;     // "vantorello"

std::string Write_Version_File(const char* version);
// The version named by a version file, cut at the first line end; 0 when the marker lines
// are wrong.
int Read_Version_File(const char* text, size_t size, std::string* version);

std::string Update_List_Line(const char* name, uint32_t crc);
// Reads one line of the list: skipped (0) when shorter than 3 characters or without "|";
// the name is the text before the first "|", the checksum the hexadecimal digits after it
// (a line end, or none on the last line, ends them).
int Parse_Update_List_Line(const char* line, std::string* name, uint32_t* crc);
// 1 for a listed name the game may write: a relative "/"-separated path of at most 200
// bytes with no empty, "." or ".." part, no backslash, colon or control character.
int Is_Safe_Update_Name(const std::string& name);

#pragma once
// The live update's files: the version file ("#VantoRello", the newest version, "#VantoRello")
// and the update list, one "name|checksum" line per file with the checksum in eight
// hexadecimal digits (the File_Crc of the file).
#include <cstddef>
#include <cstdint>
#include <string>

std::string Write_Version_File(const char* version);
// The version named by a version file, cut at the first line end; 0 when the marker lines
// are wrong.
int Read_Version_File(const char* text, size_t size, std::string* version);

std::string Update_List_Line(const char* name, uint32_t crc);
// Reads one line of the list as the updater does: skipped (0) when shorter than 3
// characters or without "|"; the name is the text before the first "|", the checksum is
// the rest without the line's last character, read as a hexadecimal number.
int Parse_Update_List_Line(const char* line, std::string* name, uint32_t* crc);

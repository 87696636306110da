#pragma once
// The cloud track list "VantoRello.tracks": one line per track, five fields separated by
// "|": file name | track type | sector count | creator | tournament flag.
#include <cstddef>
#include <string>

struct Cloud_Track {
  char file_name[256];
  char creator[64];
  unsigned long sector_count;
  unsigned long track_type;
  unsigned long tournament;
};

// Reads up to `max_tracks` listed lines into `tracks`; numbers are read as strtoul with
// base 0, and a missing field keeps the value of the line before. A line of any length is
// one track; a line whose file name Is_Safe_Cloud_Name refuses is not listed. Returns the
// number of tracks listed.
int Parse_Cloud_List(const char* text, size_t size, Cloud_Track* tracks, int max_tracks);

// One line of the list; "|" and control characters in the texts become spaces so the line
// keeps its five fields.
std::string Cloud_List_Line(const char* file_name, int track_type, int sector_count, const char* creator,
                            int tournament);

// A file name from a server that may be listed and stored under "TRK/": 1 to 255
// characters, no "/", "\", "..", leading "." or control characters.
int Is_Safe_Cloud_Name(const char* name);

// A track file name that is safe to use under "TRK/" and in a request path: 1 to 64
// letters, digits, ".", "_" or "-", not beginning with ".".
int Is_Safe_Track_File_Name(const char* name);

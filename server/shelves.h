#pragma once
// What the web service publishes from its data directory: the track files of "tracks/"
// and the release of "release/" (version file, update list, and the listed files under
// "release/files/").
#include <string>

// Validates a track file with the shared reader and copies it into `data_dir`/tracks under
// its own name (which must be a safe ".TRK" name). 1 on success, else prints why.
int Publish_Track(const std::string& data_dir, const std::string& file);
// The cloud list of every valid track in `data_dir`/tracks, by file name.
std::string Build_Cloud_List(const std::string& data_dir);
// Reads a published track by its file name; 0 when there is no such track.
int Read_Track_Upload(const std::string& data_dir, const std::string& name, std::string* bytes);

// Publishes every regular file under `source_dir` as the release `version`: copies them,
// writes the update list with their checksums and the version file; replaces the old release
// as a whole. 1 on success, else prints why.
int Publish_Release(const std::string& data_dir, const std::string& source_dir, const std::string& version);
// A release file by request name: "version.ver", "VantoRello.w32.ver", "VantoRello.w32"
// (the listed program "vantorello") or another name of the update list. 0 when there is none.
int Read_Release_File(const std::string& data_dir, const std::string& name, std::string* bytes);

// Reads a whole file; 0 when it cannot be read.
int Read_Whole_File(const std::string& path, std::string* bytes);

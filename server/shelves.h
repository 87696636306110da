#pragma once
// What the web service publishes from its data directory: the track files of "tracks/"
// and the release of "release/" (version file, update list, and the listed files under
// "release/files/"). "release" is a symbolic link to a folder of "releases/", switched with
// one rename when a new release is published.
#include <cstdint>
#include <string>
#include <vector>

#include "common/formats/track_file.h"

// A published file opened for serving: the answer is sent from the descriptor.
struct Served_File {
  int fd = -1;
  uint64_t size = 0;
};

// Validates a track file with the shared reader and copies it into `data_dir`/tracks under
// its own name (which must be a safe ".TRK" name). 1 on success, else prints why.
int Publish_Track(const std::string& data_dir, const std::string& file);
// Every valid track in `data_dir`/tracks with its header, by file name.
struct Published_Track {
  std::string file;
  TrackHeader header;
};
std::vector<Published_Track> Published_Tracks(const std::string& data_dir);
// The path of the published track `name`; "" when the name is not a safe track file name.
std::string Published_Track_Path(const std::string& data_dir, const std::string& name);
// The cloud list of every valid track in `data_dir`/tracks, by file name.
std::string Build_Cloud_List(const std::string& data_dir);
// Opens a published track by its file name; 0 when there is no such track.
int Open_Track_Upload(const std::string& data_dir, const std::string& name, Served_File* file);

// Publishes every regular file under `source_dir` as the release `version`: copies them into
// a new folder of "releases/", writes the update list with their checksums and the version
// file, then points "release" at it and removes the older folders. Until the switch the old
// release is served whole; a crash leaves it in place. 1 on success, else prints why.
int Publish_Release(const std::string& data_dir, const std::string& source_dir, const std::string& version);
// Turns a "release" folder of the first layout into a folder of "releases/" and the link to
// it; nothing to do for the current layout. 1 on success.
int Migrate_Release_Layout(const std::string& data_dir);
// Opens a release file by request name: "version.ver", "VantoRello.w32.ver", "VantoRello.w32"
// (the listed program "vantorello") or another name of the update list. 0 when there is none.
int Open_Release_File(const std::string& data_dir, const std::string& name, Served_File* file);

// Reads a whole file; 0 when it cannot be read.
int Read_Whole_File(const std::string& path, std::string* bytes);

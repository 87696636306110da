// The track library's list: local scan, cloud list, deletion and the start of a track.
#include "library/track_list.h"

#include <dirent.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/formats/cloud_list.h"
#include "common/safe_file.h"
#include "common/formats/track_file.h"
#include "core/state/game.h"
#include "online/network.h"
#include "track/track_files.h"

Track_Entry trackList[kTrackListSize + 1];
int trackListCount = 0;
int trackListMode = TRACKS_LOCAL;
int trackListSelection = 1;
char trackListMessage[128] = "";

const char* const kCloudListFile = "TRK/VantoRello.tracks";

namespace {

const size_t kCloudListLimit = size_t(1) << 20;

void Set_Message(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(trackListMessage, sizeof trackListMessage, format, args);
  va_end(args);
}

void Add_Entry(int k, const char* file_name, const char* creator, int sectors, int type, int tournament) {
  Track_Entry& e = trackList[k];
  std::snprintf(e.file_name, sizeof e.file_name, "%.255s", file_name);
  std::snprintf(e.creator, sizeof e.creator, "%.63s", creator);
  e.sector_count = sectors;
  e.track_type = type;
  e.tournament = tournament;
}

// The header of one directory entry; 0 for anything that is not a track file.
int Scan_Entry(const std::string& path, TrackHeader* header) {
  int result = Scan_Track_Header(path.c_str(), header);
  if (result == TRACK_BAD_COUNT) std::printf("VRCS: Invalid Sector Number!\n");
  return result == TRACK_OK;
}

int Read_Cloud_File(std::string* text) {
  FILE* file = Open_Regular_File(kCloudListFile);
  if (!file) return 0;
  std::vector<char> block(65536);
  size_t got;
  while (text->size() < kCloudListLimit && (got = std::fread(block.data(), 1, block.size(), file)) > 0)
    text->append(block.data(), got);
  std::fclose(file);
  return 1;
}

int Download_Cloud_List() {
  int network = Init_Network();
  if (network != 0) {
    if (network != 1) Close_Network();
    return 0;
  }
  int ok = Http_Get("TRK/VantoRello.tracks", kCloudListFile);
  Close_Network();
  return ok;
}

int Download_Track(const char* file_name, const std::string& path) {
  int network = Init_Network();
  if (network != 0) {
    if (network != 1) Close_Network();
    return 0;
  }
  std::string resource = Request_Path(std::string("TRK/uploads/") + file_name);
  int ok = Http_Get(resource.c_str(), path.c_str());
  Close_Network();
  return ok;
}

// A local name is an entry of "TRK" as the scan found it, whatever its characters; a cloud
// name comes from the server and must pass the cloud rule.
bool Is_Startable_Name(const char* name, int mode) {
  if (mode == TRACKS_CLOUD) return Is_Safe_Cloud_Name(name);
  return *name && !std::strchr(name, '/') && std::strcmp(name, ".") && std::strcmp(name, "..");
}

bool Can_Open(const std::string& path) {
  FILE* file = Open_Regular_File(path.c_str());
  if (!file) return false;
  std::fclose(file);
  return true;
}

}  // namespace

void Keep_Selection_In_List() {
  if (trackListSelection > trackListCount) trackListSelection = trackListCount;
  if (trackListSelection < 1) trackListSelection = 1;
}

const Track_Entry* Selected_Track() {
  if (trackListCount < 1) return nullptr;
  Keep_Selection_In_List();
  return &trackList[trackListSelection];
}

int Scan_Track_Directory(const char* dir) {
  DIR* listing = opendir(dir);
  if (!listing) {
    std::printf("Error: Directory %s not found!\n", dir);
    trackListCount = 0;
    trackListMode = TRACKS_LOCAL;
    Keep_Selection_In_List();
    return 0;
  }
  int count = 0;
  while (dirent* entry = readdir(listing)) {
    if (!std::strcmp(entry->d_name, ".") || !std::strcmp(entry->d_name, "..")) continue;
    TrackHeader header;
    if (count >= kTrackListSize || !Scan_Entry(std::string(dir) + "/" + entry->d_name, &header)) continue;
    ++count;
    Add_Entry(count, entry->d_name, header.creator, header.sector_count, header.track_type, header.tournament);
  }
  closedir(listing);
  trackListCount = count;
  trackListMode = TRACKS_LOCAL;
  Keep_Selection_In_List();
  return count;
}

int Load_Cloud_List() {
  std::string text;
  if (!Download_Cloud_List()) {
    Set_Message("The track cloud cannot be reached.");
    return 0;
  }
  if (!Read_Cloud_File(&text)) {
    std::printf("ERROR: Cannot read VantoRello Cloud Data!\n");
    Set_Message("ERROR: Cannot read VantoRello Cloud Data!");
    return 0;
  }
  static Cloud_Track tracks[kTrackListSize];
  int count = Parse_Cloud_List(text.data(), text.size(), tracks, kTrackListSize);
  for (int k = 1; k <= count; ++k) {
    const Cloud_Track& t = tracks[k - 1];
    Add_Entry(k, t.file_name, t.creator, static_cast<int>(t.sector_count), static_cast<int>(t.track_type),
              static_cast<int>(t.tournament));
  }
  trackListCount = count;
  trackListMode = TRACKS_CLOUD;
  trackListMessage[0] = '\0';
  Keep_Selection_In_List();
  return 1;
}

void Delete_Selected_Track() {
  const Track_Entry* entry = Selected_Track();
  if (trackListMode != TRACKS_LOCAL || !entry || entry->tournament) return;
  std::string path = std::string("TRK/") + entry->file_name;
  if (std::remove(path.c_str()) != 0) {
    std::printf("Error deleting track file!\n");
    Set_Message("Error deleting track file!");
  }
  Scan_Track_Directory("TRK");
}

int Game::Start_Selected_Track() {
  const Track_Entry* entry = Selected_Track();
  if (!entry) return 0;
  if (!Is_Startable_Name(entry->file_name, trackListMode)) {
    Set_Message("Refused the track name \"%s\".", entry->file_name);
    return 0;
  }
  std::string path = std::string("TRK/") + entry->file_name;
  bool downloaded = false;
  if (trackListMode == TRACKS_CLOUD && !Can_Open(path)) {
    if (!Download_Track(entry->file_name, path)) {
      Set_Message("Download of %s failed.", entry->file_name);
      return 0;
    }
    downloaded = true;
  }
  if (!Load_Track_File(path.c_str()) || !Build_Loaded_Track()) {
    Set_Message("%s", Track_File_Message(lastTrackFileResult));
    // A broken download is not kept, so the next try fetches it again.
    if (downloaded) std::remove(path.c_str());
    return 0;
  }
  trackListMessage[0] = '\0';
  return 1;
}

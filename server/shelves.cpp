#include "shelves.h"

#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "common/formats/cloud_list.h"
#include "common/formats/file_crc.h"
#include "common/formats/track_file.h"
#include "common/formats/update_list.h"
#include "common/safe_file.h"

namespace fs = std::filesystem;

namespace {

int Write_Bytes(const fs::path& path, const std::string& bytes) {
  return Write_File_Atomic(path.c_str(), bytes.data(), bytes.size());
}

bool Has_Track_Extension(const std::string& name) {
  return name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".TRK") == 0;
}

// A listed release name: relative, "/"-separated, of safe parts, none "." or "..".
bool Is_Safe_Release_Name(const std::string& name) {
  if (name.empty() || name.size() > 200 || name[0] == '/') return false;
  std::stringstream parts(name);
  std::string part;
  while (std::getline(parts, part, '/')) {
    if (part.empty() || part[0] == '.' || !Is_Safe_Track_File_Name(part.c_str())) return false;
  }
  return name.back() != '/';
}

// The names of the current update list.
std::vector<std::string> Release_Names(const fs::path& release) {
  std::vector<std::string> names;
  std::ifstream list(release / kUpdateListRequest);
  std::string line, name;
  uint32_t crc;
  while (std::getline(list, line)) {
    line += '\n';
    if (Parse_Update_List_Line(line.c_str(), &name, &crc)) names.push_back(name);
  }
  return names;
}

// Opens a regular file for serving.
int Open_Served_File(const fs::path& path, Served_File* file) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info;
  if (fd < 0) return 0;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return 0;
  }
  file->fd = fd;
  file->size = static_cast<uint64_t>(info.st_size);
  return 1;
}

// A new folder name under `shelf`: the time, the process and a count.
std::string Release_Folder_Name(const fs::path& shelf) {
  char stamp[32];
  std::time_t now = std::time(nullptr);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::gmtime(&now));
  std::string name;
  std::error_code error;
  for (int n = 1; name.empty() || fs::exists(shelf / name, error); ++n)
    name = std::string(stamp) + "-" + std::to_string(getpid()) + "-" + std::to_string(n);
  return name;
}

// Points "release" at releases/`name` with one rename of a fresh link over it.
int Point_Release_At(const fs::path& root, const std::string& name) {
  fs::path link = root / ("release.link-" + std::to_string(getpid()));
  std::error_code error;
  fs::remove(link, error);
  fs::create_directory_symlink(fs::path("releases") / name, link, error);
  if (!error) fs::rename(link, root / "release", error);
  if (error) fs::remove(link, error);
  return !error;
}

// Removes the folders of `shelf` that a crash left half-copied, and with `keep` given every
// folder but that one (the older releases).
void Remove_Leftovers(const fs::path& shelf, const std::string& keep) {
  std::error_code error;
  std::vector<fs::path> old;
  for (const fs::directory_entry& entry : fs::directory_iterator(shelf, error)) {
    std::string name = entry.path().filename().string();
    if (name.compare(0, 10, ".incoming-") == 0 || (!keep.empty() && name != keep)) old.push_back(entry.path());
  }
  for (const fs::path& path : old) fs::remove_all(path, error);
}

}  // namespace

int Read_Whole_File(const std::string& path, std::string* bytes) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) return 0;
  std::ostringstream all;
  all << in.rdbuf();
  *bytes = all.str();
  return !in.bad();
}

int Publish_Track(const std::string& data_dir, const std::string& file) {
  std::string name = fs::path(file).filename().string();
  if (!Is_Safe_Track_File_Name(name.c_str()) || !Has_Track_Extension(name)) {
    std::printf("Refused %s: a track file name is 1 to 64 letters, digits, '.', '_' or '-' ending in .TRK\n",
                file.c_str());
    return 0;
  }
  std::string bytes;
  if (!Read_Whole_File(file, &bytes)) {
    std::printf("Refused %s: cannot read it\n", file.c_str());
    return 0;
  }
  TrackHeader header;
  std::vector<TrackSector> sectors(kTrackMaxSectors);
  int count = 0;
  int result = Parse_Track_File(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &header,
                                sectors.data(), &count);
  if (result != TRACK_OK) {
    std::printf("Refused %s: %s\n", file.c_str(), Track_File_Message(result));
    return 0;
  }
  fs::path dir = fs::path(data_dir) / "tracks";
  std::error_code error;
  fs::create_directories(dir, error);
  if (!Write_Bytes(dir / name, bytes)) {
    std::printf("Cannot store %s in %s\n", name.c_str(), dir.c_str());
    return 0;
  }
  return 1;
}

std::vector<Published_Track> Published_Tracks(const std::string& data_dir) {
  std::vector<std::string> names;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(data_dir) / "tracks", error)) {
    std::string name = entry.path().filename().string();
    if (entry.is_regular_file(error) && Is_Safe_Track_File_Name(name.c_str()) && Has_Track_Extension(name))
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  std::vector<Published_Track> tracks;
  for (const std::string& name : names) {
    Published_Track track;
    track.file = name;
    if (Scan_Track_Header(Published_Track_Path(data_dir, name).c_str(), &track.header) == TRACK_OK)
      tracks.push_back(track);
  }
  return tracks;
}

std::string Published_Track_Path(const std::string& data_dir, const std::string& name) {
  if (!Is_Safe_Track_File_Name(name.c_str()) || !Has_Track_Extension(name)) return "";
  return (fs::path(data_dir) / "tracks" / name).string();
}

std::string Build_Cloud_List(const std::string& data_dir) {
  std::string list;
  for (const Published_Track& track : Published_Tracks(data_dir))
    list += Cloud_List_Line(track.file.c_str(), track.header.track_type, track.header.sector_count,
                            track.header.creator, track.header.tournament);
  return list;
}

int Open_Track_Upload(const std::string& data_dir, const std::string& name, Served_File* file) {
  if (!Is_Safe_Track_File_Name(name.c_str()) || !Has_Track_Extension(name)) return 0;
  return Open_Served_File(fs::path(data_dir) / "tracks" / name, file);
}

int Migrate_Release_Layout(const std::string& data_dir) {
  fs::path root(data_dir), release = root / "release";
  std::error_code error;
  if (fs::is_symlink(release, error) || !fs::is_directory(release, error)) return 1;
  fs::create_directories(root / "releases", error);
  std::string name = "migrated-" + std::to_string(std::time(nullptr));
  fs::rename(release, root / "releases" / name, error);
  if (error) {
    std::printf("Cannot move %s into %s\n", release.c_str(), (root / "releases").c_str());
    return 0;
  }
  return Point_Release_At(root, name);
}

int Publish_Release(const std::string& data_dir, const std::string& source_dir, const std::string& version) {
  fs::path source(source_dir), root(data_dir), shelf = root / "releases";
  if (!Migrate_Release_Layout(data_dir)) return 0;
  std::error_code error;
  fs::create_directories(shelf, error);
  Remove_Leftovers(shelf, "");
  std::string name = Release_Folder_Name(shelf);
  fs::path fresh = shelf / (".incoming-" + name);
  std::vector<std::string> names;
  for (auto it = fs::recursive_directory_iterator(source, error); !error && it != fs::recursive_directory_iterator();
       it.increment(error)) {
    if (!it->is_regular_file(error) || it->is_symlink(error)) continue;
    std::string file = fs::relative(it->path(), source, error).generic_string();
    if (!Is_Safe_Release_Name(file)) {
      std::printf("Skipped %s: not a safe release file name\n", file.c_str());
      continue;
    }
    fs::create_directories((fresh / "files" / file).parent_path(), error);
    if (!fs::copy_file(it->path(), fresh / "files" / file, error)) {
      std::printf("Cannot copy %s\n", file.c_str());
      fs::remove_all(fresh, error);
      return 0;
    }
    names.push_back(file);
  }
  if (error) {
    std::printf("Cannot read %s\n", source_dir.c_str());
    fs::remove_all(fresh, error);
    return 0;
  }
  std::sort(names.begin(), names.end());
  std::string list;
  for (const std::string& file : names) list += Update_List_Line(file.c_str(), File_Crc((fresh / "files" / file).c_str()));
  if (!Write_Bytes(fresh / kUpdateListRequest, list) || !Write_Bytes(fresh / kVersionFileName, Write_Version_File(version.c_str())) ||
      (fs::rename(fresh, shelf / name, error), error) || !Point_Release_At(root, name)) {
    std::printf("Cannot install the release in %s\n", data_dir.c_str());
    fs::remove_all(fresh, error);
    return 0;
  }
  Remove_Leftovers(shelf, name);
  return 1;
}

int Open_Release_File(const std::string& data_dir, const std::string& name, Served_File* file) {
  // The link is read once, so the list and the file come from the same release.
  std::error_code error;
  fs::path release = fs::canonical(fs::path(data_dir) / "release", error);
  if (error) return 0;
  if (name == kVersionFileName || name == kUpdateListRequest) return Open_Served_File(release / name, file);
  std::string wanted = name == kProgramRequest ? kProgramListName : name;
  std::vector<std::string> names = Release_Names(release);
  if (std::find(names.begin(), names.end(), wanted) == names.end() || !Is_Safe_Release_Name(wanted)) return 0;
  return Open_Served_File(release / "files" / wanted, file);
}

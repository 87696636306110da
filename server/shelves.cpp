#include "shelves.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
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

std::string Build_Cloud_List(const std::string& data_dir) {
  std::vector<std::string> names;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(data_dir) / "tracks", error)) {
    std::string name = entry.path().filename().string();
    if (entry.is_regular_file(error) && Is_Safe_Track_File_Name(name.c_str()) && Has_Track_Extension(name))
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  std::string list;
  for (const std::string& name : names) {
    TrackHeader header;
    std::string path = (fs::path(data_dir) / "tracks" / name).string();
    if (Scan_Track_Header(path.c_str(), &header) != TRACK_OK) continue;
    list += Cloud_List_Line(name.c_str(), header.track_type, header.sector_count, header.creator, header.tournament);
  }
  return list;
}

int Read_Track_Upload(const std::string& data_dir, const std::string& name, std::string* bytes) {
  if (!Is_Safe_Track_File_Name(name.c_str()) || !Has_Track_Extension(name)) return 0;
  return Read_Whole_File((fs::path(data_dir) / "tracks" / name).string(), bytes);
}

int Publish_Release(const std::string& data_dir, const std::string& source_dir, const std::string& version) {
  fs::path source(source_dir), root(data_dir), fresh = root / "release.new", old = root / "release.old";
  std::error_code error;
  fs::remove_all(fresh, error);
  std::vector<std::string> names;
  for (auto it = fs::recursive_directory_iterator(source, error); !error && it != fs::recursive_directory_iterator();
       it.increment(error)) {
    if (!it->is_regular_file(error) || it->is_symlink(error)) continue;
    std::string name = fs::relative(it->path(), source, error).generic_string();
    if (!Is_Safe_Release_Name(name)) {
      std::printf("Skipped %s: not a safe release file name\n", name.c_str());
      continue;
    }
    fs::create_directories((fresh / "files" / name).parent_path(), error);
    if (!fs::copy_file(it->path(), fresh / "files" / name, error)) {
      std::printf("Cannot copy %s\n", name.c_str());
      return 0;
    }
    names.push_back(name);
  }
  if (error) {
    std::printf("Cannot read %s\n", source_dir.c_str());
    return 0;
  }
  std::sort(names.begin(), names.end());
  std::string list;
  for (const std::string& name : names) list += Update_List_Line(name.c_str(), File_Crc((fresh / "files" / name).c_str()));
  if (!Write_Bytes(fresh / kUpdateListRequest, list) || !Write_Bytes(fresh / kVersionFileName, Write_Version_File(version.c_str())))
    return 0;
  fs::remove_all(old, error);
  fs::rename(root / "release", old, error);
  error.clear();
  fs::rename(fresh, root / "release", error);
  if (error) {
    std::printf("Cannot install the release in %s\n", data_dir.c_str());
    return 0;
  }
  fs::remove_all(old, error);
  return 1;
}

int Read_Release_File(const std::string& data_dir, const std::string& name, std::string* bytes) {
  fs::path release = fs::path(data_dir) / "release";
  if (name == kVersionFileName || name == kUpdateListRequest) return Read_Whole_File((release / name).string(), bytes);
  std::string wanted = name == kProgramRequest ? kProgramListName : name;
  std::vector<std::string> names = Release_Names(release);
  if (std::find(names.begin(), names.end(), wanted) == names.end() || !Is_Safe_Release_Name(wanted)) return 0;
  return Read_Whole_File((release / "files" / wanted).string(), bytes);
}

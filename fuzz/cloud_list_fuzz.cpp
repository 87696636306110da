// The cloud list comes from a server: every listed name must be one the game may store
// under "TRK/", and reading must never run past the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "common/formats/cloud_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Cloud_Track tracks[256];
  int count = Parse_Cloud_List(reinterpret_cast<const char*>(data), size, tracks, 256);
  if (count < 0 || count > 256) std::abort();
  for (int i = 0; i < count; ++i) {
    const Cloud_Track& t = tracks[i];
    if (!std::memchr(t.file_name, 0, sizeof t.file_name) || !std::memchr(t.creator, 0, sizeof t.creator)) std::abort();
    if (!Is_Safe_Cloud_Name(t.file_name) || std::strstr(t.file_name, "/") || std::strstr(t.file_name, ".."))
      std::abort();
  }
  return 0;
}

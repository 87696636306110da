// The leaderboard file comes from the network: any bytes must give a form error or fifteen
// entries with terminated names and platforms 0..8; a written file must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/formats/cloud_list.h"
#include "common/formats/leaderboard_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<char> text(data, data + size);
  Leaderboard_Entry entries[kLeaderboardSize];
  int check = Parse_Leaderboard(text.data(), size, entries);
  if (check < LEADERBOARD_OK || check > LEADERBOARD_BAD_LINE_COUNT) std::abort();
  if (check == LEADERBOARD_OK) {
    for (const Leaderboard_Entry& entry : entries)
      if (entry.platform < 0 || entry.platform > 8 || !std::memchr(entry.name, 0, sizeof entry.name)) std::abort();
  }
  // The input as player names of a written table: the form always holds.
  Leaderboard_Row rows[2] = {{std::string(text.begin(), text.end()), 1}, {std::string(text.begin(), text.end()), 2}};
  std::string written = Write_Leaderboard(rows, 2);
  if (Parse_Leaderboard(written.data(), written.size(), entries) != LEADERBOARD_OK && size < 200) std::abort();
  // The same bytes as a cloud list.
  static Cloud_Track tracks[256];
  int count = Parse_Cloud_List(text.data(), size, tracks, 256);
  for (int i = 0; i < count; ++i)
    if (!std::memchr(tracks[i].file_name, 0, sizeof tracks[i].file_name) ||
        !std::memchr(tracks[i].creator, 0, sizeof tracks[i].creator))
      std::abort();
  return 0;
}

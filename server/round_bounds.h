#pragma once
// What a tournament round's time can be, derived from the round's published track file: not
// below the whole race driven at top speed, not above what its checkpoint allowances let a
// race last. Both carry a margin.
#include <cstdint>
#include <mutex>
#include <string>

const int kRoundsPerTournament = 12;

struct Round_Bounds {
  int known;        // 0 when the round's track is not published: nothing can be checked
  int64_t fastest;  // milliseconds of the game's lap clock
  int64_t slowest;
};

// The published file name of round 1..12 ("TT_FL.TRK" ...), or null.
const char* Round_Track_Name(int round);
// The bounds of a race of `race_length` position units.
Round_Bounds Bounds_For_Race_Length(int64_t race_length);

// The twelve rounds' bounds from a tracks folder; a round's file is read again whenever it
// was replaced (publishing renames a new file over it). Safe from several threads.
class Round_Bounds_Table {
 public:
  explicit Round_Bounds_Table(const std::string& tracks_dir = "") : tracks_dir_(tracks_dir) {}
  void Set_Folder(const std::string& tracks_dir);
  Round_Bounds Of(int round);
  // How many of the twelve rounds have a published track.
  int Known_Rounds();

 private:
  void Reload_If_Changed();

  std::string tracks_dir_;
  std::mutex lock_;
  std::string seen_[kRoundsPerTournament];  // identity of the file each round was read from
  Round_Bounds rounds_[kRoundsPerTournament] = {};
};

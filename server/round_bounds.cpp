#include "round_bounds.h"

#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "common/formats/track_file.h"

namespace {

const char* const kRoundTracks[kRoundsPerTournament] = {"TT_FL.TRK", "TT_BV.TRK", "TT_HK.TRK", "TT_EG.TRK",
                                                     "TT_ES.TRK", "TT_RU.TRK", "TT_UK.TRK", "TT_HU.TRK",
                                                     "TT_FY.TRK", "TT_IC.TRK", "TT_BS.TRK", "TT_CH.TRK"};

// The race as the game runs it: a 50 ms frame adds 66 ms to the lap clock and moves the car
// at most 2 x 160 (its top speed) position units; the timer loses a second per wall-clock
// second; a checkpoint every 40000 units refills it (17 s for the first, 15 s for the next,
// plus up to 3 s at the easiest difficulty; at most 48 of them), the finish stretch gets
// 11 s per 40000 units, and the finish lies 1000 units before the end of the lap.
const int64_t kLapClockPerFrame = 66;
const int64_t kMostAdvancePerFrame = 320;
const int64_t kFramesPerSecond = 20;
const int64_t kStretch = 40000;
const int64_t kMostBonus = 3;
const int kMostCheckpoints = 48;
// Once its timer is out the car brakes for itself and can still reach the next checkpoint
// or the finish: from top speed that takes about 90 frames.
const int64_t kBrakingFrames = 100;
// Margins for what the model leaves out (timer phase, frame jitter): ten per cent each way.
const int64_t kMarginPercent = 10;

// The seconds of every stretch of the checkpoint plan, the finish stretch last.
std::vector<int64_t> Stretch_Seconds(int64_t length) {
  std::vector<int64_t> seconds;
  int64_t z = 0;
  if (length > 81000) {
    z = kStretch;
    for (;;) {
      seconds.push_back(kMostBonus + (z == kStretch ? 17 : 15));
      if (length - 41000 <= z + kStretch || static_cast<int>(seconds.size()) >= kMostCheckpoints) break;
      z += kStretch;
    }
  }
  seconds.push_back(std::max<int64_t>(0, (length - 1000 - z) * 11 / kStretch));
  return seconds;
}

}  // namespace

const char* Round_Track_Name(int round) {
  return round >= 1 && round <= kRoundsPerTournament ? kRoundTracks[round - 1] : nullptr;
}

Round_Bounds Bounds_For_Race_Length(int64_t length) {
  int64_t frames = (length - 1000 + kMostAdvancePerFrame) / kMostAdvancePerFrame;  // past the finish line
  int64_t fastest = std::max<int64_t>(1, frames) * kLapClockPerFrame;
  int64_t slowest_frames = 0;
  for (int64_t seconds : Stretch_Seconds(length)) slowest_frames += (seconds + 1) * kFramesPerSecond + kBrakingFrames;
  int64_t slowest = slowest_frames * kLapClockPerFrame;
  return {1, fastest * (100 - kMarginPercent) / 100, slowest * (100 + kMarginPercent) / 100};
}

void Round_Bounds_Table::Set_Folder(const std::string& tracks_dir) {
  std::lock_guard<std::mutex> hold(lock_);
  tracks_dir_ = tracks_dir;
  for (std::string& seen : seen_) seen.clear();
}

void Round_Bounds_Table::Reload_If_Changed() {
  for (int round = 1; round <= kRoundsPerTournament; ++round) {
    std::string path = tracks_dir_ + "/" + kRoundTracks[round - 1];
    struct stat file;
    std::string identity = "none";
    if (stat(path.c_str(), &file) == 0)
      identity = std::to_string(file.st_ino) + ":" + std::to_string(file.st_size) + ":" +
                 std::to_string(file.st_mtim.tv_sec) + "." + std::to_string(file.st_mtim.tv_nsec);
    if (identity == seen_[round - 1]) continue;
    seen_[round - 1] = identity;
    Round_Bounds& bounds = rounds_[round - 1];
    bounds = {0, 0, 0};
    TrackHeader header;
    int count = 0;
    std::vector<TrackSector> sectors(kTrackMaxSectors);
    if (Read_Track_File(path.c_str(), &header, sectors.data(), &count) != TRACK_OK) continue;
    if (header.tournament != 1 || header.track_type != round) continue;
    bounds = Bounds_For_Race_Length(Track_Race_Length(sectors.data(), count));
  }
}

Round_Bounds Round_Bounds_Table::Of(int round) {
  std::lock_guard<std::mutex> hold(lock_);
  if (round < 1 || round > kRoundsPerTournament) return {0, 0, 0};
  Reload_If_Changed();
  return rounds_[round - 1];
}

int Round_Bounds_Table::Known_Rounds() {
  std::lock_guard<std::mutex> hold(lock_);
  Reload_If_Changed();
  int known = 0;
  for (const Round_Bounds& bounds : rounds_) known += bounds.known;
  return known;
}

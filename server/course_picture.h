#pragma once
// A track's course seen from above: the road's curves followed segment by segment and drawn
// as a line into a small PNG, for the leaderboard page. Pictures are kept until their track
// file is replaced.
#include <map>
#include <mutex>
#include <string>

#include "common/formats/track_file.h"

const int kCoursePictureWidth = 240;
const int kCoursePictureHeight = 160;

// The PNG of these sectors' course; "" when it cannot be made.
std::string Draw_Course_Png(const TrackSector* sectors, int count);

class Course_Pictures {
 public:
  // The picture of the published track `path`; 0 when it is not a readable track file.
  int Get(const std::string& path, std::string* png);

 private:
  struct Kept {
    std::string identity;
    std::string png;
  };
  std::mutex lock_;
  std::map<std::string, Kept> kept_;
};

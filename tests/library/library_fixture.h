#pragma once
// Track library tests: the front end with the game's vehicle sprites, an empty "TRK", the
// game's web service on 127.0.0.1, and helpers that write track files.
#include <SDL/SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "common/formats/track_file.h"
#include "core/state/game.h"
#include "frontend/graphics/menu_graphics.h"
#include "library/tournament_tracks.h"
#include "library/track_list.h"
#include "shelves.h"
#include "support/files.h"
#include "support/service_front_end.h"
#include "track/track_files.h"
#include "track/track_sector.h"

class LibraryTest : public ServiceFrontEndTest {
 public:
  void SetUp() override {
    ServiceFrontEndTest::SetUp();
    theGame->Load_Vehicle_Sprites();
    theGame->Load_Car_Models();
    ASSERT_EQ(Allocate_Track_Sectors(), 1);
    mkdir("TRK", 0755);
    trackListCount = 0;
    trackListMode = TRACKS_LOCAL;
    trackListSelection = 1;
    trackListMessage[0] = '\0';
  }

  // Sample user track `index` (0..4) written to `path`; returns its track type.
  static int Write_Sample(int index, const std::string& path) {
    const char* name = nullptr;
    EXPECT_EQ(Make_Sample_Track(index, &name), 1);
    EXPECT_EQ(Write_Track_File(path.c_str(), trackHeader, trackSectors, trackSectorCount), 1);
    return trackHeader.track_type;
  }
  // Selects the listed track of that file name; its place in the list, 0 when it is not listed.
  static int Select(const char* file_name) {
    for (int k = 1; k <= trackListCount; ++k)
      if (std::string(trackList[k].file_name) == file_name) return trackListSelection = k;
    return 0;
  }
  static void Write_Tournament(int round, const std::string& path) {
    EXPECT_EQ(Make_Tournament_Track(round), 1);
    EXPECT_EQ(Write_Track_File(path.c_str(), trackHeader, trackSectors, trackSectorCount), 1);
  }
};

#pragma once
// Track library tests: the front end with the game's vehicle sprites, an empty "TRK", the
// game's web service on 127.0.0.1, and helpers that write track files and read the screen.
#include <SDL/SDL.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "common/formats/track_file.h"
#include "core/state/game.h"
#include "frontend/graphics/menu_graphics.h"
#include "library/tournament_tracks.h"
#include "library/track_list.h"
#include "service.h"
#include "shelves.h"
#include "support/front_end.h"
#include "track/track_files.h"
#include "track/track_sector.h"

class LibraryTest : public FrontEndTest {
 public:
  void SetUp() override {
    FrontEndTest::SetUp();
    theGame->Load_Vehicle_Sprites();
    theGame->Load_Car_Models();
    ASSERT_EQ(Allocate_Track_Sectors(), 1);
    mkdir("TRK", 0755);
    ASSERT_EQ(service.Open("service-data"), 1);
    port = service.Start("127.0.0.1", 0);
    ASSERT_GT(port, 0);
    Point_At(port);
    trackListCount = 0;
    trackListMode = TRACKS_LOCAL;
    trackListSelection = 1;
    trackListMessage[0] = '\0';
  }
  void TearDown() override {
    service.Stop();
    unsetenv("VANTORELLO_SERVER");
    FrontEndTest::TearDown();
  }
  void Point_At(int server_port) {
    setenv("VANTORELLO_SERVER", ("127.0.0.1:" + std::to_string(server_port)).c_str(), 1);
  }

  // Sample user track `index` (0..4) written to `path`; returns its track type.
  static int Write_Sample(int index, const std::string& path) {
    const char* name = nullptr;
    EXPECT_EQ(Make_Sample_Track(index, &name), 1);
    EXPECT_EQ(Write_Track_File(path.c_str(), trackHeader, trackSectors, trackSectorCount), 1);
    return trackHeader.track_type;
  }
  static void Write_Tournament(int round, const std::string& path) {
    EXPECT_EQ(Make_Tournament_Track(round), 1);
    EXPECT_EQ(Write_Track_File(path.c_str(), trackHeader, trackSectors, trackSectorCount), 1);
  }
  static void Write_Bytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string File_Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static std::string File_Bytes_Prefix(const std::string& path, size_t size) { return File_Bytes(path).substr(0, size); }
  static bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
  }

  Service service;
  int port = 0;
};

inline Uint32 Screen_Pixel(int x, int y) { return Picture_Pixel(screen, x, y); }

// Pixels of the screen's rectangle that differ from the same rectangle of a picture drawn
// at (px, py).
inline int Pixels_Off_Picture(const char* path, int px, int py, int x0, int y0, int w, int h) {
  SDL_Surface* picture = Load_Sprites(path, 0);
  EXPECT_NE(picture, nullptr) << path;
  if (!picture) return -1;
  int changed = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) changed += Screen_Pixel(x, y) != Picture_Pixel(picture, x - px, y - py);
  SDL_FreeSurface(picture);
  return changed;
}

// Every opaque pixel of a colour-keyed picture stands on the screen at (x, y).
inline int Keyed_Picture_Shown(const char* path, int x, int y) {
  SDL_Surface* picture = Load_Sprites(path, 1);
  if (!picture) return 0;
  int opaque = 0, wrong = 0;
  for (int py = 0; py < picture->h; ++py)
    for (int px = 0; px < picture->w; ++px) {
      Uint32 value = Picture_Pixel(picture, px, py);
      if (value == picture->format->colorkey) continue;
      ++opaque;
      wrong += Screen_Pixel(x + px, y + py) != value;
    }
  SDL_FreeSurface(picture);
  return opaque > 10 && wrong == 0;
}

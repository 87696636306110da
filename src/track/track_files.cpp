#include "track/track_files.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "common/game_folders.h"
#include "core/state/game.h"
#include "frontend/graphics/player_name.h"
#include "road/road.h"
#include "track/track_sector.h"

TrackHeader trackHeader = {};
char lastTrackFileName[64] = "";
int lastTrackFileResult = TRACK_OK;
const char* const kQuicksaveAuthor = "Quicksave";

int Load_Track_File(const char* path) {
  Set_Track_Sector_Count(0);
  trackHeader.sector_count = 0;
  lastTrackFileResult = TRACK_UNREADABLE;
  if (!trackSectors) return 0;
  int count = 0;
  int result = lastTrackFileResult = Read_Track_File(Data_Path(path).c_str(), &trackHeader, trackSectors, &count);
  if (result != TRACK_OK) {
    std::printf("%s\n", Track_File_Message(result));
    trackHeader.sector_count = 0;
    return 0;
  }
  Set_Track_Sector_Count(count);
  return 1;
}

const char* Make_Track_File_Name() {
  std::time_t now = std::time(nullptr);
  std::tm local;
  localtime_r(&now, &local);
  if (std::strftime(lastTrackFileName, sizeof lastTrackFileName, "VRWIN%y%m%d%H%M%S.TRK", &local) == 0)
    lastTrackFileName[0] = '\0';
  return lastTrackFileName;
}

int Game::Save_Track_File(const char* tag, const char* creator) {
  int tournament = tag && std::strcmp(tag, "Tournament") == 0 ? 1 : 0;
  // The scenario the generator or the loader gave these sectors; the constructor's scenario
  // field may have moved on since.
  int type = trackHeader.track_type >= 1 && trackHeader.track_type <= 12 ? trackHeader.track_type : track_type;
  trackHeader = Make_Track_Header(creator ? creator : Player_Name(), type, tournament);
  trackHeader.sector_count = trackSectorCount;
  char path[96];
  std::snprintf(path, sizeof path, "TRK/%s", Make_Track_File_Name());
  if (!trackSectors || !Write_Track_File(path, trackHeader, trackSectors, trackSectorCount)) {
    std::printf("ERROR saving track data!\n");
    return 0;
  }
  return 1;
}

void Game::Sectors_To_Road_Layout() {
  if (!road || !trackSectors) return;
  for (int i = 0; i < trackSectorCount; ++i)
    road->add_sector(5, trackSectors[i].hill, trackSectors[i].curve, trackSectors[i].length);
}

int Game::Build_Loaded_Track() {
  if (trackSectorCount < 1) return 0;
  New_Road();
  int type = trackHeader.track_type;
  Setup_Scenario(type);
  Load_Scenery_Set(type);
  Sectors_To_Road_Layout();
  Sectors_To_Road_Objects();
  road->lateral += 350;
  road->set_vehicles(&vehicles);
  customTrack = 1;
  Setup_Race();
  return 1;
}

#include "library/tournament_tracks.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "library/tournament_rounds.h"
#include "track/generator.h"
#include "track/track_files.h"
#include "track/track_sector.h"

const char* const kTournamentCreator = "Quindral Racing";

namespace {

// All rounds are long: the field starts ahead of the player, and a good driver needs the
// distance to pass ten cars. The first six played (1, 3, 2, 4, 5, 6) stay gentle, 0 to 15 %
// curves, so that a newcomer can get through them; from round 7 on each round adds a step of
// curves and gives up hills, and with them length. Seeds were picked among a few by the
// autopilot's driver models (tools/autopilot/search_rounds.py).
const Track_Plan kRoundPlans[kTournamentRounds] = {
    {1, 4000, 0, 95, 11},   {2, 4000, 10, 95, 13},  {3, 4000, 5, 95, 11},   {4, 4000, 10, 95, 12},
    {5, 4000, 15, 95, 12},  {6, 4000, 12, 95, 14},  {7, 4000, 30, 80, 11},  {8, 4000, 35, 80, 12},
    {9, 4000, 40, 70, 11},  {10, 4000, 45, 60, 11}, {11, 4000, 50, 50, 11}, {12, 4000, 55, 40, 11},
};

struct Sample_Plan {
  const char* file_name;
  const char* creator;
  Track_Plan plan;
};

const Sample_Plan kSamples[kSampleTracks] = {
    {"VRWIN251103184512.TRK", "Anna Berg", {3, 1000, 60, 10, 201}},
    {"VRWIN251119093027.TRK", "Miko Tanaka", {7, 1200, 45, 25, 202}},
    {"VRWIN251202211540.TRK", "Jules Ferrand", {9, 900, 40, 40, 203}},
    {"VRWIN251214160305.TRK", "Pia Lindqvist", {11, 1500, 30, 10, 204}},
    {"VRWIN251224120000.TRK", "Omar Haddad", {12, 1100, 55, 60, 205}},
};

}  // namespace

int Make_Planned_Track(const Track_Plan& plan, const char* creator, int tournament) {
  if (!Allocate_Track_Sectors()) return 0;
  GeneratorParams saved = generatorParams;
  generatorParams = GeneratorParams{};
  generatorParams.length = plan.length;
  generatorParams.curves = plan.curves;
  generatorParams.hills = plan.hills;
  generatorParams.track_type = plan.track_type;
  std::srand(plan.seed);
  int ok = Generate_Track_Sectors(plan.seed * 7919u);
  generatorParams = saved;
  if (!ok) return 0;
  trackHeader = Make_Track_Header(creator, plan.track_type, tournament);
  trackHeader.sector_count = trackSectorCount;
  return 1;
}

namespace {

int Write_Current(const std::string& path) {
  if (!Write_Track_File(path.c_str(), trackHeader, trackSectors, trackSectorCount)) {
    std::printf("ERROR saving track data! (%s)\n", path.c_str());
    return 0;
  }
  return 1;
}

}  // namespace

const Track_Plan* Tournament_Plan(int round) {
  return round >= 1 && round <= kTournamentRounds ? &kRoundPlans[round - 1] : nullptr;
}

int Make_Tournament_Track(int round) {
  const Track_Plan* plan = Tournament_Plan(round);
  return plan ? Make_Planned_Track(*plan, kTournamentCreator, 1) : 0;
}

int Make_Sample_Track(int index, const char** file_name) {
  if (index < 0 || index >= kSampleTracks) return 0;
  if (file_name) *file_name = kSamples[index].file_name;
  return Make_Planned_Track(kSamples[index].plan, kSamples[index].creator, 0);
}

int Write_Tournament_Tracks(const char* run_dir) {
  int written = 0;
  for (int round = 1; round <= kTournamentRounds; ++round)
    if (Make_Tournament_Track(round))
      written += Write_Current(std::string(run_dir) + "/" + Tournament_Round_Of(round).track_file);
  return written;
}

int Write_Sample_Tracks(const char* sample_dir) {
  int written = 0;
  for (int i = 0; i < kSampleTracks; ++i) {
    const char* name = nullptr;
    if (Make_Sample_Track(i, &name)) written += Write_Current(std::string(sample_dir) + "/" + name);
  }
  return written;
}

// vr_trackgen RUN_DIR: writes the tournament tracks into RUN_DIR/GFX and the sample user
// tracks for the web service's cloud into RUN_DIR/SAMPLES, with the game's generator.
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "library/tournament_rounds.h"
#include "library/tournament_tracks.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vr_trackgen RUN_DIR\n");
    return 2;
  }
  std::string run = argv[1];
  mkdir(run.c_str(), 0755);
  mkdir((run + "/GFX").c_str(), 0755);
  mkdir((run + "/SAMPLES").c_str(), 0755);
  int tournament = Write_Tournament_Tracks(run.c_str());
  int samples = Write_Sample_Tracks((run + "/SAMPLES").c_str());
  std::printf("Wrote %d tournament tracks and %d sample tracks\n", tournament, samples);
  return tournament == kTournamentRounds && samples == kSampleTracks ? 0 : 1;
}

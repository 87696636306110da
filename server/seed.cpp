#include "seed.h"

#include <strings.h>

#include <cstdio>
#include <filesystem>

#include "common/formats/leaderboard_file.h"
#include "service.h"
#include "shelves.h"

namespace fs = std::filesystem;

namespace {

// Results of made-up drivers on every platform, about 25 minutes for twelve rounds.
void Seed_Results(Score_Store& store) {
  for (int k = 0; k < 9; ++k) {
    std::string player = std::to_string(k) + kDefaultDriverNames[k];
    for (char& c : player)
      if (c == ' ') c = '_';
    store.Add_Tournament(player, 1420000 + 37310 * k);
  }
}

}  // namespace

int Seed_Service(Service& service, const std::string& run_dir) {
  int published = 0;
  for (const char* sub : {"GFX", "SAMPLES", "TRK"}) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(run_dir) / sub, error)) {
      std::string name = entry.path().filename().string();
      if (name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".TRK") == 0)
        published += Publish_Track(service.data_dir, entry.path().string());
    }
  }
  if (service.store.Count("tournaments") == 0) Seed_Results(service.store);
  std::printf("Published %d sample tracks\n", published);
  return 1;
}

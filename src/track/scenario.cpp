// The twelve scenarios: names, road colours, horizon and weather.
#include <cstdio>

#include "core/state/game.h"
#include "road/road.h"
#include "road/sky.h"
#include "track/generator.h"

namespace {
struct Scenario {
  const char* name;
  road::Colour road, line, kerb_odd, kerb_even, grass, fog;
  int horizon, weather;
};

const Scenario kScenarios[kTrackTypes] = {
    {"Florida", {130, 125, 120, 255}, {250, 250, 250, 255}, {200, 0, 0, 255}, {250, 250, 250, 255},
     {200, 190, 170, 255}, {160, 150, 155, 255}, 0, 0},
    {"Bavaria", {60, 55, 50, 255}, {250, 250, 250, 255}, {250, 250, 250, 255}, {250, 250, 250, 255},
     {230, 230, 230, 255}, {70, 65, 60, 255}, 1, 0},
    {"Hong Kong", {40, 15, 10, 255}, {150, 120, 120, 255}, {200, 0, 0, 255}, {200, 170, 170, 255}, {30, 0, 0, 255},
     {250, 170, 70, 255}, 2, 0},
    {"Cairo", {190, 50, 0, 255}, {188, 46, 0, 255}, {200, 0, 0, 255}, {100, 0, 0, 255}, {190, 33, 8, 255},
     {100, 10, 0, 255}, 3, 0},
    {"Spain", {130, 125, 120, 255}, {250, 250, 250, 255}, {0, 50, 0, 255}, {0, 90, 0, 255}, {0, 110, 0, 255},
     {160, 150, 155, 255}, 4, 0},
    {"Russia", {130, 125, 120, 255}, {250, 250, 250, 255}, {200, 0, 0, 255}, {250, 250, 250, 255},
     {125, 120, 115, 255}, {160, 150, 155, 255}, 5, 0},
    {"Great Britain", {32, 16, 16, 255}, {140, 130, 150, 255}, {200, 0, 0, 255}, {250, 250, 250, 255},
     {48, 48, 32, 255}, {16, 8, 8, 255}, 6, 2},
    {"Hungary", {130, 125, 120, 255}, {250, 250, 250, 255}, {200, 0, 0, 255}, {250, 250, 250, 255},
     {0, 110, 0, 255}, {160, 150, 155, 255}, 7, 0},
    {"Fantasy", {72, 46, 26, 255}, {70, 45, 20, 255}, {200, 0, 0, 255}, {250, 250, 250, 255}, {0, 110, 0, 255},
     {64, 32, 32, 255}, 8, 0},
    {"Industry City", {130, 125, 120, 255}, {250, 250, 250, 255}, {200, 0, 0, 255}, {250, 250, 250, 255},
     {197, 73, 5, 255}, {160, 150, 155, 255}, 9, 3},
    {"Bahamas", {130, 125, 120, 255}, {200, 200, 0, 255}, {200, 0, 0, 255}, {250, 250, 0, 255}, {0, 73, 255, 255},
     {160, 150, 155, 255}, 10, 4},
    {"Swisserland", {130, 125, 120, 255}, {200, 200, 200, 255}, {200, 0, 0, 255}, {250, 250, 250, 255},
     {0, 90, 0, 255}, {10, 50, 55, 255}, 11, 5},
};
}  // namespace

const char* Scenario_Name(int track_type) {
  return track_type >= 1 && track_type <= kTrackTypes ? kScenarios[track_type - 1].name : nullptr;
}

void Game::Setup_Scenario(int type) {
  weather = 0;
  if (type >= 1 && type <= kTrackTypes) {
    const Scenario& s = kScenarios[type - 1];
    if (road) road->set_colours(s.road, s.line, s.kerb_odd, s.kerb_even, s.grass, s.fog);
    if (sky) sky->set_horizon(s.horizon);
    weather = s.weather;
  } else {
    std::printf("Error: unknown track type!\n");
  }
  track_type = type;
}

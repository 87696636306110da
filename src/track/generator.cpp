// The track generator: a random layout of curves and hills, the scenario's standard
// roadside dressing, its fixed placements and scattered objects, then the road.
#include "track/generator.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>

#include "common/random.h"
#include "core/state/game.h"
#include "road/road.h"
#include "track/scenery.h"
#include "track/track_files.h"

namespace {

// One choice of a dressing column: the right slot's id and offset, the left slot's.
struct Choice {
  int right_id, right_offset, left_id, left_offset;
};
// A column of the standard dressing; more than one choice means a draw per sector.
struct Column {
  int choices;
  Choice choice[3];
  int period;
};
struct Dressing {
  int ground;
  bool arrows;  // posts by the arrow rule instead of the posts column
  Column posts, first, second;
};

Column Fixed(int right_id, int right, int left_id, int left, int period) {
  return {1, {{right_id, right, left_id, left}}, period};
}
Column Pair(int id, int right, int left, int period) { return Fixed(id, right, id, left, period); }
Column Draw2(int a, int b, int right, int left, int period) {
  return {2, {{a, right, a, left}, {b, right, b, left}}, period};
}

const Dressing& Dressing_Of(int type) {
  static const Dressing kDressings[kTrackTypes] = {
      {455, false, Pair(400, -10, 10, 16), Pair(100, 350, -350, 16), Pair(150, 440, -390, 16)},
      {456, true, {}, Pair(101, 350, -350, 16), Pair(151, 350, -300, 16)},
      {456, false, Pair(400, -10, 10, 16), Pair(103, 350, -350, 16), Pair(152, 350, -300, 16)},
      {456, false, Pair(402, -10, 10, 32), Pair(105, 350, -350, 32), Pair(153, 350, -300, 16)},
      {456, false, Pair(107, -10, 10, 32), Pair(106, 350, -350, 16), Pair(154, 350, -300, 16)},
      {456, false, Pair(400, -10, 10, 16), Pair(155, 350, -350, 16),
       {3, {{108, 350, 108, -300}, {110, 350, 110, -300}, {109, 350, 109, -300}}, 16}},
      {457, false, Pair(403, -10, 10, 32), Pair(112, 50, -50, 32), Pair(156, 350, -300, 16)},
      {458, true, {}, Pair(114, 50, -50, 32), Pair(157, 350, -300, 16)},
      {458, false, Pair(404, 210, -210, 32), Draw2(35, 34, 1150, -1150, 16), Draw2(158, 116, 150, -100, 16)},
      {459, false, Pair(400, -10, 10, 16), Draw2(234, 38, 1150, -1150, 32), Draw2(159, 118, 350, -300, 16)},
      {460, false, Fixed(405, -10, 406, 10, 16), Draw2(43, 44, 1150, -1150, 32),
       {2, {{119, -50, 119, 100}, {120, 150, 120, -100}}, 16}},
      {461, true, {}, Draw2(45, 45, 2150, -2150, 32), Draw2(121, 111, 350, -300, 16)},
  };
  return kDressings[type - 1];
}

struct Placement {
  int sector, slot, id, period, offset;
};
struct PlaceCall {
  int count, side, id, left_offset, right_offset;
};

const Placement kFixed5[] = {{3, kSlotR2, 217, 16, 750}, {1, kSlotL2, 218, 32, -300}, {2, kSlotR2, 351, 8, 350}};
const Placement kFixed9[] = {{3, kSlotR2, 232, 32, 750}, {3, kSlotL2, 233, 32, -700}};
const Placement kFixed10[] = {{3, kSlotR2, 239, 32, 1150}, {3, kSlotL2, 240, 32, -1100}};

const PlaceCall kCalls1[] = {{510, 1, 19, 100, 100}, {510, 2, 451, 100, 100}, {20, 0, 250, 500, 500},
                             {10, 0, 210, 0, 1900}};
const PlaceCall kCalls2[] = {{510, 3, 113, 100, 100}, {20, 0, 252, 500, 100}, {20, 0, 251, 500, 500},
                             {10, 0, 24, 400, 400},   {10, 0, 23, 400, 400},  {10, 0, 26, 400, 400}};
const PlaceCall kCalls3[] = {{10, 0, 200, 300, 500}, {10, 0, 204, 200, 200}, {5, 0, 203, 200, 200},
                             {10, 0, 201, 200, 100}, {10, 0, 202, 200, 200}, {5, 2, 300, 200, 500},
                             {5, 2, 301, 200, 400},  {5, 2, 302, 200, 400},  {10, 0, 32, 100, 0}};
const PlaceCall kCalls4[] = {{20, 0, 215, 900, 900}, {10, 0, 216, 900, 900}, {20, 0, 104, 200, 100},
                             {10, 0, 350, -200, 0},  {5, 0, 27, -200, -200}, {5, 0, 28, -200, -200},
                             {10, 0, 450, 100, 100}};
const PlaceCall kCalls5[] = {{15, 0, 217, 400, 400}, {15, 0, 218, 100, 100}, {20, 0, 351, 0, 0},
                             {10, 0, 219, 0, 0},     {5, 0, 220, 800, 800}};
const PlaceCall kCalls6[] = {{5, 0, 221, 400, 400}, {5, 0, 222, 400, 400},  {5, 0, 223, 400, 400},
                             {10, 0, 224, 500, 500}, {5, 0, 225, 400, 400}, {5, 0, 226, 400, 400},
                             {10, 0, 30, 200, 200}};
const PlaceCall kCalls7[] = {{520, 3, 256, 400, 400}, {5, 0, 229, 400, 400}, {5, 0, 230, 400, 400},
                             {5, 0, 228, 400, 400},   {5, 0, 255, 1200, 1200}};
const PlaceCall kCalls8[] = {{510, 3, 260, 900, 900}, {510, 3, 115, 0, 0}, {5, 0, 259, 1400, 1400},
                             {5, 0, 33, 600, 600},    {5, 0, 231, 1400, 1400}};
const PlaceCall kCalls9[] = {{510, 3, 117, 500, 500}, {505, 3, 452, 100, 100}, {510, 3, 261, 100, 100},
                             {10, 0, 233, 400, 400}};
const PlaceCall kCalls10[] = {{10, 2, 235, 400, 400}, {10, 1, 236, 400, 400}, {10, 3, 237, 1000, 1000},
                              {10, 3, 238, 1200, 1200}, {10, 3, 36, 400, 400}, {10, 3, 37, 400, 400},
                              {10, 3, 39, -300, -300}};
const PlaceCall kCalls11[] = {{10, 2, 41, 800, 800}, {10, 1, 41, 800, 800}, {10, 2, 42, 800, 800},
                              {10, 1, 42, 800, 800}, {10, 3, 40, 1000, 1000}};
const PlaceCall kCalls12[] = {{510, 3, 111, 10, 10},   {10, 2, 241, 1800, 1800}, {10, 1, 241, 1800, 1800},
                              {10, 2, 262, 800, 800},  {10, 1, 262, 800, 800},   {10, 2, 263, 800, 800},
                              {10, 1, 263, 800, 800},  {10, 2, 46, 400, 400},    {10, 3, 47, 1400, 1400}};

template <size_t N>
void Run_Calls(const PlaceCall (&calls)[N]) {
  for (const PlaceCall& c : calls) Place_Objects(c.count, c.side, c.id, c.left_offset, c.right_offset);
}
template <size_t N>
void Store_Fixed(const Placement (&fixed)[N]) {
  for (const Placement& p : fixed)
    if (p.sector < trackSectorCount) Set_Sector_Object(trackSectors[p.sector], p.slot, p.id, p.period, p.offset);
}

void Run_Place_Calls(int type) {
  switch (type) {
    case 1: Run_Calls(kCalls1); break;
    case 2: Run_Calls(kCalls2); break;
    case 3: Run_Calls(kCalls3); break;
    case 4: Run_Calls(kCalls4); break;
    case 5: Run_Calls(kCalls5); break;
    case 6: Run_Calls(kCalls6); break;
    case 7: Run_Calls(kCalls7); break;
    case 8: Run_Calls(kCalls8); break;
    case 9: Run_Calls(kCalls9); break;
    case 10: Run_Calls(kCalls10); break;
    case 11: Run_Calls(kCalls11); break;
    case 12: Run_Calls(kCalls12); break;
  }
}

void Store_Fixed_Placements(int type) {
  if (type == 5) Store_Fixed(kFixed5);
  else if (type == 9) Store_Fixed(kFixed9);
  else if (type == 10) Store_Fixed(kFixed10);
}

void Set_Column(TrackSector& s, const Column& column, int right_slot, int left_slot) {
  const Choice& c = column.choice[column.choices > 1 ? Random_Range(1, column.choices) - 1 : 0];
  Set_Sector_Object(s, right_slot, c.right_id, column.period, c.right_offset);
  Set_Sector_Object(s, left_slot, c.left_id, column.period, c.left_offset);
}

void Set_Arrows(TrackSector& s) {
  if (s.curve < 0) {
    Set_Sector_Object(s, kSlotR3, 31, 8, 60);
    Set_Sector_Object(s, kSlotL3, 401, 16, 10);
  } else if (s.curve > 0) {
    Set_Sector_Object(s, kSlotL3, 31, 8, -60);
    Set_Sector_Object(s, kSlotR3, 401, 16, -10);
  } else {
    Set_Sector_Object(s, kSlotL3, 401, 16, 10);
    Set_Sector_Object(s, kSlotR3, 401, 16, -10);
  }
}

void Dress_Sectors(int type) {
  const Dressing& d = Dressing_Of(type);
  for (int i = 0; i < trackSectorCount; ++i) {
    TrackSector& s = trackSectors[i];
    Set_Sector_Object(s, kSlotLeftGround, d.ground, 0, 0);
    Set_Sector_Object(s, kSlotRightGround, d.ground, 0, 0);
    if (d.arrows) Set_Arrows(s);
    else Set_Column(s, d.posts, kSlotR3, kSlotL3);
    Set_Column(s, d.first, kSlotR1, kSlotL1);
    Set_Column(s, d.second, kSlotR2, kSlotL2);
    s.state = 1;
  }
}

// Draws run lengths of 20..49 until the budget is spent; returns how many were recorded.
int Draw_Runs(int budget, int* runs) {
  int count = 0;
  while (count < kTrackSectorCapacity) {
    int length = std::rand() % 30 + 20;
    budget -= length;
    if (budget < 0) break;
    runs[count++] = length;
  }
  return count;
}

// The random layout: curve runs, then hill runs, each on a drawn sector.
void Lay_Out(int length, int* curve_runs, int* hill_runs) {
  int curves = Draw_Runs(generatorParams.curves * length / 100, curve_runs);
  for (int i = 0; i < curves; ++i) {
    TrackSector& s = trackSectors[(std::rand() % (length - 50)) / 10];
    s.length = curve_runs[i];
    s.hill = 0;
    if (std::rand() % 2) s.curve = 200, ++trackStats.right_turns;
    else s.curve = -200, ++trackStats.left_turns;
  }
  int hills = Draw_Runs(generatorParams.hills * length / 100, hill_runs);
  for (int i = 0; i < hills; ++i) {
    TrackSector& s = trackSectors[(std::rand() % (length - 50)) / 10];
    s.length = hill_runs[i];
    if (std::rand() % 2) s.hill = 200, ++trackStats.hills_up;
    else s.hill = -200, ++trackStats.hills_down;
  }
}

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace

void Startup_Defaults() {
  int type = generatorParams.track_type;
  generatorParams = GeneratorParams{};
  generatorParams.track_type = type;
}

void Clear_Track_Stats() { trackStats = TrackStats{}; }

void Reset_Constructor() {
  if (theGame) generatorParams.track_type = theGame->track_type;
  Clear_Track_Stats();
}

void Exhibition_Defaults(int track_type) {
  generatorParams = GeneratorParams{};
  generatorParams.length = 1600;
  generatorParams.hills = 40;
  generatorParams.track_type = track_type;
  Clear_Track_Stats();
}

int Generate_Track_Sectors(unsigned dressing_seed) {
  if (!trackSectors) return 0;
  int* curve_runs = new (std::nothrow) int[kTrackSectorCapacity];
  int* hill_runs = new (std::nothrow) int[kTrackSectorCapacity];
  if (!curve_runs || !hill_runs) {
    std::printf("ERROR: Memory\n");
    delete[] curve_runs;
    delete[] hill_runs;
    return 0;
  }
  // Lengths outside the constructor's range would index past the array or divide by zero.
  int length = Clamp(generatorParams.length, 800, 4000);
  Set_Track_Sector_Count(length / 10);
  trackStats.sectors = trackSectorCount;
  for (int i = 0; i < trackSectorCount; ++i) trackSectors[i] = TrackSector{10, 0, 0, 0, {}, {}, {}, {}, {}, {}, {}, {}};
  Lay_Out(length, curve_runs, hill_runs);
  delete[] curve_runs;
  delete[] hill_runs;

  std::srand(dressing_seed);
  int type = generatorParams.track_type;
  if (type >= 1 && type <= kTrackTypes) {
    trackHeader.track_type = type;
    Dress_Sectors(type);
    Store_Fixed_Placements(type);
    Run_Place_Calls(type);
  }
  return 1;
}

void Game::Generate_Track() {
  if (!Generate_Track_Sectors(static_cast<unsigned>(std::time(nullptr)))) return;
  road::Road* r = New_Road();
  r->set_colours({60, 55, 50, 255}, {250, 250, 250, 255}, {250, 250, 250, 255}, {250, 250, 250, 255},
                 {230, 230, 230, 255}, {70, 65, 60, 255});
  for (int i = 0; i < trackSectorCount; ++i)
    r->add_sector(5, trackSectors[i].hill, trackSectors[i].curve, trackSectors[i].length);

  builtin_track = 1;
  int type = generatorParams.track_type;
  if (type >= 1 && type <= kTrackTypes) {
    Load_Scenery_Set(type);
    Setup_Scenario(type);
    if (type == 2) builtin_track = 2;
  }
  r->lateral += 350;
  r->set_vehicles(&vehicles);
  Setup_Race();
}

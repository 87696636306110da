// The two tracks built into the game: Florida and Bavaria.
#include "core/state/game.h"
#include "road/road.h"
#include "road/sky.h"

namespace {
// A scenery run: length x id / period / offset; id -1 is a gap with nothing in it.
struct Run {
  int length, id, period, offset;
};
const int kGap = -1;

// A layout run: length, curve, hill.
struct LayoutRun {
  int length, curve, hill;
};

const LayoutRun kFloridaLayout[] = {
    {100, 0, 0},    {20, 20, 0},    {10, -15, 0},  {30, 0, 0},    {40, 0, 50},   {30, -40, -70}, {60, 0, -70},
    {100, 40, 0},   {150, 60, 0},   {100, -60, 0}, {150, 0, -40}, {200, -80, 0}, {100, 60, 40},  {400, -150, 0},
    {50, 80, 0},    {50, -70, 0},   {300, 0, 0},   {15, 0, 60},   {15, 0, -60},  {370, 0, 0},    {100, 0, -20},
    {100, 60, -10}, {200, 0, 0},    {150, -40, 30}, {50, 40, 30}, {20, -40, 30}, {300, 0, 0},    {100, 0, 0}};

const LayoutRun kBavariaLayout[] = {
    {100, 0, 25},     {100, 20, 0},  {100, -140, 220}, {50, 80, -40}, {50, -140, 220},
    {100, 0, 0},      {100, 0, 0},   {300, -300, 200}, {300, 200, -100}, {100, 0, 100},
    {100, 100, 0},    {50, -300, 200}, {50, 300, 0},   {300, 300, 0}, {100, 0, 0}};

// Post runs shared by both tracks (3510 segments).
const int kPostLengths[] = {300, 300, 300, 300, 1000, 300, 1000, 10};

const Run kFloridaL1[] = {{100, 100, 16, -350}, {60, 150, 8, -350},  {40, 150, 8, -350},  {30, 100, 16, -350},
                          {40, 250, 16, -850},  {100, 150, 4, -350}, {150, 150, 4, -350}, {100, 150, 4, -350},
                          {150, 150, 8, -350},  {200, 150, 8, -350}, {100, 150, 8, -350}, {400, 150, 8, -350},
                          {100, 150, 8, -350},  {700, kGap, 0, 0}};
const Run kFloridaL2[] = {{100, 150, 8, -300},  {60, 210, 16, -350},  {40, 210, 16, -300},  {30, 150, 8, -300},
                          {60, kGap, 0, 0},     {100, kGap, 0, 0},    {150, kGap, 0, 0},    {100, 100, 16, -300},
                          {150, 210, 16, -300}, {200, 210, 16, -300}, {100, kGap, 0, 0},    {400, 100, 16, -300},
                          {100, 150, 16, -300}, {700, 100, 16, -300}};
const Run kFloridaR1[] = {{100, 150, 8, 350}, {60, 250, 16, 850}, {40, 100, 8, 350},  {30, 19, 8, 350},
                          {60, 150, 4, 350},  {100, 150, 4, 350}, {100, 451, 4, 350}, {20, 451, 4, 350},
                          {30, 451, 4, 350},  {100, 19, 8, 350},  {100, 451, 4, 350}, {50, 451, 4, 350},
                          {200, 100, 16, 350}, {100, 100, 8, 350}, {200, kGap, 0, 0}, {200, 150, 8, 350},
                          {100, 150, 8, 350}, {400, 100, 8, 350}, {200, 150, 8, 350}, {100, 19, 8, 350},
                          {100, 150, 8, 350}, {200, 100, 16, 350}, {150, 451, 4, 350}, {50, 451, 4, 350},
                          {20, 451, 4, 350},  {300, 100, 8, 350}, {100, 100, 8, 350}};
const Run kFloridaR2[] = {{100, 250, 16, 850},  {60, 150, 8, 350},    {40, 100, 8, 550},    {30, kGap, 0, 0},
                          {60, kGap, 0, 0},     {100, 250, 16, 1850}, {150, kGap, 0, 0},    {100, 100, 16, 750},
                          {150, kGap, 0, 0},    {200, 150, 8, 350},   {100, 150, 8, 350},   {400, 100, 16, 350},
                          {100, 150, 16, 350},  {400, 100, 16, 750},  {200, 100, 16, 750},  {100, 100, 16, 750},
                          {100, kGap, 0, 0},    {200, kGap, 0, 0},    {150, kGap, 0, 0},    {50, kGap, 0, 0},
                          {20, kGap, 0, 0},     {300, 451, 8, 550},   {100, 451, 8, 550}};

const Run kBavariaL1[] = {{100, 151, 32, -350}, {10, kGap, 0, 0},    {90, 101, 16, -850}, {200, 102, 8, -350},
                          {100, kGap, 0, 0},    {100, kGap, 0, 0},   {300, 252, 16, -850}, {300, kGap, 0, 0},
                          {100, kGap, 0, 0},    {100, kGap, 0, 0},   {100, kGap, 0, 0},   {300, kGap, 0, 0},
                          {100, kGap, 0, 0}};
const Run kBavariaL2[] = {{100, 102, 16, -300}, {90, 101, 16, -300}, {10, kGap, 0, 0},     {200, kGap, 0, 0},
                          {100, 102, 16, -300}, {100, 26, 32, -300}, {300, 151, 8, -300},  {300, 31, 16, -300},
                          {100, 101, 16, -300}, {100, 101, 8, -300}, {100, 31, 6, -300},   {300, 102, 16, -300},
                          {100, 102, 16, -300}};
const Run kBavariaR1[] = {{100, 23, 16, 150},  {100, kGap, 0, 0}, {200, 102, 8, 350}, {100, kGap, 0, 0},
                          {100, kGap, 0, 0},   {300, 252, 16, 850}, {300, kGap, 0, 0}, {100, 24, 32, 850},
                          {100, kGap, 0, 0},   {100, kGap, 0, 0}, {300, kGap, 0, 0},  {100, kGap, 0, 0}};
const Run kBavariaR2[] = {{30, kGap, 0, 0},    {40, 251, 16, 850},  {10, 24, 16, 350},   {20, 227, 16, 850},
                          {100, 101, 16, 350}, {100, 31, 6, 150},   {50, kGap, 0, 0},    {50, 31, 6, 150},
                          {100, 26, 32, 350},  {100, 102, 16, 350}, {300, 31, 6, 150},   {300, 101, 16, 350},
                          {100, 101, 16, 350}, {100, 101, 8, 350},  {100, 31, 6, 350},   {300, 102, 16, 350},
                          {100, 102, 16, 350}};

template <size_t N>
void Append_Runs(const Game& game, SectorList* list, const Run (&runs)[N]) {
  for (const Run& r : runs) {
    sprite* s = r.id == kGap ? nullptr : game.Object_Sprite(r.id);
    list->append({s, 0, r.length, r.id == kGap ? 0 : r.period, r.offset, 0, 0, 0});
  }
}

void Append_Posts(const Game& game, SectorList* list, int id, int offset) {
  for (int length : kPostLengths) list->append({game.Object_Sprite(id), 0, length, 16, offset, 0, 0, 0});
}

template <size_t N>
void Append_Layout(road::Road* r, const LayoutRun (&runs)[N]) {
  for (const LayoutRun& run : runs) r->add_sector(5, run.hill, run.curve, run.length);
}
}  // namespace

road::Road* Game::New_Road() {
  road::Road* fresh = new road::Road(camera);
  if (road && road != fresh) delete road;
  road = fresh;
  return fresh;
}

void Game::Build_Builtin_Track() {
  if (builtin_track == 1) {
    if (sky) sky->set_horizon(0);
    Load_Scenery_Set(1);
    Build_Florida_Track();
  } else if (builtin_track == 2) {
    if (sky) sky->set_horizon(1);
    Load_Scenery_Set(2);
    Build_Bavaria_Track();
  }
  Setup_Race();
}

void Game::Build_Florida_Track() {
  road::Road* r = New_Road();
  r->set_colours({130, 125, 120, 255}, {250, 250, 250, 255}, {200, 0, 0, 255}, {250, 250, 250, 255},
                 {80, 100, 80, 255}, {160, 150, 155, 255});
  r->C0->append({Object_Sprite(455), 0, 3300, 0, 0, 0, 0, 0});
  r->C1->append({Object_Sprite(455), 0, 3300, 0, 0, 0, 0, 0});
  Append_Posts(*this, r->L3, 400, 10);
  Append_Posts(*this, r->R3, 400, -10);
  Append_Runs(*this, r->L1, kFloridaL1);
  Append_Runs(*this, r->L2, kFloridaL2);
  Append_Runs(*this, r->R1, kFloridaR1);
  Append_Runs(*this, r->R2, kFloridaR2);
  Append_Layout(r, kFloridaLayout);
  r->lateral += 350;
  r->set_vehicles(&vehicles);
}

void Game::Build_Bavaria_Track() {
  road::Road* r = New_Road();
  r->set_colours({60, 55, 50, 255}, {250, 250, 250, 255}, {250, 250, 250, 255}, {250, 250, 250, 255},
                 {230, 230, 230, 255}, {70, 65, 60, 255});
  Append_Posts(*this, r->L3, 401, 10);
  Append_Posts(*this, r->R3, 401, -10);
  Append_Runs(*this, r->L1, kBavariaL1);
  Append_Runs(*this, r->L2, kBavariaL2);
  Append_Runs(*this, r->R1, kBavariaR1);
  Append_Runs(*this, r->R2, kBavariaR2);
  Append_Layout(r, kBavariaLayout);
  r->lateral += 350;
  r->set_vehicles(&vehicles);
}

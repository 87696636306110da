// Opponents and traffic: the start grid, pace exchange, dodging the player, the race position.
#include <cstdlib>

#include "common/random.h"
#include "core/state/game.h"
#include "road/road.h"
#include "vehicles/race/catalogue.h"
#include "vehicles/race/traffic.h"

namespace {
TrafficRules traffic_rules;

void Check_Checkpoints_Of(Game& game) {
  if (traffic_rules.check_checkpoints) traffic_rules.check_checkpoints(game);
}

struct Difficulty_Range {
  int lo, hi;
  double alo, ahi;
};
const Difficulty_Range kDifficulty[4] = {
    {88, 149, 0.42, 0.52}, {96, 150, 0.45, 0.54}, {98, 151, 0.50, 0.56}, {100, 153, 0.52, 0.58}};

// One row of the start grid; the sprite sets are picked by the draw r (and s when r <= 80).
struct Grid_Row {
  int z;
  int lanes[4];
  int lane_count;
  int dlo, dhi;
  double da;
  int set_rare, set_s0, set_s1;  // r > 80; r <= 80 with s 0; with s 1
};
const Grid_Row kGrid[6] = {
    {400, {-500, -200, 100, 400}, 4, 0, 0, 0.00, SLOT_TRANSPORTER, SLOT_SCIROCCO, SLOT_AUDI_A4},
    {800, {-350, -50, 250}, 3, 2, 1, 0.03, SLOT_AUDI_A4, SLOT_ESPRIT, SLOT_HSV_GTS},
    {1200, {-500, -200, 100, 400}, 4, 12, 2, 0.06, SLOT_MINI, SLOT_SCIROCCO, SLOT_DELOREAN},
    {1600, {-350, -50, 250}, 3, 13, 3, 0.07, SLOT_TRANSPORTER, SLOT_SCIROCCO, SLOT_AUDI_A4},
    {2000, {-500, -200, 100, 400}, 4, 14, 4, 0.08, SLOT_HSV_GTS, SLOT_911, SLOT_NISSAN_GTR},
    {2400, {-200, 100}, 2, 15, 5, 0.09, SLOT_ESPRIT, SLOT_KOENIGSEGG, SLOT_SHELBY},
};
constexpr int kBritishTraffic = 7;  // the track type whose traffic is the bus and the taxi

int British(int slot, int track_type) {
  if (track_type != kBritishTraffic) return slot;
  if (slot == SLOT_TRANSPORTER) return SLOT_UK_BUS;
  if (slot == SLOT_AUDI_A4) return SLOT_UK_TAXI;
  return slot;
}

int Lateral_Of(float x) { return static_cast<int>(-x); }
}  // namespace

void vehicle::Advance(int far) {
  if (top_speed > speed) speed = speed + acceleration < top_speed ? speed + acceleration : top_speed;
  if (far >= start_z) z += 2 * static_cast<int>(speed);
}

void Game::Place_Opponents() {
  // Only the menu's four levels have parameters; anything else races as the nearest one.
  int level = difficulty < 0 ? 0 : difficulty > 3 ? 3 : difficulty;
  const Difficulty_Range& range = kDifficulty[level];
  for (const Grid_Row& row : kGrid) {
    // Row 1 and row 4 swap the Transporter and the Audi for the British bus and taxi.
    bool british_row = row.set_rare == SLOT_TRANSPORTER;
    for (int lane = 0; lane < row.lane_count; ++lane) {
      int r = Random_Range(0, 100);
      int slot = row.set_rare;
      if (r <= 80) slot = Random_Range(0, 1) == 0 ? row.set_s0 : row.set_s1;
      if (british_row) slot = British(slot, track_type);
      float top = static_cast<float>(Random_Range(range.lo + row.dlo, range.hi + row.dhi));
      // The grid's draws assume a 0..32767 generator; the C library's may reach further.
      const int draw = rand() % 32768;
      float accel = static_cast<float>((range.alo + row.da) + draw / (32767.0 / (range.ahi - range.alo)));
      vehicles.add(new vehicle(vehicle_sprites[slot], static_cast<float>(row.lanes[lane]), row.z, 0.0f, top, accel, 0));
    }
  }
}

void Game::Resolve_Contacts(int i) {
  vehicle* me = vehicles[i];
  const float s = me->speed, t = me->top_speed, a = me->acceleration;
  for (uint32_t j = 0; j < vehicles.count; ++j) {
    if (static_cast<int>(j) == i) continue;
    vehicle* other = vehicles[j];
    if (other->speed > 1.0f && me->z < other->z && other->z < me->z + 500 &&
        std::abs(Lateral_Of(other->x) - Lateral_Of(me->x)) <= 169 && other->speed < s) {
      me->speed = other->speed;
      other->speed = s;
      if (t > other->top_speed) {
        me->top_speed = other->top_speed;
        other->top_speed = t;
      }
      if (a > other->acceleration) {
        me->acceleration = other->acceleration;
        other->acceleration = a;
      }
    }
  }
}

void Game::Dodge_Player(int i) {
  vehicle* v = vehicles[i];
  const int p = road->position;
  if (p - 799 <= v->z && v->z < p - 300 && v->speed > player.speed &&
      std::abs(Lateral_Of(v->x) - road->lateral) <= 174)
    v->x = v->x < 0.0f ? 400.0f : -500.0f;  // out of sight: jump to the other side
  const int home = static_cast<int>(v->home_x), at = static_cast<int>(v->x);
  if (home > at) {
    v->x += 5.0f;
    if (v->x > v->home_x) v->x = v->home_x;
  } else if (home < at) {
    v->x -= 5.0f;
    if (v->x < v->home_x) v->x = v->home_x;
  }
}

void Set_Traffic_Rules(const TrafficRules& rules) { traffic_rules = rules; }

bool Game::Near_Player_Lane(int i) { return std::abs(Lateral_Of(vehicles[i]->x) - road->lateral) < 175; }

void Game::Update_Traffic() {
  if (vehicles.empty()) {
    place = 1;
    Check_Checkpoints_Of(*this);
    return;
  }
  const int far = road->segment_length * 120 + road->position;
  int ahead = 0;
  for (uint32_t i = 0; i < vehicles.count; ++i) {
    vehicle* v = vehicles[i];
    if (v->speed > 1.0f) {
      Resolve_Contacts(static_cast<int>(i));
      Dodge_Player(static_cast<int>(i));
    }
    v->Advance(far);
    if (road->position < v->z && v->speed > 0.0f) ++ahead;
  }
  place = 1 + ahead;
  Check_Checkpoints_Of(*this);
}

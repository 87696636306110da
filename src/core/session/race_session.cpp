// Race set-up, checkpoint plans and the rules of checkpoints, timer, laps and score.
#include "core/session/race_session.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>

#include "audio/playback/engine_sound.h"
#include "audio/playback/sound.h"
#include "core/state/game.h"
#include "road/road.h"
#include "road/sky.h"
#include "vehicles/race/catalogue.h"

int scoreTickCounter = 0;
int scoreTickPosition = 0;

namespace {
constexpr int kCustomStretch = 40000;  // one checkpoint per 40000 position units
constexpr float kRescueAccel = 100.0f / 1024;

struct Structure {
  int slot;
  float x;
  int z;
};

// Roadside structures by track type; "any other" is the empty billboard.
int Structures_Of(int track_type, Structure out[3]) {
  switch (track_type) {
    case 1: out[0] = {SLOT_BB_QUINDRAL, -450.0f, 1400}; return 1;
    case 8: out[0] = {SLOT_BB_ZARODUDAZ, -450.0f, 1400}; return 1;
    case 9: out[0] = {SLOT_BB_VANTO32, -450.0f, 1400}; return 1;
    case 10:
      out[0] = {SLOT_BB_BOCHUM, -450.0f, 1400};
      out[1] = {SLOT_IC_BRIDGE, 50.0f, 6800};
      out[2] = {SLOT_IC_BRIDGE, 50.0f, 65800};
      return 3;
    case 11:
    case 12: {
      int slot = track_type == 11 ? SLOT_BS_RAINBOW : SLOT_SWISS_TUNNEL;
      out[0] = {slot, 50.0f, 6800};
      out[1] = {slot, 50.0f, 65800};
      return 2;
    }
    default: out[0] = {SLOT_BB_EMPTY, -450.0f, 1400}; return 1;
  }
}

// Start gantry and pit figures of the two built-in tracks (custom tracks get them too).
void Add_Start_Decoration(Game& game) {
  static const int kSlots[2][4] = {
      {SLOT_START_FRAME, SLOT_PITSTOP_GIRL_01, SLOT_PITSTOP_GIRL_DADIRIZEZE, SLOT_PITSTOP_GIRL_VARAVOZO},
      {SLOT_START_FRAME_XMAS, SLOT_XMAS_GIRL_03, SLOT_XMAS_GIRL_04, SLOT_XMAS_GIRL_02}};
  static const float kX[4] = {-350.0f, -240.0f, -500.0f, -210.0f};
  static const int kZ[4] = {150, 100, 50, 50};
  if (game.builtin_track != 1 && game.builtin_track != 2) return;
  for (int i = 0; i < 4; ++i)
    game.vehicles.add(new vehicle(game.vehicle_sprites[kSlots[game.builtin_track - 1][i]], kX[i], kZ[i], 0.0f, 0));
}

// One plan entry; the table keeps a zero terminator behind the last entry.
void Add_Plan_Entry(Game& game, int z, int seconds) {
  if (game.next_checkpoint_z == 0) {
    game.next_checkpoint_z = z;
    game.seconds_left = seconds;
  }
  const int k = game.checkpoint_count;
  game.checkpoint_z[k] = z;
  game.checkpoint_seconds[k] = seconds;
  game.checkpoint_z[k + 1] = 0;
  if (k + 1 < kCheckpointSlots) game.checkpoint_seconds[k + 1] = 0;
  game.checkpoint_count = k + 1;
}
}  // namespace

void Game::Setup_Race() {
  if (!road) return;
  srand(static_cast<unsigned>(time(nullptr)));
  road->position = 0;
  if (sky) sky->scroll = 0.0f;
  vehicles.delete_all();
  road->nearest = nullptr;  // pointed into the old vehicle list
  checkpoint_count = next_checkpoint_z = checkpoints_passed = 0;
  seconds_left = 20;
  time_over = game_over = race_finished = 0;
  Reset_Engine_State();

  vehicles.add(new vehicle(vehicle_sprites[SLOT_STARTGIRL0], -470.0f, 100, 0.0f, 0));
  vehicles.add(new vehicle(vehicle_sprites[SLOT_STARTGIRL1], -470.0f, 100, 0.0f, 0));
  Add_Start_Decoration(*this);

  if (!customTrack) track_type = builtin_track;
  Structure structures[3];
  const int n = Structures_Of(track_type, structures);
  for (int i = 0; i < n; ++i)
    vehicles.add(new vehicle(vehicle_sprites[structures[i].slot], structures[i].x, structures[i].z, 0.0f,
                             static_cast<uint8_t>(0), 3));

  Place_Opponents();
  track_length = road->track_length();

  if (customTrack) {
    Plan_Custom_Checkpoints();
  } else if (builtin_track == 1) {
    track_type = 1;
    Add_Checkpoint(80000, 23);
    Add_Checkpoint(160000, 20);
    Add_Checkpoint(240000, 20);
    Add_Finish(308000, 15);
  } else if (builtin_track == 2) {
    track_type = 2;
    Add_Checkpoint(40000, 16);
    Add_Checkpoint(80000, 10);
    Add_Checkpoint(120000, 12);
    Add_Finish(165000, 11);
  }
}

void Game::Add_Checkpoint(int z, int seconds) {
  if (checkpoint_count >= kCheckpointSlots - 1) return;  // the last slot is the finish's
  Add_Plan_Entry(*this, z, seconds);
  vehicles.add(new vehicle(vehicle_sprites[SLOT_CHECKPOINT], -50.0f, z, 0.0f, static_cast<uint8_t>(0), 2));
}

void Game::Add_Finish(int z, int seconds) {
  if (checkpoint_count >= kCheckpointSlots) return;
  Add_Plan_Entry(*this, z, seconds);
  vehicles.add(new vehicle(vehicle_sprites[SLOT_FINISH], -50.0f, z, 0.0f, static_cast<uint8_t>(0), 2));
  const int crowd = track_type == 2 ? SLOT_CHEERING_WINTER : SLOT_CHEERING;
  vehicles.add(new vehicle(vehicle_sprites[crowd], -50.0f, z + 500, 0.0f, 0));
}

void Game::Plan_Custom_Checkpoints() {
  static const int kBonus[4] = {3, 2, 1, 0};
  const int bonus = difficulty >= 0 && difficulty <= 3 ? kBonus[difficulty] : 0;
  const int length = track_length;
  int z = 0;
  if (length > 81000) {
    z = kCustomStretch;
    // A full table ends the plan early; the finish stretch then starts at the last checkpoint.
    for (;;) {
      Add_Checkpoint(z, z == kCustomStretch ? bonus + 17 : bonus + 15);
      if (length - 41000 <= z + kCustomStretch || checkpoint_count >= kCheckpointSlots - 1) break;
      z += kCustomStretch;
    }
  }
  // 11 seconds per 40000 units; 64-bit so that very long tracks cannot overflow.
  const int64_t seconds = (static_cast<int64_t>(length) - 1000 - z) * 11 / kCustomStretch;
  Add_Finish(length - 1000, static_cast<int>(seconds));
}

void Game::Check_Checkpoints() {
  if (checkpoints_passed >= checkpoint_count || road->position <= next_checkpoint_z) return;
  if (checkpoints_passed + 1 == checkpoint_count) {
    race_finished = 1;
    player.speed = 0.0f;
    player.accel = 0.0f;
    Mute_Race_Sounds();
    Play_Yes();
    next_checkpoint_z = checkpoint_z[0];
    checkpoint_count = checkpoints_passed = 0;
    return;
  }
  if (time_over) {  // a checkpoint reached while braking rescues the race
    time_over = 0;
    game_over = 0;
    input_up = 1;
    input_down = 0;
    player.accel = kRescueAccel;
  }
  Play_Checkpoint();
  const int k = checkpoints_passed;
  checkpoints_passed = k + 1;
  seconds_left = checkpoint_seconds[k + 1];
  next_checkpoint_z = checkpoint_z[k + 1];
}

void Tick_Race_Timer(Game& game, double now) {
  if (now - game.second_mark > 999.0) {
    if (game.seconds_left > 0) game.seconds_left -= 1;
    game.second_mark = now;
  }
}

void Apply_Time_Out_Rules(Game& game) {
  if (!game.time_over && game.seconds_left <= 0) {
    game.player.accel = 0.0f;
    game.time_over = 1;
  }
  if (game.time_over && !game.game_over && game.player.speed < 5.0f) {
    game.player.speed = 0.0f;
    game.player.accel = 0.0f;
    Mute_Race_Sounds();
    Play_Game_Over();
    game.game_over = 1;
  }
}

void Shift_Lap_Times(Game& game) {
  for (int i = 4; i > 0; --i) game.lap_times[i] = game.lap_times[i - 1];
  game.lap_times[0] = 0;
  game.lap_count += 1;
}

void Score_Tick() {
  scoreTickCounter += 1;
  if (scoreTickCounter < 5) return;
  scoreTickCounter = 0;
  const int position = theGame->road->position;
  theGame->score += position - scoreTickPosition;
  scoreTickPosition = position;
}

// Loads the player's cars and the vehicle, figure, gate and structure sprite sets.
#include "vehicles/race/catalogue.h"

#include <cstdio>

#include "core/state/game.h"
#include "road/image.h"
#include "road/sky.h"

namespace {
// A vehicle sprite set: a stem with 1, 3 or 5 views.
struct SlotFile {
  int slot;
  const char* stem;
  int views;
  float scale;
};

// In load order.
const SlotFile kSlotFiles[] = {
    {SLOT_PITSTOP_GIRL_04, "Pitstop_Girl_04", 1, 1.0f},
    {SLOT_PITSTOP_GIRL_01, "Pitstop_Girl_01", 1, 1.0f},
    {SLOT_PITSTOP_GIRL_DADIRIZEZE, "Pitstop_Girl_Dadirizeze", 1, 1.0f},
    {SLOT_PITSTOP_GIRL_VARAVOZO, "Pitstop_Girl_Varavozo", 1, 1.0f},
    {SLOT_START_FRAME, "start_frame2", 1, 2.0f},
    {SLOT_XMAS_GIRL_01, "Xmas_Girl_01", 1, 1.0f},
    {SLOT_XMAS_GIRL_03, "Xmas_Girl_03", 1, 1.0f},
    {SLOT_XMAS_GIRL_04, "Xmas_Girl_04", 1, 1.0f},
    {SLOT_XMAS_GIRL_02, "Xmas_Girl_02", 1, 1.0f},
    {SLOT_START_FRAME_XMAS, "start_frame_xmas", 1, 2.0f},
    {SLOT_CHEERING, "cheering3", 1, 1.0f},
    {SLOT_CHEERING_WINTER, "cheeringwinter", 1, 1.0f},
    {SLOT_CHECKPOINT, "Checkpoint2", 1, 2.5f},
    {SLOT_FINISH, "Finish", 1, 2.5f},
    {SLOT_SPEEDOMETER, "speedometer", 1, 1.0f},
    {SLOT_ROADBLOCK, "roadblock1", 1, 2.0f},
    {SLOT_TRANSPORTER, "Transporter", 5, 2.0f},
    {SLOT_911, "911", 5, 1.0f},
    {SLOT_DELOREAN, "DeLorean", 5, 1.0f},
    {SLOT_ESPRIT, "Esprit", 5, 1.0f},
    {SLOT_MINI, "Mini", 5, 1.0f},
    {SLOT_KOENIGSEGG, "Koenigsegg", 5, 1.0f},
    {SLOT_SHELBY, "Shelby", 5, 1.0f},
    {SLOT_HSV_GTS, "HSV_GTS", 5, 1.0f},
    {SLOT_NISSAN_GTR, "Nissan_GTR", 5, 1.0f},
    {SLOT_SCIROCCO, "Scirocco", 3, 1.0f},
    {SLOT_AUDI_A4, "Audi_A4", 3, 1.0f},
    {SLOT_UK_BUS, "uk_bus", 3, 1.0f},
    {SLOT_UK_TAXI, "uk_taxi", 3, 1.0f},
    {SLOT_BB_ZARODUDAZ, "bb_zarodudaz", 1, 2.5f},
    {SLOT_BB_QUINDRAL, "bb_quindral", 1, 2.5f},
    {SLOT_BB_VANTO32, "bb_Vanto32", 1, 2.5f},
    {SLOT_BB_BOCHUM, "bb_bochum", 1, 2.5f},
    {SLOT_BB_EMPTY, "bb_empty", 1, 2.5f},
    {SLOT_IC_BRIDGE, "IC_bridge01", 1, 5.0f},
    {SLOT_BS_RAINBOW, "BS_rainbow", 1, 5.0f},
    {SLOT_SWISS_TUNNEL, "swiss_tunnel", 1, 5.0f},
    {SLOT_STARTGIRL0, "startgirl0", 1, 1.0f},
    {SLOT_STARTGIRL1, "startgirl1", 1, 1.0f},
};

const char* const kFiveViews[] = {"_0_-2", "_0_-1", "_0_0", "_0_1", "_0_2"};
const char* const kThreeViews[] = {"_0_-1", "_0_0", "_0_1"};

// Car frames in picture order (see the driving model's frame numbers).
const char* const kCarFrames[] = {"_0_-2_0", "_0_-1", "_0_0_0", "_0_1", "_0_2_0",
                                  "_-1_0",   "_-2_0", "_0_-2_1", "_0_0_1", "_0_2_1"};

const char* const kCarStems[kCarModels + 1] = {
    nullptr,       "Car_Nissan_GTR", "Car_CLS",       "Car_Koenigsegg", "Car_DeLorean", "Car_911",    "Car_Mini",
    "Car_Shelby",  "Car_HSV_GTS",    "Car_Esprit",    "Car_BMW_M3",     "Car_F512",     "Car_Trabi",  "Car_Beetle",
    "Car_Manta",   "Car_Octavia",    "Bike_Kawa",     "Bike_Triglide",  "Car_Honda",    "Car_R190"};

const int kCarLoadOrder[kCarModels] = {1, 2, 5, 6, 4, 10, 8, 3, 9, 11, 7, 12, 13, 16, 14, 17, 15, 18, 19};

sprite* Load_Slot_Sprite(const SlotFile& entry) {
  char path[96];
  if (entry.views == 1) {
    std::snprintf(path, sizeof path, "GFX/%s.png", entry.stem);
    return new sprite(path, 4, 3, entry.scale);
  }
  const char* const* views = entry.views == 5 ? kFiveViews : kThreeViews;
  std::snprintf(path, sizeof path, "GFX/%s%s.png", entry.stem, views[0]);
  sprite* set = new sprite(path, 4, 3, entry.scale);
  for (int i = 1; i < entry.views; ++i) {
    std::snprintf(path, sizeof path, "GFX/%s%s.png", entry.stem, views[i]);
    set->add_frame(path);
  }
  return set;
}
}  // namespace

const char* Car_Stem(int index) { return index >= 1 && index <= kCarModels ? kCarStems[index] : nullptr; }

sprite* Load_Car_Sprite(const char* stem) {
  char path[96];
  std::snprintf(path, sizeof path, "GFX/%s%s.png", stem, kCarFrames[0]);
  sprite* car = new sprite(path, 4, 4, 1.0f);
  for (int i = 1; i < 10; ++i) {
    std::snprintf(path, sizeof path, "GFX/%s%s.png", stem, kCarFrames[i]);
    car->add_frame(path);
  }
  car->x = car->y = car->z = 0;
  return car;
}

void Game::Load_Vehicle_Sprites() {
  if (sky) sky->load_pictures();
  for (const SlotFile& entry : kSlotFiles) {
    sprite* set = Load_Slot_Sprite(entry);
    if (entry.slot == SLOT_SPEEDOMETER) set->no_shadow();
    delete vehicle_sprites[entry.slot];
    vehicle_sprites[entry.slot] = set;
  }
}

void Game::Load_Car_Models() {
  for (int index : kCarLoadOrder) {
    sprite* car = Load_Car_Sprite(kCarStems[index]);
    delete car_models[index];
    car_models[index] = car;
  }
}

#pragma once
// The cars the player drives and the sprite sets of everything else on the track.

class sprite;

// Slots of Game::vehicle_sprites.
enum Vehicle_Slot {
  SLOT_TRANSPORTER = 0,
  SLOT_SCIROCCO = 1,
  SLOT_AUDI_A4 = 2,
  SLOT_911 = 3,
  SLOT_NISSAN_GTR = 4,
  SLOT_DELOREAN = 5,
  SLOT_ESPRIT = 6,
  SLOT_MINI = 7,
  SLOT_KOENIGSEGG = 8,
  SLOT_SHELBY = 9,
  SLOT_HSV_GTS = 10,
  SLOT_UK_BUS = 13,
  SLOT_UK_TAXI = 14,
  SLOT_PITSTOP_GIRL_04 = 15,
  SLOT_PITSTOP_GIRL_01 = 16,
  SLOT_PITSTOP_GIRL_DADIRIZEZE = 17,
  SLOT_PITSTOP_GIRL_VARAVOZO = 18,
  SLOT_XMAS_GIRL_01 = 19,
  SLOT_XMAS_GIRL_03 = 20,
  SLOT_XMAS_GIRL_04 = 21,
  SLOT_XMAS_GIRL_02 = 22,
  SLOT_START_FRAME = 23,
  SLOT_START_FRAME_XMAS = 24,
  SLOT_BB_ZARODUDAZ = 25,
  SLOT_BB_QUINDRAL = 26,
  SLOT_BB_VANTO32 = 27,
  SLOT_BB_BOCHUM = 28,
  SLOT_IC_BRIDGE = 29,
  SLOT_BS_RAINBOW = 30,
  SLOT_SWISS_TUNNEL = 31,
  SLOT_BB_EMPTY = 32,
  SLOT_CHEERING = 33,
  SLOT_CHEERING_WINTER = 34,
  SLOT_CHECKPOINT = 35,
  SLOT_FINISH = 36,
  SLOT_SPEEDOMETER = 37,
  SLOT_STARTGIRL0 = 38,
  SLOT_STARTGIRL1 = 39,
  SLOT_ROADBLOCK = 40,
  VEHICLE_SLOTS = 41,
};

constexpr int kCarModels = 19;

// Name stem of the selectable car 1..19 ("Car_Nissan_GTR" ...), or null.
const char* Car_Stem(int index);

// One car sprite: ten frames "GFX/<stem>_0_-2_0.png" ..., centred, base scale 1.0, world point 0.
sprite* Load_Car_Sprite(const char* stem);

class Game;
// The selected car's sprite, or null when none is loaded.
sprite* Player_Car_Sprite(Game& game);

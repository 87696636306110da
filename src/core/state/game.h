#pragma once
// The one game object and the globals of the main loop.
#include <SDL/SDL.h>

#include <atomic>
#include <cstdint>

#include "common/dvec.h"
#include "vehicles/model/vehicle.h"

class Camera;
class Canvas;
class Sky;
class BitmapFont;
class sprite;
namespace road { class Road; }
namespace particler { class Emitter; }

// A scenery sprite set loaded on demand, by object id.
struct SceneryCacheEntry {
  sprite* set = nullptr;
  uint8_t loaded = 0;
};

class Game {
 public:
  Sky* sky = nullptr;
  Camera* camera = nullptr;
  BitmapFont* small_font = nullptr;
  BitmapFont* big_font = nullptr;
  sprite* car_models[20] = {};
  sprite* vehicle_sprites[41] = {};
  SceneryCacheEntry scenery_cache[999] = {};
  Canvas* canvas = nullptr;
  VecOwn<sprite*> scenery_sprites;
  float view_depth = 0.0f;
  VecOwn<vehicle*> vehicles;
  DVec<long> lap_times;  // [0] running lap, [1..4] previous laps, newest first
  int lap_count = 0;
  DrivingState player;
  road::Road* road = nullptr;
  sprite* smoke_sprite = nullptr;
  particler::Emitter* smoke_left = nullptr;
  particler::Emitter* smoke_right = nullptr;
  uint8_t input_up = 0, input_left = 0, input_right = 0, input_down = 0;
  float fps_value = 0.0f;
  double second_mark = 0.0;
  int seconds_left = 0;
  int checkpoint_count = 0, next_checkpoint_z = 0, checkpoints_passed = 0;
  int checkpoint_z[50] = {};
  int checkpoint_seconds[49] = {};
  int place = 0;
  int selected_car = 1;
  int builtin_track = 1;
  int screenshot_count = 0;
  uint8_t game_over = 0;
  uint8_t time_over = 0;
  int difficulty = 0;
  int track_type = 1;
  uint8_t intro_running = 0;
  int weather = 0;
  std::atomic<float> gauge_speed{0.0f};  // also read by the engine effect on the mixer's thread
  int track_length = 0;
  uint8_t race_finished = 0;
  int score = 0;
  int tournament_points = 0;
  int language = 0;
  uint8_t exhibition_captions = 0;
  int exhibition_round = 0;
  uint8_t tournament_active = 0;
  int tournament_round = 2;

  Game();
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  void Set_View_Size(int width, int height);

  // Scenery object sprites by id (track/scenery_sets.cpp).
  void Load_Object_Sprite(int id, const char* path, int h_anchor, int v_anchor, float scale, int shadow);
  void Load_Scenery_Set(int track_type);
  void Free_Object_Sprites();
  sprite* Object_Sprite(int id) const;  // null when the id has no loaded sprite
  // Appends the object runs of the track-sector array to the road (track/scenery.cpp).
  void Sectors_To_Road_Objects();
  // Built-in tracks (track/builtin_tracks.cpp).
  road::Road* New_Road();  // replaces and destroys the old road
  void Build_Builtin_Track();
  void Build_Florida_Track();
  void Build_Bavaria_Track();
  // Track construction: generator, scenarios, track files (src/track).
  void Generate_Track();
  void Setup_Scenario(int track_type);
  void Sectors_To_Road_Layout();
  // Writes the track sectors to a new file in "TRK"; creator null means the player's name.
  int Save_Track_File(const char* tag, const char* creator = nullptr);
  // A new road from the loaded track sectors (scenario, scenery, layout, objects), then the
  // race set-up with customTrack set. Returns 0 without a track.
  int Build_Loaded_Track();
  // Track library (src/library): the browser's selected track and the tournament round's
  // track, each ready to race when the result is 1.
  int Start_Selected_Track();
  int Load_Tournament_Track();
  void Take_Screenshot();
  void Measure_Frame_Rate();
  // The same with the clock's wrapped 32-bit millisecond reading given.
  void Measure_Frame_Rate_At(int now);

  // The race: set-up and rules, loop, scene, player's car, traffic, catalogue.
  void Setup_Race();
  void Add_Checkpoint(int z, int seconds);
  void Add_Finish(int z, int seconds);
  void Plan_Custom_Checkpoints();
  void Check_Checkpoints();
  void Race_Loop();
  // The exhibition (core/loop/exhibition.cpp): one visit, and one frame of the autopilot.
  void Exhibition_Loop();
  void Exhibition_Frame();
  void Race_Frame();
  void Draw_Race_Scene();
  void Update_Player();
  void Place_Opponents();
  void Update_Traffic();
  void Resolve_Contacts(int i);
  void Dodge_Player(int i);
  bool Near_Player_Lane(int i);
  void Load_Vehicle_Sprites();
  void Load_Car_Models();
};

// Globals of the main loop, all zero or null at program start.
extern Game* theGame;
extern SDL_Surface* screen;
extern SDL_Surface* canvasSurface;
extern SDL_Joystick* joystick;
extern uint8_t hasJoystick;
extern uint8_t customTrack;
extern uint8_t quitRequested;
extern uint8_t exhibitionMode;
extern int frameCounter;
extern int fpsMarkTime, fpsInterval, nowTime;

// Wall-clock time in milliseconds.
double Millis();

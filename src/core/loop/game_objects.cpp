// The game object's life: the road objects it owns, built at construction and freed with it.
#include "core/state/game.h"

#include <cstdlib>

#include "core/loop/exhibition.h"
#include "frontend/graphics/config.h"
#include "road/bitmap_font.h"
#include "road/camera.h"
#include "road/canvas.h"
#include "road/image.h"
#include "road/particles.h"
#include "road/road.h"
#include "road/sky.h"
#include "vehicles/race/traffic.h"

namespace {
// Registered before main runs, so at exit it runs after Shut_Down (registered later).
void Destroy_Game() {
  delete theGame;
  theGame = nullptr;
}
const int destroy_registered = std::atexit(Destroy_Game);
}  // namespace

Game::Game() {
  (void)destroy_registered;
  Set_Traffic_Rules({[](Game& game) { game.Check_Checkpoints(); }});
  language = settings.language;
  Fill_Exhibition_Captions();
  small_font = new BitmapFont("GFX/VantoRelloFont12.png", 12, 16);
  big_font = new BitmapFont("GFX/VantoRelloFont60.png", 51, 69);
  lap_times.resize(5);
  canvas = new Canvas(640, 480);
  camera = new Camera(320.0f, 144.0f, view_depth);
  sky = new Sky(640, 480);  // its pictures come with the vehicle sprites
  smoke_sprite = new sprite("GFX/tsmoke2.png", 4, 4, 1.0f);
  smoke_sprite->no_shadow();
  smoke_left = new particler::Emitter(camera);
  smoke_right = new particler::Emitter(camera);
}

Game::~Game() {
  delete road;
  Free_Object_Sprites();
  for (sprite* set : vehicle_sprites) delete set;
  for (sprite* car : car_models) delete car;
  delete smoke_right;
  delete smoke_left;
  delete smoke_sprite;
  delete sky;
  delete big_font;
  delete small_font;
  delete camera;
  delete canvas;
}

void Game::Set_View_Size(int width, int height) {
  canvas->resize(width, height);
  view_depth = 36.0f * width / 100.0f;
  if (selected_car >= 0 && selected_car < 20 && car_models[selected_car])
    car_models[selected_car]->z = static_cast<int>(160.0 * view_depth / 100.0);
  camera->depth = view_depth;
  camera->centre_x = 0.5f * width;
  camera->centre_y = 0.3f * height;
  sky->set_size(width, height);
  if (road) road->setup(width, height, 250, 100);
}

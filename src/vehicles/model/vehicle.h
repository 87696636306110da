#pragma once
#include <cstdint>

class sprite;
class Canvas;
class Camera;
namespace particler { class Emitter; }

// One record for every car, figure, gate and billboard on the track.
class vehicle {
 public:
  sprite* sprite_set = nullptr;
  int start_z = 0;
  int z = 0;
  float speed = 0.0f;
  float acceleration = 0.0f;
  float top_speed = 0.0f;
  vehicle* link = nullptr;
  float x = 0.0f;
  float home_x = 0.0f;
  uint8_t collidable = 0;
  int kind = 0;  // 0 figure or opponent, 2 gate, 3 billboard or structure

  // Opponent form: collidable, no acceleration.
  vehicle(sprite* set, float x_, int z_, float speed_, int kind_)
      : sprite_set(set), start_z(z_), z(z_), speed(speed_), x(x_), home_x(x_), collidable(1), kind(kind_) {}
  // Object form.
  vehicle(sprite* set, float x_, int z_, float speed_, uint8_t collidable_, int kind_)
      : sprite_set(set), start_z(z_), z(z_), speed(speed_), x(x_), home_x(x_), collidable(collidable_), kind(kind_) {}
  // Driven form.
  vehicle(sprite* set, float x_, int z_, float speed_, float top_speed_, float acceleration_, int kind_)
      : sprite_set(set), start_z(z_), z(z_), speed(speed_), acceleration(acceleration_), top_speed(top_speed_),
        x(x_), home_x(x_), collidable(1), kind(kind_) {}

  // One frame: gathers speed, and moves once the far end of the visible road (far) reached start_z.
  void Advance(int far);
};

// What one step of the driving model hands back to the frame.
struct DriveResult {
  float dx = 0.0f;         // sideways movement from steering
  float push = 0.0f;       // sideways push of the curve
  uint8_t crashed = 0;     // hit a moving car: the crash sound plays
  uint8_t skid_changed = 0;  // the skid channel's volume must follow `skid`
};

// Driving state of the player's car: seven 4-byte fields.
struct DrivingState {
  int steer = 0;      // -32..32 in steps of 8, negative is left
  int skid = 0;       // +10 per skidding frame
  int smoke = 0;      // 1 in frames showing a smoke picture
  float speed = 0.0f; // 0..160
  float accel = 0.0f;
  int frame = 0;      // picture number of the car
  int flip = 0;       // wheel animation 0..1

  // One frame of steering, curve push, skid, pedals, collision and car picture.
  // excess is the road's off-road distance of the car (0 on the road).
  DriveResult Drive(uint8_t left, uint8_t right, uint8_t up, uint8_t down, float curve, vehicle* hit, float overlap,
                    int excess);

  // Starts or stops the tyre smoke, draws the car at the projection of its point, then the smoke.
  void Draw_Player_Car(Canvas* canvas, const Camera* camera, particler::Emitter* left, particler::Emitter* right,
                       sprite* smoke_sprite, sprite* car, int x, int y, int z);

 private:
  void Steer(uint8_t left, uint8_t right);
  void Pedals(uint8_t up, uint8_t down, int excess);
  void Choose_Frame(uint8_t left, uint8_t right, uint8_t down, const vehicle* hit);
};
static_assert(sizeof(DrivingState) == 28, "the driving state is seven 4-byte fields");

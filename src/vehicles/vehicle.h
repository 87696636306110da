#pragma once
#include <cstdint>

class sprite;

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
};

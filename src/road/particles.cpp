#include "road/particles.h"

#include "common/random.h"
#include "road/camera.h"
#include "road/image.h"

namespace particler {

static_assert(sizeof(Motion) == 32, "a particle is 32 bytes");

namespace {

// Uniform within +-spread/2 of p.
float Spread_Around(float p, float spread) { return (spread / 2 + p) - random01() * spread; }

float Blend(float a, float b, float base) {
  float r = random01();
  return a * r + b * (1 - r) + base;
}

// Projections this close to the camera would overflow the blit's integer coordinates.
constexpr float kMaxScale = 16384.0f;
constexpr float kMaxCoordinate = 1.0e9f;

}  // namespace

Emitter::Emitter(Camera* cam) : camera(cam) { particles.resize(kPoolSize); }

void Emitter::start(float new_rate, int32_t new_life, Vec3 base, Vec3 new_spread, Vec3 a, Vec3 b,
                    Vec3 new_damping, sprite* new_picture) {
  rate = new_rate;
  life = new_life;
  base_velocity = base;
  spread = new_spread;
  velocity_a = a;
  velocity_b = b;
  damping = new_damping;
  picture = new_picture;
  active = 1;
  live = 0;
  for (Motion& m : particles) {
    m.flags &= ~1;
    m.life = 0;
  }
}

void Emitter::stop() { active = 0; }

void Emitter::spawn(Motion& m, float px, float py, float pz) {
  m.flags |= 1;
  m.life = life;
  m.x = Spread_Around(px, spread.x);
  m.y = Spread_Around(py, spread.y);
  m.z = Spread_Around(pz, spread.z);
  m.vx = Blend(velocity_a.x, velocity_b.x, base_velocity.x);
  m.vy = Blend(velocity_a.y, velocity_b.y, base_velocity.y);
  m.vz = Blend(velocity_a.z, velocity_b.z, base_velocity.z);
  live += 1;
}

void Emitter::update(float px, float py, float pz, float wx, float wy, float wz) {
  int n = 0;
  if (active) {
    carry += rate;
    n = static_cast<int>(carry);
    carry -= n;
  }
  if (n < 1 && live < 1) return;
  for (Motion& m : particles) {
    if (m.flags & 1) {
      if (m.life > 0 && m.life-- == 1) {
        m.flags &= ~1;
        live -= 1;
        continue;
      }
      m.x += wx + m.vx;
      m.y += wy + m.vy;
      m.z += wz + m.vz;
      m.vx *= damping.x;
      m.vy *= damping.y;
      m.vz *= damping.z;
    } else if (n > 0) {
      n -= 1;
      spawn(m, px, py, pz);
    }
  }
}

void Emitter::draw(Canvas* canvas) {
  if (!camera || !picture || !canvas) return;
  for (const Motion& m : particles) {
    if (!(m.flags & 1)) continue;
    if (m.z <= 0) {
      camera->scale = 0.01f;
      camera->behind = 1;
      continue;
    }
    float s = camera->depth / m.z;
    camera->behind = 0;
    camera->scale = s;
    float sy = camera->centre_y - (camera->height + m.y) * s;
    float sx = s * m.x + camera->centre_x;
    if (s > kMaxScale || sx > kMaxCoordinate || sx < -kMaxCoordinate || sy > kMaxCoordinate ||
        sy < -kMaxCoordinate)
      continue;
    picture->draw(canvas, 0, static_cast<int>(sx), static_cast<int>(sy), s, kDrawAdditive);
  }
}

}  // namespace particler

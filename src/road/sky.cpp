#include "road/sky.h"

#include <cmath>
#include <cstdio>

#include "road/image.h"

namespace {
const char* const kFiles[kHorizonTypes] = {
    "GFX/bg_redcityline.png", "GFX/bg_alps_snow.png", "GFX/bg_cloudy3.png", "GFX/bg_desertsky2.png",
    "GFX/bg_spain.png",       "GFX/bg_russia.png",    "GFX/bg_uk_dark.png", "GFX/bg_hungary.png",
    "GFX/bg_fantasysky.png",  "GFX/bg_industry.png",  "GFX/bg_bahamas.png", "GFX/bg_swiss.png"};

// Picture (index into kFiles) of each horizon type.
const int kPictureOfHorizon[kHorizonTypes] = {2, 1, 0, 3, 4, 5, 6, 7, 8, 9, 10, 11};
}  // namespace

Sky::Sky(int width, int height) { set_size(width, height); }

Sky::~Sky() { free_pictures(); }

void Sky::set_size(int width, int height) {
  screen_width = width;
  screen_height = height;
  horizon_row = height / 2;
}

void Sky::load_pictures() {
  free_pictures();
  for (int n = 0; n < kHorizonTypes; ++n) {
    pictures[n] = new sprite(kFiles[n], 0, 3, 1.0f);
    pictures[n]->no_shadow();
  }
}

void Sky::free_pictures() {
  for (sprite*& picture : pictures) {
    delete picture;
    picture = nullptr;
  }
  current = nullptr;
}

void Sky::set_horizon(int type) {
  if (type < 0 || type >= kHorizonTypes) {
    std::printf("Unknow horizon type!\n");
    type = 0;
  }
  current = pictures[kPictureOfHorizon[type]];
}

void Sky::draw(Canvas* canvas) {
  if (!current) return;
  int32_t w = static_cast<int32_t>(current->frame_width(0));
  if (w == 0) return;
  int32_t h = static_cast<int32_t>(current->frames[0]->height);
  int32_t y = horizon_row < h - 1 ? horizon_row : h - 1;
  int32_t x0 = static_cast<int32_t>(std::fmod(std::trunc(scroll), static_cast<float>(w)));
  if (x0 + w < screen_width) {
    current->draw(canvas, 0, x0 + w, y, 1.0f, kDrawCopy);
    current->draw(canvas, 0, x0, y, 1.0f, kDrawCopy);
  } else if (x0 < 1) {
    current->draw(canvas, 0, x0, y, 1.0f, kDrawCopy);
  } else {
    current->draw(canvas, 0, x0 - w, y, 1.0f, kDrawCopy);
    current->draw(canvas, 0, x0, y, 1.0f, kDrawCopy);
  }
}

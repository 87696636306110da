#pragma once
// Writing pictures in the forms the game loads: PNG (RGBA) and 24-bit BMP.
#include <cstdint>
#include <string>
#include <vector>

#include "draw.h"
#include "manifest.h"

namespace art {

// Straight (not premultiplied) RGBA bytes of a picture, converted for its kind:
// sprites and glyphs get alpha 0 or 255, opaque pictures alpha 255, keyed BMP
// pictures pure black exactly where nothing was drawn.
std::vector<uint8_t> convert(Pic& p, gfx::Kind kind);

bool write_png(const std::string& path, int w, int h, const std::vector<uint8_t>& rgba);
// Writes the RGB part of the bytes as an uncompressed 24-bit bottom-up BMP.
bool write_bmp(const std::string& path, int w, int h, const std::vector<uint8_t>& rgba);

// Smallest channel value a drawn pixel of a keyed picture keeps, so that it stays
// non-black after conversion to the 16-bit display format.
constexpr int kKeySafe = 8;

}  // namespace art

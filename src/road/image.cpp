#include "road/image.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "common/asserts.h"
#include "common/game_folders.h"

namespace {

// Largest side accepted from a file; keeps pitch * height well inside 32 bits.
const uint32_t kMaxSide = 8192;

// Carried through libpng so its error callback can hand the message back.
struct PngFailure {
  std::jmp_buf jump;
  char message[256];
};

void Png_Error(png_structp png, png_const_charp text) {
  PngFailure* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
  std::snprintf(failure->message, sizeof failure->message, "PNG Error. %s", text ? text : "");
  std::longjmp(failure->jump, 1);
}

// Prints the loader's report through the hard assertion; the picture is just left out.
int Report(const char* message, int line) {
  try {
    Hard_Assert(message, "image", line);
  } catch (const std::runtime_error&) {
  }
  return 0;
}

// Widens rows of B, G, R in place to B, G, R, 0, from the last pixel backwards.
void Widen_Rgb(image& img) {
  for (uint32_t y = 0; y < img.height; ++y) {
    unsigned char* row = img.row(y);
    for (uint32_t x = img.width; x-- > 0;) {
      unsigned char b = row[x * 3], g = row[x * 3 + 1], r = row[x * 3 + 2];
      row[x * 4] = b;
      row[x * 4 + 1] = g;
      row[x * 4 + 2] = r;
      row[x * 4 + 3] = 0;
    }
  }
}

void Set_Transformations(png_structp png, png_infop info, int bit_depth, int colour_type) {
  if (bit_depth == 16) png_set_strip_16(png);
  if (colour_type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (bit_depth < 8) png_set_expand(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (colour_type == PNG_COLOR_TYPE_GRAY || colour_type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  double file_gamma = 0.0;
  if (png_get_gAMA(png, info, &file_gamma)) png_set_gamma(png, 2.2, file_gamma);
  png_set_bgr(png);
  png_set_interlace_handling(png);
}

// Reads the stream after its signature into a new picture; the message is set on failure.
// Only plain pointers live across setjmp here, so the jump skips no destructor.
image* Read_Png(png_structp png, png_infop info, std::FILE* file, PngFailure& failure) {
  image* volatile result = nullptr;
  png_bytep* volatile rows = nullptr;
  if (setjmp(failure.jump)) {
    delete[] rows;
    delete result;
    return nullptr;
  }
  png_init_io(png, file);
  png_set_sig_bytes(png, 8);
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_read_info(png, info);
  png_uint_32 width = 0, height = 0;
  int bit_depth = 0, colour_type = 0;
  png_get_IHDR(png, info, &width, &height, &bit_depth, &colour_type, nullptr, nullptr, nullptr);
  Set_Transformations(png, info, bit_depth, colour_type);
  png_read_update_info(png, info);
  png_get_IHDR(png, info, &width, &height, &bit_depth, &colour_type, nullptr, nullptr, nullptr);
  uint32_t row_bytes = static_cast<uint32_t>(png_get_rowbytes(png, info));
  uint32_t channels = png_get_channels(png, info);
  if (bit_depth != 8 || (channels != 3 && channels != 4)) png_error(png, "unsupported pixel format");
  image* made = new image(width, height, channels * bit_depth, row_bytes);
  result = made;
  png_bytep* table = new png_bytep[height];
  rows = table;
  for (uint32_t y = 0; y < height; ++y) table[y] = made->row(y);
  png_read_image(png, table);
  png_read_end(png, nullptr);
  delete[] table;
  rows = nullptr;
  if (channels == 3) Widen_Rgb(*made);
  return made;
}

}  // namespace

image::image(uint32_t w, uint32_t h, uint32_t bits, uint32_t given_pitch)
    : width(w), height(h), bits_per_pixel(bits) {
  bytes_per_pixel = bits / 8 == 3 ? 4 : bits / 8;
  if (bits == 24)
    pitch = w * 4;
  else
    pitch = given_pitch ? given_pitch : bytes_per_pixel * w;
  pixels.resize(pitch * h);
}

image::image(const image& other)
    : width(other.width), height(other.height), bits_per_pixel(other.bits_per_pixel),
      bytes_per_pixel(other.bytes_per_pixel), pitch(other.pitch) {
  pixels.resize(other.pixels.count);
  if (other.pixels.count) std::memcpy(pixels.data, other.pixels.data, other.pixels.count);
  opaque.resize(other.opaque.count);
  if (other.opaque.count) std::memcpy(opaque.data, other.opaque.data, sizeof(OpaqueColumns) * other.opaque.count);
}

void image::find_opaque_columns() {
  opaque.clear();
  if (bytes_per_pixel != 4 || !pixels.data) return;
  opaque.resize(height);
  for (uint32_t y = 0; y < height; ++y) {
    const uint32_t* line = reinterpret_cast<const uint32_t*>(row(y));
    int32_t first = 0, last = static_cast<int32_t>(width) - 1;
    while (first <= last && line[first] <= 0x00FFFFFFu) ++first;
    while (last > first && line[last] <= 0x00FFFFFFu) --last;
    int32_t solid = first <= last;
    for (int32_t x = first + 1; x < last && solid; ++x) solid = line[x] > 0x00FFFFFFu;
    opaque[y] = {first, first <= last ? last : first - 1, solid};
  }
}

int image::load(const char* path) {
  width = height = bits_per_pixel = bytes_per_pixel = pitch = 0;
  pixels.clear();
  opaque.clear();
  char message[512];
  std::FILE* file = std::fopen(Data_Path(path).c_str(), "rb");
  if (!file) {
    std::snprintf(message, sizeof message, "Failed to open %s", path);
    return Report(message, 158);
  }
  unsigned char signature[8];
  std::snprintf(message, sizeof message, "File %s is not a valid PNG file", path);
  if (std::fread(signature, 1, 8, file) < 8) {
    std::fclose(file);
    return Report(message, 198);
  }
  if (png_sig_cmp(signature, 0, 8)) {
    std::fclose(file);
    return Report(message, 203);
  }
  PngFailure failure;
  failure.message[0] = 0;
  png_structp png = png_create_read_struct("1.6.12", &failure, Png_Error, nullptr);
  if (!png) {
    std::fclose(file);
    return Report("Failed to create the structure", 217);
  }
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    std::fclose(file);
    return Report("Failed to the info structure", 225);
  }
  image* made = Read_Png(png, info, file, failure);
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  if (!made) return Report(failure.message, 144);
  width = made->width;
  height = made->height;
  bits_per_pixel = made->bits_per_pixel;
  bytes_per_pixel = made->bytes_per_pixel;
  pitch = made->pitch;
  std::swap(pixels.data, made->pixels.data);
  std::swap(pixels.count, made->pixels.count);
  std::swap(pixels.capacity, made->pixels.capacity);
  delete made;
  find_opaque_columns();
  return 1;
}

#pragma once
// The header of a BMP picture, read before the picture itself so that a file declaring an
// absurd size is refused before any pixel memory is allocated for it.
#include <cstddef>
#include <cstdint>

struct BmpHeader {
  int32_t width = 0;
  int32_t height = 0;  // negative for pictures stored top-down
  uint16_t bits = 0;
  uint32_t compression = 0;
  uint32_t pixel_offset = 0;
};

constexpr int32_t kMaxBmpSide = 8192;

// Parses the file and info headers (Windows and OS/2 forms) from the file's first bytes.
// Returns 1 when they are a BMP's, 0 otherwise.
int Read_Bmp_Header(const unsigned char* bytes, size_t count, BmpHeader& header);

// 1 when a picture with this header is worth handing to a BMP decoder: sides of 1 to
// kMaxBmpSide pixels and, for uncompressed pixels, all rows inside a file of file_size bytes.
int Bmp_Header_Acceptable(const BmpHeader& header, uint64_t file_size);

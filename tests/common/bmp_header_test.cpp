#include "common/formats/bmp_header.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// The first 54 bytes of a Windows BMP: file header and 40-byte info header.
std::vector<unsigned char> Header(int32_t width, int32_t height, uint16_t bits, uint32_t compression) {
  std::vector<unsigned char> bytes(54, 0);
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&bytes[at], &v, 4); };
  bytes[0] = 'B', bytes[1] = 'M';
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  bytes[26] = 1;
  std::memcpy(&bytes[28], &bits, 2);
  put32(30, compression);
  return bytes;
}

bool Acceptable(const std::vector<unsigned char>& bytes, uint64_t file_size) {
  BmpHeader header;
  return Read_Bmp_Header(bytes.data(), bytes.size(), header) && Bmp_Header_Acceptable(header, file_size);
}

TEST(BmpHeader, WholePicturesOfEveryRowOrderPass) {
  uint64_t rows_640x480x24 = 54 + 640 * 3 * 480;
  EXPECT_TRUE(Acceptable(Header(640, 480, 24, 0), rows_640x480x24));
  EXPECT_TRUE(Acceptable(Header(640, -480, 24, 0), rows_640x480x24));
  // Rows of 3 pixels at 24 bits are padded to 12 bytes.
  EXPECT_TRUE(Acceptable(Header(3, 2, 24, 0), 54 + 24));
  EXPECT_FALSE(Acceptable(Header(3, 2, 24, 0), 54 + 23));
}

TEST(BmpHeader, DeclaredSizesBeyondTheFileOrTheLimitAreRefused) {
  // Found by fuzzing: one column, half a billion rows, in a 58-byte file.
  EXPECT_FALSE(Acceptable(Header(1, 0x1e140a24, 32, 0), 58));
  EXPECT_FALSE(Acceptable(Header(kMaxBmpSide + 1, 1, 8, 1), 1u << 30));
  EXPECT_FALSE(Acceptable(Header(1, -kMaxBmpSide - 1, 8, 1), 1u << 30));
  EXPECT_FALSE(Acceptable(Header(0, 10, 24, 0), 1u << 30));
  EXPECT_FALSE(Acceptable(Header(-5, 10, 24, 0), 1u << 30));
  // Run-length pictures may be smaller than their rows; only the sides are checked.
  EXPECT_TRUE(Acceptable(Header(640, 480, 8, 1), 600));
}

TEST(BmpHeader, OnlyBmpHeadersAreRead) {
  BmpHeader header;
  std::vector<unsigned char> bytes = Header(4, 4, 24, 0);
  EXPECT_FALSE(Read_Bmp_Header(bytes.data(), 25, header));
  bytes[1] = 'X';
  EXPECT_FALSE(Read_Bmp_Header(bytes.data(), bytes.size(), header));
  // The short OS/2 info header carries 16-bit sides.
  std::vector<unsigned char> os2 = Header(0, 0, 0, 0);
  os2[14] = 12, os2[15] = 0;
  os2[18] = 7, os2[20] = 5, os2[24] = 24;
  ASSERT_TRUE(Read_Bmp_Header(os2.data(), os2.size(), header));
  EXPECT_EQ(header.width, 7);
  EXPECT_EQ(header.height, 5);
  EXPECT_EQ(header.bits, 24);
}

}  // namespace

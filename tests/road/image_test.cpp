#include "road/image.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/png_writer.h"
#include "support/temp_dir.h"

namespace {

// The four bytes of pixel (x, y).
std::vector<int> Pixel(const image& img, uint32_t x, uint32_t y) {
  const unsigned char* p = img.row(y) + x * img.bytes_per_pixel;
  return {p[0], p[1], p[2], p[3]};
}

// Loads path and returns what the loader printed.
std::string Load_Capturing(image& img, const std::string& path, int& result) {
  testing::internal::CaptureStdout();
  result = img.load(path.c_str());
  return testing::internal::GetCapturedStdout();
}

PngSpec Rgb_Picture() {
  PngSpec spec;
  spec.width = 3;
  spec.height = 2;
  spec.colour_type = PNG_COLOR_TYPE_RGB;
  spec.data = {10, 20, 30, 40, 50, 60, 70, 80, 90, 11, 21, 31, 41, 51, 61, 71, 81, 91};
  return spec;
}

}  // namespace

TEST(Image, ConstructorSettlesPitchAndBytesPerPixel) {
  image rgb(5, 2, 24, 0);
  EXPECT_EQ(rgb.bytes_per_pixel, 4u);
  EXPECT_EQ(rgb.pitch, 20u);
  image rgb_given(5, 2, 24, 15);  // a 24-bit picture always gets 4 bytes per pixel
  EXPECT_EQ(rgb_given.pitch, 20u);
  image rgba(5, 2, 32, 0);
  EXPECT_EQ(rgba.pitch, 20u);
  image padded(5, 2, 32, 32);
  EXPECT_EQ(padded.pitch, 32u);
  EXPECT_EQ(padded.pixels.count, 64u);
  image grey(5, 2, 8, 0);
  EXPECT_EQ(grey.bytes_per_pixel, 1u);
  EXPECT_EQ(grey.pitch, 5u);
  for (unsigned char b : padded.pixels) EXPECT_EQ(b, 0);

  padded.pixels[40] = 7;
  image copy(padded);
  EXPECT_EQ(copy.width, 5u);
  EXPECT_EQ(copy.pitch, 32u);
  EXPECT_EQ(copy.pixels.count, 64u);
  EXPECT_EQ(copy.pixels[40], 7);
  EXPECT_NE(copy.pixels.data, padded.pixels.data);
}

TEST(Image, RgbPictureIsWidenedToFourBytesWithZeroAlpha) {
  ScopedTempDir dir;
  for (bool interlaced : {false, true}) {
    PngSpec spec = Rgb_Picture();
    spec.interlaced = interlaced;
    ASSERT_TRUE(Write_Png("rgb.png", spec));
    image img;
    ASSERT_EQ(img.load("rgb.png"), 1);
    EXPECT_EQ(img.width, 3u);
    EXPECT_EQ(img.height, 2u);
    EXPECT_EQ(img.bits_per_pixel, 24u);
    EXPECT_EQ(img.bytes_per_pixel, 4u);
    EXPECT_EQ(img.pitch, 12u);
    EXPECT_EQ(Pixel(img, 0, 0), (std::vector<int>{10, 20, 30, 0}));
    EXPECT_EQ(Pixel(img, 2, 0), (std::vector<int>{70, 80, 90, 0}));
    EXPECT_EQ(Pixel(img, 0, 1), (std::vector<int>{11, 21, 31, 0}));
    EXPECT_EQ(Pixel(img, 2, 1), (std::vector<int>{71, 81, 91, 0}));
  }
}

TEST(Image, RgbaPictureKeepsItsAlpha) {
  ScopedTempDir dir;
  PngSpec spec;
  spec.width = 2;
  spec.height = 1;
  spec.colour_type = PNG_COLOR_TYPE_RGB_ALPHA;
  spec.data = {1, 2, 3, 255, 4, 5, 6, 0};
  ASSERT_TRUE(Write_Png("rgba.png", spec));
  image img;
  ASSERT_EQ(img.load("rgba.png"), 1);
  EXPECT_EQ(img.bits_per_pixel, 32u);
  EXPECT_EQ(img.pitch, 8u);
  EXPECT_EQ(Pixel(img, 0, 0), (std::vector<int>{1, 2, 3, 255}));
  EXPECT_EQ(Pixel(img, 1, 0), (std::vector<int>{4, 5, 6, 0}));
}

TEST(Image, PalettePicturesExpandAndTransparencyBecomesAlpha) {
  ScopedTempDir dir;
  PngSpec spec;
  spec.width = 3;
  spec.height = 1;
  spec.colour_type = PNG_COLOR_TYPE_PALETTE;
  spec.palette = {{200, 0, 0}, {0, 150, 0}, {0, 0, 100}};
  spec.data = {0, 1, 2};
  spec.trns = {0};  // entry 0 transparent, the others opaque
  ASSERT_TRUE(Write_Png("trns.png", spec));
  image img;
  ASSERT_EQ(img.load("trns.png"), 1);
  EXPECT_EQ(img.bits_per_pixel, 32u);
  EXPECT_EQ(Pixel(img, 0, 0)[3], 0);
  EXPECT_EQ(Pixel(img, 1, 0), (std::vector<int>{0, 150, 0, 255}));
  EXPECT_EQ(Pixel(img, 2, 0), (std::vector<int>{0, 0, 100, 255}));

  spec.trns.clear();
  spec.bit_depth = 2;     // packed indices, below 8 bits
  spec.data = {0x18};     // 00 01 10: indices 0, 1, 2
  ASSERT_TRUE(Write_Png("plain.png", spec));
  ASSERT_EQ(img.load("plain.png"), 1);
  EXPECT_EQ(img.bits_per_pixel, 24u);
  EXPECT_EQ(Pixel(img, 0, 0), (std::vector<int>{200, 0, 0, 0}));
  EXPECT_EQ(Pixel(img, 1, 0), (std::vector<int>{0, 150, 0, 0}));
  EXPECT_EQ(Pixel(img, 2, 0), (std::vector<int>{0, 0, 100, 0}));
}

TEST(Image, GreyPicturesBecomeRgb) {
  ScopedTempDir dir;
  PngSpec grey;
  grey.width = 2;
  grey.height = 1;
  grey.colour_type = PNG_COLOR_TYPE_GRAY;
  grey.data = {0, 77};
  ASSERT_TRUE(Write_Png("grey.png", grey));
  image img;
  ASSERT_EQ(img.load("grey.png"), 1);
  EXPECT_EQ(img.bits_per_pixel, 24u);
  EXPECT_EQ(Pixel(img, 1, 0), (std::vector<int>{77, 77, 77, 0}));

  PngSpec bits = grey;  // one bit per sample expands to 0 and 255
  bits.bit_depth = 1;
  bits.data = {0x40};
  ASSERT_TRUE(Write_Png("bits.png", bits));
  ASSERT_EQ(img.load("bits.png"), 1);
  EXPECT_EQ(Pixel(img, 0, 0), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(Pixel(img, 1, 0), (std::vector<int>{255, 255, 255, 0}));

  PngSpec alpha = grey;
  alpha.colour_type = PNG_COLOR_TYPE_GRAY_ALPHA;
  alpha.data = {9, 255, 120, 30};
  ASSERT_TRUE(Write_Png("alpha.png", alpha));
  ASSERT_EQ(img.load("alpha.png"), 1);
  EXPECT_EQ(img.bits_per_pixel, 32u);
  EXPECT_EQ(Pixel(img, 0, 0), (std::vector<int>{9, 9, 9, 255}));
  EXPECT_EQ(Pixel(img, 1, 0), (std::vector<int>{120, 120, 120, 30}));
}

TEST(Image, SixteenBitSamplesAreStripped) {
  ScopedTempDir dir;
  PngSpec spec;
  spec.width = 1;
  spec.height = 1;
  spec.bit_depth = 16;
  spec.colour_type = PNG_COLOR_TYPE_RGB_ALPHA;
  spec.data = {0x12, 0x34, 0xAB, 0xCD, 0x00, 0xFF, 0xFF, 0x00};
  ASSERT_TRUE(Write_Png("deep.png", spec));
  image img;
  ASSERT_EQ(img.load("deep.png"), 1);
  EXPECT_EQ(img.bits_per_pixel, 32u);
  EXPECT_EQ(Pixel(img, 0, 0), (std::vector<int>{0x12, 0xAB, 0x00, 0xFF}));

  spec.colour_type = PNG_COLOR_TYPE_RGB;
  spec.data = {0x12, 0x34, 0xAB, 0xCD, 0x00, 0xFF};
  ASSERT_TRUE(Write_Png("deep_rgb.png", spec));
  ASSERT_EQ(img.load("deep_rgb.png"), 1);
  EXPECT_EQ(img.bits_per_pixel, 24u);
  EXPECT_EQ(Pixel(img, 0, 0), (std::vector<int>{0x12, 0xAB, 0x00, 0}));
}

TEST(Image, GammaChunkIsCorrectedForScreenGamma) {
  ScopedTempDir dir;
  PngSpec spec;
  spec.width = 1;
  spec.height = 1;
  spec.colour_type = PNG_COLOR_TYPE_GRAY;
  spec.data = {128};
  spec.gamma = 1.0;  // linear file on a 2.2 screen: mid grey brightens to about 186
  ASSERT_TRUE(Write_Png("linear.png", spec));
  image img;
  ASSERT_EQ(img.load("linear.png"), 1);
  EXPECT_NEAR(Pixel(img, 0, 0)[0], 186, 2);

  spec.gamma = 1.0 / 2.2;  // matching gamma leaves the value alone
  ASSERT_TRUE(Write_Png("matched.png", spec));
  ASSERT_EQ(img.load("matched.png"), 1);
  EXPECT_NEAR(Pixel(img, 0, 0)[0], 128, 1);
}

TEST(Image, FailuresAreReportedAndLeaveAnEmptyPicture) {
  ScopedTempDir dir;
  ASSERT_TRUE(Write_Png("good.png", Rgb_Picture()));
  std::ifstream in("good.png", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::ofstream("cut.png", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  std::ofstream("text.png", std::ios::binary) << "this is not a picture at all";
  std::ofstream("short.png", std::ios::binary) << "\x89PNG";

  struct Case {
    const char* path;
    std::string report;
  } cases[] = {
      {"missing.png", "ASSERT EXCEPT: Failed to open missing.png - image 158\n"},
      {"short.png", "ASSERT EXCEPT: File short.png is not a valid PNG file - image 198\n"},
      {"text.png", "ASSERT EXCEPT: File text.png is not a valid PNG file - image 203\n"},
  };
  for (const Case& c : cases) {
    image img;
    ASSERT_EQ(img.load("good.png"), 1);
    int result = -1;
    EXPECT_EQ(Load_Capturing(img, c.path, result), c.report);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(img.width, 0u);
    EXPECT_EQ(img.height, 0u);
    EXPECT_EQ(img.pixels.count, 0u);
  }

  image img;
  int result = -1;
  std::string report = Load_Capturing(img, "cut.png", result);
  EXPECT_EQ(report.rfind("ASSERT EXCEPT: PNG Error. ", 0), 0u) << report;
  EXPECT_NE(report.find(" - image 144\n"), std::string::npos) << report;
  EXPECT_EQ(result, 0);
  EXPECT_EQ(img.width, 0u);
  EXPECT_EQ(img.pixels.count, 0u);

  // The same picture object loads fine afterwards.
  EXPECT_EQ(img.load("good.png"), 1);
  EXPECT_EQ(img.width, 3u);
}

TEST(Image, OversizedHeaderIsRefusedBeforeAnyAllocation) {
  ScopedTempDir dir;
  PngSpec spec;
  spec.width = 100000;
  spec.height = 1;
  spec.colour_type = PNG_COLOR_TYPE_GRAY;
  spec.bit_depth = 1;
  ASSERT_TRUE(Write_Png("wide.png", spec));
  image img;
  int result = -1;
  std::string report = Load_Capturing(img, "wide.png", result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(report.rfind("ASSERT EXCEPT: PNG Error. ", 0), 0u) << report;
  EXPECT_EQ(img.width, 0u);
}

#include "road/image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/files.h"
#include "support/png_writer.h"
#include "support/printed.h"
#include "support/temp_dir.h"

namespace {

std::vector<int> Pixel(const image& img, uint32_t x, uint32_t y) {
  const unsigned char* p = img.row(y) + x * 4;
  return {p[2], p[1], p[0], p[3]};  // stored B, G, R, A
}

PngLayout Png(int w, int h, int type, int depth, std::vector<unsigned char> data) {
  PngLayout layout;
  layout.width = w, layout.height = h, layout.colour_type = type, layout.bit_depth = depth, layout.data = std::move(data);
  return layout;
}

}  // namespace

TEST(Image, ConstructorSettlesPitchAndCopyIsDeep) {
  EXPECT_EQ(image(5, 2, 24, 15).pitch, 20u);  // 24 bits are stored in 4 bytes per pixel
  EXPECT_EQ(image(5, 2, 24, 0).bytes_per_pixel, 4u);
  EXPECT_EQ(image(5, 2, 32, 0).pitch, 20u);
  EXPECT_EQ(image(5, 2, 8, 0).pitch, 5u);
  image padded(5, 2, 32, 32);
  EXPECT_EQ(padded.pixels.count, 64u);
  padded.pixels[40] = 7;
  image copy(padded);
  EXPECT_EQ(copy.pitch, 32u);
  EXPECT_EQ(copy.pixels[40], 7);
  EXPECT_NE(copy.pixels.data, padded.pixels.data);
}

// Every colour type ends as 8-bit R, G, B, A in 4 bytes per pixel; 3-channel files get A = 0.
TEST(Image, EveryColourTypeLoadsAsFourBytesPerPixel) {
  ScopedTempDir dir;
  PngLayout palette = Png(3, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2});
  palette.palette = {{200, 0, 0}, {0, 150, 0}, {0, 0, 100}};
  PngLayout keyed = palette;
  keyed.trns = {0};  // entry 0 transparent
  PngLayout packed = palette;
  packed.bit_depth = 2, packed.data = {0x18};  // indices 0, 1, 2 in two bits each
  PngLayout interlaced = Png(3, 2, PNG_COLOR_TYPE_RGB, 8, {10, 20, 30, 4, 5, 6, 70, 80, 90, 11, 21, 31, 7, 8, 9, 71, 81, 91});
  interlaced.interlaced = true;
  PngLayout linear = Png(1, 1, PNG_COLOR_TYPE_GRAY, 8, {128});
  linear.gamma = 1.0;  // a linear file on a 2.2 screen: mid grey brightens to 186
  struct Case {
    const char* name;
    PngLayout layout;
    uint32_t bits;
    std::vector<std::vector<int>> pixels;  // x, y, then R, G, B, A expected
  } cases[] = {
      {"rgb", Png(3, 2, PNG_COLOR_TYPE_RGB, 8, interlaced.data), 24, {{0, 0, 10, 20, 30, 0}, {2, 0, 70, 80, 90, 0}, {0, 1, 11, 21, 31, 0}, {2, 1, 71, 81, 91, 0}}},
      {"interlaced", interlaced, 24, {{2, 1, 71, 81, 91, 0}}},
      {"rgba", Png(2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {1, 2, 3, 255, 4, 5, 6, 0}), 32, {{0, 0, 1, 2, 3, 255}, {1, 0, 4, 5, 6, 0}}},
      {"palette", palette, 24, {{0, 0, 200, 0, 0, 0}, {2, 0, 0, 0, 100, 0}}},
      {"keyed", keyed, 32, {{0, 0, 200, 0, 0, 0}, {1, 0, 0, 150, 0, 255}}},
      {"packed", packed, 24, {{1, 0, 0, 150, 0, 0}, {2, 0, 0, 0, 100, 0}}},
      {"grey", Png(2, 1, PNG_COLOR_TYPE_GRAY, 8, {0, 77}), 24, {{1, 0, 77, 77, 77, 0}}},
      {"grey1", Png(2, 1, PNG_COLOR_TYPE_GRAY, 1, {0x40}), 24, {{0, 0, 0, 0, 0, 0}, {1, 0, 255, 255, 255, 0}}},
      {"grey_alpha", Png(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {9, 255, 120, 30}), 32, {{1, 0, 120, 120, 120, 30}}},
      {"rgba16", Png(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {0x12, 0x34, 0xAB, 0xCD, 0, 0xFF, 0xFF, 0}), 32, {{0, 0, 0x12, 0xAB, 0, 0xFF}}},
      {"rgb16", Png(1, 1, PNG_COLOR_TYPE_RGB, 16, {0x12, 0x34, 0xAB, 0xCD, 0, 0xFF}), 24, {{0, 0, 0x12, 0xAB, 0, 0}}},
      {"linear", linear, 24, {{0, 0, 186, 186, 186, 0}}},
  };
  for (const Case& c : cases) {
    std::string path = std::string(c.name) + ".png";
    ASSERT_TRUE(Write_Png(path, c.layout));
    image img;
    ASSERT_EQ(img.load(path.c_str()), 1) << c.name;
    EXPECT_EQ(img.width, static_cast<uint32_t>(c.layout.width)) << c.name;
    EXPECT_EQ(img.bits_per_pixel, c.bits) << c.name;
    EXPECT_EQ(img.bytes_per_pixel, 4u) << c.name;
    EXPECT_EQ(img.pitch, img.width * 4) << c.name;
    for (const std::vector<int>& p : c.pixels)
      EXPECT_EQ(Pixel(img, p[0], p[1]), std::vector<int>(p.begin() + 2, p.end())) << c.name << " " << p[0];
  }
}

TEST(Image, FailuresAreReportedAndLeaveAnEmptyPicture) {
  ScopedTempDir dir;
  ASSERT_TRUE(Write_Png("good.png", Png(3, 2, PNG_COLOR_TYPE_RGB, 8, std::vector<unsigned char>(18, 9))));
  const std::string bytes = Read_File("good.png");
  Write_File("cut.png", bytes.substr(0, bytes.size() / 2));
  Write_File("text.png", "this is not a picture at all");
  Write_File("short.png", "\x89PNG");
  ASSERT_TRUE(Write_Png("wide.png", Png(100000, 1, PNG_COLOR_TYPE_GRAY, 1, {})));  // refused before allocating
  std::filesystem::create_directory("folder.png");
  struct Case {
    const char* path;
    std::string report;
  } cases[] = {
      {"missing.png", "ASSERT EXCEPT: Failed to open missing.png - image 158\n"},
      {"short.png", "ASSERT EXCEPT: File short.png is not a valid PNG file - image 198\n"},
      {"text.png", "ASSERT EXCEPT: File text.png is not a valid PNG file - image 203\n"},
      {"folder.png", "ASSERT EXCEPT: File folder.png is not a valid PNG file - image 198\n"},
      {"cut.png", "ASSERT EXCEPT: PNG Error. "},
      {"wide.png", "ASSERT EXCEPT: PNG Error. "},
  };
  for (const Case& c : cases) {
    image img;
    ASSERT_EQ(img.load("good.png"), 1);
    int result = -1;
    std::string report = Printed([&] { result = img.load(c.path); });
    EXPECT_EQ(report.substr(0, c.report.size()), c.report);
    bool from_library = c.report.back() != '\n';
    EXPECT_TRUE(!from_library || (report.size() > 13 && report.compare(report.size() - 13, 13, " - image 144\n") == 0))
        << report;
    EXPECT_EQ(result, 0) << c.path;  // checked outside the capture, so a failure shows
    EXPECT_EQ(img.width, 0u);
    EXPECT_EQ(img.height, 0u);
    EXPECT_EQ(img.pixels.count, 0u);
    EXPECT_EQ(img.load("good.png"), 1);  // the same object loads fine afterwards
  }
}

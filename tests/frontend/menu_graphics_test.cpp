#include "frontend/menu_graphics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/temp_dir.h"

namespace {

const char* const kTestFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// A 640x480x16 display and a system font in slot 3 (dummy video driver).
class MenuGraphics : public ::testing::Test {
 protected:
  SDL_Surface* display = nullptr;
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    display = SDL_SetVideoMode(640, 480, 16, SDL_SWSURFACE);
    ASSERT_NE(display, nullptr);
    ASSERT_EQ(TTF_Init(), 0);
    ttf_fonts[3] = TTF_OpenFont(kTestFont, 20);
    ASSERT_NE(ttf_fonts[3], nullptr) << "needs fonts-dejavu-core";
    Clear();
  }
  void TearDown() override {
    Free_Fonts();
    TTF_Quit();
    SDL_Quit();
  }
  void Clear() { SDL_FillRect(display, nullptr, 0); }
  Uint16 Pixel(int x, int y) const {
    return static_cast<const Uint16*>(display->pixels)[y * display->pitch / 2 + x];
  }
  // Leftmost column with a lit pixel, or -1.
  int Left_Lit() const {
    for (int x = 0; x < 640; ++x)
      for (int y = 0; y < 480; ++y)
        if (Pixel(x, y)) return x;
    return -1;
  }
  int Lit_Count() const {
    int n = 0;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) n += Pixel(x, y) != 0;
    return n;
  }
};

TEST(TextPlacement, NegativeXCentresWithOffsetTruncatingTheHalf) {
  EXPECT_EQ(Text_Left(-1, 200), 219);
  EXPECT_EQ(Text_Left(10, 200), 10);
  EXPECT_EQ(Text_Left(-1, 641), -1);
  EXPECT_EQ(Text_Left(-4, 201), 215);
  EXPECT_EQ(Text_Left(0, 50), 0);
}

TEST_F(MenuGraphics, DrawTextPlacesTheRenderedTextOnTheDisplay) {
  const char* text = "Hello Racer";
  int w = 0, h = 0;
  ASSERT_EQ(TTF_SizeUTF8(ttf_fonts[3], text, &w, &h), 0);
  Draw_Text(10, 100, text, 4, 3);
  int at_ten = Left_Lit();
  ASSERT_GE(at_ten, 10);
  ASSERT_LT(at_ten, 10 + w);
  Clear();
  Draw_Text(-1, 100, text, 4, 3);
  EXPECT_EQ(Left_Lit() - at_ten, (640 - w) / 2 - 1 - 10);
  Clear();
  Draw_Text(-4, 100, text, 4, 3);
  EXPECT_EQ(Left_Lit() - at_ten, (640 - w) / 2 - 4 - 10);
}

TEST_F(MenuGraphics, ColourIndexOutsideTheTableIsWhite) {
  Draw_Text(20, 20, "W", 3, 3);
  Uint16 brightest = 0;
  for (int y = 20; y < 60; ++y)
    for (int x = 20; x < 60; ++x) brightest = std::max(brightest, Pixel(x, y));
  EXPECT_EQ(brightest, 0xF800);  // pure red in 565
  Clear();
  Draw_Text(20, 20, "W", 4, 3);
  int white = Lit_Count();
  Clear();
  Draw_Text(20, 20, "W", 9, 3);
  EXPECT_EQ(Lit_Count(), white);
  EXPECT_EQ(Text_Colour(-1).r, 255);
  EXPECT_EQ(Text_Colour(7).g, 255);
}

TEST_F(MenuGraphics, NullFontsEmptyTextAndBadIndicesDrawNothing) {
  Draw_Text(10, 10, "x", 4, 0);  // font 0 not loaded
  Draw_Text(10, 10, "", 4, 3);
  Draw_Text(10, 10, nullptr, 4, 3);
  Draw_Text(10, 10, "x", 4, 7);
  Draw_Text(10, 10, "x", 4, -1);
  Draw_Image(0, 0, nullptr);
  EXPECT_EQ(Lit_Count(), 0);
}

TEST_F(MenuGraphics, ColourKeyMakesOnlyBlackTransparent) {
  ScopedTempDir dir;
  SDL_Surface* art = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 1, 24, 0xFF, 0xFF00, 0xFF0000, 0);
  Uint8* p = static_cast<Uint8*>(art->pixels);
  p[3] = 255;  // pixel 1 red, the others black
  ASSERT_EQ(SDL_SaveBMP(art, "pic.bmp"), 0);
  SDL_FreeSurface(art);
  SDL_Surface* keyed = Load_Sprites("pic.bmp", 1);
  SDL_Surface* plain = Load_Sprites("pic.bmp", 0);
  ASSERT_TRUE(keyed && plain);
  EXPECT_EQ(keyed->format->BitsPerPixel, 16);  // converted to the display format
  SDL_FillRect(display, nullptr, 0xFFFF);
  Draw_Image(0, 0, keyed);
  Draw_Image(0, 1, plain);
  EXPECT_EQ(Pixel(0, 0), 0xFFFF);
  EXPECT_EQ(Pixel(1, 0), 0xF800);
  EXPECT_EQ(Pixel(0, 1), 0x0000);
  SDL_FreeSurface(keyed);
  SDL_FreeSurface(plain);
}

TEST_F(MenuGraphics, MissingFilesReportTheirExactLinesAndGoOn) {
  ScopedTempDir dir;
  Free_Fonts();
  testing::internal::CaptureStdout();
  EXPECT_EQ(Load_Sprites("GFX/none.bmp", 1), nullptr);
  Load_Fonts();
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out,
            "[Load_Sprites] ERROR: Loading 'GFX/none.bmp'\n"
            "VantoRello: Error loading VantoRello.ttf font.\n"
            "VantoRello: Error loading MenuFont.ttf font.\n"
            "VantoRello: Error loading construct.ttf font.\n"
            "VantoRello: Error loading vantorello_con.ttf font.\n"
            "VantoRello: Error loading construct.ttf font.\n"
            "VantoRello: Error loading DSD.ttf font.\n"
            "VantoRello: Error loading DSD.ttf font.\n");
  testing::internal::CaptureStdout();
  Load_Menu_Graphics();
  out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.rfind("[Load_Sprites] ERROR: Loading 'GFX/VantoRello256.bmp'\n", 0), 0u);
  EXPECT_NE(out.find("'GFX/select_r190.bmp'\n[Load_Sprites] ERROR: Loading 'GFX/icon_sc_palms.bmp'"),
            std::string::npos);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 74);
  EXPECT_EQ(gfx_gearball, nullptr);
  Free_Menu_Graphics();
}

}  // namespace

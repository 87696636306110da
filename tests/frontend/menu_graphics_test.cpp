#include "frontend/graphics/menu_graphics.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "support/files.h"
#include "support/temp_dir.h"

namespace {

// A 640x480x16 display (dummy driver) and a system font in slot 3.
class MenuGraphics : public ::testing::Test {
 protected:
  SDL_Surface* display = nullptr;
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    ASSERT_NE(display = SDL_SetVideoMode(640, 480, 16, SDL_SWSURFACE), nullptr);
    ASSERT_EQ(TTF_Init(), 0);
    ttf_fonts[3] = TTF_OpenFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 20);
    ASSERT_NE(ttf_fonts[3], nullptr) << "needs fonts-dejavu-core";
  }
  void TearDown() override {
    Free_Fonts();
    TTF_Quit();
    SDL_Quit();
  }
  Uint16 Pixel(int x, int y) const { return static_cast<Uint16*>(display->pixels)[y * display->pitch / 2 + x]; }
  // Leftmost lit column (or -1) and the number of lit pixels after drawing one text.
  std::pair<int, int> Draw(int x, const char* text, int colour, int font) {
    SDL_FillRect(display, nullptr, 0);
    Draw_Text(x, 100, text, colour, font);
    int left = -1, lit = 0;
    for (int col = 639; col >= 0; --col)
      for (int row = 0; row < 480; ++row)
        if (Pixel(col, row)) left = col, ++lit;
    return {left, lit};
  }
};

TEST_F(MenuGraphics, NegativeXCentresTheTextWithXAsOffset) {
  EXPECT_EQ(Text_Left(-1, 200), 219);
  EXPECT_EQ(Text_Left(10, 200), 10);
  EXPECT_EQ(Text_Left(-1, 641), -1);  // the halving of -1 truncates to 0
  const char* text = "Hello Racer";
  int w = 0, h = 0;
  ASSERT_EQ(TTF_SizeUTF8(ttf_fonts[3], text, &w, &h), 0);
  int at_ten = Draw(10, text, 4, 3).first;
  ASSERT_TRUE(at_ten >= 10 && at_ten < 10 + w);
  EXPECT_EQ(Draw(-1, text, 4, 3).first - at_ten, (640 - w) / 2 - 1 - 10);
  EXPECT_EQ(Draw(-4, text, 4, 3).first - at_ten, (640 - w) / 2 - 4 - 10);
}

TEST_F(MenuGraphics, ColoursFallBackToWhiteAndNullFontsDrawNothing) {
  Draw(20, "W", 3, 3);
  Uint16 brightest = 0;
  for (int y = 100; y < 140; ++y)
    for (int x = 20; x < 60; ++x) brightest = std::max(brightest, Pixel(x, y));
  EXPECT_EQ(brightest, 0xF800);  // pure red
  EXPECT_EQ(Draw(20, "W", 9, 3), Draw(20, "W", 4, 3));
  EXPECT_EQ(Text_Colour(-1).b, 255);
  for (int font : {0, 7, -1}) EXPECT_EQ(Draw(20, "W", 4, font).second, 0) << font;
  EXPECT_EQ(Draw(20, "", 4, 3).second, 0);
}

TEST_F(MenuGraphics, ColourKeyMakesOnlyBlackTransparent) {
  ScopedTempDir dir;
  SDL_Surface* art = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 1, 24, 0xFF, 0xFF00, 0xFF0000, 0);
  static_cast<Uint8*>(art->pixels)[3] = 255;  // pixel 1 red, the others black
  ASSERT_EQ(SDL_SaveBMP(art, "pic.bmp"), 0);
  SDL_FreeSurface(art);
  SDL_Surface* keyed = Load_Sprites("pic.bmp", 1);
  SDL_Surface* plain = Load_Sprites("pic.bmp", 0);
  ASSERT_TRUE(keyed && plain);
  EXPECT_EQ(keyed->format->BitsPerPixel, 16);
  SDL_FillRect(display, nullptr, 0xFFFF);
  Draw_Image(0, 0, keyed);
  Draw_Image(0, 1, plain);
  Draw_Image(0, 2, nullptr);
  EXPECT_EQ(Pixel(0, 0), 0xFFFF);
  EXPECT_EQ(Pixel(1, 0), 0xF800);
  EXPECT_EQ(Pixel(0, 1), 0x0000);
  EXPECT_EQ(Pixel(0, 2), 0xFFFF);
  SDL_FreeSurface(keyed);
  SDL_FreeSurface(plain);
}

TEST_F(MenuGraphics, BrokenPicturesAreRefusedWithTheirLine) {
  ScopedTempDir dir;
  SDL_Surface* art = SDL_CreateRGBSurface(SDL_SWSURFACE, 64, 64, 24, 0xFF, 0xFF00, 0xFF0000, 0);
  ASSERT_EQ(SDL_SaveBMP(art, "whole.bmp"), 0);
  SDL_FreeSurface(art);
  const std::string bytes = Read_File("whole.bmp");
  Write_File("cut.bmp", bytes.substr(0, bytes.size() / 2));
  std::string bomb = bytes.substr(0, 58);
  bomb[22] = 0x24, bomb[23] = 0x0a, bomb[24] = 0x14, bomb[25] = 0x1e;  // 504 million rows
  Write_File("bomb.bmp", bomb);
  mkdir("folder.bmp", 0700);
  testing::internal::CaptureStdout();
  for (const char* name : {"cut.bmp", "bomb.bmp", "folder.bmp"}) EXPECT_EQ(Load_Sprites(name, 1), nullptr) << name;
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "[Load_Sprites] ERROR: Loading 'cut.bmp'\n"
            "[Load_Sprites] ERROR: Loading 'bomb.bmp'\n"
            "[Load_Sprites] ERROR: Loading 'folder.bmp'\n");
  SDL_Surface* whole = Load_Sprites("whole.bmp", 0);
  EXPECT_NE(whole, nullptr);
  SDL_FreeSurface(whole);
}

TEST_F(MenuGraphics, MissingFilesReportTheirExactLinesAndGoOn) {
  ScopedTempDir dir;
  Free_Fonts();
  testing::internal::CaptureStdout();
  EXPECT_EQ(Load_Sprites("GFX/none.bmp", 1), nullptr);
  Load_Fonts();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "[Load_Sprites] ERROR: Loading 'GFX/none.bmp'\n"
            "VantoRello: Error loading VantoRello.ttf font.\n"
            "VantoRello: Error loading MenuFont.ttf font.\n"
            "VantoRello: Error loading construct.ttf font.\n"
            "VantoRello: Error loading vantorello_con.ttf font.\n"
            "VantoRello: Error loading construct.ttf font.\n"
            "VantoRello: Error loading DSD.ttf font.\n"
            "VantoRello: Error loading DSD.ttf font.\n");
}

}  // namespace

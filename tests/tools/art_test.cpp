// The generated GFX tree: every file the game asks for is there, loads cleanly through the
// game's loaders, has the size its screen needs and keeps the transparency rules of the
// blits. (That the pictures stay as painted is the digest table's job.)
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <string>

#include "../../tools/artgen/manifest.h"
#include "frontend/graphics/menu_graphics.h"
#include "road/image.h"
#include "support/files.h"

namespace {

namespace fs = std::filesystem;

const fs::path kRun = VR_TEST_RUN_DIR;

std::map<std::string, gfx::Entry> Manifest_By_Path() {
  std::map<std::string, gfx::Entry> m;
  for (const auto& e : gfx::Manifest()) m[e.path] = e;
  return m;
}

// A PNG loaded with the game's loader; fails the test on any printed report.
struct Png {
  image img;
  int w() const { return static_cast<int>(img.width); }
  int h() const { return static_cast<int>(img.height); }
  const unsigned char* px(int x, int y) const { return img.row(y) + x * 4; }
};

void Load_Png(const std::string& rel, Png& out) {
  testing::internal::CaptureStdout();
  int ok = out.img.load((kRun / rel).c_str());
  std::string printed = testing::internal::GetCapturedStdout();
  ASSERT_EQ(ok, 1) << rel;
  ASSERT_EQ(printed, "") << rel;
  ASSERT_EQ(out.img.bytes_per_pixel, 4u) << rel;
}

class SdlVideo : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    screen_ = SDL_SetVideoMode(640, 480, 16, 0);
    ASSERT_NE(screen_, nullptr);
  }
  static void TearDownTestSuite() { SDL_Quit(); }

  static SDL_Surface* screen_;
};
SDL_Surface* SdlVideo::screen_ = nullptr;

// A BMP as the file holds it, freed when it goes out of scope.
using Surface = std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)>;
Surface Raw_Bmp(const std::string& rel) { return Surface(SDL_LoadBMP((kRun / rel).c_str()), SDL_FreeSurface); }

uint32_t Get_Pixel(SDL_Surface* s, int x, int y) {
  const uint8_t* p = static_cast<const uint8_t*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
  switch (s->format->BytesPerPixel) {
    case 2: return *reinterpret_cast<const uint16_t*>(p);
    case 3: return p[0] | (p[1] << 8) | (p[2] << 16);
    default: return *reinterpret_cast<const uint32_t*>(p);
  }
}

// Every GFX path written in the game's sources must be a file of the manifest.
TEST(ArtManifest, CoversEveryPicturePathTheGameAsksFor) {
  auto m = Manifest_By_Path();
  std::regex literal("\"(GFX/[^\"%<> ]+\\.(png|bmp|ttf))\"");
  int seen = 0;
  for (const auto& f : fs::recursive_directory_iterator(fs::path(VR_TEST_SOURCE_DIR) / "src")) {
    if (!f.is_regular_file()) continue;
    std::string ext = f.path().extension().string();
    if (ext != ".cpp" && ext != ".h") continue;
    std::string text = Read_File(f.path());
    for (std::sregex_iterator it(text.begin(), text.end(), literal), end; it != end; ++it) {
      ++seen;
      EXPECT_TRUE(m.count((*it)[1].str())) << (*it)[1].str() << " in " << f.path();
    }
  }
  EXPECT_GT(seen, 0);
}

TEST(ArtPng, LoadCleanlyWithTheAlphaTheirBlitsNeed) {
  for (const auto& e : gfx::Manifest()) {
    if (e.path.substr(e.path.size() - 4) != ".png") continue;
    Png p;
    ASSERT_NO_FATAL_FAILURE(Load_Png(e.path, p));
    EXPECT_GT(p.w(), 0);
    bool any_opaque = false, any_clear = false, partial = false, dark_ink = false;
    for (int y = 0; y < p.h(); ++y)
      for (int x = 0; x < p.w(); ++x) {
        int a = p.px(x, y)[3];
        any_opaque = any_opaque || a == 255;
        any_clear = any_clear || a == 0;
        partial = partial || (a != 0 && a != 255);
        dark_ink = dark_ink || (a != 0 && p.px(x, y)[2] == 0);  // R
      }
    switch (e.kind) {
      case gfx::Kind::Sprite:
        // The unscaled blit draws A == 255 only, the scaled one A != 0: no half measures.
        EXPECT_FALSE(partial) << e.path;
        EXPECT_TRUE(any_opaque) << e.path;
        EXPECT_TRUE(any_clear) << e.path;
        break;
      case gfx::Kind::Opaque:
        EXPECT_FALSE(any_clear || partial) << e.path;
        break;
      case gfx::Kind::Glyphs:
        // The keyed glyph blit draws red ink only: ink without red would vanish.
        EXPECT_FALSE(dark_ink) << e.path;
        EXPECT_TRUE(any_opaque && any_clear) << e.path;
        break;
      default:
        break;
    }
  }
}

// Every BMP loads through the front end's loader at the size its screen needs. Keyed
// pictures are pure black exactly where the background shows: nothing they draw may turn
// black in the 16-bit screen format.
TEST_F(SdlVideo, BmpsLoadWithTheirSizesAndKeepBlackForTheBackground) {
  for (const auto& e : gfx::Manifest()) {
    if (e.path.substr(e.path.size() - 4) != ".bmp") continue;
    testing::internal::CaptureStdout();
    Surface s(Load_Sprites((kRun / e.path).c_str(), e.kind == gfx::Kind::BmpKeyed), SDL_FreeSurface);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << e.path;
    ASSERT_NE(s, nullptr) << e.path;
    EXPECT_EQ(s->format->BitsPerPixel, 16) << e.path;
    EXPECT_EQ(s->w, e.width ? e.width : s->w) << e.path;
    EXPECT_EQ(s->h, e.height ? e.height : s->h) << e.path;
    if (e.kind != gfx::Kind::BmpKeyed) continue;
    Surface raw = Raw_Bmp(e.path);
    ASSERT_EQ(raw->format->BytesPerPixel, 3) << e.path;
    int black_raw = 0, black_screen = 0;
    uint32_t key = SDL_MapRGB(s->format, 0, 0, 0);
    for (int y = 0; y < raw->h; ++y)
      for (int x = 0; x < raw->w; ++x) {
        black_raw += Get_Pixel(raw.get(), x, y) == 0;
        black_screen += Get_Pixel(s.get(), x, y) == key;
      }
    EXPECT_EQ(black_raw, black_screen) << e.path;
    EXPECT_LT(black_raw, raw->w * raw->h) << e.path;
  }
}

TEST(ArtFonts, OpenAtTheirSizesAndRenderUmlauts) {
  ASSERT_EQ(SDL_Init(0), 0);
  ASSERT_EQ(TTF_Init(), 0);
  const std::pair<const char*, int> fonts[] = {{"VantoRello.ttf", 30}, {"MenuFont.ttf", 12}, {"construct.ttf", 54},
                                               {"vantorello_con.ttf", 12}, {"construct.ttf", 32}, {"DSD.ttf", 24},
                                               {"DSD.ttf", 14}};
  for (const auto& [name, size] : fonts) {
    TTF_Font* f = TTF_OpenFont((kRun / "GFX" / name).c_str(), size);
    ASSERT_NE(f, nullptr) << name;
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface* s = TTF_RenderUTF8_Blended(f, "\xC3\xA4\xC3\xBC", white);
    ASSERT_NE(s, nullptr) << name;
    EXPECT_GT(s->w, size / 2) << name;
    SDL_FreeSurface(s);
    TTF_CloseFont(f);
    std::string stem = fs::path(name).stem();
    EXPECT_TRUE(fs::is_regular_file(kRun / "GFX" / (stem + "-LICENSE.txt"))) << name;
  }
  TTF_Quit();
  SDL_Quit();
}

}  // namespace

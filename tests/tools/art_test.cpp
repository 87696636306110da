// The generated GFX tree: every file the game loads is there, loads cleanly through the
// game's loaders, has the size its screen needs and keeps the transparency rules of
// the blits; the generator is deterministic.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>

#include "../../tools/artgen/manifest.h"
#include "frontend/graphics/menu_graphics.h"
#include "road/image.h"
#include "support/files.h"
#include "support/temp_dir.h"

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

// Width of the opaque columns of a sprite frame.
int Opaque_Width(const Png& p) {
  int lo = p.w(), hi = -1;
  for (int y = 0; y < p.h(); ++y)
    for (int x = 0; x < p.w(); ++x)
      if (p.px(x, y)[3]) {
        lo = std::min(lo, x);
        hi = std::max(hi, x);
      }
  return hi - lo + 1;
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

TEST(ArtManifest, NamesTheFullSetsOfFramesViewsAndSeries) {
  auto m = Manifest_By_Path();
  for (const auto& stem : gfx::Player_Car_Stems())
    for (const auto& suffix : gfx::Car_Frame_Suffixes()) EXPECT_TRUE(m.count("GFX/" + stem + suffix + ".png"));
  EXPECT_EQ(gfx::Player_Car_Stems().size(), 19u);
  EXPECT_EQ(gfx::Car_Frame_Suffixes().size(), 10u);
  std::set<std::string> three = {"Scirocco", "Audi_A4", "uk_bus", "uk_taxi"};
  for (const auto& set : gfx::Opponent_Sets()) {
    EXPECT_EQ(set.views, three.count(set.stem) ? 3 : 5) << set.stem;
    EXPECT_TRUE(m.count("GFX/" + set.stem + "_0_0.png")) << set.stem;
  }
  for (int i = 1; i <= 5; ++i) EXPECT_TRUE(m.count("GFX/Wolkenkratzer0" + std::to_string(i) + ".png"));
  for (int i = 1; i <= 6; ++i) EXPECT_TRUE(m.count("GFX/russia_bld0" + std::to_string(i) + ".png"));
  for (const auto& e : gfx::Manifest()) EXPECT_EQ(e.path.find(".TRK"), std::string::npos);
  // The ending reads glyph k of the scroll font at 16 k - 1: "!" at 15, "#" at 31.
  const std::string& order = gfx::Scroll_Font_Order();
  EXPECT_EQ(order.size(), 94u);
  EXPECT_EQ(order.find('!'), 1u);
  EXPECT_EQ(order.find('#'), 2u);
  EXPECT_EQ(order.find('"'), std::string::npos);
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

TEST(ArtTree, HoldsEveryFileWithinTheBudget) {
  std::uintmax_t total = 0;
  size_t files = 0;
  for (const auto& f : fs::recursive_directory_iterator(kRun / "GFX"))
    if (f.is_regular_file() && f.path().extension() != ".TRK") {
      total += f.file_size();
      ++files;
    }
  for (const auto& e : gfx::Manifest()) EXPECT_TRUE(fs::is_regular_file(kRun / e.path)) << e.path;
  EXPECT_GE(files, gfx::Manifest().size());
  EXPECT_LT(total, 40u * 1024 * 1024);
}

TEST(ArtPng, LoadCleanlyWithBinaryAlphaForSpritesAndFullAlphaForStrips) {
  for (const auto& e : gfx::Manifest()) {
    if (e.path.substr(e.path.size() - 4) != ".png") continue;
    Png p;
    ASSERT_NO_FATAL_FAILURE(Load_Png(e.path, p));
    EXPECT_GT(p.w(), 0);
    bool any_opaque = false, any_clear = false, partial = false;
    for (int y = 0; y < p.h(); ++y)
      for (int x = 0; x < p.w(); ++x) {
        int a = p.px(x, y)[3];
        any_opaque = any_opaque || a == 255;
        any_clear = any_clear || a == 0;
        partial = partial || (a != 0 && a != 255);
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
      default:
        break;
    }
  }
}

TEST(ArtPng, SkyStripsAreWideAndTallEnoughAndTileSeamlessly) {
  for (const char* n : {"bg_redcityline", "bg_alps_snow", "bg_cloudy3", "bg_desertsky2", "bg_spain", "bg_russia",
                        "bg_uk_dark", "bg_hungary", "bg_fantasysky", "bg_industry", "bg_bahamas", "bg_swiss"}) {
    Png p;
    ASSERT_NO_FATAL_FAILURE(Load_Png(std::string("GFX/") + n + ".png", p));
    EXPECT_GE(p.w(), 1024) << n;
    EXPECT_GE(p.h(), 480) << n;  // the horizon row can reach the bottom of the screen
    // The last column continues into the first: compare the jump across the seam
    // with the ordinary jumps between neighbouring columns.
    double seam = 0, inner = 0;
    for (int y = 0; y < p.h(); ++y)
      for (int c = 0; c < 3; ++c) {
        seam += std::abs(p.px(p.w() - 1, y)[c] - p.px(0, y)[c]);
        inner += std::abs(p.px(p.w() / 2, y)[c] - p.px(p.w() / 2 + 1, y)[c]);
      }
    EXPECT_LT(seam, inner * 3 + p.h() * 6) << n;
  }
}

// The canvas font reads cells in rows, each followed by a one-pixel gap, characters 32..127.
void Check_Glyph_Sheet(const std::string& rel, int cw, int ch) {
  Png p;
  ASSERT_NO_FATAL_FAILURE(Load_Png(rel, p));
  int x = 0, y = 0, laid = 0;
  std::map<int, std::pair<int, int>> cell;
  for (int c = 32; c <= 127; ++c) {
    if (x + cw + 1 > p.w()) {
      x = 0;
      y += ch + 1;
      if (y + ch > p.h()) break;
    }
    cell[c] = {x, y};
    ++laid;
    x += cw + 1;
  }
  ASSERT_EQ(laid, 96) << rel;
  for (int c = 33; c <= 126; ++c) {
    int ink = 0;
    for (int j = 0; j < ch; ++j)
      for (int i = 0; i < cw; ++i) {
        const unsigned char* px = p.px(cell[c].first + i, cell[c].second + j);
        // Pixels that would be invisible to the keyed blit must be fully clear.
        if (px[3]) {
          EXPECT_NE(px[0], 0) << rel << " char " << c;
          ++ink;
        }
      }
    EXPECT_GT(ink, 0) << rel << " char " << c;
  }
  // The gaps between cells stay empty.
  for (int c = 32; c <= 127; ++c) {
    int gx = cell[c].first + cw;
    for (int j = 0; j < ch; ++j)
      if (gx < p.w()) {
        EXPECT_EQ(p.px(gx, cell[c].second + j)[3], 0) << rel << " gap after " << c;
      }
  }
}

TEST(ArtPng, GlyphSheetsFollowTheCellLayout) {
  Check_Glyph_Sheet("GFX/VantoRelloFont12.png", 12, 16);
  Check_Glyph_Sheet("GFX/VantoRelloFont60.png", 51, 69);
}

// The dial is drawn with its bottom centre at (318, 480); the needle turns about (318, 445)
// with a length of 80 for speeds 0..160.
TEST(ArtPng, SpeedometerDialLiesUnderTheWholeNeedleSweep) {
  Png p;
  ASSERT_NO_FATAL_FAILURE(Load_Png("GFX/speedometer.png", p));
  int left = 318 - p.w() / 2, top = 480 - p.h();
  for (int speed = 0; speed <= 160; speed += 5) {
    int a = speed * 209 / 160 - 15;
    double r = a * 3.14 / 180.0;
    for (double len : {10.0, 40.0, 80.0}) {
      int ex = static_cast<int>(318.0 - std::cos(r) * len), ey = static_cast<int>(445.0 - std::sin(r) * len);
      int x = ex - left, y = ey - top;
      ASSERT_TRUE(x >= 0 && y >= 0 && x < p.w() && y < p.h()) << speed;
      EXPECT_EQ(p.px(x, y)[3], 255) << "speed " << speed << " length " << len;
    }
  }
}

// Checkpoint and finish gates span the road: five lanes of 250 units at 2.5 units a pixel.
TEST(ArtPng, GatesSpanTheRoad) {
  for (const char* gate : {"Checkpoint2", "Finish"}) {
    Png p;
    ASSERT_NO_FATAL_FAILURE(Load_Png(std::string("GFX/") + gate + ".png", p));
    EXPECT_GE(Opaque_Width(p) * 2.5, 5 * 250) << gate;
  }
}

TEST(ArtPng, FramesOfOneSpriteSetShareTheirSize) {
  // The sprite anchors frames by their size; a frame of another height would jump. The
  // player's frames are each as wide as the car in them (the car shadow takes the width).
  for (const auto& stem : gfx::Player_Car_Stems()) {
    Png first;
    ASSERT_NO_FATAL_FAILURE(Load_Png("GFX/" + stem + gfx::Car_Frame_Suffixes()[0] + ".png", first));
    for (const auto& suffix : gfx::Car_Frame_Suffixes()) {
      Png p;
      ASSERT_NO_FATAL_FAILURE(Load_Png("GFX/" + stem + suffix + ".png", p));
      EXPECT_EQ(p.h(), first.h()) << stem << suffix;
      EXPECT_LE(p.w() - Opaque_Width(p), 3) << stem << suffix;
    }
  }
  for (const auto& set : gfx::Opponent_Sets()) {
    auto suffixes = gfx::View_Suffixes(set.views);
    Png first;
    ASSERT_NO_FATAL_FAILURE(Load_Png("GFX/" + set.stem + suffixes[0] + ".png", first));
    for (const auto& suffix : suffixes) {
      Png p;
      ASSERT_NO_FATAL_FAILURE(Load_Png("GFX/" + set.stem + suffix + ".png", p));
      EXPECT_EQ(p.w(), first.w()) << set.stem << suffix;
      EXPECT_EQ(p.h(), first.h()) << set.stem << suffix;
    }
  }
}

// The tyre smoke is blitted additively and many puffs pile up near the camera: each puff
// is a faint haze without an edge, so that the road shows through a dozen of them.
TEST(ArtPng, SmokePuffIsAFaintHazeWithoutAnEdge) {
  Png p;
  ASSERT_NO_FATAL_FAILURE(Load_Png("GFX/tsmoke2.png", p));
  int brightest = 0;
  for (int y = 0; y < p.h(); ++y)
    for (int x = 0; x < p.w(); ++x)
      for (int c = 0; c < 3; ++c) brightest = std::max(brightest, static_cast<int>(p.px(x, y)[c]));
  EXPECT_GT(brightest, 8);    // still smoke
  EXPECT_LE(brightest, 40);   // 12 puffs over a grey road of 110 stay below white
  for (int i = 0; i < p.w(); ++i)
    for (int c = 0; c < 3; ++c) {
      EXPECT_LE(p.px(i, 0)[c], 2);
      EXPECT_LE(p.px(0, i * p.h() / p.w())[c], 2);
    }
}

TEST(ArtPng, AnimationFramesDiffer) {
  // Alternate wheel frames, the brake frame and the wheel-spin frame each change the picture.
  for (const char* stem : {"Car_Mini", "Car_F512", "Bike_Kawa"}) {
    std::string base = std::string("GFX/") + stem;
    for (auto [a, b] : {std::pair{"_0_0_0", "_0_0_1"}, {"_0_-2_0", "_0_-2_1"}, {"_0_0_0", "_-2_0"},
                        {"_0_0_0", "_-1_0"}})
      EXPECT_NE(Read_File(kRun / (base + a + ".png")), Read_File(kRun / (base + b + ".png"))) << stem << a << b;
  }
}

TEST_F(SdlVideo, BmpsLoadThroughTheFrontEndLoaderWithTheirSizes) {
  for (const auto& e : gfx::Manifest()) {
    if (e.path.substr(e.path.size() - 4) != ".bmp") continue;
    testing::internal::CaptureStdout();
    SDL_Surface* s = Load_Sprites((kRun / e.path).c_str(), e.kind == gfx::Kind::BmpKeyed);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << e.path;
    ASSERT_NE(s, nullptr) << e.path;
    EXPECT_EQ(s->format->BitsPerPixel, 16) << e.path;
    if (e.width) {
      EXPECT_EQ(s->w, e.width) << e.path;
    }
    if (e.height) {
      EXPECT_EQ(s->h, e.height) << e.path;
    }
    SDL_FreeSurface(s);
  }
}

// Keyed pictures are pure black exactly where the background shows; nothing they draw
// may turn black in the 16-bit screen format.
TEST_F(SdlVideo, KeyedBmpsUseBlackOnlyForTheBackground) {
  for (const auto& e : gfx::Manifest()) {
    if (e.kind != gfx::Kind::BmpKeyed) continue;
    Surface raw = Raw_Bmp(e.path);
    ASSERT_NE(raw, nullptr) << e.path;
    Surface s(SDL_DisplayFormat(raw.get()), SDL_FreeSurface);  // the screen's format, as the front end converts
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

TEST_F(SdlVideo, ScreenPiecesFitWhereTheScreensPutThem) {
  auto size = [](const std::string& rel) {
    Surface s = Raw_Bmp("GFX/" + rel + ".bmp");
    EXPECT_NE(s, nullptr) << rel;
    return s ? std::pair{s->w, s->h} : std::pair{0, 0};
  };
  // Grid pictures at x 16/228/448, y 99..399, inside frames at x 0/210/420, y 80..380.
  for (const char* n : {"icon_license", "icon_live_update", "icon_leader", "diff_easy", "diff_expert", "select_world2",
                        "icon_input_key", "icon_input_joy", "icon_VRCS", "icon_splayer", "icon_tournament",
                        "icon_mplayer", "icon_automatic", "icon_sc_palms", "track_bavaria", "track_swiss",
                        "select_start2", "select_build", "select_cls", "select_r190", "icon_save", "icon_cancel"}) {
    auto [w, h] = size(n);
    EXPECT_LE(16 + w, 210) << n;
    EXPECT_LE(448 + w, 640) << n;
    EXPECT_LE(399 + h, 472) << n;  // clear of the last plate's lower edge at 476
    EXPECT_GE(w, 150) << n;
  }
  // The labels (y 89, about 12 rows high) stand on a clear light band at the top of every
  // grid picture, and the car pictures stay inside their frames.
  for (const char* n : {"icon_license", "diff_easy", "select_world2", "icon_sc_palms", "select_start2", "select_cls",
                        "select_kawa", "select_r190"}) {
    Surface raw = Raw_Bmp(std::string("GFX/") + n + ".bmp");
    ASSERT_NE(raw, nullptr) << n;
    for (int y = 0; y < 104 - 99; ++y)
      for (int x = 0; x < raw->w; ++x) {
        Uint8 r, g, b;
        SDL_GetRGB(Get_Pixel(raw.get(), x, y), raw->format, &r, &g, &b);
        ASSERT_GE(std::min({r, g, b}), 180) << n << " at " << x << ", " << y;
      }
    if (std::string(n).rfind("select_", 0) == 0 && std::string(n) != "select_world2" &&
        std::string(n) != "select_start2") {
      const uint32_t frame = Get_Pixel(raw.get(), 0, raw->h - 1);
      for (int y = 12; y < raw->h; ++y) {
        EXPECT_EQ(Get_Pixel(raw.get(), 0, y), frame) << n << " left edge, row " << y;
        EXPECT_EQ(Get_Pixel(raw.get(), raw->w - 1, y), frame) << n << " right edge, row " << y;
      }
      for (int x = 0; x < raw->w; ++x)
        EXPECT_EQ(Get_Pixel(raw.get(), x, raw->h - 1), frame) << n << " bottom, column " << x;
    }
  }
  // Pieces drawn at (x, y) that must end by (right, bottom).
  const struct {
    const char* name;
    int x, y, right, bottom;
  } pieces[] = {
      {"Artist_Girl", 470, 140, 606, 376},    // inside the radio's front
      {"Selector", 420, 0, 640, 480},         // cursor frames on the grid's right column
      {"Selector2", 420, 0, 640, 480},
      {"gearplate", 515, 355, 640, 480},      // the gear gate
      {"tournament_FL", 117, 111, 523, 399},  // round and notice pictures, above their texts
      {"tournament_CH", 117, 111, 523, 399}, {"info_red", 117, 111, 523, 399},
      {"lt_palms", 10, 310, 260, 480},        // browser tile, left of the text column
      {"aluplate", 145, 60, 640, 480},        // settings plate
      {"icon_time", 2, 2, 30, 30},            // HUD icons beside their texts
      {"icon_position", 2, 375, 30, 405},
      {"icon_score", 2, 2, 640, 33},
      {"icon_road", 470, 2, 534, 36},
  };
  for (const auto& piece : pieces) {
    auto [w, h] = size(piece.name);
    EXPECT_LE(piece.x + w, piece.right) << piece.name;
    EXPECT_LE(piece.y + h, piece.bottom) << piece.name;
  }
  // Selector frames cover a grid cell; the ball's corner reaches slot offsets up to (90, 60);
  // the plate holds the heading (y 90) and the value (y 120).
  for (const char* n : {"Selector", "Selector2"}) {
    auto [w, h] = size(n);
    EXPECT_GE(w, 210) << n;
    EXPECT_EQ(h, 100) << n;
  }
  auto [gw, gh] = size("gearplate");
  auto [bw, bh] = size("gearball");
  EXPECT_GE(gw, 90 + bw);
  EXPECT_GE(gh, 60 + bh);
  EXPECT_GE(60 + size("aluplate").second, 150);
}

// The ending copies glyph k from x = 16 k - 1: each glyph keeps off the first and last
// column of its cell, so that the copy takes all of it and nothing of its neighbour.
TEST_F(SdlVideo, ScrollFontGlyphsKeepClearOfTheirCellEdges) {
  Surface font = Raw_Bmp("GFX/scrollfont.bmp");
  ASSERT_NE(font, nullptr);
  SDL_Surface* raw = font.get();
  const std::string& order = gfx::Scroll_Font_Order();
  for (size_t k = 0; k < order.size(); ++k) {
    int ink = 0;
    for (int y = 0; y < 32; ++y) {
      EXPECT_EQ(Get_Pixel(raw, 16 * k, y), 0u) << "glyph " << k;
      EXPECT_EQ(Get_Pixel(raw, 16 * k + 15, y), 0u) << "glyph " << k;
      for (int x = 1; x < 15; ++x) ink += Get_Pixel(raw, 16 * k + x, y) != 0;
    }
    if (order[k] != ' ') {
      EXPECT_GT(ink, 0) << "glyph " << k;
    }
  }
}

// Cursor frames are see-through inside; the gear ball is round.
TEST_F(SdlVideo, KeyedPicturesAreClearWhereTheyFrame) {
  for (const char* n : {"Selector", "Selector2", "gearball"}) {
    Surface raw = Raw_Bmp(std::string("GFX/") + n + ".bmp");
    ASSERT_NE(raw, nullptr) << n;
    const bool ball = n[0] == 'g';
    EXPECT_EQ(Get_Pixel(raw.get(), raw->w / 2, raw->h / 2) == 0, !ball) << n;
    EXPECT_EQ(Get_Pixel(raw.get(), ball ? 0 : raw->w / 2, ball ? 0 : 3) == 0, ball) << n;
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

TEST(ArtGenerator, WritesTheSameBytesEveryRun) {
  fs::path gen = fs::read_symlink("/proc/self/exe").parent_path() / "tools" / "artgen" / "vr_artgen";
  if (!fs::exists(gen)) GTEST_SKIP() << "no generator at " << gen;
  ScopedTempDir dir;
  for (const char* run : {"a", "b"}) {
    std::string cmd = gen.string() + " " + dir.path() + "/" + run + " > /dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
  }
  size_t compared = 0;
  for (const auto& e : gfx::Manifest()) {
    std::string a = Read_File(fs::path(dir.path()) / "a" / e.path), b = Read_File(fs::path(dir.path()) / "b" / e.path);
    ASSERT_FALSE(a.empty()) << e.path;
    EXPECT_TRUE(a == b) << e.path;
    ++compared;
  }
  EXPECT_EQ(compared, gfx::Manifest().size());
}

}  // namespace

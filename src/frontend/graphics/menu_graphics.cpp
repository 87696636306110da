#include "frontend/graphics/menu_graphics.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "common/formats/bmp_header.h"
#include "common/game_folders.h"
#include "core/state/game.h"

SDL_Surface* gfx_vantorello256 = nullptr;
SDL_Surface* gfx_intro_logo1 = nullptr;
SDL_Surface* gfx_intro_logo2 = nullptr;
SDL_Surface* gfx_gametitle = nullptr;
SDL_Surface* gfx_selector = nullptr;
SDL_Surface* gfx_selector2 = nullptr;
SDL_Surface* gfx_select_car[19] = {};
SDL_Surface* gfx_scenario[12] = {};
SDL_Surface* gfx_select_build = nullptr;
SDL_Surface* gfx_radio = nullptr;
SDL_Surface* gfx_artist_girl = nullptr;
SDL_Surface* gfx_snowflake = nullptr;
SDL_Surface* gfx_seaplane = nullptr;
SDL_Surface* gfx_raindrop = nullptr;
SDL_Surface* gfx_snowrain = nullptr;
SDL_Surface* gfx_icon_vrcs = nullptr;
SDL_Surface* gfx_menu_vrcs_info = nullptr;
SDL_Surface* gfx_menu_vrcs = nullptr;
SDL_Surface* gfx_gameover = nullptr;
SDL_Surface* gfx_icon_license = nullptr;
SDL_Surface* gfx_icon_live_update = nullptr;
SDL_Surface* gfx_select_start = nullptr;
SDL_Surface* gfx_icon_splayer = nullptr;
SDL_Surface* gfx_icon_mplayer = nullptr;
SDL_Surface* gfx_icon_tournament = nullptr;
SDL_Surface* gfx_icon_manual = nullptr;
SDL_Surface* gfx_icon_automatic = nullptr;
SDL_Surface* gfx_diff_easy = nullptr;
SDL_Surface* gfx_diff_normal = nullptr;
SDL_Surface* gfx_diff_hard = nullptr;
SDL_Surface* gfx_diff_expert = nullptr;
SDL_Surface* gfx_select_world = nullptr;
SDL_Surface* gfx_icon_input_joy = nullptr;
SDL_Surface* gfx_icon_input_key = nullptr;
SDL_Surface* gfx_icon_save = nullptr;
SDL_Surface* gfx_icon_cancel = nullptr;
SDL_Surface* gfx_icon_leader = nullptr;
SDL_Surface* gfx_icon_time = nullptr;
SDL_Surface* gfx_icon_position = nullptr;
SDL_Surface* gfx_icon_road = nullptr;
SDL_Surface* gfx_icon_score = nullptr;
SDL_Surface* gfx_game_menu = nullptr;
SDL_Surface* gfx_menu_mask = nullptr;
SDL_Surface* gfx_gearplate = nullptr;
SDL_Surface* gfx_gearball = nullptr;

namespace {

MenuGraphicsHooks menu_graphics_hooks;

struct PictureEntry {
  SDL_Surface** slot;
  const char* path;
  int colour_key;
};

// The start-up list, in load order.
const PictureEntry kPictures[] = {
    {&gfx_vantorello256, "GFX/VantoRello256.bmp", 1},
    {&gfx_intro_logo1, "GFX/Intro_Logo1.bmp", 0},
    {&gfx_intro_logo2, "GFX/Intro_Logo2.bmp", 0},
    {&gfx_gametitle, "GFX/gametitle.bmp", 0},
    {&gfx_selector, "GFX/Selector.bmp", 1},
    {&gfx_selector2, "GFX/Selector2.bmp", 1},
    {&gfx_select_car[0], "GFX/select_cls.bmp", 0},
    {&gfx_select_car[1], "GFX/select_911.bmp", 0},
    {&gfx_select_car[2], "GFX/select_mini.bmp", 0},
    {&gfx_select_car[3], "GFX/select_delorean.bmp", 0},
    {&gfx_select_car[4], "GFX/select_koenigsegg.bmp", 0},
    {&gfx_select_car[5], "GFX/select_shelby.bmp", 0},
    {&gfx_select_car[6], "GFX/select_hsv_gts.bmp", 0},
    {&gfx_select_car[7], "GFX/select_esprit.bmp", 0},
    {&gfx_select_car[8], "GFX/select_nissan_gtr2.bmp", 0},
    {&gfx_select_car[9], "GFX/select_bmw_m3.bmp", 0},
    {&gfx_select_car[10], "GFX/select_f512.bmp", 0},
    {&gfx_select_car[11], "GFX/select_trabi.bmp", 0},
    {&gfx_select_car[12], "GFX/select_beetle.bmp", 0},
    {&gfx_select_car[13], "GFX/select_kawa.bmp", 0},
    {&gfx_select_car[14], "GFX/select_manta.bmp", 0},
    {&gfx_select_car[15], "GFX/select_triglide.bmp", 0},
    {&gfx_select_car[16], "GFX/select_octavia.bmp", 0},
    {&gfx_select_car[17], "GFX/select_honda.bmp", 0},
    {&gfx_select_car[18], "GFX/select_r190.bmp", 0},
    {&gfx_scenario[0], "GFX/icon_sc_palms.bmp", 0},
    {&gfx_scenario[1], "GFX/track_bavaria.bmp", 0},
    {&gfx_scenario[2], "GFX/track_city.bmp", 0},
    {&gfx_scenario[3], "GFX/track_desert.bmp", 0},
    {&gfx_scenario[4], "GFX/track_spain.bmp", 0},
    {&gfx_scenario[5], "GFX/track_russia.bmp", 0},
    {&gfx_scenario[6], "GFX/track_uk.bmp", 0},
    {&gfx_scenario[7], "GFX/track_hu.bmp", 0},
    {&gfx_scenario[8], "GFX/track_fantasy.bmp", 0},
    {&gfx_scenario[9], "GFX/track_industry.bmp", 0},
    {&gfx_scenario[10], "GFX/track_bahamas.bmp", 0},
    {&gfx_scenario[11], "GFX/track_swiss.bmp", 0},
    {&gfx_select_build, "GFX/select_build.bmp", 0},
    {&gfx_radio, "GFX/Radio.bmp", 0},
    {&gfx_artist_girl, "GFX/Artist_Girl.bmp", 0},
    {&gfx_snowflake, "GFX/Snowflake.bmp", 1},
    {&gfx_seaplane, "GFX/BS_seaplane.bmp", 1},
    {&gfx_raindrop, "GFX/raindrop2.bmp", 1},
    {&gfx_snowrain, "GFX/snowrain.bmp", 1},
    {&gfx_icon_vrcs, "GFX/icon_VRCS.bmp", 0},
    {&gfx_menu_vrcs_info, "GFX/menu_vrcs_info.bmp", 1},
    {&gfx_menu_vrcs, "GFX/Menu_VRCS.bmp", 0},
    {&gfx_gameover, "GFX/gameover.bmp", 1},
    {&gfx_icon_license, "GFX/icon_license.bmp", 0},
    {&gfx_icon_live_update, "GFX/icon_live_update.bmp", 0},
    {&gfx_select_start, "GFX/select_start2.bmp", 0},
    {&gfx_icon_splayer, "GFX/icon_splayer.bmp", 0},
    {&gfx_icon_mplayer, "GFX/icon_mplayer.bmp", 0},
    {&gfx_icon_tournament, "GFX/icon_tournament.bmp", 0},
    {&gfx_icon_manual, "GFX/icon_manual.bmp", 0},
    {&gfx_icon_automatic, "GFX/icon_automatic.bmp", 0},
    {&gfx_diff_easy, "GFX/diff_easy.bmp", 0},
    {&gfx_diff_normal, "GFX/diff_normal.bmp", 0},
    {&gfx_diff_hard, "GFX/diff_hard.bmp", 0},
    {&gfx_diff_expert, "GFX/diff_expert.bmp", 0},
    {&gfx_select_world, "GFX/select_world2.bmp", 0},
    {&gfx_icon_input_joy, "GFX/icon_input_joy.bmp", 0},
    {&gfx_icon_input_key, "GFX/icon_input_key.bmp", 0},
    {&gfx_icon_save, "GFX/icon_save.bmp", 0},
    {&gfx_icon_cancel, "GFX/icon_cancel.bmp", 0},
    {&gfx_icon_leader, "GFX/icon_leader.bmp", 0},
    {&gfx_icon_time, "GFX/icon_time.bmp", 1},
    {&gfx_icon_position, "GFX/icon_position.bmp", 1},
    {&gfx_icon_road, "GFX/icon_road.bmp", 1},
    {&gfx_icon_score, "GFX/icon_score.bmp", 1},
    {&gfx_game_menu, "GFX/GameMenu2.bmp", 0},
    {&gfx_menu_mask, "GFX/menu_mask.bmp", 1},
    {&gfx_gearplate, "GFX/gearplate.bmp", 1},
    {&gfx_gearball, "GFX/gearball.bmp", 1},
};

struct FontEntry {
  const char* path;
  int size;
};

const FontEntry kFonts[7] = {
    {"GFX/VantoRello.ttf", 30}, {"GFX/MenuFont.ttf", 12},     {"GFX/construct.ttf", 54},
    {"GFX/vantorello_con.ttf", 12}, {"GFX/construct.ttf", 32}, {"GFX/DSD.ttf", 24},
    {"GFX/DSD.ttf", 14},
};

const SDL_Color kTextColours[7] = {
    {246, 199, 134, 0}, {130, 170, 197, 0}, {0, 0, 0, 0},     {255, 0, 0, 0},
    {255, 255, 255, 0}, {209, 134, 0, 0},   {70, 70, 70, 0},
};

const char* Base_Name(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}

// A BMP whose header declares an absurd size or more pixels than the file holds is refused
// before the decoder allocates memory for it.
int Bmp_File_Acceptable(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return 0;
  unsigned char head[64];
  size_t count = std::fread(head, 1, sizeof head, file);
  long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
  std::fclose(file);
  BmpHeader header;
  return size > 0 && Read_Bmp_Header(head, count, header) &&
         Bmp_Header_Acceptable(header, static_cast<uint64_t>(size));
}

}  // namespace

TTF_Font* ttf_fonts[7] = {};

SDL_Surface* Load_Sprites(const char* path, int colour_key) {
  std::string file = Data_Path(path);
  SDL_Surface* loaded = Bmp_File_Acceptable(file.c_str()) ? SDL_LoadBMP(file.c_str()) : nullptr;
  if (!loaded) {
    std::printf("[Load_Sprites] ERROR: Loading '%s'\n", path);
    return nullptr;
  }
  // Without a video mode there is no screen format; the picture stays as it was read.
  SDL_Surface* picture = SDL_GetVideoSurface() ? SDL_DisplayFormat(loaded) : nullptr;
  if (picture)
    SDL_FreeSurface(loaded);
  else
    picture = loaded;
  if (colour_key) SDL_SetColorKey(picture, SDL_SRCCOLORKEY, SDL_MapRGB(picture->format, 0, 0, 0));
  return picture;
}

void Load_Menu_Graphics() {
  for (const PictureEntry& entry : kPictures) *entry.slot = Load_Sprites(entry.path, entry.colour_key);
}

void Free_Menu_Graphics() {
  for (int i = static_cast<int>(sizeof kPictures / sizeof kPictures[0]) - 1; i >= 0; --i) {
    SDL_FreeSurface(*kPictures[i].slot);  // null-safe
    *kPictures[i].slot = nullptr;
  }
  if (menu_graphics_hooks.free_overlays) menu_graphics_hooks.free_overlays();
}

void Set_Menu_Graphics_Hooks(const MenuGraphicsHooks& hooks) { menu_graphics_hooks = hooks; }

void Load_Fonts() {
  for (int i = 0; i < 7; ++i) {
    ttf_fonts[i] = TTF_OpenFont(Data_Path(kFonts[i].path).c_str(), kFonts[i].size);
    if (!ttf_fonts[i]) std::printf("VantoRello: Error loading %s font.\n", Base_Name(kFonts[i].path));
  }
}

void Free_Fonts() {
  for (int i = 0; i < 7; ++i) {
    if (ttf_fonts[i]) TTF_CloseFont(ttf_fonts[i]);
    ttf_fonts[i] = nullptr;
  }
}

void Draw_Image(Sint16 x, Sint16 y, SDL_Surface* picture) {
  SDL_Surface* target = SDL_GetVideoSurface();
  if (!picture || !target) return;
  SDL_Rect at = {x, y, 0, 0};
  SDL_BlitSurface(picture, nullptr, target, &at);
}

SDL_Color Text_Colour(int colour) {
  if (colour < 0 || colour > 6) return kTextColours[4];
  return kTextColours[colour];
}

int Text_Left(int x, int text_width) { return x < 0 ? (640 - text_width) / 2 + x : x; }

void Draw_Text(int x, int y, const char* text, int colour, int font) {
  SDL_Surface* target = SDL_GetVideoSurface();
  // An unknown font index draws nothing rather than reading past the table.
  if (font < 0 || font > 6 || !ttf_fonts[font] || !text || !*text || !target) return;
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(ttf_fonts[font], text, Text_Colour(colour));
  if (!rendered) return;
  SDL_Rect at = {static_cast<Sint16>(Text_Left(x, rendered->w)), static_cast<Sint16>(y), 0, 0};
  SDL_BlitSurface(rendered, nullptr, target, &at);
  SDL_FreeSurface(rendered);
}

SDL_Surface* Car_Picture(int car) {
  // Index into the pictures, which are loaded in file order, for cars 1..19.
  static const int kPicture[19] = {8, 0, 4, 3, 1, 2, 5, 6, 7, 9, 10, 11, 12, 14, 16, 13, 15, 17, 18};
  return car >= 1 && car <= 19 ? gfx_select_car[kPicture[car - 1]] : nullptr;
}

void Draw_Grid_Picture(int entry, SDL_Surface* picture) {
  static const Sint16 kX[3] = {16, 228, 448}, kY[4] = {99, 199, 299, 399};
  if (entry >= 1 && entry <= 12) Draw_Image(kX[(entry - 1) % 3], kY[(entry - 1) / 3], picture);
}

void Draw_Grid_Cursor(int entry, SDL_Surface* frame) {
  static const Sint16 kX[3] = {0, 210, 420}, kY[4] = {80, 180, 280, 380};
  if (entry >= 1 && entry <= 12) Draw_Image(kX[(entry - 1) % 3], kY[(entry - 1) / 3], frame);
}

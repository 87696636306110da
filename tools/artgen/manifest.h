#pragma once
// Every file the game loads from GFX (except the tournament track files), with the
// form it must have. The generator paints exactly this list and the tests check it.
#include <string>
#include <vector>

namespace gfx {

enum class Kind {
  Sprite,    // PNG, RGBA, alpha 0 or 255 only (the canvas blits test A == 255 / A != 0)
  Opaque,    // PNG, RGBA, fully opaque (sky strips, ground textures)
  Additive,  // PNG drawn additively: light on black
  Glyphs,    // PNG glyph sheet: glyph pixels have R and A non-zero, the rest is 0
  BmpKeyed,  // 24-bit BMP loaded with the black colour key
  Bmp,       // 24-bit BMP loaded without colour key
  Font,      // TrueType font copied from a Debian package
};

struct Entry {
  std::string path;  // relative to the run directory, e.g. "GFX/Finish.png"
  Kind kind;
  int width = 0;     // size the screens need; 0 where the size is free
  int height = 0;
};

// The ten frame suffixes of a player car, in frame order.
inline const std::vector<std::string>& Car_Frame_Suffixes() {
  static const std::vector<std::string> s = {"_0_-2_0", "_0_-1",  "_0_0_0",  "_0_1",    "_0_2_0",
                                             "_-1_0",   "_-2_0",  "_0_-2_1", "_0_0_1",  "_0_2_1"};
  return s;
}

inline const std::vector<std::string>& Player_Car_Stems() {
  static const std::vector<std::string> s = {
      "Car_Nissan_GTR", "Car_CLS",   "Car_Koenigsegg", "Car_DeLorean", "Car_911",   "Car_Mini",   "Car_Shelby",
      "Car_HSV_GTS",    "Car_Esprit", "Car_BMW_M3",    "Car_F512",     "Car_Trabi", "Car_Beetle", "Car_Manta",
      "Car_Octavia",    "Bike_Kawa", "Bike_Triglide",  "Car_Honda",    "Car_R190"};
  return s;
}

struct ViewSet {
  std::string stem;
  int views;  // 3: left, centre, right; 5: far left .. far right
};

inline const std::vector<ViewSet>& Opponent_Sets() {
  static const std::vector<ViewSet> s = {
      {"Transporter", 5}, {"Scirocco", 3}, {"Audi_A4", 3}, {"911", 5},    {"Nissan_GTR", 5},
      {"DeLorean", 5},    {"Esprit", 5},   {"Mini", 5},    {"Koenigsegg", 5}, {"Shelby", 5},
      {"HSV_GTS", 5},     {"uk_bus", 3},   {"uk_taxi", 3}};
  return s;
}

// View suffixes of an opponent set, in frame order.
inline std::vector<std::string> View_Suffixes(int views) {
  if (views == 3) return {"_0_-1", "_0_0", "_0_1"};
  return {"_0_-2", "_0_-1", "_0_0", "_0_1", "_0_2"};
}

inline std::vector<Entry> Manifest() {
  std::vector<Entry> m;
  auto add = [&m](const std::string& name, Kind kind, int w = 0, int h = 0) {
    m.push_back({"GFX/" + name, kind, w, h});
  };
  auto sprites = [&](std::initializer_list<const char*> names) {
    for (const char* n : names) add(std::string(n) + ".png", Kind::Sprite);
  };

  // Cars the player drives, ten frames each.
  for (const auto& stem : Player_Car_Stems())
    for (const auto& suffix : Car_Frame_Suffixes()) add(stem + suffix + ".png", Kind::Sprite);
  // Opponents and traffic.
  for (const auto& set : Opponent_Sets())
    for (const auto& suffix : View_Suffixes(set.views)) add(set.stem + suffix + ".png", Kind::Sprite);

  // Figures, gates, billboards and structures on the track.
  sprites({"Pitstop_Girl_04", "Pitstop_Girl_01", "Pitstop_Girl_Dadirizeze", "Pitstop_Girl_Varavozo", "Xmas_Girl_01",
           "Xmas_Girl_03", "Xmas_Girl_04", "Xmas_Girl_02", "start_frame2", "start_frame_xmas", "bb_zarodudaz",
           "bb_quindral", "bb_Vanto32", "bb_bochum", "IC_bridge01", "BS_rainbow", "swiss_tunnel", "bb_empty",
           "cheering3", "cheeringwinter", "Checkpoint2", "Finish", "speedometer", "startgirl0", "startgirl1",
           "roadblock1"});
  add("tsmoke2.png", Kind::Additive);

  // Sky strips, one per scenario.
  for (const char* n : {"bg_redcityline", "bg_alps_snow", "bg_cloudy3", "bg_desertsky2", "bg_spain", "bg_russia",
                        "bg_uk_dark", "bg_hungary", "bg_fantasysky", "bg_industry", "bg_bahamas", "bg_swiss"})
    add(std::string(n) + ".png", Kind::Opaque);

  // Ground textures over the grass bands.
  for (const char* n : {"grass_side_r", "uk_side_r", "grass_side_green", "IC_side", "BS_side", "swiss_side"})
    add(std::string(n) + ".png", Kind::Opaque);

  // Scenery objects of the twelve sets.
  sprites({"rock", "Palm_Tree_01", "Bush_Hazelnut", "Billboard_Boing", "streetlight", "House_01", "hotel_l"});
  sprites({"Immergruen_Snow", "Tree09_Snow", "Tree08", "snow_treegroup", "Billboard_Bayern", "Pfeiler01",
           "House_02", "Shop01", "Huette01", "Bush_Hazelnut_Snow", "Snowman", "Sign_Left", "Santa"});
  sprites({"Tree_Herbst01", "Bush_Red", "Wolkenkratzer01", "Wolkenkratzer02", "Wolkenkratzer03", "Wolkenkratzer04",
           "Wolkenkratzer05", "city_McDonalds", "city_BurgerKing", "city_SubWay", "city_Billboard_Boing",
           "pole2_r"});
  sprites({"desert_sign", "desert_cactus", "desert_bush", "desert_pole", "desert_rock", "desert_wreck_car",
           "desert_pyramid", "desert_pyramid2", "desert_tree", "desert_camel"});
  sprites({"spain_tree", "spain_palm", "spain_bull", "spain_bush", "spain_castle", "spain_windmill",
           "spain_windmill2", "spain_vista"});
  sprites({"russia_bush1", "russia_tree04", "russia_tree02", "russia_tree03", "russia_bld01", "russia_bld02",
           "russia_bld03", "russia_bld04", "russia_bld05", "russia_bld06", "russia_tank"});
  sprites({"uk_lamp", "uk_bush2", "uk_tree", "uk_house01", "uk_house02", "uk_house03", "uk_house04", "uk_bld_sgt",
           "uk_bld_albert", "uk_bld_gherkin"});
  sprites({"HU_Tree", "HU_Tree_Cherry", "HU_Reeds", "HU_Tower", "HU_House03", "HU_House04", "HU_Church",
           "HU_House01", "HU_House02"});
  sprites({"FY_bush01", "FY_tree_l", "FY_wald", "FY_house01", "FY_pilz01", "FY_pilz02", "FY_stone01", "FY_castle01",
           "FY_castle02", "FY_lamp"});
  sprites({"IC_tree3", "IC_tree2", "IC_bermuda", "IC_pump", "IC_factory01", "IC_factory02", "IC_bergbau",
           "IC_gas_station2", "IC_gas_station1", "IC_bagger", "IC_bagger2", "IC_kran", "sign_radweg"});
  sprites({"BS_palm2", "BS_palm1", "BS_ship1", "BS_ship2", "BS_surfer", "BS_surfer2", "BS_island3", "BS_pole_r",
           "BS_pole_l"});
  sprites({"swiss_mountain", "swiss_rock1", "swiss_flag", "swiss_house01", "swiss_house03", "Immergruen_01",
           "swiss_hotel"});

  // Glyph sheets of the race picture.
  add("VantoRelloFont12.png", Kind::Glyphs);
  add("VantoRelloFont60.png", Kind::Glyphs);

  // Front-end pictures.
  const int W = 640, H = 480;
  add("VantoRello256.bmp", Kind::BmpKeyed, W, H);
  add("Intro_Logo1.bmp", Kind::Bmp, W, H);
  add("Intro_Logo2.bmp", Kind::Bmp, W, H);
  add("gametitle.bmp", Kind::Bmp, W, H);
  add("Selector.bmp", Kind::BmpKeyed);
  add("Selector2.bmp", Kind::BmpKeyed);
  for (const char* n : {"select_cls", "select_911", "select_mini", "select_delorean", "select_koenigsegg",
                        "select_shelby", "select_hsv_gts", "select_esprit", "select_nissan_gtr2", "select_bmw_m3",
                        "select_f512", "select_trabi", "select_beetle", "select_kawa", "select_manta",
                        "select_triglide", "select_octavia", "select_honda", "select_r190"})
    add(std::string(n) + ".bmp", Kind::Bmp);
  for (const char* n : {"icon_sc_palms", "track_bavaria", "track_city", "track_desert", "track_spain", "track_russia",
                        "track_uk", "track_hu", "track_fantasy", "track_industry", "track_bahamas", "track_swiss",
                        "select_build"})
    add(std::string(n) + ".bmp", Kind::Bmp);
  add("Radio.bmp", Kind::Bmp, W, H);
  add("Artist_Girl.bmp", Kind::Bmp);
  add("Snowflake.bmp", Kind::BmpKeyed, 8, 8);
  add("BS_seaplane.bmp", Kind::BmpKeyed, 423, 182);
  add("raindrop2.bmp", Kind::BmpKeyed, 2, 12);
  add("snowrain.bmp", Kind::BmpKeyed, 2, 2);
  add("fog_mask.bmp", Kind::Bmp, W, H);
  add("icon_VRCS.bmp", Kind::Bmp);
  add("menu_vrcs_info.bmp", Kind::BmpKeyed, W, H - 72);
  add("Menu_VRCS.bmp", Kind::Bmp, W, H);
  add("gameover.bmp", Kind::BmpKeyed, W, H);
  for (const char* n : {"icon_license", "icon_live_update", "select_start2", "icon_splayer", "icon_mplayer",
                        "icon_tournament", "icon_manual", "icon_automatic", "diff_easy", "diff_normal", "diff_hard",
                        "diff_expert", "select_world2", "icon_input_joy", "icon_input_key", "icon_save",
                        "icon_cancel", "icon_leader"})
    add(std::string(n) + ".bmp", Kind::Bmp);
  for (const char* n : {"icon_time", "icon_position", "icon_road", "icon_score"})
    add(std::string(n) + ".bmp", Kind::BmpKeyed);
  add("GameMenu2.bmp", Kind::Bmp, W, H);
  add("menu_mask.bmp", Kind::BmpKeyed, W, H - 72);
  add("gearplate.bmp", Kind::BmpKeyed);
  add("gearball.bmp", Kind::BmpKeyed);

  // Track browser.
  add("worldmap.bmp", Kind::Bmp, W, H);
  add("lt_pin.bmp", Kind::BmpKeyed);
  add("icon_pokal.bmp", Kind::BmpKeyed);
  for (const char* n : {"lt_palms", "lt_winter", "lt_city", "lt_desert", "lt_spain", "lt_russia", "lt_uk", "lt_hu",
                        "lt_fy", "lt_ic", "lt_bahamas", "lt_swiss"})
    add(std::string(n) + ".bmp", Kind::Bmp);

  // Tournament.
  add("bg_tournament.bmp", Kind::Bmp, W, H);
  add("racefail.bmp", Kind::Bmp, W, H);
  for (const char* n : {"FL", "BV", "HK", "EG", "ES", "RU", "UK", "HU", "FY", "IC", "BS", "CH"})
    add(std::string("tournament_") + n + ".bmp", Kind::Bmp);

  // Leaderboard.
  add("HighScore.bmp", Kind::Bmp, W, H);
  add("hs_01.bmp", Kind::BmpKeyed);
  add("hs_02.bmp", Kind::BmpKeyed);
  for (const char* n : {"os_unk", "os_aos", "os_mos", "os_win", "os_lux", "os_osx", "os_rpi", "os_pan", "os_gcw"})
    add(std::string(n) + ".bmp", Kind::BmpKeyed);

  // Update notice, settings, input mapping, ending.
  add("info_red.bmp", Kind::Bmp);
  add("bg_config.bmp", Kind::Bmp, W, H);
  add("aluplate.bmp", Kind::Bmp);
  add("bg_inputcfg.bmp", Kind::Bmp, W, H);
  for (const char* n : {"joyball", "JoyBtnRed", "JoyBtnBlue", "JoyBtnGreen", "JoyBtnYellow"})
    add(std::string(n) + ".bmp", Kind::BmpKeyed);
  add("congrats.bmp", Kind::Bmp, W, H);
  add("scrollfont.bmp", Kind::Bmp, 95 * 16, 32);

  // Fonts of the menus.
  for (const char* n : {"VantoRello.ttf", "MenuFont.ttf", "construct.ttf", "vantorello_con.ttf", "DSD.ttf"})
    add(n, Kind::Font);
  return m;
}

// Glyph order of the scroll font: a space, then the printable characters without the
// double quote, with '^' standing where the backquote would be.
inline const std::string& Scroll_Font_Order() {
  static const std::string order =
      " !#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_^abcdefghijklmnopqrstuvwxyz{|}~";
  return order;
}

}  // namespace gfx

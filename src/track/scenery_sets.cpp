// The object sprites of the twelve scenarios and the registry that holds them.
#include <cstdio>

#include "core/state/game.h"
#include "road/image.h"
#include "track/scenery.h"

namespace {
// One object of a set: centred, standing on its foot, unless h_anchor says 1 (right edge).
struct SetEntry {
  int id;
  const char* path;
  float scale;
  int shadow;
  int h_anchor;
};

const int kShadow = 1, kFlat = 0, kCentre = 4, kRight = 1;

const SetEntry kFlorida[] = {
    {451, "GFX/rock.png", 2.0f, kFlat, kCentre},          {100, "GFX/Palm_Tree_01.png", 1.0f, kShadow, kCentre},
    {150, "GFX/Bush_Hazelnut.png", 1.0f, kShadow, kCentre}, {19, "GFX/Billboard_Boing.png", 1.0f, kShadow, kCentre},
    {400, "GFX/streetlight.png", 1.0f, kShadow, kCentre},  {250, "GFX/House_01.png", 3.0f, kShadow, kCentre},
    {210, "GFX/hotel_l.png", 6.0f, kShadow, kRight},       {455, "GFX/grass_side_r.png", 1.0f, kFlat, kCentre},
    {-1, nullptr, 0, 0, 0}};
const SetEntry kBavaria[] = {
    {101, "GFX/Immergruen_Snow.png", 1.0f, kShadow, kCentre}, {102, "GFX/Tree09_Snow.png", 1.0f, kShadow, kCentre},
    {111, "GFX/Tree08.png", 1.0f, kShadow, kCentre},          {113, "GFX/snow_treegroup.png", 1.0f, kShadow, kCentre},
    {26, "GFX/Billboard_Bayern.png", 2.0f, kShadow, kCentre}, {401, "GFX/Pfeiler01.png", 1.0f, kShadow, kCentre},
    {251, "GFX/House_02.png", 3.0f, kShadow, kCentre},        {227, "GFX/Shop01.png", 3.0f, kShadow, kCentre},
    {252, "GFX/Huette01.png", 3.0f, kShadow, kCentre},        {151, "GFX/Bush_Hazelnut_Snow.png", 1.0f, kShadow, kCentre},
    {23, "GFX/Snowman.png", 1.0f, kShadow, kCentre},          {31, "GFX/Sign_Left.png", 1.0f, kShadow, kCentre},
    {24, "GFX/Santa.png", 2.0f, kShadow, kCentre},            {-1, nullptr, 0, 0, 0}};
const SetEntry kHongKong[] = {
    {103, "GFX/Tree_Herbst01.png", 1.0f, kShadow, kCentre},   {152, "GFX/Bush_Red.png", 1.0f, kShadow, kCentre},
    {200, "GFX/Wolkenkratzer01.png", 3.0f, kShadow, kCentre}, {201, "GFX/Wolkenkratzer02.png", 3.0f, kShadow, kCentre},
    {202, "GFX/Wolkenkratzer03.png", 3.0f, kShadow, kCentre}, {203, "GFX/Wolkenkratzer04.png", 3.0f, kShadow, kCentre},
    {204, "GFX/Wolkenkratzer05.png", 3.0f, kShadow, kCentre}, {300, "GFX/city_McDonalds.png", 4.0f, kShadow, kCentre},
    {301, "GFX/city_BurgerKing.png", 3.0f, kShadow, kCentre}, {302, "GFX/city_SubWay.png", 3.0f, kShadow, kCentre},
    {32, "GFX/city_Billboard_Boing.png", 1.0f, kShadow, kCentre}, {400, "GFX/pole2_r.png", 1.0f, kShadow, kCentre},
    {-1, nullptr, 0, 0, 0}};
const SetEntry kCairo[] = {
    {27, "GFX/desert_sign.png", 1.0f, kShadow, kCentre},      {105, "GFX/desert_cactus.png", 1.0f, kShadow, kCentre},
    {153, "GFX/desert_bush.png", 1.0f, kShadow, kCentre},     {402, "GFX/desert_pole.png", 1.0f, kShadow, kCentre},
    {450, "GFX/desert_rock.png", 1.0f, kShadow, kCentre},     {28, "GFX/desert_wreck_car.png", 1.2f, kShadow, kCentre},
    {215, "GFX/desert_pyramid.png", 2.0f, kShadow, kCentre},  {216, "GFX/desert_pyramid2.png", 2.0f, kShadow, kCentre},
    {104, "GFX/desert_tree.png", 1.5f, kShadow, kCentre},     {350, "GFX/desert_camel.png", 0.5f, kShadow, kCentre},
    {-1, nullptr, 0, 0, 0}};
const SetEntry kSpain[] = {
    {107, "GFX/spain_tree.png", 1.0f, kShadow, kCentre},      {106, "GFX/spain_palm.png", 1.0f, kShadow, kCentre},
    {351, "GFX/spain_bull.png", 0.5f, kShadow, kCentre},      {154, "GFX/spain_bush.png", 1.0f, kShadow, kCentre},
    {217, "GFX/spain_castle.png", 2.0f, kShadow, kCentre},    {218, "GFX/spain_windmill.png", 1.0f, kShadow, kCentre},
    {219, "GFX/spain_windmill2.png", 1.0f, kShadow, kCentre}, {220, "GFX/spain_vista.png", 2.0f, kShadow, kCentre},
    {-1, nullptr, 0, 0, 0}};
const SetEntry kRussia[] = {
    {155, "GFX/russia_bush1.png", 1.0f, kShadow, kCentre},    {108, "GFX/russia_tree04.png", 1.0f, kShadow, kCentre},
    {109, "GFX/russia_tree02.png", 1.0f, kShadow, kCentre},   {110, "GFX/russia_tree03.png", 1.0f, kShadow, kCentre},
    {221, "GFX/russia_bld01.png", 2.0f, kShadow, kCentre},    {222, "GFX/russia_bld02.png", 2.0f, kShadow, kCentre},
    {223, "GFX/russia_bld03.png", 2.0f, kShadow, kCentre},    {224, "GFX/russia_bld04.png", 2.0f, kShadow, kCentre},
    {225, "GFX/russia_bld05.png", 2.0f, kShadow, kCentre},    {226, "GFX/russia_bld06.png", 2.0f, kShadow, kCentre},
    {30, "GFX/russia_tank.png", 1.0f, kShadow, kCentre},      {400, "GFX/pole2_r.png", 1.0f, kShadow, kCentre},
    {-1, nullptr, 0, 0, 0}};
const SetEntry kBritain[] = {
    {403, "GFX/uk_lamp.png", 1.0f, kShadow, kCentre},         {156, "GFX/uk_bush2.png", 1.0f, kShadow, kCentre},
    {112, "GFX/uk_tree.png", 1.0f, kShadow, kCentre},         {253, "GFX/uk_house01.png", 2.0f, kShadow, kCentre},
    {254, "GFX/uk_house02.png", 1.5f, kShadow, kCentre},      {255, "GFX/uk_house03.png", 2.0f, kFlat, kCentre},
    {256, "GFX/uk_house04.png", 2.0f, kFlat, kCentre},        {228, "GFX/uk_bld_sgt.png", 1.0f, kShadow, kCentre},
    {229, "GFX/uk_bld_albert.png", 1.0f, kShadow, kCentre},   {230, "GFX/uk_bld_gherkin.png", 1.5f, kShadow, kCentre},
    {457, "GFX/uk_side_r.png", 1.0f, kFlat, kCentre},         {-1, nullptr, 0, 0, 0}};
const SetEntry kHungary[] = {
    {401, "GFX/Pfeiler01.png", 1.0f, kShadow, kCentre},       {31, "GFX/Sign_Left.png", 1.0f, kShadow, kCentre},
    {458, "GFX/grass_side_green.png", 1.0f, kFlat, kCentre},  {114, "GFX/HU_Tree.png", 1.0f, kShadow, kCentre},
    {115, "GFX/HU_Tree_Cherry.png", 0.7f, kShadow, kCentre},  {157, "GFX/HU_Reeds.png", 1.0f, kShadow, kCentre},
    {33, "GFX/HU_Tower.png", 2.0f, kShadow, kCentre},         {259, "GFX/HU_House03.png", 2.0f, kShadow, kCentre},
    {260, "GFX/HU_House04.png", 2.0f, kShadow, kCentre},      {231, "GFX/HU_Church.png", 3.0f, kShadow, kCentre},
    {257, "GFX/HU_House01.png", 2.0f, kShadow, kCentre},      {258, "GFX/HU_House02.png", 2.0f, kShadow, kCentre},
    {-1, nullptr, 0, 0, 0}};
const SetEntry kFantasy[] = {
    {158, "GFX/FY_bush01.png", 1.0f, kShadow, kCentre},       {116, "GFX/FY_tree_l.png", 1.5f, kShadow, kCentre},
    {117, "GFX/FY_wald.png", 1.5f, kShadow, kCentre},         {261, "GFX/FY_house01.png", 1.5f, kFlat, kCentre},
    {34, "GFX/FY_pilz01.png", 1.0f, kShadow, kCentre},        {35, "GFX/FY_pilz02.png", 1.0f, kShadow, kCentre},
    {452, "GFX/FY_stone01.png", 1.5f, kShadow, kCentre},      {232, "GFX/FY_castle01.png", 2.5f, kFlat, kCentre},
    {233, "GFX/FY_castle02.png", 2.0f, kFlat, kCentre},       {404, "GFX/FY_lamp.png", 1.0f, kShadow, kCentre},
    {458, "GFX/grass_side_green.png", 1.0f, kFlat, kCentre},  {-1, nullptr, 0, 0, 0}};
const SetEntry kIndustry[] = {
    {159, "GFX/IC_tree3.png", 1.0f, kShadow, kCentre},        {118, "GFX/IC_tree2.png", 1.0f, kShadow, kCentre},
    {240, "GFX/IC_bermuda.png", 2.0f, kFlat, kCentre},        {234, "GFX/IC_pump.png", 1.5f, kFlat, kCentre},
    {237, "GFX/IC_factory01.png", 2.0f, kFlat, kCentre},      {238, "GFX/IC_factory02.png", 2.0f, kFlat, kCentre},
    {239, "GFX/IC_bergbau.png", 2.0f, kFlat, kCentre},        {235, "GFX/IC_gas_station2.png", 1.0f, kFlat, kCentre},
    {236, "GFX/IC_gas_station1.png", 1.0f, kFlat, kCentre},   {36, "GFX/IC_bagger.png", 1.5f, kFlat, kCentre},
    {37, "GFX/IC_bagger2.png", 1.5f, kFlat, kCentre},         {38, "GFX/IC_kran.png", 2.0f, kFlat, kCentre},
    {39, "GFX/sign_radweg.png", 0.7f, kShadow, kCentre},      {459, "GFX/IC_side.png", 1.0f, kFlat, kCentre},
    {400, "GFX/pole2_r.png", 1.0f, kShadow, kCentre},         {-1, nullptr, 0, 0, 0}};
const SetEntry kBahamas[] = {
    {120, "GFX/BS_palm2.png", 1.0f, kShadow, kCentre},        {119, "GFX/BS_palm1.png", 1.0f, kShadow, kCentre},
    {41, "GFX/BS_ship1.png", 2.0f, kFlat, kCentre},           {42, "GFX/BS_ship2.png", 2.0f, kFlat, kCentre},
    {43, "GFX/BS_surfer.png", 1.0f, kFlat, kCentre},          {44, "GFX/BS_surfer2.png", 1.0f, kFlat, kCentre},
    {40, "GFX/BS_island3.png", 2.0f, kFlat, kCentre},         {460, "GFX/BS_side.png", 0.5f, kFlat, kCentre},
    {405, "GFX/BS_pole_r.png", 1.0f, kShadow, kCentre},       {406, "GFX/BS_pole_l.png", 1.0f, kShadow, kCentre},
    {-1, nullptr, 0, 0, 0}};
const SetEntry kSwiss[] = {
    {461, "GFX/swiss_side.png", 0.5f, kFlat, kCentre},        {45, "GFX/swiss_mountain.png", 2.0f, kFlat, kCentre},
    {47, "GFX/swiss_rock1.png", 1.0f, kFlat, kCentre},        {46, "GFX/swiss_flag.png", 2.0f, kFlat, kCentre},
    {262, "GFX/swiss_house01.png", 2.0f, kFlat, kCentre},     {263, "GFX/swiss_house03.png", 2.0f, kFlat, kCentre},
    {121, "GFX/Immergruen_01.png", 1.0f, kShadow, kCentre},   {241, "GFX/swiss_hotel.png", 2.0f, kFlat, kCentre},
    {401, "GFX/Pfeiler01.png", 1.0f, kShadow, kCentre},       {31, "GFX/Sign_Left.png", 1.0f, kShadow, kCentre},
    {111, "GFX/Tree08.png", 1.0f, kShadow, kCentre},          {-1, nullptr, 0, 0, 0}};

const SetEntry* const kSets[12] = {kFlorida, kBavaria, kHongKong, kCairo,   kSpain,   kRussia,
                                   kBritain, kHungary, kFantasy,  kIndustry, kBahamas, kSwiss};
}  // namespace

void Game::Load_Object_Sprite(int id, const char* path, int h_anchor, int v_anchor, float scale, int shadow) {
  if (id > 998 || id < 0) {
    std::printf("Error: Invalid Sprite ID.\n");
    return;
  }
  SceneryCacheEntry& entry = scenery_cache[id];
  if (entry.loaded) return;  // the first set that loads an id wins
  sprite* s = new sprite(path, h_anchor, v_anchor, scale);
  if (!shadow) s->no_shadow();
  entry.set = s;
  entry.loaded = 1;
  scenery_sprites.add(s);
}

void Game::Load_Scenery_Set(int type) {
  if (type < 1 || type > 12) {
    std::printf("Error: unknown track type!\n");
    return;
  }
  for (const SetEntry* e = kSets[type - 1]; e->path; ++e) Load_Object_Sprite(e->id, e->path, e->h_anchor, 3, e->scale, e->shadow);
}

void Game::Free_Object_Sprites() {
  for (SceneryCacheEntry& entry : scenery_cache) {
    if (!entry.loaded) continue;
    delete entry.set;
    entry.set = nullptr;
    entry.loaded = 0;
  }
  scenery_sprites.clear();  // already deleted above
}

sprite* Game::Object_Sprite(int id) const {
  if (id < 0 || id >= kObjectIds || !scenery_cache[id].loaded) return nullptr;
  return scenery_cache[id].set;
}

#include "track/constructor_screen.h"

#include <cstdio>

#include "common/frame_hook.h"
#include "core/state/game.h"
#include "frontend/graphics/config.h"
#include "frontend/graphics/menu_graphics.h"
#include "frontend/graphics/pad.h"
#include "frontend/screens/present_screen.h"
#include "frontend/screens/settings_screen.h"
#include "road/road.h"
#include "track/generator.h"

int constructor_cursor = 11;
bool constructor_active = false;

namespace {

constexpr int kAxisDeadZone = 7999;

struct Label {
  int x, y;
  const char* text;
};
struct Field_Label {
  Label english, german;
};
const Field_Label kLabels[] = {
    {{60, 189, "Difficulty"}, {32, 189, "Schwierigkeit"}},   {{480, 89, "Select Car"}, {465, 89, "Dein Fahrzeug"}},
    {{260, 89, "Length"}, {236, 89, "Streckenlaenge"}},     {{260, 189, "Curves"}, {237, 189, "Normale Kurven"}},
    {{480, 189, "Sharpness"}, {465, 189, "Steile kurven"}}, {{65, 289, "Scatter"}, {47, 289, "Verteilung"}},
    {{260, 289, "Hills"}, {257, 289, "Berg und Tal"}},      {{480, 289, "Steepness"}, {470, 289, "Steile Berge"}},
    {{65, 389, "Scenery"}, {45, 389, "Landschaft"}},        {{260, 389, "Build Track"}, {255, 389, "Strassenbau"}},
    {{480, 389, "Obstacles"}, {480, 389, "Hindernisse"}},
};
const int kScenarioNameX[12] = {65, 65, 55, 75, 75, 70, 35, 65, 65, 35, 65, 45};

// A percentage field: where its value is drawn and its top value.
struct Value_Field {
  int field;
  int* value;
  int x, y, top;
};
const Value_Field* Percent_Fields(int* count) {
  static const Value_Field fields[] = {
      {5, &generatorParams.curves, 280, 205, 95},    {6, &generatorParams.sharpness, 500, 205, 95},
      {7, &generatorParams.scatter, 40, 305, 95},    {8, &generatorParams.hills, 280, 305, 95},
      {9, &generatorParams.steepness, 500, 305, 95}, {10, &generatorParams.scenery, 40, 405, 100},
      {12, &generatorParams.obstacles, 500, 405, 95},
  };
  *count = sizeof fields / sizeof fields[0];
  return fields;
}
const Value_Field* Percent_Field(int field) {
  int count;
  const Value_Field* fields = Percent_Fields(&count);
  for (int i = 0; i < count; ++i)
    if (fields[i].field == field) return &fields[i];
  return nullptr;
}

void Move(int step, bool allowed) {
  if (allowed) constructor_cursor += step;
}
void Up() { Move(-3, constructor_cursor > 3); }
void Down() { Move(3, constructor_cursor < 10); }
void Left() { Move(-1, constructor_cursor > 1); }
void Right() { Move(1, constructor_cursor < 12); }
void Cancel() {
  customTrack = 0;
  constructor_active = false;
}

void Handle_Key(SDLKey key) {
  const MappedInputs& m = mapped;
  if (key == m.key_accelerate) Up();
  else if (key == m.key_brake) Down();
  else if (key == m.key_left) Left();
  else if (key == m.key_right) Right();
  else if (key == m.key_cancel) Cancel();
  else if (key == m.key_select) Constructor_Select();
  else if (key == m.key_vrcs_plus) Constructor_Value_Up();
  else if (key == m.key_vrcs_minus) Constructor_Value_Down();
  else if (key == SDLK_UP) Up();
  else if (key == SDLK_DOWN) Down();
  else if (key == SDLK_LEFT) Left();
  else if (key == SDLK_RIGHT) Right();
  else if (key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_SPACE) Constructor_Select();
  else if (key == SDLK_PLUS || key == SDLK_KP_PLUS || key == SDLK_EQUALS) Constructor_Value_Up();
  else if (key == SDLK_MINUS || key == SDLK_KP_MINUS) Constructor_Value_Down();
  else if (key == SDLK_ESCAPE) Cancel();
  else if (key == SDLK_F12 || key == SDLK_PRINT) theGame->Take_Screenshot();
}

void Handle_Button(int button) {
  if (button == mapped.joy_vrcs_plus) Constructor_Value_Up();
  else if (button == mapped.joy_vrcs_minus) Constructor_Value_Down();
  else if (button == mapped.joy_cancel) Cancel();
  else Constructor_Select();
}

void Handle_Axis(const SDL_JoyAxisEvent& axis) {
  if (axis.value >= -kAxisDeadZone && axis.value <= kAxisDeadZone) return;
  bool negative = axis.value < 0;
  if (axis.axis == 0) negative ? Left() : Right();
  else if (axis.axis == 1) negative ? Up() : Down();
}

void Step_Value(int direction) {
  if (constructor_cursor == 2) {
    int& length = generatorParams.length;
    if (direction > 0 && length < 4000) length += 100;
    if (direction < 0 && length > 800) length -= 100;
    return;
  }
  const Value_Field* f = Percent_Field(constructor_cursor);
  if (!f) return;
  if (direction > 0 && *f->value < f->top) *f->value += 5;
  if (direction < 0 && *f->value > 0) *f->value -= 5;
}

void Draw_Value(int x, int y, const char* format, int value, int colour) {
  char text[16];
  std::snprintf(text, sizeof text, format, value);
  Draw_Text(x, y, text, colour, 2);
}

SDL_Surface* Difficulty_Picture(int difficulty) {
  switch (difficulty) {
    case 0: return gfx_diff_easy;
    case 1: return gfx_diff_normal;
    case 2: return gfx_diff_hard;
    case 3: return gfx_diff_expert;
  }
  return nullptr;
}

void Draw_Labels(const Game& game) {
  int type = game.track_type;
  if (Scenario_Name(type)) Draw_Text(kScenarioNameX[type - 1], 89, Scenario_Name(type), 2, 1);
  else Draw_Text(60, 89, "Scenario", 2, 1);
  for (const Field_Label& l : kLabels) {
    const Label& label = game.language == 1 ? l.german : l.english;
    Draw_Text(label.x, label.y, label.text, 2, 1);
  }
}

// Every value in colour 2, then the one under the cursor again in colour 4.
void Draw_Values() {
  Draw_Value(260, 105, "%d", generatorParams.length, 2);
  int count;
  const Value_Field* fields = Percent_Fields(&count);
  for (int i = 0; i < count; ++i) Draw_Value(fields[i].x, fields[i].y, "%02d", *fields[i].value, 2);
  if (constructor_cursor == 2) Draw_Value(260, 105, "%d", generatorParams.length, 4);
  const Value_Field* current = Percent_Field(constructor_cursor);
  if (current) Draw_Value(current->x, current->y, "%02d", *current->value, 4);
}

// A cancelled build leaves no road and no scenery behind for the next race.
void Discard_Track(Game& game) {
  delete game.road;
  game.road = nullptr;
  game.Free_Object_Sprites();
}

}  // namespace

void Constructor_Select() {
  Game& game = *theGame;
  switch (constructor_cursor) {
    case 1:
      game.track_type = game.track_type >= 12 || game.track_type < 1 ? 1 : game.track_type + 1;
      generatorParams.track_type = game.track_type;
      break;
    case 3: game.selected_car = game.selected_car >= 19 || game.selected_car < 1 ? 1 : game.selected_car + 1; break;
    case 4: game.difficulty = game.difficulty >= 3 || game.difficulty < 0 ? 0 : game.difficulty + 1; break;
    case 10: Run_Track_Result(); break;
    case 11:
      customTrack = 1;
      constructor_active = false;
      game.Generate_Track();
      game.Sectors_To_Road_Objects();
      track_saved_notice = false;
      Run_Track_Result();
      if (!customTrack) Discard_Track(game);
      break;
  }
}

void Constructor_Value_Up() { Step_Value(1); }
void Constructor_Value_Down() { Step_Value(-1); }

void Handle_Constructor_Event(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN: Handle_Key(event.key.keysym.sym); break;
    case SDL_JOYAXISMOTION: Handle_Axis(event.jaxis); break;
    case SDL_JOYBUTTONDOWN: Handle_Button(event.jbutton.button); break;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_LEFT) constructor_active = false;
      break;
  }
}

void Draw_Constructor() {
  const Game& game = *theGame;
  SDL_FillRect(screen, nullptr, 0);
  Draw_Image(0, 0, gfx_menu_vrcs);
  Draw_Grid_Picture(11, gfx_select_build);
  Draw_Grid_Cursor(constructor_cursor, gfx_selector);
  Draw_Grid_Picture(3, Car_Picture(game.selected_car));
  Draw_Grid_Picture(4, Difficulty_Picture(game.difficulty));
  if (game.track_type >= 1 && game.track_type <= 12) Draw_Grid_Picture(1, gfx_scenario[game.track_type - 1]);
  Draw_Labels(game);
  Draw_Values();
  Draw_Crt_Filter();
  Present_Screen(screen);
}

void Run_Constructor() {
  Reset_Constructor();
  constructor_active = true;
  while (constructor_active) {
    Uint32 start = SDL_GetTicks();
    Call_Frame_Hook(SCREEN_CONSTRUCTOR);
    SDL_Event event;
    while (constructor_active && Poll_Event(&event)) Handle_Constructor_Event(event);
    if (!constructor_active) break;
    Draw_Constructor();
    Uint32 spent = SDL_GetTicks() - start;
    if (spent < 50) SDL_Delay(50 - spent);
  }
}

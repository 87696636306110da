#pragma once
// The settings file "VantoRello.cfg": 74 bytes, little-endian.
#include <cstdint>

// The eight mapped keys and eight joystick assignments, in file order.
struct MappedInputs {
  int32_t key_accelerate, key_brake, key_left, key_right;
  int32_t key_select, key_cancel, key_vrcs_plus, key_vrcs_minus;
  int32_t joy_accelerate, joy_brake, joy_left, joy_right;
  int32_t joy_select, joy_cancel, joy_vrcs_plus, joy_vrcs_minus;
};

// The settings record as stored in the file.
struct Settings {
  int32_t version;
  uint8_t fullscreen;
  uint8_t crt_filter;
  MappedInputs inputs;
  int32_t language;
};

constexpr int kConfigFileSize = 74;
constexpr int kConfigVersion = 4;
extern const char* const kConfigFileName;  // "VantoRello.cfg"

extern Settings settings;       // the record
extern MappedInputs mapped;     // active inputs read by menus and the race
extern uint8_t fullscreenFlag;  // active full-screen flag
extern uint8_t crtFilterFlag;   // active CRT filter flag

// Resets to the defaults, then reads the file when it exists with version 4 or later.
void Load_Config();
// Writes the record (with the active inputs) as version 4. Returns 1 on success.
int Save_Config();

MappedInputs Default_Inputs();

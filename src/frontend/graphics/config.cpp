#include "frontend/graphics/config.h"

#include <cstdio>

#include "common/game_folders.h"
#include "common/safe_file.h"
#include "frontend/graphics/pad.h"

const char* const kConfigFileName = "VantoRello.cfg";

Settings settings;
MappedInputs mapped;
uint8_t fullscreenFlag = 0;
uint8_t crtFilterFlag = 0;

MappedInputs Default_Inputs() {
  return MappedInputs{119, 115, 97, 100, 32, 8, 8, 8, 251, 250, 249, 248, 255, 254, 253, 252};
}

namespace {

using Field = int32_t MappedInputs::*;
constexpr Field kInputFields[] = {
    &MappedInputs::key_accelerate, &MappedInputs::key_brake,      &MappedInputs::key_left,
    &MappedInputs::key_right,      &MappedInputs::key_select,     &MappedInputs::key_cancel,
    &MappedInputs::key_vrcs_plus,  &MappedInputs::key_vrcs_minus, &MappedInputs::joy_accelerate,
    &MappedInputs::joy_brake,      &MappedInputs::joy_left,       &MappedInputs::joy_right,
    &MappedInputs::joy_select,     &MappedInputs::joy_cancel,     &MappedInputs::joy_vrcs_plus,
    &MappedInputs::joy_vrcs_minus};

// Reads little-endian fields from a byte buffer; a field that does not fit is left alone.
struct Reader {
  const unsigned char* bytes;
  int size;
  int at = 0;
  void u8(uint8_t& out) {
    if (at + 1 <= size) out = bytes[at];
    at += 1;
  }
  void i32(int32_t& out) {
    if (at + 4 <= size)
      out = static_cast<int32_t>(uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 |
                                 uint32_t(bytes[at + 2]) << 16 | uint32_t(bytes[at + 3]) << 24);
    at += 4;
  }
};

void put_i32(unsigned char* out, int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>(v >> (8 * i));
}

}  // namespace

void Load_Config() {
  settings = Settings{};
  settings.inputs = Default_Inputs();
  mapped = settings.inputs;
  fullscreenFlag = 0;
  crtFilterFlag = 0;

  FILE* file = std::fopen(Config_Path(kConfigFileName).c_str(), "rb");
  if (!file) return;
  unsigned char bytes[kConfigFileSize];
  int size = static_cast<int>(std::fread(bytes, 1, sizeof bytes, file));
  std::fclose(file);

  Reader in{bytes, size};
  int32_t version = 0;
  in.i32(version);
  if (size < 4 || version < kConfigVersion) return;
  settings.version = version;
  in.u8(settings.fullscreen);
  in.u8(settings.crt_filter);
  for (Field field : kInputFields) in.i32(settings.inputs.*field);
  in.i32(settings.language);
  // Any non-zero flag byte means on; kept as 1 so a flip turns it off.
  settings.fullscreen = settings.fullscreen ? 1 : 0;
  settings.crt_filter = settings.crt_filter ? 1 : 0;

  fullscreenFlag = settings.fullscreen;
  crtFilterFlag = settings.crt_filter;
  mapped = settings.inputs;
}

int Save_Config() {
  settings.version = kConfigVersion;
  settings.inputs = mapped;
  // The pad layout's own assignments are not a mapping: the file keeps saying "none saved".
  if (padLayout && Has_Pad_Layout_Inputs(mapped)) {
    const MappedInputs defaults = Default_Inputs();
    for (int i = 8; i < 16; ++i) settings.inputs.*kInputFields[i] = defaults.*kInputFields[i];
  }
  unsigned char bytes[kConfigFileSize];
  put_i32(bytes, settings.version);
  bytes[4] = settings.fullscreen;
  bytes[5] = settings.crt_filter;
  unsigned char* out = bytes + 6;
  for (Field field : kInputFields) {
    put_i32(out, settings.inputs.*field);
    out += 4;
  }
  put_i32(bytes + 70, settings.language);
  return Write_File_Atomic(Config_Path(kConfigFileName).c_str(), bytes, sizeof bytes);
}

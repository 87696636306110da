// "VantoRello.cfg": any file gives settings that survive a save and a second load unchanged.
#include <cstring>

#include "frontend/graphics/config.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Write_Fuzz_File(kConfigFileName, data, size);
  Load_Config();
  Settings first = settings;
  MappedInputs first_inputs = mapped;
  if (!Save_Config()) __builtin_trap();
  Load_Config();
  if (std::memcmp(&first_inputs, &mapped, sizeof mapped) != 0) __builtin_trap();
  if (first.language != settings.language) __builtin_trap();
  return 0;
}

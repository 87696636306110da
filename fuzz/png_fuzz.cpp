// The PNG loader of the race pictures: any file gives a whole picture or an empty one.
#include "fuzz_file.h"
#include "road/image.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Silence_Standard_Output();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Write_Fuzz_File("fuzz.png", data, size);
  image picture;
  int loaded = picture.load("fuzz.png");
  if (!loaded) {
    if (picture.width || picture.height || picture.pixels.count) __builtin_trap();
    return 0;
  }
  if (!picture.width || !picture.height || picture.pitch < picture.width * picture.bytes_per_pixel)
    __builtin_trap();
  if (picture.pixels.count < static_cast<size_t>(picture.pitch) * picture.height) __builtin_trap();
  volatile unsigned char last = *picture.row(picture.height - 1);
  (void)last;
  return 0;
}

#include "common/formats/file_crc.h"

#include <cstdio>

namespace {

struct Crc_Table {
  uint32_t entry[256];
  Crc_Table() {
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entry[i] = c;
    }
    for (int i = 248; i < 252; ++i) {
      uint32_t kept = entry[i];
      entry[i] = entry[i + 4];
      entry[i + 4] = kept;
    }
  }
};

const Crc_Table& Table() {
  static const Crc_Table table;
  return table;
}

}  // namespace

uint32_t Crc_Bytes(uint32_t crc, const void* data, size_t size) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  const uint32_t* table = Table().entry;
  for (size_t i = 0; i < size; ++i) crc = (crc >> 8) ^ table[(crc ^ bytes[i]) & 255];
  return crc;
}

uint32_t File_Crc(const char* path) {
  FILE* file = std::fopen(path, "rb");
  if (!file) return 0;
  uint32_t crc = 0;
  unsigned char block[65536];
  size_t got;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) crc = Crc_Bytes(crc, block, got);
  std::fclose(file);
  return crc;
}

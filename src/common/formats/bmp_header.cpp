#include "common/formats/bmp_header.h"

namespace {

uint32_t U16(const unsigned char* p) { return p[0] | p[1] << 8; }
uint32_t U32(const unsigned char* p) { return U16(p) | U16(p + 2) << 16; }

const uint32_t kOs2InfoSize = 12;
const uint32_t kUncompressed = 0;
const uint32_t kBitFields = 3;

}  // namespace

int Read_Bmp_Header(const unsigned char* bytes, size_t count, BmpHeader& header) {
  header = BmpHeader{};
  if (count < 26 || bytes[0] != 'B' || bytes[1] != 'M') return 0;
  header.pixel_offset = U32(bytes + 10);
  uint32_t info_size = U32(bytes + 14);
  if (info_size == kOs2InfoSize) {
    header.width = static_cast<int32_t>(U16(bytes + 18));
    header.height = static_cast<int32_t>(U16(bytes + 20));
    header.bits = static_cast<uint16_t>(U16(bytes + 24));
    return 1;
  }
  if (info_size < 40 || count < 34) return 0;
  header.width = static_cast<int32_t>(U32(bytes + 18));
  header.height = static_cast<int32_t>(U32(bytes + 22));
  header.bits = static_cast<uint16_t>(U16(bytes + 28));
  header.compression = U32(bytes + 30);
  return 1;
}

int Bmp_Header_Acceptable(const BmpHeader& header, uint64_t file_size) {
  int64_t height = header.height < 0 ? -static_cast<int64_t>(header.height) : header.height;
  if (header.width < 1 || header.width > kMaxBmpSide || height < 1 || height > kMaxBmpSide) return 0;
  if (header.compression != kUncompressed && header.compression != kBitFields) return 1;
  uint64_t row_bytes = (static_cast<uint64_t>(header.width) * header.bits + 31) / 32 * 4;
  return header.pixel_offset + row_bytes * static_cast<uint64_t>(height) <= file_size;
}

// Track files come from strangers (the cloud): the reader must refuse or clamp, never crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "common/formats/track_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TrackHeader header;
  static std::vector<TrackSector> sectors(kTrackMaxSectors);
  int count = -1;
  int result = Parse_Track_File(data, size, &header, sectors.data(), &count);
  if (result != TRACK_OK && count != 0) std::abort();
  if (result == TRACK_OK) {
    if (count < 1 || count > kTrackMaxSectors || header.sector_count != count) std::abort();
    // What was accepted must be written back and read again unchanged.
    std::vector<unsigned char> again = Serialise_Track_File(header, sectors.data(), count);
    std::vector<TrackSector> second(kTrackMaxSectors);
    TrackHeader header2;
    int count2 = 0;
    if (Parse_Track_File(again.data(), again.size(), &header2, second.data(), &count2) != TRACK_OK) std::abort();
    if (count2 != count) std::abort();
  }
  Parse_Track_Header(data, size, &header);
  Track_File_Message(result);
  return 0;
}

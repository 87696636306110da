#include "common/formats/track_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/safe_file.h"

namespace {

// Record fields in file order.
using Field = int32_t TrackSector::*;
using SlotField = ObjectSlot TrackSector::*;
const SlotField kSlots[] = {&TrackSector::R1, &TrackSector::R2, &TrackSector::R3, &TrackSector::L1,
                            &TrackSector::L2, &TrackSector::L3, &TrackSector::C0, &TrackSector::C1};
const Field kLeading[] = {&TrackSector::length, &TrackSector::curve, &TrackSector::hill, &TrackSector::state};
int32_t ObjectSlot::*const kSlotParts[] = {&ObjectSlot::period, &ObjectSlot::offset, &ObjectSlot::id};

int32_t Get_Be32(const unsigned char* p) {
  return static_cast<int32_t>(uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]));
}

void Put_Be32(std::vector<unsigned char>& out, int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(v >> shift));
}

// A fixed-size text field; the last byte is always a terminator in memory.
void Get_Text(char* out, size_t size, const unsigned char* p) {
  std::memcpy(out, p, size);
  out[size - 1] = '\0';
}

void Put_Text(std::vector<unsigned char>& out, const char* text, size_t size) {
  size_t used = strnlen(text, size - 1);
  out.insert(out.end(), text, text + used);
  out.insert(out.end(), size - used, 0);
}

template <typename Visit>
void For_Each_Field(TrackSector& s, Visit visit) {
  for (Field f : kLeading) visit(s.*f);
  for (auto part : kSlotParts)
    for (SlotField slot : kSlots) visit((s.*slot).*part);
}

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return std::min(std::max(v, lo), hi); }

bool Read_All(const char* path, std::vector<unsigned char>& bytes, size_t limit) {
  FILE* file = Open_Regular_File(path);
  if (!file) return false;
  unsigned char chunk[4096];
  size_t got;
  while (bytes.size() < limit && (got = std::fread(chunk, 1, std::min(sizeof chunk, limit - bytes.size()), file)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + got);
  bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

}  // namespace

const char* Track_File_Message(int result) {
  switch (result) {
    case TRACK_OK: return "";
    case TRACK_UNREADABLE: return "ERROR loading track data!";
    case TRACK_BAD_MAGIC: return "VRCS: (1) Not a valid Vanto Rello Track File!";
    case TRACK_BAD_COUNT: return "VRCS: Invalid Sector Number!";
    case TRACK_BAD_MAGIC2: return "VRCS: Not a valid Vanto Rello Track File!";
    case TRACK_TRUNCATED: return "VRCS: Track file is cut short!";
    case TRACK_BAD_SECTOR: return "VRCS: Invalid sector length in track file!";
    case TRACK_TOO_SHORT: return "VRCS: Track too short to race!";
    case TRACK_TOO_LONG: return "VRCS: Track too long to race!";
  }
  return "VRCS: Unknown track file error!";
}

int64_t Track_Race_Length(const TrackSector* sectors, int count) {
  int64_t segments = 0;
  for (int i = 0; i + 1 < count; ++i) segments += sectors[i].length;
  return (segments - 121) * 100;
}

int Parse_Track_Header(const unsigned char* data, size_t size, TrackHeader* header) {
  *header = TrackHeader{};
  if (size < 4) return TRACK_TRUNCATED;
  if (static_cast<uint32_t>(Get_Be32(data)) != kTrackMagic) return TRACK_BAD_MAGIC;
  if (size < 8) return TRACK_TRUNCATED;
  int32_t count = Get_Be32(data + 4);
  if (count < 1 || count > kTrackMaxSectors) return TRACK_BAD_COUNT;
  if (size < static_cast<size_t>(kTrackHeaderSize)) return TRACK_TRUNCATED;
  if (static_cast<uint32_t>(Get_Be32(data + 423)) != kTrackMagic) return TRACK_BAD_MAGIC2;
  header->sector_count = count;
  Get_Text(header->creator, sizeof header->creator, data + 8);
  Get_Text(header->second_text, sizeof header->second_text, data + 72);
  Get_Text(header->stamp, sizeof header->stamp, data + 136);
  Get_Text(header->comment, sizeof header->comment, data + 152);
  header->track_type = Get_Be32(data + 407);
  header->reserved_a = Get_Be32(data + 411);
  header->tournament = Get_Be32(data + 415);
  header->reserved_b = Get_Be32(data + 419);
  return TRACK_OK;
}

int Sanitise_Track_Sector(TrackSector* s) {
  if (s->length < 1 || s->length > kTrackMaxSectorLength) return 0;
  s->state = Clamp(s->state, 0, 2);
  s->curve = Clamp(s->curve, -kTrackMaxBend, kTrackMaxBend);
  s->hill = Clamp(s->hill, -kTrackMaxBend, kTrackMaxBend);
  for (SlotField f : kSlots) {
    ObjectSlot& slot = s->*f;
    slot.period = Clamp(slot.period, 0, kTrackMaxPeriod);
    slot.offset = Clamp(slot.offset, -kTrackMaxOffset, kTrackMaxOffset);
  }
  return 1;
}

int Parse_Track_File(const unsigned char* data, size_t size, TrackHeader* header, TrackSector* sectors, int* count) {
  *count = 0;
  int result = Parse_Track_Header(data, size, header);
  if (result != TRACK_OK) return result;
  int n = header->sector_count;
  if (size < static_cast<size_t>(kTrackHeaderSize) + static_cast<size_t>(n) * kTrackRecordSize) {
    header->sector_count = 0;
    return TRACK_TRUNCATED;
  }
  const unsigned char* p = data + kTrackHeaderSize;
  for (int i = 0; i < n; ++i) {
    For_Each_Field(sectors[i], [&p](int32_t& v) {
      v = Get_Be32(p);
      p += 4;
    });
    if (!Sanitise_Track_Sector(&sectors[i])) result = TRACK_BAD_SECTOR;
  }
  int64_t race = Track_Race_Length(sectors, n);
  if (result == TRACK_OK && race < kTrackMinRaceLength) result = TRACK_TOO_SHORT;
  if (result == TRACK_OK && race > kTrackMaxRaceLength) result = TRACK_TOO_LONG;
  if (result != TRACK_OK) {
    header->sector_count = 0;
    return result;
  }
  *count = n;
  return TRACK_OK;
}

std::vector<unsigned char> Serialise_Track_File(const TrackHeader& header, const TrackSector* sectors, int count) {
  std::vector<unsigned char> out;
  out.reserve(kTrackHeaderSize + static_cast<size_t>(std::max(count, 0)) * kTrackRecordSize);
  Put_Be32(out, static_cast<int32_t>(kTrackMagic));
  Put_Be32(out, count);
  Put_Text(out, header.creator, sizeof header.creator);
  Put_Text(out, header.second_text, sizeof header.second_text);
  Put_Text(out, header.stamp, sizeof header.stamp);
  Put_Text(out, header.comment, sizeof header.comment);
  Put_Be32(out, header.track_type);
  Put_Be32(out, header.reserved_a);
  Put_Be32(out, header.tournament);
  Put_Be32(out, header.reserved_b);
  Put_Be32(out, static_cast<int32_t>(kTrackMagic));
  for (int i = 0; i < count; ++i) {
    TrackSector copy = sectors[i];
    For_Each_Field(copy, [&out](int32_t& v) { Put_Be32(out, v); });
  }
  return out;
}

int Scan_Track_Header(const char* path, TrackHeader* header) {
  std::vector<unsigned char> bytes;
  *header = TrackHeader{};
  if (!Read_All(path, bytes, kTrackHeaderSize)) return TRACK_UNREADABLE;
  return Parse_Track_Header(bytes.data(), bytes.size(), header);
}

int Read_Track_File(const char* path, TrackHeader* header, TrackSector* sectors, int* count) {
  std::vector<unsigned char> bytes;
  *count = 0;
  *header = TrackHeader{};
  const size_t limit = kTrackHeaderSize + static_cast<size_t>(kTrackMaxSectors) * kTrackRecordSize;
  if (!Read_All(path, bytes, limit)) return TRACK_UNREADABLE;
  return Parse_Track_File(bytes.data(), bytes.size(), header, sectors, count);
}

int Write_Track_File(const char* path, const TrackHeader& header, const TrackSector* sectors, int count) {
  if (count < 1 || count > kTrackMaxSectors) return 0;
  std::vector<unsigned char> bytes = Serialise_Track_File(header, sectors, count);
  return Write_File_Atomic(path, bytes.data(), bytes.size());
}

TrackHeader Make_Track_Header(const char* creator, int track_type, int tournament) {
  TrackHeader h{};
  std::snprintf(h.creator, sizeof h.creator, "%s", creator ? creator : "");
  std::snprintf(h.stamp, sizeof h.stamp, "%s", "27.12.2015");
  h.track_type = track_type;
  h.reserved_a = 1;
  h.tournament = tournament;
  h.reserved_b = 0;
  return h;
}

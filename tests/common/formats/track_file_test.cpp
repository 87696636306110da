// Track files: exact header and record bytes, round trips, and refusal of damaged or
// hostile files without reading past the data.
#include "common/formats/track_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "support/temp_dir.h"

namespace {

int32_t Be32(const std::vector<unsigned char>& b, size_t at) {
  return static_cast<int32_t>(uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 |
                              uint32_t(b[at + 3]));
}
void Set_Be32(std::vector<unsigned char>& b, size_t at, int32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(static_cast<uint32_t>(v) >> (24 - 8 * i));
}

// A sector whose 28 fields are all different, so a swapped field shows.
TrackSector Distinct_Sector(int k) {
  TrackSector s{};
  int32_t* f = &s.length;
  for (int i = 0; i < 28; ++i) f[i] = (k * 28 + i) % 37;
  s.length = 10 + k % 40;
  s.state = k % 3;
  return s;
}

// n distinct sectors; every one `length` segments long unless it is 0.
std::vector<TrackSector> Track(int n, int length = 0) {
  std::vector<TrackSector> t(kTrackMaxSectors);
  for (int i = 0; i < n; ++i) t[i] = Distinct_Sector(i);
  for (int i = 0; i < n && length; ++i) t[i].length = length;
  return t;
}

std::vector<unsigned char> File(int n, int length = 0) {
  auto t = Track(n, length);
  return Serialise_Track_File(Make_Track_Header("Tester", 7, 0), t.data(), n);
}

struct Parsed {
  int result;
  int count = -1;
  TrackHeader header;
  std::vector<TrackSector> sectors = std::vector<TrackSector>(kTrackMaxSectors);
};
Parsed Parse(const std::vector<unsigned char>& bytes) {
  Parsed p;
  p.result = Parse_Track_File(bytes.data(), bytes.size(), &p.header, p.sectors.data(), &p.count);
  return p;
}

TEST(TrackFile, HeaderAndRecordBytesAreAsTabled) {
  auto b = File(100);
  ASSERT_EQ(b.size(), 427u + 100u * 112u);
  const struct {
    size_t at;
    int32_t value;
  } header[] = {{0, 0x27071974}, {4, 100}, {407, 7}, {411, 1}, {415, 0}, {419, 0}, {423, 0x27071974}};
  for (const auto& f : header) EXPECT_EQ(Be32(b, f.at), f.value) << "offset " << f.at;
  EXPECT_STREQ(reinterpret_cast<const char*>(&b[8]), "Tester");
  EXPECT_EQ(b[72], 0);
  EXPECT_STREQ(reinterpret_cast<const char*>(&b[136]), "27.12.2015");
  EXPECT_EQ(b[152], 0);

  TrackSector s{};
  s.length = 11, s.curve = -200, s.hill = 200, s.state = 2;
  s.R1 = {101, 16, 350}, s.R2 = {102, 8, 650}, s.R3 = {103, 32, -10};
  s.L1 = {104, 4, -350}, s.L2 = {105, 2, -600}, s.L3 = {106, 64, 10};
  s.C0 = {455, 0, 0}, s.C1 = {456, 0, 0};
  b = Serialise_Track_File(Make_Track_Header("abc", 1, 0), &s, 1);
  const int32_t expected[28] = {11,  -200, 200, 2,   16,  8,   32,  4,   2,   64,  0,   0,   350, 650,
                                -10, -350, -600, 10, 0,   0,   101, 102, 103, 104, 105, 106, 455, 456};
  for (int i = 0; i < 28; ++i) EXPECT_EQ(Be32(b, 427 + 4 * i), expected[i]) << "offset " << 4 * i;
}

TEST(TrackFile, RoundTripKeepsEveryFieldTypeCreatorAndFlag) {
  auto t = Track(999, 10);  // within the race-length limit
  auto b = Serialise_Track_File(Make_Track_Header("Round Trip-1", 12, 1), t.data(), 999);
  Parsed p = Parse(b);
  ASSERT_EQ(p.result, TRACK_OK);
  EXPECT_EQ(p.count, 999);
  EXPECT_EQ(p.header.sector_count, 999);
  EXPECT_STREQ(p.header.creator, "Round Trip-1");
  EXPECT_EQ(p.header.track_type, 12);
  EXPECT_EQ(p.header.tournament, 1);
  EXPECT_EQ(std::memcmp(p.sectors.data(), t.data(), 999 * sizeof(TrackSector)), 0);
}

// A damaged file is refused with its code and message and leaves no sectors. Race length:
// (n - 1) x 10 - 121 segments, so 79 sectors give 65900 units and 80 give 66900.
TEST(TrackFile, DamagedFilesAreRefusedWithTheirMessage) {
  const size_t kNone = 0xFFFF, kSector50 = 427 + 50 * 112;
  const struct {
    int sectors, length;
    size_t at;
    int32_t value;
    int code;
    const char* message;
  } cases[] = {
      {100, 10, 4, 0, TRACK_BAD_COUNT, "VRCS: Invalid Sector Number!"},
      {100, 10, 4, 1000, TRACK_BAD_COUNT, "VRCS: Invalid Sector Number!"},
      {100, 10, 4, -1, TRACK_BAD_COUNT, "VRCS: Invalid Sector Number!"},
      {100, 10, 0, 0x26071974, TRACK_BAD_MAGIC, "VRCS: (1) Not a valid Vanto Rello Track File!"},
      {100, 10, 423, 0x27071975, TRACK_BAD_MAGIC2, "VRCS: Not a valid Vanto Rello Track File!"},
      {100, 10, kSector50, 0, TRACK_BAD_SECTOR, "VRCS: Invalid sector length in track file!"},
      {100, 10, kSector50, -10, TRACK_BAD_SECTOR, "VRCS: Invalid sector length in track file!"},
      {100, 10, kSector50, kTrackMaxSectorLength + 1, TRACK_BAD_SECTOR, "VRCS: Invalid sector length in track file!"},
      {1, 10, kNone, 0, TRACK_TOO_SHORT, "VRCS: Track too short to race!"},  // one sector is a valid count
      {79, 10, kNone, 0, TRACK_TOO_SHORT, "VRCS: Track too short to race!"},
      {80, 10, kNone, 0, TRACK_OK, ""},
      {999, 1000, kNone, 0, TRACK_TOO_LONG, "VRCS: Track too long to race!"},
  };
  for (const auto& c : cases) {
    auto b = File(c.sectors, c.length);
    if (c.at != kNone) Set_Be32(b, c.at, c.value);
    Parsed p = Parse(b);
    EXPECT_EQ(p.result, c.code) << c.sectors << " sectors, " << c.at << ": " << c.value;
    EXPECT_STREQ(Track_File_Message(p.result), c.message);
    EXPECT_EQ(p.count, c.code == TRACK_OK ? c.sectors : 0);
    EXPECT_EQ(p.header.sector_count, c.code == TRACK_OK ? c.sectors : 0);
  }
  EXPECT_STREQ(Track_File_Message(TRACK_TRUNCATED), "VRCS: Track file is cut short!");
  EXPECT_STREQ(Track_File_Message(TRACK_UNREADABLE), "ERROR loading track data!");
  EXPECT_STREQ(Track_File_Message(99), "VRCS: Unknown track file error!");
}

TEST(TrackFile, EveryTruncationIsRefusedAndHeaderScanNeedsOnlyTheHeader) {
  const auto whole = File(100);
  for (size_t size = 0; size < whole.size(); size += (size < 440 ? 1 : 97)) {
    // A copy of exactly `size` bytes, so the sanitizer sees any read past the end.
    std::vector<unsigned char> cut(whole.begin(), whole.begin() + size);
    Parsed p = Parse(cut);
    EXPECT_EQ(p.result, TRACK_TRUNCATED) << size;
    EXPECT_EQ(p.count, 0);
    TrackHeader h;
    EXPECT_EQ(Parse_Track_Header(cut.data(), cut.size(), &h), size < 427 ? TRACK_TRUNCATED : TRACK_OK) << size;
  }
}

TEST(TrackFile, HostileSectorValuesAreClampedAndTextStaysInside) {
  auto t = Track(100, 20);
  t[5].curve = 2000000000, t[6].hill = -2000000000, t[7].state = -5;
  t[8].R2.period = -16, t[9].L3.offset = -1000000000, t[10].L1.id = 123456;
  auto b = Serialise_Track_File(Make_Track_Header("x", 3, 0), t.data(), 100);
  std::memset(&b[8], 'A', 64);
  std::memset(&b[152], 'C', 255);
  Parsed p = Parse(b);
  ASSERT_EQ(p.result, TRACK_OK);
  EXPECT_EQ(p.sectors[5].curve, kTrackMaxBend);
  EXPECT_EQ(p.sectors[6].hill, -kTrackMaxBend);
  EXPECT_EQ(p.sectors[7].state, 0);
  EXPECT_EQ(p.sectors[8].R2.period, 0);
  EXPECT_EQ(p.sectors[9].L3.offset, -kTrackMaxOffset);
  EXPECT_EQ(p.sectors[10].L1.id, 123456);  // kept; an id without a sprite draws nothing
  EXPECT_EQ(std::strlen(p.header.creator), 63u);
  EXPECT_EQ(std::strlen(p.header.comment), 254u);
}

TEST(TrackFile, FilesWriteAtomicallyAndScan) {
  ScopedTempDir dir;
  auto t = Track(100);
  ASSERT_EQ(Write_Track_File("a.TRK", Make_Track_Header("Me", 4, 0), t.data(), 100), 1);
  EXPECT_EQ(Write_Track_File("b.TRK", Make_Track_Header("Me", 4, 0), t.data(), 0), 0);
  EXPECT_EQ(Write_Track_File("missing/c.TRK", Make_Track_Header("Me", 4, 0), t.data(), 100), 0);
  TrackHeader h;
  EXPECT_EQ(Scan_Track_Header("a.TRK", &h), TRACK_OK);
  EXPECT_STREQ(h.creator, "Me");
  EXPECT_EQ(Scan_Track_Header("nothing.TRK", &h), TRACK_UNREADABLE);
  std::vector<TrackSector> out(kTrackMaxSectors);
  int count = 0;
  EXPECT_EQ(Read_Track_File("a.TRK", &h, out.data(), &count), TRACK_OK);
  EXPECT_EQ(count, 100);
  EXPECT_EQ(std::memcmp(out.data(), t.data(), 100 * sizeof(TrackSector)), 0);
  EXPECT_EQ(Read_Track_File(".", &h, out.data(), &count), TRACK_UNREADABLE);
}

}  // namespace

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

std::vector<TrackSector> Track(int n) {
  std::vector<TrackSector> t(kTrackMaxSectors);
  for (int i = 0; i < n; ++i) t[i] = Distinct_Sector(i);
  return t;
}

std::vector<unsigned char> File(int n) {
  auto t = Track(n);
  return Serialise_Track_File(Make_Track_Header("Tester", 7, 0), t.data(), n);
}

int Parse(const std::vector<unsigned char>& bytes, int* count) {
  TrackHeader h;
  std::vector<TrackSector> out(kTrackMaxSectors);
  return Parse_Track_File(bytes.data(), bytes.size(), &h, out.data(), count);
}

TEST(TrackFile, HeaderBytesAreAsTabled) {
  auto b = File(100);
  ASSERT_EQ(b.size(), 427u + 100u * 112u);
  EXPECT_EQ(std::vector<unsigned char>(b.begin(), b.begin() + 4), (std::vector<unsigned char>{0x27, 0x07, 0x19, 0x74}));
  EXPECT_EQ(std::vector<unsigned char>(b.begin() + 423, b.begin() + 427),
            (std::vector<unsigned char>{0x27, 0x07, 0x19, 0x74}));
  EXPECT_EQ(Be32(b, 4), 100);
  EXPECT_STREQ(reinterpret_cast<const char*>(&b[8]), "Tester");
  EXPECT_EQ(b[72], 0);
  EXPECT_STREQ(reinterpret_cast<const char*>(&b[136]), "27.12.2015");
  EXPECT_EQ(b[152], 0);
  EXPECT_EQ(Be32(b, 407), 7);
  EXPECT_EQ(Be32(b, 411), 1);
  EXPECT_EQ(Be32(b, 415), 0);
  EXPECT_EQ(Be32(b, 419), 0);
}

TEST(TrackFile, RecordFieldsAtTheirOffsets) {
  TrackSector s{};
  s.length = 11, s.curve = -200, s.hill = 200, s.state = 2;
  s.R1 = {101, 16, 350}, s.R2 = {102, 8, 650}, s.R3 = {103, 32, -10};
  s.L1 = {104, 4, -350}, s.L2 = {105, 2, -600}, s.L3 = {106, 64, 10};
  s.C0 = {455, 0, 0}, s.C1 = {456, 0, 0};
  auto b = Serialise_Track_File(Make_Track_Header("abc", 1, 0), &s, 1);
  const size_t r = 427;
  const int32_t expected[28] = {11,  -200, 200, 2,   16,  8,   32,  4,   2,   64,  0,   0,   350, 650,
                                -10, -350, -600, 10, 0,   0,   101, 102, 103, 104, 105, 106, 455, 456};
  for (int i = 0; i < 28; ++i) EXPECT_EQ(Be32(b, r + 4 * i), expected[i]) << "offset " << 4 * i;
}

TEST(TrackFile, RoundTripKeepsEveryFieldTypeCreatorAndFlag) {
  auto t = Track(999);
  for (int i = 0; i < 999; ++i) t[i].length = 10;  // keep within the race-length limit
  auto b = Serialise_Track_File(Make_Track_Header("Round Trip-1", 12, 1), t.data(), 999);
  TrackHeader h;
  std::vector<TrackSector> out(kTrackMaxSectors);
  int count = -1;
  ASSERT_EQ(Parse_Track_File(b.data(), b.size(), &h, out.data(), &count), TRACK_OK);
  EXPECT_EQ(count, 999);
  EXPECT_EQ(h.sector_count, 999);
  EXPECT_STREQ(h.creator, "Round Trip-1");
  EXPECT_EQ(h.track_type, 12);
  EXPECT_EQ(h.tournament, 1);
  EXPECT_EQ(std::memcmp(out.data(), t.data(), 999 * sizeof(TrackSector)), 0);
}

// A damaged count or magic is refused with its code and leaves no sectors.
TEST(TrackFile, DamagedHeadersAreRefused) {
  const struct {
    size_t at;
    int32_t value;
    int code;
  } cases[] = {{4, 0, TRACK_BAD_COUNT},          {4, 1000, TRACK_BAD_COUNT},
               {4, -1, TRACK_BAD_COUNT},         {0, 0x26071974, TRACK_BAD_MAGIC},
               {423, 0x27071975, TRACK_BAD_MAGIC2}};
  for (const auto& c : cases) {
    auto b = File(100);
    Set_Be32(b, c.at, c.value);
    int count = -1;
    EXPECT_EQ(Parse(b, &count), c.code) << c.at << ": " << c.value;
    EXPECT_EQ(count, 0);
  }
  // One sector is a valid file; the race-length rule then refuses so short a track.
  auto one = File(1);
  TrackHeader h;
  EXPECT_EQ(Parse_Track_Header(one.data(), one.size(), &h), TRACK_OK);
  EXPECT_EQ(h.sector_count, 1);
}

TEST(TrackFile, EveryTruncationIsRefusedAndHeaderScanNeedsOnlyTheHeader) {
  const auto whole = File(100);
  for (size_t size = 0; size < whole.size(); size += (size < 440 ? 1 : 97)) {
    // A copy of exactly `size` bytes, so the sanitizer sees any read past the end.
    std::vector<unsigned char> cut(whole.begin(), whole.begin() + size);
    int count = -1;
    int r = Parse(cut, &count);
    EXPECT_EQ(r, TRACK_TRUNCATED) << size;
    EXPECT_EQ(count, 0);
    TrackHeader h;
    EXPECT_EQ(Parse_Track_Header(cut.data(), cut.size(), &h), size < 427 ? TRACK_TRUNCATED : TRACK_OK) << size;
  }
}

TEST(TrackFile, HostileSectorValuesAreRefusedOrClamped) {
  auto t = Track(100);
  for (int i = 0; i < 100; ++i) t[i].length = 20;
  t[5].curve = 2000000000, t[6].hill = -2000000000, t[7].state = -5;
  t[8].R2.period = -16, t[9].L3.offset = -1000000000, t[10].L1.id = 123456;
  auto b = Serialise_Track_File(Make_Track_Header("x", 3, 0), t.data(), 100);
  TrackHeader h;
  std::vector<TrackSector> out(kTrackMaxSectors);
  int count = 0;
  ASSERT_EQ(Parse_Track_File(b.data(), b.size(), &h, out.data(), &count), TRACK_OK);
  EXPECT_EQ(out[5].curve, kTrackMaxBend);
  EXPECT_EQ(out[6].hill, -kTrackMaxBend);
  EXPECT_EQ(out[7].state, 0);
  EXPECT_EQ(out[8].R2.period, 0);
  EXPECT_EQ(out[9].L3.offset, -kTrackMaxOffset);
  EXPECT_EQ(out[10].L1.id, 123456);  // kept; an id without a sprite draws nothing

  for (int bad : {0, -10, kTrackMaxSectorLength + 1}) {
    auto u = t;
    u[50].length = bad;
    auto ub = Serialise_Track_File(Make_Track_Header("x", 3, 0), u.data(), 100);
    EXPECT_EQ(Parse_Track_File(ub.data(), ub.size(), &h, out.data(), &count), TRACK_BAD_SECTOR) << bad;
    EXPECT_EQ(count, 0);
    EXPECT_EQ(h.sector_count, 0);
  }
}

TEST(TrackFile, RaceLengthBounds) {
  // 121 segments lie beyond the race; the last sector is the run-out.
  auto t = Track(999);
  for (auto& s : t) s.length = 10;
  TrackHeader h;
  std::vector<TrackSector> out(kTrackMaxSectors);
  int count = 0;
  auto parse = [&](int n) {
    auto b = Serialise_Track_File(Make_Track_Header("x", 1, 0), t.data(), n);
    return Parse_Track_File(b.data(), b.size(), &h, out.data(), &count);
  };
  // (n - 1) * 10 - 121 segments: n = 79 gives 65900 units, n = 80 gives 66900.
  EXPECT_EQ(parse(79), TRACK_TOO_SHORT);
  EXPECT_EQ(parse(80), TRACK_OK);
  for (auto& s : t) s.length = 1000;
  EXPECT_EQ(parse(999), TRACK_TOO_LONG);
  EXPECT_EQ(count, 0);
}

TEST(TrackFile, TextFieldsWithoutTerminatorStayInside) {
  auto b = File(100);
  std::memset(&b[8], 'A', 64);
  std::memset(&b[152], 'C', 255);
  TrackHeader h;
  ASSERT_EQ(Parse_Track_Header(b.data(), b.size(), &h), TRACK_OK);
  EXPECT_EQ(std::strlen(h.creator), 63u);
  EXPECT_EQ(std::strlen(h.comment), 254u);
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

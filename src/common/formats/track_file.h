#pragma once
// Track files (".TRK"): a 427-byte header and one 112-byte record per track sector,
// every integer signed 32-bit big-endian. Reading, validating and writing; no SDL.
#include <cstddef>
#include <cstdint>
#include <vector>

// One roadside slot: object id, spacing and lateral offset (ground textures: {id, 0, 0}).
struct ObjectSlot {
  int32_t id;
  int32_t period;
  int32_t offset;
};

// The construction system's unit of track: 28 integers.
struct TrackSector {
  int32_t length;  // road segments
  int32_t state;   // 0 new, 1 free, 2 holds a placed object
  int32_t curve;
  int32_t hill;
  ObjectSlot L1, L2, L3, R1, R2, R3;
  ObjectSlot C0, C1;  // left and right ground textures
};

struct TrackHeader {
  int32_t sector_count;
  char creator[64];
  char second_text[64];
  char stamp[16];
  char comment[255];
  int32_t track_type;
  int32_t reserved_a;
  int32_t tournament;
  int32_t reserved_b;
};

constexpr uint32_t kTrackMagic = 0x27071974;
constexpr int kTrackHeaderSize = 427;
constexpr int kTrackRecordSize = 112;
constexpr int kTrackMaxSectors = 999;

// Limits a loaded sector must keep. Lengths outside 1..kTrackMaxSectorLength refuse the
// file; curve, hill, period, offset and state are clamped into range (the generator never
// writes a value outside them); object ids are kept and an unknown id draws nothing.
constexpr int kTrackMaxSectorLength = 1000;
constexpr int kTrackMaxBend = 1000;       // |curve| and |hill|
constexpr int kTrackMaxPeriod = 1024;
constexpr int kTrackMaxOffset = 20000;
// Race length in position units (100 per segment) a track must give. A shorter track than
// the shortest the generator builds leaves too little time to reach the finish from a
// standing start; the checkpoint table (one per 40000) holds 49 entries.
constexpr int kTrackMinRaceLength = 66900;
constexpr int kTrackMaxRaceLength = 1960000;

enum TrackFileResult {
  TRACK_OK = 0,
  TRACK_UNREADABLE,    // cannot open or read
  TRACK_BAD_MAGIC,     // first magic wrong
  TRACK_BAD_COUNT,     // sector count not 1..999
  TRACK_BAD_MAGIC2,    // second magic wrong
  TRACK_TRUNCATED,     // ends before the header or before count x 112 bytes of records
  TRACK_BAD_SECTOR,    // a sector length outside 1..kTrackMaxSectorLength
  TRACK_TOO_SHORT,     // race length below kTrackMinRaceLength
  TRACK_TOO_LONG,      // race length above kTrackMaxRaceLength
};

// The one-line message printed for a result (no newline); "" for TRACK_OK.
const char* Track_File_Message(int result);

// The race length in position units the road will have for these sectors (the last
// sector is the run-out past the finish).
int64_t Track_Race_Length(const TrackSector* sectors, int count);

// Parses the header only (427 bytes; magic, count and second magic checked).
int Parse_Track_Header(const unsigned char* data, size_t size, TrackHeader* header);
// Parses and validates a whole file into sectors (room for kTrackMaxSectors); on any
// failure *count is 0 and the result says why.
int Parse_Track_File(const unsigned char* data, size_t size, TrackHeader* header, TrackSector* sectors, int* count);
// Clamps one sector's values into the limits above; returns 0 when its length is invalid.
int Sanitise_Track_Sector(TrackSector* sector);

// The bytes of a file for this header (its sector_count is ignored) and these sectors.
std::vector<unsigned char> Serialise_Track_File(const TrackHeader& header, const TrackSector* sectors, int count);

// File helpers: the header of a file for a browser listing, a whole file, and an atomic write.
int Scan_Track_Header(const char* path, TrackHeader* header);
int Read_Track_File(const char* path, TrackHeader* header, TrackSector* sectors, int* count);
int Write_Track_File(const char* path, const TrackHeader& header, const TrackSector* sectors, int count);

// A header as the game writes it: magic fields implied, stamp "27.12.2015", reserved A 1.
TrackHeader Make_Track_Header(const char* creator, int track_type, int tournament);

#pragma once
// The checksum of the update list: a reflected CRC-32 (polynomial 0xEDB88320) with the
// register starting at 0, no final inversion, and the table's last two groups of four
// entries exchanged. Server lists are made with exactly this table.
#include <cstddef>
#include <cstdint>

// Continues a checksum over more bytes; start with crc = 0.
uint32_t Crc_Bytes(uint32_t crc, const void* data, size_t size);
// Checksum of a whole file; 0 for a missing or unreadable file (and for an empty one).
uint32_t File_Crc(const char* path);

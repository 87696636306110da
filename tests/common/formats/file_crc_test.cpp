#include "common/formats/file_crc.h"

#include <gtest/gtest.h>

#include <string>

#include "support/files.h"
#include "support/temp_dir.h"

TEST(FileCrc, KnownValuesAndTheExchangedTableEntries) {
  EXPECT_EQ(Crc_Bytes(0, "abc", 3), 0xCA6598D0u);
  const unsigned char f8 = 0xF8, fc = 0xFC, fb = 0xFB, ff = 0xFF;
  EXPECT_EQ(Crc_Bytes(0, &f8, 1), 0xB40BBE37u);
  EXPECT_EQ(Crc_Bytes(0, &fb, 1), 0x2D02EF8Du);
  EXPECT_EQ(Crc_Bytes(0, &fc, 1), 0xB3667A2Eu);
  EXPECT_EQ(Crc_Bytes(0, &ff, 1), 0x2A6F2B94u);
  // Continuing over pieces gives the checksum of the whole.
  EXPECT_EQ(Crc_Bytes(Crc_Bytes(0, "ab", 2), "c", 1), 0xCA6598D0u);
}

TEST(FileCrc, FilesMissingEmptyAndLargerThanOneBlock) {
  ScopedTempDir dir;
  EXPECT_EQ(File_Crc("missing.bin"), 0u);
  Write_File("empty.bin", "");
  EXPECT_EQ(File_Crc("empty.bin"), 0u);
  Write_File("abc.bin", "abc");
  EXPECT_EQ(File_Crc("abc.bin"), 0xCA6598D0u);
  std::string big(200000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + 3);
  Write_File("big.bin", big);
  EXPECT_EQ(File_Crc("big.bin"), Crc_Bytes(0, big.data(), big.size()));
}

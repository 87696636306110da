#include <gtest/gtest.h>

#include <string>

#include "common/formats/cloud_list.h"
#include "common/formats/update_list.h"

namespace {

int Parse(const std::string& text, Cloud_Track* tracks, int max) {
  return Parse_Cloud_List(text.data(), text.size(), tracks, max);
}

// A listed track's fields as a list line shows them.
std::string Fields(const Cloud_Track& t) {
  return std::string(t.file_name) + "|" + std::to_string(t.track_type) + "|" + std::to_string(t.sector_count) + "|" +
         t.creator + "|" + std::to_string(t.tournament);
}

}  // namespace

TEST(CloudList, FieldsNumbersAndMissingFields) {
  Cloud_Track tracks[4];
  std::string text =
      "HK.TRK|3|120|Anna Berg|0\n"
      "HEX.TRK|0xC|0170|Bob|1\n"
      "SHORT.TRK|7\n"
      "LAST.TRK|2|5|Cid|0";
  ASSERT_EQ(Parse(text, tracks, 4), 4);
  EXPECT_EQ(Fields(tracks[0]), "HK.TRK|3|120|Anna Berg|0");
  EXPECT_EQ(Fields(tracks[1]), "HEX.TRK|12|120|Bob|1");    // hexadecimal and octal 0170
  EXPECT_EQ(Fields(tracks[2]), "SHORT.TRK|7|120|Bob|1");   // two fields keep the other three of the line before
  EXPECT_EQ(Fields(tracks[3]), "LAST.TRK|2|5|Cid|0");
  EXPECT_EQ(Parse(text, tracks, 2), 2);
  EXPECT_EQ(Parse("", tracks, 4), 0);
}

TEST(CloudList, LongLinesStayOneTrackAndWrittenLinesKeepFiveFields) {
  Cloud_Track tracks[3];
  std::string long_creator = "LONG.TRK|1|2|" + std::string(300, 'c') + "|1\n";
  std::string long_name = std::string(256, 'n') + "|1|2|x|0\n";
  ASSERT_EQ(Parse(long_creator + long_name + "NEXT.TRK|4\n", tracks, 3), 2);
  EXPECT_EQ(Fields(tracks[0]), "LONG.TRK|1|2|" + std::string(63, 'c') + "|1");
  // The refused 256-character name is not listed, but its fields still carry over.
  EXPECT_EQ(Fields(tracks[1]), "NEXT.TRK|4|2|x|0");
  ASSERT_EQ(Parse(std::string(255, 'n') + "|1|2|x|0", tracks, 3), 1);

  std::string written = Cloud_List_Line("A.TRK", 3, 120, "Evil|Name\nWith\rBreaks", 1);
  EXPECT_EQ(written, "A.TRK|3|120|Evil Name With Breaks|1\n");
  ASSERT_EQ(Parse(written, tracks, 2), 1);
  EXPECT_STREQ(tracks[0].creator, "Evil Name With Breaks");
}

TEST(CloudList, NamesThatCouldLeaveTheTrackDirectoryAreNotListed) {
  Cloud_Track tracks[12];
  std::string text =
      "../x.TRK|1|90|a|0\n/tmp/x|1|90|a|0\na/../../b|1|90|a|0\n..\\evil.TRK|1|90|a|0\n"
      ".hidden.TRK|1|90|a|0\nbad\x01name.TRK|1|90|a|0\nsub\\x.TRK|1|90|a|0\n|1|90|a|0\n\n"
      "My Track (2).TRK|5|90|a|0\n";
  ASSERT_EQ(Parse(text, tracks, 12), 1);
  EXPECT_STREQ(tracks[0].file_name, "My Track (2).TRK");
  EXPECT_EQ(Is_Safe_Cloud_Name("x..y.TRK"), 0);
  EXPECT_EQ(Is_Safe_Cloud_Name("VRWIN251227120000.TRK"), 1);
}

TEST(CloudList, SafeTrackFileNames) {
  EXPECT_EQ(Is_Safe_Track_File_Name("VRWIN251227120000.TRK"), 1);
  EXPECT_EQ(Is_Safe_Track_File_Name("TT_FL.TRK"), 1);
  EXPECT_EQ(Is_Safe_Track_File_Name(std::string(64, 'a').c_str()), 1);
  for (const char* bad : {"", "..", ".hidden", "../x.TRK", "a/b.TRK", "a\\b", "a b", "x%2F", "a\nb"})
    EXPECT_EQ(Is_Safe_Track_File_Name(bad), 0) << bad;
  EXPECT_EQ(Is_Safe_Track_File_Name(std::string(65, 'a').c_str()), 0);
}

TEST(UpdateList, LinesAsTheUpdaterReadsThem) {
  EXPECT_EQ(Update_List_Line("GFX/sky.png", 0xCA6598D0u), "GFX/sky.png|CA6598D0\n");
  const struct {
    const char* line;
    int ok;
    const char* name;
    uint32_t crc;
  } lines[] = {
      {"GFX/sky.png|CA6598D0\n", 1, "GFX/sky.png", 0xCA6598D0u},
      {"a|00abcdef\r\n", 1, "a", 0xABCDEFu},
      {"a|CA6598D0", 1, "a", 0xCA6598D0u},  // a last line without a line feed keeps every digit
      {"b|ca6598d0 trailing words\n", 1, "b", 0xCA6598D0u},
      {"a|b|12\n", 1, "a", 0xBu},
      {"x|\n", 1, "x", 0u},
      {"no bar here\n", 0, "", 0u},
      {"|\n", 0, "", 0u},
      {"a|", 0, "", 0u},
  };
  for (const auto& l : lines) {
    std::string name;
    uint32_t crc = 7;
    ASSERT_EQ(Parse_Update_List_Line(l.line, &name, &crc), l.ok) << l.line;
    if (l.ok) {
      EXPECT_EQ(name + "|" + std::to_string(crc), std::string(l.name) + "|" + std::to_string(l.crc)) << l.line;
    }
  }
}

TEST(UpdateList, NamesTheGameMayWrite) {
  for (const char* good : {"vantorello", "GFX/sky.png", "SFX/music/a b.ogg", "GFX/..hidden", "TRK/x.TRK"})
    EXPECT_EQ(Is_Safe_Update_Name(good), 1) << good;
  for (const char* bad : {"", "/etc/x", "../x", "GFX/../../x", "GFX/..", "./x", "GFX//x", "GFX/", "GFX\\x",
                          "C:x", "a\nb", "a\rb", "a\tb", "a\x7f"})
    EXPECT_EQ(Is_Safe_Update_Name(bad), 0) << bad;
  EXPECT_EQ(Is_Safe_Update_Name(std::string(200, 'a')), 1);
  EXPECT_EQ(Is_Safe_Update_Name(std::string(201, 'a')), 0);
}

TEST(UpdateList, VersionFile) {
  std::string version;
  std::string text = Write_Version_File("3.99");
  EXPECT_EQ(text, "#VantoRello\n3.99\n#VantoRello\n");
  ASSERT_EQ(Read_Version_File(text.data(), text.size(), &version), 1);
  EXPECT_EQ(version, "3.99");
  std::string crlf = "#VantoRello\r\n3.98\r\n#VantoRello\r\n";
  ASSERT_EQ(Read_Version_File(crlf.data(), crlf.size(), &version), 1);
  EXPECT_EQ(version, "3.98");
  std::string bad = "#VantoRello\n3.98\n";
  EXPECT_EQ(Read_Version_File(bad.data(), bad.size(), &version), 0);
}

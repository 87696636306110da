#include "common/formats/leaderboard_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A well-formed file: marker, fifteen names, fifteen scores, marker.
std::vector<std::string> Good_Lines() {
  std::vector<std::string> lines = {"#VantoRello leaderboard"};
  for (int k = 1; k <= 15; ++k) lines.push_back("4Driver_" + std::to_string(k));
  for (int k = 1; k <= 15; ++k) lines.push_back(std::to_string(1000 * k));
  lines.push_back("#VantoRello");
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

int Parse(const std::string& text, Leaderboard_Entry* entries) {
  return Parse_Leaderboard(text.data(), text.size(), entries);
}

}  // namespace

TEST(LeaderboardFile, ReadsNamesPlatformsAndScores) {
  const struct {
    std::string line, name;
    int platform;
  } names[] = {{"3Anna_Berg", "Anna Berg", 3},         {"9Nine_Lives", "Nine Lives", 0},
               {"0Zero", "Zero", 0},                   {"No Digit_Here", "No Digit Here", 0},
               {"8" + std::string(50, 'x'), std::string(35, 'x'), 8},
               {"5Windows\r", "Windows\r", 5}};  // only the line feed is removed
  const struct {
    std::string line;
    int score;
  } scores[] = {{"  42 seconds", 42}, {"none", 0}, {"99999999999", INT32_MAX}};
  std::vector<std::string> lines = Good_Lines();
  for (int k = 0; k < 6; ++k) lines[1 + k] = names[k].line;
  for (int k = 0; k < 3; ++k) lines[16 + k] = scores[k].line;
  Leaderboard_Entry entries[kLeaderboardSize];
  ASSERT_EQ(Parse(Join(lines), entries), LEADERBOARD_OK);
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(entries[k].name, names[k].name);
    EXPECT_EQ(entries[k].platform, names[k].platform) << names[k].line;
  }
  for (int k = 0; k < 3; ++k) EXPECT_EQ(entries[k].score, scores[k].score) << scores[k].line;
  EXPECT_EQ(entries[14].score, 15000);
  EXPECT_STREQ(entries[14].name, "Driver 15");
}

TEST(LeaderboardFile, RefusesTheWrongForm) {
  Leaderboard_Entry entries[kLeaderboardSize];
  std::vector<std::string> lines = Good_Lines();
  EXPECT_EQ(Parse(Join(lines), entries), LEADERBOARD_OK);

  std::vector<std::string> bad_first = lines;
  bad_first[0] = "VantoRello";
  EXPECT_EQ(Parse(Join(bad_first), entries), LEADERBOARD_BAD_FIRST_MARKER);
  EXPECT_EQ(Parse("", entries), LEADERBOARD_BAD_FIRST_MARKER);

  std::vector<std::string> bad_last = lines;
  bad_last[31] = " #VantoRello";
  EXPECT_EQ(Parse(Join(bad_last), entries), LEADERBOARD_BAD_LAST_MARKER);

  std::vector<std::string> short_file(lines.begin(), lines.end() - 1);
  short_file.back() = "#VantoRello";  // 31 lines, the last one a marker
  EXPECT_EQ(Parse(Join(short_file), entries), LEADERBOARD_BAD_LINE_COUNT);

  std::vector<std::string> long_file = lines;
  long_file.push_back("");
  EXPECT_EQ(Parse(Join(long_file), entries), LEADERBOARD_BAD_LINE_COUNT);

  // Without the final line feed the file still has 32 lines.
  std::string text = Join(lines);
  text.pop_back();
  EXPECT_EQ(Parse(text, entries), LEADERBOARD_OK);

  // A line longer than 254 characters counts as two, as the C library reads it.
  std::vector<std::string> overlong = lines;
  overlong[1] = std::string(300, 'a');
  overlong.erase(overlong.begin() + 2);
  EXPECT_EQ(Parse(Join(overlong), entries), LEADERBOARD_OK);
  EXPECT_EQ(std::string(entries[0].name), std::string(35, 'a'));
}

TEST(LeaderboardFile, WrittenFileReadsBackAndKeepsItsForm) {
  Leaderboard_Row rows[3] = {{"3Anna Berg", 61234}, {"5Bad\nName\r\x01|", 100000}, {"7", 0}};
  std::string text = Write_Leaderboard(rows, 3);
  Leaderboard_Entry entries[kLeaderboardSize];
  ASSERT_EQ(Parse(text, entries), LEADERBOARD_OK);
  EXPECT_STREQ(entries[0].name, "Anna Berg");
  EXPECT_EQ(entries[0].platform, 3);
  EXPECT_EQ(entries[0].score, 61234);
  EXPECT_STREQ(entries[1].name, "BadName|");
  EXPECT_EQ(entries[1].platform, 5);
  EXPECT_STREQ(entries[2].name, "");
  EXPECT_EQ(entries[2].platform, 7);
  for (int k = 3; k < kLeaderboardSize; ++k) {
    EXPECT_STREQ(entries[k].name, kDefaultDriverNames[k - 3]);
    EXPECT_EQ(entries[k].score, 1000 + 10000 * (k - 3));  // after the last row's time of 0
    EXPECT_EQ(entries[k].platform, 0);
  }
  Leaderboard_Row slow = {"3Slow", INT32_MAX - 5000};
  text = Write_Leaderboard(&slow, 1);
  ASSERT_EQ(Parse(text, entries), LEADERBOARD_OK);
  EXPECT_EQ(entries[1].score, INT32_MAX - 4000);
  EXPECT_EQ(entries[2].score, INT32_MAX);
  text = Write_Leaderboard(nullptr, 0);
  ASSERT_EQ(Parse(text, entries), LEADERBOARD_OK);
  EXPECT_EQ(entries[0].score, 1000);
  EXPECT_EQ(entries[14].score, 141000);
  EXPECT_EQ(Default_Driver_Score(0), 141000);
  EXPECT_EQ(Default_Driver_Score(14), 1000);
}

TEST(LeaderboardFile, TimeFormat) {
  char text[32];
  Format_Score_Time(100000, text, sizeof text);
  EXPECT_STREQ(text, "01:40\".00");
  Format_Score_Time(61234, text, sizeof text);
  EXPECT_STREQ(text, "01:01\".23");
  Format_Score_Time(0, text, sizeof text);
  EXPECT_STREQ(text, "00:00\".00");
  Format_Score_Time(5999999, text, sizeof text);
  EXPECT_STREQ(text, "99:59\".99");
}

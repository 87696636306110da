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

// An entry as "platform name score".
std::string Fields(const Leaderboard_Entry& e) {
  return std::to_string(e.platform) + " " + e.name + " " + std::to_string(e.score);
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

int Parse(const std::string& text, Leaderboard_Entry* entries) {
  return Parse_Leaderboard(text.data(), text.size(), entries);
}

// The good file with line `at` replaced by `text`, or taken out when `text` is null.
std::string With(size_t at, const char* text) {
  std::vector<std::string> lines = Good_Lines();
  if (text) lines[at] = text;
  else lines.erase(lines.begin() + at);
  return Join(lines);
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
  const std::string good = Join(Good_Lines());
  const struct {
    std::string text;
    int code;
  } cases[] = {
      {good, LEADERBOARD_OK},
      {good.substr(0, good.size() - 1), LEADERBOARD_OK},  // without the final line feed: still 32 lines
      {With(0, "VantoRello"), LEADERBOARD_BAD_FIRST_MARKER},
      {"", LEADERBOARD_BAD_FIRST_MARKER},
      {With(31, " #VantoRello"), LEADERBOARD_BAD_LAST_MARKER},
      {With(30, nullptr), LEADERBOARD_BAD_LINE_COUNT},  // 31 lines, the last one a marker
      {good + "\n", LEADERBOARD_BAD_LINE_COUNT},
  };
  Leaderboard_Entry entries[kLeaderboardSize];
  for (const auto& c : cases) EXPECT_EQ(Parse(c.text, entries), c.code) << c.text;

  // A line longer than 254 characters counts as two, as the C library reads it.
  std::vector<std::string> overlong = Good_Lines();
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
  EXPECT_EQ(Fields(entries[0]), "3 Anna Berg 61234");
  EXPECT_EQ(Fields(entries[1]), "5 BadName| 100000");
  EXPECT_EQ(Fields(entries[2]), "7  0");
  for (int k = 3; k < kLeaderboardSize; ++k) {  // after the last row's time of 0
    std::string driver = std::string(kDefaultDriverNames[k - 3]) + " " + std::to_string(1000 + 10000 * (k - 3));
    EXPECT_EQ(Fields(entries[k]), "0 " + driver);
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
  const struct {
    int score;
    const char* text;
  } cases[] = {{100000, "01:40\".00"}, {61234, "01:01\".23"}, {0, "00:00\".00"}, {5999999, "99:59\".99"}};
  for (const auto& c : cases) {
    char text[32];
    Format_Score_Time(c.score, text, sizeof text);
    EXPECT_STREQ(text, c.text);
  }
}

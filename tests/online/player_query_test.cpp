#include "online/player_query.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Value(const std::string& name, const char* prefix = "3", int replace_question = 0) {
  char out[256];
  if (!Player_Query_Value(name.c_str(), prefix, replace_question, out, sizeof out)) return "<refused>";
  return out;
}

}  // namespace

TEST(PlayerQuery, LengthRules) {
  EXPECT_EQ(Value("ab"), "<refused>");
  EXPECT_EQ(Value("a b"), "3a_b");
  EXPECT_EQ(Value(std::string(40, 'x')), "3" + std::string(40, 'x'));
  EXPECT_EQ(Value(std::string(41, 'x')), "<refused>");
  char small[4];
  EXPECT_EQ(Player_Query_Value("abcd", "3", 0, small, sizeof small), 0);
}

TEST(PlayerQuery, NameCanNeverChangeTheRequest) {
  EXPECT_EQ(Value("Tom & Jerry"), "3Tom___Jerry");
  EXPECT_EQ(Value("Who?", "3"), "3Who%3F");
  EXPECT_EQ(Value("Who?", "", 1), "Who_");
  EXPECT_EQ(Value("a\r\nHost: evil"), "3a%0D%0AHost%3A_evil");
  EXPECT_EQ(Value("100%#1=x+y"), "3100%25%231%3Dx%2By");
  EXPECT_EQ(Value("J\xC3\xBCrgen"), "3J%C3%BCrgen");
  EXPECT_EQ(Value("Mr.-_~"), "3Mr.-_~");
  EXPECT_EQ(Value("tab\there/"), "3tab%09here%2F");
}

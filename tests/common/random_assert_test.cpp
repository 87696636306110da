#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "common/asserts.h"
#include "common/random.h"
#include "support/printed.h"

namespace {

// The multiply-with-carry pair z = 36969 (z & 65535) + (z >> 16), w = 18000 (w & 65535) + (w >> 16)
// from z = 222, w = 111; each value is the low 20 bits of (z << 16) + w over 2^20.
TEST(Random01, FollowsTheMultiplyWithCarrySequence) {
  Reset_Random01();
  for (uint32_t bits : {818352u, 661278u, 823199u}) EXPECT_EQ(random01(), bits / 1048576.0f);
  for (int i = 3; i < 999; ++i) random01();
  EXPECT_EQ(random01(), 369776u / 1048576.0f);  // the thousandth
}

TEST(RandomRange, IncludesBothEndsAndSurvivesAnEmptyRange) {
  std::srand(1);
  bool saw_lo = false, saw_hi = false;
  for (int i = 0; i < 2000; ++i) {
    int v = Random_Range(-2, 3);
    ASSERT_GE(v, -2);
    ASSERT_LE(v, 3);
    saw_lo |= v == -2;
    saw_hi |= v == 3;
  }
  EXPECT_TRUE(saw_lo && saw_hi);
  EXPECT_EQ(Random_Range(5, 5), 5);
  EXPECT_EQ(Random_Range(7, 2), 7);  // inverted range: no division by zero
}

TEST(Asserts, SoftReportsAndGoesOnHardThrowsItsText) {
  EXPECT_EQ(Printed([] { Soft_Assert("road", 12); }), "ASSERT: road 12\n");

  testing::internal::CaptureStdout();
  try {
    Hard_Assert("Cannot open x.png", "image", 158);
    FAIL() << "no throw";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "ASSERT EXCEPT: Cannot open x.png - image 158\n");
  }
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "ASSERT EXCEPT: Cannot open x.png - image 158\n");

  testing::internal::CaptureStdout();
  EXPECT_THROW(Hard_Assert(nullptr, "image", 3), std::runtime_error);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "ASSERT EXCEPT: image 3\n");
}

}  // namespace

#include <gtest/gtest.h>

#include <climits>

#include "count_text.h"

namespace {

TEST(CountText, ReadsLikeAtoi) {
  EXPECT_EQ(ParseCountText("12"), 12);
  EXPECT_EQ(ParseCountText(" 12"), 12);
  EXPECT_EQ(ParseCountText("\t\n\v\f\r 12"), 12);
  EXPECT_EQ(ParseCountText("12abc"), 12);
  EXPECT_EQ(ParseCountText("+7"), 7);
  EXPECT_EQ(ParseCountText("-7"), -7);
  EXPECT_EQ(ParseCountText("abc"), 0);
  EXPECT_EQ(ParseCountText(""), 0);
  EXPECT_EQ(ParseCountText("+-7"), 0);
  EXPECT_EQ(ParseCountText("- 7"), 0);
  EXPECT_EQ(ParseCountText("007"), 7);
}

TEST(CountText, SaturatesAtTheLimits) {
  EXPECT_EQ(ParseCountText("2147483647"), INT_MAX);
  EXPECT_EQ(ParseCountText("2147483648"), INT_MAX);
  EXPECT_EQ(ParseCountText("-2147483648"), INT_MIN);
  EXPECT_EQ(ParseCountText("-2147483649"), INT_MIN);
  EXPECT_EQ(ParseCountText("9999999999999999999999999999999"), INT_MAX);
  EXPECT_EQ(ParseCountText("-9999999999999999999999999999999x5"), INT_MIN);
}

}  // namespace

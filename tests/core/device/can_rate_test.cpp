// The CAN rate of the connection line counts the records of the last whole second.
#include "core/device/can_rate.hpp"

#include <gtest/gtest.h>

namespace kivprism::device {
namespace {

TEST(CanRateCounter, CountsTheLastWholeSecond) {
  CanRateCounter rate;
  EXPECT_EQ(rate.perSecond(500), 0u);
  for (std::uint32_t t = 5000; t < 5003; ++t) {
    rate.count(t);
  }
  // Within the counting second the rate is the second before it, which had none.
  EXPECT_EQ(rate.perSecond(5999), 0u);
  EXPECT_EQ(rate.perSecond(6000), 3u);
  EXPECT_EQ(rate.perSecond(6999), 3u);
  rate.count(6500);
  EXPECT_EQ(rate.perSecond(6600), 3u);
  EXPECT_EQ(rate.perSecond(7000), 1u);
  // A second without records brings it to 0.
  EXPECT_EQ(rate.perSecond(8000), 0u);
  rate.count(9100);
  EXPECT_EQ(rate.perSecond(9200), 0u);  // 8..9 had none: the gap is not carried over
  EXPECT_EQ(rate.perSecond(10'000), 1u);
}

}  // namespace
}  // namespace kivprism::device

#include "core/params/bus_modes.hpp"

#include <gtest/gtest.h>

#include <string>

namespace kivprism::params {
namespace {

TEST(DiffBus, EveryBusWithSettingsShowsTheTabWithItsOwnPage) {
  for (unsigned mode = kBusCan; mode <= kBusAinet; ++mode) {
    const DiffBusLayout l = diffBusLayout(mode);
    EXPECT_TRUE(l.tabVisible) << mode;
    EXPECT_EQ(l.page, kDiffBusPages[mode - 1]) << mode;
  }
  EXPECT_EQ(diffBusLayout(kBusIebus).page, "TabSheet_IEBUSx");
  // No bus selects the empty page, the speed probe and unknown modes none; the tab stays hidden.
  const DiffBusLayout none = diffBusLayout(kBusNone);
  EXPECT_FALSE(none.tabVisible);
  EXPECT_EQ(none.page, "TabSheet_CAN_NOx");
  for (unsigned mode : {kBusCanSpeedProbe, 10u, 255u}) {
    EXPECT_FALSE(diffBusLayout(mode).tabVisible) << mode;
    EXPECT_TRUE(diffBusLayout(mode).page.empty()) << mode;
  }
}

// F: LIN1 forced off, I: I-BUS tab, T: LIN tab, E: LIN event page, R: LIN reaction page,
// S: LIN speed enabled.
std::string flags(const LinLayout& l) {
  std::string s;
  for (auto [on, letter] : {std::pair{l.lin1Forced, 'F'}, std::pair{l.ibusTab, 'I'},
                            std::pair{l.linTab, 'T'}, std::pair{l.eventPage, 'E'},
                            std::pair{l.reactionPage, 'R'}, std::pair{l.speedEnabled, 'S'}}) {
    if (on) {
      s += letter;
    }
  }
  return s;
}

TEST(LinModes, EachLin1ModeAlone) {
  const char* expected[] = {"", "I", "TR", "TR", "TR", "TR", "TR", "TES", "TR", "TR", "TR", ""};
  for (unsigned mode = 0; mode < std::size(expected); ++mode) {
    EXPECT_EQ(flags(linLayout(mode, 0)), expected[mode]) << "LIN1 " << mode;
  }
}

TEST(LinModes, EachLin2ModeAloneAndTheModesThatDriveBothLines) {
  const char* expected[] = {"",     "",     "TS",   "TERS", "TERS", "TERS", "TERS",  "TERS", "TERS",
                            "TERS", "TERS", "TERS", "F",    "TERS", "TERS", "FTERS", "TERS", ""};
  for (unsigned mode = 0; mode < std::size(expected); ++mode) {
    EXPECT_EQ(flags(linLayout(0, mode)), expected[mode]) << "LIN2 " << mode;
    // A LIN1 device counts only while LIN2 leaves the first line to it.
    const bool both = mode == 12 || mode == 15;
    EXPECT_EQ(lin2TakesBothLines(mode), both) << mode;
    EXPECT_EQ(linLayout(kLin1IbusBmw, mode).ibusTab, !both) << mode;
    if (both) {
      for (unsigned lin1 : {1u, 3u, 7u}) {
        EXPECT_EQ(flags(linLayout(lin1, mode)), expected[mode]) << lin1 << "/" << mode;
      }
    }
  }
}

TEST(LinModes, BothLinesAddUp) {
  EXPECT_EQ(flags(linLayout(3, 2)), "TRS");  // LIN1 reactions, LIN2 master sets the speed
  EXPECT_EQ(flags(linLayout(7, 2)), "TES");
  EXPECT_EQ(flags(linLayout(1, 4)), "ITERS");
}

}  // namespace
}  // namespace kivprism::params

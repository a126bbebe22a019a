#include "core/monitor/terminal_input.hpp"

#include <gtest/gtest.h>

namespace kivprism::monitor {
namespace {

TEST(TerminalEnter, EmptyMemoSendsAndInsertsNothing) {
  const EnterDecision d = decideTerminalEnter("", 0);
  EXPECT_FALSE(d.send);
  EXPECT_FALSE(d.passKey);
}

TEST(TerminalEnter, CaretInsideSendsTheWholeLineWithoutSplitting) {
  const EnterDecision d = decideTerminalEnter("abc", 1);
  EXPECT_EQ(d.send, "abc");
  EXPECT_FALSE(d.passKey);
}

TEST(TerminalEnter, CaretAtTheEndSendsAndStartsANewLine) {
  const EnterDecision d = decideTerminalEnter("abc", 3);
  EXPECT_EQ(d.send, "abc");
  EXPECT_TRUE(d.passKey);
}

TEST(TerminalEnter, EmptyLastLineSendsAndInsertsNothing) {
  const EnterDecision d = decideTerminalEnter("abc\n", 4);
  EXPECT_FALSE(d.send);
  EXPECT_FALSE(d.passKey);
}

TEST(TerminalEnter, EarlierLinesAreSentAgainInPlace) {
  const std::string text = "first\nsecond\r\nthird";
  EXPECT_EQ(decideTerminalEnter(text, 0).send, "first");
  EXPECT_EQ(decideTerminalEnter(text, 5).send, "first");
  EXPECT_FALSE(decideTerminalEnter(text, 5).passKey);
  EXPECT_EQ(decideTerminalEnter(text, 6).send, "second");
  EXPECT_EQ(decideTerminalEnter(text, 14).send, "third");
  EXPECT_TRUE(decideTerminalEnter(text, text.size()).passKey);
}

TEST(TerminalEnter, OverlongLinesAreNotSent) {
  const std::string limit(kTerminalLineLimit, 'a');
  EXPECT_FALSE(decideTerminalEnter(limit, 0).send);
  EXPECT_FALSE(decideTerminalEnter(limit, 0).passKey);
  EXPECT_TRUE(decideTerminalEnter(limit, limit.size()).passKey);
  const std::string below(kTerminalLineLimit - 1, 'a');
  EXPECT_EQ(decideTerminalEnter(below, 0).send, below);
}

TEST(TerminalPayload, LineAndTerminatingZero) {
  EXPECT_EQ(terminalPayload("abc"), (std::vector<std::uint8_t>{'a', 'b', 'c', 0}));
}

TEST(TerminalPayload, LongLinesKeepSixtyThreeCharacters) {
  const std::string seventy(70, 'q');
  const auto bytes = terminalPayload(seventy);
  ASSERT_EQ(bytes.size(), kTerminalWriteSize);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end() - 1), std::string(63, 'q'));
  EXPECT_EQ(bytes.back(), 0);
  // 63 characters and the 0 fit exactly.
  EXPECT_EQ(terminalPayload(std::string(63, 'w')).size(), kTerminalWriteSize);
  EXPECT_EQ(terminalPayload(std::string(63, 'w')).back(), 0);
}

TEST(DoublePressClear, TwoPressesUnderHalfASecondClear) {
  DoublePressClear clicks;
  EXPECT_FALSE(clicks.press(1000));
  EXPECT_TRUE(clicks.press(1499));
  EXPECT_FALSE(clicks.armed());
}

TEST(DoublePressClear, HalfASecondApartArmsANewFirstPress) {
  DoublePressClear clicks;
  EXPECT_FALSE(clicks.press(1000));
  EXPECT_FALSE(clicks.press(1500));
  EXPECT_TRUE(clicks.armed());
  EXPECT_TRUE(clicks.press(1600));
}

TEST(DoublePressClear, TickWrapAround) {
  DoublePressClear clicks;
  EXPECT_FALSE(clicks.press(0xFFFFFF00u));
  EXPECT_TRUE(clicks.press(0x00000010u));
}

}  // namespace
}  // namespace kivprism::monitor

#include "core/params/entry_value.hpp"

#include <gtest/gtest.h>

namespace kivprism::params {
namespace {

std::uint32_t accepted(const EntryResult& r) {
  EXPECT_TRUE(std::holds_alternative<std::uint32_t>(r));
  return std::holds_alternative<std::uint32_t>(r) ? std::get<std::uint32_t>(r) : 0xFFFFFFFF;
}

Notice refused(const EntryResult& r) {
  EXPECT_TRUE(std::holds_alternative<Notice>(r));
  return std::holds_alternative<Notice>(r) ? std::get<Notice>(r) : Notice{};
}

TEST(ValueEntryCheck, ReadsDecimalAndHexadecimalAfterX) {
  EXPECT_EQ(accepted(checkValueEntry("x1F", 0, 255)), 31u);
  EXPECT_EQ(accepted(checkValueEntry("X1f", 0, 255)), 31u);
  EXPECT_EQ(accepted(checkValueEntry("x", 0, 255)), 0u);
  EXPECT_EQ(accepted(checkValueEntry("5000", 0, 5000)), 5000u);
  EXPECT_EQ(accepted(checkValueEntry("x1388", 0, 5000)), 5000u);
}

TEST(ValueEntryCheck, MalformedTextAsksForAValue) {
  for (const char* text : {"", "12a", "1F", " 12", "-1", "x1G", "1.5"}) {
    const Notice n = refused(checkValueEntry(text, 0, 255));
    EXPECT_EQ(n.kind, NoticeKind::Error) << text;
    EXPECT_EQ(n.ru, "Введите значение в указанную позицию") << text;
    EXPECT_EQ(n.en, "Enter a value in the specified position") << text;
  }
}

TEST(ValueEntryCheck, RangeMessageFollowsTheWayTheNumberWasTyped) {
  EXPECT_EQ(refused(checkValueEntry("70000", 0, 5000)).ru,
            "Значение должно находиться в интервале от 0 до 5000");
  const Notice hex = refused(checkValueEntry("x1389", 0, 5000));
  EXPECT_EQ(hex.ru, "Значение должно находиться в интервале от 00 до 1388");
  EXPECT_EQ(hex.en, "The value must be in the range from 00 to 1388");
  EXPECT_EQ(refused(checkValueEntry("1", 2, 10)).en, "The value must be in the range from 2 to 10");
}

TEST(ValueEntryCheck, NumbersBeyondThirtyTwoBitsAreOutOfRangeNotWrapped) {
  EXPECT_EQ(refused(checkValueEntry("4294967297", 0, 0xFFFFFFFFu)).en,
            "The value must be in the range from 0 to 4294967295");
  EXPECT_EQ(refused(checkValueEntry("x100000000", 0, 5)).en,
            "The value must be in the range from 00 to 05");
  EXPECT_EQ(accepted(checkValueEntry("xFFFFFFFF", 0, 0xFFFFFFFFu)), 0xFFFFFFFFu);
  // 2^64 + 5 and its hexadecimal twin would wrap to 5 in 64 bits.
  EXPECT_EQ(refused(checkValueEntry("18446744073709551621", 0, 255)).kind, NoticeKind::Error);
  EXPECT_EQ(refused(checkValueEntry("x10000000000000005", 0, 255)).en,
            "The value must be in the range from 00 to FF");
}

TEST(SelfCorrectingFields, EachFieldAtAndBeyondItsLimits) {
  struct Row {
    std::uint16_t (*read)(std::string_view);
    const char* text;
    std::uint16_t stored;
  };
  const Row rows[] = {
      {longPressFromText, "199", 1000},     {longPressFromText, "200", 200},
      {longPressFromText, "5000", 5000},    {longPressFromText, "5001", 1000},
      {longPressFromText, "abc", 1000},     {hwrTimeFromText, "99", 100},
      {hwrTimeFromText, "101", 101},        {hwrTimeFromText, "5000", 5000},
      {hwrTimeFromText, "5001", 1000},      {hwrTimeFromText, "", 1000},
      {uartDelayFromText, "0", 500},        {uartDelayFromText, "1", 1},
      {uartDelayFromText, "10000", 10000},  {uartDelayFromText, "10001", 500},
      {uartDelayFromText, "abc", 500},      {uartRepeatFromText, "0", 100},
      {uartRepeatFromText, "10000", 10000}, {uartRepeatFromText, "10001", 100},
      {uartRepeatFromText, "x10", 100},     {uartRepeatFromText, "4294967296", 100},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(r.read(r.text), r.stored) << r.text;
  }
  // Values read from a file or the controller get the same corrections.
  EXPECT_EQ(normalUartDelay(10001), 500);
  EXPECT_EQ(normalUartDelay(10000), 10000);
  EXPECT_EQ(normalUartRepeat(10001), 100);
  EXPECT_EQ(normalUartRepeat(0), 100);
}

TEST(Voltages, HundredthsRoundHalfUpAndStopAtFiveVolts) {
  EXPECT_EQ(std::get<std::uint16_t>(hundredthsFromText("5,5")), 500);
  EXPECT_EQ(std::get<std::uint16_t>(hundredthsFromText("1.234")), 123);
  EXPECT_EQ(std::get<std::uint16_t>(hundredthsFromText("1.235")), 124);
  EXPECT_EQ(std::get<std::uint16_t>(hundredthsFromText("0,07")), 7);
  // The nudge against binary fractions is too small to round up a value just below the half.
  EXPECT_EQ(std::get<std::uint16_t>(hundredthsFromText("1.2349999999")), 123);
  EXPECT_EQ(std::get<std::uint16_t>(hundredthsFromText("-1")), 0);
  EXPECT_TRUE(std::holds_alternative<Notice>(hundredthsFromText("volts")));
  EXPECT_EQ(hundredthsText(500), "5.00");
  EXPECT_EQ(hundredthsText(900), "5.00");
  EXPECT_EQ(hundredthsText(7), "0.07");
}

TEST(Voltages, MillivoltsTruncateAndStopAtSixteenVolts) {
  EXPECT_EQ(std::get<std::uint16_t>(millivoltsFromText("12,3456")), 12345);
  EXPECT_EQ(std::get<std::uint16_t>(millivoltsFromText("20")), 16000);
  EXPECT_EQ(std::get<std::uint16_t>(millivoltsFromText("0.001")), 1);
  EXPECT_EQ(std::get<std::uint16_t>(millivoltsFromText("1.999999999995")), 1999);
  EXPECT_EQ(millivoltsText(12000), "12.000");
}

}  // namespace
}  // namespace kivprism::params

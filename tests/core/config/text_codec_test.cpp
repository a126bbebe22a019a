#include "core/config/text_codec.hpp"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace kivprism::config {
namespace {

TEST(Hex, WritesTwoUpperCaseDigitsPerByte) {
  const std::array<std::uint8_t, 4> bytes{0x00, 0x0A, 0xBC, 0xFF};
  EXPECT_EQ(bytesToHex(bytes), "000ABCFF");
}

TEST(Hex, ReadsLikeTheConfigurationFile) {
  std::array<std::uint8_t, 4> out{};
  out.fill(0x55);
  EXPECT_EQ(hexToBytes("0aBcG1", out), 3u);
  EXPECT_EQ(out[0], 0x0A) << "lower case accepted";
  EXPECT_EQ(out[1], 0xBC);
  EXPECT_EQ(out[2], 0x01) << "a non-digit counts as 0";
  EXPECT_EQ(out[3], 0x00) << "short text clears the rest";

  out.fill(0x55);
  EXPECT_EQ(hexToBytes("12345", out), 2u) << "odd last character dropped";
  EXPECT_EQ(out[2], 0);

  out.fill(0x55);
  EXPECT_EQ(hexToBytes("", out), 0u);
  EXPECT_EQ(out, (std::array<std::uint8_t, 4>{}));

  EXPECT_EQ(hexToBytes("0102030405060708", out), 4u) << "text beyond the block is ignored";
  EXPECT_EQ(out[3], 0x04);
}

// The one digit helper every hex field of the program reads and writes through.
TEST(Hex, OneDigitBothWays) {
  for (unsigned v = 0; v < 16; ++v) {
    const char c = hexDigitChar(v);
    EXPECT_EQ(hexDigitValue(c), v) << c;
    EXPECT_EQ(hexDigitChar(v + 0x30), c) << "only the low four bits count";
  }
  EXPECT_EQ(hexDigitChar(0xA), 'A');
  EXPECT_EQ(hexDigitValue('f'), 15u);
  EXPECT_EQ(hexDigitValue('F'), 15u);
  for (const char c : {'g', 'G', '/', ':', '@', '`', ' ', '\0'}) {
    EXPECT_FALSE(hexDigitValue(c).has_value()) << static_cast<int>(c);
  }
}

TEST(Cp1251, CyrillicRoundTripsAndUnknownsBecomeQuestionMarks) {
  const std::string utf8 = "Привет Ёж №1";
  const std::string cp = utf8ToCp1251(utf8);
  ASSERT_EQ(cp.size(), 12u);
  EXPECT_EQ(static_cast<unsigned char>(cp[0]), 0xCF);  // П
  EXPECT_EQ(static_cast<unsigned char>(cp[7]), 0xA8);  // Ё
  EXPECT_EQ(cp1251ToUtf8(cp), utf8);
  EXPECT_EQ(utf8ToCp1251("日x"), "?x");
  EXPECT_EQ(cp1251ToUtf8("\x98"), "?");
  EXPECT_EQ(utf8ToCp1251("\xFFok"), "?ok") << "broken UTF-8 does not derail the rest";
}

TEST(FieldText, FixedFieldsNeedNoTerminator) {
  std::array<std::uint8_t, 5> field{};
  setFieldText(field, "ABCDEFG");
  EXPECT_EQ(fieldText(field), "ABCDE");
  setFieldText(field, "AB");
  EXPECT_EQ(field[2], 0);
  EXPECT_EQ(fieldText(field), "AB");
  field = {0, 'X', 'Y', 0, 0};
  EXPECT_EQ(fieldText(field), "") << "a leading NUL means an empty name";
}

TEST(FieldText, ANulInTheTextEndsIt) {
  // Bytes behind a NUL would sit in the field unseen, and a file written from it would lose them.
  std::array<std::uint8_t, 5> field{};
  field.fill('Z');
  setFieldText(field, std::string_view("A\0BC", 4));
  EXPECT_EQ(field, (std::array<std::uint8_t, 5>{'A', 0, 0, 0, 0}));
}

}  // namespace
}  // namespace kivprism::config

#include "core/canlog/can_record.hpp"

#include <gtest/gtest.h>

#include <array>

namespace kivprism::canlog {
namespace {

CanLogRecord make(std::uint32_t word, std::initializer_list<std::uint8_t> bytes,
                  std::uint32_t time = 0) {
  CanLogRecord r;
  r.identifierWord = word;
  r.length = static_cast<std::uint8_t>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), r.data.begin());
  r.timeStamp = time;
  return r;
}

TEST(CanRecord, DecodesAndEncodesTheSeventeenLittleEndianBytes) {
  const std::array<std::uint8_t, kRecordSize> bytes = {0x00, 0x00, 0x8C, 0x04, 3,    0x11,
                                                       0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                                                       0x88, 0x78, 0x56, 0x34, 0x12};
  const CanLogRecord r = CanLogRecord::decode(bytes);
  EXPECT_EQ(r.identifierWord, standardWord(0x123));
  EXPECT_EQ(r.length, 3);
  EXPECT_EQ(r.data[0], 0x11);
  EXPECT_EQ(r.data[7], 0x88);
  EXPECT_EQ(r.timeStamp, 0x12345678u);
  std::array<std::uint8_t, kRecordSize> out{};
  r.encode(out);
  EXPECT_EQ(out, bytes);
}

TEST(CanRecord, IdentifierTextShowsStandardAndExtendedInHexAndDecimal) {
  EXPECT_EQ(identifierText(standardWord(0x123)), "123( 291)");
  EXPECT_EQ(identifierText(standardWord(0x7FF)), "7FF(2047)");
  EXPECT_EQ(identifierText(standardWord(0x5)), "005(   5)");
  EXPECT_EQ(identifierText(0x18FEF100), "18FEF100(419361024)");
  EXPECT_EQ(identifierText(0x1), "00000001(   1)");
  // Any of bits 17..0 makes it extended; none shows as standard even from an extended source.
  EXPECT_TRUE(isExtended(0x20000));
  EXPECT_FALSE(isExtended(0x40000));
  EXPECT_EQ(identifierText(0x40000), "001(   1)");
  EXPECT_EQ(displayIdentifier(0x1FFFFFFF), 0x1FFFFFFFu);
}

TEST(CanRecord, DataTextPaddedAndUnpadded) {
  const auto full = make(0, {1, 2, 3, 4, 5, 6, 0xAB, 0xFF});
  EXPECT_EQ(dataText(full, true), "01 02 03 04 05 06 AB FF");
  EXPECT_EQ(dataText(full, false), "01 02 03 04 05 06 AB FF");
  const auto two = make(0, {0x0A, 0xB0});
  EXPECT_EQ(dataText(two, true), "0A B0" + std::string(18, ' '));
  EXPECT_EQ(dataText(two, false), "0A B0");
  const auto none = make(0, {});
  EXPECT_EQ(dataText(none, true), std::string(24, ' '));
  EXPECT_EQ(dataText(none, false), "");
  // A length above 8 shows the eight bytes there are.
  auto big = full;
  big.length = 12;
  EXPECT_EQ(big.dataLength(), 8u);
  EXPECT_EQ(dataText(big, true), "01 02 03 04 05 06 AB FF");
}

TEST(CanRecord, DataSignatureFollowsTheChecksumStep) {
  // Worked by hand: start (1 + 230) = 0xE7; 0xE7 ^ 0x00 = 0xE7, top set: 0xCE ^ 0x21 = 0xEF.
  EXPECT_EQ(dataSignature(make(0, {0x00})), 0xEF);
  // Start 232 = 0xE8; ^0x68 = 0x80 -> 0x00 ^ 0x21 = 0x21; ^0x01 = 0x20 -> 0x40.
  EXPECT_EQ(dataSignature(make(0, {0x68, 0x01})), 0x40);
  // No data: the start value alone.
  EXPECT_EQ(dataSignature(make(0, {})), 230);
  // The length is part of it: the same leading bytes with another length differ.
  EXPECT_NE(dataSignature(make(0, {1, 2})), dataSignature(make(0, {1, 2, 0})));
  // Bytes past the length do not count.
  auto a = make(0, {1, 2});
  auto b = a;
  b.data[5] = 0x99;
  EXPECT_EQ(dataSignature(a), dataSignature(b));
}

TEST(CanRecord, TerminalEchoLine) {
  EXPECT_EQ(terminalEchoLine(make(standardWord(0x123), {0x01, 0xAB}, 12345)),
            "012.345 CANRX 0123 [ 01 AB ]");
  EXPECT_EQ(terminalEchoLine(make(0x18FEF100, {}, 7)), "000.007 CANRX 18FEF100");
  EXPECT_EQ(terminalEchoLine(make(standardWord(0x7FF), {0xFF}, 1234567)),
            "1234.567 CANRX 07FF [ FF ]");
}

TEST(CanRecord, DetailTextsOfOneByte) {
  const DetailTexts a = detailTexts(3, 0x41);
  EXPECT_EQ(a.index, "3");
  EXPECT_EQ(a.hex, "41");
  EXPECT_EQ(a.bin, "01000001");
  EXPECT_EQ(a.dec, "65");
  EXPECT_EQ(a.ascii, "'A'");
  EXPECT_EQ(detailTexts(0, 0x1F).ascii, "-");
  EXPECT_EQ(detailTexts(0, 0xC0).ascii, "'А'");  // cp1251 capital A
  EXPECT_EQ(detailTexts(0, 0xFF).ascii, "'я'");
  EXPECT_EQ(detailTexts(0, 32).ascii, "' '");
  EXPECT_EQ(detailTexts(0, 31).ascii, "-");
  EXPECT_EQ(detailTexts(0, 129).ascii, "-");
  EXPECT_EQ(detailTexts(0, 191).ascii, "-");
  EXPECT_NE(detailTexts(0, 128).ascii, "-");
  EXPECT_EQ(detailTexts(0, 0x80).bin, "10000000");
  EXPECT_EQ(detailTexts(0, 0x05).hex, "05");
}

}  // namespace
}  // namespace kivprism::canlog

#include "core/lang/can_log_rows.hpp"

namespace kivprism::lang {
namespace {

TEST(CanLogRows, EveryMenuItemHasBothTextsUnderItsOwnKey) {
  const auto rows = canLogRows();
  const LanguageRow* begin = findLanguageRow("MainForm_CANLOG_BEGIN_Caption", rows);
  ASSERT_NE(begin, nullptr);
  EXPECT_EQ(begin->text.ru, "Пуск");
  EXPECT_EQ(begin->text.en, "Start");
  for (const char* item : {"BEGIN", "SAVE", "SAVE_TAB", "END", "CLEAR", "HIDEDATA", "HIDETHIS",
                           "HIDEALLNOTHIS", "HIDECURRENTID", "HIDENOTCHANGED", "SHOWALLID"}) {
    const std::string key = std::string("MainForm_CANLOG_") + item + "_Caption";
    const LanguageRow* row = findLanguageRow(key, rows);
    ASSERT_NE(row, nullptr) << key;
    EXPECT_FALSE(row->text.ru.empty() || row->text.en.empty()) << key;
  }
  EXPECT_EQ(findLanguageRow("MainForm_TabSheetCANLOG_Caption", rows)->text.en, "CAN log");
}

}  // namespace
}  // namespace kivprism::lang

#include "core/dialogs/can_frame_dialog.hpp"

#include <gtest/gtest.h>

#include <array>

namespace kivprism::dialogs {
namespace {

using events::CanFilter;
using events::CanMessage;

constexpr std::uint32_t kStd123 = 0x123u << 18;

TEST(CanIdText, StandardAndExtendedWords) {
  EXPECT_EQ(idWordText(kStd123), "123");
  EXPECT_EQ(idWordText(0), "000");
  EXPECT_EQ(idWordText(0x7FFu << 18), "7FF");
  EXPECT_EQ(idWordText(0x18DAF110u), "18DAF110");
  EXPECT_EQ(idWordText(0x800u), "00000800");
  EXPECT_EQ(idWordText(0x1u), "00000001");
  // A word whose low 18 bits are zero reads as standard even when its upper bits are wide.
  EXPECT_EQ(idWordText(0xFFFC0000u), "3FFF");
}

TEST(CanIdText, ParsingMasksAndChoosesStandardOrExtended) {
  EXPECT_EQ(idWordFromText("123"), kStd123);
  EXPECT_EQ(idWordFromText("7ff"), 0x7FFu << 18);
  EXPECT_EQ(idWordFromText("7FF"), 0x7FFu << 18);
  EXPECT_EQ(idWordFromText("800"), 0x800u);
  EXPECT_EQ(idWordFromText("18daf110"), 0x18DAF110u);
  EXPECT_EQ(idWordFromText(""), 0u);
  EXPECT_EQ(idWordFromText("0"), 0u);
  // Eight digits beyond 29 bits are cut to 29 bits.
  EXPECT_EQ(idWordFromText("FFFFFFFF"), 0x1FFFFFFFu);
  EXPECT_EQ(idWordFromText("E00007FF"), 0x7FFu << 18);
  EXPECT_EQ(idWordFromText("abcdefAB"), 0x0BCDEFABu);
  EXPECT_EQ(idWordFromText("19"), 0x19u << 18);
  EXPECT_EQ(idWordFromText("1234567"), 0x1234567u);
}

TEST(CanIdText, AnyOtherCharacterRefuses) {
  for (const char* bad :
       {"12G", " 12", "12 ", "-1", "x12", "1.2", "g", "0x1", "1:", "/", "@", "`"}) {
    EXPECT_FALSE(idWordFromText(bad).has_value()) << bad;
  }
}

TEST(CanBytesText, ShowsMeaningfulBytesWithSingleBlanks) {
  EXPECT_EQ(hexBytesText(std::array<std::uint8_t, 0>{}), "");
  EXPECT_EQ(hexBytesText(std::array<std::uint8_t, 1>{0x0A}), "0A");
  EXPECT_EQ(hexBytesText(std::array<std::uint8_t, 3>{0x12, 0xAB, 0x00}), "12 AB 00");
  const std::array<std::uint8_t, 9> nine{1, 2, 3, 4, 5, 6, 7, 8, 9};
  EXPECT_EQ(hexBytesText(nine), "01 02 03 04 05 06 07 08");
}

TEST(CanBytesText, ReadsPairsSkippingSeparators) {
  using Bytes = std::vector<std::uint8_t>;
  EXPECT_EQ(hexBytesFromText(""), Bytes{});
  EXPECT_EQ(hexBytesFromText("12 34 5"), (Bytes{0x12, 0x34}));
  EXPECT_EQ(hexBytesFromText("12345"), (Bytes{0x12, 0x34}));
  EXPECT_EQ(hexBytesFromText("ab,cD;  ef"), (Bytes{0xAB, 0xCD, 0xEF}));
  EXPECT_EQ(hexBytesFromText("  7"), Bytes{});
  EXPECT_EQ(hexBytesFromText("1 2"), Bytes{});  // a digit without its twin ends the reading
  EXPECT_EQ(hexBytesFromText("12 3g 45"), Bytes{0x12});
  EXPECT_EQ(hexBytesFromText("01 02 03 04 05 06 07 08 09"), (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(hexBytesFromText("010203040506070809"), (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(hexBytesFromText("FF"), Bytes{0xFF});
  EXPECT_EQ(hexBytesFromText("zzF0"), Bytes{0xF0});
  EXPECT_EQ(hexBytesFromText("99 90 09"), (Bytes{0x99, 0x90, 0x09}));
  // The text ends where the edit's text ends, even inside a longer buffer.
  const std::string_view buffer = "12 34";
  EXPECT_EQ(hexBytesFromText(buffer.substr(0, 4)), Bytes{0x12});
  EXPECT_EQ(hexBytesFromText(buffer.substr(0, 3)), Bytes{0x12});
}

CanMessage message(std::uint32_t word, std::uint8_t length, std::array<std::uint8_t, 8> data) {
  CanMessage m;
  m.idWord = word;
  m.length = length;
  m.data = data;
  return m;
}

TEST(CanMessageDialog, ShowsRecordAndReadsItBack) {
  const auto m = message(kStd123, 3, {0x11, 0x22, 0x33, 0x44, 0, 0, 0, 0});
  const auto texts = canMessageTexts(m);
  EXPECT_EQ(texts, (CanMessageTexts{"123", "11 22 33"}));
  // Bytes beyond the length keep their contents through a round trip.
  EXPECT_EQ(confirmCanMessage(texts, m), m);

  const auto ext = message(0x18DAF110u, 8, {1, 2, 3, 4, 5, 6, 7, 8});
  EXPECT_EQ(canMessageTexts(ext), (CanMessageTexts{"18DAF110", "01 02 03 04 05 06 07 08"}));
  EXPECT_EQ(confirmCanMessage(canMessageTexts(ext), ext), ext);
}

TEST(CanMessageDialog, AStoredLengthAboveEightShowsEightBytes) {
  const auto m = message(kStd123, 200, {1, 2, 3, 4, 5, 6, 7, 8});
  EXPECT_EQ(canMessageTexts(m).data, "01 02 03 04 05 06 07 08");
  EXPECT_EQ(confirmCanMessage(canMessageTexts(m), m).length, 8);
}

TEST(CanMessageDialog, OkStoresIdAndBytesAndKeepsTheRest) {
  const auto old = message(0x18DAF110u, 5, {0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8});
  const auto got = confirmCanMessage({"800", "12 34 5"}, old);
  EXPECT_EQ(got.idWord, 0x800u);
  EXPECT_EQ(got.length, 2);
  EXPECT_EQ(got.data,
            (std::array<std::uint8_t, 8>{0x12, 0x34, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8}));
  EXPECT_EQ(canMessageTexts(got).id, "00000800");

  const auto empty = confirmCanMessage(clearedCanMessageTexts(), old);
  EXPECT_EQ(empty.idWord, 0u);
  EXPECT_EQ(empty.length, 0);
  EXPECT_EQ(empty.data, old.data);
}

TEST(CanMessageDialog, BadIdLeavesTheWholeRecord) {
  const auto old = message(kStd123, 2, {0x12, 0x34, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(confirmCanMessage({"12G", "FF FF FF"}, old), old);
}

CanFilter filter(std::uint32_t word, std::uint8_t count, std::array<std::uint8_t, 8> mask,
                 std::array<std::uint8_t, 8> data) {
  CanFilter f;
  f.idWord = word;
  f.count = count;
  f.mask = mask;
  f.data = data;
  return f;
}

TEST(CanFilterDialog, EmptyFilterShowsFullMask) {
  const auto f = filter(kStd123, 0, {1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5, 6, 7, 8});
  EXPECT_EQ(canFilterTexts(f), (CanFilterTexts{"123", "FF FF FF FF FF FF FF FF", ""}));
  EXPECT_EQ(clearedCanFilterTexts(), (CanFilterTexts{"", "FF FF FF FF FF FF FF FF", ""}));
}

TEST(CanFilterDialog, MaskAndDataAreStoredLengthFromData) {
  const auto old = filter(0, 0, {9, 9, 9, 9, 9, 9, 9, 9}, {7, 7, 7, 7, 7, 7, 7, 7});
  const auto got = confirmCanFilter({"123", "FF 00", "12 34"}, old);
  EXPECT_EQ(got.idWord, kStd123);
  EXPECT_EQ(got.count, 2);
  EXPECT_EQ(got.mask, (std::array<std::uint8_t, 8>{0xFF, 0x00, 9, 9, 9, 9, 9, 9}));
  EXPECT_EQ(got.data, (std::array<std::uint8_t, 8>{0x12, 0x34, 7, 7, 7, 7, 7, 7}));
  EXPECT_EQ(canFilterTexts(got), (CanFilterTexts{"123", "FF 00", "12 34"}));
  EXPECT_EQ(confirmCanFilter(canFilterTexts(got), got), got);
}

TEST(CanFilterDialog, MaskCountIsNotStored) {
  const auto old = filter(0, 0, {}, {});
  // The full mask of a cleared form and one data byte: length 1, all eight mask bytes written.
  const auto got = confirmCanFilter({"7E8", std::string(kFullMaskText), "05"}, old);
  EXPECT_EQ(got.count, 1);
  EXPECT_EQ(got.mask,
            (std::array<std::uint8_t, 8>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(got.data[0], 0x05);
  EXPECT_EQ(canFilterTexts(got).mask, "FF");
}

TEST(CanFilterDialog, BadIdLeavesTheWholeRecord) {
  const auto old = filter(0x18DAF110u, 1, {0xF0, 0, 0, 0, 0, 0, 0, 0}, {0x10, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(confirmCanFilter({"18DAF11Z", "FF", "22"}, old), old);
}

TEST(CanFilterDialog, RoundTripsThroughTheRecordBytes) {
  const auto f = filter(0x18DAF110u, 8, {1, 2, 3, 4, 5, 6, 7, 8}, {8, 7, 6, 5, 4, 3, 2, 1});
  std::array<std::uint8_t, events::record::kCanFilterSize> bytes{};
  events::writeCanFilter(bytes, confirmCanFilter(canFilterTexts(f), CanFilter{}));
  EXPECT_EQ(events::readCanFilter(bytes), f);
}

}  // namespace
}  // namespace kivprism::dialogs

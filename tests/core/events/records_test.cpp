// The shared records and the identifier word, and the IR protocol table.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/events/ir_protocols.hpp"
#include "core/events/records.hpp"

namespace kivprism::events {
namespace {

TEST(IdentifierWord, StandardIdentifiersAreShiftedBy18) {
  EXPECT_EQ(encodeIdWord(0x7FF), 0x1FFC0000u);
  EXPECT_EQ(decodeIdWord(0x1FFC0000u), (CanId{0x7FF, false}));
  EXPECT_EQ(encodeIdWord(0), 0u);
  EXPECT_EQ(decodeIdWord(0), (CanId{0, false}));
  EXPECT_EQ(encodeIdWord(1), 1u << 18);
}

TEST(IdentifierWord, LargerIdentifiersAreStoredUnshiftedAsExtended) {
  EXPECT_EQ(encodeIdWord(0x800), 0x800u);
  EXPECT_EQ(decodeIdWord(0x800), (CanId{0x800, true}));
  EXPECT_EQ(encodeIdWord(0x1FFFFFFF), 0x1FFFFFFFu);
  EXPECT_EQ(decodeIdWord(0x1FFFFFFF), (CanId{0x1FFFFFFF, true}));
}

TEST(IdentifierWord, EnteringMasksTo29BitsBeforeChoosingTheForm) {
  EXPECT_EQ(encodeIdWord(0xFFFFFFFF), 0x1FFFFFFFu);
  // Above 29 bits only the low bits count, and what is left may be a standard identifier.
  EXPECT_EQ(encodeIdWord(0x20000005), 5u << 18);
  EXPECT_EQ(decodeIdWord(encodeIdWord(0xE00007FF)), (CanId{0x7FF, false}));
}

TEST(IdentifierWord, EveryStandardIdentifierRoundTrips) {
  for (std::uint32_t id = 0; id < kStandardIdLimit; ++id) {
    ASSERT_EQ(decodeIdWord(encodeIdWord(id)), (CanId{id, false})) << id;
  }
}

TEST(CanRecords, MessageWriteClearsTheSlotTail) {
  std::array<std::uint8_t, record::kCanMessageSlotSize> slot;
  slot.fill(0xEE);
  CanMessage message;
  message.idWord = encodeIdWord(0x123);
  message.length = 2;
  message.data = {0xAA, 0xBB, 0, 0, 0, 0, 0, 0};
  writeCanMessage(slot, message);
  const std::array<std::uint8_t, record::kCanMessageSlotSize> expected{
      0x00, 0x00, 0x8C, 0x04, 0x02, 0xAA, 0xBB, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(slot, expected);
  EXPECT_EQ(readCanMessage(slot), message);
}

TEST(CanRecords, PayloadNeverReadsPastEightBytes) {
  CanMessage message;
  message.length = 200;
  EXPECT_EQ(message.payload().size(), 8u);
  CanFilter filter;
  filter.count = 9;
  EXPECT_EQ(filter.usedMask().size(), 8u);
  EXPECT_EQ(filter.usedData().size(), 8u);
  EXPECT_TRUE(filter.isSet());
  EXPECT_FALSE(CanFilter{}.isSet());
}

TEST(CanRecords, FilterRoundTrip) {
  std::array<std::uint8_t, record::kCanFilterSize> bytes{};
  CanFilter filter;
  filter.idWord = encodeIdWord(0x18DAF110);
  filter.count = 3;
  filter.mask = {1, 2, 3, 4, 5, 6, 7, 8};
  filter.data = {9, 10, 11, 12, 13, 14, 15, 16};
  writeCanFilter(bytes, filter);
  EXPECT_EQ(bytes[0], 0x10);
  EXPECT_EQ(bytes[3], 0x18);
  EXPECT_EQ(bytes[4], 3);
  EXPECT_EQ(bytes[5], 1);
  EXPECT_EQ(bytes[13], 9);
  EXPECT_EQ(bytes[20], 16);
  EXPECT_EQ(readCanFilter(bytes), filter);
  EXPECT_EQ(filter.id(), (CanId{0x18DAF110, true}));
}

TEST(IrProtocols, RowsAreIndexedByCode) {
  ASSERT_EQ(kIrProtocols.size(), 16u);
  for (std::size_t i = 0; i < kIrProtocols.size(); ++i) {
    EXPECT_EQ(kIrProtocols[i].code, i);
  }
  EXPECT_EQ(irProtocol(10)->name, "IR_SAMSUNG");
  EXPECT_FALSE(irProtocol(16));
  EXPECT_EQ(irProtocolByName("CAN AUTO"), 11);
  EXPECT_EQ(irProtocolByName("IR_ALPINE"), 15);
  EXPECT_FALSE(irProtocolByName("IR_NOPE"));
}

std::vector<unsigned> codesOf(const std::vector<IrProtocol>& rows) {
  std::vector<unsigned> codes;
  std::transform(rows.begin(), rows.end(), std::back_inserter(codes),
                 [](const IrProtocol& p) { return unsigned{p.code}; });
  return codes;
}

TEST(IrProtocols, OfferedPerContext) {
  EXPECT_EQ(codesOf(offeredIrProtocols(IrContext::Event)),
            (std::vector<unsigned>{0, 1, 2, 3, 5, 6, 7, 10, 11, 12, 13, 14}));
  EXPECT_EQ(codesOf(offeredIrProtocols(IrContext::Reaction)),
            (std::vector<unsigned>{0, 1, 2, 3, 5, 6, 7, 9, 10, 12, 13, 14, 15}));
}

TEST(IrProtocols, WhichCodesCount) {
  std::vector<unsigned> event;
  std::vector<unsigned> learnt;
  for (unsigned code = 0; code < 256; ++code) {
    if (isEventIrCodeSet(code)) {
      event.push_back(code);
    }
    if (isLearntReactionProtocol(code)) {
      learnt.push_back(code);
    }
  }
  EXPECT_EQ(event, (std::vector<unsigned>{1, 2, 3, 5, 6, 7, 9, 10, 11, 12, 13, 14}));
  EXPECT_EQ(learnt, (std::vector<unsigned>{1, 2, 5, 6, 7, 10, 12, 13, 14}));
}

}  // namespace
}  // namespace kivprism::events

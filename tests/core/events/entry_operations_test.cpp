// Entry access, names, type switching, key references and the key-deletion cascade.
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/events/entry_operations.hpp"
#include "core/events/entry_types.hpp"
#include "entry_hex.hpp"

namespace kivprism::events {
namespace {

using testing::bytes;
using testing::cbytes;
using testing::entryHex;

TEST(EntryAccess, NumbersMapToImageOffsets) {
  config::ConfigImage image;
  EXPECT_EQ(entryAt(image, 1).data(), image.data() + 9);
  EXPECT_EQ(entryAt(image, 100).data(), image.data() + 9 + 144 * 99);
  EXPECT_THROW(entryAt(image, 0), std::out_of_range);
  EXPECT_THROW(entryAt(image, 101), std::out_of_range);

  EXPECT_FALSE(entryNumberAt(8));
  EXPECT_EQ(entryNumberAt(9), 1u);
  EXPECT_EQ(entryNumberAt(9 + 144 + 80), 2u);  // the reaction part of entry 2
  EXPECT_EQ(entryNumberAt(14408), 100u);
  EXPECT_FALSE(entryNumberAt(14409));
}

TEST(EntryAccess, EmptyUntilAnyByteIsSet) {
  EntryData e{};
  EXPECT_TRUE(isEmpty(cbytes(e)));
  setEntryName(bytes(e), "X");
  EXPECT_FALSE(isEmpty(cbytes(e)));
}

TEST(EntryAccess, NamesUseAll16BytesWithoutTerminator) {
  EntryData e{};
  e[16] = 0x7F;
  setEntryName(bytes(e), "Громкость плюс++");  // 16 characters, 16 cp1251 bytes
  EXPECT_EQ(e[15], '+');
  EXPECT_EQ(e[16], 0x7F);
  EXPECT_EQ(entryName(cbytes(e)), "Громкость плюс++");
  setEntryName(bytes(e), "Короткое имя и ещё длинный хвост");
  EXPECT_EQ(entryName(cbytes(e)), "Короткое имя и е");
  setEntryName(bytes(e), "ab");
  EXPECT_EQ(entryName(cbytes(e)), "ab");
  EXPECT_EQ(e[2], 0);
  EXPECT_EQ(e[15], 0);
}

TEST(EntryAccess, HashIsTheImageCrcOfTheEntryBytes) {
  auto e = entryHex({{16, "01 00 05 02"}});
  const auto first = entryHash(cbytes(e));
  EXPECT_EQ(first, config::crc32Mpeg2(e));
  EXPECT_EQ(entryHash(cbytes(EntryData{})), config::crc32Mpeg2(EntryData{}));
  e[143] ^= 1;
  EXPECT_NE(entryHash(cbytes(e)), first);
  // The MPEG-2 check value: "123456789" gives 0x0376E6E7.
  const std::string check = "123456789";
  EXPECT_EQ(config::crc32Mpeg2(
                std::span(reinterpret_cast<const std::uint8_t*>(check.data()), check.size())),
            0x0376E6E7u);
}

TEST(TypeNames, BothLanguagesAndUnknownCodes) {
  EXPECT_EQ(eventTypeName(0)->ru, "Не задано");
  EXPECT_EQ(eventTypeName(26)->en, "Panel Honda");
  EXPECT_EQ(eventTypeName(19)->ru, "Блютус");
  EXPECT_FALSE(eventTypeName(27));
  EXPECT_EQ(reactionTypeName(0)->ru, "Не задана");
  EXPECT_EQ(reactionTypeName(8)->en, "Amplifier control");
  EXPECT_EQ(reactionTypeName(30)->en, "PWM");
  EXPECT_FALSE(reactionTypeName(31));
  EXPECT_EQ(pressKindName(2)->ru, "Длинное");
  EXPECT_FALSE(pressKindName(4));
}

TEST(TypeSwitching, SameEventTypeKeepsParametersAnotherWipesThePart) {
  auto e =
      entryHex({{0, "41"}, {16, "07 03 02 01 5046 E8030000"}, {77, "03 01 01"}, {80, "09 02"}});
  const auto before = e;
  EXPECT_FALSE(setEventType(bytes(e), 7));
  EXPECT_EQ(e, before);

  EXPECT_TRUE(setEventType(bytes(e), 4));
  const auto expected = entryHex({{0, "41"}, {16, "04"}, {80, "09 02"}});
  EXPECT_EQ(e, expected);
}

TEST(TypeSwitching, ControlReactionIsSeededFromTheAnalogDefaults) {
  const EntryContext context{250, 400, 120, 10};
  auto e = entryHex({{16, "03"}, {80, "09 05"}, {140, "FF"}});
  EXPECT_TRUE(setReactionType(bytes(e), 4, context));
  EXPECT_EQ(e, entryHex({{16, "03"}, {80, "04 FA00 7800"}}));

  // Choosing it again keeps what the user changed since.
  set(bytes(e), reaction::control::kChannel1.voltage, 333);
  EXPECT_FALSE(setReactionType(bytes(e), 4, context));
  EXPECT_EQ(get(cbytes(e), reaction::control::kChannel1.voltage), 333);

  // Other types start from zero.
  EXPECT_TRUE(setReactionType(bytes(e), 3, context));
  EXPECT_EQ(e, entryHex({{16, "03"}, {80, "03"}}));
}

TEST(TypeSwitching, ContextComesFromTheParameterBlock) {
  config::ConfigImage image;
  image.set(config::layout::kAnaVout1, 500);
  image.set(config::layout::kMinMaxVout1, 100);
  image.set(config::layout::kAnaVout2, 7);
  image.set(config::layout::kMinMaxVout2, 8);
  const EntryContext context = entryContextOf(image);
  EXPECT_EQ(context.anaVout1, 500);
  EXPECT_EQ(context.minMaxVout1, 100);
  EXPECT_EQ(context.anaVout2, 7);
  EXPECT_EQ(context.minMaxVout2, 8);
}

TEST(TypeSwitching, SteeringCanTypeChangeWipesCommandAndSlots) {
  auto e = entryHex({{80, "18 05 00"}, {83, "0000E81F 03 010203"}, {122, "AB"}});
  EXPECT_FALSE(setSteeringCanType(bytes(e), 0));
  EXPECT_EQ(e[83 + 4], 3);
  EXPECT_TRUE(setSteeringCanType(bytes(e), 13));
  EXPECT_EQ(e, entryHex({{80, "18 00 0D"}, {122, "AB"}}));
}

TEST(KeyReferences, EncoderSteps) {
  EXPECT_EQ(encoderStepOf({1, 4}), (EncoderStep{1, true}));
  EXPECT_EQ(encoderStepOf({2, 4}), (EncoderStep{1, false}));
  EXPECT_EQ(encoderStepOf({3, 4}), (EncoderStep{2, true}));
  EXPECT_EQ(encoderStepOf({4, 4}), (EncoderStep{2, false}));
  EXPECT_FALSE(encoderStepOf({5, 4}));
  EXPECT_FALSE(encoderStepOf({0, 4}));
  EXPECT_FALSE(encoderStepOf({1, 3}));
}

TEST(KeyReferences, EntriesUsingAnEncoder) {
  config::ConfigImage image;
  auto set1 = [&](std::size_t n, std::string_view hex) {
    const auto e = entryHex({{16, hex}});
    std::copy(e.begin(), e.end(), entryAt(image, n).begin());
  };
  set1(3, "01 00 03 04");   // Enc2+
  set1(5, "01 00 01 04");   // Enc1+
  set1(9, "01 00 02 04");   // Enc1-
  set1(10, "02 00 02 04");  // an IR event with the same bytes is no key event
  set1(12, "01 00 02 03");  // channel 3, not the encoder
  EXPECT_EQ(entriesUsingEncoder(image, 1), (std::vector<std::size_t>{5, 9}));
  EXPECT_EQ(entriesUsingEncoder(image, 2), (std::vector<std::size_t>{3}));
}

TEST(KeyDeletion, ClearsOnlyMatchingReferencesOfKeyEvents) {
  config::ConfigImage image;
  auto put = [&](std::size_t n, std::initializer_list<std::pair<std::size_t, std::string_view>> r) {
    const auto e = entryHex(r);
    std::copy(e.begin(), e.end(), entryAt(image, n).begin());
  };
  put(1, {{16, "01 00 07 01 00 00"}, {77, "03"}, {80, "01 07"}});  // key (7,1)
  put(2, {{16, "01 00 02 00 07 01"}, {77, "02"}});                 // modifier (7,1)
  put(3, {{16, "01 00 07 01 07 01"}});                             // both
  put(4, {{16, "01 00 07 02 07 00"}});                             // other channels
  put(5, {{16, "02 00 07 01 07 01"}});                             // IR event, same bytes
  put(6, {{16, "01 00 08 01"}});                                   // another key
  config::ConfigImage expected = image;
  auto expect = [&](std::size_t n,
                    std::initializer_list<std::pair<std::size_t, std::string_view>> r) {
    const auto e = entryHex(r);
    std::copy(e.begin(), e.end(), entryAt(expected, n).begin());
  };
  expect(1, {{16, "01 00 00 00 00 00"}, {77, "03"}, {80, "01 07"}});
  expect(2, {{16, "01 00 02 00 00 00"}, {77, "02"}});
  expect(3, {{16, "01 00 00 00 00 00"}});

  EXPECT_EQ(deleteKeyReferences(image, {7, 1}), 4u);
  EXPECT_EQ(image, expected);
  EXPECT_EQ(deleteKeyReferences(image, {7, 1}), 0u);
  // "No key" names nothing, whatever its channel.
  EXPECT_EQ(deleteKeyReferences(image, {0, 0}), 0u);
  EXPECT_EQ(image, expected);
}

}  // namespace
}  // namespace kivprism::events

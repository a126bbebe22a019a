// The consistency rules: each rule on its own, the table of forced flags, the press-kind lists,
// and that a second application never changes anything.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "core/events/consistency.hpp"
#include "core/events/entry_types.hpp"
#include "entry_hex.hpp"

namespace kivprism::events {
namespace {

using testing::bytes;
using testing::cbytes;
using testing::entryHex;

const EntryContext kContext{250, 400, 120, 10};

Repairs applyRules(EntryData& e, const EntryContext& context = kContext) {
  return applyConsistencyRules(bytes(e), context);
}

std::string hexOf(std::uint8_t b) {
  static const char digits[] = "0123456789ABCDEF";
  return {digits[b >> 4], digits[b & 15]};
}

// An event of the type with the given list position (or first parameter) and bottom row.
EntryData eventEntry(std::uint8_t type, std::string_view params, std::uint8_t press,
                     std::uint8_t once, std::uint8_t wakeUp, std::uint8_t mask) {
  const std::string head = hexOf(type) + hexOf(mask);
  const std::string tail = hexOf(press) + hexOf(once) + hexOf(wakeUp);
  return entryHex({{16, head}, {18, params}, {77, tail}});
}

struct Flags {
  std::uint8_t press;
  std::uint8_t once;
  std::uint8_t wakeUp;
  std::uint8_t mask;
  friend bool operator==(const Flags&, const Flags&) = default;
};

Flags flagsOf(const EntryData& e) { return {e[77], e[78], e[79], e[17]}; }

std::ostream& operator<<(std::ostream& out, const Flags& f) {
  return out << "press " << int{f.press} << " once " << int{f.once} << " wake " << int{f.wakeUp}
             << " mask " << int{f.mask};
}

TEST(ConsistencyRules, NoOrUnknownTypesClearTheirPart) {
  for (std::uint8_t type : std::initializer_list<std::uint8_t>{0, 27, 200}) {
    auto e = entryHex({{0, "41"}, {16, hexOf(type) + "05 11 22"}, {77, "03 01 01"}, {80, "09 01"}});
    const Repairs r = applyRules(e);
    EXPECT_TRUE(r.has(Repair::EventCleared)) << int{type};
    EXPECT_EQ(e, entryHex({{0, "41"}, {80, "09 01"}})) << int{type};
  }
  for (std::uint8_t type : std::initializer_list<std::uint8_t>{0, 31, 255}) {
    auto e = entryHex({{16, "03"}, {80, hexOf(type) + "0102030405"}, {143, "FF"}});
    EXPECT_TRUE(applyRules(e).has(Repair::ReactionCleared)) << int{type};
    EXPECT_EQ(e, entryHex({{16, "03"}})) << int{type};
  }
}

TEST(ConsistencyRules, ConsistentEntriesAreLeftAlone) {
  const EntryData entries[] = {
      EntryData{},
      entryHex({{0, "566F6C2B"}, {16, "01 03 05 02 03 01"}, {77, "02 01 01"}, {80, "01 07 00 80"}}),
      entryHex({{16, "04 00 00 E8030000"}, {77, "03 01 01"}, {80, "04 FA00 7800 0000 00 00 01"}}),
      entryHex(
          {{16, "17 00 00 0000E81F 01 FF 12"}, {77, "03 01"}, {80, "18 00 00 0000E81F 01 12"}}),
  };
  for (auto e : entries) {
    const auto before = e;
    EXPECT_FALSE(applyRules(e).any());
    EXPECT_EQ(e, before);
  }
}

struct FlagCase {
  const char* what;
  EntryData entry;
  Flags expected;
};

TEST(ConsistencyRules, ForcedFlagsByEventType) {
  const FlagCase cases[] = {
      {"key, long press keeps once", eventEntry(1, "03 01", 2, 1, 1, 5), {2, 1, 1, 5}},
      {"key, short press drops once", eventEntry(1, "03 01", 1, 1, 1, 5), {1, 0, 1, 5}},
      {"key on the encoder", eventEntry(1, "01 04", 1, 0, 1, 5), {3, 1, 1, 5}},
      {"key, only a modifier", eventEntry(1, "00 00 02 01", 2, 1, 1, 5), {3, 0, 1, 5}},
      {"key, nothing set", eventEntry(1, "", 2, 1, 1, 5), {0, 0, 0, 5}},
      {"IR with a code", eventEntry(2, "01 2A 3412", 2, 1, 1, 5), {2, 1, 1, 5}},
      {"IR without a code", eventEntry(2, "", 2, 1, 1, 5), {0, 0, 0, 0}},
      {"source", eventEntry(3, "", 1, 1, 1, 5), {3, 0, 0, 5}},
      {"timeout", eventEntry(4, "", 0, 0, 1, 5), {0, 1, 1, 5}},
      {"BMW IBUS", eventEntry(5, "03", 2, 0, 1, 5), {3, 1, 0, 5}},
      {"intercept", eventEntry(6, "01", 1, 0, 1, 5), {3, 1, 0, 5}},
      {"voltage", eventEntry(7, "01", 1, 0, 1, 5), {3, 1, 1, 5}},
      {"USB", eventEntry(8, "01", 2, 0, 1, 5), {3, 1, 0, 0}},
      {"NAVI", eventEntry(10, "00", 1, 0, 1, 5), {3, 1, 0, 0}},
      {"gestures", eventEntry(11, "04 02", 1, 0, 1, 5), {3, 1, 0, 5}},
      {"GaNet", eventEntry(13, "10", 2, 0, 1, 5), {3, 1, 0, 5}},
      {"MercedesJOY", eventEntry(14, "01", 1, 0, 1, 5), {3, 1, 0, 5}},
      {"serial", eventEntry(15, "41", 1, 0, 1, 5), {3, 1, 0, 5}},
      {"pins", eventEntry(16, "01 01", 2, 0, 1, 5), {3, 1, 0, 5}},
      {"Bluetooth", eventEntry(19, "01", 1, 0, 1, 5), {3, 1, 0, 0}},
      {"UART", eventEntry(20, "41", 2, 0, 1, 5), {3, 1, 0, 5}},
      {"Renault CAN Joy", eventEntry(22, "02", 0, 0, 1, 5), {0, 1, 0, 5}},
      {"SW CAN", eventEntry(23, "02", 1, 0, 1, 5), {3, 1, 0, 5}},
      {"VAR", eventEntry(25, "01", 1, 0, 1, 5), {1, 1, 1, 5}},
      {"IEBUS 101 short", eventEntry(9, "65", 1, 1, 1, 5), {1, 0, 0, 5}},
      {"IEBUS 108 long", eventEntry(9, "6C", 2, 1, 1, 5), {2, 1, 0, 5}},
      {"IEBUS 50 short", eventEntry(9, "32", 1, 0, 1, 5), {3, 1, 0, 5}},
      {"IEBUS 109 disabled", eventEntry(9, "6D", 0, 1, 1, 5), {0, 0, 0, 5}},
      {"iDrive 13", eventEntry(12, "0D", 1, 0, 1, 5), {3, 1, 0, 5}},
      {"iDrive 26", eventEntry(12, "1A", 2, 0, 1, 5), {3, 1, 0, 5}},
      {"iDrive 21 short", eventEntry(12, "15", 1, 0, 1, 5), {1, 1, 0, 5}},
      {"iDrive 21 long", eventEntry(12, "15", 2, 0, 1, 5), {2, 0, 0, 5}},
      {"ACURA 2", eventEntry(17, "02", 2, 0, 1, 5), {2, 1, 0, 5}},
      {"ACURA 3 short", eventEntry(17, "03", 1, 0, 1, 5), {1, 1, 0, 5}},
      {"ACURA 3 long", eventEntry(17, "03", 2, 0, 1, 5), {2, 0, 0, 5}},
      {"LIN 21", eventEntry(18, "15", 2, 0, 1, 5), {2, 1, 0, 5}},
      {"LIN 90", eventEntry(18, "5A", 3, 0, 1, 5), {3, 1, 0, 5}},
      {"LIN 88 long", eventEntry(18, "58", 2, 0, 1, 5), {2, 0, 0, 5}},
      {"LIN 0 short", eventEntry(18, "00", 1, 0, 1, 5), {1, 1, 0, 5}},
      {"AUDI MMI 15", eventEntry(21, "0F", 2, 0, 1, 5), {1, 1, 0, 5}},
      {"AUDI MMI 38", eventEntry(21, "26", 3, 0, 1, 5), {1, 1, 0, 5}},
      {"AUDI MMI 36 long", eventEntry(21, "24", 2, 1, 1, 5), {2, 1, 0, 5}},
      {"AUDI MMI 36 short", eventEntry(21, "24", 1, 1, 1, 5), {1, 0, 0, 5}},
      {"Mercedes Ctrl 7", eventEntry(24, "07", 1, 0, 1, 5), {3, 1, 0, 5}},
      {"Mercedes Ctrl 32", eventEntry(24, "20", 2, 0, 1, 5), {3, 1, 0, 5}},
      {"Mercedes Ctrl 12 short", eventEntry(24, "0C", 1, 0, 1, 5), {1, 1, 0, 5}},
      {"Mercedes Ctrl 12 long", eventEntry(24, "0C", 2, 0, 1, 5), {2, 0, 0, 5}},
      {"Panel Honda short", eventEntry(26, "05", 1, 0, 1, 5), {1, 1, 0, 5}},
      {"Panel Honda long", eventEntry(26, "05", 2, 0, 1, 5), {2, 0, 0, 5}},
  };
  for (auto c : cases) {
    applyRules(c.entry);
    EXPECT_EQ(flagsOf(c.entry), c.expected) << c.what;
  }
}

// Which press kinds survive as "short" and which become "any", position by position.
TEST(ConsistencyRules, PressKindNormalisationLists) {
  const std::set<unsigned> alwaysAny{3, 4, 5, 6, 7, 8, 10, 11, 13, 14, 15, 16, 19, 20, 23};
  const std::set<unsigned> keepsShort{17, 18, 21, 22, 25, 26};
  for (unsigned type : alwaysAny) {
    auto e = eventEntry(static_cast<std::uint8_t>(type), "01", 1, 0, 0, 0);
    applyRules(e);
    EXPECT_EQ(e[77], 3) << "type " << type;
  }
  for (unsigned type : keepsShort) {
    auto e = eventEntry(static_cast<std::uint8_t>(type), "00", 1, 0, 0, 0);
    applyRules(e);
    EXPECT_EQ(e[77], 1) << "type " << type;
  }

  auto anyAt = [](std::uint8_t type, std::size_t count) {
    std::set<unsigned> positions;
    for (unsigned p = 0; p < count; ++p) {
      auto e = eventEntry(type, hexOf(static_cast<std::uint8_t>(p)), 1, 0, 0, 0);
      applyRules(e);
      if (e[77] == 3) {
        positions.insert(p);
      }
    }
    return positions;
  };
  std::set<unsigned> iebus;
  for (unsigned p = 0; p < 111; ++p) {
    if (p < 101 || p > 108) {
      iebus.insert(p);
    }
  }
  EXPECT_EQ(anyAt(9, 111), iebus);
  EXPECT_EQ(anyAt(12, 27), (std::set<unsigned>{13, 14, 15, 16, 17, 18, 19, 20, 23, 24, 25, 26}));
  EXPECT_EQ(anyAt(24, 33), (std::set<unsigned>{7, 8, 9, 10, 11, 23, 24, 31, 32}));
}

TEST(ConsistencyRules, BottomRowValuesOutsideTheirRange) {
  // An unknown press kind counts as "any", flags are 0 or 1, and 255 means any source.
  auto e = eventEntry(1, "03 01", 9, 2, 7, 0xFF);
  const Repairs r = applyRules(e);
  EXPECT_EQ(flagsOf(e), (Flags{3, 1, 1, 0}));
  EXPECT_TRUE(r.has(Repair::PressKind));
  EXPECT_TRUE(r.has(Repair::SourceMask));
}

TEST(ConsistencyRules, IrEventWithoutValidProtocolLosesCodeAndReaction) {
  for (std::uint8_t protocol : std::initializer_list<std::uint8_t>{0, 4, 8, 15, 16, 255}) {
    auto e = entryHex({{0, "4952"},
                       {16, "02 05 " + hexOf(protocol) + " 2A 3412"},
                       {77, "03 01 01"},
                       {80, "01 07 00 04"}});
    const Repairs r = applyRules(e);
    EXPECT_TRUE(r.has(Repair::MissingIrCode)) << int{protocol};
    EXPECT_EQ(e, entryHex({{0, "4952"}, {16, "02"}})) << int{protocol};
  }
  for (std::uint8_t protocol : std::initializer_list<std::uint8_t>{1, 3, 9, 11, 14}) {
    auto e = entryHex({{16, "02 00 " + hexOf(protocol) + " 2A"}, {77, "03"}, {80, "09 01"}});
    const auto before = e;
    EXPECT_FALSE(applyRules(e).any()) << int{protocol};
    EXPECT_EQ(e, before);
  }
}

TEST(ConsistencyRules, EncoderKeyOutsideOneToFourIsDropped) {
  auto e = eventEntry(1, "05 04 02 01", 1, 0, 1, 0);
  const Repairs r = applyRules(e);
  EXPECT_TRUE(r.has(Repair::EncoderKey));
  EXPECT_EQ(get(cbytes(e), event::key::kNumber), 0);
  EXPECT_EQ(get(cbytes(e), event::key::kChannel), 0);
  // The modifier stays, and now decides the flags.
  EXPECT_EQ(get(cbytes(e), event::key::kModifierNumber), 2);
  EXPECT_EQ(flagsOf(e), (Flags{3, 0, 1, 0}));

  auto valid = eventEntry(1, "04 04", 3, 1, 0, 0);
  EXPECT_FALSE(applyRules(valid).any());
}

TEST(ConsistencyRules, ControlVoltagesClampedForSetAndAssignOnly) {
  namespace control = reaction::control;
  // Channel 1 spans 250..400; channel 2 spans 10..120 (the limit below the default).
  auto e = entryHex({{80, "04 F401 0000 0000 00 00 04 00"}});
  EXPECT_TRUE(applyRules(e).has(Repair::AnalogVoltage));
  EXPECT_EQ(get(cbytes(e), control::kChannel1.voltage), 400);
  EXPECT_EQ(get(cbytes(e), control::kChannel2.voltage), 10);

  auto stepping = entryHex({{80, "04 F401 0000 0000 02 00 03 00"}});
  EXPECT_FALSE(applyRules(stepping).any());

  auto inside = entryHex({{80, "04 2C01 3200 0000 04 00 00 00"}});
  EXPECT_FALSE(applyRules(inside).any());

  auto unset = entryHex({{80, "04 F401 F401"}});
  applyRules(unset, EntryContext{});
  EXPECT_EQ(get(cbytes(unset), control::kChannel1.voltage), 0);
  EXPECT_EQ(get(cbytes(unset), control::kChannel2.voltage), 0);
}

TEST(ConsistencyRules, PinWithoutPinHasNoModeOrTime) {
  auto e = entryHex({{80, "03 00 02 3075"}});
  EXPECT_TRUE(applyRules(e).has(Repair::PinReaction));
  EXPECT_EQ(e, entryHex({{80, "03"}}));
  auto set = entryHex({{80, "03 02 02 3075"}});
  EXPECT_FALSE(applyRules(set).any());
}

TEST(ConsistencyRules, SourceChoiceDecidesSkipMaskAndSaveFlag) {
  struct Case {
    std::uint8_t choice;
    std::uint8_t skip;
    std::uint8_t save;
  };
  const Case cases[] = {{0, 0x81, 0}, {9, 0x81, 0}, {10, 0, 0}, {1, 0, 1}, {8, 0, 1}};
  for (const auto& c : cases) {
    auto e = entryHex({{80, "05 " + hexOf(c.choice) + " 81 01"}});
    applyRules(e);
    EXPECT_EQ(get(cbytes(e), reaction::source::kSkipMask), c.skip) << int{c.choice};
    EXPECT_EQ(get(cbytes(e), reaction::source::kSaveBeforeChange), c.save) << int{c.choice};
  }
}

TEST(ConsistencyRules, AmplifierParameterAndPositionStayInTheirLists) {
  struct Case {
    const char* hex;
    std::uint8_t parameter;
    std::uint8_t position;
  };
  const Case cases[] = {
      {"08 00 43", 0, 67}, {"08 00 44", 0, 0}, {"08 01 10", 1, 16}, {"08 02 11", 2, 0},
      {"08 05 0C", 5, 12}, {"08 03 0D", 3, 0}, {"08 06 02", 6, 2},  {"08 06 03", 6, 0},
      {"08 07 05", 0, 5},  {"08 FF 50", 0, 0},
  };
  for (const auto& c : cases) {
    auto e = entryHex({{80, c.hex}});
    applyRules(e);
    EXPECT_EQ(get(cbytes(e), reaction::amplifier::kParameter), c.parameter) << c.hex;
    EXPECT_EQ(get(cbytes(e), reaction::amplifier::kPosition), c.position) << c.hex;
  }
}

TEST(ConsistencyRules, SteeringCanKeepsOnlyWhatItsTypeUses) {
  auto user = entryHex({{80, "18 05 00 0000E81F 01 12"}});
  EXPECT_TRUE(applyRules(user).has(Repair::SteeringCanReaction));
  EXPECT_EQ(user, entryHex({{80, "18 00 00 0000E81F 01 12"}}));

  auto display = entryHex({{80, "18 07 0D 41"}, {119, "E803 03"}});
  applyRules(display);
  EXPECT_EQ(display, entryHex({{80, "18 00 0D 41"}, {119, "E803 03"}}));

  auto command = entryHex({{80, "18 03 03 0000E81F 01"}, {121, "01"}});
  applyRules(command);
  EXPECT_EQ(command, entryHex({{80, "18 03 03"}}));
}

TEST(ConsistencyRules, UnusedSettingsOfVariablesAndOtherReactions) {
  auto varEvent = eventEntry(25, "00 01 0F 02 80 E8030000", 0, 1, 0, 0);
  EXPECT_TRUE(applyRules(varEvent).has(Repair::VarEvent));
  EXPECT_EQ(varEvent, eventEntry(25, "", 0, 1, 0, 0));
  auto varOps = eventEntry(25, "02 00 0F 00 80 E8030000", 0, 1, 0, 0);
  applyRules(varOps);
  EXPECT_EQ(varOps, eventEntry(25, "02 00 00 00 00 E8030000", 0, 1, 0, 0));

  auto varReaction = entryHex({{80, "1D 00 03 07"}});
  EXPECT_TRUE(applyRules(varReaction).has(Repair::VarReaction));
  EXPECT_EQ(varReaction, entryHex({{80, "1D"}}));
  auto noOperation = entryHex({{80, "1D 02 00 07"}});
  applyRules(noOperation);
  EXPECT_EQ(noOperation, entryHex({{80, "1D 02"}}));

  auto forbid = entryHex({{80, "07 01 00"}});
  EXPECT_TRUE(applyRules(forbid).has(Repair::EventManageTarget));
  EXPECT_EQ(get(cbytes(forbid), reaction::event_manage::kTarget), 1);
  auto issuePowerOn = entryHex({{80, "07 00 00"}});
  EXPECT_FALSE(applyRules(issuePowerOn).any());

  auto ganet = entryHex({{80, "19 03 CDAB"}});
  applyRules(ganet);
  EXPECT_EQ(ganet, entryHex({{80, "19 03"}}));

  auto dsp = entryHex({{80, "14 04 05 F401"}});
  applyRules(dsp);
  EXPECT_EQ(dsp, entryHex({{80, "14 04 05"}}));
  auto dspStepping = entryHex({{80, "14 06 05 F401"}});
  EXPECT_FALSE(applyRules(dspStepping).any());
}

TEST(ConsistencyRules, NameWithEmptyFirstByteIsCleared) {
  auto e = entryHex({{1, "41 42"}});
  EXPECT_TRUE(applyRules(e).has(Repair::EntryName));
  EXPECT_TRUE(isEmpty(cbytes(e)));
}

// Entries from anywhere: random bytes, with type bytes biased towards the known codes so every
// rule gets exercised.
TEST(ConsistencyRules, SecondApplicationChangesNothing) {
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> small(0, 12);
  for (int round = 0; round < 20000; ++round) {
    EntryData e{};
    for (auto& b : e) {
      b = static_cast<std::uint8_t>(round % 3 == 0 ? small(random) : byte(random));
    }
    if (round % 4 != 0) {
      e[16] = static_cast<std::uint8_t>(byte(random) % 28);
      e[80] = static_cast<std::uint8_t>(byte(random) % 32);
    }
    if (round % 5 == 0) {
      e[77] = static_cast<std::uint8_t>(byte(random) % 4);
    }
    const EntryContext context{
        static_cast<std::uint16_t>(byte(random) * 2), static_cast<std::uint16_t>(byte(random) * 2),
        static_cast<std::uint16_t>(byte(random)), static_cast<std::uint16_t>(byte(random))};
    applyRules(e, context);
    const auto once = e;
    const Repairs second = applyRules(e, context);
    ASSERT_FALSE(second.any()) << "round " << round << " bits " << second.bits();
    ASSERT_EQ(e, once) << "round " << round;
  }
}

}  // namespace
}  // namespace kivprism::events

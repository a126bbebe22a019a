// The list positions at which a protocol event fixes its once flag, every position of every list
// tried, with a long press (where the rule alone decides) and a short press.
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>

#include "core/config/image_layout.hpp"
#include "core/editor/event_rules.hpp"
#include "core/events/entry_types.hpp"
#include "core/keys/key_rules.hpp"
#include "editor_fixture.hpp"

namespace kivprism::editor {
namespace {

using events::EventType;

struct PinnedPositions {
  EventType type;
  std::set<unsigned> pinned;  // once box disabled with a long press
  bool shortPins;             // a short press pins it at every position
};

std::set<unsigned> spans(std::initializer_list<std::pair<unsigned, unsigned>> list) {
  std::set<unsigned> out;
  for (auto [first, last] : list) {
    for (unsigned p = first; p <= last; ++p) {
      out.insert(p);
    }
  }
  return out;
}

EventBoxes boxesOf(EventType type, unsigned position, unsigned press) {
  events::EntryData e{};
  const events::EntryBytes bytes(e);
  events::set(bytes, events::entry::kEventType, static_cast<std::uint8_t>(type));
  events::set(bytes, events::event::kListPosition, static_cast<std::uint8_t>(position));
  events::set(bytes, events::entry::kPressKind, static_cast<std::uint8_t>(press));
  events::set(bytes, events::entry::kOnceFlag, 1);
  return eventBoxes(events::ConstEntryBytes(e));
}

TEST(EventOncePositions, EveryPositionOfEveryList) {
  const PinnedPositions cases[] = {
      {EventType::IDrive, spans({{13, 20}, {23, 26}}), true},
      {EventType::AcuraJoy, spans({{1, 2}}), true},
      {EventType::Lin, spans({{21, 24}, {37, 38}, {53, 54}, {86, 87}, {89, 90}}), true},
      {EventType::AudiMmi, spans({{15, 18}, {34, 35}, {37, 38}}), false},
      {EventType::MercedesCtrl, spans({{7, 11}, {23, 24}, {31, 32}}), true},
      {EventType::PanelHonda, {}, true},
  };
  const auto longPress = static_cast<unsigned>(events::PressKind::Long);
  const auto shortPress = static_cast<unsigned>(events::PressKind::Short);
  for (const auto& c : cases) {
    const std::size_t size = events::eventListSize(c.type);
    for (unsigned p = 0; p < size; ++p) {
      EXPECT_EQ(boxesOf(c.type, p, longPress).once, c.pinned.count(p) == 0)
          << static_cast<int>(c.type) << " at " << p;
      // A short press never leaves the once box to the user.
      EXPECT_FALSE(boxesOf(c.type, p, shortPress).once) << static_cast<int>(c.type) << " at " << p;
    }
  }
  // IEBUS: only 101..108 leave once to the user, and only with a long or any press.
  for (unsigned p = 0; p < 111; ++p) {
    const bool free = p >= 101 && p <= 108;
    EXPECT_EQ(boxesOf(EventType::Iebus, p, longPress).once, free) << p;
    EXPECT_FALSE(boxesOf(EventType::Iebus, p, 0).once) << p;
  }
}

TEST(EventOncePositions, WakeUpAndSourceMaskByType) {
  const auto any = static_cast<unsigned>(events::PressKind::Any);
  for (unsigned t = 2; t < events::kEventTypeCount; ++t) {
    const auto type = static_cast<EventType>(t);
    const EventBoxes b = boxesOf(type, 0, any);
    const bool wakeFree =
        type == EventType::Timeout || type == EventType::Voltage || type == EventType::Var;
    const bool anySource =
        type == EventType::Usb || type == EventType::Navi || type == EventType::Bluetooth;
    if (type == EventType::IrCode) {
      EXPECT_FALSE(b.pressKind);  // no code stored
      continue;
    }
    EXPECT_TRUE(b.pressKind) << t;
    EXPECT_EQ(b.wakeUp, wakeFree) << t;
    EXPECT_EQ(b.sourceMask, !anySource) << t;
    EXPECT_EQ(b.sourceMaskAny, anySource) << t;
  }
}

TEST(EventTexts, LastKeyOfTheLastChannelAndUnknownOperations) {
  config::ConfigImage image;
  image.set(config::layout::keyLevel(3, 14), 900);
  keys::storeTypedLabel(image, 3, 15, "Mute");
  EXPECT_EQ(keyPanelText(image, {15, 3}, false), "Mute");
  EXPECT_EQ(keyPanelText(image, {15, 3}, true), "Mute");
  EXPECT_EQ(keyPanelText(image, {16, 3}, false), "4.[16] ?");
  EXPECT_EQ(keyPanelText(image, {1, 5}, false), "6.[1] ?");
  EXPECT_EQ(keyPanelText(image, {}, false), "");
  EXPECT_EQ(varLogicText(3), "XOR");
  EXPECT_EQ(varLogicText(4), "?");
  EXPECT_EQ(varComparisonText(4), ">");
  EXPECT_EQ(varComparisonText(5), "?");
  EXPECT_EQ(varComparisonText(255), "?");
  EXPECT_EQ(hexByteText(0xAB), "xAB");
  EXPECT_EQ(sourceMaskItemText(0xFF, lang::Language::English), " 1 2 3 4 5 6 7 8");
}

}  // namespace
}  // namespace kivprism::editor

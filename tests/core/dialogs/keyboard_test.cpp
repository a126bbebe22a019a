#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/config/image_layout.hpp"
#include "core/dialogs/keyboard.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_types.hpp"
#include "core/lang/dialog_rows.hpp"

namespace kivprism::dialogs {
namespace {

namespace usb = events::reaction::usb_key;
using events::entry::kReactionType;

constexpr std::uint8_t kUsbKey = 1;
constexpr KeyControl kA{KeyKind::Key, 4};
constexpr KeyControl kB{KeyKind::Key, 5};
constexpr KeyControl kC{KeyKind::Key, 6};
constexpr KeyControl kLeftCtrl{KeyKind::Modifier, 0};
constexpr KeyControl kRightShift{KeyKind::Modifier, 5};
constexpr KeyControl kSleep{KeyKind::SystemControl, 1};
constexpr KeyControl kWakeUp{KeyKind::SystemControl, 2};
constexpr KeyControl kVolumeUp{KeyKind::Consumer, 0x00E9};
constexpr KeyControl kMute{KeyKind::Consumer, 0x00E2};

class Reaction : public ::testing::Test {
 protected:
  events::EntryBytes e() { return data; }
  unsigned page() { return events::get(e(), usb::kUsagePage); }
  unsigned k1() { return events::get(e(), usb::kFirstKey); }
  unsigned k2() { return events::get(e(), usb::kSecondKey); }
  unsigned modifiers() { return events::get(e(), usb::kModifiers); }
  unsigned holdMs() { return events::get(e(), usb::kHoldMs); }
  void click(std::initializer_list<KeyControl> controls) {
    for (const auto c : controls) {
      clickKeyControl(e(), c);
    }
  }
  std::string described() { return describeKeyboardReaction(e()); }
  // A USB key reaction on a page, with a hold time and the event part filled in.
  void usbKeyOn(std::uint8_t page, std::uint16_t consumerOrKeys) {
    events::set(e(), kReactionType, kUsbKey);
    events::set(e(), usb::kUsagePage, page);
    events::set(e(), usb::kConsumerUsage, consumerOrKeys);
    events::set(e(), usb::kHoldMs, 250);
    events::set(e(), events::entry::kEventType, 1);
  }

  events::EntryData data{};
};

TEST(KeyboardLayout, HasEveryKeyboardUsageOnceAndTheEightModifiers) {
  std::set<unsigned> keys;
  std::set<unsigned> modifiers;
  for (const auto& p : keyboardPanels()) {
    auto& set = p.control.kind == KeyKind::Key ? keys : modifiers;
    EXPECT_TRUE(set.insert(p.control.number).second) << keyControlName(p.control);
    EXPECT_FALSE(p.caption.empty());
  }
  std::set<unsigned> expected;
  for (unsigned u = 4; u <= 101; ++u) {
    if (u != 50 && u != 100) {
      expected.insert(u);
    }
  }
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(keys.size(), kKeyPanelCount);
  EXPECT_EQ(modifiers, (std::set<unsigned>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(KeyboardLayout, PanelsOfARowDoNotOverlapAndTheMainBlockRowsEndTogether) {
  std::array<int, 6> mainEnd{};
  for (int row = 0; row < 6; ++row) {
    std::vector<KeyPanel> inRow;
    for (const auto& p : keyboardPanels()) {
      if (p.row == row) {
        inRow.push_back(p);
      }
    }
    std::sort(inRow.begin(), inRow.end(), [](auto& a, auto& b) { return a.x < b.x; });
    for (std::size_t i = 1; i < inRow.size(); ++i) {
      EXPECT_GE(inRow[i].x, inRow[i - 1].x + inRow[i - 1].width)
          << keyControlName(inRow[i].control);
    }
    for (const auto& p : inRow) {
      if (p.x < 480) {
        mainEnd[static_cast<std::size_t>(row)] =
            std::max(mainEnd[static_cast<std::size_t>(row)], p.x + p.width);
      }
    }
  }
  for (const int end : mainEnd) {
    EXPECT_EQ(end, mainEnd[0]);
  }
  // The navigation keys stand as far from the main block as the keypad from them.
  const auto* backspace = findKeyPanel({KeyKind::Key, 42});
  const auto* insert = findKeyPanel({KeyKind::Key, 73});
  const auto* pageUp = findKeyPanel({KeyKind::Key, 75});
  const auto* numLock = findKeyPanel({KeyKind::Key, 83});
  EXPECT_EQ(insert->x - (backspace->x + backspace->width),
            numLock->x - (pageUp->x + pageUp->width));
  EXPECT_EQ(findKeyPanel({KeyKind::Key, 44})->width, 154);
  EXPECT_EQ(findKeyPanel({KeyKind::Key, 44})->caption, "____");
  EXPECT_EQ(findKeyPanel({KeyKind::Modifier, 5})->row, 4);
  EXPECT_EQ(findKeyPanel({KeyKind::Key, 100}), nullptr);
}

TEST(KeyboardLayout, ConsumerKeysAreSortedAndTheFormRowShowsEachOnce) {
  const auto keys = consumerKeys();
  EXPECT_TRUE(
      std::is_sorted(keys.begin(), keys.end(), [](auto& a, auto& b) { return a.usage < b.usage; }));
  std::vector<std::uint16_t> row(consumerKeyRow().begin(), consumerKeyRow().end());
  std::sort(row.begin(), row.end());
  std::vector<std::uint16_t> usages;
  for (const auto& k : keys) {
    usages.push_back(k.usage);
  }
  EXPECT_EQ(row, usages);
  EXPECT_EQ(consumerKeyRow().front(), 0x00E9);
  EXPECT_EQ(findConsumerKey(0x00CD)->name, "PLAY/PAUSE");
  EXPECT_EQ(findConsumerKey(0x00CC), nullptr);
  EXPECT_EQ(systemControlCaption(7), "Menu Exit");
  EXPECT_EQ(systemControlCaption(8), "");
}

TEST(KeyboardNames, ClickedComponentNamesGiveKindAndNumber) {
  EXPECT_EQ(keyControlFromName("PanelKey59x"), (KeyControl{KeyKind::Key, 59}));
  EXPECT_EQ(keyControlFromName("PanelMod7x"), (KeyControl{KeyKind::Modifier, 7}));
  EXPECT_EQ(keyControlFromName("SpeedButtonMMKey00E9x"), kVolumeUp);
  EXPECT_EQ(keyControlFromName("SpeedButtonMMKey0224x"), (KeyControl{KeyKind::Consumer, 0x224}));
  EXPECT_EQ(keyControlFromName("SystemControl1x"), kSleep);
  EXPECT_EQ(keyControlFromName("PanelMod8x"), std::nullopt);
  EXPECT_EQ(keyControlFromName("SystemControl8x"), std::nullopt);
  EXPECT_EQ(keyControlFromName("PanelKey255x"), (KeyControl{KeyKind::Key, 255}));
  EXPECT_EQ(keyControlFromName("PanelKey256x"), std::nullopt);
  EXPECT_EQ(keyControlFromName("PanelKeyx"), std::nullopt);
  EXPECT_EQ(keyControlFromName("EditKEY1"), std::nullopt);
  for (const auto& p : keyboardPanels()) {
    EXPECT_EQ(keyControlFromName(keyControlName(p.control)), p.control);
  }
  for (const auto& k : consumerKeys()) {
    const KeyControl c{KeyKind::Consumer, k.usage};
    EXPECT_EQ(keyControlFromName(keyControlName(c)), c);
  }
  EXPECT_EQ(keyControlName(kVolumeUp), "SpeedButtonMMKey00E9x");
  EXPECT_EQ(keyControlName(kWakeUp), "SystemControl2x");
}

TEST_F(Reaction, ThirdKeyPushesOutTheOlderOne) {
  click({kA, kB, kC});
  EXPECT_EQ(events::get(e(), kReactionType), kUsbKey);
  EXPECT_EQ(page(), 7u);
  EXPECT_EQ(k1(), 5u);
  EXPECT_EQ(k2(), 6u);
}

TEST_F(Reaction, KeysSwitchOffByASecondClick) {
  click({kA, kA});
  EXPECT_EQ(k1(), 0u);
  EXPECT_EQ(page(), 0u);
  click({kA, kB, kA});
  EXPECT_EQ(k1(), 5u);
  EXPECT_EQ(k2(), 0u);
  click({kC, kC});  // the second key off
  EXPECT_EQ(k1(), 5u);
  EXPECT_EQ(k2(), 0u);
  EXPECT_EQ(page(), 7u);
  // With a modifier held the page stays when the last key goes.
  click({kLeftCtrl, kB});
  EXPECT_EQ(k1(), 0u);
  EXPECT_EQ(modifiers(), 1u);
  EXPECT_EQ(page(), 7u);
}

TEST_F(Reaction, ModifiersToggleAndKeepThePage) {
  click({kLeftCtrl, kRightShift});
  EXPECT_EQ(modifiers(), 0x21u);
  click({kLeftCtrl, kRightShift});
  EXPECT_EQ(modifiers(), 0u);
  EXPECT_EQ(page(), 7u);
}

TEST_F(Reaction, ChoosingAnotherPageClearsTheWholeReactionButNotTheEvent) {
  usbKeyOn(12, 0x00E9);
  click({kLeftCtrl});
  EXPECT_EQ(page(), 7u);
  EXPECT_EQ(modifiers(), 1u);
  EXPECT_EQ(k1(), 0u);
  EXPECT_EQ(holdMs(), 0u);
  EXPECT_EQ(described(), "lCtrl");
  EXPECT_EQ(events::get(e(), events::entry::kEventType), 1u);
  // Another reaction type: every byte of the reaction part goes.
  events::set(e(), kReactionType, 3);
  std::fill(data.begin() + 81, data.end(), std::uint8_t{0x5A});
  click({kSleep});
  EXPECT_EQ(events::get(e(), kReactionType), kUsbKey);
  EXPECT_EQ(page(), 1u);
  EXPECT_EQ(events::get(e(), usb::kSystemControlMask), 2u);
  EXPECT_TRUE(std::all_of(data.begin() + 84, data.end(), [](auto b) { return b == 0; }));
}

TEST_F(Reaction, TheSamePageAndNothingChosenKeepTheHoldTime) {
  usbKeyOn(7, 0);
  click({kA, kB});
  EXPECT_EQ(holdMs(), 250u);
  click({kB, kA});  // page 0 now
  EXPECT_EQ(page(), 0u);
  click({kMute});
  EXPECT_EQ(page(), 12u);
  EXPECT_EQ(holdMs(), 250u);
  // Leftovers of a page-0 reaction do not become keys.
  events::set(e(), usb::kUsagePage, 0);
  events::set(e(), usb::kModifiers, 0x80);
  click({kA});
  EXPECT_EQ(modifiers(), 0u);
  EXPECT_EQ(k1(), 4u);
  EXPECT_EQ(k2(), 0u);
}

TEST_F(Reaction, ConsumerKeysToggleAndReplaceEachOther) {
  click({kVolumeUp});
  EXPECT_EQ(page(), 12u);
  EXPECT_EQ(events::get(e(), usb::kConsumerUsage), 0x00E9u);
  click({kMute});
  EXPECT_EQ(events::get(e(), usb::kConsumerUsage), 0x00E2u);
  click({kMute});
  EXPECT_EQ(page(), 0u);
  EXPECT_EQ(events::get(e(), usb::kConsumerUsage), 0u);
}

TEST_F(Reaction, OnlyOneSystemControlKey) {
  click({kSleep, kWakeUp});
  EXPECT_EQ(events::get(e(), usb::kSystemControlMask), 4u);
  click({kWakeUp});
  EXPECT_EQ(page(), 0u);
  EXPECT_EQ(events::get(e(), usb::kSystemControlMask), 0u);
  click({kSleep, kSleep});
  EXPECT_EQ(page(), 0u);
  EXPECT_EQ(events::get(e(), usb::kSystemControlMask), 0u);
  // A mask with more bits (from a file) counts as another choice, not as the same key.
  events::set(e(), usb::kUsagePage, 1);
  events::set(e(), usb::kSystemControlMask, 0x06);
  events::set(e(), usb::kSecondKey, 9);
  click({kSleep});
  EXPECT_EQ(events::get(e(), usb::kSystemControlMask), 2u);
  events::set(e(), usb::kSystemControlMask, 0x02);
  click({kSleep});
  EXPECT_EQ(events::get(e(), usb::kSecondKey), 0u);
}

TEST(KeyboardCodes, TypedCodesAreReadAndClamped) {
  EXPECT_EQ(parseKeyCode("x1F", 255), 31u);
  EXPECT_EQ(parseKeyCode("X1f", 255), 31u);
  EXPECT_EQ(parseKeyCode("300", 255), 255u);
  EXPECT_EQ(parseKeyCode("abc", 255), 0u);
  EXPECT_EQ(parseKeyCode("12abc", 255), 12u);
  EXPECT_EQ(parseKeyCode(" 7", 255), 7u);
  EXPECT_EQ(parseKeyCode("x", 255), 0u);
  EXPECT_EQ(parseKeyCode("", 255), 0u);
  EXPECT_EQ(parseKeyCode("-5", 255), 0u);
  EXPECT_EQ(parseKeyCode("xFFFFFFFFFFFFFFFFFFFF", 0xFFFF), 0xFFFFu);
  EXPECT_EQ(parseKeyCode("99999999999999999999999", 0xFFFF), 0xFFFFu);
  EXPECT_EQ(parseKeyCode("x1234", 0xFFFF), 0x1234u);
  EXPECT_EQ(parseKeyCode("xG", 255), 0u);
  EXPECT_EQ(parseKeyCode("xa", 255), 10u);
  EXPECT_EQ(parseKeyCode("xAf", 255), 0xAFu);
  EXPECT_EQ(parseKeyCode("x9g", 255), 9u);
  EXPECT_EQ(parseKeyCode("256", 256), 256u);
}

TEST_F(Reaction, EnterInTheCodeFieldsStores) {
  enterKeyCode(e(), KeyCodeField::Key2, "x1F");
  EXPECT_EQ(page(), 7u);
  EXPECT_EQ(k2(), 31u);
  enterKeyCode(e(), KeyCodeField::Key1, "300");
  EXPECT_EQ(k1(), 255u);
  EXPECT_EQ(k2(), 31u);
  enterKeyCode(e(), KeyCodeField::Key2, "abc");
  EXPECT_EQ(k2(), 0u);
  enterKeyCode(e(), KeyCodeField::Consumer, "x0223");
  EXPECT_EQ(page(), 12u);
  EXPECT_EQ(events::get(e(), usb::kConsumerUsage), 0x0223u);
  EXPECT_EQ(described(), "ConsumerPage:HOME");
  events::set(e(), usb::kHoldMs, 300);
  enterKeyCode(e(), KeyCodeField::Consumer, "70000");
  EXPECT_EQ(events::get(e(), usb::kConsumerUsage), 0xFFFFu);
  EXPECT_EQ(holdMs(), 300u);
  enterKeyCode(e(), KeyCodeField::Key1, "4");
  EXPECT_EQ(holdMs(), 0u);
  EXPECT_EQ(k1(), 4u);
  EXPECT_EQ(k2(), 0u);
  EXPECT_EQ(keyCodeFieldName(KeyCodeField::Consumer), "EditMMKey");
  EXPECT_EQ(keyCodeFieldName(KeyCodeField::Key2), "EditKEY2");
}

TEST_F(Reaction, ViewShowsOnlyThePageStored) {
  click({kLeftCtrl, kA, kC});
  auto v = deriveKeyboard(e());
  EXPECT_TRUE(v.usbKey);
  EXPECT_TRUE(v.modifierChosen[0]);
  EXPECT_FALSE(v.modifierChosen[1]);
  EXPECT_TRUE(v.keyChosen[4]);
  EXPECT_TRUE(v.keyChosen[6]);
  EXPECT_EQ(std::count(v.keyChosen.begin(), v.keyChosen.end(), true), 2);
  EXPECT_EQ(v.key1, "x04");
  EXPECT_EQ(v.key2, "x06");
  EXPECT_EQ(v.consumer, "x0000");
  EXPECT_EQ(v.consumerDown, 0u);
  click({kVolumeUp});
  v = deriveKeyboard(e());
  EXPECT_EQ(v.consumerDown, 0x00E9u);
  EXPECT_EQ(v.consumer, "x00E9");
  EXPECT_EQ(v.key1, "x00");
  EXPECT_EQ(std::count(v.keyChosen.begin(), v.keyChosen.end(), true), 0);
  EXPECT_EQ(std::count(v.modifierChosen.begin(), v.modifierChosen.end(), true), 0);
  click({kWakeUp});
  v = deriveKeyboard(e());
  EXPECT_EQ(v.systemControlChosen, (std::array<bool, 8>{false, false, true}));
  EXPECT_EQ(v.consumerDown, 0u);
  EXPECT_EQ(v.key2, "x00");
  // Modifiers alone choose no key panel.
  events::set(e(), usb::kUsagePage, 7);
  events::set(e(), usb::kModifiers, 0x10);
  events::set(e(), usb::kFirstKey, 0);
  events::set(e(), usb::kSecondKey, 0);
  v = deriveKeyboard(e());
  EXPECT_EQ(std::count(v.keyChosen.begin(), v.keyChosen.end(), true), 0);
  EXPECT_TRUE(v.modifierChosen[4]);
  // An unknown page and another reaction type show nothing chosen.
  events::set(e(), usb::kUsagePage, 3);
  v = deriveKeyboard(e());
  EXPECT_EQ(std::count(v.systemControlChosen.begin(), v.systemControlChosen.end(), true), 0);
  events::set(e(), kReactionType, 2);
  events::set(e(), usb::kUsagePage, 7);
  v = deriveKeyboard(e());
  EXPECT_FALSE(v.usbKey);
  EXPECT_EQ(std::count(v.keyChosen.begin(), v.keyChosen.end(), true), 0);
  EXPECT_EQ(v.key1, "x00");
}

TEST_F(Reaction, DescriptionsNameTheChosenKeys) {
  click({kRightShift,
         kLeftCtrl,
         {KeyKind::Modifier, 3},
         {KeyKind::Modifier, 6},
         kA,
         {KeyKind::Key, 44}});
  EXPECT_EQ(described(), "lCtrl + lWin + rShift + rAlt + A + ____");
  events::set(e(), usb::kModifiers, 0);
  events::set(e(), usb::kFirstKey, 100);
  events::set(e(), usb::kSecondKey, 100);
  EXPECT_EQ(described(), "KEY1:100 + KEY2:x64");
  events::set(e(), usb::kFirstKey, 0);
  events::set(e(), usb::kSecondKey, 0xF0);
  EXPECT_EQ(described(), "KEY2:xF0");
  click({kMute});
  EXPECT_EQ(described(), "ConsumerPage:MUTE");
  events::set(e(), usb::kConsumerUsage, 0x1234);
  EXPECT_EQ(described(), "ConsumerPage:x1234");
  events::set(e(), usb::kConsumerUsage, 0);
  EXPECT_EQ(described(), "");
  events::set(e(), usb::kUsagePage, 1);
  events::set(e(), usb::kSystemControlMask, 0xC0);
  EXPECT_EQ(described(), "Menu Help");
  events::set(e(), usb::kSystemControlMask, 0x01);
  EXPECT_EQ(described(), "Power Down");
  EXPECT_EQ(keyboardMemoText(e(), lang::Language::English), "  \n  \nPower Down");
  events::set(e(), usb::kUsagePage, 9);
  EXPECT_EQ(keyboardMemoText(e(), lang::Language::English), "  \n  \nNot specified");
  EXPECT_EQ(keyboardMemoText(e(), lang::Language::Russian), "  \n  \nОтсутствует");
  events::set(e(), kReactionType, 2);
  events::set(e(), usb::kUsagePage, 1);
  EXPECT_EQ(described(), "");
  EXPECT_EQ(keyboardMemoText(e(), lang::Language::Russian), std::nullopt);
}

TEST(KeyboardGroupsAndCaption, GroupsFollowTheUsbFunctionMask) {
  config::ConfigImage image;
  EXPECT_FALSE(keyboardGroups(image).any());
  image.set(config::layout::kPidSupport, 0x0071);  // CDC, mouse, touch: no keyboard
  EXPECT_FALSE(keyboardGroups(image).any());
  image.set(config::layout::kPidSupport, 0x0002);
  EXPECT_EQ(keyboardGroups(image), (KeyboardGroups{true, false, false}));
  image.set(config::layout::kPidSupport, 0x0004);
  EXPECT_EQ(keyboardGroups(image), (KeyboardGroups{false, true, false}));
  image.set(config::layout::kPidSupport, 0x0108);
  EXPECT_EQ(keyboardGroups(image), (KeyboardGroups{false, false, true}));
  EXPECT_TRUE(keyboardGroups(image).any());
  EXPECT_EQ(keyboardCaption(1, lang::Language::Russian), "Клавиатура (реакция на событие 1)");
  EXPECT_EQ(keyboardCaption(100, lang::Language::English),
            "Keyboard (Reactions for the event 100)");
}

TEST(KeyboardRows, FiveGroupCaptionsInBothLanguages) {
  const auto rows = lang::keyboardDialogRows();
  ASSERT_EQ(rows.size(), 5u);
  const auto* codes = lang::findLanguageRow("FormKeyBoard_GroupBoxKeyCodes_Caption", rows);
  ASSERT_NE(codes, nullptr);
  EXPECT_EQ(codes->text.ru, " Коды кнопок ");
  EXPECT_EQ(codes->text.en, " Key codes ");
  for (const auto& row : rows) {
    EXPECT_TRUE(row.key.starts_with("FormKeyBoard_GroupBox")) << row.key;
    EXPECT_FALSE(row.text.en.empty());
  }
}

}  // namespace
}  // namespace kivprism::dialogs

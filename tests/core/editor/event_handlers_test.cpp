// The editing actions of the event half: what each stores, in which width, what it refuses, and
// the dialogs it asks for.
#include <gtest/gtest.h>

#include <array>

#include "core/editor/event_handlers.hpp"
#include "editor_fixture.hpp"

namespace kivprism::editor {
namespace {

using config::ConfigImage;
using lang::Language;
using testing::entryHex;
using testing::entryOf;
using testing::place;
using testing::requestOf;
using view::ControlKind;

PaneChange edit(ConfigImage& image, std::string_view control, std::string_view text,
                std::size_t n = 1) {
  view::Change c;
  c.text = text;
  return changeEventControl(image, n, control, ControlKind::Edit, c, Language::Russian);
}
PaneChange pick(ConfigImage& image, std::string_view control, int index, std::size_t n = 1) {
  view::Change c;
  c.index = index;
  return changeEventControl(image, n, control, ControlKind::Combo, c, Language::Russian);
}
PaneChange click(ConfigImage& image, std::string_view control, std::size_t n = 1) {
  return changeEventControl(image, n, control, ControlKind::Widget, {}, Language::Russian);
}
PaneChange tick(ConfigImage& image, std::string_view control, bool on) {
  view::Change c;
  c.checked = on;
  return changeEventControl(image, 1, control, ControlKind::Check, c, Language::Russian);
}

TEST(EventValueEntry, HexAfterXDecimalOtherwise) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "19"}, {18, "01 01"}}));
  auto r = edit(image, "EditEventVARMask", "x1F");
  EXPECT_FALSE(r.change.notice);
  EXPECT_EQ(r.change.after, view::After::Refresh);
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "19"}, {18, "01 01 1F"}}));
  r = edit(image, "EditEventVARMask", "1F");
  ASSERT_TRUE(r.change.notice);
  EXPECT_EQ(r.change.notice->ru, "Введите значение в указанную позицию");
  EXPECT_EQ(r.change.after, view::After::None);
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "19"}, {18, "01 01 1F"}}));
}

TEST(EventValueEntry, RangeMessagesStoreNothing) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "07"}}));
  auto r = edit(image, "EditEventVoltageValue", "18001");
  ASSERT_TRUE(r.change.notice);
  EXPECT_EQ(r.change.notice->en, "The value must be in the range from 0 to 18000");
  r = edit(image, "EditEventVARVal", "x100");
  ASSERT_TRUE(r.change.notice);
  // The hexadecimal range message is the check's own text, with nothing after it.
  EXPECT_EQ(r.change.notice->en, "The value must be in the range from 00 to FF");
  EXPECT_EQ(r.change.notice->ru, "Значение должно находиться в интервале от 00 до FF");
  r = edit(image, "EditEventTimeout", "1000000001");
  ASSERT_TRUE(r.change.notice);
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "07"}}));
}

// A press kind the event cannot tell apart becomes the one the rules allow, and the user is told
// which; a press kind the event can have is stored without a word.
TEST(EventPressKind, AnImpossiblePressKindIsReplacedWithAWord) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "07"}, {77, "03"}}));  // a voltage event, any press
  auto r = pick(image, "ComboBoxEventEvent", 1);        // short
  ASSERT_TRUE(r.change.notice);
  EXPECT_EQ(r.change.notice->kind, view::NoticeKind::Information);
  EXPECT_EQ(r.change.notice->en, "This event cannot have the press \"Short\", \"Any\" is set");
  EXPECT_EQ(r.change.notice->ru,
            "Для этого события нажатие \"Короткое\" невозможно, установлено \"Любое\"");
  normaliseEventEntry(image, 1);  // the refresh repairs the entry
  EXPECT_EQ(entryOf(image, 1)[77], 3);
  EXPECT_FALSE(pick(image, "ComboBoxEventEvent", 0).change.notice);  // disabled: allowed
  EXPECT_EQ(entryOf(image, 1)[77], 0);

  // No item, or one past the list: nothing stored, nothing said.
  for (const int none : {-1, 4}) {
    r = pick(image, "ComboBoxEventEvent", none);
    EXPECT_FALSE(r.change.notice) << none;
    EXPECT_EQ(entryOf(image, 1)[77], 0) << none;
  }

  place(image, 2, entryHex({{16, "1A"}, {77, "03"}}));  // Honda panel: every kind
  for (int kind = 0; kind < 4; ++kind) {
    EXPECT_FALSE(changeEventControl(image, 2, "ComboBoxEventEvent", ControlKind::Combo,
                                    view::Change{.index = kind}, Language::English)
                     .change.notice)
        << kind;
    EXPECT_EQ(entryOf(image, 2)[77], kind);
  }
}

TEST(EventValueEntry, StoringWidthsLittleEndian) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "04"}}));
  EXPECT_FALSE(edit(image, "EditEventTimeout", "1000000000").change.notice);
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "04"}, {19, "00 CA 9A 3B"}}));

  place(image, 2, entryHex({{16, "07"}, {18, "02 01"}}));
  edit(image, "EditEventVoltageValue", "18000", 2);
  edit(image, "EditEventVoltageTO", "x12345678", 2);
  EXPECT_EQ(entryOf(image, 2), entryHex({{16, "07"}, {18, "02 01 50 46 78 56 34 12"}}));

  place(image, 3, entryHex({{16, "10"}, {18, "05 01"}}));
  edit(image, "EditEventPinTO", "65536", 3);
  EXPECT_EQ(entryOf(image, 3), entryHex({{16, "10"}, {18, "05 01 00 00 01 00"}}));

  place(image, 4, entryHex({{16, "19"}, {18, "01 00 00 01"}}));
  edit(image, "EditEventVARVal", "200", 4);
  edit(image, "EditEventVarTO", "x10000", 4);
  EXPECT_EQ(entryOf(image, 4), entryHex({{16, "19"}, {18, "01 00 00 01 C8 00 00 01 00"}}));
}

TEST(EventHandlers, ListPositionsAndTheTimeoutStart) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "04"}}));
  pick(image, "ComboBoxEditEventTimeoutTypex", 100);
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "04"}, {18, "64"}, {77, "03"}}));
  // A press kind already chosen stays.
  place(image, 2, entryHex({{16, "04"}, {77, "02"}}));
  place(image, 2, entryHex({{16, "04"}, {18, "05"}, {77, "02"}}));
  pick(image, "ComboBoxEditEventTimeoutTypex", 0, 2);
  EXPECT_EQ(entryOf(image, 2), entryHex({{16, "04"}, {77, "02"}}));

  place(image, 3, entryHex({{16, "0B"}}));
  pick(image, "ComboBoxEventGestureFrom", 4, 3);
  pick(image, "ComboBoxEventGestureTo", 13, 3);
  EXPECT_EQ(entryOf(image, 3), entryHex({{16, "0B"}, {18, "04 0D"}}));
  // No selection stores nothing.
  pick(image, "ComboBoxEventGestureTo", -1, 3);
  EXPECT_EQ(entryOf(image, 3), entryHex({{16, "0B"}, {18, "04 0D"}}));
}

TEST(EventHandlers, IebusShortPressBecomesAnyWithOnceAtTheRefresh) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "09 00 32"}}));
  pick(image, "ComboBoxEventEvent", 1);
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "09 00 32"}, {77, "01"}}));
  normaliseEventEntry(image, 1);  // the refresh repairs the entry
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "09 00 32"}, {77, "03 01"}}));
}

TEST(EventHandlers, ButtonsToggleAndCycle) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "07"}}));
  click(image, "SpeedButtonEventVoltageZnakx");
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "07"}, {19, "01"}}));
  click(image, "SpeedButtonEventVoltageZnakx");
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "07"}}));

  place(image, 1, entryHex({{16, "19"}, {18, "01"}}));
  for (const char* expected : {"01", "02", "03", "00", "01"}) {
    click(image, "SpeedButtonEventVARFunc1x");
    EXPECT_EQ(entryOf(image, 1), entryHex({{16, "19"}, {18, "01"}, {19, expected}}));
  }
  for (int i = 0; i < 4; ++i) {
    click(image, "SpeedButtonEventVARFunc2x");
  }
  EXPECT_EQ(events::get(events::entryAt(std::as_const(image), 1), events::event::var::kComparison),
            4);
  click(image, "SpeedButtonEventVARFunc2x");
  EXPECT_EQ(events::get(events::entryAt(std::as_const(image), 1), events::event::var::kComparison),
            0);
}

TEST(EventHandlers, CheckBoxesStoreOneOrZeroAndWakeUpNeedsNoRefresh) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "04"}, {77, "03"}}));
  EXPECT_EQ(tick(image, "CheckBoxEventWakeUp", true).change.after, view::After::None);
  EXPECT_EQ(tick(image, "CheckBoxEventOnce", true).change.after, view::After::Refresh);
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "04"}, {77, "03 01 01"}}));
  tick(image, "CheckBoxEventWakeUp", false);
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "04"}, {77, "03 01 00"}}));
}

TEST(EventHandlers, SerialTextIsCutAndTheRestZeroed) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "14"}, {18, "41 41 41 41"}, {77, "03 01"}}));
  edit(image, "EditUARTEeventx", "OK");
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "14"}, {18, "4F 4B"}, {77, "03 01"}}));
  const std::string longText(70, 'z');
  edit(image, "EditSerialEeventx", longText);
  const auto e = entryOf(image, 1);
  EXPECT_EQ(events::get(events::ConstEntryBytes(e), events::event::serial::kText),
            std::string(59, 'z'));
  EXPECT_EQ(e[77], 0x03);
}

TEST(EventHandlers, RefusesUnknownControlsAndWrongKinds) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "07"}}));
  EXPECT_EQ(click(image, "EditEventVoltageValue").change.after, view::After::None);
  EXPECT_EQ(click(image, "NoSuchControl").change.after, view::After::None);
  EXPECT_FALSE(click(image, "NoSuchControl").request);
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "07"}}));
}

TEST(EventDialogs, SourceMaskAsksAndStores) {
  ConfigImage image;
  place(image, 6, entryHex({{16, "04 05"}, {77, "03 01"}}));
  auto r = pick(image, "ComboBoxEventSRCMASK", 1, 6);
  const auto* mask = requestOf<SourceMaskRequest>(r);
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(mask->entry, 6u);
  EXPECT_EQ(mask->mask, 0x05);
  EXPECT_EQ(mask->first.ru, "Событие при");
  EXPECT_EQ(mask->second.en, "sources:");
  EXPECT_EQ(entryOf(image, 6), entryHex({{16, "04 05"}, {77, "03 01"}}));
  answerSourceMask(image, 6, 0xFF);
  EXPECT_EQ(entryOf(image, 6), entryHex({{16, "04 00"}, {77, "03 01"}}));
  answerSourceMask(image, 6, 0x82);
  EXPECT_EQ(entryOf(image, 6), entryHex({{16, "04 82"}, {77, "03 01"}}));
  r = pick(image, "ComboBoxEventSRCMASK", 0, 6);
  EXPECT_FALSE(r.request);
  EXPECT_EQ(entryOf(image, 6), entryHex({{16, "04 00"}, {77, "03 01"}}));
}

TEST(EventDialogs, CanFilterAsksWithTheRecordAndStoresTheAnswer) {
  ConfigImage image;
  place(image, 2, entryHex({{16, "17"}, {19, "00 00 80 06 01 FF"}, {32, "12"}}));
  const auto r = click(image, "SpeedButtonCANFILERx", 2);
  const auto* filter = requestOf<CanFilterRequest>(r);
  ASSERT_NE(filter, nullptr);
  EXPECT_EQ(filter->entry, 2u);
  EXPECT_EQ(filter->caption.en, "CAN filter");
  EXPECT_EQ(filter->filter.idWord, 0x06800000u);
  EXPECT_EQ(filter->filter.count, 1);
  events::CanFilter f;
  f.idWord = events::encodeIdWord(0x7FF);
  f.count = 2;
  f.mask = {0xFF, 0xF0};
  f.data = {0x01, 0x20};
  answerCanFilter(image, 2, f);
  EXPECT_EQ(entryOf(image, 2), entryHex({{16, "17"}, {19, "00 00 FC 1F 02 FF F0"}, {32, "01 20"}}));
}

TEST(EventDialogs, IrCodeNameAndLearning) {
  ConfigImage image;
  place(image, 1, entryHex({{0, "41"}, {16, "02 00 01 56 34 12 55"}, {77, "03"}, {80, "02"}}));
  const EventIrCodeRequest ir = eventIrCodeRequest(image, 1);
  EXPECT_EQ(ir.code, (events::IrCode{1, 0x56, 0x1234}));
  answerEventIrCode(image, 1, {3, 7, 9});
  EXPECT_EQ(entryOf(image, 1),
            entryHex({{0, "41"}, {16, "02 00 03 07 09 00"}, {77, "03"}, {80, "02"}}));
  const EntryNameRequest name = entryNameRequest(image, 1);
  EXPECT_EQ(name.entry, 1u);
  EXPECT_EQ(name.name, "A");
  EXPECT_EQ(eventIrCodeRequest(image, 1).entry, 1u);
  answerEntryName(image, 1, "Руль");
  EXPECT_EQ(entryNameRequest(image, 1).name, "Руль");

  // Deleting keeps type 2; the refresh then drops the reaction.
  deleteEventIrCode(image, 1);
  normaliseEventEntry(image, 1);  // the refresh repairs the entry
  EXPECT_EQ(entryOf(image, 1), entryHex({{0, "D0F3EBFC"}, {16, "02"}}));

  // A learnt code replaces another type's parameters and makes the press kind "any".
  place(image, 2, entryHex({{16, "0F"}, {18, "41 42 43 44 45 46"}}));
  const std::array<std::uint8_t, 4> learnt{0x0A, 0x10, 0x20, 0x30};
  EXPECT_TRUE(storeLearntEventIrCode(image, 2, learnt));
  EXPECT_EQ(entryOf(image, 2), entryHex({{16, "02"}, {18, "0A 10 20 30"}, {77, "03"}}));
  // The same type again keeps its parameters, so the byte behind the code is cleared by hand.
  events::set(events::entryAt(image, 2), events::event::ir_code::kZero, 0x55);
  EXPECT_TRUE(storeLearntEventIrCode(image, 2, learnt));
  EXPECT_EQ(entryOf(image, 2), entryHex({{16, "02"}, {18, "0A 10 20 30"}, {77, "03"}}));
  const std::array<std::uint8_t, 4> none{};
  EXPECT_FALSE(storeLearntEventIrCode(image, 2, none));
  EXPECT_EQ(entryOf(image, 2), entryHex({{16, "02"}, {18, "0A 10 20 30"}, {77, "03"}}));
}

TEST(EventHandlers, TypeChoiceAndKeyPanels) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "07"}, {18, "02 01"}}));
  EXPECT_FALSE(chooseEventType(image, 1, 7));
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "07"}, {18, "02 01"}}));
  EXPECT_TRUE(chooseEventType(image, 1, 1));
  dropKey(image, 1, {5, 2}, false);
  dropKey(image, 1, {3, 1}, true);
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "01"}, {18, "05 02 03 01"}}));
  deleteKeyPanel(image, 1, true);
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "01"}, {18, "05 02"}}));
  deleteKeyPanel(image, 1, false);
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "01"}}));
}

}  // namespace
}  // namespace kivprism::editor

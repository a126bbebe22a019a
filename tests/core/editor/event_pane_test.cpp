// The event pages derived from entries: the texts a page builds, the boxes of the bottom row, and
// the repairs a refresh stores into the image.
#include <gtest/gtest.h>

#include <random>

#include "core/config/image_layout.hpp"
#include "core/editor/derive.hpp"
#include "core/editor/event_bindings.hpp"
#include "core/editor/event_lists.hpp"
#include "core/editor/event_rules.hpp"
#include "core/events/ir_protocols.hpp"
#include "core/keys/key_rules.hpp"
#include "core/monitor/can_decoders.hpp"
#include "editor_fixture.hpp"

namespace kivprism::editor {
namespace {

using config::ConfigImage;
using lang::Language;
using testing::control;
using testing::entryHex;
using testing::entryOf;
using testing::place;
namespace layout = config::layout;

// What the event half's refresh shows: the entry repaired, then derived.
EventPaneView derive(ConfigImage& image, std::size_t n = 1, Language l = Language::Russian) {
  const events::Repairs repairs = normaliseEventEntry(image, n);
  EventPaneView view = deriveEventPane(image, n, {l, {}, false});
  view.repairs = repairs;
  return view;
}

// A key on channel c, number k (1-based) with a learnt level and a typed label.
void learnKey(ConfigImage& image, std::size_t c, std::size_t k, std::string_view label) {
  image.set(layout::keyLevel(c, k - 1), 1840);
  keys::storeTypedLabel(image, c, k, label);
}

TEST(EventKeyPage, ModifierOnlyShowsModifierAndForcesAnyPressWithoutOnce) {
  ConfigImage image;
  learnKey(image, 1, 3, "Mode");
  place(image, 1, entryHex({{16, "01"}, {20, "03 01"}, {77, "02 01"}}));
  const auto v = derive(image);
  EXPECT_EQ(v.page, 1u);
  EXPECT_EQ(control(v, "PanelKeyModx").text, "Mode");
  EXPECT_EQ(control(v, "PanelKeyValx").text, "");
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "01"}, {20, "03 01"}, {77, "03 00"}}));
  EXPECT_FALSE(control(v, "CheckBoxEventOnce").enabled);
  EXPECT_FALSE(control(v, "CheckBoxEventOnce").checked);
  EXPECT_TRUE(control(v, "ComboBoxEventEvent").enabled);
  EXPECT_EQ(control(v, "ComboBoxEventEvent").value, 3);
}

TEST(EventKeyPage, FallbacksForNamelessKeysAndEncoders) {
  ConfigImage image;
  // Channel 1 (shown as 2), key 7 was never learnt.
  place(image, 1, entryHex({{16, "01"}, {18, "07 01"}, {77, "01"}}));
  EXPECT_EQ(control(derive(image), "PanelKeyValx").text, "2.[7] ?");
  // Encoder 1 up while encoder 1 is off, then on; encoder 2 down stays unknown.
  place(image, 2, entryHex({{16, "01"}, {18, "01 04"}, {77, "03 01"}}));
  EXPECT_EQ(control(derive(image, 2), "PanelKeyValx").text, "Enc1+ ?");
  image.set(layout::kEnc0Mode, 1);
  EXPECT_EQ(control(derive(image, 2), "PanelKeyValx").text, "Enc1+");
  place(image, 3, entryHex({{16, "01"}, {18, "04 04"}, {77, "03 01"}}));
  EXPECT_EQ(control(derive(image, 3), "PanelKeyValx").text, "Enc2- ?");
  // An encoder step as a modifier never takes the encoder's name.
  place(image, 4, entryHex({{16, "01"}, {18, "02 00"}, {20, "02 04"}, {77, "02"}}));
  EXPECT_EQ(control(derive(image, 4), "PanelKeyModx").text, "Enc1- ?");
}

TEST(EventKeyPage, LearntKeyNameAndNoKeyDisablesTheRow) {
  ConfigImage image;
  learnKey(image, 0, 1, "Vol+");
  place(image, 1, entryHex({{16, "01"}, {18, "01 00"}, {77, "02 01 01"}}));
  auto v = derive(image);
  EXPECT_EQ(control(v, "PanelKeyValx").text, "Vol+");
  EXPECT_TRUE(control(v, "CheckBoxEventOnce").enabled);
  EXPECT_TRUE(control(v, "CheckBoxEventWakeUp").enabled);
  // An encoder number outside 1..4 loses its key, and with it the press kind and the row.
  place(image, 2, entryHex({{16, "01 05"}, {18, "09 04"}, {77, "03 01 01"}}));
  v = derive(image, 2);
  EXPECT_EQ(control(v, "PanelKeyValx").text, "");
  EXPECT_FALSE(control(v, "ComboBoxEventEvent").enabled);
  EXPECT_FALSE(control(v, "CheckBoxEventWakeUp").enabled);
  EXPECT_FALSE(control(v, "ComboBoxEventSRCMASK").enabled);
  EXPECT_EQ(control(v, "ComboBoxEventSRCMASK").value, 0);
  EXPECT_EQ(events::get(events::entryAt(image, 2), events::entry::kPressKind), 0);
}

TEST(EventIrPage, NoCodeDropsPressOnceMaskAndReaction) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "02 05 04 10 34 12"}, {77, "03 01 01"}, {80, "01 07 00 04"}}));
  const auto v = derive(image);
  EXPECT_EQ(control(v, "PanelIRDEFx").text, "Получить код");
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "02"}}));
  EXPECT_FALSE(control(v, "ComboBoxEventEvent").enabled);
  EXPECT_FALSE(control(v, "CheckBoxEventOnce").enabled);
  EXPECT_EQ(control(derive(image, 1, Language::English), "PanelIRDEFx").text, "Get the code");
}

TEST(EventIrPage, CodeTextsAddressBeforeCommand) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "02 00 01 56 34 12"}, {77, "02 01"}}));
  const auto v = derive(image);
  EXPECT_EQ(control(v, "PanelIRDEFx").text, "NEC 4660/86");
  EXPECT_TRUE(control(v, "CheckBoxEventOnce").enabled);
  EXPECT_TRUE(control(v, "CheckBoxEventOnce").checked);
  EXPECT_EQ(eventIrCodeText({14, 1, 2}, Language::English), "APPLE TV2 2/1");
  EXPECT_EQ(eventIrCodeText({9, 0, 0}, Language::English), "USER 0/0");
  EXPECT_EQ(eventIrCodeText({15, 1, 2}, Language::English), "Get the code");
}

TEST(EventIrPage, CanAutoUsesTheDecoderOrItsName) {
  // An address no car model uses falls back to the protocol name.
  const events::IrCode unknown{events::kIrProtocolCanAuto, 3, 0xFFFF};
  ASSERT_FALSE(monitor::decodeCanKey(unknown));
  EXPECT_EQ(eventIrCodeText(unknown, Language::Russian), "CAN AUTO 65535/3");
  for (std::uint16_t address = 0; address < 0x100; ++address) {
    const events::IrCode code{events::kIrProtocolCanAuto, 1, address};
    if (auto decoded = monitor::decodeCanKey(code)) {
      EXPECT_EQ(eventIrCodeText(code, Language::Russian), *decoded);
      return;
    }
  }
  ADD_FAILURE() << "no CAN model decodes any address below 0x100";
}

TEST(EventVarPage, NoVariableHidesEverythingAndZeroesTheSettings) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "19"}, {19, "01 1F 02 05 10 27 00 00"}, {77, "03 01"}}));
  auto v = derive(image);
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "19"}, {77, "03 01"}}));
  for (auto name : {"SpeedButtonEventVARFunc1x", "EditEventVARMask", "SpeedButtonEventVARFunc2x",
                    "EditEventVARVal", "EditEventVarTO"}) {
    EXPECT_FALSE(control(v, name).visible) << name;
  }
  place(image, 1, entryHex({{16, "19"}, {18, "02 03 1F 00 00 E8 03"}, {77, "03 01"}}));
  v = derive(image);
  EXPECT_EQ(control(v, "SpeedButtonEventVARFunc1x").text, "XOR");
  EXPECT_EQ(control(v, "EditEventVARMask").text, "x1F");
  EXPECT_TRUE(control(v, "EditEventVARMask").visible);
  EXPECT_EQ(control(v, "SpeedButtonEventVARFunc2x").text, "?");
  EXPECT_FALSE(control(v, "EditEventVARVal").visible);
  EXPECT_TRUE(control(v, "EditEventVarTO").visible);
  EXPECT_EQ(control(v, "EditEventVarTO").text, "1000");
  EXPECT_TRUE(control(v, "CheckBoxEventWakeUp").enabled);
}

TEST(EventVoltagePage, UnitsAndComparison) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "07"}, {18, "05 01 2C 01"}, {77, "03 01"}}));
  auto v = derive(image, 1, Language::English);
  EXPECT_EQ(control(v, "PanelEventVoltagemVx").text, "cm");
  EXPECT_EQ(control(v, "SpeedButtonEventVoltageZnakx").text, ">");
  EXPECT_EQ(control(v, "EditEventVoltageValue").text, "300");
  EXPECT_EQ(voltageUnit(0, Language::Russian), "мВ");
  EXPECT_EQ(voltageUnit(4, Language::English), "mV");
  EXPECT_EQ(voltageUnit(6, Language::Russian), "см");
  EXPECT_EQ(voltageUnit(7, Language::Russian), "км/ч");
  EXPECT_EQ(voltageUnit(8, Language::English), "");
  EXPECT_EQ(voltageUnit(9, Language::English), "mV");
  place(image, 1, entryHex({{16, "07"}, {18, "08 00"}, {77, "03 01"}}));
  v = derive(image);
  EXPECT_EQ(control(v, "SpeedButtonEventVoltageZnakx").text, "<");
}

TEST(EventSwCanPage, FilterButtonOnlyForTheOwnFilter) {
  ConfigImage image;
  // Standard identifier 0x1A0 (word 0x1A0 << 18), two compared bytes.
  place(image, 1,
        entryHex({{16, "17 00 00"}, {19, "00 00 80 06 02 FF 0F"}, {32, "12 34"}, {77, "03 01"}}));
  auto v = derive(image);
  EXPECT_TRUE(control(v, "SpeedButtonCANFILERx").visible);
  EXPECT_EQ(control(v, "SpeedButtonCANFILERx").text, "Id:1A0\r\nMask:FF 0F\r\nData:12 34\r\n");
  events::set(events::entryAt(image, 1), events::event::sw_can::kPosition, 3);
  v = derive(image);
  EXPECT_FALSE(control(v, "SpeedButtonCANFILERx").visible);
  EXPECT_TRUE(control(v, "ComboBoxEventSRCMASK").enabled);
}

TEST(EventSwCanPage, FilterTexts) {
  events::CanFilter f;
  EXPECT_EQ(canFilterText(f, Language::Russian), "Фильтр не установлен");
  EXPECT_EQ(canFilterText(f, Language::English), "Filter not set");
  f.idWord = 0x12345;
  f.count = 1;
  f.mask[0] = 0xA;
  f.data[0] = 0xB;
  EXPECT_EQ(canFilterText(f, Language::English), "Id:00012345\r\nMask:0A\r\nData:0B\r\n");
}

TEST(EventPages, TextsOfSerialTimeoutAndSourceMask) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "0F 05"}, {18, "48 69"}, {77, "03 01"}}));
  auto v = derive(image);
  EXPECT_EQ(control(v, "EditSerialEeventx").text, "Hi");
  EXPECT_EQ(control(v, "EditSerialEeventx").maxLength, 59);
  EXPECT_EQ(control(v, "PanelSerialEevent").text, "От USB");
  EXPECT_EQ(control(v, "ComboBoxEventSRCMASK").value, 1);
  ASSERT_EQ(control(v, "ComboBoxEventSRCMASK").itemOverrides.size(), 1u);
  EXPECT_EQ(control(v, "ComboBoxEventSRCMASK").itemOverrides[0].first, 1);
  EXPECT_EQ(control(v, "ComboBoxEventSRCMASK").itemOverrides[0].second, " 1 3");
  image.set(layout::kBtNum, 2);
  EXPECT_EQ(control(derive(image, 1, Language::English), "PanelSerialEevent").text,
            "From bluetooth");
  EXPECT_EQ(sourceMaskItemText(0, Language::English), "Select...");
  place(image, 2, entryHex({{16, "0F"}, {77, "03 01"}}));
  v = derive(image, 2, Language::English);
  EXPECT_EQ(v.entry, 2u);
  EXPECT_TRUE(control(v, "ComboBoxEventSRCMASK").enabled);
  EXPECT_EQ(control(v, "ComboBoxEventSRCMASK").value, 0);
  EXPECT_EQ(control(v, "ComboBoxEventSRCMASK").itemOverrides[0].second, "Select...");
  EXPECT_EQ(sourceMaskItemText(0x80, Language::Russian), " 8");

  const auto starts = lists::timeoutStarts();
  ASSERT_EQ(starts.size(), 101u);
  EXPECT_EQ(starts[0].ru, "При включении");
  EXPECT_EQ(starts[100].en, "On response 100");
  EXPECT_EQ(starts[7].ru, "При реакции 7");
}

TEST(EventPages, ProtocolListsHaveTheirLengths) {
  EXPECT_EQ(lists::bmwIbusEvents().size(), 65u);
  EXPECT_EQ(lists::iebusEvents().size(), 111u);
  EXPECT_EQ(lists::iDriveEvents().size(), 27u);
  EXPECT_EQ(lists::gaNetEvents().size(), 69u);
  EXPECT_EQ(lists::mercedesJoyEvents().size(), 12u);
  EXPECT_EQ(lists::acuraJoyEvents().size(), 26u);
  EXPECT_EQ(lists::linEvents().size(), 92u);
  EXPECT_EQ(lists::audiMmiEvents().size(), 71u);
  EXPECT_EQ(lists::renaultJoyEvents().size(), 17u);
  EXPECT_EQ(lists::swCanEvents().size(), 11u);
  EXPECT_EQ(lists::mercedesCtrlEvents().size(), 33u);
  EXPECT_EQ(lists::hondaPanelEvents().size(), 23u);
  EXPECT_EQ(lists::eventPins().size(), 20u);
  EXPECT_EQ(lists::eventPins()[12].ru, "IERX");
  EXPECT_EQ(lists::gestureEnds().size(), 14u);
}

struct BoxCase {
  const char* what;
  events::EntryData entry;
  EventBoxes boxes;
};

TEST(EventBottomRow, BoxesFollowTheTypeRules) {
  const BoxCase cases[] = {
      {"none", entryHex({}), {false, false, false, false, true}},
      {"source", entryHex({{16, "03"}, {77, "03"}}), {true, false, false, true, false}},
      {"timeout", entryHex({{16, "04"}, {77, "03 01"}}), {true, false, true, true, false}},
      {"usb", entryHex({{16, "08"}, {77, "03 01"}}), {true, false, false, false, true}},
      {"iebus 50", entryHex({{16, "09 00 32"}, {77, "03 01"}}), {true, false, false, true, false}},
      {"iebus 101", entryHex({{16, "09 00 65"}, {77, "02 01"}}), {true, true, false, true, false}},
      {"iebus 101 short",
       entryHex({{16, "09 00 65"}, {77, "01"}}),
       {true, false, false, true, false}},
      {"idrive 5 long", entryHex({{16, "0C 00 05"}, {77, "02"}}), {true, true, false, true, false}},
      {"idrive 14", entryHex({{16, "0C 00 0E"}, {77, "03 01"}}), {true, false, false, true, false}},
      {"acura 2", entryHex({{16, "11 00 02"}, {77, "02 01"}}), {true, false, false, true, false}},
      {"lin 90", entryHex({{16, "12 00 5A"}, {77, "02 01"}}), {true, false, false, true, false}},
      {"lin 91", entryHex({{16, "12 00 5B"}, {77, "02 01"}}), {true, true, false, true, false}},
      {"audi 16", entryHex({{16, "15 00 10"}, {77, "01 01"}}), {true, false, false, true, false}},
      {"audi 19", entryHex({{16, "15 00 13"}, {77, "03"}}), {true, true, false, true, false}},
      {"mercedes 31",
       entryHex({{16, "18 00 1F"}, {77, "03 01"}}),
       {true, false, false, true, false}},
      {"mercedes 6 any",
       entryHex({{16, "18 00 06"}, {77, "03"}}),
       {true, true, false, true, false}},
      {"honda short", entryHex({{16, "1A"}, {77, "01 01"}}), {true, false, false, true, false}},
      {"honda long", entryHex({{16, "1A"}, {77, "02"}}), {true, true, false, true, false}},
      {"renault", entryHex({{16, "16"}, {77, "02 01"}}), {true, false, false, true, false}},
      {"pins", entryHex({{16, "10"}, {77, "03 01"}}), {true, false, false, true, false}},
      {"navi", entryHex({{16, "0A"}, {77, "03 01"}}), {true, false, false, false, true}},
      {"bluetooth", entryHex({{16, "13"}, {77, "03 01"}}), {true, false, false, false, true}},
      {"voltage", entryHex({{16, "07"}, {77, "03 01"}}), {true, false, true, true, false}},
  };
  for (const BoxCase& c : cases) {
    ConfigImage image;
    place(image, 9, c.entry);
    const auto v = derive(image, 9);
    EXPECT_EQ(eventBoxes(events::entryAt(std::as_const(image), 9)), c.boxes) << c.what;
    EXPECT_EQ(control(v, "ComboBoxEventEvent").enabled, c.boxes.pressKind) << c.what;
    EXPECT_EQ(control(v, "CheckBoxEventOnce").enabled, c.boxes.once) << c.what;
    EXPECT_EQ(control(v, "CheckBoxEventWakeUp").enabled, c.boxes.wakeUp) << c.what;
    EXPECT_EQ(control(v, "ComboBoxEventSRCMASK").enabled, c.boxes.sourceMask) << c.what;
  }
}

TEST(EventBottomRow, PinnedFlagsAreStored) {
  ConfigImage image;
  // USB: source mask, wake-up cleared, once forced, press kind made "any".
  place(image, 1, entryHex({{16, "08 05"}, {77, "01 00 01"}}));
  const auto v = derive(image);
  EXPECT_EQ(entryOf(image, 1), entryHex({{16, "08"}, {77, "03 01 00"}}));
  EXPECT_TRUE(control(v, "CheckBoxEventOnce").checked);
  EXPECT_FALSE(control(v, "CheckBoxEventWakeUp").checked);
  EXPECT_EQ(control(v, "ComboBoxEventSRCMASK").value, 0);
  EXPECT_TRUE(v.repairs.any());
}

TEST(EventPane, UnknownTypeShowsPageZeroAndClearsTheEvent) {
  ConfigImage image;
  place(image, 5, entryHex({{0, "41"}, {16, "28 01 02"}, {77, "03 01 01"}, {80, "09 02"}}));
  const auto v = derive(image, 5);
  EXPECT_EQ(v.page, 0u);
  EXPECT_EQ(entryOf(image, 5), entryHex({{0, "41"}, {80, "09 02"}}));
  EXPECT_EQ(v.tabs.size(), 27u);
  EXPECT_EQ(v.tabs[0].name, "TabSheetEventZero");
  EXPECT_EQ(v.tabs[10].name, "TabSheetEvenNAVIx");
}

TEST(EventPane, OnlyTheShownPageCarriesValuesAndUnknownPositionsSelectNothing) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "0E 00 0C"}, {77, "03 01"}}));
  const auto v = derive(image);
  EXPECT_EQ(control(v, "ComboBoxEventMJOYx").value, -1);
  EXPECT_TRUE(control(v, "ComboBoxEventMJOYx").hasValue);
  EXPECT_FALSE(control(v, "ComboBoxEventLINx").hasValue);
  EXPECT_FALSE(control(v, "PanelKeyValx").hasValue);
  ASSERT_EQ(v.controls.size(), eventBindings().all().size());
  ASSERT_EQ(eventBindingPages().size(), eventBindings().all().size());
  for (std::size_t i = 0; i < v.controls.size(); ++i) {
    EXPECT_EQ(v.controls[i].name, eventBindings().all()[i].control);
  }
}

TEST(EventPane, OnlyUsedViewAndMarksHidePages) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "04"}, {77, "03 01"}}));
  params::AvailabilityMarks marks;
  marks.event[static_cast<std::size_t>(events::EventType::Lin)] = true;
  auto v = deriveEventPane(image, 2, {Language::Russian, marks, true});
  EXPECT_TRUE(v.pageVisible[4]);
  EXPECT_FALSE(v.pageVisible[7]);
  EXPECT_FALSE(v.tabs[7].visible);
  v = deriveEventPane(image, 2, {Language::Russian, marks, false});
  EXPECT_TRUE(v.pageVisible[7]);
  EXPECT_FALSE(v.pageVisible[18]);
}

// Field by field comparison of what the widgets would show.
void expectSameView(const EventPaneView& a, const EventPaneView& b) {
  ASSERT_EQ(a.controls.size(), b.controls.size());
  EXPECT_EQ(a.page, b.page);
  for (std::size_t i = 0; i < a.controls.size(); ++i) {
    const auto& x = a.controls[i];
    const auto& y = b.controls[i];
    EXPECT_EQ(x.value, y.value) << x.name;
    EXPECT_EQ(x.checked, y.checked) << x.name;
    EXPECT_EQ(x.text, y.text) << x.name;
    EXPECT_EQ(x.enabled, y.enabled) << x.name;
    EXPECT_EQ(x.visible, y.visible) << x.name;
  }
}

TEST(EventPane, DerivingTwiceChangesNothingTheSecondTime) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> type(0, 30);
  std::uniform_int_distribution<int> small(0, 5);
  for (int round = 0; round < 3000; ++round) {
    ConfigImage image;
    events::EntryData e{};
    for (auto& b : e) {
      // Mostly small values, so that the rules' interesting positions come up often.
      b = static_cast<std::uint8_t>(small(random) == 0 ? byte(random) : small(random));
    }
    e[16] = static_cast<std::uint8_t>(type(random));
    e[80] = static_cast<std::uint8_t>(type(random));
    place(image, 42, e);
    const auto first = derive(image, 42);
    const auto repaired = entryOf(image, 42);
    const auto second = derive(image, 42);
    ASSERT_EQ(entryOf(image, 42), repaired) << "round " << round;
    ASSERT_FALSE(second.repairs.any()) << "round " << round;
    expectSameView(first, second);
    // What a box shows is what is stored.
    const auto stored = events::entryAt(std::as_const(image), 42);
    ASSERT_EQ(control(second, "CheckBoxEventOnce").checked,
              events::get(stored, events::entry::kOnceFlag) != 0);
    ASSERT_EQ(control(second, "CheckBoxEventWakeUp").checked,
              events::get(stored, events::entry::kWakeUpFlag) != 0);
    if (!control(second, "ComboBoxEventEvent").enabled) {
      ASSERT_EQ(events::get(stored, events::entry::kPressKind), 0) << "round " << round;
      ASSERT_EQ(events::get(stored, events::entry::kWakeUpFlag), 0) << "round " << round;
    }
  }
}

}  // namespace
}  // namespace kivprism::editor

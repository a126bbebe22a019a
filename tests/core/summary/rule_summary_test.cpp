// The rule summaries speak the pages' own words: the key panel's text, the IR panel's code, the
// list items the combo boxes show, the USB memo's keys; and they follow the language.
#include "core/summary/rule_summary.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/editor/derive.hpp"
#include "core/editor/event_bindings.hpp"
#include "core/editor/event_lists.hpp"
#include "core/editor/reaction_bindings.hpp"
#include "core/editor/reaction_lists.hpp"
#include "core/editor/reaction_rules.hpp"
#include "core/events/entry_types.hpp"
#include "core/summary/summary_texts.hpp"
#include "sim/factory_defaults.hpp"
#include "summary_fixture.hpp"

namespace kivprism::summary {
namespace {

using events::EventType;
using events::ReactionType;
using lang::Language;
using testing::at;
using testing::setTypes;
namespace event = events::event;
namespace rx = events::reaction;

constexpr Language kRu = Language::Russian;
constexpr Language kEn = Language::English;

std::string paneText(config::ConfigImage image, std::size_t entry, std::string_view control,
                     Language l) {
  editor::normaliseEntry(image, entry);  // as the pane's refresh shows it
  const editor::PaneViews views = editor::derivePane(image, entry, {l});
  const view::ControlView* c = views.event.find(control);
  if (c == nullptr) {
    c = views.reaction.find(control);
  }
  return c == nullptr ? std::string("<no control>") : c->text;
}

std::string typeName(EventType t, Language l) {
  return std::string(events::eventTypeName(static_cast<unsigned>(t))->in(l));
}
std::string typeName(ReactionType t, Language l) {
  return std::string(events::reactionTypeName(static_cast<unsigned>(t))->in(l));
}

TEST(RuleSummaryTest, KeyEventNamesTheKeyAsTheKeyPanelShowsIt) {
  config::ConfigImage image = sim::factoryConfiguration();
  for (Language l : {kRu, kEn}) {
    EXPECT_EQ(eventWords(image, 1, l),
              typeName(EventType::Key, l) + ": " + paneText(image, 1, "PanelKeyValx", l));
  }
  EXPECT_EQ(eventWords(image, 1, kEn), "Button: VOL+");
  EXPECT_EQ(eventWords(image, 1, kRu), "Кнопка: VOL+");
  // A modifier is named after the key; an unlearnt slot keeps the page's question mark.
  events::setModifier(at(image, 1), {3, 0});
  events::setKey(at(image, 1), {7, 0});
  EXPECT_EQ(eventWords(image, 1, kEn), "Button: 1.[7] ?, modifier MODE");
  events::setKey(at(image, 1), {});
  EXPECT_EQ(eventWords(image, 1, kRu), "Кнопка: кнопка не выбрана");
}

TEST(RuleSummaryTest, IrEventShowsTheCodeAsTheIrPanelDoes) {
  const config::ConfigImage image = sim::factoryConfiguration();
  const std::string panel = paneText(image, 3, "PanelIRDEFx", kEn);
  EXPECT_EQ(eventWords(image, 3, kEn), "IR code: " + panel);
  EXPECT_NE(panel.find("NEC"), std::string::npos);
  config::ConfigImage none = image;
  events::set(at(none, 3), event::ir_code::kCode, events::IrCode{});
  EXPECT_EQ(eventWords(none, 3, kEn), "IR code: no code set");
}

TEST(RuleSummaryTest, ListEventsNameTheItemTheComboShows) {
  config::ConfigImage image;
  setTypes(image, 5, EventType::BmwIbus, ReactionType::Pin);
  events::set(at(image, 5), event::kListPosition, 3);
  setTypes(image, 6, EventType::Usb, ReactionType::Pin);
  events::set(at(image, 6), event::kListPosition, 1);
  setTypes(image, 7, EventType::BmwIbus, ReactionType::Pin);
  events::set(at(image, 7), event::kListPosition, 250);
  for (Language l : {kRu, kEn}) {
    EXPECT_EQ(eventWords(image, 5, l),
              "BMW IBUS: " + std::string(editor::lists::bmwIbusEvents()[3].in(l)));
    EXPECT_EQ(eventWords(image, 6, l), "USB: " + std::string(editor::lists::activation()[1].in(l)));
  }
  // A position beyond the list is shown as a number, never read past the list.
  EXPECT_EQ(eventWords(image, 7, kEn), "BMW IBUS: ? (250)");
}

TEST(RuleSummaryTest, CanFilterEventShowsIdDataAndMask) {
  config::ConfigImage image;
  testing::setCanFilterEvent(image, 8, 0x280, 0x12, 0xF0);
  EXPECT_EQ(eventWords(image, 8, kEn), "SW CAN: CAN 0x280, data 12, mask F0");
  EXPECT_EQ(eventWords(image, 8, kRu), "SW CAN: CAN 0x280, данные 12, маска F0");
  testing::setCanFilterEvent(image, 9, 0x18DAF110, 0x01, 0xFF);
  EXPECT_EQ(eventWords(image, 9, kEn), "SW CAN: CAN 0x18DAF110, data 01, mask FF");
  events::set(at(image, 9), event::sw_can::kFilter, events::CanFilter{});
  EXPECT_EQ(eventWords(image, 9, kEn), "SW CAN: CAN filter not set");
  events::set(at(image, 9), event::sw_can::kPosition, 2);
  EXPECT_EQ(eventWords(image, 9, kEn),
            "SW CAN: " + std::string(editor::lists::swCanEvents()[2].en));
}

TEST(RuleSummaryTest, TimedEventsCarryTheirTimesAndUnits) {
  config::ConfigImage image;
  setTypes(image, 1, EventType::Timeout, ReactionType::Pin, events::PressKind::Any);
  events::set(at(image, 1), event::timeout::kStartPoint, 4);
  events::set(at(image, 1), event::timeout::kDelayMs, 2500);
  EXPECT_EQ(eventWords(image, 1, kEn),
            "Timeout: " + std::string(editor::lists::timeoutStarts()[4].en) + ", after 2500 ms");
  setTypes(image, 2, EventType::Voltage, ReactionType::Pin);
  events::set(at(image, 2), event::voltage::kInput, 5);
  events::set(at(image, 2), event::voltage::kGreaterThan, 1);
  events::set(at(image, 2), event::voltage::kThreshold, 90);
  events::set(at(image, 2), event::voltage::kHoldMs, 300);
  EXPECT_EQ(eventWords(image, 2, kRu),
            "Напряжение: " + std::string(editor::lists::voltageInputs()[5].ru) + ", > 90 " +
                paneText(image, 2, "PanelEventVoltagemVx", kRu) + ", удержание 300 мс");
  setTypes(image, 3, EventType::Pins, ReactionType::Pin);
  events::set(at(image, 3), event::pins::kPin, 2);
  events::set(at(image, 3), event::pins::kLevel, 1);
  events::set(at(image, 3), event::pins::kHoldMs, 40);
  EXPECT_EQ(eventWords(image, 3, kEn), "Pins: " + std::string(editor::lists::eventPins()[2].en) +
                                           ", " + std::string(editor::lists::pinLevels()[1].en) +
                                           ", hold 40 ms");
}

TEST(RuleSummaryTest, VarAndTextEventsAndTheSourceMask) {
  config::ConfigImage image;
  setTypes(image, 1, EventType::Var, ReactionType::Pin);
  const auto e = at(image, 1);
  events::set(e, event::var::kVariable, 2);
  events::set(e, event::var::kLogicOperation, 1);
  events::set(e, event::var::kOperand, 0x0F);
  events::set(e, event::var::kComparison, 1);
  events::set(e, event::var::kValue, 3);
  const std::string logic = paneText(image, 1, "SpeedButtonEventVARFunc1x", kEn);
  const std::string comparison = paneText(image, 1, "SpeedButtonEventVARFunc2x", kEn);
  EXPECT_EQ(eventWords(image, 1, kEn), "VAR: " + std::string(editor::lists::varNames()[2].en) +
                                           " " + logic + " x0F " + comparison + " x03, hold 0 ms");
  setTypes(image, 2, EventType::Uart, ReactionType::Pin);
  events::set(at(image, 2), event::uart::kText, "AT+VOL");
  events::set(at(image, 2), events::entry::kSourceMask, 0x05);
  EXPECT_EQ(eventWords(image, 2, kEn), "UART: \"AT+VOL\", sources 1 3");
}

TEST(RuleSummaryTest, PressWordsNameTheKindTheLongTimeAndTheFlags) {
  config::ConfigImage image = sim::factoryConfiguration();
  EXPECT_EQ(pressWords(image, 1, kEn), std::string(events::pressKindName(1)->en));
  events::set(at(image, 1), events::entry::kPressKind, 2);
  events::set(at(image, 1), events::entry::kOnceFlag, 1);
  EXPECT_EQ(pressWords(image, 1, kEn),
            std::string(events::pressKindName(2)->en) + " (1000 ms), once");
  image.set(config::layout::kLongPressTime, 700);
  events::set(at(image, 1), events::entry::kWakeUpFlag, 1);
  EXPECT_EQ(pressWords(image, 1, kRu),
            std::string(events::pressKindName(2)->ru) + " (700 мс), однократно, пробуждение");
}

TEST(RuleSummaryTest, UsbKeyReactionUsesTheKeyboardDialogsWords) {
  const config::ConfigImage image = sim::factoryConfiguration();
  const std::string keys = editor::describeUsbKey(events::entryAt(image, 1));
  ASSERT_FALSE(keys.empty());
  EXPECT_EQ(reactionWords(image, 1, kEn), typeName(ReactionType::UsbKey, kEn) + ": " + keys);
  EXPECT_EQ(reactionWords(image, 1, kRu), "USB кнопка: " + keys);
  EXPECT_NE(paneText(image, 1, "MemoEventReactionx", kEn).find(keys), std::string::npos);
}

TEST(RuleSummaryTest, ReactionsNameTheirListItemsAndSettings) {
  config::ConfigImage image;
  setTypes(image, 1, EventType::Source, ReactionType::Pin);
  events::set(at(image, 1), rx::pin::kPin, 3);
  events::set(at(image, 1), rx::pin::kMode, 1);
  events::set(at(image, 1), rx::pin::kMinTimeMs, 250);
  EXPECT_EQ(reactionWords(image, 1, kEn),
            "Pin: " + std::string(editor::lists::reactionPins()[3].en) + ", " +
                std::string(editor::lists::pinModes()[1].en) + ", 250 ms");

  setTypes(image, 2, EventType::Source, ReactionType::SwCan);
  events::CanMessage press;
  press.idWord = events::encodeIdWord(0x5C1);
  press.length = 2;
  press.data[0] = 0x01;
  press.data[1] = 0xA0;
  events::set(at(image, 2), rx::sw_can::kPressMessage, press);
  const std::string words = reactionWords(image, 2, kEn);
  EXPECT_EQ(words.rfind("SW CAN: " + std::string(editor::lists::swCanTypes()[0].en), 0), 0u)
      << words;
  EXPECT_NE(words.find("press: CAN 0x5C1 (01 A0)"), std::string::npos) << words;
  EXPECT_NE(words.find("release: " + editor::canMessageText({}, kEn)), std::string::npos) << words;

  setTypes(image, 3, EventType::Source, ReactionType::Amplifier);
  events::set(at(image, 3), rx::amplifier::kParameter, 0);
  events::set(at(image, 3), rx::amplifier::kPosition, 1);
  EXPECT_EQ(reactionWords(image, 3, kRu),
            "Управление усилителем: " + std::string(editor::lists::amplifierTabs()[0].ru) + " " +
                editor::lists::amplifierActions(0, kRu)[1]);

  setTypes(image, 4, EventType::Source, ReactionType::Lin);
  events::set(at(image, 4), rx::lin::kCommand, 2);
  events::set(at(image, 4), rx::lin::kTrigger, 1);
  EXPECT_EQ(reactionWords(image, 4, kEn),
            "LIN: " + std::string(editor::lists::linCommandTable()[2]) + ", trigger");

  setTypes(image, 5, EventType::Source, ReactionType::IrCode);
  events::set(at(image, 5), rx::ir_code::kCode, events::IrCode{1, 0x45, 0x10});
  events::set(at(image, 5), rx::ir_code::kOutput, 2);
  EXPECT_EQ(reactionWords(image, 5, kEn),
            "IR code: " + paneText(image, 5, "PanelEventReactionIRx", kEn) + ", output " +
                std::string(editor::lists::irOutputs()[2].en));

  setTypes(image, 6, EventType::Source, ReactionType::Var);
  events::set(at(image, 6), rx::var::kVariable, 1);
  events::set(at(image, 6), rx::var::kOperation, 2);
  events::set(at(image, 6), rx::var::kOperand, 0x10);
  EXPECT_EQ(reactionWords(image, 6, kEn), "VAR: " + std::string(editor::lists::varNames()[1].en) +
                                              " " + std::string(editor::varOperationText(2)) +
                                              " x10");
}

std::string en(lang::TextPair pair) { return std::string(pair.en); }

TEST(RuleSummaryTest, AnalogOutputsSourcesAndCursorSettings) {
  config::ConfigImage image;
  setTypes(image, 1, EventType::Source, ReactionType::Control);
  const auto c = at(image, 1);
  events::set(c, rx::control::kChannel1.voltage, 475);
  events::set(c, rx::control::kChannel1.action, 1);
  events::set(c, rx::control::kChannel2.voltage, 20);
  events::set(c, rx::control::kChannel2.saveBeforeChange, 1);
  events::set(c, rx::control::kPeriodMs, 300);
  const auto actions = editor::lists::analogActions();
  EXPECT_EQ(reactionWords(image, 1, kEn), "Control: channel 1: " + en(actions[1]) + " " +
                                              editor::voltsText(475) +
                                              " V, channel 2: " + en(actions[0]) + " " +
                                              editor::voltsText(20) + " V saved first, 300 ms");

  setTypes(image, 2, EventType::Source, ReactionType::Source);
  events::set(at(image, 2), rx::source::kChoice, 3);
  EXPECT_EQ(reactionWords(image, 2, kEn), "Source: " + en(editor::lists::sourceChoices()[3]));
  events::set(at(image, 2), rx::source::kSkipMask, 0x05);
  events::set(at(image, 2), rx::source::kSaveBeforeChange, 1);
  EXPECT_EQ(reactionWords(image, 2, kEn), "Source: " + en(editor::lists::sourceChoices()[3]) +
                                              ", " + editor::skipButtonCaption(0x05, kEn) +
                                              ", saved first");

  setTypes(image, 3, EventType::Source, ReactionType::CursorMove);
  events::set(at(image, 3), rx::cursor_move::kDirection, 2);
  events::set(at(image, 3), rx::cursor_move::kPoints, 12);
  EXPECT_EQ(reactionWords(image, 3, kEn),
            "Cursor Move: " + en(editor::lists::cursorDirections()[2]) + ", points 12");
  events::set(at(image, 3), rx::cursor_move::kWithPress, 1);
  EXPECT_EQ(reactionWords(image, 3, kRu),
            "Cursor Move: " + std::string(editor::lists::cursorDirections()[2].ru) +
                ", точек 12, с нажатием");

  setTypes(image, 4, EventType::Source, ReactionType::UsbTouch);
  events::set(at(image, 4), rx::usb_touch::kX, 100);
  events::set(at(image, 4), rx::usb_touch::kY, 4000);
  events::set(at(image, 4), rx::usb_touch::kDurationMs, 60);
  EXPECT_EQ(reactionWords(image, 4, kEn), "USB Touch: X 100, Y 4000, duration 60 ms");
}

TEST(RuleSummaryTest, ListReactionsAtTheEndOfTheirLists) {
  config::ConfigImage image;
  setTypes(image, 1, EventType::Source, ReactionType::UsbMouse);
  const auto mouse = editor::lists::mouseActions();
  events::set(at(image, 1), rx::usb_mouse::kAction, static_cast<std::uint8_t>(mouse.size() - 1));
  EXPECT_EQ(reactionWords(image, 1, kEn), "USB mouse: " + en(mouse.back()));
  events::set(at(image, 1), rx::usb_mouse::kAction, static_cast<std::uint8_t>(mouse.size()));
  EXPECT_EQ(reactionWords(image, 1, kEn), "USB mouse: ? (" + std::to_string(mouse.size()) + ")");

  setTypes(image, 2, EventType::Source, ReactionType::Amplifier);
  events::set(at(image, 2), rx::amplifier::kParameter, 1);
  const auto actions = editor::lists::amplifierActions(1, kEn);
  events::set(at(image, 2), rx::amplifier::kPosition,
              static_cast<std::uint8_t>(actions.size() - 1));
  EXPECT_EQ(reactionWords(image, 2, kEn),
            "Amplifier control: " + en(editor::lists::amplifierTabs()[1]) + " " + actions.back());
  events::set(at(image, 2), rx::amplifier::kPosition, static_cast<std::uint8_t>(actions.size()));
  EXPECT_EQ(reactionWords(image, 2, kEn),
            "Amplifier control: " + en(editor::lists::amplifierTabs()[1]) + " ? (" +
                std::to_string(actions.size()) + ")");

  setTypes(image, 3, EventType::Source, ReactionType::Lin);
  const auto table = editor::lists::linCommandTable();
  events::set(at(image, 3), rx::lin::kCommand, static_cast<std::uint8_t>(table.size() - 1));
  EXPECT_EQ(reactionWords(image, 3, kEn), "LIN: " + std::string(table.back()));
  events::set(at(image, 3), rx::lin::kCommand, static_cast<std::uint8_t>(table.size()));
  EXPECT_EQ(reactionWords(image, 3, kEn), "LIN: ? (" + std::to_string(table.size()) + ")");

  setTypes(image, 4, EventType::Source, ReactionType::Hwr);
  events::set(at(image, 4), rx::hwr::kCommand, 1);
  EXPECT_EQ(reactionWords(image, 4, kEn), "HWR: " + en(editor::lists::hwrCommands()[1]));
  events::set(at(image, 4), rx::hwr::kTrigger, 1);
  EXPECT_EQ(reactionWords(image, 4, kEn),
            "HWR: " + en(editor::lists::hwrCommands()[1]) + ", trigger");
}

TEST(RuleSummaryTest, CarDspParametersFollowTheParametersPagesType) {
  config::ConfigImage image;
  setTypes(image, 1, EventType::Source, ReactionType::CarDsp);
  events::set(at(image, 1), rx::car_dsp::kMode, 7);
  events::set(at(image, 1), rx::car_dsp::kParameter, 100);
  const std::string mode = en(editor::lists::carDspModes()[7]);
  EXPECT_EQ(reactionWords(image, 1, kEn),
            "CarDSP: " + mode + ", " + editor::lists::carDspParameters(7, false)[100]);
  image.set(config::layout::kCarDspType, 1);  // the shortened list ends before 100
  EXPECT_EQ(reactionWords(image, 1, kEn), "CarDSP: " + mode + ", parameter 100");
  events::set(at(image, 1), rx::car_dsp::kMode, 2);
  events::set(at(image, 1), rx::car_dsp::kParameter, 3);
  events::set(at(image, 1), rx::car_dsp::kRepeatMs, 250);
  EXPECT_EQ(reactionWords(image, 1, kEn), "CarDSP: " + en(editor::lists::carDspModes()[2]) + ", " +
                                              editor::lists::carDspParameters(2, true)[3] +
                                              ", repeat 250 ms");
  events::set(at(image, 1), rx::car_dsp::kMode, 0);
  EXPECT_EQ(reactionWords(image, 1, kEn), "CarDSP: " + en(editor::lists::carDspModes()[0]));
}

TEST(RuleSummaryTest, DashboardTextGaNetCodeAndPwmChannels) {
  config::ConfigImage image;
  setTypes(image, 1, EventType::Source, ReactionType::SwCan);
  const auto e = at(image, 1);
  events::set(e, rx::sw_can::kType, rx::sw_can::kDisplayType);
  events::set(e, rx::sw_can::kLine1, "RADIO");
  events::set(e, rx::sw_can::kLine2, "FM 1");
  events::set(e, rx::sw_can::kDisplayMs, 3000);
  EXPECT_EQ(reactionWords(image, 1, kEn),
            "SW CAN: " + en(editor::lists::swCanTypes()[rx::sw_can::kDisplayType]) +
                ", \"RADIO\", \"FM 1\", duration 3000 ms");
  events::set(e, rx::sw_can::kType, 1);
  const std::uint8_t command = editor::lists::swCanCommands(1)[0];
  events::set(e, rx::sw_can::kCommand, command);
  EXPECT_EQ(reactionWords(image, 1, kEn), "SW CAN: " + en(editor::lists::swCanTypes()[1]) + ", " +
                                              en(*editor::lists::swCanCommandName(command)));

  setTypes(image, 2, EventType::Source, ReactionType::GaNet);
  EXPECT_EQ(reactionWords(image, 2, kEn),
            "GaNet: " + en(editor::lists::ganetModes()[0]) + ", any code");
  events::set(at(image, 2), rx::ganet::kMode, 3);
  events::set(at(image, 2), rx::ganet::kCode, 0x12AB);
  EXPECT_EQ(reactionWords(image, 2, kEn),
            "GaNet: " + en(editor::lists::ganetModes()[3]) + ", code 12 AB");

  setTypes(image, 3, EventType::Source, ReactionType::Pwm);
  events::set(at(image, 3), rx::pwm::channel(0).mode, 1);
  events::set(at(image, 3), rx::pwm::channel(0).value, 500);
  events::set(at(image, 3), rx::pwm::channel(3).mode, 2);
  events::set(at(image, 3), rx::pwm::channel(3).value, 7);
  events::set(at(image, 3), rx::pwm::kRepeatMs, 20);
  const auto modes = editor::lists::pwmModes();
  EXPECT_EQ(reactionWords(image, 3, kEn), "PWM: channel 1: " + en(modes[1]) + " 500, channel 4: " +
                                              en(modes[2]) + " 7, repeat 20 ms");
}

TEST(RuleSummaryTest, ParametersWithTheLabelsThePagesShow) {
  config::ConfigImage image;
  setTypes(image, 1, EventType::Source, ReactionType::IDrive);
  events::set(at(image, 1), rx::idrive::kCommand, 14);
  events::set(at(image, 1), rx::idrive::kParameter, 600);
  EXPECT_EQ(reactionWords(image, 1, kEn), "iDrive: " + en(editor::lists::iDriveCommands()[14]) +
                                              ", " + en(*editor::iDriveParameterLabel(14)) +
                                              " 600");
  events::set(at(image, 1), rx::idrive::kCommand, 5);
  EXPECT_EQ(reactionWords(image, 1, kEn), "iDrive: " + en(editor::lists::iDriveCommands()[5]));

  setTypes(image, 2, EventType::Source, ReactionType::AudiMmi);
  events::set(at(image, 2), rx::audi_mmi::kMode, 1);
  events::set(at(image, 2), rx::audi_mmi::kParameter, 40);
  EXPECT_EQ(reactionWords(image, 2, kRu),
            "AUDI MMI: " + std::string(editor::lists::audiMmiModes()[1].ru) + ", " +
                std::string(editor::audiMmiParameterLabel(1)->ru) + " 40");
  events::set(at(image, 2), rx::audi_mmi::kMode, 0);
  EXPECT_EQ(reactionWords(image, 2, kEn), "AUDI MMI: " + en(editor::lists::audiMmiModes()[0]));

  // A VAR event without a variable tests nothing and waits for nothing.
  setTypes(image, 3, EventType::Var, ReactionType::Pin);
  events::set(at(image, 3), event::var::kHoldMs, 90);
  EXPECT_EQ(eventWords(image, 3, kEn), "VAR: " + en(editor::lists::varNames()[0]));
  events::set(at(image, 3), event::var::kVariable, 1);
  EXPECT_EQ(eventWords(image, 3, kEn), "VAR: " + en(editor::lists::varNames()[1]) + ", hold 90 ms");
}

TEST(RuleSummaryTest, TypeCodesJustPastTheTablesAreUnknown) {
  config::ConfigImage image;
  events::set(at(image, 1), events::entry::kEventType,
              static_cast<std::uint8_t>(events::kEventTypeCount));
  events::set(at(image, 1), events::entry::kReactionType,
              static_cast<std::uint8_t>(events::kReactionTypeCount));
  EXPECT_EQ(eventWords(image, 1, kEn), "? (" + std::to_string(events::kEventTypeCount) + ")");
  EXPECT_EQ(reactionWords(image, 1, kEn), "? (" + std::to_string(events::kReactionTypeCount) + ")");
  events::set(at(image, 1), events::entry::kEventType,
              static_cast<std::uint8_t>(events::kEventTypeCount - 1));
  EXPECT_EQ(
      eventWords(image, 1, kEn).rfind(en(*events::eventTypeName(events::kEventTypeCount - 1)), 0),
      0u);
}

TEST(RuleSummaryTest, EveryTypeStartsWithItsPageCaptionInEitherLanguage) {
  for (unsigned type = 0; type < events::kEventTypeCount; ++type) {
    config::ConfigImage image;
    events::set(at(image, 1), events::entry::kEventType, static_cast<std::uint8_t>(type));
    for (Language l : {kRu, kEn}) {
      const std::string caption(events::eventTypeName(type)->in(l));
      EXPECT_EQ(eventWords(image, 1, l).rfind(caption, 0), 0u) << type;
    }
  }
  for (unsigned type = 0; type < events::kReactionTypeCount; ++type) {
    config::ConfigImage image;
    events::set(at(image, 1), events::entry::kReactionType, static_cast<std::uint8_t>(type));
    for (Language l : {kRu, kEn}) {
      const std::string caption(events::reactionTypeName(type)->in(l));
      EXPECT_EQ(reactionWords(image, 1, l).rfind(caption, 0), 0u) << type;
    }
  }
  config::ConfigImage image;
  events::set(at(image, 1), events::entry::kEventType, 200);
  events::set(at(image, 1), events::entry::kReactionType, 77);
  EXPECT_EQ(eventWords(image, 1, kEn), "? (200)");
  EXPECT_EQ(reactionWords(image, 1, kEn), "? (77)");
}

// Whatever a file holds, the words are built without reading past a list or a field.
TEST(RuleSummaryTest, RandomEntriesOfEveryTypeGiveWords) {
  std::mt19937 random(7);
  for (int round = 0; round < 400; ++round) {
    config::ConfigImage image;
    const auto e = at(image, 1);
    for (auto& b : e) {
      b = static_cast<std::uint8_t>(random());
    }
    events::set(e, events::entry::kEventType,
                static_cast<std::uint8_t>(round % events::kEventTypeCount));
    events::set(e, events::entry::kReactionType,
                static_cast<std::uint8_t>(round % events::kReactionTypeCount));
    for (Language l : {kRu, kEn}) {
      EXPECT_FALSE(eventWords(image, 1, l).empty());
      EXPECT_FALSE(pressWords(image, 1, l).empty());
      EXPECT_FALSE(reactionWords(image, 1, l).empty());
    }
  }
}

TEST(RuleSummaryTest, UnusedMeansNoEventNoReactionAndNoName) {
  config::ConfigImage image = sim::factoryConfiguration();
  EXPECT_FALSE(isUnused(events::entryAt(image, 1)));
  EXPECT_TRUE(isUnused(events::entryAt(image, 4)));
  events::setEntryName(at(image, 4), "later");
  EXPECT_FALSE(isUnused(events::entryAt(image, 4)));
  events::set(at(image, 5), events::entry::kReactionType, 3);
  EXPECT_FALSE(isUnused(events::entryAt(image, 5)));
  events::set(at(image, 6), events::entry::kEventType, 1);
  EXPECT_FALSE(isUnused(events::entryAt(image, 6)));
}

}  // namespace
}  // namespace kivprism::summary

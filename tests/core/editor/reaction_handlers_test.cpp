// The editing actions of the reaction half: what each stores, in which width, what it refuses,
// the checks that send the user to the pins tab, and the dialogs it asks for.
#include <gtest/gtest.h>

#include <array>

#include "core/config/image_layout.hpp"
#include "core/editor/derive.hpp"
#include "core/editor/reaction_bindings.hpp"
#include "core/editor/reaction_handlers.hpp"
#include "editor_fixture.hpp"

namespace kivprism::editor {
namespace {

using config::ConfigImage;
using config::layout::Pin;
using lang::Language;
using testing::entryHex;
using testing::entryOf;
using testing::place;
using testing::requestOf;
using view::ControlKind;
namespace layout = config::layout;

PaneChange editReaction(ConfigImage& image, std::string_view control, std::string_view text) {
  view::Change c;
  c.text = text;
  return changeReactionControl(image, 1, control, ControlKind::Edit, c, {});
}
PaneChange pickReaction(ConfigImage& image, std::string_view control, int index,
                        ControlKind kind = ControlKind::Combo) {
  view::Change c;
  c.index = index;
  return changeReactionControl(image, 1, control, kind, c, {});
}
PaneChange clickReaction(ConfigImage& image, std::string_view control) {
  return changeReactionControl(image, 1, control, ControlKind::Widget, {}, {});
}
PaneChange tickReaction(ConfigImage& image, std::string_view control, bool on) {
  view::Change c;
  c.checked = on;
  return changeReactionControl(image, 1, control, ControlKind::Check, c, {});
}

TEST(ReactionValueEntry, RangesAndWidths) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "1E"}}));
  auto r = editReaction(image, "EditRespCh1Val", "70000");
  ASSERT_TRUE(r.change.notice);
  EXPECT_EQ(r.change.notice->en, "The value must be in the range from 0 to 60000");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "1E"}}));
  r = editReaction(image, "EditRespCh4Val", "60000");
  EXPECT_FALSE(r.change.notice);
  EXPECT_EQ(r.change.after, view::After::Refresh);
  editReaction(image, "EditRespPWMTO", "x2710");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "1E"}, {95, "60 EA 10 27"}}));
  r = editReaction(image, "EditRespPWMTO", "10001");
  EXPECT_TRUE(r.change.notice);

  place(image, 1, entryHex({{80, "01"}}));
  editReaction(image, "EditReactionUSBKeyDlitmS", "20000");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "01 00 00 00 00 20 4E 00 00"}}));
  EXPECT_TRUE(editReaction(image, "EditReactionUSBKeyDlitmS", "20001").change.notice);
  EXPECT_TRUE(editReaction(image, "EditReactionUSBKeyDlitmS", "12a").change.notice);

  place(image, 1, entryHex({{80, "06"}}));
  EXPECT_TRUE(editReaction(image, "EditReactionTouchX", "4096").change.notice);
  editReaction(image, "EditReactionTouchY", "4095");
  editReaction(image, "EditReactionTouchDlit", "4000");
  EXPECT_TRUE(editReaction(image, "EditReactionTouchDlit", "4001").change.notice);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "06 00 00 FF 0F A0 0F"}}));

  place(image, 1, entryHex({{80, "16"}}));
  editReaction(image, "EditReactionResEmulX", "255");
  EXPECT_TRUE(editReaction(image, "EditReactionResEmulY", "256").change.notice);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "16 00 FF"}}));
}

// The outputs' parameter voltages span the whole 0 to 5 V, so only the cap applies.
void openAnalogOutputs(ConfigImage& image) {
  image.set(layout::kAnaVout1, 0);
  image.set(layout::kMinMaxVout1, 500);
  image.set(layout::kAnaVout2, 500);
  image.set(layout::kMinMaxVout2, 0);
}

TEST(ReactionValueEntry, VoltsTakeCommaOrPointAndCapAt500) {
  ConfigImage image;
  openAnalogOutputs(image);
  place(image, 1, entryHex({{80, "04"}}));
  auto r = editReaction(image, "EditReactionAnalogVOUT1", "5,5");
  EXPECT_FALSE(r.change.notice);
  editReaction(image, "EditReactionAnalogVOUT2", "1.234");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "04 F4 01 7B 00"}}));
  editReaction(image, "EditReactionAnalogVOUT2", "0,005");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "04 F4 01 01 00"}}));
  r = editReaction(image, "EditReactionAnalogVOUT2", "volts");
  EXPECT_TRUE(r.change.notice);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "04 F4 01 01 00"}}));
}

// A voltage that its output's span limits is stored limited, as the refresh would make it, and
// the user is told the span; the hint shows it while the channel sets or assigns a voltage.
TEST(ReactionValueEntry, AVoltageOutsideItsOutputsSpanIsLimitedWithAWord) {
  ConfigImage image;
  image.set(layout::kAnaVout1, 300);
  image.set(layout::kMinMaxVout1, 120);
  place(image, 1, entryHex({{80, "04"}}));
  auto r = editReaction(image, "EditReactionAnalogVOUT1", "4.5");
  ASSERT_TRUE(r.change.notice);
  EXPECT_EQ(r.change.notice->kind, view::NoticeKind::Information);
  EXPECT_EQ(
      r.change.notice->en,
      "The voltage of this output is limited to the range from 1.20 to 3.00 V, 3.00 V is set");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "04 2C 01"}}));
  EXPECT_FALSE(editReaction(image, "EditReactionAnalogVOUT1", "2").change.notice);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "04 C8 00"}}));
  // Output 2 keeps its own span: 0..0 V with an empty parameter block.
  r = editReaction(image, "EditReactionAnalogVOUT2", "1");
  ASSERT_TRUE(r.change.notice);
  EXPECT_EQ(
      r.change.notice->en,
      "The voltage of this output is limited to the range from 0.00 to 0.00 V, 0.00 V is set");
  const ReactionPaneView v = deriveReactionPane(image, 1, {});
  const auto hint = [&v](std::string_view name) {
    for (const auto& c : v.controls) {
      if (c.name == name) {
        return c.hint;
      }
    }
    return std::string("?");
  };
  EXPECT_EQ(hint("EditReactionAnalogVOUT1"), "Диапазон: 1.20 … 3.00 В");
  // Increasing and decreasing steps are not limited by the span.
  place(image, 1, entryHex({{80, "04"}, {87, "02"}}));
  EXPECT_FALSE(editReaction(image, "EditReactionAnalogVOUT1", "4.5").change.notice);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "04 C2 01"}, {87, "02"}}));
}

TEST(ReactionValueEntry, RepeatCorrectsInsteadOfRefusing) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "0A 01"}}));
  auto r = editReaction(image, "EditReactionEncoderReplay", "20000");
  EXPECT_FALSE(r.change.notice);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "0A 01 00 F4 01"}}));
  place(image, 1, entryHex({{80, "14 02"}}));
  editReaction(image, "EditReactionCarDSPReplay", "300ms");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "14 02 00 2C 01"}}));
  // A text with no leading digit is no number: refused, nothing stored.
  for (const char* text : {"abc", "", "x12"}) {
    r = editReaction(image, "EditReactionCarDSPReplay", text);
    ASSERT_TRUE(r.change.notice) << text;
    EXPECT_EQ(r.change.notice->en, "Enter a value in the specified position");
    EXPECT_EQ(r.change.after, view::After::None);
  }
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "14 02 00 2C 01"}}));
}

TEST(ReactionValueEntry, GanetCodeOnlyFromTwoHexBytes) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "19"}}));
  editReaction(image, "EditReactionGNNAVIPARAM", "A0 0F");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "19 00 0F A0"}}));
  const auto r = editReaction(image, "EditReactionGNNAVIPARAM", "A0");
  EXPECT_FALSE(r.change.notice);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "19 00 0F A0"}}));
}

TEST(ReactionValueEntry, VarOperandIsAHexByte) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "1D 01 01"}}));
  EXPECT_FALSE(editReaction(image, "EditReactionVARVal", "x1F").change.notice);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "1D 01 01 1F"}}));
  EXPECT_TRUE(editReaction(image, "EditReactionVARVal", "1F").change.notice);
  EXPECT_TRUE(editReaction(image, "EditReactionVARVal", "x100").change.notice);
}

TEST(ReactionTexts, SerialUartAndDisplayLinesAreCutAndPadded) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "0E"}, {120, "FF"}}));
  editReaction(image, "EditReactionSerialName", std::string(70, 'A'));
  auto e = entryOf(image, 1);
  for (std::size_t i = 81; i < 140; ++i) {
    EXPECT_EQ(e[i], 'A') << i;
  }
  editReaction(image, "EditReactionUARTName", "AT");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "0E 41 54"}}));

  place(image, 1, entryHex({{80, "18 00 0D"}, {100, "FF"}}));
  editReaction(image, "Edit_SWCAN_DISPLAY_MESSAGE_S1", std::string(20, 'B'));
  e = entryOf(image, 1);
  for (std::size_t i = 83; i < 101; ++i) {
    EXPECT_EQ(e[i], 'B') << i;
  }
  EXPECT_EQ(e[101], 0);
  editReaction(image, "Edit_SWCAN_DISPLAY_MESSAGE_S2", "CD");
  editReaction(image, "Edit_SWCAN_DISPLAY_MESSAGE_S1", "");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "18 00 0D"}, {101, "43 44"}}));
  EXPECT_TRUE(editReaction(image, "Edit_SWCAN_DISPLAY_MESSAGE_DLIT", "60001").change.notice);
  editReaction(image, "Edit_SWCAN_DISPLAY_MESSAGE_DLIT", "60000");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "18 00 0D"}, {101, "43 44"}, {119, "60 EA"}}));
}

TEST(ReactionChoices, DisplayFlagsKeepTheOtherBits) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "18 00 0D"}, {121, "F0"}}));
  tickReaction(image, "CheckBox_SWCAN_DISPLAY_MESSAGE_S2x", true);
  EXPECT_EQ(entryOf(image, 1)[121], 0xF2);
  tickReaction(image, "CheckBox_SWCAN_DISPLAY_MESSAGE_S1x", true);
  EXPECT_EQ(entryOf(image, 1)[121], 0xF3);
  tickReaction(image, "CheckBox_SWCAN_DISPLAY_MESSAGE_S2x", false);
  EXPECT_EQ(entryOf(image, 1)[121], 0xF1);
}

TEST(ReactionChoices, SteeringCanTypeChangeWipesAndStartsAtTheFirstCommand) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "18 00 00 00 00 04 0B 02 11 22"}}));
  pickReaction(image, "ComboBoxReactionSWVWTYPEx", 3);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "18 03 03"}}));
  pickReaction(image, "ComboBoxReactionSWVWMODEx", 5);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "18 10 03"}}));
  pickReaction(image, "ComboBoxReactionSWVWMODEx", 0);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "18 03 03"}}));
  pickReaction(image, "ComboBoxReactionSWVWMODEx", 8);  // beyond the list
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "18 03 03"}}));
  pickReaction(image, "ComboBoxReactionSWVWMODEx", 5);
  // The same type again keeps the command.
  pickReaction(image, "ComboBoxReactionSWVWTYPEx", 3);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "18 10 03"}}));
  pickReaction(image, "ComboBoxReactionSWVWTYPEx", 9);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "18 2E 09"}}));
  pickReaction(image, "ComboBoxReactionSWVWTYPEx", 13);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "18 00 0D"}}));
  pickReaction(image, "ComboBoxReactionSWVWTYPEx", 14);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "18 00 0D"}}));
  pickReaction(image, "ComboBoxReactionSWVWTYPEx", 0);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "18 00 00"}}));
  pickReaction(image, "ComboBoxReactionSWVWTYPEx", 12);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "18 2C 0C"}}));
  pickReaction(image, "ComboBoxReactionSWVWTYPEx", 13);
  pickReaction(image, "ComboBoxReactionSWVWMODEx", 0);  // type 13 has no commands
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "18 00 0D"}}));
}

TEST(ReactionChoices, AmplifierTabStoresTheNeutralPosition) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "08 00 40"}}));
  pickReaction(image, "TabControlAMPLx", 1, ControlKind::Widget);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "08 01 07"}}));
  pickReaction(image, "TabControlAMPLx", 0, ControlKind::Widget);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "08 00 1F"}}));
  pickReaction(image, "TabControlAMPLx", 4, ControlKind::Widget);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "08 04 05"}}));
  pickReaction(image, "TabControlAMPLx", 6, ControlKind::Widget);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "08 06 00"}}));
  pickReaction(image, "TabControlAMPLx", 7, ControlKind::Widget);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "08 06 00"}}));
  pickReaction(image, "ComboBoxAMPLPARx", 2);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "08 06 02"}}));
}

TEST(ReactionChoices, LinStoresTheTablePositionOfTheName) {
  ConfigImage image;
  image.set(layout::kLin2Mode, 6);  // Backlight OFF, Backlight ON
  image.set(layout::kLin1Mode, 2);  // AUDI2 slave
  place(image, 1, entryHex({{80, "12"}}));
  pickReaction(image, "ComboBoxReactionLINx", 1);  // Backlight ON
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "12 01"}}));
  pickReaction(image, "ComboBoxReactionLINx", 0);  // Backlight OFF
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "12 00"}}));
  pickReaction(image, "ComboBoxReactionLINx", 2);  // KEY VOL UP
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "12 0B"}}));
  pickReaction(image, "ComboBoxReactionLINx", 12);  // KEY INFO NAV
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "12 17"}}));
  pickReaction(image, "ComboBoxReactionLINx", 13);  // beyond the list
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "12 17"}}));
  tickReaction(image, "CheckBoxReactionLINTrigger", true);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "12 17 01"}}));
}

TEST(ReactionChoices, VarButtonCyclesSevenOperations) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "1D 01 05"}}));
  clickReaction(image, "SpeedButtonReactionVARFuncx");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "1D 01 06"}}));
  clickReaction(image, "SpeedButtonReactionVARFuncx");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "1D 01 00"}}));
  clickReaction(image, "SpeedButtonReactionVARFuncx");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "1D 01 01"}}));
}

TEST(ReactionChoices, EncoderStepsAreStoredSigned) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "0A 01"}}));
  pickReaction(image, "CSpinEditReactionEncoderDIRx", -3, ControlKind::Spin);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "0A 01 FD"}}));
  pickReaction(image, "CSpinEditReactionEncoderDIRx", -30, ControlKind::Spin);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "0A 01 F6"}}));
  pickReaction(image, "CSpinEditReactionEncoderDIRx", 30, ControlKind::Spin);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "0A 01 0A"}}));
}

TEST(ReactionChoices, CursorMoveAndAcuraJoyRefreshTheParametersPage) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "0F"}}));
  auto r = pickReaction(image, "ComboBoxReactionCurMoveDirection", 3);
  EXPECT_NE(requestOf<ParametersPageRequest>(r), nullptr);
  r = tickReaction(image, "CheckBoxReactionCurMovePress", true);
  EXPECT_NE(requestOf<ParametersPageRequest>(r), nullptr);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "0F 03 00 01"}}));
  r = editReaction(image, "EditReactionCurMoveNumPoints", "255");
  EXPECT_FALSE(r.request);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "0F 03 FF 01"}}));
  place(image, 1, entryHex({{80, "10"}}));
  EXPECT_NE(requestOf<ParametersPageRequest>(pickReaction(image, "ComboBoxReactionMDXJOY", 2)),
            nullptr);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "10 02"}}));
  EXPECT_FALSE(pickReaction(image, "ComboBoxReactionHWRx", 2).request);
}

TEST(ReactionPinCheck, IrOutputOnAPinNotSetUpStoresZeroAndGoesToThePins) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "02 01 56 34 12 00 08"}}));
  auto r = pickReaction(image, "ComboBoxReactionIROUTNUM", 1);  // X2/2
  EXPECT_NE(requestOf<PinsTabRequest>(r), nullptr);
  ASSERT_TRUE(r.change.notice);
  EXPECT_EQ(r.change.notice->kind, view::NoticeKind::Information);
  EXPECT_EQ(r.change.notice->ru, "Сначала настройте параметры вывода\nво вкладке \"Выводы\"");
  EXPECT_EQ(r.change.notice->en, "First, configure the pin options\nin the \"Pins\"");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "02 01 56 34 12 00 00"}}));

  pickReaction(image, "ComboBoxReactionIROUTNUM", 9);
  r = pickReaction(image, "ComboBoxReactionIROUTNUM", 0);  // off
  EXPECT_FALSE(r.change.notice);
  EXPECT_EQ(entryOf(image, 1)[86], 0);
  r = pickReaction(image, "ComboBoxReactionIROUTNUM", 9);  // X5/8 needs no check
  EXPECT_FALSE(r.request);
  EXPECT_EQ(entryOf(image, 1)[86], 9);
  image.set(layout::pinMode(Pin::IO6), 3);
  r = pickReaction(image, "ComboBoxReactionIROUTNUM", 15);
  EXPECT_FALSE(r.request);
  EXPECT_FALSE(r.change.notice);
  EXPECT_EQ(entryOf(image, 1)[86], 15);
}

TEST(ReactionPinCheck, PinReactionChecksItsOwnList) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "03"}}));
  auto r = pickReaction(image, "ComboBoxEventReactionPinNUM", 12);  // X6/2
  EXPECT_NE(requestOf<PinsTabRequest>(r), nullptr);
  EXPECT_EQ(entryOf(image, 1)[81], 0);
  image.set(layout::pinMode(Pin::X62), 1);
  r = pickReaction(image, "ComboBoxEventReactionPinNUM", 12);
  EXPECT_FALSE(r.request);
  EXPECT_EQ(entryOf(image, 1)[81], 12);
  r = pickReaction(image, "ComboBoxEventReactionPinNUM", 19);  // IO6 needs no check here
  EXPECT_FALSE(r.request);
  EXPECT_EQ(entryOf(image, 1)[81], 19);
  pickReaction(image, "ComboBoxEventReactionPinMODE", 3);
  editReaction(image, "EditEventReactionPinTO", "30000");
  EXPECT_TRUE(editReaction(image, "EditEventReactionPinTO", "30001").change.notice);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "03 13 03 30 75"}}));
}

TEST(ReactionEncoderCheck, RefusalKeepsTheEntryAndStillRefreshes) {
  ConfigImage image;
  image.set(layout::kTouchMode, 2);
  place(image, 1, entryHex({{80, "0A 04"}}));
  auto r = pickReaction(image, "ComboBoxReactionEncoderMODE", 1);
  ASSERT_TRUE(r.change.notice);
  EXPECT_EQ(r.change.notice->kind, view::NoticeKind::Information);
  EXPECT_EQ(r.change.after, view::After::Refresh);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "0A 04"}}));
  r = pickReaction(image, "ComboBoxReactionEncoderMODE", 6);
  EXPECT_FALSE(r.change.notice);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "0A 06"}}));
  r = pickReaction(image, "ComboBoxReactionEncoderMODE", 0);
  EXPECT_FALSE(r.change.notice);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "0A"}}));
  // Only the connection box is checked against the pins.
  place(image, 1, entryHex({{80, "09"}}));
  r = pickReaction(image, "ComboBoxReactionUSBMouseType", 1);
  EXPECT_FALSE(r.change.notice);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "09 01"}}));
}

TEST(ReactionDialogs, SkipMaskOnlyForStepping) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "05 00 06"}}));
  auto r = clickReaction(image, "SpeedButtonEventReactionSRCSkipx");
  const auto* skip = requestOf<SkipMaskRequest>(r);
  ASSERT_NE(skip, nullptr);
  EXPECT_EQ(r.change.after, view::After::Refresh);
  EXPECT_EQ(skip->entry, 1u);
  EXPECT_EQ(skip->first.ru, "Пропускать");
  EXPECT_EQ(skip->first.en, "Skip");
  EXPECT_EQ(skip->second.en, "sources:");
  EXPECT_EQ(skip->mask, 6);
  answerSkipMask(image, 1, 0x81);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "05 00 81"}}));
  place(image, 1, entryHex({{80, "05 04"}}));
  r = clickReaction(image, "SpeedButtonEventReactionSRCSkipx");
  EXPECT_FALSE(r.request);
  EXPECT_EQ(r.change.after, view::After::None);
}

TEST(ReactionDialogs, CanMessageSlotsWithTheGroupCaption) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "18 00 00"}, {100, "00 00 04 0B 01 7F"}}));
  auto r = clickReaction(image, "Panel_SW_CAN_DEPRESS");
  const auto* release = requestOf<CanMessageRequest>(r);
  ASSERT_NE(release, nullptr);
  EXPECT_EQ(release->entry, 1u);
  EXPECT_EQ(release->slot, CanSlot::Release);
  EXPECT_EQ(release->caption.ru, " При отжатии ");
  EXPECT_EQ(release->message.length, 1);
  EXPECT_EQ(release->message.data[0], 0x7F);
  r = clickReaction(image, "Panel_SW_CAN_PRESS");
  const auto* press = requestOf<CanMessageRequest>(r);
  ASSERT_NE(press, nullptr);
  EXPECT_EQ(press->slot, CanSlot::Press);
  EXPECT_EQ(press->caption.en, " On press ");
  events::CanMessage m;
  m.idWord = events::encodeIdWord(0x123);
  m.length = 2;
  m.data = {0xAA, 0xBB};
  answerCanMessage(image, 1, CanSlot::Press, m);
  EXPECT_EQ(entryOf(image, 1),
            entryHex({{80, "18 00 00 00 00 8C 04 02 AA BB"}, {100, "00 00 04 0B 01 7F"}}));
  place(image, 1, entryHex({{80, "18 00 03"}}));
  EXPECT_FALSE(clickReaction(image, "Panel_SW_CAN_PRESS").request);
}

TEST(ReactionDialogs, IrCodeAndKeyboard) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "02 01 56 34 12 07 03"}}));
  auto r = clickReaction(image, "PanelEventReactionIRx");
  const auto* ir = requestOf<ReactionIrCodeRequest>(r);
  ASSERT_NE(ir, nullptr);
  EXPECT_EQ(ir->entry, 1u);
  EXPECT_EQ(ir->code, (events::IrCode{1, 0x56, 0x1234}));
  answerReactionIrCode(image, 1, {10, 1, 2});
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "02 0A 01 02 00 07 03"}}));
  place(image, 1, entryHex({{80, "01"}}));
  EXPECT_FALSE(reactionIrCodeRequest(image, 1));

  EXPECT_FALSE(clickReaction(image, "PanelEventReactionx").request);  // no keyboard function
  image.set(layout::kPidSupport, 0x08);
  r = clickReaction(image, "PanelEventReactionx");
  const auto* keyboard = requestOf<KeyboardRequest>(r);
  ASSERT_NE(keyboard, nullptr);
  EXPECT_EQ(keyboard->entry, 1u);
  image.set(layout::kPidSupport, 0x71);
  EXPECT_FALSE(keyboardRequest(image, 1));
}

TEST(ReactionLearning, OnlyAcceptedProtocolsBecomeAnIrReaction) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "02 01 00 00 00 05 06"}}));
  const std::array<std::uint8_t, 4> none{};
  EXPECT_EQ(storeLearntReactionIrCode(image, 1, none), LearntReactionCode::NoCode);
  const std::array<std::uint8_t, 4> rc5{3, 1, 2, 0};
  EXPECT_EQ(storeLearntReactionIrCode(image, 1, rc5), LearntReactionCode::Unsupported);
  EXPECT_EQ(kUnsupportedReactionProtocol.ru, "Этот протокол не поддерживается для реакции");
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "02 01 00 00 00 05 06"}}));
  // A decoded CAN key is refused the same way and leaves the reaction as it was.
  const std::array<std::uint8_t, 4> canAuto{11, 0x21, 0x05, 0x00};
  EXPECT_EQ(storeLearntReactionIrCode(image, 1, canAuto), LearntReactionCode::Unsupported);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "02 01 00 00 00 05 06"}}));
  const std::array<std::uint8_t, 4> nec{1, 0x10, 0x34, 0x12};
  EXPECT_EQ(storeLearntReactionIrCode(image, 1, nec), LearntReactionCode::Stored);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "02 01 10 34 12 05 06"}}));
  // Another reaction type gives way to the IR code.
  place(image, 1, entryHex({{80, "01 07 00 04 00 C8"}}));
  EXPECT_EQ(storeLearntReactionIrCode(image, 1, nec), LearntReactionCode::Stored);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "02 01 10 34 12"}}));
}

TEST(ReactionTypes, ChoosingTheSameTypeKeepsTheParameters) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "1E 01"}}));
  EXPECT_FALSE(chooseReactionType(image, 1, 30));
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "1E 01"}}));
  EXPECT_TRUE(chooseReactionType(image, 1, 9));
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "09"}}));
}

TEST(ReactionChanges, UnknownNamesAndKindsChangeNothing) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "09"}}));
  EXPECT_EQ(pickReaction(image, "ComboBoxNoSuchThing", 2).change.after, view::After::None);
  EXPECT_EQ(pickReaction(image, "ComboBoxReactionUSBMouseType", 2, ControlKind::Edit).change.after,
            view::After::None);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "09"}}));
  EXPECT_EQ(pickReaction(image, "ComboBoxReactionUSBMouseType", 8).change.after,
            view::After::Refresh);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "09 08"}}));
}

}  // namespace
}  // namespace kivprism::editor

// The derivation of the reaction pages: what each page shows from an entry, the corrections it
// stores, the visibility rules, and that a second derivation changes nothing.
#include <gtest/gtest.h>

#include <set>

#include "core/config/image_layout.hpp"
#include "core/editor/derive.hpp"
#include "core/editor/reaction_bindings.hpp"
#include "editor_fixture.hpp"

namespace kivprism::editor {
namespace {

using config::ConfigImage;
using lang::Language;
using testing::entryHex;
using testing::entryOf;
using testing::place;
namespace layout = config::layout;

ReactionPaneView deriveReaction(ConfigImage& image, std::size_t n = 1,
                                Language language = Language::English) {
  EventPaneContext context;
  context.language = language;
  normaliseReactionEntry(image, n);
  return deriveReactionPane(image, n, context);
}

const view::ControlView& at(const ReactionPaneView& v, std::string_view name) {
  const view::ControlView* c = v.find(name);
  if (!c) {
    throw std::invalid_argument(std::string(name));
  }
  return *c;
}

std::vector<std::string> items(const ReactionPaneView& v, std::string_view name) {
  return view::itemTexts(at(v, name), v.language);
}

TEST(ReactionPaneTable, EveryPageHasItsSheetAndBindingsAreUnique) {
  const auto all = reactionBindings().all();
  const auto pages = reactionBindingPages();
  ASSERT_EQ(all.size(), pages.size());
  std::set<std::string_view> names;
  std::set<int> used;
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_TRUE(names.insert(all[i].control).second) << all[i].control;
    EXPECT_GE(pages[i], 1);
    EXPECT_LT(pages[i], 31);
    used.insert(pages[i]);
  }
  // Every page but zero, Panacea's and the touch page (made of plain numbers) has bindings.
  EXPECT_GE(used.size(), 28u);
  EXPECT_EQ(reactionPageSheet(0), "TabSheetReactionZero");
  EXPECT_EQ(reactionPageSheet(24), "TabSheetReactionSWVWx");
  EXPECT_EQ(reactionPageSheet(30), "TabSheetReactionPWMx");
}

TEST(ReactionPane, OnlyTheShownPageCarriesValues) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "1E 01 00 10 27"}}));  // PWM, channel 1 set to 10000
  const auto v = deriveReaction(image);
  EXPECT_EQ(v.page, 30u);
  EXPECT_TRUE(at(v, "ComboBoxRespCh1Modex").hasValue);
  EXPECT_EQ(at(v, "ComboBoxRespCh1Modex").value, 1);
  EXPECT_EQ(at(v, "EditRespCh1Val").text, "10000");
  EXPECT_FALSE(at(v, "ComboBoxReactionLINx").hasValue);
  EXPECT_FALSE(at(v, "EditReactionTouchX").hasValue);
  ASSERT_EQ(v.tabs.size(), 31u);
  EXPECT_EQ(v.tabs[30].name, "TabSheetReactionPWMx");
}

TEST(ReactionPane, PositionBeyondAFixedListShowsNoSelection) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "09 09"}}));  // nine mouse actions: 0..8
  auto v = deriveReaction(image);
  EXPECT_EQ(v.table, &reactionBindings());
  EXPECT_EQ(at(v, "ComboBoxReactionUSBMouseType").value, -1);
  place(image, 1, entryHex({{80, "09 08"}}));
  v = deriveReaction(image);
  EXPECT_EQ(at(v, "ComboBoxReactionUSBMouseType").value, 8);
}

TEST(ReactionPane, EveryControlOfEveryPageCarriesItsName) {
  for (unsigned type = 0; type < events::kReactionTypeCount; ++type) {
    ConfigImage image;
    events::set(events::entryAt(image, 1), events::entry::kReactionType,
                static_cast<std::uint8_t>(type));
    const auto v = deriveReaction(image);
    const auto all = reactionBindings().all();
    ASSERT_EQ(v.controls.size(), all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
      EXPECT_EQ(v.controls[i].name, all[i].control) << type;
      EXPECT_EQ(v.controls[i].kind, all[i].kind) << all[i].control;
    }
  }
}

TEST(ReactionPane, UnknownTypeShowsPageZero) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "1F 05"}}));
  EXPECT_EQ(deriveReaction(image).page, 0u);
}

TEST(ReactionPane, IrCodeOfUnknownProtocolIsZeroedAndOutputDisabled) {
  ConfigImage image;
  // Protocol 11 (CAN AUTO) is no code for a reaction; the output byte and offset 85 stay.
  place(image, 1, entryHex({{80, "02 0B 22 33 44 09 03"}}));
  auto v = deriveReaction(image);
  EXPECT_EQ(at(v, "PanelEventReactionIRx").text, "Get the code");
  EXPECT_FALSE(at(v, "ComboBoxReactionIROUTNUM").enabled);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "02 00 00 00 00 09 03"}}));

  place(image, 1, entryHex({{80, "02 01 56 34 12 00 03"}}));
  v = deriveReaction(image);
  EXPECT_EQ(at(v, "PanelEventReactionIRx").text, "NEC 4660/86");
  EXPECT_TRUE(at(v, "ComboBoxReactionIROUTNUM").enabled);
  EXPECT_EQ(at(v, "ComboBoxReactionIROUTNUM").value, 3);
}

TEST(ReactionPane, PinReactionWithoutPin) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "03"}}));
  auto v = deriveReaction(image);
  EXPECT_FALSE(at(v, "ComboBoxEventReactionPinMODE").enabled);
  EXPECT_EQ(at(v, "ComboBoxEventReactionPinMODE").value, 0);
  EXPECT_FALSE(at(v, "EditEventReactionPinTO").enabled);
  EXPECT_EQ(at(v, "EditEventReactionPinTO").text, "");
  place(image, 1, entryHex({{80, "03 02 01 E8 03"}}));
  v = deriveReaction(image);
  EXPECT_TRUE(at(v, "EditEventReactionPinTO").enabled);
  EXPECT_EQ(at(v, "EditEventReactionPinTO").text, "1000");
  EXPECT_EQ(at(v, "ComboBoxEventReactionPinMODE").value, 1);
}

TEST(ReactionPane, AnalogVoltsAndGlobalTime) {
  ConfigImage image;
  image.set(layout::kKeyReassignTo, 800);
  place(image, 1, entryHex({{80, "04 DB 01 05 00 64 00 01 01 01"}}));
  const auto v = deriveReaction(image);
  EXPECT_EQ(at(v, "EditReactionAnalogVOUT1").text, "4.75");
  EXPECT_EQ(at(v, "EditReactionAnalogVOUT2").text, "0.05");
  EXPECT_EQ(at(v, "EditReactionAnalogTO").text, "800");
  EXPECT_FALSE(at(v, "EditReactionAnalogTO").enabled);
  EXPECT_TRUE(at(v, "CheckBoxReactionAnalogVOUT1save").checked);
  EXPECT_FALSE(at(v, "CheckBoxReactionAnalogVOUT2save").checked);
  EXPECT_EQ(at(v, "ComboBoxReactionAnalogVOUT2type").value, 1);
}

TEST(ReactionPane, SourceSkipButtonAndSaveBox) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "05 09 05"}}));
  auto v = deriveReaction(image);
  EXPECT_EQ(at(v, "SpeedButtonEventReactionSRCSkipx").text, "Skip:  1 3");
  EXPECT_TRUE(at(v, "SpeedButtonEventReactionSRCSkipx").enabled);
  EXPECT_FALSE(at(v, "CheckBoxEventReactionSRCSave").enabled);
  place(image, 1, entryHex({{80, "05 03 00 01"}}));
  v = deriveReaction(image);
  EXPECT_FALSE(at(v, "SpeedButtonEventReactionSRCSkipx").enabled);
  EXPECT_TRUE(at(v, "CheckBoxEventReactionSRCSave").enabled);
  EXPECT_TRUE(at(v, "CheckBoxEventReactionSRCSave").checked);
  place(image, 1, entryHex({{80, "05 00"}}));
  v = deriveReaction(image);
  EXPECT_EQ(at(v, "SpeedButtonEventReactionSRCSkipx").text, "Skip:  no");
  EXPECT_TRUE(at(v, "SpeedButtonEventReactionSRCSkipx").enabled);
  EXPECT_FALSE(at(v, "CheckBoxEventReactionSRCSave").enabled);
  place(image, 1, entryHex({{80, "05 08"}}));
  v = deriveReaction(image);
  EXPECT_TRUE(at(v, "CheckBoxEventReactionSRCSave").enabled);
  place(image, 1, entryHex({{80, "05 0A"}}));
  v = deriveReaction(image);
  EXPECT_FALSE(at(v, "SpeedButtonEventReactionSRCSkipx").enabled);
  EXPECT_FALSE(at(v, "CheckBoxEventReactionSRCSave").enabled);
}

TEST(ReactionPane, AmplifierListFollowsTheTab) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "08 01 07"}}));
  const auto v = deriveReaction(image, 1, Language::Russian);
  EXPECT_EQ(at(v, "TabControlAMPLx").value, 1);
  EXPECT_TRUE(at(v, "TabControlAMPLx").hasValue);
  ASSERT_EQ(at(v, "TabControlAMPLx").items.size(), 7u);
  EXPECT_EQ(at(v, "TabControlAMPLx").items[6].en, "ASL");
  const auto list = items(v, "ComboBoxAMPLPARx");
  ASSERT_EQ(list.size(), 17u);
  EXPECT_EQ(list[7], "Установить 0");
  EXPECT_EQ(at(v, "ComboBoxAMPLPARx").value, 7);
}

TEST(ReactionPane, EncoderStepsAreSignedAndFollowTheConnection) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "0A 00 F6"}}));
  auto v = deriveReaction(image);
  EXPECT_EQ(at(v, "CSpinEditReactionEncoderDIRx").value, -10);
  EXPECT_FALSE(at(v, "CSpinEditReactionEncoderDIRx").enabled);
  EXPECT_FALSE(at(v, "EditReactionEncoderReplay").enabled);
  place(image, 1, entryHex({{80, "0A 02 05 F4 01"}}));
  v = deriveReaction(image);
  EXPECT_EQ(at(v, "CSpinEditReactionEncoderDIRx").value, 5);
  EXPECT_TRUE(at(v, "EditReactionEncoderReplay").enabled);
  EXPECT_EQ(at(v, "EditReactionEncoderReplay").text, "500");
}

TEST(ReactionPane, IDriveAndAudiMmiParameterVisibility) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "0C 0E 10 27"}}));
  auto v = deriveReaction(image);
  EXPECT_TRUE(at(v, "EditReactionIDRIVEEventx").visible);
  EXPECT_EQ(at(v, "EditReactionIDRIVEEventx").text, "10000");
  EXPECT_EQ(at(v, "PanelReactionIDRIVEParamx").text, "Interval, mSec");
  place(image, 1, entryHex({{80, "0C 05"}}));
  v = deriveReaction(image);
  EXPECT_FALSE(at(v, "EditReactionIDRIVEEventx").visible);
  EXPECT_FALSE(at(v, "PanelReactionIDRIVEParamx").visible);

  place(image, 1, entryHex({{80, "13 00"}}));
  v = deriveReaction(image);
  EXPECT_FALSE(at(v, "EditReactionAUDIMMIPARAM").visible);
  EXPECT_FALSE(at(v, "PanelReactionAUDIMMIParamx").visible);
  place(image, 1, entryHex({{80, "13 01 32"}}));
  v = deriveReaction(image);
  EXPECT_EQ(at(v, "PanelReactionAUDIMMIParamx").text, "0...100%");
  EXPECT_EQ(at(v, "EditReactionAUDIMMIPARAM").text, "50");
}

TEST(ReactionPane, SerialPageTexts) {
  ConfigImage image;
  place(image, 3, entryHex({{80, "0E"}}));
  const auto v = deriveReaction(image, 3, Language::Russian);
  EXPECT_EQ(v.entry, 3u);
  EXPECT_EQ(at(v, "PanelReactionSerial").text, "По USB");
  EXPECT_EQ(at(v, "EditReactionSerialName").text, "");
  EXPECT_EQ(at(v, "EditReactionSerialName").maxLength, 59);
  EXPECT_EQ(at(v, "MemoSERIAL").text, "при нажатии <press:event003>");
}

TEST(ReactionPane, LinListFromTheLinModes) {
  ConfigImage image;
  image.set(layout::kLin2Mode, 3);                // VW master: backlight and seat heating
  image.set(layout::kLin1Mode, 4);                // VW1 slave
  place(image, 1, entryHex({{80, "12 1D 01"}}));  // KEY OK, trigger
  auto v = deriveReaction(image);
  const auto list = items(v, "ComboBoxReactionLINx");
  ASSERT_EQ(list.size(), 8u + 15u);
  EXPECT_EQ(list[0], "Backlight OFF");
  EXPECT_EQ(list[8], "KEY VOL UP");
  EXPECT_EQ(list[at(v, "ComboBoxReactionLINx").value], "KEY OK");
  EXPECT_TRUE(at(v, "CheckBoxReactionLINTrigger").checked);
  // A stored command the list lacks shows the first item; the entry keeps it.
  place(image, 1, entryHex({{80, "12 34"}}));
  v = deriveReaction(image);
  EXPECT_EQ(at(v, "ComboBoxReactionLINx").value, 0);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "12 34"}}));
}

TEST(ReactionPane, CarDspParameterOutsideItsListBecomesZero) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "14 02 28 F4 01"}}));  // mode 2, parameter 40
  auto v = deriveReaction(image);
  EXPECT_EQ(at(v, "ComboBoxEditReactionCarDspParamx").value, 0);
  EXPECT_EQ(items(v, "ComboBoxEditReactionCarDspParamx").front(), "1");
  EXPECT_TRUE(at(v, "EditReactionCarDSPReplay").visible);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "14 02 00 F4 01"}}));

  // The shortened CarDSP type has 86 volume positions.
  image.set(layout::kCarDspType, 1);
  place(image, 1, entryHex({{80, "14 07 5A"}}));
  deriveReaction(image);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "14 07"}}));
  image.set(layout::kCarDspType, 0);
  place(image, 1, entryHex({{80, "14 07 5A"}}));
  v = deriveReaction(image);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "14 07 5A"}}));
  EXPECT_FALSE(at(v, "EditReactionCarDSPReplay").visible);

  // The last position of a list stays; one beyond it does not.
  place(image, 1, entryHex({{80, "14 0C 02"}}));
  deriveReaction(image);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "14 0C 02"}}));
  place(image, 1, entryHex({{80, "14 0C 03"}}));
  deriveReaction(image);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "14 0C"}}));

  place(image, 1, entryHex({{80, "14 09 03"}}));
  v = deriveReaction(image);
  EXPECT_FALSE(at(v, "ComboBoxEditReactionCarDspParamx").visible);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "14 09"}}));
}

TEST(ReactionPane, SteeringCanCommandNotOfferedByTheTypeIsZeroed) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "18 15 03"}}));  // type 3 holding EXIT
  auto v = deriveReaction(image);
  EXPECT_EQ(entryOf(image, 1), entryHex({{80, "18 00 03"}}));
  EXPECT_EQ(at(v, "ComboBoxReactionSWVWMODEx").value, 0);
  EXPECT_EQ(items(v, "ComboBoxReactionSWVWMODEx").front(), "UP");
  EXPECT_TRUE(at(v, "ComboBoxReactionSWVWMODEx").visible);
  EXPECT_FALSE(at(v, "Panel_SW_CAN_PRESS").visible);
  EXPECT_FALSE(at(v, "GroupBoxSWCAN_DISPLAY_MESSAGE").visible);

  place(image, 1, entryHex({{80, "18 10 03"}}));  // OK is offered
  v = deriveReaction(image);
  EXPECT_EQ(at(v, "ComboBoxReactionSWVWMODEx").value, 5);
}

TEST(ReactionPane, SteeringCanUserPacketAndDisplay) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "18 00 00 00 00 04 0B 02 11 22"}}));  // id 0x2C1, 2 bytes
  auto v = deriveReaction(image, 1, Language::Russian);
  EXPECT_FALSE(at(v, "ComboBoxReactionSWVWMODEx").visible);
  EXPECT_TRUE(at(v, "Panel_SW_CAN_PRESS").visible);
  EXPECT_EQ(at(v, "Panel_SW_CAN_PRESS").text, "Id:2C1 (11 22)");
  EXPECT_EQ(at(v, "Panel_SW_CAN_DEPRESS").text, "Не установлено");
  EXPECT_EQ(at(v, "GroupBox_SW_CAN_DEPRESSx").text, " При отжатии ");
  EXPECT_TRUE(at(v, "GroupBox_SW_CAN_DEPRESSx").visible);
  EXPECT_TRUE(at(v, "GroupBox_SW_CAN_PRESSx").visible);
  EXPECT_EQ(at(v, "GroupBox_SW_CAN_PRESSx").text, " При нажатии ");
  EXPECT_FALSE(at(v, "Edit_SWCAN_DISPLAY_MESSAGE_S1").visible);

  place(image, 1, entryHex({{80, "18 00 0D 48 49"}, {119, "E8 03 02"}}));
  v = deriveReaction(image);
  EXPECT_FALSE(at(v, "Panel_SW_CAN_PRESS").visible);
  EXPECT_FALSE(at(v, "GroupBox_SW_CAN_PRESSx").visible);
  EXPECT_FALSE(at(v, "GroupBox_SW_CAN_DEPRESSx").visible);
  EXPECT_FALSE(at(v, "ComboBoxReactionSWVWMODEx").visible);
  EXPECT_TRUE(at(v, "GroupBoxSWCAN_DISPLAY_MESSAGE").visible);
  EXPECT_EQ(at(v, "GroupBoxSWCAN_DISPLAY_MESSAGE").text, " Dashboard display ");
  EXPECT_EQ(at(v, "Edit_SWCAN_DISPLAY_MESSAGE_S1").text, "HI");
  EXPECT_EQ(at(v, "Edit_SWCAN_DISPLAY_MESSAGE_S1").maxLength, 18);
  EXPECT_EQ(at(v, "Edit_SWCAN_DISPLAY_MESSAGE_S2").text, "");
  EXPECT_EQ(at(v, "Edit_SWCAN_DISPLAY_MESSAGE_DLIT").text, "1000");
  EXPECT_FALSE(at(v, "CheckBox_SWCAN_DISPLAY_MESSAGE_S1x").checked);
  EXPECT_TRUE(at(v, "CheckBox_SWCAN_DISPLAY_MESSAGE_S2x").checked);
}

TEST(ReactionPane, GanetCodeOnlyForAnyCode) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "19 00 0F A0"}}));
  auto v = deriveReaction(image);
  EXPECT_TRUE(at(v, "EditReactionGNNAVIPARAM").visible);
  EXPECT_EQ(at(v, "EditReactionGNNAVIPARAM").text, "A00F");
  place(image, 1, entryHex({{80, "19 03"}}));
  v = deriveReaction(image);
  EXPECT_FALSE(at(v, "EditReactionGNNAVIPARAM").visible);
}

TEST(ReactionPane, VarButtonAndOperand) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "1D"}}));
  auto v = deriveReaction(image);
  EXPECT_FALSE(at(v, "SpeedButtonReactionVARFuncx").visible);
  EXPECT_FALSE(at(v, "EditReactionVARVal").visible);
  place(image, 1, entryHex({{80, "1D 02 00"}}));
  v = deriveReaction(image);
  EXPECT_TRUE(at(v, "SpeedButtonReactionVARFuncx").visible);
  EXPECT_EQ(at(v, "SpeedButtonReactionVARFuncx").text, "?");
  EXPECT_FALSE(at(v, "EditReactionVARVal").visible);
  place(image, 1, entryHex({{80, "1D 02 05 1F"}}));
  v = deriveReaction(image);
  EXPECT_EQ(at(v, "SpeedButtonReactionVARFuncx").text, "OR");
  // The button's text is its value: a form applies it only when the view says so.
  EXPECT_TRUE(at(v, "SpeedButtonReactionVARFuncx").hasValue);
  EXPECT_TRUE(at(v, "EditReactionVARVal").visible);
  EXPECT_EQ(at(v, "EditReactionVARVal").text, "x1F");
}

TEST(ReactionPane, EventManageTargetsAndUsbKeyMemo) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "07 02 05"}}));
  auto v = deriveReaction(image);
  EXPECT_EQ(at(v, "ComboBoxReactionEventHandleNumx").value, 5);
  EXPECT_EQ(items(v, "ComboBoxReactionEventHandleNumx")[5], "5");
  place(image, 1, entryHex({{80, "01 07 11"}, {85, "C8"}}));
  v = deriveReaction(image);
  EXPECT_EQ(at(v, "MemoEventReactionx").text, "  \n  \nlCtrl + rCtrl");
  EXPECT_EQ(at(v, "EditReactionUSBKeyDlitmS").text, "200");
}

TEST(ReactionPane, PageVisibilityFollowsMarksAndOnlyUsed) {
  ConfigImage image;
  place(image, 1, entryHex({{80, "12"}}));
  EventPaneContext context;
  context.marks.reaction[static_cast<std::size_t>(events::ReactionType::Lin)] = true;
  auto v = deriveReactionPane(image, 1, context);
  EXPECT_FALSE(v.pageVisible[18]);
  EXPECT_FALSE(v.tabs[18].visible);
  EXPECT_TRUE(v.pageVisible[9]);
  context.marks = {};
  context.onlyUsed = true;
  v = deriveReactionPane(image, 1, context);
  EXPECT_TRUE(v.pageVisible[18]);
  EXPECT_TRUE(v.pageVisible[0]);  // the other 99 entries are empty
  EXPECT_FALSE(v.pageVisible[9]);
}

TEST(ReactionPane, DerivingTwiceChangesNothing) {
  const std::vector<events::EntryData> entries = {
      entryHex({{80, "02 0B 22 33 44 09 03"}}),
      entryHex({{80, "14 02 28 F4 01"}}),
      entryHex({{80, "18 15 03"}}),
      entryHex({{80, "08 01 07"}}),
      entryHex({{80, "12 34 01"}}),
      entryHex({{80, "18 00 0D 48 49"}, {119, "E8 03 03"}}),
      entryHex({{80, "04 DB 01 05 00"}}),
      entryHex({{80, "1D 02 05 1F"}}),
  };
  for (const auto& data : entries) {
    ConfigImage image;
    place(image, 1, data);
    const auto first = deriveReaction(image);
    const auto once = entryOf(image, 1);
    const auto second = deriveReaction(image);
    EXPECT_EQ(entryOf(image, 1), once);
    ASSERT_EQ(first.controls.size(), second.controls.size());
    for (std::size_t i = 0; i < first.controls.size(); ++i) {
      EXPECT_EQ(first.controls[i].text, second.controls[i].text) << first.controls[i].name;
      EXPECT_EQ(first.controls[i].value, second.controls[i].value) << first.controls[i].name;
      EXPECT_EQ(first.controls[i].visible, second.controls[i].visible) << first.controls[i].name;
    }
  }
}

TEST(ReactionPane, CombinedRefreshRepairsThenDerivesTheReaction) {
  ConfigImage image;
  // An IR event without a code drops the reaction: the reaction half then shows page 0.
  place(image, 1, entryHex({{16, "02"}, {80, "09 03"}}));
  const EntryCorrections corrections = normaliseEntry(image, 1);
  const PaneViews views = derivePane(image, 1, {});
  EXPECT_TRUE(corrections.repairs.has(events::Repair::MissingIrCode));
  EXPECT_EQ(views.reaction.page, 0u);
  EXPECT_EQ(events::reactionTypeCode(events::entryAt(std::as_const(image), 1)), 0u);
}

}  // namespace
}  // namespace kivprism::editor

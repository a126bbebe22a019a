#include "core/params/handlers.hpp"

#include <gtest/gtest.h>

#include "core/params/derive.hpp"
#include "core/params/rules.hpp"
#include "core/params/source_mask.hpp"

namespace kivprism::params {
namespace {

namespace layout = config::layout;
using config::ConfigImage;

TEST(Handlers, ComboCheckAndEditStoreTheirFields) {
  ConfigImage image;
  EXPECT_EQ(comboChanged(image, "ComboBoxGPSSPEED", 4).after, After::Refresh);
  EXPECT_EQ(image.getU8(layout::kGpsSpeed), 4);
  EXPECT_EQ(checkChanged(image, "CheckBoxTouchWakeUp", true).after, After::None);
  EXPECT_EQ(image.getU8(layout::kTouchWakeup), 1);
  EXPECT_EQ(editCommitted(image, "EditAMPLDELAYTO", "x3E8").after, After::Refresh);
  EXPECT_EQ(image.getU16(layout::kAmplParamTo), 1000);
  EXPECT_EQ(comboChanged(image, "ComboBoxLIN2MODEx", 3).after, After::ForceRefresh);
  EXPECT_EQ(editCommitted(image, "EditLIN_TEMP_RES_VAL", "4095").after, After::EventsOnly);
  EXPECT_EQ(comboChanged(image, "NoSuchControl", 1).after, After::None);
}

TEST(Handlers, RangeErrorStoresNothingAndRedrawsNothing) {
  ConfigImage image;
  image.set(layout::kPulseMsActive, 12);
  const ChangeOutcome out = editCommitted(image, "EditPULSEMSACTIVE", "70000");
  ASSERT_TRUE(out.notice);
  EXPECT_EQ(out.notice->kind, NoticeKind::Error);
  EXPECT_EQ(out.notice->en, "The value must be in the range from 0 to 5000");
  EXPECT_EQ(out.after, After::None);
  EXPECT_EQ(image.getU16(layout::kPulseMsActive), 12);
}

// A number typed in hexadecimal gets its range in hexadecimal, and the message is the check's
// own text with nothing added.
TEST(Handlers, ARangeMessageInHexadecimalIsTheChecksTextAlone) {
  ConfigImage image;
  const ChangeOutcome hex = editCommitted(image, "EditPULSEMSACTIVE", "x1389");
  ASSERT_TRUE(hex.notice);
  EXPECT_EQ(hex.notice->en, "The value must be in the range from 00 to 1388");
  EXPECT_EQ(hex.notice->ru, "Значение должно находиться в интервале от 00 до 1388");
  EXPECT_EQ(editCommitted(image, "EditPULSEMSACTIVE", "xZZ").notice->en,
            "Enter a value in the specified position");
}

// The first item of a checked list is a choice like any other: it switches the function off.
TEST(Handlers, TheFirstItemOfACheckedListIsStored) {
  ConfigImage image;
  image.set(layout::kGpsNum, 1);
  image.set(layout::kEnc0Mode, 3);
  image.set(layout::kIrInpNum, 2);
  image.set(layout::kTouchMode, 2);
  image.set(layout::kTouchInterceptSrcMask, 5);
  comboChanged(image, "ComboBoxGPSNUM", 0);
  comboChanged(image, "ComboBoxEditEncoder1Mode", 0);
  comboChanged(image, "ComboBoxIRINPNUM", 0);
  const ChangeOutcome off = comboChanged(image, "ComboBoxTouchMode", 0);
  EXPECT_EQ(off.after, After::Refresh);
  EXPECT_EQ(image.getU8(layout::kGpsNum), 0);
  EXPECT_EQ(image.getU8(layout::kEnc0Mode), 0);
  EXPECT_EQ(image.getU8(layout::kIrInpNum), 0);
  EXPECT_EQ(image.getU8(layout::kTouchMode), 0);
  EXPECT_EQ(image.getU8(layout::kTouchInterceptSrcMask), 0);
  // No item selected changes nothing.
  const ConfigImage before = image;
  for (const char* name : {"ComboBoxGPSNUM", "ComboBoxTouchMode", "ComboBoxSource2Touch",
                           "ComboBoxIRINPNUM", "ComboBoxPULSENUM", "ComboBoxHEADTYPE"}) {
    EXPECT_EQ(comboChanged(image, name, -1).after, After::None) << name;
  }
  EXPECT_EQ(image, before);
}

// Labels and panels that the rules only show or hide keep their own texts.
TEST(Handlers, DisplayControlsShowNoValueAndStoreNothing) {
  ConfigImage image;
  for (const char* name : {"PanelLINSPEED", "PanelAMPLDELAYTO", "LabeliDriveLightMax"}) {
    EXPECT_FALSE(deriveControl(image, name).hasValue) << name;
  }
  const PageView v = derivePage(image, lang::Language::Russian);
  EXPECT_FALSE(v.find("CheckBoxTouchDXY")->hasValue);
  const ConfigImage before = image;
  EXPECT_EQ(checkChanged(image, "CheckBoxTouchDXY", true).after, After::None);
  EXPECT_EQ(image, before);
}

TEST(Handlers, PwmLimitsComeFromThePeriodAndTheChannel) {
  ConfigImage image;
  EXPECT_FALSE(editCommitted(image, "EditPWMParamPeriod", "1000").notice);
  EXPECT_EQ(editCommitted(image, "EditPWMParamCh2Max", "1001").notice->en,
            "The value must be in the range from 0 to 1000");
  EXPECT_FALSE(editCommitted(image, "EditPWMParamCh2Min", "100").notice);
  EXPECT_FALSE(editCommitted(image, "EditPWMParamCh2Max", "900").notice);
  EXPECT_EQ(editCommitted(image, "EditPWMParamCh2Val", "950").notice->en,
            "The value must be in the range from 100 to 900");
  EXPECT_FALSE(editCommitted(image, "EditPWMParamCh2Val", "500").notice);
  EXPECT_EQ(image.getU16(layout::pwmValue(1)), 500);
  EXPECT_EQ(image.getU16(layout::pwmValue(0)), 0);
  // A maximum below the minimum accepts no value at all.
  image.set(layout::pwmMin(3), 50);
  image.set(layout::pwmMax(3), 10);
  for (const char* t : {"10", "30", "50"}) {
    EXPECT_TRUE(editCommitted(image, "EditPWMParamCh4Val", t).notice) << t;
  }
}

TEST(Handlers, RefusedSelectionStoresTheOldStateAndStillRefreshes) {
  ConfigImage image;
  image.set(layout::kBtNum, 1);
  const ConfigImage before = image;
  const ChangeOutcome out = comboChanged(image, "ComboBoxUARTNum", 1);
  ASSERT_TRUE(out.notice);
  EXPECT_EQ(out.notice->kind, NoticeKind::Information);
  EXPECT_EQ(out.after, After::Refresh);
  EXPECT_EQ(image, before);
}

TEST(Handlers, TouchModeFourAndUsbSourceAskForMasks) {
  ConfigImage image;
  const ChangeOutcome intercept = comboChanged(image, "ComboBoxTouchMode", 4);
  ASSERT_TRUE(intercept.dialog);
  EXPECT_EQ(intercept.dialog->first.en, kInterceptMaskTexts.first.en);
  const ChangeOutcome usb = comboChanged(image, "ComboBoxSource2Touch", 1);
  ASSERT_TRUE(usb.dialog);
  EXPECT_EQ(usb.dialog->first.en, kUsbTouchMaskTexts.first.en);
  image.set(layout::kTouchSrcMask, 3);
  EXPECT_EQ(comboChanged(image, "ComboBoxSource2Touch", 0).after, After::Refresh);
  EXPECT_EQ(image.getU8(layout::kTouchSrcMask), 0);
}

// The self-correcting times replace a number out of their span, but a text that is no number
// is refused with the value entry message and leaves the stored time alone.
TEST(Handlers, SelfCorrectingFieldsRefuseTextThatIsNoNumber) {
  ConfigImage image;
  image.set(layout::kLongPressTime, 700);
  image.set(layout::kHwrMaxTo, 300);
  image.set(layout::kUartDelayMs, 40);
  image.set(layout::kUartReplayMs, 60);
  for (const char* control : {"Edit_PAR_LongTO", "EditHWRTO", "EditUARTDELAY", "EditUARTREPLAY"}) {
    for (const char* text : {"abc", "", "12a", "xZZ"}) {
      const ChangeOutcome out = editCommitted(image, control, text);
      ASSERT_TRUE(out.notice) << control << " " << text;
      EXPECT_EQ(out.notice->kind, NoticeKind::Error);
      EXPECT_EQ(out.notice->en, "Enter a value in the specified position");
      EXPECT_EQ(out.after, After::None);
    }
  }
  EXPECT_EQ(image.getU16(layout::kLongPressTime), 700);
  EXPECT_EQ(image.getU16(layout::kHwrMaxTo), 300);
  EXPECT_EQ(image.getU16(layout::kUartDelayMs), 40);
  EXPECT_EQ(image.getU16(layout::kUartReplayMs), 60);
  // A number in hexadecimal is a number: x7D0 is 2000 ms, inside the long-press span.
  EXPECT_FALSE(editCommitted(image, "Edit_PAR_LongTO", "x7D0").notice);
  EXPECT_EQ(image.getU16(layout::kLongPressTime), 2000);
  EXPECT_FALSE(editCommitted(image, "Edit_PAR_LongTO", "6000").notice);
  EXPECT_EQ(image.getU16(layout::kLongPressTime), 1000);
}

TEST(Handlers, SelfCorrectingFieldsAndVoltages) {
  ConfigImage image;
  editCommitted(image, "Edit_PAR_LongTO", "150");
  EXPECT_EQ(image.getU16(layout::kLongPressTime), 1000);
  editCommitted(image, "EditHWRTO", "50");
  EXPECT_EQ(image.getU16(layout::kHwrMaxTo), 100);
  editCommitted(image, "EditUARTDELAY", "0");
  EXPECT_EQ(image.getU16(layout::kUartDelayMs), 500);
  editCommitted(image, "EditParamControlVOUT2minmax", "5,5");
  EXPECT_EQ(image.getU16(layout::kMinMaxVout2), 500);
  editCommitted(image, "EditiDriveLightMin", "7.5");
  EXPECT_EQ(image.getU16(layout::kIdriveLightMin), 7500);
  const PageView v = derivePage(image, lang::Language::Russian);
  EXPECT_EQ(v.find("EditParamControlVOUT2minmax")->text, "5.00");
}

TEST(Handlers, BitFieldsKeepTheOtherBits) {
  ConfigImage image;
  image.set(layout::kLinFlags, 0x80);
  checkChanged(image, "CheckBoxLINSWAP_VOLDN_OK", true);
  comboChanged(image, "ComboBoxLIN_TEMP_RELAY_PINx", 15);
  comboChanged(image, "ComboBoxLINVERSIONx", 1);
  EXPECT_EQ(image.getU8(layout::kLinFlags), 0x80 | 0x01 | (15 << 1) | 0x40);
  checkChanged(image, "CheckBoxLINSWAP_VOLDN_OK", false);
  EXPECT_EQ(image.getU8(layout::kLinFlags), 0x80 | (15 << 1) | 0x40);

  image.set(layout::kCarDspModeBits, 0xF0);
  checkListChanged(image, "CheckListBoxCARDSP_BITMASKx", 0x05);
  EXPECT_EQ(image.getU8(layout::kCarDspModeBits), 0xF5);
}

TEST(Handlers, SpinsStoreAsShownOrMinusOne) {
  ConfigImage image;
  spinChanged(image, "CSpinEditEncoder1Div", 10);
  EXPECT_EQ(image.getU8(layout::kEnc0Div), 9);
  spinChanged(image, "CSpinEditEncoder2Div", 0);
  EXPECT_EQ(image.getU8(layout::kEnc1Div), 0);
  spinChanged(image, "CSpinEditIEBUS_PREDDIV", 16);
  EXPECT_EQ(image.getU8(layout::kIebusVolPreDiv), 16);
  const PageView v = derivePage(image, lang::Language::Russian);
  EXPECT_EQ(v.find("CSpinEditEncoder1Div")->value, 10);
}

// The grid's rows are sources 1..8 in order; the view shows every name and their limit.
TEST(SourceNames, GridRowsAreTheSourcesInOrder) {
  ConfigImage image;
  view::Change first;
  first.index = 0;
  first.text = "AUX";
  controlChanged(image, "ValueListEditorSourceName", view::ControlKind::Grid, first);
  view::Change last;
  last.index = 7;
  last.text = "DVD";
  controlChanged(image, "ValueListEditorSourceName", view::ControlKind::Grid, last);
  view::Change none;
  none.index = -1;
  none.text = "X";
  const ConfigImage before = image;
  controlChanged(image, "ValueListEditorSourceName", view::ControlKind::Grid, none);
  EXPECT_EQ(image, before);
  const ControlView grid = deriveControl(image, "ValueListEditorSourceName");
  ASSERT_EQ(grid.cells.size(), 8u);
  EXPECT_EQ(grid.cells[0], "AUX");
  EXPECT_EQ(grid.cells[1], "");
  EXPECT_EQ(grid.cells[7], "DVD");
  EXPECT_EQ(sourceNameText(image, 1), "AUX");
  EXPECT_EQ(sourceNameText(image, 8), "DVD");
}

TEST(SourceNames, KeepFiveCharactersAndStopTyping) {
  ConfigImage image;
  sourceNameChanged(image, 1, "ABCDEF");
  EXPECT_EQ(sourceNameText(image, 1), "ABCDE");
  sourceNameChanged(image, 2, "Радио1");
  EXPECT_EQ(sourceNameText(image, 2), "Радио");
  sourceNameChanged(image, 2, "FM");
  EXPECT_EQ(sourceNameText(image, 2), "FM");
  EXPECT_EQ(image.getU8({layout::sourceName(2).offset + 2, 1}), 0);
  EXPECT_FALSE(sourceNameAcceptsKey("Радио", false));
  EXPECT_TRUE(sourceNameAcceptsKey("Радио", true));
  EXPECT_TRUE(sourceNameAcceptsKey("Рад", false));
}

TEST(SourceNames, ACellOutsideSourcesOneToEightStoresNothing) {
  ConfigImage image;
  const ConfigImage before = image;
  sourceNameChanged(image, 0, "AUX");
  sourceNameChanged(image, layout::kSourceCount + 1, "AUX");
  EXPECT_TRUE(image == before);
  sourceNameChanged(image, layout::kSourceCount, "AUX");
  EXPECT_EQ(sourceNameText(image, layout::kSourceCount), "AUX");
}

}  // namespace
}  // namespace kivprism::params

namespace kivprism::params {
namespace {

TEST(Handlers, ACorrectedFieldShowsWhatWasStored) {
  config::ConfigImage image;
  editCommitted(image, "Edit_PAR_LongTO", "150");
  EXPECT_EQ(deriveControl(image, "Edit_PAR_LongTO").text, "1000");
  editCommitted(image, "EditParamControlVOUT1", "1.234");
  EXPECT_EQ(deriveControl(image, "EditParamControlVOUT1").text, "1.23");
  EXPECT_EQ(deriveControl(image, "NoSuchControl").text, "");
}

}  // namespace
}  // namespace kivprism::params

namespace kivprism::params {
namespace {

// A slip in the table (a wrong offset, a list missing) would silently edit the wrong byte.
TEST(BindingsTable, FieldsLieInTheParameterBlockAndNeverOverlap) {
  const auto table = bindings();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const Binding& a = table[i];
    if (a.kind == ControlKind::Combo && a.rule != &rules::kUsbTouchSource) {
      EXPECT_NE(a.items, nullptr) << a.control;
    }
    const config::Field af = view::imageField(a.field);
    const auto aBits = view::bitField(a.field);
    if (af.width == 0) {
      continue;
    }
    EXPECT_GE(af.offset, layout::kParamBlock.offset) << a.control;
    EXPECT_LE(af.end(), layout::kParamBlock.end()) << a.control;
    for (std::size_t j = i + 1; j < table.size(); ++j) {
      const Binding& b = table[j];
      const config::Field bf = view::imageField(b.field);
      const auto bBits = view::bitField(b.field);
      if (bf.width == 0) {
        continue;
      }
      const bool overlap = af.offset < bf.end() && bf.offset < af.end();
      if (overlap) {
        ASSERT_TRUE(aBits && bBits) << a.control << " and " << b.control;
        EXPECT_EQ(aBits->mask() & bBits->mask(), 0) << a.control << " and " << b.control;
      }
    }
  }
}

TEST(BindingsTable, ComboListsHoldEveryValueTheirFieldKeeps) {
  // Spot checks against the controller's value lists.
  EXPECT_EQ(findBinding("ComboBoxIRINPNUM")->items().size(), 20u);
  EXPECT_EQ(findBinding("ComboBoxLIN2MODEx")->items().size(), 17u);
  EXPECT_EQ(findBinding("ComboBoxLIN1MODEx")->items().size(), 11u);
  EXPECT_EQ(findBinding("ComboBoxDIFFBUSx")->items().size(), 10u);
  EXPECT_EQ(findBinding("ComboBoxCANSPEEDx")->items().size(), 12u);
  EXPECT_EQ(findBinding("ComboBoxPULSENUM")->items().size(), 16u);
  EXPECT_EQ(findBinding("ComboBoxLIN_TEMP_RELAY_PINx")->items().size(), 16u);
  EXPECT_EQ(findBinding("CheckListBoxIEBUSMODEBITSx")->items().size(), 16u);
  EXPECT_EQ(findBinding("ComboBoxGaNetJOYUSETYPE")->items().size(), 6u);
  EXPECT_EQ(findBinding("ComboBoxMCONTROLmouse")->items().size(), 8u);
}

}  // namespace
}  // namespace kivprism::params

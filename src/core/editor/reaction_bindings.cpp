#include "core/editor/reaction_bindings.hpp"

#include <array>

#include "core/editor/event_lists.hpp"
#include "core/editor/paged_bindings.hpp"
#include "core/editor/reaction_lists.hpp"
#include "core/editor/reaction_rules.hpp"
#include "core/events/entry.hpp"
#include "core/params/availability.hpp"

namespace kivprism::editor {

namespace {

namespace reaction = events::reaction;
using events::ReactionType;
using lists::List;
using view::Binding;
using view::ControlKind;
using view::EntryField;
using view::Rule;
using namespace reaction_rules;

using Paged = PagedBinding;

constexpr int pageOf(ReactionType t) { return static_cast<int>(t); }

constexpr Paged combo(ReactionType t, std::string_view name, EntryField field, List (*items)(),
                      const Rule* rule = nullptr) {
  return {
      pageOf(t),
      {.control = name, .kind = ControlKind::Combo, .rule = rule, .field = field, .items = items}};
}
constexpr Paged check(ReactionType t, std::string_view name, EntryField field,
                      const Rule* rule = nullptr) {
  return {pageOf(t), {.control = name, .kind = ControlKind::Check, .rule = rule, .field = field}};
}
constexpr Paged number(ReactionType t, std::string_view name, EntryField field,
                       std::uint32_t maximum, const Rule* rule = &kNumber) {
  return {pageOf(t),
          {.control = name,
           .kind = ControlKind::Edit,
           .rule = rule,
           .field = field,
           .maximum = maximum}};
}
constexpr Paged edit(ReactionType t, std::string_view name, const Rule& rule,
                     EntryField field = {}) {
  return {pageOf(t), {.control = name, .kind = ControlKind::Edit, .rule = &rule, .field = field}};
}
// Channel 0: the first dashboard line, 1: the second.
constexpr Paged displayLineEdit(std::string_view name, int channel) {
  return {pageOf(ReactionType::SwCan),
          {.control = name, .kind = ControlKind::Edit, .rule = &kDisplayLine, .channel = channel}};
}
// The largest number a self-correcting field keeps; its hint shows the range.
constexpr Paged upTo(Paged paged, std::uint32_t maximum) {
  paged.binding.maximum = maximum;
  return paged;
}
constexpr std::uint32_t kRepeatMax = 10000;  // above it the repeat becomes 500 ms
// The analog output a voltage edit belongs to (0 or 1).
constexpr Paged output(Paged paged, int channel) {
  paged.binding.channel = channel;
  return paged;
}
// A control whose hint the program sets itself.
constexpr Paged hinted(Paged paged, const lang::TextPair& hint) {
  paged.binding.hint = hint;
  return paged;
}
constexpr lang::TextPair kUsbPanelHint{"Нажмите для редактирования реакции",
                                       "Click to edit the response"};
constexpr lang::TextPair kIrPanelHint{"Нажмите для получения ИК кода для реакции",
                                      "Click to receive IR code for response"};
constexpr lang::TextPair kVout1Hint{"Напряжение на 1-м выходе аналогового управления",
                                    "Voltage at the 1st analog control output"};
constexpr lang::TextPair kVout2Hint{"Напряжение на 2-м выходе аналогового управления",
                                    "Voltage at the 2nd analog control output"};
constexpr lang::TextPair kAnalogTimeHint{
    "Минимальная длительность выдачи реакции на аналоговый выход управления",
    "The minimum duration of the response to the analog control output"};

constexpr Paged widget(ReactionType t, std::string_view name, const Rule& rule, int channel = 0) {
  return {pageOf(t),
          {.control = name, .kind = ControlKind::Widget, .rule = &rule, .channel = channel}};
}
constexpr Paged pwmMode(std::string_view name, std::size_t channel) {
  return combo(ReactionType::Pwm, name, EntryField{reaction::pwm::channel(channel).mode},
               lists::pwmModes);
}
constexpr Paged pwmValue(std::string_view name, std::size_t channel) {
  return number(ReactionType::Pwm, name, EntryField{reaction::pwm::channel(channel).value}, 60000);
}

// The dashboard lines' switches are program-filled (names ending in x): their captions live here.
constexpr lang::TextPair kLine1Caption{"Строка 1", "Line 1"};
constexpr lang::TextPair kLine2Caption{"Строка 2", "Line 2"};
constexpr Paged displayCheck(std::string_view name, events::BitFlag flag,
                             const lang::TextPair& caption) {
  return {pageOf(ReactionType::SwCan),
          {.control = name,
           .kind = ControlKind::Check,
           .rule = &kDisplaySetting,
           .field = EntryField{flag},
           .caption = caption}};
}

using R = ReactionType;
namespace rx = reaction;

constexpr std::uint32_t kSignedStepsMin = static_cast<std::uint32_t>(-10);

constexpr auto kPaged = std::to_array<Paged>({
    // 1 USB key.
    hinted(widget(R::UsbKey, "PanelEventReactionx", kClickArea), kUsbPanelHint),
    widget(R::UsbKey, "MemoEventReactionx", kUsbMemo),
    number(R::UsbKey, "EditReactionUSBKeyDlitmS", EntryField{rx::usb_key::kHoldMs}, 20000),
    // 2 IR code.
    hinted(widget(R::IrCode, "PanelEventReactionIRx", kIrPanel), kIrPanelHint),
    combo(R::IrCode, "ComboBoxReactionIROUTNUM", EntryField{rx::ir_code::kOutput}, lists::irOutputs,
          &kIrOutput),
    // 3 pin.
    combo(R::Pin, "ComboBoxEventReactionPinNUM", EntryField{rx::pin::kPin}, lists::reactionPins,
          &kPinNumber),
    combo(R::Pin, "ComboBoxEventReactionPinMODE", EntryField{rx::pin::kMode}, lists::pinModes,
          &kPinMode),
    number(R::Pin, "EditEventReactionPinTO", EntryField{rx::pin::kMinTimeMs}, 30000, &kPinTime),
    // 4 control.
    hinted(edit(R::Control, "EditReactionAnalogVOUT1", kVolts,
                EntryField{rx::control::kChannel1.voltage}),
           kVout1Hint),
    hinted(output(edit(R::Control, "EditReactionAnalogVOUT2", kVolts,
                       EntryField{rx::control::kChannel2.voltage}),
                  1),
           kVout2Hint),
    hinted(number(R::Control, "EditReactionAnalogTO", EntryField{rx::control::kPeriodMs}, 10000,
                  &kAnalogTime),
           kAnalogTimeHint),
    combo(R::Control, "ComboBoxReactionAnalogVOUT1type", EntryField{rx::control::kChannel1.action},
          lists::analogActions),
    combo(R::Control, "ComboBoxReactionAnalogVOUT2type", EntryField{rx::control::kChannel2.action},
          lists::analogActions),
    check(R::Control, "CheckBoxReactionAnalogVOUT1save",
          EntryField{rx::control::kChannel1.saveBeforeChange}),
    check(R::Control, "CheckBoxReactionAnalogVOUT2save",
          EntryField{rx::control::kChannel2.saveBeforeChange}),
    // 5 source.
    combo(R::Source, "ComboBoxEventReactionSRC", EntryField{rx::source::kChoice},
          lists::sourceChoices),
    widget(R::Source, "SpeedButtonEventReactionSRCSkipx", kSkipButton),
    check(R::Source, "CheckBoxEventReactionSRCSave", EntryField{rx::source::kSaveBeforeChange},
          &kSourceSave),
    // 6 USB touch.
    number(R::UsbTouch, "EditReactionTouchX", EntryField{rx::usb_touch::kX}, 4095),
    number(R::UsbTouch, "EditReactionTouchY", EntryField{rx::usb_touch::kY}, 4095),
    number(R::UsbTouch, "EditReactionTouchDlit", EntryField{rx::usb_touch::kDurationMs}, 4000),
    // 7 event manage.
    combo(R::EventManage, "ComboBoxReactionEventHandleType", EntryField{rx::event_manage::kAction},
          lists::eventActions),
    combo(R::EventManage, "ComboBoxReactionEventHandleNumx", EntryField{rx::event_manage::kTarget},
          lists::eventTargets),
    // 8 amplifier.
    widget(R::Amplifier, "TabControlAMPLx", kAmplifierTab),
    combo(R::Amplifier, "ComboBoxAMPLPARx", EntryField{rx::amplifier::kPosition}, nullptr,
          &kAmplifierActions),
    // 9 USB mouse.
    combo(R::UsbMouse, "ComboBoxReactionUSBMouseType", EntryField{rx::usb_mouse::kAction},
          lists::mouseActions),
    // 10 encoder.
    combo(R::Encoder, "ComboBoxReactionEncoderMODE", EntryField{rx::encoder::kConnection},
          lists::encoderConnections),
    {pageOf(R::Encoder),
     {.control = "CSpinEditReactionEncoderDIRx",
      .kind = ControlKind::Spin,
      .rule = &kSteps,
      .field = EntryField{events::U8Field{rx::encoder::kSteps.offset}},
      .minimum = kSignedStepsMin,
      .maximum = 10}},
    upTo(edit(R::Encoder, "EditReactionEncoderReplay", kEncoderRepeat,
              EntryField{rx::encoder::kRepeatMs}),
         kRepeatMax),
    // 11..13 bus commands.
    combo(R::Iebus, "ComboBoxReactionIEBUSEventx", EntryField{rx::iebus::kCommand},
          lists::iebusCommands),
    combo(R::IDrive, "ComboBoxReactionIDRIVEEventx", EntryField{rx::idrive::kCommand},
          lists::iDriveCommands),
    widget(R::IDrive, "PanelReactionIDRIVEParamx", kIDriveParameter),
    number(R::IDrive, "EditReactionIDRIVEEventx", EntryField{rx::idrive::kParameter}, 65535,
           &kIDriveParameter),
    combo(R::IBus, "ComboBoxReactionIBUSEventx", EntryField{rx::ibus::kCommand},
          lists::ibusCommands),
    // 14 serial.
    widget(R::Serial, "PanelReactionSerial", kSerialTarget),
    edit(R::Serial, "EditReactionSerialName", kReactionText),
    widget(R::Serial, "MemoSERIAL", kSerialMemo),
    // 15 cursor move.
    combo(R::CursorMove, "ComboBoxReactionCurMoveDirection",
          EntryField{rx::cursor_move::kDirection}, lists::cursorDirections),
    number(R::CursorMove, "EditReactionCurMoveNumPoints", EntryField{rx::cursor_move::kPoints},
           255),
    check(R::CursorMove, "CheckBoxReactionCurMovePress", EntryField{rx::cursor_move::kWithPress}),
    // 16 Acura joystick.
    combo(R::AcuraJoy, "ComboBoxReactionMDXJOY", EntryField{rx::acura_joy::kMode},
          lists::acuraJoyModes),
    // 17 UART.
    edit(R::Uart, "EditReactionUARTName", kReactionText),
    // 18 LIN.
    combo(R::Lin, "ComboBoxReactionLINx", EntryField{rx::lin::kCommand}, nullptr, &kLinCommand),
    check(R::Lin, "CheckBoxReactionLINTrigger", EntryField{rx::lin::kTrigger}),
    // 19 AUDI MMI.
    combo(R::AudiMmi, "ComboBoxReactionAUDIMMIMODEx", EntryField{rx::audi_mmi::kMode},
          lists::audiMmiModes),
    widget(R::AudiMmi, "PanelReactionAUDIMMIParamx", kAudiMmiParameter),
    number(R::AudiMmi, "EditReactionAUDIMMIPARAM", EntryField{rx::audi_mmi::kParameter}, 100,
           &kAudiMmiParameter),
    // 20 CarDSP.
    combo(R::CarDsp, "ComboBoxReactionCARDSPMODEx", EntryField{rx::car_dsp::kMode},
          lists::carDspModes),
    combo(R::CarDsp, "ComboBoxEditReactionCarDspParamx", EntryField{rx::car_dsp::kParameter},
          nullptr, &kCarDspParameter),
    upTo(edit(R::CarDsp, "EditReactionCarDSPReplay", kCarDspRepeat,
              EntryField{rx::car_dsp::kRepeatMs}),
         kRepeatMax),
    // 21..23.
    combo(R::Panacea, "ComboBoxReactionPANACEA", EntryField{rx::panacea::kMode},
          lists::panaceaModes),
    number(R::ResEmul, "EditReactionResEmulX", EntryField{rx::res_emul::kX}, 255),
    number(R::ResEmul, "EditReactionResEmulY", EntryField{rx::res_emul::kY}, 255),
    combo(R::RenaultCanJoy, "ComboBoxReactionRJOYx", EntryField{rx::renault_joy::kCommand},
          lists::renaultJoyCommands),
    // 24 steering-wheel CAN.
    combo(R::SwCan, "ComboBoxReactionSWVWTYPEx", EntryField{rx::sw_can::kType}, lists::swCanTypes,
          &kSwCanType),
    combo(R::SwCan, "ComboBoxReactionSWVWMODEx", EntryField{rx::sw_can::kCommand}, nullptr,
          &kSwCanCommand),
    widget(R::SwCan, "GroupBox_SW_CAN_PRESSx", kMessageGroup, 0),
    widget(R::SwCan, "Panel_SW_CAN_PRESS", kMessagePanel, 0),
    widget(R::SwCan, "GroupBox_SW_CAN_DEPRESSx", kMessageGroup, 1),
    widget(R::SwCan, "Panel_SW_CAN_DEPRESS", kMessagePanel, 1),
    widget(R::SwCan, "GroupBoxSWCAN_DISPLAY_MESSAGE", kDisplaySetting),
    displayLineEdit("Edit_SWCAN_DISPLAY_MESSAGE_S1", 0),
    displayLineEdit("Edit_SWCAN_DISPLAY_MESSAGE_S2", 1),
    number(R::SwCan, "Edit_SWCAN_DISPLAY_MESSAGE_DLIT", EntryField{rx::sw_can::kDisplayMs}, 60000,
           &kDisplayTime),
    displayCheck("CheckBox_SWCAN_DISPLAY_MESSAGE_S1x", rx::sw_can::kLine1Enabled, kLine1Caption),
    displayCheck("CheckBox_SWCAN_DISPLAY_MESSAGE_S2x", rx::sw_can::kLine2Enabled, kLine2Caption),
    // 25 GaNet.
    combo(R::GaNet, "ComboBoxReactionGNNAVIMODE", EntryField{rx::ganet::kMode}, lists::ganetModes),
    edit(R::GaNet, "EditReactionGNNAVIPARAM", kGanetCode, EntryField{rx::ganet::kCode}),
    // 26..28.
    combo(R::CruiseBmwDme, "ComboBoxReactionCBMWx", EntryField{rx::cruise_bmw_dme::kKey},
          lists::cruiseKeys),
    combo(R::MercedesCtrl, "ComboBoxReactionMCONTROLx", EntryField{rx::mercedes_ctrl::kCommand},
          lists::mercedesCtrlCommands),
    combo(R::Hwr, "ComboBoxReactionHWRx", EntryField{rx::hwr::kCommand}, lists::hwrCommands),
    check(R::Hwr, "CheckBoxReactionHWRTrigger", EntryField{rx::hwr::kTrigger}),
    // 29 VAR.
    combo(R::Var, "ComboBoxReactionVarNamex", EntryField{rx::var::kVariable}, lists::varNames),
    widget(R::Var, "SpeedButtonReactionVARFuncx", kVarOperation),
    number(R::Var, "EditReactionVARVal", EntryField{rx::var::kOperand}, 255, &kVarOperand),
    // 30 PWM.
    pwmMode("ComboBoxRespCh1Modex", 0),
    pwmValue("EditRespCh1Val", 0),
    pwmMode("ComboBoxRespCh2Modex", 1),
    pwmValue("EditRespCh2Val", 1),
    pwmMode("ComboBoxRespCh3Modex", 2),
    pwmValue("EditRespCh3Val", 2),
    pwmMode("ComboBoxRespCh4Modex", 3),
    pwmValue("EditRespCh4Val", 3),
    number(R::Pwm, "EditRespPWMTO", EntryField{rx::pwm::kRepeatMs}, 10000),
});

constexpr auto kBindings = bindingsOf(kPaged);
constexpr auto kPages = pagesOf(kPaged);

}  // namespace

const view::BindingTable& reactionBindings() {
  static const view::BindingTable table(kBindings);
  return table;
}

std::span<const int> reactionBindingPages() { return kPages; }

std::string_view reactionPageSheet(std::size_t page) {
  return params::reactionPageName(static_cast<ReactionType>(page));
}

}  // namespace kivprism::editor

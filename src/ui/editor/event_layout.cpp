#include "ui/editor/event_layout.hpp"

#include <array>

namespace kivprism::ui::editor {

namespace {

using ui::TabLayout;

constexpr std::string_view kNone{};

constexpr std::array<FormRow, 0> kEmpty{};
constexpr std::array kKey{FormRow{kKeyModifierPanel, "PanelKeyModText"},
                          FormRow{kKeyPanel, "PanelKeyText"}};
constexpr std::array kIr{FormRow{kIrPanel, kNone}};
constexpr std::array kTimeout{
    FormRow{"ComboBoxEditEventTimeoutTypex", kNone},
    FormRow{"EditEventTimeout", "PanelEventTimeoutFrom", "PanelEventTimeout"}};
constexpr std::array kIbus{FormRow{"ComboBoxEventIBUSx", kNone}};
constexpr std::array kIntercept{FormRow{"ComboBoxEventIntercept", kNone}};
constexpr std::array kVoltage{FormRow{"ComboBoxEventVoltageInputx", kNone},
                              FormRow{"SpeedButtonEventVoltageZnakx", kNone},
                              FormRow{"EditEventVoltageValue", kNone, "PanelEventVoltagemVx"},
                              FormRow{"EditEventVoltageTO", "Panel16", "Panel17"}};
constexpr std::array kUsb{FormRow{"ComboBoxEventUSB", kNone}};
constexpr std::array kIebus{FormRow{"ComboBoxEventIEBUSx", kNone}};
constexpr std::array kNavi{FormRow{"ComboBoxEventNAVIMUTE", kNone}};
constexpr std::array kGestures{FormRow{"ComboBoxEventGestureFrom", "PanelEventGestureFrom"},
                               FormRow{"ComboBoxEventGestureTo", "PanelEventGestureTo"}};
constexpr std::array kIDrive{FormRow{"ComboBoxEventiDRIVEx", kNone}};
constexpr std::array kGaNet{FormRow{"ComboBoxEventGANETx", kNone}};
constexpr std::array kMercedesJoy{FormRow{"ComboBoxEventMJOYx", kNone}};
constexpr std::array kSerial{FormRow{"EditSerialEeventx", kNone},
                             FormRow{"PanelSerialEevent", kNone}};
constexpr std::array kPins{FormRow{"ComboBoxEventPinPinx", kNone},
                           FormRow{"ComboBoxEventPinState", "Panel11"},
                           FormRow{"EditEventPinTO", "Panel13"}};
constexpr std::array kAcuraJoy{FormRow{"ComboBoxEventMDXJOYx", kNone}};
constexpr std::array kLin{FormRow{"ComboBoxEventLINx", kNone}};
constexpr std::array kBluetooth{FormRow{"ComboBoxEventBT", kNone}};
constexpr std::array kUart{FormRow{"EditUARTEeventx", kNone}};
constexpr std::array kAudiMmi{FormRow{"ComboBoxEventAUDIMMIx", kNone}};
constexpr std::array kRenaultJoy{FormRow{"ComboBoxEventRenaultCANJoyx", kNone}};
constexpr std::array kSwCan{FormRow{"ComboBoxEventSWVWx", kNone}, FormRow{kCanFilterButton, kNone}};
constexpr std::array kMercedesCtrl{FormRow{"ComboBoxEventMCONTROLx", kNone}};
constexpr std::array kVar{FormRow{"ComboBoxEventVarNamex", kNone},
                          FormRow{"SpeedButtonEventVARFunc1x", kNone},
                          FormRow{"EditEventVARMask", kNone},
                          FormRow{"SpeedButtonEventVARFunc2x", kNone},
                          FormRow{"EditEventVARVal", kNone},
                          FormRow{"EditEventVarTO", "PanelEventVarTO1", "PanelEventVarTO2"}};
constexpr std::array kHonda{FormRow{"ComboBoxEventHKx", kNone}};

constexpr std::array kPages{
    TabLayout{"TabSheetEventZero", kEmpty},
    TabLayout{"TabSheetEventKey", kKey},
    TabLayout{"TabSheetEventIR", kIr},
    TabLayout{"TabSheetEventSRC", kEmpty},
    TabLayout{"TabSheetEventTimeout", kTimeout},
    TabLayout{"TabSheetEventIBUSx", kIbus},
    TabLayout{"TabSheetEventIntercept", kIntercept},
    TabLayout{"TabSheetEventVoltage", kVoltage},
    TabLayout{"TabSheetEventUSBx", kUsb},
    TabLayout{"TabSheetEventIEBUSx", kIebus},
    TabLayout{"TabSheetEvenNAVIx", kNavi},
    TabLayout{"TabSheetEventGesture", kGestures},
    TabLayout{"TabSheetEventiDRIVE", kIDrive},
    TabLayout{"TabSheetEventGANETx", kGaNet},
    TabLayout{"TabSheetEventMercedesJOYx", kMercedesJoy},
    TabLayout{"TabSheetEventSerialx", kSerial},
    TabLayout{"TabSheetEventPin", kPins},
    TabLayout{"TabSheetMDXJOYx", kAcuraJoy},
    TabLayout{"TabSheetEventLINx", kLin},
    TabLayout{"TabSheetBT", kBluetooth},
    TabLayout{"TabSheetEventUARTx", kUart},
    TabLayout{"TabSheetEventAUDIMMI", kAudiMmi},
    TabLayout{"TabSheetEventRenaultCANJoy", kRenaultJoy},
    TabLayout{"TabSheetEventSWVWx", kSwCan},
    TabLayout{"TabSheetEventMCONTROL", kMercedesCtrl},
    TabLayout{"TabSheetEventVARx", kVar},
    TabLayout{"TabSheetEventHK", kHonda},
};

constexpr std::array kBottom{FormRow{"ComboBoxEventEvent", "PanelEventPress"},
                             FormRow{"CheckBoxEventWakeUp"}, FormRow{"CheckBoxEventOnce"},
                             FormRow{kSourceMaskBox, "PanelEventSRC"}};

}  // namespace

std::span<const TabLayout> eventPages() { return kPages; }

std::span<const FormRow> eventBottomRow() { return kBottom; }

const FormRow* findEventRow(std::string_view control) {
  for (const TabLayout& page : kPages) {
    for (const FormRow& row : page.rows) {
      if (row.control == control) {
        return &row;
      }
    }
  }
  return nullptr;
}

}  // namespace kivprism::ui::editor

#include "core/params/availability.hpp"

#include <span>

#include "core/events/entry.hpp"
#include "core/params/bus_modes.hpp"

namespace kivprism::params {

namespace layout = config::layout;
using events::EventType;
using events::ReactionType;

namespace {

// USB functions: bits of the USB-mode field.
constexpr unsigned kUsbKeyboard = 1u << 1;       // keyboard usage page 07
constexpr unsigned kUsbConsumer = 1u << 2;       // consumer page 0C
constexpr unsigned kUsbSystemControl = 1u << 3;  // system control
constexpr unsigned kUsbTouchAndroid = 1u << 5;
constexpr unsigned kUsbTouchWindows = 1u << 6;

constexpr std::array<std::string_view, events::kEventTypeCount> kEventPages = {
    "TabSheetEventZero",
    "TabSheetEventKey",
    "TabSheetEventIR",
    "TabSheetEventSRC",
    "TabSheetEventTimeout",
    "TabSheetEventIBUSx",
    "TabSheetEventIntercept",
    "TabSheetEventVoltage",
    "TabSheetEventUSBx",
    "TabSheetEventIEBUSx",
    "TabSheetEvenNAVIx",
    "TabSheetEventGesture",
    "TabSheetEventiDRIVE",
    "TabSheetEventGANETx",
    "TabSheetEventMercedesJOYx",
    "TabSheetEventSerialx",
    "TabSheetEventPin",
    "TabSheetMDXJOYx",
    "TabSheetEventLINx",
    "TabSheetBT",
    "TabSheetEventUARTx",
    "TabSheetEventAUDIMMI",
    "TabSheetEventRenaultCANJoy",
    "TabSheetEventSWVWx",
    "TabSheetEventMCONTROL",
    "TabSheetEventVARx",
    "TabSheetEventHK",
};
constexpr std::array<std::string_view, events::kReactionTypeCount> kReactionPages = {
    "TabSheetReactionZero",
    "TabSheetReactionUSBKey",
    "TabSheetReactionIR",
    "TabSheetReactionOUT",
    "TabSheetReactionAnalog",
    "TabSheetReactionSRC",
    "TabSheetReactionTouch",
    "TabSheetReactionEventColtrol",
    "TabSheetReactionEventIEAMPL",
    "TabSheetReactionUSBMouse",
    "TabSheetReactionEncoder",
    "TabSheetReactionIEBUSx",
    "TabSheetReactioniDrivex",
    "TabSheetReactioniBusx",
    "SERIALx",
    "CurMovex",
    "TabSheetReactionMDXJOYx",
    "TabSheetReactionUARTx",
    "TabSheetReactionLINx",
    "TabSheetReactionAUDIMMIx",
    "TabSheetReactionCarDSPx",
    "TabSheetReactionPANACEAx",
    "TabSheetRESEMUL",
    "TabSheetReactionRJOYx",
    "TabSheetReactionSWVWx",
    "TabSheetReactionGNNAVIx",
    "TabSheetReactionCRUISE_BMW_DMEx",
    "TabSheetReactionMCONTROLx",
    "TabSheetReactionHWRx",
    "TabSheetReactionVARx",
    "TabSheetReactionPWMx",
};

void mark(AvailabilityMarks& m, EventType t, bool unavailable) {
  m.event[static_cast<std::size_t>(t)] = unavailable;
}
void mark(AvailabilityMarks& m, ReactionType t, bool unavailable) {
  m.reaction[static_cast<std::size_t>(t)] = unavailable;
}

// The pages that depend on the differential-bus mode.
struct BusPages {
  unsigned mode;
  EventType event;
  bool hasEvent;
  ReactionType reaction;
  bool hasReaction;
};
constexpr std::array<BusPages, 7> kBusPages = {{
    {kBusCan, EventType::SwCan, true, ReactionType::SwCan, true},
    {kBusIdrive, EventType::IDrive, true, ReactionType::IDrive, true},
    {kBusRenaultJoy, EventType::RenaultCanJoy, true, ReactionType::RenaultCanJoy, true},
    {kBusMercedesJoy, EventType::MercedesJoy, true, ReactionType::None, false},
    {kBusMercedesCtrl, EventType::MercedesCtrl, true, ReactionType::MercedesCtrl, true},
    {kBusIebus, EventType::Iebus, true, ReactionType::Iebus, true},
    {kBusGanet, EventType::GaNet, true, ReactionType::GaNet, true},
}};

constexpr std::array<std::string_view, 8> kVwCommands = {
    "Backlight OFF", "Backlight ON", "Heat SW off",  "Heat SW 20°C",
    "Heat SW 25°C",  "Heat SW 30°C", "Heat SW 35°C", "Heat SW 40°C"};
constexpr std::array<std::string_view, 11> kAudi2Commands = {
    "KEY VOL UP", "KEY VOL DN", "KEY VOL PRESS", "KEY DIR UP", "KEY DIR DN",  "KEY DIR PRESS",
    "KEY MODE",   "KEY VOICE",  "JOY LEFT",      "JOY RIGHT",  "KEY INFO NAV"};
constexpr std::array<std::string_view, 30> kAudi1Commands = {
    "KEY VOL UP",  "KEY VOL DN",  "KEY VOL PRESS",    "KEY BACKWARD", "KEY FORWARD",
    "KEY DIR UP",  "KEY DIR DN",  "KEY DIR PRESS",    "KEY MENU",     "KEY BACK",
    "KEY MODE",    "KEY VOICE",   "KEY INFO NAV",     "KEY RIGHT",    "KEY LEFT",
    "JOY LEFT",    "JOY RIGHT",   "KEY PHONE",        "KEY AUTO",     "KEY OK L",
    "KEY OK R",    "KEY VIEW",    "KEY DRIVE SELECT", "KEY FLAG",     "ENC FLAG UP",
    "ENC FLAG DN", "KEY EXHAUST", "KEY OI",           "KEY MUTE",     "KEY HEAT"};
constexpr std::array<std::string_view, 15> kVw1Commands = {
    "KEY VOL UP", "KEY VOL DN", "KEY BACKWARD", "KEY FORWARD", "KEY PHONE",
    "KEY VOICE",  "KEY UP",     "KEY DN",       "KEY LEFT",    "KEY RIGHT",
    "KEY OK",     "KEY BACK",   "KEY HORN",     "JOY LEFT",    "JOY RIGHT"};
constexpr std::array<std::string_view, 23> kVw2Commands = {
    "KEY VOL UP", "KEY VOL DN", "KEY VOL PRESS", "KEY BACKWARD", "KEY FORWARD", "KEY PHONE",
    "KEY VOICE",  "KEY UP",     "KEY DN",        "KEY LEFT",     "KEY RIGHT",   "KEY OK",
    "KEY BACK",   "KEY HORN",   "JOY LEFT",      "JOY RIGHT",    "KEY RES",     "KEY OI",
    "KEY SET",    "KEY CNL",    "KEY MINUS",     "KEY AUTO",     "KEY PLUS"};
constexpr std::array<std::string_view, 13> kBmwF10Commands = {
    "KEY VOL DN", "KEY VOL UP", "KEY DIR UP", "KEY DIR DN", "KEY DIR PRESS",
    "KEY PHONE",  "KEY VOICE",  "KEY MODE",   "KEY OI",     "KEY RES",
    "KEY SET",    "KEY MINUS",  "KEY PLUS"};
constexpr std::array<std::string_view, 14> kDodgeCommands = {
    "KEY VOL UP", "KEY VOL DN", "KEY FORWARD", "KEY BACKWARD", "KEY HUP",  "KEY HDN",   "KEY VOICE",
    "KEY MODE",   "KEY MENU",   "KEY UP",      "KEY DN",       "KEY LEFT", "KEY RIGHT", "KEY OK"};
constexpr std::array<std::string_view, 11> kW251Commands = {
    "KEY MENU",   "KEY MODE",   "KEY UP",   "KEY DN", "KEY HUP", "KEY HDN",
    "KEY VOL UP", "KEY VOL DN", "KEY HORN", "JOY UP", "JOY DN"};
constexpr std::array<std::string_view, 15> kVolvoCommands = {
    "KEY VOL UP", "KEY VOL DN", "KEY FORWARD", "KEY BACKWARD", "KEY BACK",
    "KEY OK",     "KEY UP",     "KEY DN",      "KEY LEFT",     "KEY RIGHT",
    "KEY OI",     "KEY PLUS",   "KEY MINUS",   "KEY RES",      "KEY SET"};

std::span<const std::string_view> lin2Commands(unsigned mode) {
  switch (mode) {
    case 3:
    case 4:
    case 5:
      return kVwCommands;
    case 6:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13:
    case 15:
    case 16:
      return std::span(kVwCommands).first(2);
    default:
      return {};  // a single "Backlight OFF" is not worth a list
  }
}

std::span<const std::string_view> lin1Commands(unsigned mode) {
  switch (mode) {
    case 2:
      return kAudi2Commands;
    case 3:
      return kAudi1Commands;
    case 4:
      return kVw1Commands;
    case 5:
      return kVw2Commands;
    case 6:
      return kBmwF10Commands;
    case 8:
      return kDodgeCommands;
    case 9:
      return kW251Commands;
    case 10:
      return kVolvoCommands;
    default:
      return {};
  }
}

}  // namespace

AvailabilityMarks computeAvailability(const config::ConfigImage& image) {
  AvailabilityMarks m;
  const unsigned bus = image.getU8(layout::kDiffBusMode);
  for (const BusPages& p : kBusPages) {
    if (p.hasEvent) {
      mark(m, p.event, bus != p.mode);
    }
    if (p.hasReaction) {
      mark(m, p.reaction, bus != p.mode);
    }
  }
  const LinLayout lin = linLayout(image.getU8(layout::kLin1Mode), image.getU8(layout::kLin2Mode));
  mark(m, EventType::Lin, !lin.eventPage);
  mark(m, ReactionType::Lin, !lin.reactionPage);

  mark(m, EventType::Gestures, image.getU8(layout::kTouchGestures) == 0);
  mark(m, EventType::Bluetooth, image.getU8(layout::kBtNum) == 0);
  const bool noUart = image.getU8(layout::kUartNum) == 0;
  mark(m, EventType::Uart, noUart);
  mark(m, ReactionType::Uart, noUart);
  mark(m, ReactionType::CarDsp, image.getU8(layout::kCarDspNum) == 0);
  mark(m, EventType::PanelHonda, image.getU8(layout::kHondaPanel) == 0);
  const bool noAcuraJoy = image.getU8(layout::kGanetAcuraJoyUseType) == 0;
  mark(m, EventType::AcuraJoy, noAcuraJoy);
  mark(m, ReactionType::AcuraJoy, noAcuraJoy);
  const bool noMmi = image.getU8(layout::kAudiMmiUseType) == 0;
  mark(m, EventType::AudiMmi, noMmi);
  mark(m, ReactionType::AudiMmi, noMmi);
  const unsigned usb = image.getU16(layout::kPidSupport);
  mark(m, ReactionType::UsbKey, (usb & (kUsbKeyboard | kUsbConsumer | kUsbSystemControl)) == 0);
  mark(m, ReactionType::UsbTouch, (usb & (kUsbTouchAndroid | kUsbTouchWindows)) == 0);
  mark(m, ReactionType::ResEmul, true);
  mark(m, ReactionType::Panacea, true);
  return m;
}

std::string_view eventPageName(EventType type) {
  return kEventPages[static_cast<std::size_t>(type)];
}

std::string_view reactionPageName(ReactionType type) {
  return kReactionPages[static_cast<std::size_t>(type)];
}

PageVisibility visiblePages(const config::ConfigImage& image, const AvailabilityMarks& marks,
                            bool onlyUsed) {
  PageVisibility v;
  if (onlyUsed) {
    for (std::size_t i = 0; i < layout::kEntryCount; ++i) {
      const auto entry = image.entry(i);
      if (const unsigned e = events::eventTypeCode(entry); e < v.event.size()) {
        v.event[e] = true;
      }
      if (const unsigned r = events::reactionTypeCode(entry); r < v.reaction.size()) {
        v.reaction[r] = true;
      }
    }
  } else {
    v.event.fill(true);
    v.reaction.fill(true);
  }
  for (std::size_t i = 0; i < v.event.size(); ++i) {
    v.event[i] = v.event[i] && !marks.event[i];
  }
  for (std::size_t i = 0; i < v.reaction.size(); ++i) {
    v.reaction[i] = v.reaction[i] && !marks.reaction[i];
  }
  return v;
}

const lang::TextPair& onlyUsedHint(bool onlyUsed) {
  static constexpr lang::TextPair kShowAll{"Отображать все события и реакции",
                                           "Display all events and reactions"};
  static constexpr lang::TextPair kShowUsed{"Отображать только используемые события и реакции",
                                            "Display only used events and reactions"};
  return onlyUsed ? kShowAll : kShowUsed;
}

std::vector<std::string_view> linReactionCommands(unsigned lin1Mode, unsigned lin2Mode) {
  std::vector<std::string_view> out;
  for (auto list : {lin2Commands(lin2Mode), lin1Commands(lin1Mode)}) {
    out.insert(out.end(), list.begin(), list.end());
  }
  return out;
}

KeyboardGroups keyboardGroups(const config::ConfigImage& image) {
  const unsigned usb = image.getU16(layout::kPidSupport);
  return {(usb & kUsbKeyboard) != 0, (usb & kUsbConsumer) != 0, (usb & kUsbSystemControl) != 0};
}

std::array<std::string_view, 4> encoderKeyCaptions(const config::ConfigImage& image) {
  const bool first = image.getU8(layout::kEnc0Mode) != 0;
  const bool second = image.getU8(layout::kEnc1Mode) != 0;
  return {first ? "Enc1+" : "", first ? "Enc1-" : "", second ? "Enc2+" : "", second ? "Enc2-" : ""};
}

bool canLogVisible(const config::ConfigImage& image) {
  return image.getU8(layout::kDiffBusMode) == kBusCan;
}

}  // namespace kivprism::params

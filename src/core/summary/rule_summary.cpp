#include "core/summary/rule_summary.hpp"

#include <array>
#include <string_view>
#include <vector>

#include "core/editor/event_lists.hpp"
#include "core/editor/event_rules.hpp"
#include "core/editor/reaction_lists.hpp"
#include "core/editor/reaction_rules.hpp"
#include "core/events/entry_operations.hpp"
#include "core/events/entry_types.hpp"
#include "core/events/ir_protocols.hpp"
#include "core/summary/summary_texts.hpp"

namespace kivprism::summary {

namespace {

namespace entry = events::entry;
namespace event = events::event;
namespace rx = events::reaction;
namespace lists = editor::lists;
using config::ConfigImage;
using events::ConstEntryBytes;
using lang::Language;
using lang::TextPair;

std::string in(const TextPair& pair, Language l) { return std::string(pair.in(l)); }

std::string item(lists::List list, unsigned position, Language l) {
  if (position < list.size()) {
    return in(list[position], l);
  }
  return lang::formatText(texts::kUnknown.in(l), position);
}

std::string join(const std::vector<std::string>& parts, std::string_view separator = ", ") {
  std::string out;
  for (const std::string& part : parts) {
    if (part.empty()) {
      continue;
    }
    if (!out.empty()) {
      out += separator;
    }
    out += part;
  }
  return out;
}

std::string ms(const TextPair& format, unsigned value, Language l) {
  return lang::formatText(format.in(l), value);
}

std::string hexBytes(std::span<const std::uint8_t> bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    out += lang::formatText(i == 0 ? "%02X" : " %02X", unsigned{bytes[i]});
  }
  return out;
}

std::string canIdText(events::CanId id) {
  return id.extended ? lang::formatText("%08X", id.value) : lang::formatText("%03X", id.value);
}

// The type's caption, then its settings after a colon.
std::string eventTyped(ConstEntryBytes e, const std::string& details, Language l) {
  const auto name = events::eventTypeName(events::eventTypeCode(e));
  std::string out =
      name ? in(*name, l) : lang::formatText(texts::kUnknown.in(l), events::eventTypeCode(e));
  return details.empty() ? out : out + ": " + details;
}
std::string reactionTyped(ConstEntryBytes e, const std::string& details, Language l) {
  const auto name = events::reactionTypeName(events::reactionTypeCode(e));
  std::string out =
      name ? in(*name, l) : lang::formatText(texts::kUnknown.in(l), events::reactionTypeCode(e));
  return details.empty() ? out : out + ": " + details;
}

std::string quoted(const std::string& text) { return text.empty() ? text : '"' + text + '"'; }

// ---- events -----------------------------------------------------------------------------------

std::string eventNone(const ConfigImage&, ConstEntryBytes e, Language l) {
  return eventTyped(e, {}, l);
}

// An event that stores only a position in one fixed list.
template <lists::List (*items)()>
std::string eventListed(const ConfigImage&, ConstEntryBytes e, Language l) {
  return eventTyped(e, item(items(), events::get(e, event::kListPosition), l), l);
}

std::string eventKey(const ConfigImage& image, ConstEntryBytes e, Language l) {
  const events::KeyReference key = events::keyOf(e);
  if (!key.isSet()) {
    return eventTyped(e, in(texts::kNoKey, l), l);
  }
  std::string details = editor::keyPanelText(image, key, false);
  if (const events::KeyReference modifier = events::modifierOf(e); modifier.isSet()) {
    details += ", " + lang::formatText(texts::kModifier.in(l),
                                       editor::keyPanelText(image, modifier, true).c_str());
  }
  return eventTyped(e, details, l);
}

std::string eventIrCode(const ConfigImage&, ConstEntryBytes e, Language l) {
  const events::IrCode code = events::get(e, event::ir_code::kCode);
  if (!events::isEventIrCodeSet(code.protocol)) {
    return eventTyped(e, in(texts::kNoCode, l), l);
  }
  return eventTyped(e, editor::eventIrCodeText(code, l), l);
}

std::string eventSource(const ConfigImage&, ConstEntryBytes e, Language l) {
  return eventTyped(e, {}, l);
}

std::string eventTimeout(const ConfigImage&, ConstEntryBytes e, Language l) {
  return eventTyped(
      e,
      join({item(lists::timeoutStarts(), events::get(e, event::timeout::kStartPoint), l),
            ms(texts::kAfterStart, events::get(e, event::timeout::kDelayMs), l)}),
      l);
}

std::string eventVoltage(const ConfigImage&, ConstEntryBytes e, Language l) {
  const unsigned input = events::get(e, event::voltage::kInput);
  const std::string threshold =
      std::string(events::get(e, event::voltage::kGreaterThan) != 0 ? "> " : "< ") +
      std::to_string(events::get(e, event::voltage::kThreshold)) + " " +
      std::string(editor::voltageUnit(input, l));
  return eventTyped(e,
                    join({item(lists::voltageInputs(), input, l), threshold,
                          ms(texts::kHold, events::get(e, event::voltage::kHoldMs), l)}),
                    l);
}

std::string eventGestures(const ConfigImage&, ConstEntryBytes e, Language l) {
  return eventTyped(e,
                    item(lists::gestureAreas(), events::get(e, event::gestures::kStartArea), l) +
                        " -> " +
                        item(lists::gestureEnds(), events::get(e, event::gestures::kEnd), l),
                    l);
}

template <events::TextField field>
std::string eventText(const ConfigImage&, ConstEntryBytes e, Language l) {
  return eventTyped(e, quoted(events::get(e, field)), l);
}

std::string eventPins(const ConfigImage&, ConstEntryBytes e, Language l) {
  return eventTyped(e,
                    join({item(lists::eventPins(), events::get(e, event::pins::kPin), l),
                          item(lists::pinLevels(), events::get(e, event::pins::kLevel), l),
                          ms(texts::kHold, events::get(e, event::pins::kHoldMs), l)}),
                    l);
}

std::string canFilterWords(const events::CanFilter& filter, Language l) {
  if (!filter.isSet()) {
    return in(texts::kCanFilterNotSet, l);
  }
  return lang::formatText(texts::kCanFilter.in(l), canIdText(filter.id()).c_str(),
                          hexBytes(filter.usedData()).c_str(), hexBytes(filter.usedMask()).c_str());
}

std::string eventSwCan(const ConfigImage&, ConstEntryBytes e, Language l) {
  const unsigned position = events::get(e, event::sw_can::kPosition);
  if (position == 0) {
    return eventTyped(e, canFilterWords(events::get(e, event::sw_can::kFilter), l), l);
  }
  return eventTyped(e, item(lists::swCanEvents(), position, l), l);
}

std::string eventVar(const ConfigImage&, ConstEntryBytes e, Language l) {
  const unsigned variable = events::get(e, event::var::kVariable);
  if (variable == 0) {
    return eventTyped(e, item(lists::varNames(), variable, l), l);
  }
  std::string test = item(lists::varNames(), variable, l);
  if (const unsigned logic = events::get(e, event::var::kLogicOperation); logic != 0) {
    test += " " + std::string(editor::varLogicText(logic)) + " " +
            editor::hexByteText(events::get(e, event::var::kOperand));
  }
  if (const unsigned comparison = events::get(e, event::var::kComparison); comparison != 0) {
    test += " " + std::string(editor::varComparisonText(comparison)) + " " +
            editor::hexByteText(events::get(e, event::var::kValue));
  }
  return eventTyped(e, join({test, ms(texts::kHold, events::get(e, event::var::kHoldMs), l)}), l);
}

constexpr std::array<EventSummary, events::kEventTypeCount> kEventSummaries{
    eventNone,                               // None
    eventKey,                                // Key
    eventIrCode,                             // IrCode
    eventSource,                             // Source
    eventTimeout,                            // Timeout
    eventListed<lists::bmwIbusEvents>,       // BmwIbus
    eventListed<lists::activation>,          // Intercept
    eventVoltage,                            // Voltage
    eventListed<lists::activation>,          // Usb
    eventListed<lists::iebusEvents>,         // Iebus
    eventListed<lists::naviMute>,            // Navi
    eventGestures,                           // Gestures
    eventListed<lists::iDriveEvents>,        // IDrive
    eventListed<lists::gaNetEvents>,         // GaNet
    eventListed<lists::mercedesJoyEvents>,   // MercedesJoy
    eventText<event::serial::kText>,         // Serial
    eventPins,                               // Pins
    eventListed<lists::acuraJoyEvents>,      // AcuraJoy
    eventListed<lists::linEvents>,           // Lin
    eventListed<lists::activation>,          // Bluetooth
    eventText<event::uart::kText>,           // Uart
    eventListed<lists::audiMmiEvents>,       // AudiMmi
    eventListed<lists::renaultJoyEvents>,    // RenaultCanJoy
    eventSwCan,                              // SwCan
    eventListed<lists::mercedesCtrlEvents>,  // MercedesCtrl
    eventVar,                                // Var
    eventListed<lists::hondaPanelEvents>,    // PanelHonda
};

// ---- reactions --------------------------------------------------------------------------------

std::string reactionNone(const ConfigImage&, ConstEntryBytes e, Language l) {
  return reactionTyped(e, {}, l);
}

template <lists::List (*items)(), events::U8Field field>
std::string reactionListed(const ConfigImage&, ConstEntryBytes e, Language l) {
  return reactionTyped(e, item(items(), events::get(e, field), l), l);
}

std::string reactionUsbKey(const ConfigImage&, ConstEntryBytes e, Language l) {
  std::string keys = editor::describeUsbKey(e);
  if (keys.empty()) {
    keys = in(texts::kNothingChosen, l);
  }
  const unsigned hold = events::get(e, rx::usb_key::kHoldMs);
  return reactionTyped(e, join({keys, hold != 0 ? ms(texts::kHold, hold, l) : std::string{}}), l);
}

std::string reactionIrCode(const ConfigImage&, ConstEntryBytes e, Language l) {
  const events::IrCode code = events::get(e, rx::ir_code::kCode);
  const std::string codeText = editor::reactionIrProtocolName(code.protocol)
                                   ? editor::reactionIrCodeText(code, l)
                                   : in(texts::kNoCode, l);
  return reactionTyped(
      e,
      join({codeText,
            lang::formatText(
                texts::kOutput.in(l),
                item(lists::irOutputs(), events::get(e, rx::ir_code::kOutput), l).c_str())}),
      l);
}

std::string reactionPin(const ConfigImage&, ConstEntryBytes e, Language l) {
  const unsigned pin = events::get(e, rx::pin::kPin);
  if (pin == 0) {
    return reactionTyped(e, item(lists::reactionPins(), pin, l), l);
  }
  return reactionTyped(e,
                       join({item(lists::reactionPins(), pin, l),
                             item(lists::pinModes(), events::get(e, rx::pin::kMode), l),
                             ms(texts::kMilliseconds, events::get(e, rx::pin::kMinTimeMs), l)}),
                       l);
}

std::string reactionControl(const ConfigImage&, ConstEntryBytes e, Language l) {
  std::vector<std::string> parts;
  for (std::size_t c = 0; c < rx::control::kChannelCount; ++c) {
    const auto channel = rx::control::channel(c);
    std::string words =
        item(lists::analogActions(), events::get(e, channel.action), l) + " " +
        lang::formatText(texts::kVolts.in(l),
                         editor::voltsText(events::get(e, channel.voltage)).c_str());
    if (events::get(e, channel.saveBeforeChange) != 0) {
      words += " " + in(texts::kSave, l);
    }
    parts.push_back(
        lang::formatText(texts::kChannel.in(l), static_cast<unsigned>(c + 1), words.c_str()));
  }
  parts.push_back(ms(texts::kMilliseconds, events::get(e, rx::control::kPeriodMs), l));
  return reactionTyped(e, join(parts), l);
}

std::string reactionSource(const ConfigImage&, ConstEntryBytes e, Language l) {
  std::vector<std::string> parts{
      item(lists::sourceChoices(), events::get(e, rx::source::kChoice), l)};
  if (const std::uint8_t skip = events::get(e, rx::source::kSkipMask); skip != 0) {
    parts.push_back(editor::skipButtonCaption(skip, l));
  }
  if (events::get(e, rx::source::kSaveBeforeChange) != 0) {
    parts.push_back(in(texts::kSave, l));
  }
  return reactionTyped(e, join(parts), l);
}

std::string reactionUsbTouch(const ConfigImage&, ConstEntryBytes e, Language l) {
  return reactionTyped(
      e,
      join({lang::formatText(texts::kPosition.in(l), unsigned{events::get(e, rx::usb_touch::kX)},
                             unsigned{events::get(e, rx::usb_touch::kY)}),
            ms(texts::kDuration, events::get(e, rx::usb_touch::kDurationMs), l)}),
      l);
}

std::string reactionEventManage(const ConfigImage&, ConstEntryBytes e, Language l) {
  return reactionTyped(
      e,
      item(lists::eventActions(), events::get(e, rx::event_manage::kAction), l) + " " +
          item(lists::eventTargets(), events::get(e, rx::event_manage::kTarget), l),
      l);
}

std::string reactionAmplifier(const ConfigImage&, ConstEntryBytes e, Language l) {
  const unsigned parameter = events::get(e, rx::amplifier::kParameter);
  const unsigned position = events::get(e, rx::amplifier::kPosition);
  const std::vector<std::string> actions = lists::amplifierActions(parameter, l);
  const std::string action = position < actions.size()
                                 ? actions[position]
                                 : lang::formatText(texts::kUnknown.in(l), position);
  return reactionTyped(e, item(lists::amplifierTabs(), parameter, l) + " " + action, l);
}

std::string reactionEncoder(const ConfigImage&, ConstEntryBytes e, Language l) {
  return reactionTyped(
      e,
      join({item(lists::encoderConnections(), events::get(e, rx::encoder::kConnection), l),
            lang::formatText(texts::kSteps.in(l), int{events::get(e, rx::encoder::kSteps)}),
            ms(texts::kRepeat, events::get(e, rx::encoder::kRepeatMs), l)}),
      l);
}

std::string reactionIDrive(const ConfigImage&, ConstEntryBytes e, Language l) {
  const unsigned command = events::get(e, rx::idrive::kCommand);
  std::vector<std::string> parts{item(lists::iDriveCommands(), command, l)};
  if (const auto label = editor::iDriveParameterLabel(command)) {
    parts.push_back(in(*label, l) + " " + std::to_string(events::get(e, rx::idrive::kParameter)));
  }
  return reactionTyped(e, join(parts), l);
}

template <events::TextField field>
std::string reactionText(const ConfigImage&, ConstEntryBytes e, Language l) {
  return reactionTyped(e, quoted(events::get(e, field)), l);
}

std::string reactionCursorMove(const ConfigImage&, ConstEntryBytes e, Language l) {
  return reactionTyped(
      e,
      join({item(lists::cursorDirections(), events::get(e, rx::cursor_move::kDirection), l),
            lang::formatText(texts::kPoints.in(l),
                             unsigned{events::get(e, rx::cursor_move::kPoints)}),
            events::get(e, rx::cursor_move::kWithPress) != 0 ? in(texts::kWithPress, l)
                                                             : std::string{}}),
      l);
}

std::string reactionLin(const ConfigImage&, ConstEntryBytes e, Language l) {
  const unsigned code = events::get(e, rx::lin::kCommand);
  const auto table = lists::linCommandTable();
  std::string command = code < table.size() ? std::string(table[code])
                                            : lang::formatText(texts::kUnknown.in(l), code);
  return reactionTyped(
      e,
      join({command,
            events::get(e, rx::lin::kTrigger) != 0 ? in(texts::kTrigger, l) : std::string{}}),
      l);
}

std::string reactionAudiMmi(const ConfigImage&, ConstEntryBytes e, Language l) {
  const unsigned mode = events::get(e, rx::audi_mmi::kMode);
  std::vector<std::string> parts{item(lists::audiMmiModes(), mode, l)};
  if (const auto label = editor::audiMmiParameterLabel(mode)) {
    parts.push_back(in(*label, l) + " " + std::to_string(events::get(e, rx::audi_mmi::kParameter)));
  }
  return reactionTyped(e, join(parts), l);
}

std::string reactionCarDsp(const ConfigImage& image, ConstEntryBytes e, Language l) {
  const unsigned mode = events::get(e, rx::car_dsp::kMode);
  std::vector<std::string> parts{item(lists::carDspModes(), mode, l)};
  const bool shortened = image.getU8(config::layout::kCarDspType) == 1;
  const std::vector<std::string> parameters = lists::carDspParameters(mode, shortened);
  if (!parameters.empty()) {
    const unsigned parameter = events::get(e, rx::car_dsp::kParameter);
    parts.push_back(parameter < parameters.size()
                        ? parameters[parameter]
                        : lang::formatText(texts::kParameter.in(l), parameter));
  }
  if (lists::carDspHasRepeat(mode)) {
    parts.push_back(ms(texts::kRepeat, events::get(e, rx::car_dsp::kRepeatMs), l));
  }
  return reactionTyped(e, join(parts), l);
}

std::string reactionResEmul(const ConfigImage&, ConstEntryBytes e, Language l) {
  return reactionTyped(
      e,
      lang::formatText(texts::kPosition.in(l), unsigned{events::get(e, rx::res_emul::kX)},
                       unsigned{events::get(e, rx::res_emul::kY)}),
      l);
}

std::string canMessageWords(const events::CanMessage& message, Language l) {
  if (message.length == 0) {
    return editor::canMessageText(message, l);
  }
  return lang::formatText(texts::kCanMessage.in(l), canIdText(message.id()).c_str(),
                          hexBytes(message.payload()).c_str());
}

std::string reactionSwCan(const ConfigImage&, ConstEntryBytes e, Language l) {
  const unsigned type = events::get(e, rx::sw_can::kType);
  std::vector<std::string> parts{item(lists::swCanTypes(), type, l)};
  const unsigned command = events::get(e, rx::sw_can::kCommand);
  if (const TextPair* name = lists::swCanCommandName(command);
      name != nullptr && !lists::swCanCommands(type).empty()) {
    parts.push_back(in(*name, l));
  }
  if (type == rx::sw_can::kUserPacketType) {
    parts.push_back(
        lang::formatText(texts::kOnPress.in(l),
                         canMessageWords(events::get(e, rx::sw_can::kPressMessage), l).c_str()));
    parts.push_back(
        lang::formatText(texts::kOnRelease.in(l),
                         canMessageWords(events::get(e, rx::sw_can::kReleaseMessage), l).c_str()));
  } else if (type == rx::sw_can::kDisplayType) {
    parts.push_back(quoted(events::get(e, rx::sw_can::kLine1)));
    parts.push_back(quoted(events::get(e, rx::sw_can::kLine2)));
    parts.push_back(ms(texts::kDuration, events::get(e, rx::sw_can::kDisplayMs), l));
  }
  return reactionTyped(e, join(parts), l);
}

std::string reactionGaNet(const ConfigImage&, ConstEntryBytes e, Language l) {
  const unsigned mode = events::get(e, rx::ganet::kMode);
  const unsigned code = events::get(e, rx::ganet::kCode);
  return reactionTyped(
      e,
      join({item(lists::ganetModes(), mode, l),
            mode == 0 ? in(texts::kAnyCode, l)
                      : lang::formatText(
                            texts::kCode.in(l),
                            lang::formatText("%02X %02X", code >> 8, code & 0xFFu).c_str())}),
      l);
}

std::string reactionHwr(const ConfigImage&, ConstEntryBytes e, Language l) {
  return reactionTyped(
      e,
      join({item(lists::hwrCommands(), events::get(e, rx::hwr::kCommand), l),
            events::get(e, rx::hwr::kTrigger) != 0 ? in(texts::kTrigger, l) : std::string{}}),
      l);
}

std::string reactionVar(const ConfigImage&, ConstEntryBytes e, Language l) {
  const unsigned variable = events::get(e, rx::var::kVariable);
  std::string words = item(lists::varNames(), variable, l);
  if (variable != 0) {
    words += " " + std::string(editor::varOperationText(events::get(e, rx::var::kOperation))) +
             " " + lang::formatText("x%02X", unsigned{events::get(e, rx::var::kOperand)});
  }
  return reactionTyped(e, words, l);
}

std::string reactionPwm(const ConfigImage&, ConstEntryBytes e, Language l) {
  std::vector<std::string> parts;
  for (std::size_t c = 0; c < rx::pwm::kChannelCount; ++c) {
    const auto channel = rx::pwm::channel(c);
    const unsigned mode = events::get(e, channel.mode);
    if (mode == 0) {
      continue;
    }
    parts.push_back(lang::formatText(
        texts::kChannel.in(l), static_cast<unsigned>(c + 1),
        (item(lists::pwmModes(), mode, l) + " " + std::to_string(events::get(e, channel.value)))
            .c_str()));
  }
  parts.push_back(ms(texts::kRepeat, events::get(e, rx::pwm::kRepeatMs), l));
  return reactionTyped(e, join(parts), l);
}

constexpr std::array<ReactionSummary, events::kReactionTypeCount> kReactionSummaries{
    reactionNone,                                                              // None
    reactionUsbKey,                                                            // UsbKey
    reactionIrCode,                                                            // IrCode
    reactionPin,                                                               // Pin
    reactionControl,                                                           // Control
    reactionSource,                                                            // Source
    reactionUsbTouch,                                                          // UsbTouch
    reactionEventManage,                                                       // EventManage
    reactionAmplifier,                                                         // Amplifier
    reactionListed<lists::mouseActions, rx::usb_mouse::kAction>,               // UsbMouse
    reactionEncoder,                                                           // Encoder
    reactionListed<lists::iebusCommands, rx::iebus::kCommand>,                 // Iebus
    reactionIDrive,                                                            // IDrive
    reactionListed<lists::ibusCommands, rx::ibus::kCommand>,                   // IBus
    reactionText<rx::serial::kText>,                                           // Serial
    reactionCursorMove,                                                        // CursorMove
    reactionListed<lists::acuraJoyModes, rx::acura_joy::kMode>,                // AcuraJoy
    reactionText<rx::uart::kText>,                                             // Uart
    reactionLin,                                                               // Lin
    reactionAudiMmi,                                                           // AudiMmi
    reactionCarDsp,                                                            // CarDsp
    reactionListed<lists::panaceaModes, rx::panacea::kMode>,                   // Panacea
    reactionResEmul,                                                           // ResEmul
    reactionListed<lists::renaultJoyCommands, rx::renault_joy::kCommand>,      // RenaultCanJoy
    reactionSwCan,                                                             // SwCan
    reactionGaNet,                                                             // GaNet
    reactionListed<lists::cruiseKeys, rx::cruise_bmw_dme::kKey>,               // CruiseBmwDme
    reactionListed<lists::mercedesCtrlCommands, rx::mercedes_ctrl::kCommand>,  // MercedesCtrl
    reactionHwr,                                                               // Hwr
    reactionVar,                                                               // Var
    reactionPwm,                                                               // Pwm
};

std::string unknownEvent(const ConfigImage&, ConstEntryBytes e, Language l) {
  return eventTyped(e, {}, l);
}
std::string unknownReaction(const ConfigImage&, ConstEntryBytes e, Language l) {
  return reactionTyped(e, {}, l);
}

}  // namespace

EventSummary eventSummaryOf(unsigned eventType) {
  return eventType < kEventSummaries.size() ? kEventSummaries[eventType] : unknownEvent;
}

ReactionSummary reactionSummaryOf(unsigned reactionType) {
  return reactionType < kReactionSummaries.size() ? kReactionSummaries[reactionType]
                                                  : unknownReaction;
}

std::string eventWords(const ConfigImage& image, std::size_t number, Language language) {
  const ConstEntryBytes e = events::entryAt(image, number);
  std::string words = eventSummaryOf(events::eventTypeCode(e))(image, e, language);
  if (const std::uint8_t mask = events::get(e, entry::kSourceMask); mask != 0) {
    words += ", " + lang::formatText(texts::kSources.in(language),
                                     editor::sourceMaskItemText(mask, language).c_str());
  }
  return words;
}

std::string pressWords(const ConfigImage& image, std::size_t number, Language language) {
  const ConstEntryBytes e = events::entryAt(image, number);
  const unsigned kind = events::get(e, entry::kPressKind);
  const auto name = events::pressKindName(kind);
  std::string words =
      name ? in(*name, language) : lang::formatText(texts::kUnknown.in(language), kind);
  if (kind == static_cast<unsigned>(events::PressKind::Long)) {
    words += " (" +
             ms(texts::kMilliseconds, image.getU16(config::layout::kLongPressTime), language) + ")";
  }
  return join({words, events::get(e, entry::kOnceFlag) != 0 ? in(texts::kOnce, language) : "",
               events::get(e, entry::kWakeUpFlag) != 0 ? in(texts::kWakeUp, language) : ""});
}

std::string reactionWords(const ConfigImage& image, std::size_t number, Language language) {
  const ConstEntryBytes e = events::entryAt(image, number);
  return reactionSummaryOf(events::reactionTypeCode(e))(image, e, language);
}

bool isUnused(ConstEntryBytes e) {
  return events::eventTypeCode(e) == 0 && events::reactionTypeCode(e) == 0 &&
         events::entryName(e).empty();
}

}  // namespace kivprism::summary

#include "core/events/consistency.hpp"

#include <algorithm>
#include <initializer_list>

#include "core/events/entry_types.hpp"
#include "core/events/ir_protocols.hpp"

namespace kivprism::events {

namespace {

// Applies changes to the entry and records which rule made them.
class Fixer {
 public:
  Fixer(EntryBytes e, Repairs& repairs) : e_(e), repairs_(repairs) {}

  template <typename T>
  void assign(IntField<T> f, std::type_identity_t<T> value, Repair why) {
    if (get(e_, f) != value) {
      set(e_, f, value);
      repairs_.add(why);
    }
  }
  void zero(ByteRun run, Repair why) {
    if (!isZero(e_, run)) {
      clear(e_, run);
      repairs_.add(why);
    }
  }
  ConstEntryBytes bytes() const { return e_; }

 private:
  EntryBytes e_;
  Repairs& repairs_;
};

struct Range {
  unsigned first;
  unsigned last;
};

bool inRanges(unsigned value, std::initializer_list<Range> ranges) {
  return std::any_of(ranges.begin(), ranges.end(),
                     [value](Range r) { return value >= r.first && value <= r.last; });
}

// ---- event half -------------------------------------------------------------------------------

enum class PressRule { Keep, AnyWhenSet, ShortWhenSet, Off };
// Free: kept only with a long or any press. The others force it, some only for a press kind.
enum class OnceRule { Free, Set, Clear, SetWhenShort, SetWhenPressed };

struct FlagRule {
  PressRule press;
  OnceRule once;
  bool wakeUpOff;
  bool sourceOff;
};

constexpr FlagRule kFree{PressRule::Keep, OnceRule::Free, false, false};
constexpr FlagRule kNoTrigger{PressRule::Off, OnceRule::Clear, true, false};
constexpr FlagRule kOnceAny{PressRule::AnyWhenSet, OnceRule::Set, false, false};
constexpr FlagRule kOnceAnyNoWake{PressRule::AnyWhenSet, OnceRule::Set, true, false};
constexpr FlagRule kOnceAnyAnySource{PressRule::AnyWhenSet, OnceRule::Set, true, true};
constexpr FlagRule kShortOnceNoWake{PressRule::Keep, OnceRule::SetWhenShort, true, false};
constexpr FlagRule kOnceNoWake{PressRule::Keep, OnceRule::Set, true, false};

FlagRule keyFlagRule(ConstEntryBytes e) {
  const KeyReference key = keyOf(e);
  if (key.isSet()) {
    return key.isEncoder() ? kOnceAny : kFree;
  }
  if (modifierOf(e).isSet()) {
    return {PressRule::AnyWhenSet, OnceRule::Clear, false, false};
  }
  return kNoTrigger;
}

FlagRule flagRuleFor(ConstEntryBytes e) {
  const auto type = static_cast<EventType>(eventTypeCode(e));
  const unsigned position = get(e, event::kListPosition);
  switch (type) {
    case EventType::Key:
      return keyFlagRule(e);
    case EventType::IrCode:
      return isEventIrCodeSet(get(e, event::ir_code::kCode).protocol)
                 ? kFree
                 : FlagRule{PressRule::Off, OnceRule::Clear, true, true};
    case EventType::Source:
      return {PressRule::AnyWhenSet, OnceRule::Clear, true, false};
    case EventType::Timeout:
    case EventType::Voltage:
      return kOnceAny;
    case EventType::Var:
      return {PressRule::Keep, OnceRule::Set, false, false};
    case EventType::BmwIbus:
    case EventType::Intercept:
    case EventType::GaNet:
    case EventType::MercedesJoy:
    case EventType::Gestures:
    case EventType::Serial:
    case EventType::Uart:
    case EventType::SwCan:
    case EventType::Pins:
      return kOnceAnyNoWake;
    case EventType::Usb:
    case EventType::Navi:
    case EventType::Bluetooth:
      return kOnceAnyAnySource;
    case EventType::Iebus:
      return inRanges(position, {{101, 108}})
                 ? FlagRule{PressRule::Keep, OnceRule::Free, true, false}
                 : FlagRule{PressRule::AnyWhenSet, OnceRule::SetWhenPressed, true, false};
    case EventType::IDrive:
      return inRanges(position, {{13, 20}, {23, 26}}) ? kOnceAnyNoWake : kShortOnceNoWake;
    case EventType::AcuraJoy:
      return inRanges(position, {{1, 2}}) ? kOnceNoWake : kShortOnceNoWake;
    case EventType::Lin:
      return inRanges(position, {{21, 24}, {37, 38}, {53, 54}, {86, 87}, {89, 90}})
                 ? kOnceNoWake
                 : kShortOnceNoWake;
    case EventType::AudiMmi:
      return inRanges(position, {{15, 18}, {34, 35}, {37, 38}})
                 ? FlagRule{PressRule::ShortWhenSet, OnceRule::Set, true, false}
                 : FlagRule{PressRule::Keep, OnceRule::Free, true, false};
    case EventType::RenaultCanJoy:
      return kOnceNoWake;
    case EventType::MercedesCtrl:
      return inRanges(position, {{7, 11}, {23, 24}, {31, 32}}) ? kOnceAnyNoWake : kShortOnceNoWake;
    case EventType::PanelHonda:
      return kShortOnceNoWake;
    case EventType::None:
      break;
  }
  return kNoTrigger;
}

std::uint8_t pressKindBy(PressRule rule, std::uint8_t press) {
  switch (rule) {
    case PressRule::Keep:
      return press;
    case PressRule::AnyWhenSet:
      return press != 0 ? static_cast<std::uint8_t>(PressKind::Any) : 0;
    case PressRule::ShortWhenSet:
      return press != 0 ? static_cast<std::uint8_t>(PressKind::Short) : 0;
    case PressRule::Off:
      break;
  }
  return 0;
}

std::uint8_t onceFlagBy(OnceRule rule, std::uint8_t press, std::uint8_t stored) {
  const auto shortPress = static_cast<std::uint8_t>(PressKind::Short);
  const std::uint8_t free = (press > shortPress && stored != 0) ? 1 : 0;
  switch (rule) {
    case OnceRule::Free:
      return free;
    case OnceRule::Set:
      return 1;
    case OnceRule::Clear:
      return 0;
    case OnceRule::SetWhenShort:
      return press == shortPress ? 1 : free;
    case OnceRule::SetWhenPressed:
      return press != 0 ? 1 : free;
  }
  return free;
}

void applyFlagRule(Fixer& fix, const FlagRule& rule) {
  const auto e = fix.bytes();
  // A press kind the controller does not know counts as "any".
  const auto any = static_cast<std::uint8_t>(PressKind::Any);
  const std::uint8_t stored = std::min(get(e, entry::kPressKind), any);
  const std::uint8_t press = pressKindBy(rule.press, stored);
  fix.assign(entry::kPressKind, press, Repair::PressKind);
  fix.assign(entry::kOnceFlag, onceFlagBy(rule.once, press, get(e, entry::kOnceFlag)),
             Repair::OnceFlag);
  const std::uint8_t wakeUp = (!rule.wakeUpOff && get(e, entry::kWakeUpFlag) != 0) ? 1 : 0;
  fix.assign(entry::kWakeUpFlag, wakeUp, Repair::WakeUpFlag);
  // 255 ("every source") is stored as 0 ("any source").
  const std::uint8_t mask = get(e, entry::kSourceMask);
  fix.assign(entry::kSourceMask, (rule.sourceOff || mask == 0xFF) ? std::uint8_t{0} : mask,
             Repair::SourceMask);
}

void applyKeyRules(Fixer& fix) {
  const KeyReference key = keyOf(fix.bytes());
  if (key.isEncoder() && !encoderStepOf(key)) {
    fix.assign(event::key::kNumber, 0, Repair::EncoderKey);
    fix.assign(event::key::kChannel, 0, Repair::EncoderKey);
  }
}

void applyMissingIrCode(Fixer& fix) {
  if (isEventIrCodeSet(get(fix.bytes(), event::ir_code::kCode).protocol)) {
    return;
  }
  fix.zero({event::ir_code::kCode.offset, record::kIrCodeSize}, Repair::MissingIrCode);
  fix.zero(entry::kReactionPart, Repair::MissingIrCode);
}

void applyVarEvent(Fixer& fix) {
  namespace var = event::var;
  const auto e = fix.bytes();
  if (get(e, var::kVariable) == 0) {
    fix.zero(var::kAfterVariable, Repair::VarEvent);
    return;
  }
  if (get(e, var::kLogicOperation) == 0) {
    fix.assign(var::kOperand, 0, Repair::VarEvent);
  }
  if (get(e, var::kComparison) == 0) {
    fix.assign(var::kValue, 0, Repair::VarEvent);
  }
}

void applyEventRules(Fixer& fix) {
  const unsigned type = eventTypeCode(fix.bytes());
  if (type == 0 || !isValidEventType(type)) {
    fix.zero(entry::kEventPart, Repair::EventCleared);
    return;
  }
  switch (static_cast<EventType>(type)) {
    case EventType::Key:
      applyKeyRules(fix);
      break;
    case EventType::IrCode:
      applyMissingIrCode(fix);
      break;
    case EventType::Var:
      applyVarEvent(fix);
      break;
    default:
      break;
  }
  applyFlagRule(fix, flagRuleFor(fix.bytes()));
}

// ---- reaction half ----------------------------------------------------------------------------

void clampAnalogChannel(Fixer& fix, reaction::control::Channel channel, std::uint16_t defaultVolts,
                        std::uint16_t limitVolts) {
  const std::uint8_t action = get(fix.bytes(), channel.action);
  if (action != kAnalogSet && action != kAnalogAssign) {
    return;
  }
  const std::uint16_t low = std::min(defaultVolts, limitVolts);
  const std::uint16_t high = std::max(defaultVolts, limitVolts);
  fix.assign(channel.voltage, std::clamp(get(fix.bytes(), channel.voltage), low, high),
             Repair::AnalogVoltage);
}

void applyControl(Fixer& fix, const EntryContext& context) {
  clampAnalogChannel(fix, reaction::control::kChannel1, context.anaVout1, context.minMaxVout1);
  clampAnalogChannel(fix, reaction::control::kChannel2, context.anaVout2, context.minMaxVout2);
}

void applyPin(Fixer& fix) {
  if (get(fix.bytes(), reaction::pin::kPin) == 0) {
    fix.zero(reaction::pin::kAfterPin, Repair::PinReaction);
  }
}

void applySource(Fixer& fix) {
  namespace source = reaction::source;
  const std::uint8_t choice = get(fix.bytes(), source::kChoice);
  const bool steps = choice == kSourceNext || choice == kSourcePrevious;
  const bool fixedSource = choice > kSourceNext && choice < kSourcePrevious;
  if (steps || choice == kSourceRestore) {
    fix.assign(source::kSaveBeforeChange, 0, Repair::SourceReaction);
  }
  if (fixedSource || choice == kSourceRestore) {
    fix.assign(source::kSkipMask, 0, Repair::SourceReaction);
  }
}

void applyAmplifier(Fixer& fix) {
  namespace amplifier = reaction::amplifier;
  if (get(fix.bytes(), amplifier::kParameter) >= kAmplifierParameterCount) {
    fix.assign(amplifier::kParameter, 0, Repair::AmplifierReaction);
  }
  const std::size_t count = amplifierActionCount(get(fix.bytes(), amplifier::kParameter));
  if (get(fix.bytes(), amplifier::kPosition) >= count) {
    fix.assign(amplifier::kPosition, 0, Repair::AmplifierReaction);
  }
}

// A change of type wipes everything the old type stored, so only the current type's bytes can
// be set: types 0 and 13 have no command, the others nothing behind the type byte.
void applySteeringCan(Fixer& fix) {
  namespace sw_can = reaction::sw_can;
  const std::uint8_t type = get(fix.bytes(), sw_can::kType);
  if (type == sw_can::kUserPacketType || type == sw_can::kDisplayType) {
    fix.assign(sw_can::kCommand, 0, Repair::SteeringCanReaction);
  } else if (type < sw_can::kTypeCount) {
    fix.zero(sw_can::kTypeData, Repair::SteeringCanReaction);
  }
}

void applyVarReaction(Fixer& fix) {
  namespace var = reaction::var;
  if (get(fix.bytes(), var::kVariable) == 0) {
    fix.assign(var::kOperation, 0, Repair::VarReaction);
  }
  if (get(fix.bytes(), var::kOperation) == 0) {
    fix.assign(var::kOperand, 0, Repair::VarReaction);
  }
}

void applyEventManage(Fixer& fix) {
  namespace manage = reaction::event_manage;
  const std::uint8_t action = get(fix.bytes(), manage::kAction);
  if ((action == 1 || action == 2) && get(fix.bytes(), manage::kTarget) == 0) {
    fix.assign(manage::kTarget, 1, Repair::EventManageTarget);
  }
}

void applyGanet(Fixer& fix) {
  if (get(fix.bytes(), reaction::ganet::kMode) != 0) {
    fix.assign(reaction::ganet::kCode, 0, Repair::GanetCode);
  }
}

void applyCarDsp(Fixer& fix) {
  if (!inRanges(get(fix.bytes(), reaction::car_dsp::kMode), {{2, 3}, {5, 6}})) {
    fix.assign(reaction::car_dsp::kRepeatMs, 0, Repair::CarDspRepeat);
  }
}

void applyReactionRules(Fixer& fix, const EntryContext& context) {
  const unsigned type = reactionTypeCode(fix.bytes());
  if (type == 0 || !isValidReactionType(type)) {
    fix.zero(entry::kReactionPart, Repair::ReactionCleared);
    return;
  }
  switch (static_cast<ReactionType>(type)) {
    case ReactionType::Control:
      return applyControl(fix, context);
    case ReactionType::Pin:
      return applyPin(fix);
    case ReactionType::Source:
      return applySource(fix);
    case ReactionType::Amplifier:
      return applyAmplifier(fix);
    case ReactionType::SwCan:
      return applySteeringCan(fix);
    case ReactionType::Var:
      return applyVarReaction(fix);
    case ReactionType::EventManage:
      return applyEventManage(fix);
    case ReactionType::GaNet:
      return applyGanet(fix);
    case ReactionType::CarDsp:
      return applyCarDsp(fix);
    default:
      return;
  }
}

void applyNameRule(Fixer& fix) {
  if (fix.bytes()[entry::kName.offset] == 0) {
    fix.zero({entry::kName.offset, entry::kName.size}, Repair::EntryName);
  }
}

}  // namespace

Repairs applyConsistencyRules(EntryBytes e, const EntryContext& context) {
  Repairs repairs;
  Fixer fix(e, repairs);
  applyNameRule(fix);
  // The event half first: an IR event without a code also drops the reaction.
  applyEventRules(fix);
  applyReactionRules(fix, context);
  return repairs;
}

}  // namespace kivprism::events

// The rules that keep an entry consistent. A file or a controller may deliver entries that break
// them; the editor applies them on every refresh of an entry, so they repair such entries and
// leave a consistent entry exactly as it is.
#pragma once

#include <cstdint>

#include "core/events/entry.hpp"
#include "core/events/entry_operations.hpp"

namespace kivprism::events {

// What a pass of the rules changed, one bit per rule.
enum class Repair : std::uint32_t {
  EventCleared = 1u << 0,          // no or unknown event type: the event part is zeroed
  ReactionCleared = 1u << 1,       // no or unknown reaction type: the reaction part is zeroed
  OnceFlag = 1u << 2,              // once flag forced or dropped
  PressKind = 1u << 3,             // press kind forced or normalised
  WakeUpFlag = 1u << 4,            // wake-up flag forced off
  SourceMask = 1u << 5,            // source mask forced to "any"
  MissingIrCode = 1u << 6,         // IR event without a code: code and reaction dropped
  EncoderKey = 1u << 7,            // encoder key number outside 1..4 dropped
  AnalogVoltage = 1u << 8,         // control reaction voltage clamped to the output's range
  PinReaction = 1u << 9,           // pin reaction without a pin: mode and time dropped
  SourceReaction = 1u << 10,       // skip mask or save flag not used by the choice
  AmplifierReaction = 1u << 11,    // amplifier parameter or position out of its list
  SteeringCanReaction = 1u << 12,  // bytes the steering-wheel CAN type does not use
  EntryName = 1u << 13,            // a name whose first byte is 0 is all zero
  VarEvent = 1u << 14,             // VAR event settings that its choices leave unused
  VarReaction = 1u << 15,          // VAR reaction settings that its choices leave unused
  EventManageTarget = 1u << 16,    // forbid/allow always names an entry
  GanetCode = 1u << 17,            // GaNet reaction code only for "any code"
  CarDspRepeat = 1u << 18,         // CarDSP auto-repeat only for the stepping modes
};

class Repairs {
 public:
  void add(Repair r) { bits_ |= static_cast<std::uint32_t>(r); }
  bool has(Repair r) const { return (bits_ & static_cast<std::uint32_t>(r)) != 0; }
  bool any() const { return bits_ != 0; }
  std::uint32_t bits() const { return bits_; }
  friend bool operator==(const Repairs&, const Repairs&) = default;

 private:
  std::uint32_t bits_ = 0;
};

// Applies every rule to the entry. Depends on nothing but its arguments; a second application
// changes nothing.
Repairs applyConsistencyRules(EntryBytes e, const EntryContext& context);

}  // namespace kivprism::events

// The IR protocols the controller knows. The row index is the protocol code of an IR code record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kivprism::events {

struct IrProtocol {
  std::uint8_t code;
  std::string_view name;  // as the IR code dialog lists it
  bool forEvents;
  bool forReactions;
};

inline constexpr std::size_t kIrProtocolCount = 16;
extern const std::array<IrProtocol, kIrProtocolCount> kIrProtocols;

inline constexpr std::uint8_t kIrProtocolNone = 0;
inline constexpr std::uint8_t kIrProtocolCanAuto = 11;  // a CAN key decoded into an event code

// Where an IR code is edited: the event half or the reaction half of an entry.
enum class IrContext { Event = 0, Reaction = 1 };

// The row of a code; nothing above 15.
std::optional<IrProtocol> irProtocol(unsigned code);
// The rows offered in a context, in code order ("NONE" first).
std::vector<IrProtocol> offeredIrProtocols(IrContext context);
// The code whose row has this name; nothing when no row has it.
std::optional<std::uint8_t> irProtocolByName(std::string_view name);

// An event holds a code when its protocol is one the controller decodes on input.
bool isEventIrCodeSet(unsigned protocol);
// A code learnt from the controller may become a reaction only with one of these protocols.
bool isLearntReactionProtocol(unsigned protocol);

}  // namespace kivprism::events

// The protocol event lists: one fixed list of event names per bus protocol. A position in a list is
// the event code that the controller reports in its monitoring text and that an event/reaction
// entry stores, so the order of the names is part of the controller contract.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "core/lang/text.hpp"

namespace kivprism::monitor {

enum class ProtocolList {
  Lin,
  HondaPanel,
  IDrive,
  MercedesJoystick,
  RenaultJoystick,
  AcuraJoystick,
  AudiMmi,
  BmwIbus,
  Iebus,
  GaNet,
  SteeringWheelCan,
  MercedesController,
};

inline constexpr std::size_t kProtocolListCount = 12;

struct ProtocolEventList {
  ProtocolList id;
  // What the controller writes in front of an event number of this protocol.
  std::string_view marker;
  // Where the search for " EV:" starts, counted from the marker's first character; the
  // steering-wheel CAN marker ends in "EV:" itself and has no separate search.
  std::size_t evSearchOffset;
  // Only the steering-wheel CAN list is translated; the other lists read the same in both
  // languages and carry identical twins.
  std::span<const lang::TextPair> names;
};

// In the order the monitoring-line rewriters try them.
std::span<const ProtocolEventList, kProtocolListCount> protocolEventLists();
const ProtocolEventList& protocolEventList(ProtocolList id);

// The name at the position in the given language; empty past the end of the list.
std::string_view protocolEventName(ProtocolList id, std::size_t position, lang::Language language);

}  // namespace kivprism::monitor

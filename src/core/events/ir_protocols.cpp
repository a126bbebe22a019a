#include "core/events/ir_protocols.hpp"

#include <algorithm>

namespace kivprism::events {

const std::array<IrProtocol, kIrProtocolCount> kIrProtocols{{
    {0, "NONE", true, true},
    {1, "IR_NEC", true, true},
    {2, "IR_JVC", true, true},
    {3, "IR_RC5", true, true},
    {4, "IR_RC6", false, false},
    {5, "IR_SONY_12BITS", true, true},
    {6, "IR_SONY_15BITS", true, true},
    {7, "IR_SONY_20BITS", true, true},
    {8, "IR_SHARP", false, false},
    {9, "USER", false, true},
    {10, "IR_SAMSUNG", true, true},
    {11, "CAN AUTO", true, false},
    {12, "IR_JVC_TYPE2", true, true},
    {13, "IR_NEC_REP", true, true},
    {14, "IR_APPLE_TV2", true, true},
    {15, "IR_ALPINE", false, true},
}};

namespace {

// Codes an input event can carry. USER (9) is not offered in the event dialog, yet a learnt or
// loaded event code of that protocol is still a code.
constexpr std::array<std::uint8_t, 12> kEventCodeProtocols{1, 2, 3, 5, 6, 7, 9, 10, 11, 12, 13, 14};
// A CAN AUTO code (11) is a decoded CAN key, which an IR reaction cannot send: it is refused like
// the other codes a reaction cannot send, instead of being stored and then cleared on the next
// refresh.
constexpr std::array<std::uint8_t, 9> kLearntReactionProtocols{1, 2, 5, 6, 7, 10, 12, 13, 14};

template <std::size_t N>
bool contains(const std::array<std::uint8_t, N>& codes, unsigned code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

}  // namespace

std::optional<IrProtocol> irProtocol(unsigned code) {
  if (code >= kIrProtocols.size()) {
    return std::nullopt;
  }
  return kIrProtocols[code];
}

std::vector<IrProtocol> offeredIrProtocols(IrContext context) {
  std::vector<IrProtocol> rows;
  for (const auto& row : kIrProtocols) {
    if (context == IrContext::Event ? row.forEvents : row.forReactions) {
      rows.push_back(row);
    }
  }
  return rows;
}

std::optional<std::uint8_t> irProtocolByName(std::string_view name) {
  for (const auto& row : kIrProtocols) {
    if (row.name == name) {
      return row.code;
    }
  }
  return std::nullopt;
}

bool isEventIrCodeSet(unsigned protocol) { return contains(kEventCodeProtocols, protocol); }

bool isLearntReactionProtocol(unsigned protocol) {
  return contains(kLearntReactionProtocols, protocol);
}

}  // namespace kivprism::events

// Which rows of the packet list are shown: the identifiers typed in the filter field (hexadecimal,
// single ones and ranges "100-1FF", separated by blanks, commas or semicolons) and, when asked,
// only the identifiers whose data bytes changed. The filter only narrows the view; the capture, its
// file and its kept records take every record as before.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/canlog/can_log_engine.hpp"

namespace kivprism::canlog {

struct IdentifierRange {
  std::uint32_t first = 0;
  std::uint32_t last = 0;
  friend bool operator==(const IdentifierRange&, const IdentifierRange&) = default;
};

struct PacketFilter {
  // Identifiers as the list shows them (11-bit or 29-bit values); empty: every identifier.
  std::vector<IdentifierRange> identifiers;
  bool changedOnly = false;

  bool active() const { return !identifiers.empty() || changedOnly; }
  bool passes(const PacketRow& row) const;
  friend bool operator==(const PacketFilter&, const PacketFilter&) = default;
};

// The identifier part of the filter from the field's text; nothing when the text is not a list of
// identifiers and ranges (the field then shows that it is wrong and the list stays as it was).
std::optional<std::vector<IdentifierRange>> parseIdentifierFilter(std::string_view text);

}  // namespace kivprism::canlog

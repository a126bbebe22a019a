// Entries for tests, written the way the controller's documentation shows them: runs of hex bytes
// at entry offsets, every other byte zero.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "core/config/text_codec.hpp"
#include "core/events/entry.hpp"

namespace kivprism::events::testing {

// Hex digits with optional blanks and "|" separators.
inline std::string compactHex(std::string_view text) {
  std::string hex;
  for (char c : text) {
    if (c != ' ' && c != '|') {
      hex.push_back(c);
    }
  }
  return hex;
}

inline EntryData entryHex(std::initializer_list<std::pair<std::size_t, std::string_view>> runs) {
  EntryData e{};
  for (const auto& [offset, text] : runs) {
    const std::string hex = compactHex(text);
    const std::size_t count = hex.size() / 2;
    config::hexToBytes(hex, std::span(e).subspan(offset, count));
  }
  return e;
}

inline EntryBytes bytes(EntryData& e) { return e; }
inline ConstEntryBytes cbytes(const EntryData& e) { return e; }

}  // namespace kivprism::events::testing

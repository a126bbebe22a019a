// The CAN message and CAN filter dialogs as the user types them: an identifier in hexadecimal and
// rows of hexadecimal bytes. Showing turns a record into the edits' texts; OK reads the texts back
// into the record, keeping whatever the texts do not reach.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/events/records.hpp"
#include "core/lang/common_texts.hpp"
#include "core/lang/text.hpp"

namespace kivprism::dialogs {

inline constexpr int kIdTextMax = 8;      // eight hex digits of an extended identifier
inline constexpr int kBytesTextMax = 23;  // eight two-digit bytes with blanks between them
inline constexpr std::string_view kFullMaskText = "FF FF FF FF FF FF FF FF";

// The caption the event page opens it with.
inline constexpr lang::TextPair kCanFilterCaption = lang::kCanFilterCaption;

// "123" for a standard identifier, "18DAF110" for an extended one.
std::string idWordText(std::uint32_t word);
// "12 34 AB": at most eight bytes, uppercase, single blanks between them.
std::string hexBytesText(std::span<const std::uint8_t> bytes);

// The identifier word an identifier text stands for; nothing when the text holds anything but hex
// digits (an empty text is identifier 0). Digits beyond 32 bits shift out before the 29-bit cut.
std::optional<std::uint32_t> idWordFromText(std::string_view text);
// Bytes from a text: pairs of hex digits, anything else between pairs skipped; a lone digit ends
// the reading, and so does the eighth byte.
std::vector<std::uint8_t> hexBytesFromText(std::string_view text);

struct CanMessageTexts {
  std::string id;
  std::string data;
  friend bool operator==(const CanMessageTexts&, const CanMessageTexts&) = default;
};

struct CanFilterTexts {
  std::string id;
  std::string mask;
  std::string data;
  friend bool operator==(const CanFilterTexts&, const CanFilterTexts&) = default;
};

CanMessageTexts canMessageTexts(const events::CanMessage& message);
CanFilterTexts canFilterTexts(const events::CanFilter& filter);
// What the Clear button leaves.
CanMessageTexts clearedCanMessageTexts();
CanFilterTexts clearedCanFilterTexts();

// The record after OK. A bad identifier text leaves the whole record as it was.
events::CanMessage confirmCanMessage(const CanMessageTexts& texts, events::CanMessage message);
events::CanFilter confirmCanFilter(const CanFilterTexts& texts, events::CanFilter filter);

}  // namespace kivprism::dialogs

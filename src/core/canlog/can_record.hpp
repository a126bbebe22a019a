// One CAN-log record as the controller hands it over, and the texts the CAN log shows for it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kivprism::canlog {

inline constexpr std::size_t kRecordSize = 17;
inline constexpr std::size_t kMaxDataBytes = 8;

struct CanLogRecord {
  // A standard identifier shifted left by 18, or an extended 29-bit identifier as is.
  std::uint32_t identifierWord = 0;
  // As received; records of the controller carry 0..8.
  std::uint8_t length = 0;
  std::array<std::uint8_t, kMaxDataBytes> data{};
  // Controller time of reception in milliseconds.
  std::uint32_t timeStamp = 0;

  static CanLogRecord decode(std::span<const std::uint8_t, kRecordSize> bytes);
  void encode(std::span<std::uint8_t, kRecordSize> out) const;

  // The data bytes that exist: a length above 8 counts as 8.
  std::size_t dataLength() const { return length < kMaxDataBytes ? length : kMaxDataBytes; }
  bool operator==(const CanLogRecord&) const = default;
};

// The word of a standard 11-bit identifier.
constexpr std::uint32_t standardWord(std::uint32_t id) { return id << 18; }
// Extended when any of bits 17..0 is set; an extended identifier whose low 18 bits are zero
// cannot be told from a standard one and shows as standard.
constexpr bool isExtended(std::uint32_t word) { return (word & 0x3FFFFu) != 0; }
// The identifier as the CAN tools know it: the 11-bit value or the whole word.
constexpr std::uint32_t displayIdentifier(std::uint32_t word) {
  return isExtended(word) ? word : word >> 18;
}

// "ID Hex(Dec)": "%08lX(%4lu)" extended, "%03lX(%4lu)" standard.
std::string identifierText(std::uint32_t word);
// The data bytes "%02X" separated by blanks; padded, each missing position adds three blanks.
std::string dataText(const CanLogRecord& record, bool padded);
// The 8-bit checksum of the data that mode 3 compares.
std::uint8_t dataSignature(const CanLogRecord& record);
// The blue line of the terminal page for one record.
std::string terminalEchoLine(const CanLogRecord& record);

// The texts of one row of the detail list.
struct DetailTexts {
  std::string index;
  std::string hex;
  std::string bin;
  std::string dec;
  std::string ascii;  // UTF-8
};
DetailTexts detailTexts(std::size_t index, std::uint8_t value);

}  // namespace kivprism::canlog

// The small records that entries share: an IR code, a CAN message and a CAN filter, plus the
// identifier word in which the controller keeps standard and extended CAN identifiers apart.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/events/entry_layout.hpp"

namespace kivprism::events {

struct IrCode {
  std::uint8_t protocol = 0;
  std::uint8_t command = 0;
  std::uint16_t address = 0;
  friend bool operator==(const IrCode&, const IrCode&) = default;
};

IrCode readIrCode(std::span<const std::uint8_t, record::kIrCodeSize> bytes);
void writeIrCode(std::span<std::uint8_t, record::kIrCodeSize> bytes, const IrCode& code);

// A CAN identifier as the user sees it.
struct CanId {
  std::uint32_t value = 0;
  bool extended = false;
  friend bool operator==(const CanId&, const CanId&) = default;
};

inline constexpr unsigned kStandardIdShift = 18;
inline constexpr std::uint32_t kStandardIdLimit = 0x800;       // 11 bits
inline constexpr std::uint32_t kExtendedIdMask = 0x1FFFFFFFu;  // 29 bits

// A word whose low 18 bits are all zero holds a standard identifier in its upper bits; any other
// word is an extended identifier as it stands.
constexpr CanId decodeIdWord(std::uint32_t word) {
  if ((word & ((1u << kStandardIdShift) - 1u)) == 0) {
    return {word >> kStandardIdShift, false};
  }
  return {word, true};
}

// What an entered identifier is stored as: masked to 29 bits, and stored as standard when it fits
// 11 bits.
constexpr std::uint32_t encodeIdWord(std::uint32_t entered) {
  const std::uint32_t id = entered & kExtendedIdMask;
  return id < kStandardIdLimit ? id << kStandardIdShift : id;
}

struct CanMessage {
  std::uint32_t idWord = 0;
  std::uint8_t length = 0;  // 0..8; a stored value above 8 is kept as it is
  std::array<std::uint8_t, record::kCanDataMax> data{};

  CanId id() const { return decodeIdWord(idWord); }
  // The bytes that the length makes meaningful.
  std::span<const std::uint8_t> payload() const;
  friend bool operator==(const CanMessage&, const CanMessage&) = default;
};

// Reads the 13-byte record at the start of a 17-byte slot.
CanMessage readCanMessage(std::span<const std::uint8_t, record::kCanMessageSlotSize> slot);
// Writes the record and clears the slot's 4 spare bytes.
void writeCanMessage(std::span<std::uint8_t, record::kCanMessageSlotSize> slot,
                     const CanMessage& message);

struct CanFilter {
  std::uint32_t idWord = 0;
  std::uint8_t count = 0;  // compared data bytes, 0 = no filter
  std::array<std::uint8_t, record::kCanDataMax> mask{};
  std::array<std::uint8_t, record::kCanDataMax> data{};

  CanId id() const { return decodeIdWord(idWord); }
  bool isSet() const { return count != 0; }
  std::span<const std::uint8_t> usedMask() const;
  std::span<const std::uint8_t> usedData() const;
  friend bool operator==(const CanFilter&, const CanFilter&) = default;
};

CanFilter readCanFilter(std::span<const std::uint8_t, record::kCanFilterSize> bytes);
void writeCanFilter(std::span<std::uint8_t, record::kCanFilterSize> bytes, const CanFilter& filter);

}  // namespace kivprism::events

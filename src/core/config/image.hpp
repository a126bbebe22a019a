// The configuration image: the one piece of state that the controller, the configuration file and
// the editor share. Fields are reached only through the named layout constants.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/config/image_layout.hpp"

namespace kivprism::config {

class ConfigImage {
 public:
  static constexpr std::size_t kSize = layout::kImageSize;
  using Bytes = std::array<std::uint8_t, kSize>;

  ConfigImage() { bytes_.fill(0); }

  std::span<std::uint8_t, kSize> bytes() { return bytes_; }
  std::span<const std::uint8_t, kSize> bytes() const { return bytes_; }
  std::uint8_t* data() { return bytes_.data(); }
  const std::uint8_t* data() const { return bytes_.data(); }

  std::span<std::uint8_t> span(Field f) { return std::span(bytes_).subspan(f.offset, f.width); }
  std::span<const std::uint8_t> span(Field f) const {
    return std::span(bytes_).subspan(f.offset, f.width);
  }

  // Little-endian integer of the field's width (1, 2 or 4 bytes).
  std::uint32_t get(Field f) const;
  // Stores the low bits of value that fit the field's width.
  void set(Field f, std::uint32_t value);

  std::uint8_t getU8(Field f) const { return static_cast<std::uint8_t>(get(f)); }
  std::uint16_t getU16(Field f) const { return static_cast<std::uint16_t>(get(f)); }

  unsigned getBits(BitField b) const;
  // Sets the bits of b to the low bits of value and keeps the byte's other bits.
  void setBits(BitField b, unsigned value);

  void clear(Field f);
  void clear() { bytes_.fill(0); }

  // Entry 0..99.
  std::span<std::uint8_t, layout::kEntrySize> entry(std::size_t index) {
    return span(layout::entry(index)).first<layout::kEntrySize>();
  }
  std::span<const std::uint8_t, layout::kEntrySize> entry(std::size_t index) const {
    return span(layout::entry(index)).first<layout::kEntrySize>();
  }

  friend bool operator==(const ConfigImage&, const ConfigImage&) = default;

 private:
  Bytes bytes_;
};

// Little-endian helpers for byte spans (entries, packets) that are not whole images.
std::uint32_t readLe(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t width);
void writeLe(std::span<std::uint8_t> bytes, std::size_t offset, std::size_t width,
             std::uint32_t value);

// The working image and the device copy (what is known to be on the controller).
struct ConfigModel {
  ConfigImage working;
  ConfigImage device;
};

// An entry whose 144 bytes are all zero is empty.
bool isEmptyEntry(std::span<const std::uint8_t, layout::kEntrySize> entry);

// CRC-32/MPEG-2: polynomial 0x04C11DB7, MSB first, initial 0xFFFFFFFF, no final XOR. Used as the
// change hash of the whole image and the hash of one entry, only to skip redundant redraws.
std::uint32_t crc32Mpeg2(std::span<const std::uint8_t> bytes);
inline std::uint32_t changeHash(const ConfigImage& image) { return crc32Mpeg2(image.bytes()); }
// A stored hash set to this value forces the next refresh.
inline constexpr std::uint32_t kForceRefreshHash = 0xDEADBEAF;

// What follows a whole read from the controller: a failed read leaves the parameter block zeroed,
// and a long-press time of 0 (a fresh controller) becomes 1000 ms with full-scale reference levels.
void applyAfterWholeRead(ConfigImage& image, bool readSucceeded);

// The key entry (1..15) of the channel (0..3) whose level is within the key distance of the given
// level: the first non-empty one in table order; 0 when none.
std::size_t findKeyByLevel(const ConfigImage& image, std::size_t channel, unsigned level);

}  // namespace kivprism::config

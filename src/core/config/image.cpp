#include "core/config/image.hpp"

#include <cassert>
#include <cstdlib>

namespace kivprism::config {

std::uint32_t readLe(std::span<const std::uint8_t> bytes, std::size_t offset, std::size_t width) {
  assert(width <= 4 && offset + width <= bytes.size());
  std::uint32_t value = 0;
  for (std::size_t i = width; i-- > 0;) {
    value = (value << 8) | bytes[offset + i];
  }
  return value;
}

void writeLe(std::span<std::uint8_t> bytes, std::size_t offset, std::size_t width,
             std::uint32_t value) {
  assert(width <= 4 && offset + width <= bytes.size());
  for (std::size_t i = 0; i < width; ++i) {
    bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

std::uint32_t ConfigImage::get(Field f) const { return readLe(bytes_, f.offset, f.width); }

void ConfigImage::set(Field f, std::uint32_t value) { writeLe(bytes_, f.offset, f.width, value); }

unsigned ConfigImage::getBits(BitField b) const {
  return (bytes_[b.byte.offset] & b.mask()) >> b.shift;
}

void ConfigImage::setBits(BitField b, unsigned value) {
  auto& byte = bytes_[b.byte.offset];
  byte = static_cast<std::uint8_t>((byte & ~b.mask()) | ((value << b.shift) & b.mask()));
}

void ConfigImage::clear(Field f) {
  for (auto& b : span(f)) {
    b = 0;
  }
}

namespace {

constexpr std::array<std::uint32_t, 256> makeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i << 24;
    for (int bit = 0; bit < 8; ++bit) {
      c = (c & 0x80000000u) ? (c << 1) ^ 0x04C11DB7u : c << 1;
    }
    table[i] = c;
  }
  return table;
}

constexpr auto kCrcTable = makeCrcTable();

}  // namespace

std::uint32_t crc32Mpeg2(std::span<const std::uint8_t> bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t b : bytes) {
    crc = (crc << 8) ^ kCrcTable[((crc >> 24) ^ b) & 0xFFu];
  }
  return crc;
}

bool isEmptyEntry(std::span<const std::uint8_t, layout::kEntrySize> entry) {
  for (std::uint8_t b : entry) {
    if (b != 0) {
      return false;
    }
  }
  return true;
}

void applyAfterWholeRead(ConfigImage& image, bool readSucceeded) {
  if (!readSucceeded) {
    image.clear(layout::kParamBlock);
  }
  if (image.get(layout::kLongPressTime) == 0) {
    image.set(layout::kLongPressTime, layout::kDefaultLongPressMs);
    for (std::size_t c = 0; c < layout::kKeyChannelCount; ++c) {
      image.set(layout::keyReferenceLevel(c), layout::kFullScaleLevel);
    }
  }
}

std::size_t findKeyByLevel(const ConfigImage& image, std::size_t channel, unsigned level) {
  for (std::size_t k = 0; k < layout::kKeysPerChannel; ++k) {
    const unsigned keyLevel = image.get(layout::keyLevel(channel, k));
    if (keyLevel == 0) {
      continue;
    }
    const int distance = std::abs(static_cast<int>(keyLevel) - static_cast<int>(level));
    if (distance < static_cast<int>(layout::kKeyLevelDistance)) {
      return k + 1;
    }
  }
  return 0;
}

}  // namespace kivprism::config

#include "core/events/records.hpp"

#include <algorithm>

#include "core/config/image.hpp"

namespace kivprism::events {

namespace {

std::span<const std::uint8_t> firstBytes(const std::array<std::uint8_t, record::kCanDataMax>& bytes,
                                         std::uint8_t count) {
  return std::span(bytes).first(std::min<std::size_t>(count, record::kCanDataMax));
}

}  // namespace

IrCode readIrCode(std::span<const std::uint8_t, record::kIrCodeSize> bytes) {
  return {bytes[record::kIrProtocol], bytes[record::kIrCommand],
          static_cast<std::uint16_t>(config::readLe(bytes, record::kIrAddress, 2))};
}

void writeIrCode(std::span<std::uint8_t, record::kIrCodeSize> bytes, const IrCode& code) {
  bytes[record::kIrProtocol] = code.protocol;
  bytes[record::kIrCommand] = code.command;
  config::writeLe(bytes, record::kIrAddress, 2, code.address);
}

std::span<const std::uint8_t> CanMessage::payload() const { return firstBytes(data, length); }

CanMessage readCanMessage(std::span<const std::uint8_t, record::kCanMessageSlotSize> slot) {
  CanMessage message;
  message.idWord = config::readLe(slot, record::kCanMessageIdWord, 4);
  message.length = slot[record::kCanMessageLength];
  std::copy_n(slot.begin() + record::kCanMessageData, record::kCanDataMax, message.data.begin());
  return message;
}

void writeCanMessage(std::span<std::uint8_t, record::kCanMessageSlotSize> slot,
                     const CanMessage& message) {
  std::fill(slot.begin(), slot.end(), std::uint8_t{0});
  config::writeLe(slot, record::kCanMessageIdWord, 4, message.idWord);
  slot[record::kCanMessageLength] = message.length;
  std::copy(message.data.begin(), message.data.end(), slot.begin() + record::kCanMessageData);
}

std::span<const std::uint8_t> CanFilter::usedMask() const { return firstBytes(mask, count); }
std::span<const std::uint8_t> CanFilter::usedData() const { return firstBytes(data, count); }

CanFilter readCanFilter(std::span<const std::uint8_t, record::kCanFilterSize> bytes) {
  CanFilter filter;
  filter.idWord = config::readLe(bytes, record::kCanFilterIdWord, 4);
  filter.count = bytes[record::kCanFilterCount];
  std::copy_n(bytes.begin() + record::kCanFilterMask, record::kCanDataMax, filter.mask.begin());
  std::copy_n(bytes.begin() + record::kCanFilterData, record::kCanDataMax, filter.data.begin());
  return filter;
}

void writeCanFilter(std::span<std::uint8_t, record::kCanFilterSize> bytes,
                    const CanFilter& filter) {
  config::writeLe(bytes, record::kCanFilterIdWord, 4, filter.idWord);
  bytes[record::kCanFilterCount] = filter.count;
  std::copy(filter.mask.begin(), filter.mask.end(), bytes.begin() + record::kCanFilterMask);
  std::copy(filter.data.begin(), filter.data.end(), bytes.begin() + record::kCanFilterData);
}

}  // namespace kivprism::events

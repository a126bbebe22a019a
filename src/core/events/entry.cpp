#include "core/events/entry.hpp"

#include <algorithm>
#include <stdexcept>

#include "core/config/text_codec.hpp"

namespace kivprism::events {

namespace {

std::size_t indexOf(std::size_t number) {
  if (number < kFirstEntryNumber || number > kLastEntryNumber) {
    throw std::out_of_range("entry number " + std::to_string(number) + " is not in 1..100");
  }
  return number - kFirstEntryNumber;
}

template <std::size_t N, typename Span>
auto fixedAt(Span e, std::size_t offset) {
  return e.subspan(offset).template first<N>();
}

}  // namespace

EntryBytes entryAt(config::ConfigImage& image, std::size_t number) {
  return image.entry(indexOf(number));
}

ConstEntryBytes entryAt(const config::ConfigImage& image, std::size_t number) {
  return image.entry(indexOf(number));
}

std::optional<std::size_t> entryNumberAt(std::size_t imageOffset) {
  const auto table = config::layout::kEntryTable;
  if (imageOffset < table.offset || imageOffset >= table.end()) {
    return std::nullopt;
  }
  return (imageOffset - table.offset) / entry::kSize + kFirstEntryNumber;
}

bool get(ConstEntryBytes e, BitFlag f) { return ((e[f.offset] >> f.bit) & 1u) != 0; }

void set(EntryBytes e, BitFlag f, bool value) {
  const auto bit = static_cast<std::uint8_t>(1u << f.bit);
  e[f.offset] = static_cast<std::uint8_t>(value ? (e[f.offset] | bit) : (e[f.offset] & ~bit));
}

void clear(EntryBytes e, ByteRun run) {
  auto bytes = bytesOf(e, run);
  std::fill(bytes.begin(), bytes.end(), std::uint8_t{0});
}

bool isZero(ConstEntryBytes e, ByteRun run) {
  const auto bytes = bytesOf(e, run);
  return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

std::string get(ConstEntryBytes e, TextField f) {
  return config::cp1251ToUtf8(config::fieldText(e.subspan(f.offset, f.size)));
}

void set(EntryBytes e, TextField f, std::string_view utf8) {
  config::setFieldText(e.subspan(f.offset, f.size), config::utf8ToCp1251(utf8));
}

IrCode get(ConstEntryBytes e, IrCodeField f) {
  return readIrCode(fixedAt<record::kIrCodeSize>(e, f.offset));
}

void set(EntryBytes e, IrCodeField f, const IrCode& code) {
  writeIrCode(fixedAt<record::kIrCodeSize>(e, f.offset), code);
}

CanMessage get(ConstEntryBytes e, CanMessageSlot f) {
  return readCanMessage(fixedAt<record::kCanMessageSlotSize>(e, f.offset));
}

void set(EntryBytes e, CanMessageSlot f, const CanMessage& message) {
  writeCanMessage(fixedAt<record::kCanMessageSlotSize>(e, f.offset), message);
}

CanFilter get(ConstEntryBytes e, CanFilterField f) {
  return readCanFilter(fixedAt<record::kCanFilterSize>(e, f.offset));
}

void set(EntryBytes e, CanFilterField f, const CanFilter& filter) {
  writeCanFilter(fixedAt<record::kCanFilterSize>(e, f.offset), filter);
}

}  // namespace kivprism::events

// Access to one event/reaction entry of the image: the entry by its number as the user sees it
// (1..100), and every field of it through the named descriptors of entry_layout.hpp.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/config/image.hpp"
#include "core/events/entry_layout.hpp"
#include "core/events/records.hpp"

namespace kivprism::events {

using EntryBytes = std::span<std::uint8_t, entry::kSize>;
using ConstEntryBytes = std::span<const std::uint8_t, entry::kSize>;
// A detached copy of an entry (tests, clipboard, the listing).
using EntryData = std::array<std::uint8_t, entry::kSize>;

inline constexpr std::size_t kFirstEntryNumber = 1;
inline constexpr std::size_t kLastEntryNumber = config::layout::kEntryCount;

// Entry n (1..100); throws std::out_of_range for any other number.
EntryBytes entryAt(config::ConfigImage& image, std::size_t number);
ConstEntryBytes entryAt(const config::ConfigImage& image, std::size_t number);
// The number of the entry that holds an image offset; nothing outside the table.
std::optional<std::size_t> entryNumberAt(std::size_t imageOffset);

// Integer fields.
template <typename T>
T get(ConstEntryBytes e, IntField<T> f) {
  return static_cast<T>(config::readLe(e, f.offset, IntField<T>::kWidth));
}
template <typename T>
void set(EntryBytes e, IntField<T> f, std::type_identity_t<T> value) {
  using Unsigned = std::make_unsigned_t<T>;
  config::writeLe(e, f.offset, IntField<T>::kWidth,
                  static_cast<std::uint32_t>(static_cast<Unsigned>(value)));
}

bool get(ConstEntryBytes e, BitFlag f);
void set(EntryBytes e, BitFlag f, bool value);

// Runs of bytes.
inline std::span<std::uint8_t> bytesOf(EntryBytes e, ByteRun run) {
  return e.subspan(run.offset, run.size);
}
inline std::span<const std::uint8_t> bytesOf(ConstEntryBytes e, ByteRun run) {
  return e.subspan(run.offset, run.size);
}
void clear(EntryBytes e, ByteRun run);
bool isZero(ConstEntryBytes e, ByteRun run);

// Texts: the stored cp1251 characters up to the first NUL, converted to UTF-8; writing converts to
// cp1251, keeps what fits and pads with NUL (a full field has no terminator).
std::string get(ConstEntryBytes e, TextField f);
void set(EntryBytes e, TextField f, std::string_view utf8);

// Shared records.
IrCode get(ConstEntryBytes e, IrCodeField f);
void set(EntryBytes e, IrCodeField f, const IrCode& code);
CanMessage get(ConstEntryBytes e, CanMessageSlot f);
void set(EntryBytes e, CanMessageSlot f, const CanMessage& message);
CanFilter get(ConstEntryBytes e, CanFilterField f);
void set(EntryBytes e, CanFilterField f, const CanFilter& filter);

// The entry's name in UTF-8; empty when the first byte is 0.
inline std::string entryName(ConstEntryBytes e) { return get(e, entry::kName); }
inline void setEntryName(EntryBytes e, std::string_view utf8) { set(e, entry::kName, utf8); }

inline unsigned eventTypeCode(ConstEntryBytes e) { return get(e, entry::kEventType); }
inline unsigned reactionTypeCode(ConstEntryBytes e) { return get(e, entry::kReactionType); }

// An entry whose 144 bytes are all zero is empty.
inline bool isEmpty(ConstEntryBytes e) { return config::isEmptyEntry(e); }

// CRC-32/MPEG-2 of the 144 bytes: the editor redraws an entry only when this changes. Never
// stored.
inline std::uint32_t entryHash(ConstEntryBytes e) { return config::crc32Mpeg2(e); }

}  // namespace kivprism::events

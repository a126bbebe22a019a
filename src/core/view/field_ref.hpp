// Where a control's value lives: a field of the image, a group of bits inside one byte of it, or a
// field of the entry the editor has selected. One binding table can so describe a parameters tab
// and an editor page alike; the entry number comes with the form's context at read and store time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <variant>

#include "core/config/image.hpp"
#include "core/events/entry_layout.hpp"

namespace kivprism::view {

// A field of the selected entry, by its descriptor in the entry layout.
struct EntryField {
  std::variant<events::U8Field, events::U16Field, events::U32Field, events::BitFlag> field;
};

using FieldRef = std::variant<std::monostate, config::Field, config::BitField, EntryField>;

bool hasField(const FieldRef& ref);
// The image bytes a reference covers, for image fields and bit fields (a bit field gives its byte);
// width 0 for none and for entry fields, whose place depends on the selection.
config::Field imageField(const FieldRef& ref);
std::optional<config::BitField> bitField(const FieldRef& ref);

// Read and store through a reference; `entry` is the selected entry's number (1..100) and only
// matters for entry fields. Reading nothing gives 0, storing into nothing does nothing.
std::uint32_t readField(const config::ConfigImage& image, const FieldRef& ref, std::size_t entry);
void storeField(config::ConfigImage& image, const FieldRef& ref, std::size_t entry,
                std::uint32_t value);

}  // namespace kivprism::view

// Every control of the event half as data: the field of the selected entry it edits, its kind, its
// rule (core/editor/event_rules.hpp) and the page it belongs to. The derivation reads the table to
// show an entry; the handlers read it to store.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "core/view/binding.hpp"

namespace kivprism::editor {

// The page every binding belongs to; kBottomRow for the common bottom row.
inline constexpr int kBottomRow = -1;

// The bindings of the event half, and the page of each (same order).
const view::BindingTable& eventBindings();
std::span<const int> eventBindingPages();

// The tab sheet of an event page.
std::string_view eventPageSheet(std::size_t page);

}  // namespace kivprism::editor

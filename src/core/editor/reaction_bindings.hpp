// Every control of the reaction half as data: the field of the selected entry it edits, its kind,
// its rule (core/editor/reaction_rules.hpp) and the page (reaction type) it belongs to. The
// derivation reads the table to show an entry; the handlers read it to store.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "core/view/binding.hpp"

namespace kivprism::editor {

// The bindings of the reaction half, and the page of each (same order).
const view::BindingTable& reactionBindings();
std::span<const int> reactionBindingPages();

// The tab sheet of a reaction page.
std::string_view reactionPageSheet(std::size_t page);

}  // namespace kivprism::editor

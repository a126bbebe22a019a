// The refresh of the reaction half of the editor, without widgets: derive every control of the
// reaction page the entry's type selects, and store the corrections that page makes (an IR code
// of an unknown protocol, a CarDSP parameter or a steering-wheel command outside its list). The
// consistency repair is the event half's: the combined refresh derives the event half first.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "core/config/image.hpp"
#include "core/editor/event_pane.hpp"
#include "core/events/entry_types.hpp"
#include "core/view/binding.hpp"

namespace kivprism::editor {

struct ReactionPaneView : view::FormView {
  std::size_t entry = 1;
  std::size_t page = 0;  // PageControlReaction's page: the reaction type, 0 for an unknown type
  std::array<bool, events::kReactionTypeCount> pageVisible{};
};

// The bindings of the reaction half, and the page (reaction type) of each, same order.
const view::BindingTable& reactionBindings();
std::span<const int> reactionBindingPages();

// The controls of pages other than the shown one carry only their names (hasValue false).
ReactionPaneView deriveReactionPane(config::ConfigImage& image, std::size_t entry,
                                    const EventPaneContext& context);

// The tab sheet of a reaction page.
std::string_view reactionPageSheet(std::size_t page);

// Both halves as one refresh does them: the event half (which repairs the entry), then this one.
struct PaneViews {
  EventPaneView event;
  ReactionPaneView reaction;
};
PaneViews derivePane(config::ConfigImage& image, std::size_t entry,
                     const EventPaneContext& context);

}  // namespace kivprism::editor

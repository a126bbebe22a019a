// The views of the event/reaction editor's two halves: the form view of each half's controls and
// pages, plus what the pane decides beyond single controls (the page the entry's type selects,
// which pages make sense).
#pragma once

#include <array>
#include <cstddef>

#include "core/events/consistency.hpp"
#include "core/events/entry_types.hpp"
#include "core/params/availability.hpp"
#include "core/view/form_view.hpp"

namespace kivprism::editor {

// What the pane needs besides the image: the language and the page rules of the parameters page.
struct EventPaneContext {
  lang::Language language = lang::Language::Russian;
  params::AvailabilityMarks marks{};
  bool onlyUsed = false;
};

struct EventPaneView : view::FormView {
  std::size_t entry = 1;
  std::size_t page = 0;  // PageControlEvent's page: the event type, 0 for an unknown type
  std::array<bool, events::kEventTypeCount> pageVisible{};
  events::Repairs repairs;  // what the refresh's normalising stored into the entry
};

struct ReactionPaneView : view::FormView {
  std::size_t entry = 1;
  std::size_t page = 0;  // PageControlReaction's page: the reaction type, 0 for an unknown type
  std::array<bool, events::kReactionTypeCount> pageVisible{};
};

// Both halves of one entry.
struct PaneViews {
  EventPaneView event;
  ReactionPaneView reaction;
};

}  // namespace kivprism::editor

// The skip logic of the editor's refresh: a refresh whose entry did not change since the last one
// does no work, and a refresh started from inside a refresh (a control's change handler firing
// while the pane is redrawn) returns at once.
#pragma once

#include <cstddef>
#include <optional>

#include "core/config/image.hpp"
#include "core/editor/derive.hpp"
#include "core/view/refresher.hpp"

namespace kivprism::editor {

// The event half's refresh with its skip: the entry hash of the last shown entry, the sentinel
// that forces the next refresh, and the guard against a refresh from inside a refresh. force()
// after a read from the controller, a language switch, a switch of the only-used view, or an edit
// of a parameter the pages show.
class EventPaneRefresher : public view::Refresher {
 public:
  EventPaneRefresher() : Refresher(config::kForceRefreshHash) {}
  // Normalises the entry (both halves) and derives the event half; the view to apply, or nothing
  // when the refresh is skipped. The stored hash is that of the normalised entry, so the
  // corrections themselves cost no second pass.
  std::optional<EventPaneView> refresh(config::ConfigImage& image, std::size_t entry,
                                       const EventPaneContext& context);
};

}  // namespace kivprism::editor

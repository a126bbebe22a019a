// The skip logic of the editor's refresh: a refresh whose entry did not change since the last one
// does no work, and a refresh started from inside a refresh (a control's change handler firing
// while the pane is redrawn) returns at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/config/image.hpp"
#include "core/editor/derive.hpp"
#include "core/view/refresh_guard.hpp"

namespace kivprism::editor {

// The event half's refresh with its skip: the entry hash of the last shown entry, the sentinel
// that forces the next refresh, and the guard against a refresh from inside a refresh.
class EventPaneRefresher {
 public:
  // Normalises the entry (both halves) and derives the event half; the view to apply, or nothing
  // when the refresh is skipped. The stored hash is that of the normalised entry, so the
  // corrections themselves cost no second pass.
  std::optional<EventPaneView> refresh(config::ConfigImage& image, std::size_t entry,
                                       const EventPaneContext& context);
  // After a read from the controller, a language switch, a switch of the only-used view, or an
  // edit of a parameter the pages show.
  void force() { storedHash_ = config::kForceRefreshHash; }
  bool running() const { return running_; }
  std::size_t refreshCount() const { return count_; }

  // Held by the pane while it applies a view to its widgets: the change handlers that fire while
  // controls are set must not start a second refresh.
  class Guard : public view::RefreshGuard {
   public:
    explicit Guard(EventPaneRefresher& r) : RefreshGuard(r.running_) {}
  };

 private:
  std::uint32_t storedHash_ = config::kForceRefreshHash;
  bool running_ = false;
  std::size_t count_ = 0;
};

}  // namespace kivprism::editor

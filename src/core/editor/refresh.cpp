#include "core/editor/refresh.hpp"

#include "core/events/entry.hpp"

namespace kivprism::editor {

std::optional<EventPaneView> EventPaneRefresher::refresh(config::ConfigImage& image,
                                                         std::size_t entry,
                                                         const EventPaneContext& context) {
  if (running_) {
    return std::nullopt;
  }
  const std::uint32_t hash = events::entryHash(events::entryAt(image, entry));
  if (hash == storedHash_) {
    return std::nullopt;
  }
  const EntryCorrections corrections = normaliseEntry(image, entry);
  EventPaneView view = deriveEventPane(image, entry, context);
  view.repairs = corrections.repairs;
  storedHash_ = events::entryHash(events::entryAt(image, entry));
  ++count_;
  return view;
}

}  // namespace kivprism::editor

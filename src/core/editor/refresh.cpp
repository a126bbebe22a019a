#include "core/editor/refresh.hpp"

#include "core/events/entry.hpp"

namespace kivprism::editor {

std::optional<EventPaneView> EventPaneRefresher::refresh(config::ConfigImage& image,
                                                         std::size_t entry,
                                                         const EventPaneContext& context) {
  return Refresher::refresh([&] { return events::entryHash(events::entryAt(image, entry)); },
                            [&] {
                              const EntryCorrections corrections = normaliseEntry(image, entry);
                              EventPaneView view = deriveEventPane(image, entry, context);
                              view.repairs = corrections.repairs;
                              return view;
                            });
}

}  // namespace kivprism::editor

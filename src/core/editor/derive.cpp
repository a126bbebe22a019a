#include "core/editor/derive.hpp"

namespace kivprism::editor {

EntryCorrections normaliseEntry(config::ConfigImage& image, std::size_t entry) {
  EntryCorrections corrections;
  corrections.repairs = normaliseEventEntry(image, entry);
  corrections.reaction = normaliseReactionEntry(image, entry);
  return corrections;
}

PaneViews derivePane(const config::ConfigImage& image, std::size_t entry,
                     const EventPaneContext& context) {
  PaneViews views;
  views.event = deriveEventPane(image, entry, context);
  views.reaction = deriveReactionPane(image, entry, context);
  return views;
}

}  // namespace kivprism::editor

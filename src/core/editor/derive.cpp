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

void showPageControls(std::vector<view::ControlView>& controls, std::span<const view::Binding> all,
                      std::span<const int> pages, int page, int alsoShown,
                      const config::ConfigImage& image, const view::FormContext& context) {
  controls.resize(all.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (pages[i] == page || pages[i] == alsoShown) {
      view::showControl(controls[i], all[i], image, context);
      // A panel or button of the shown page displays the text its rule derived.
      if (all[i].kind == view::ControlKind::Widget && all[i].rule && all[i].rule->show) {
        controls[i].hasValue = true;
      }
    } else {
      controls[i].name = all[i].control;
      controls[i].kind = all[i].kind;
      controls[i].hasValue = false;
    }
  }
}

}  // namespace kivprism::editor

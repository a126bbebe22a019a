// The refresh of the editor's two halves, without widgets. Normalising stores the corrections an
// entry needs into the image: the consistency rules' repairs, then what the reaction pages leave
// (an IR code of a protocol the controller cannot send, a CarDSP parameter or a steering-wheel
// command outside its list). They are changes of the user's image like any edit and go to the
// controller with the next change sending. Deriving then shows every control of the bottom row
// and of the pages the entry's types select, and only reads.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "core/config/image.hpp"
#include "core/editor/pane_view.hpp"
#include "core/events/consistency.hpp"
#include "core/view/binding.hpp"

namespace kivprism::editor {

// What normalising an entry stored.
struct EntryCorrections {
  events::Repairs repairs;  // the consistency rules' repairs
  bool reaction = false;    // a reaction parameter was put back on its list
  bool any() const { return repairs.any() || reaction; }
};

// The event half's repairs, then the reaction half's corrections.
EntryCorrections normaliseEntry(config::ConfigImage& image, std::size_t entry);
// The event half alone: the consistency rules.
events::Repairs normaliseEventEntry(config::ConfigImage& image, std::size_t entry);
// The reaction half alone, on an entry the consistency rules have repaired; true when it stored.
bool normaliseReactionEntry(config::ConfigImage& image, std::size_t entry);

// The controls of pages other than the shown one carry only their names (hasValue false).
EventPaneView deriveEventPane(const config::ConfigImage& image, std::size_t entry,
                              const EventPaneContext& context);
ReactionPaneView deriveReactionPane(const config::ConfigImage& image, std::size_t entry,
                                    const EventPaneContext& context);
PaneViews derivePane(const config::ConfigImage& image, std::size_t entry,
                     const EventPaneContext& context);

// What both halves' derivations share: the controls on the page shown (and on alsoShown, the
// event half's bottom row) show their values; the others keep only their names.
void showPageControls(std::vector<view::ControlView>& controls, std::span<const view::Binding> all,
                      std::span<const int> pages, int page, int alsoShown,
                      const config::ConfigImage& image, const view::FormContext& context);

}  // namespace kivprism::editor

// The refresh of the event half of the editor, without widgets: repair the selected entry by the
// consistency rules, store the repairs, then derive every control of the bottom row and of the
// event page the entry's type selects.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "core/config/image.hpp"
#include "core/events/consistency.hpp"
#include "core/events/entry_types.hpp"
#include "core/params/availability.hpp"
#include "core/view/binding.hpp"

namespace kivprism::editor {

// What the pane needs besides the image: the language and the page rules of the parameters page.
struct EventPaneContext {
  lang::Language language = lang::Language::Russian;
  params::AvailabilityMarks marks{};
  bool onlyUsed = false;
};

// The page every binding belongs to; kBottomRow for the common bottom row.
inline constexpr int kBottomRow = -1;

struct EventPaneView : view::FormView {
  std::size_t entry = 1;
  std::size_t page = 0;  // PageControlEvent's page: the event type, 0 for an unknown type
  std::array<bool, events::kEventTypeCount> pageVisible{};
  events::Repairs repairs;  // what the consistency rules stored into the entry
};

// The bindings of the event half, and the page of each (same order).
const view::BindingTable& eventBindings();
std::span<const int> eventBindingPages();

// The controls of pages other than the shown one carry only their names (hasValue false).
EventPaneView deriveEventPane(config::ConfigImage& image, std::size_t entry,
                              const EventPaneContext& context);

// The tab sheet of an event page.
std::string_view eventPageSheet(std::size_t page);

}  // namespace kivprism::editor

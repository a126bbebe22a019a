// One half of the event/reaction pane as data: its bindings and the page of each, the layout of
// its pages, the controls it makes itself, and the core calls that derive it, change it and choose
// its type. The event half and the reaction half are two fillings of this one description.
#pragma once

#include <QPoint>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "core/config/image.hpp"
#include "core/editor/derive.hpp"
#include "core/editor/event_bindings.hpp"
#include "core/editor/pane_rules.hpp"
#include "core/editor/refresh.hpp"
#include "core/editor/requests.hpp"
#include "core/view/binding.hpp"
#include "ui/common/tab_layout.hpp"

class QWidget;

namespace kivprism::ui::editor {

class EventReactionPane;

// A derived half: the form's controls and tabs (tab visibility = the page shows), and the page the
// entry's type selects.
struct HalfView {
  view::FormView form;
  std::size_t page = 0;
};

struct PaneHalf {
  const view::BindingTable* bindings = nullptr;
  std::span<const int> bindingPages;  // page of each binding; kivprism::editor::kBottomRow unused
  std::span<const TabLayout> pages;
  // Controls without a binding, or with a look of their own; nullptr for the form's default. Made
  // while the pane builds; a bound one registers with the pane's form of its half.
  std::function<QWidget*(EventReactionPane& pane, std::string_view control, QWidget* parent)>
      special;
  // Reads only: the pane's refresh has normalised the entry before.
  std::function<HalfView(const config::ConfigImage& image, std::size_t entry,
                         const kivprism::editor::EventPaneContext& context)>
      derive;
  // What a change asks beyond the form's notice and refresh (a dialog, a page of the parameters
  // page) comes as a request, which the pane answers after the notice, before the refresh.
  std::function<kivprism::editor::PaneChange(config::ConfigImage& image, std::size_t entry,
                                             std::string_view control, view::ControlKind kind,
                                             const view::Change& change)>
      change;
  // A click on a page tab: the same type keeps the parameters, another wipes them.
  std::function<bool(config::ConfigImage& image, std::size_t entry, std::uint8_t type)> chooseType;
  // The right-click menu of the page control: one item per visible page.
  std::function<std::vector<kivprism::editor::MenuItem>(std::span<const bool> visible,
                                                        lang::Language language)>
      selectionMenu;
  const char* menuName = "";  // PopupMenuSelectEvent / PopupMenuSelectResponse
};

}  // namespace kivprism::ui::editor

#include "core/view/form_view.hpp"

#include <algorithm>
#include <stdexcept>

#include "core/view/binding.hpp"

namespace kivprism::view {

std::vector<std::string> itemTexts(const ControlView& view, lang::Language language) {
  std::size_t count = view.items.size();
  for (const auto& [index, text] : view.itemOverrides) {
    count = std::max(count, static_cast<std::size_t>(index) + 1);
  }
  std::vector<std::string> out(count);
  for (std::size_t i = 0; i < view.items.size(); ++i) {
    out[i] = std::string(view.items[i].in(language));
  }
  for (const auto& [index, text] : view.itemOverrides) {
    out[static_cast<std::size_t>(index)] = text;
  }
  return out;
}

const ControlView* FormView::find(std::string_view name) const {
  if (table) {
    const int i = table->indexOf(name);
    if (i >= 0 && static_cast<std::size_t>(i) < controls.size() &&
        controls[static_cast<std::size_t>(i)].name == name) {
      return &controls[static_cast<std::size_t>(i)];
    }
    return nullptr;
  }
  for (const ControlView& c : controls) {
    if (c.name == name) {
      return &c;
    }
  }
  return nullptr;
}

const TabView* FormView::findTab(std::string_view name) const {
  for (const TabView& t : tabs) {
    if (t.name == name) {
      return &t;
    }
  }
  return nullptr;
}

ControlView& ViewBuilder::at(std::string_view name) {
  if (const ControlView* c = view_.find(name)) {
    return const_cast<ControlView&>(*c);
  }
  throw std::invalid_argument("the form has no control " + std::string(name));
}

TabView& ViewBuilder::tab(std::string_view name) {
  if (const TabView* t = view_.findTab(name)) {
    return const_cast<TabView&>(*t);
  }
  throw std::invalid_argument("the form has no tab " + std::string(name));
}

void clearUnknownPositions(FormView& view, bool skipOverridden) {
  for (ControlView& c : view.controls) {
    if (c.kind == ControlKind::Combo && c.hasValue && !c.items.empty() &&
        (!skipOverridden || c.itemOverrides.empty()) &&
        static_cast<std::size_t>(c.value) >= c.items.size()) {
      c.value = -1;
    }
  }
}

}  // namespace kivprism::view

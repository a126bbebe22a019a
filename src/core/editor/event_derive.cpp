#include <span>

#include "core/editor/derive.hpp"
#include "core/editor/event_bindings.hpp"
#include "core/editor/event_rules.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_operations.hpp"

namespace kivprism::editor {

namespace {

namespace event = events::event;
using config::ConfigImage;
using events::EventType;
using view::ControlKind;
using view::FormContext;

void applyBottomRow(view::ViewBuilder& v, events::ConstEntryBytes e) {
  const EventBoxes boxes = eventBoxes(e);
  v.enable("ComboBoxEventEvent", boxes.pressKind);
  v.enable("CheckBoxEventOnce", boxes.once);
  v.enable("CheckBoxEventWakeUp", boxes.wakeUp);
  v.enable("ComboBoxEventSRCMASK", boxes.sourceMask);
  if (boxes.sourceMaskAny) {
    v.at("ComboBoxEventSRCMASK").value = 0;
  }
}

void applyVarPage(view::ViewBuilder& v, events::ConstEntryBytes e) {
  const bool variable = events::get(e, event::var::kVariable) != 0;
  for (std::string_view name :
       {"SpeedButtonEventVARFunc1x", "SpeedButtonEventVARFunc2x", "EditEventVarTO"}) {
    v.show(name, variable);
  }
  v.show("EditEventVARMask", variable && events::get(e, event::var::kLogicOperation) != 0);
  v.show("EditEventVARVal", variable && events::get(e, event::var::kComparison) != 0);
}

}  // namespace

events::Repairs normaliseEventEntry(ConfigImage& image, std::size_t entryNumber) {
  return events::applyConsistencyRules(events::entryAt(image, entryNumber),
                                       events::entryContextOf(image));
}

EventPaneView deriveEventPane(const ConfigImage& image, std::size_t entryNumber,
                              const EventPaneContext& context) {
  EventPaneView view;
  view.entry = entryNumber;
  const auto e = events::entryAt(image, entryNumber);
  view.page = events::eventTypeCode(e);

  const view::BindingTable& table = eventBindings();
  const auto all = table.all();
  const std::span<const int> pages = eventBindingPages();
  const FormContext formContext{context.language, entryNumber};
  view.table = &table;
  view.language = context.language;
  showPageControls(view.controls, all, pages, static_cast<int>(view.page), kBottomRow, image,
                   formContext);
  view::clearUnknownPositions(view, false);

  view::ViewBuilder builder(view, image);
  applyBottomRow(builder, e);
  if (view.page == static_cast<std::size_t>(EventType::Var)) {
    applyVarPage(builder, e);
  }

  const params::PageVisibility visible =
      params::visiblePages(image, context.marks, context.onlyUsed);
  view.pageVisible = visible.event;
  for (std::size_t page = 0; page < events::kEventTypeCount; ++page) {
    view.tabs.push_back({eventPageSheet(page), visible.event[page],
                         events::eventTypeName(static_cast<unsigned>(page))});
  }
  return view;
}

}  // namespace kivprism::editor

#include <span>

#include "core/editor/derive.hpp"
#include "core/editor/event_lists.hpp"
#include "core/editor/reaction_bindings.hpp"
#include "core/editor/reaction_lists.hpp"
#include "core/editor/reaction_rules.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_operations.hpp"

namespace kivprism::editor {

namespace {

namespace reaction = events::reaction;
using config::ConfigImage;
using events::ReactionType;
using view::ControlKind;
using view::FormContext;
namespace rx = reaction;

// What the consistency rules leave to the pages: a code the controller cannot send, a CarDSP
// parameter outside its list, a steering-wheel command its type does not offer. True when it
// stored (a value already zero stays as it is).
bool correctEntry(events::EntryBytes e, const ConfigImage& image) {
  switch (static_cast<ReactionType>(events::reactionTypeCode(e))) {
    case ReactionType::IrCode: {
      const auto code = events::get(e, rx::ir_code::kCode);
      if (reactionIrProtocolName(code.protocol) || code == events::IrCode{}) {
        return false;
      }
      events::set(e, rx::ir_code::kCode, events::IrCode{});
      return true;
    }
    case ReactionType::CarDsp: {
      const auto items =
          lists::carDspParameters(events::get(e, rx::car_dsp::kMode), carDspShortened(image));
      const unsigned parameter = events::get(e, rx::car_dsp::kParameter);
      if (parameter < items.size() || parameter == 0) {
        return false;
      }
      events::set(e, rx::car_dsp::kParameter, 0);
      return true;
    }
    case ReactionType::SwCan: {
      const unsigned type = events::get(e, rx::sw_can::kType);
      const unsigned command = events::get(e, rx::sw_can::kCommand);
      if (swCanCommandPosition(type, command) || command == 0) {
        return false;
      }
      events::set(e, rx::sw_can::kCommand, 0);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

bool normaliseReactionEntry(ConfigImage& image, std::size_t entryNumber) {
  return correctEntry(events::entryAt(image, entryNumber), image);
}

ReactionPaneView deriveReactionPane(const ConfigImage& image, std::size_t entryNumber,
                                    const EventPaneContext& context) {
  ReactionPaneView view;
  view.entry = entryNumber;
  const auto e = events::entryAt(image, entryNumber);
  const unsigned type = events::reactionTypeCode(e);
  view.page = events::isValidReactionType(type) ? type : 0;

  const view::BindingTable& table = reactionBindings();
  const auto all = table.all();
  const std::span<const int> pages = reactionBindingPages();
  const FormContext formContext{context.language, entryNumber};
  view.table = &table;
  view.language = context.language;
  showPageControls(view.controls, all, pages, static_cast<int>(view.page),
                   static_cast<int>(view.page), image, formContext);
  view::clearUnknownPositions(view, true);

  const params::PageVisibility visible =
      params::visiblePages(image, context.marks, context.onlyUsed);
  view.pageVisible = visible.reaction;
  for (std::size_t page = 0; page < events::kReactionTypeCount; ++page) {
    view.tabs.push_back({reactionPageSheet(page), visible.reaction[page],
                         events::reactionTypeName(static_cast<unsigned>(page))});
  }
  return view;
}

}  // namespace kivprism::editor

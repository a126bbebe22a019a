#include "core/editor/list_rows.hpp"

#include "core/editor/event_bindings.hpp"
#include "core/editor/reaction_bindings.hpp"
#include "core/lang/language_table.hpp"
#include "core/view/list_rows.hpp"

namespace kivprism::editor {

std::span<const lang::LanguageRow> paneListRows() {
  static const view::ListRows rows = [] {
    view::ListRows r(lang::kMainFormName);
    r.addFixedLists(eventBindings());
    r.addFixedLists(reactionBindings());
    return r;
  }();
  return rows.rows();
}

}  // namespace kivprism::editor

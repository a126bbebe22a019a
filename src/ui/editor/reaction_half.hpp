// The reaction half of the event/reaction pane: the 31 reaction pages from the core's reaction
// bindings and the reaction layout, every edit through the core's reaction handlers, and the
// dialogs, learning, touch capture and keyboard the reaction controls start.
#pragma once

#include "ui/editor/pane_half.hpp"

class QMenu;

namespace kivprism::ui::editor {

PaneHalf reactionHalf();

// The context menu of PanelEventReactionIRx: "Edit IR code" while the reaction is an IR code;
// nullptr otherwise.
QMenu* reactionIrPanelMenu(EventReactionPane& pane);

}  // namespace kivprism::ui::editor

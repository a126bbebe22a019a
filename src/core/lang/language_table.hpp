// The language table: rows of (key, Russian, English) for the captions and hints of the forms'
// controls, keyed by form name, control name and property. The main window's rows come in parts,
// one per part of the window, each in its own rows file; mainFormTextRows() is their concatenation.
// The item lists of the combo boxes are not written here: they are made from the pages' bindings
// (forms::mainFormRows() adds them).
#pragma once

#include <span>

#include "core/lang/language.hpp"

namespace kivprism::lang {

inline constexpr std::string_view kMainFormName = "MainForm";

// The parts of MainForm's table.
std::span<const LanguageRow> mainWindowRows();      // toolbar, pages, menus
std::span<const LanguageRow> parametersPageRows();  // the parameters page

// Every written row of MainForm, the parts in the order of mainFormParts(). A new page adds its
// rows file and one entry to that list.
std::span<const LanguageRow> mainFormTextRows();
std::span<std::span<const LanguageRow> (*const)()> mainFormParts();

// The event/reaction pane: its group boxes, the event pages and the common bottom row.
std::span<const LanguageRow> eventPaneRows();
// The reaction half of the event/reaction editor.
std::span<const LanguageRow> reactionPaneRows();

}  // namespace kivprism::lang

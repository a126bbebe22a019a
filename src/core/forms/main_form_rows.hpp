// Every row of MainForm's language table: the rows written in the language table, then the item
// lists of the combo boxes, made from the pages' bindings.
#pragma once

#include <span>

#include "core/lang/language.hpp"

namespace kivprism::forms {

std::span<const lang::LanguageRow> mainFormRows();

}  // namespace kivprism::forms

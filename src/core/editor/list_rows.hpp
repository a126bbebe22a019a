// The language table's item-list rows of the event and reaction pages' combo boxes, made from the
// pages' bindings.
#pragma once

#include <span>

#include "core/lang/language.hpp"

namespace kivprism::editor {

std::span<const lang::LanguageRow> paneListRows();

}  // namespace kivprism::editor

// The language-table rows of the CAN-log page: its caption, the list's hint and the items of its
// right-click menu, and the packet list's filter.
#pragma once

#include <span>

#include "core/lang/language.hpp"

namespace kivprism::lang {

std::span<const LanguageRow> canLogRows();

}  // namespace kivprism::lang

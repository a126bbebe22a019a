// The rows of the language table for the main window's own controls: page captions, toolbar hints
// and the right-click menu. The design texts of the window are the Russian column.
#pragma once

#include <span>

#include "core/lang/language.hpp"

namespace kivprism::lang {

inline constexpr std::string_view kMainFormName = "MainForm";

std::span<const LanguageRow> mainFormRows();

}  // namespace kivprism::lang

// The walk of the language table over a form: every named control whose key has a row gets its
// caption and hint in the current language. Program-filled controls (names ending in x) are
// never looked up.
#pragma once

#include <span>
#include <string_view>

#include "core/lang/language.hpp"

class QWidget;

namespace kivprism::ui {

void translateForm(QWidget* form, std::string_view formName,
                   std::span<const lang::LanguageRow> rows);

}  // namespace kivprism::ui

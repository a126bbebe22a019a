#include "core/forms/main_form_rows.hpp"

#include <vector>

#include "core/editor/list_rows.hpp"
#include "core/lang/language_table.hpp"
#include "core/params/list_rows.hpp"

namespace kivprism::forms {

std::span<const lang::LanguageRow> mainFormRows() {
  static const std::vector<lang::LanguageRow> rows = [] {
    std::vector<lang::LanguageRow> all;
    for (const auto part :
         {lang::mainFormTextRows(), params::pageListRows(), editor::paneListRows()}) {
      all.insert(all.end(), part.begin(), part.end());
    }
    return all;
  }();
  return rows;
}

}  // namespace kivprism::forms

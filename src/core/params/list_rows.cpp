#include "core/params/list_rows.hpp"

#include "core/lang/common_texts.hpp"
#include "core/lang/language_table.hpp"
#include "core/params/bindings.hpp"
#include "core/params/derive.hpp"
#include "core/view/list_rows.hpp"

namespace kivprism::params {

namespace {

// The touch mode shows its sources item after the fixed modes ("Sources..." while another mode
// is chosen).
std::string designTail(std::string_view control, lang::Language language) {
  if (control != "ComboBoxTouchMode") {
    return {};
  }
  return touchSourcesItem(0, 0, language) + "\r\n";
}

// Both items of the USB touch source are written by the refresh: "Any" and the chosen sources.
std::string usbTouchSourceItems(lang::Language language) {
  return std::string(lang::kAnySource.in(language)) + "\r\n" + usbTouchItem(0, language) + "\r\n";
}

}  // namespace

std::span<const lang::LanguageRow> pageListRows() {
  static const view::ListRows rows = [] {
    view::ListRows r(lang::kMainFormName);
    r.addFixedLists(pageBindings(), designTail);
    r.add("ComboBoxSource2Touch", usbTouchSourceItems(lang::Language::Russian),
          usbTouchSourceItems(lang::Language::English));
    return r;
  }();
  return rows.rows();
}

}  // namespace kivprism::params

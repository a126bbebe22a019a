#include "core/view/list_rows.hpp"

#include <utility>

namespace kivprism::view {

std::string listRowText(ItemList items, lang::Language language) {
  std::string text;
  for (const lang::TextPair& item : items) {
    text += item.in(language);
    text += "\r\n";
  }
  return text;
}

void ListRows::addFixedLists(const BindingTable& table, DesignTail tail) {
  for (const Binding& b : table.all()) {
    if (b.kind != ControlKind::Combo || b.items == nullptr) {
      continue;
    }
    std::string ru = listRowText(b.items(), lang::Language::Russian);
    std::string en = listRowText(b.items(), lang::Language::English);
    if (tail != nullptr) {
      ru += tail(b.control, lang::Language::Russian);
      en += tail(b.control, lang::Language::English);
    }
    add(b.control, std::move(ru), std::move(en));
  }
}

void ListRows::add(std::string_view control, std::string ru, std::string en) {
  std::string key = std::string(formName_) + "_" + std::string(control) + "_Caption";
  if (lang::isProgramFilledKey(key)) {
    return;
  }
  const std::string& k = texts_.emplace_back(std::move(key));
  const std::string& r = texts_.emplace_back(std::move(ru));
  const std::string& e = texts_.emplace_back(std::move(en));
  rows_.push_back({k, {r, e}});
}

}  // namespace kivprism::view

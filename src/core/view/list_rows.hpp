// The language table's rows for the item lists of combo boxes, made from the lists the bindings
// fill the boxes from: a box translated by the table and its next refresh then show the same items
// in both languages. Each item is followed by CR LF, as the table keeps item lists.
#pragma once

#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/language.hpp"
#include "core/view/binding.hpp"

namespace kivprism::view {

// The items one after the other, each followed by CR LF.
std::string listRowText(ItemList items, lang::Language language);

class ListRows {
 public:
  // The items a box shows after its fixed list at design time (what its refresh derives for an
  // empty image), each followed by CR LF; empty for most boxes.
  using DesignTail = std::string (*)(std::string_view control, lang::Language language);

  explicit ListRows(std::string_view formName) : formName_(formName) {}
  // A moved deque keeps its strings where they are, so the rows stay valid; a copy would not.
  ListRows(ListRows&&) = default;
  ListRows(const ListRows&) = delete;
  ListRows& operator=(const ListRows&) = delete;

  // A row for every combo box of the table with a fixed list; boxes the program fills itself
  // (names ending in x) have none.
  void addFixedLists(const BindingTable& table, DesignTail tail = nullptr);
  // A row for a box whose items the refresh writes itself.
  void add(std::string_view control, std::string ru, std::string en);

  std::span<const lang::LanguageRow> rows() const { return rows_; }

 private:
  std::string_view formName_;
  std::deque<std::string> texts_;  // a deque keeps its strings in place as rows point into them
  std::vector<lang::LanguageRow> rows_;
};

}  // namespace kivprism::view

// The item-list rows made from a binding table: only fixed lists of combo boxes the language table
// reaches, each item followed by CR LF, the design tail after the list, and rows that stay valid
// when the set is moved into its final place.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "core/view/list_rows.hpp"

namespace kivprism::view {
namespace {

using lang::Language;

constexpr std::array<lang::TextPair, 2> kModes = {{{"Выкл", "Off"}, {"Вкл", "On"}}};
ItemList modes() { return kModes; }

const Binding kBindings[] = {
    {.control = "ComboBoxMode", .kind = ControlKind::Combo, .items = modes},
    {.control = "ComboBoxFilledx", .kind = ControlKind::Combo, .items = modes},
    {.control = "ComboBoxDerived", .kind = ControlKind::Combo},
    {.control = "CheckListBoxMode", .kind = ControlKind::CheckList, .items = modes},
};

std::string tail(std::string_view control, Language language) {
  return control == "ComboBoxMode"
             ? std::string(language == Language::Russian ? "Ещё" : "More") + "\r\n"
             : std::string{};
}

TEST(ListRows, OneRowPerFixedComboListTheTableReaches) {
  const BindingTable table(kBindings);
  ListRows rows("Form");
  rows.addFixedLists(table);
  ASSERT_EQ(rows.rows().size(), 1U);
  EXPECT_EQ(rows.rows()[0].key, "Form_ComboBoxMode_Caption");
  EXPECT_EQ(rows.rows()[0].text.ru, "Выкл\r\nВкл\r\n");
  EXPECT_EQ(rows.rows()[0].text.en, "Off\r\nOn\r\n");
  EXPECT_EQ(listRowText({}, Language::English), "");
}

TEST(ListRows, TheDesignTailFollowsTheListAndWrittenRowsJoin) {
  const BindingTable table(kBindings);
  ListRows rows("Form");
  rows.addFixedLists(table, tail);
  rows.add("ComboBoxDerived", "А\r\n", "A\r\n");
  rows.add("ComboBoxOtherx", "Б\r\n", "B\r\n");  // program-filled: never looked up
  ASSERT_EQ(rows.rows().size(), 2U);
  EXPECT_EQ(rows.rows()[0].text.ru, "Выкл\r\nВкл\r\nЕщё\r\n");
  EXPECT_EQ(rows.rows()[0].text.en, "Off\r\nOn\r\nMore\r\n");
  EXPECT_EQ(lang::findLanguageRow("Form_ComboBoxDerived_Caption", rows.rows())->text.en, "A\r\n");
}

TEST(ListRows, RowsStayValidWhenTheSetIsMovedAndGrows) {
  ListRows built("Form");
  // Short texts live inside the string object itself: a copy or a reallocation would move them.
  for (int i = 0; i < 40; ++i) {
    built.add("ComboBox" + std::to_string(i), "р" + std::to_string(i), "e" + std::to_string(i));
  }
  const ListRows moved(std::move(built));
  ASSERT_EQ(moved.rows().size(), 40U);
  EXPECT_EQ(moved.rows()[0].key, "Form_ComboBox0_Caption");
  EXPECT_EQ(moved.rows()[0].text.en, "e0");
  EXPECT_EQ(moved.rows()[39].text.ru, "р39");
}

}  // namespace
}  // namespace kivprism::view

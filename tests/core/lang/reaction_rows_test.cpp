// The reaction pages' language rows can join the main window's table: every key is looked up (no
// program-filled name), appears once, and is the row the window's table finds.
#include <gtest/gtest.h>

#include <set>

#include "core/forms/main_form_rows.hpp"
#include "core/lang/language_table.hpp"

namespace kivprism::lang {
namespace {

TEST(ReactionPaneRows, KeysAreUniqueLookedUpAndJoinedToTheTable) {
  std::set<std::string_view> keys;
  for (const LanguageRow& row : reactionPaneRows()) {
    EXPECT_TRUE(keys.insert(row.key).second) << row.key;
    EXPECT_FALSE(isProgramFilledKey(row.key)) << row.key;
    EXPECT_TRUE(row.key.starts_with("MainForm_")) << row.key;
    EXPECT_TRUE(row.key.ends_with("_Caption") || row.key.ends_with("_Hint")) << row.key;
    EXPECT_FALSE(row.text.ru.empty()) << row.key;
    // Joined into the window's table, and no earlier row of another part shadows it.
    const LanguageRow* joined = findLanguageRow(row.key, forms::mainFormRows());
    ASSERT_NE(joined, nullptr) << row.key;
    EXPECT_EQ(joined->text.ru, row.text.ru) << row.key;
    EXPECT_EQ(joined->text.en, row.text.en) << row.key;
  }
  const LanguageRow* touch =
      findLanguageRow("MainForm_SpeedButtonReactionTouch_Hint", reactionPaneRows());
  ASSERT_NE(touch, nullptr);
  EXPECT_EQ(touch->text.en, "Get touch point");
}

}  // namespace
}  // namespace kivprism::lang

// The reaction pages' language rows can join the main window's table: every key is looked up (no
// program-filled name), appears once, and is new to the table.
#include <gtest/gtest.h>

#include <set>

#include "core/lang/language_table.hpp"

namespace kivprism::lang {
namespace {

TEST(ReactionPaneRows, KeysAreUniqueLookedUpAndNewToTheTable) {
  std::set<std::string_view> keys;
  for (const LanguageRow& row : reactionPaneRows()) {
    EXPECT_TRUE(keys.insert(row.key).second) << row.key;
    EXPECT_FALSE(isProgramFilledKey(row.key)) << row.key;
    EXPECT_TRUE(row.key.starts_with("MainForm_")) << row.key;
    EXPECT_TRUE(row.key.ends_with("_Caption") || row.key.ends_with("_Hint")) << row.key;
    EXPECT_FALSE(row.text.ru.empty()) << row.key;
    EXPECT_EQ(findLanguageRow(row.key, mainFormRows()), nullptr) << row.key;
  }
  const LanguageRow* touch =
      findLanguageRow("MainForm_SpeedButtonReactionTouch_Hint", reactionPaneRows());
  ASSERT_NE(touch, nullptr);
  EXPECT_EQ(touch->text.en, "Get touch point");
}

}  // namespace
}  // namespace kivprism::lang

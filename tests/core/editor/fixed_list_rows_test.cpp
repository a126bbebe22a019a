// The language table's item lists against the lists the pages fill their combo boxes from: a
// translated combo box and its next refresh must show the same items in both languages, or a switch
// would flicker between two lists or show a position under another name.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/editor/derive.hpp"
#include "core/editor/event_bindings.hpp"
#include "core/editor/reaction_bindings.hpp"
#include "core/lang/language_table.hpp"
#include "core/params/bindings.hpp"
#include "core/params/derive.hpp"

namespace kivprism::editor {
namespace {

// The items a combo box shows at design time: its fixed list, and for the touch mode the sources
// item the page derives after it (shown as "Sources..." while another mode is chosen).
std::string designItems(const view::Binding& b, lang::Language language) {
  std::string text;
  for (const lang::TextPair& item : b.items()) {
    text += item.in(language);
    text += "\r\n";
  }
  if (b.control == "ComboBoxTouchMode") {
    text += params::touchSourcesItem(0, 0, language) + "\r\n";
  }
  return text;
}

TEST(FixedListRows, EveryFixedComboListHasARowWithTheSameItemsInBothLanguages) {
  const view::BindingTable* tables[] = {&params::pageBindings(), &eventBindings(),
                                        &reactionBindings()};
  std::set<std::string> checked;
  for (const view::BindingTable* table : tables) {
    for (const view::Binding& b : table->all()) {
      if (b.kind != view::ControlKind::Combo || b.items == nullptr) {
        continue;
      }
      const std::string key = "MainForm_" + std::string(b.control) + "_Caption";
      if (lang::isProgramFilledKey(key)) {
        continue;
      }
      SCOPED_TRACE(key);
      const lang::LanguageRow* row = lang::findLanguageRow(key, lang::mainFormRows());
      ASSERT_NE(row, nullptr);
      EXPECT_EQ(row->text.ru, designItems(b, lang::Language::Russian));
      EXPECT_EQ(row->text.en, designItems(b, lang::Language::English));
      checked.insert(key);
    }
  }
  // And no list row is left without the list it translates; the USB touch source's two items are
  // both derived by the page ("Any" and the chosen sources).
  checked.insert("MainForm_ComboBoxSource2Touch_Caption");
  for (const lang::LanguageRow& row : lang::fixedListRows()) {
    EXPECT_TRUE(checked.contains(std::string(row.key))) << row.key;
  }
}

TEST(FixedListRows, ReactionPagesListsAreRows) {
  for (const char* name :
       {"ComboBoxReactionIROUTNUM", "ComboBoxEventReactionPinNUM", "ComboBoxEventReactionPinMODE",
        "ComboBoxReactionAnalogVOUT1type", "ComboBoxReactionAnalogVOUT2type",
        "ComboBoxEventReactionSRC", "ComboBoxReactionEventHandleType",
        "ComboBoxReactionUSBMouseType", "ComboBoxReactionEncoderMODE",
        "ComboBoxReactionCurMoveDirection", "ComboBoxReactionMDXJOY", "ComboBoxReactionPANACEA",
        "ComboBoxReactionGNNAVIMODE"}) {
    const std::string key = std::string("MainForm_") + name + "_Caption";
    EXPECT_NE(lang::findLanguageRow(key, lang::fixedListRows()), nullptr) << key;
  }
  const lang::LanguageRow* mdx =
      lang::findLanguageRow("MainForm_ComboBoxReactionMDXJOY_Caption", lang::mainFormRows());
  ASSERT_NE(mdx, nullptr);
  EXPECT_EQ(mdx->text.en,
            "The joystick works normally\r\nIntercept the joystick\r\nPress ENTER key\r\n");
}

}  // namespace
}  // namespace kivprism::editor

// The combo boxes' item lists as the language table shows them: a translated combo box and its
// next refresh must show the same items in both languages, or a switch would flicker between two
// lists or show a position under another name. The rows are made from the bindings, so these tests
// look them up the way the windows do, through the whole table, where a written row of the same
// key or a part left out of the table would show.
#include <gtest/gtest.h>

#include <string>

#include "core/editor/derive.hpp"
#include "core/editor/event_bindings.hpp"
#include "core/editor/reaction_bindings.hpp"
#include "core/forms/main_form_rows.hpp"
#include "core/lang/language_table.hpp"
#include "core/params/bindings.hpp"
#include "core/params/derive.hpp"

namespace kivprism::editor {
namespace {

using lang::Language;

const lang::LanguageRow* listRow(std::string_view control) {
  const std::string key = "MainForm_" + std::string(control) + "_Caption";
  return lang::findLanguageRow(key, forms::mainFormRows());
}

// The items a combo box shows at design time: its fixed list, and for the touch mode the sources
// item the page derives after it (shown as "Sources..." while another mode is chosen).
std::string designItems(const view::Binding& b, Language language) {
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

TEST(FixedListRows, EveryFixedComboListIsFoundInTheTableWithTheSameItemsInBothLanguages) {
  const view::BindingTable* tables[] = {&params::pageBindings(), &eventBindings(),
                                        &reactionBindings()};
  int lists = 0;
  for (const view::BindingTable* table : tables) {
    for (const view::Binding& b : table->all()) {
      if (b.kind != view::ControlKind::Combo || b.items == nullptr) {
        continue;
      }
      SCOPED_TRACE(b.control);
      const lang::LanguageRow* row = listRow(b.control);
      if (lang::isProgramFilledKey("MainForm_" + std::string(b.control) + "_Caption")) {
        EXPECT_EQ(row, nullptr);
        continue;
      }
      ASSERT_NE(row, nullptr);
      EXPECT_EQ(row->text.ru, designItems(b, Language::Russian));
      EXPECT_EQ(row->text.en, designItems(b, Language::English));
      ++lists;
    }
  }
  // Every fixed list of the three pages but the USB touch source, whose items the page writes.
  EXPECT_EQ(lists, 58);
}

TEST(FixedListRows, TheTouchPanelsDerivedItemsAreShownAtDesignTime) {
  const lang::LanguageRow* mode = listRow("ComboBoxTouchMode");
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(mode->text.ru,
            "Отключена\r\nТолько внешняя\r\nПерехват - 0В\r\nПерехват > 3В\r\nИсточники...\r\n");
  EXPECT_EQ(
      mode->text.en,
      "Disabled\r\nExternal only\r\nInterception - 0V\r\nInterception > 3V\r\nSources...\r\n");
  const lang::LanguageRow* usb = listRow("ComboBoxSource2Touch");
  ASSERT_NE(usb, nullptr);
  EXPECT_EQ(usb->text.ru, "Любой\r\nВыбрать...\r\n");
  EXPECT_EQ(usb->text.en, "Any\r\nSelect...\r\n");
}

TEST(FixedListRows, ReactionPagesListsAreRows) {
  for (const char* name :
       {"ComboBoxReactionIROUTNUM", "ComboBoxEventReactionPinNUM", "ComboBoxEventReactionPinMODE",
        "ComboBoxReactionAnalogVOUT1type", "ComboBoxReactionAnalogVOUT2type",
        "ComboBoxEventReactionSRC", "ComboBoxReactionEventHandleType",
        "ComboBoxReactionUSBMouseType", "ComboBoxReactionEncoderMODE",
        "ComboBoxReactionCurMoveDirection", "ComboBoxReactionMDXJOY", "ComboBoxReactionPANACEA",
        "ComboBoxReactionGNNAVIMODE"}) {
    EXPECT_NE(listRow(name), nullptr) << name;
  }
  const lang::LanguageRow* mdx = listRow("ComboBoxReactionMDXJOY");
  ASSERT_NE(mdx, nullptr);
  EXPECT_EQ(mdx->text.en,
            "The joystick works normally\r\nIntercept the joystick\r\nPress ENTER key\r\n");
}

}  // namespace
}  // namespace kivprism::editor

// The keys grid model: cells, encoder column, label editing, hints and the delete commands.
#include "core/keys/keys_grid.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/editor/event_rules.hpp"
#include "core/events/entry_operations.hpp"
#include "core/events/entry_types.hpp"

namespace kivprism::keys {
namespace {

namespace layout = config::layout;
using config::ConfigImage;

class KeysGridTest : public ::testing::Test {
 protected:
  KeysGridTest() {
    lang::setCurrentLanguage(lang::Language::English);
    addKey(0, 1, 1000, "");
    addKey(0, 2, 1840, "Vol+");
    addKey(1, 3, 2600, "2.260");  // typed automatic label
    image.set(layout::keyTolerance(0, 1), 420);
    grid.fill(image);
  }
  void addKey(std::size_t channel, std::size_t key, std::uint16_t level, const char* label) {
    image.set(layout::keyLevel(channel, key - 1), level);
    storeTypedLabel(image, channel, key, label);
  }
  // Edits a cell as the widget does: open, a poll tick with the editor open, type, close, tick.
  FinishedEdit edit(int column, int row, std::string_view text) {
    EXPECT_TRUE(grid.openEditor(image, column, row));
    grid.finishEdit(image, true);
    grid.typed(image, column, row, text);
    return grid.finishEdit(image, false);
  }

  ConfigImage image;
  KeysGrid grid;
};

TEST_F(KeysGridTest, FillShowsHeadersLabelsAndEncoderCaptionsInTheLanguage) {
  EXPECT_EQ(grid.text(0, 0), "Ch 1");
  EXPECT_EQ(grid.text(3, 0), "Ch 4");
  EXPECT_EQ(grid.text(4, 0), "Encoder");
  EXPECT_EQ(grid.text(0, 1), "1.1000");
  EXPECT_EQ(grid.text(0, 2), "Vol+");
  EXPECT_EQ(grid.text(1, 3), "2.2600");
  EXPECT_EQ(grid.text(0, 3), "");
  EXPECT_EQ(grid.text(1, 15), "");
  for (int row = 1; row < kGridRows; ++row) {
    EXPECT_EQ(grid.text(4, row), "") << row;
  }
  image.set(layout::kEnc1Mode, 3);
  lang::setCurrentLanguage(lang::Language::Russian);
  grid.fill(image);
  EXPECT_EQ(grid.text(1, 0), "Канал 2");
  EXPECT_EQ(grid.text(4, 0), "Энкодер");
  EXPECT_EQ(grid.text(4, 1), "");
  EXPECT_EQ(grid.text(4, 3), "Enc2+");
  EXPECT_EQ(grid.text(4, 4), "Enc2-");
  image.set(layout::kEnc0Mode, 1);
  grid.fill(image);
  EXPECT_EQ(grid.text(4, 1), "Enc1+");
  EXPECT_EQ(grid.text(4, 2), "Enc1-");
  EXPECT_EQ(grid.text(4, 5), "");
}

TEST_F(KeysGridTest, PressedKeyIsHighlightedAloneInItsChannelUntilTheRedraw) {
  grid.showPressedKey(image, 0, 1);
  grid.showPressedKey(image, 1, 3);
  grid.showPressedKey(image, 0, 2);
  EXPECT_FALSE(grid.highlighted(0, 1));
  EXPECT_TRUE(grid.highlighted(0, 2));
  EXPECT_TRUE(grid.highlighted(1, 3));
  EXPECT_FALSE(grid.highlighted(4, 2));
  grid.clearHighlights(0);
  EXPECT_FALSE(grid.highlighted(0, 2));
  EXPECT_TRUE(grid.highlighted(1, 3));
  grid.fill(image);
  EXPECT_FALSE(grid.highlighted(1, 3));
}

TEST_F(KeysGridTest, PressedKeyShowsItsNewLevelUnlessItHasAName) {
  image.set(layout::keyLevel(0, 0), 1030);
  image.set(layout::keyLevel(0, 1), 1860);
  grid.showPressedKey(image, 0, 1);
  grid.showPressedKey(image, 0, 2);
  EXPECT_EQ(grid.text(0, 1), "1.1030");
  EXPECT_EQ(grid.text(0, 2), "Vol+");
}

TEST_F(KeysGridTest, WriteKeyLabelsStoresNamesAndClearsAutomaticLabels) {
  edit(0, 1, "Mute");
  grid.writeKeyLabels(image);
  EXPECT_EQ(storedLabel(image, 0, 1), "Mute");
  EXPECT_EQ(storedLabel(image, 0, 2), "Vol+");
  EXPECT_EQ(storedLabel(image, 1, 3), "") << "the typed automatic label is cleared";
  EXPECT_EQ(keyLevelAt(image, 1, 3), 2600);
}

TEST_F(KeysGridTest, WriteKeyLabelsCoversEveryChannelAndNothingElse) {
  addKey(3, 15, 3000, "End");
  image.set(layout::kEnc0Mode, 1);
  image.set(layout::kEnc1Mode, 1);
  grid.fill(image);
  storeTypedLabel(image, 0, 1, "1.100");
  storeTypedLabel(image, 3, 15, "3.000");
  const ConfigImage before = image;
  grid.writeKeyLabels(image);
  EXPECT_EQ(storedLabel(image, 0, 1), "");
  EXPECT_EQ(storedLabel(image, 3, 15), "End");
  // Only the label bytes of the keys table change; the encoder captions are no labels.
  for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
    const bool label =
        i >= layout::kKeysTable.offset && i < layout::kKeysTable.end() &&
        (i - layout::kKeysTable.offset) % layout::kKeyEntrySize >= layout::kKeyLabelOffset;
    if (!label) {
      ASSERT_EQ(image.bytes()[i], before.bytes()[i]) << i;
    }
  }
}

TEST_F(KeysGridTest, TypingCutsNamesAndTheEncoderColumnKeepsItsCaption) {
  EXPECT_EQ(grid.typed(image, 0, 2, "ABCDEFG").text, "ABCDE");
  EXPECT_FALSE(grid.typed(image, 0, 2, "ABCDEFG").closeEditor);
  EXPECT_EQ(grid.text(0, 2), "ABCDE");
  image.set(layout::kEnc0Mode, 2);
  const TypedText enc = grid.typed(image, 4, 2, "xyz");
  EXPECT_TRUE(enc.closeEditor);
  EXPECT_EQ(enc.text, "Enc1-");
  EXPECT_EQ(grid.typed(image, 4, 3, "xyz").text, "");
  EXPECT_FALSE(grid.openEditor(image, 4, 1));
}

TEST_F(KeysGridTest, FinishedEditStoresTheFirstFiveCharacters) {
  const FinishedEdit done = edit(0, 2, "ABCDEFG");
  EXPECT_TRUE(done.finished);
  EXPECT_TRUE(done.refusal.empty());
  EXPECT_EQ(storedLabel(image, 0, 2), "ABCDE");
  EXPECT_EQ(grid.editState(), 0);
  // Emptied: the automatic label comes back, stored as typed until labels are written.
  edit(0, 2, "");
  EXPECT_EQ(grid.text(0, 2), "1.1840");
  EXPECT_EQ(storedLabel(image, 0, 2), "1.184");
}

TEST_F(KeysGridTest, DuplicateNameIsRefusedAndTheOldNameRestored) {
  const FinishedEdit refused = edit(1, 3, "Vol+");
  EXPECT_TRUE(refused.finished);
  EXPECT_EQ(refused.refusal,
            "The name \"Vol+\"\nis already assigned\nPlease enter a different name");
  EXPECT_EQ(grid.text(1, 3), "2.2600");
  EXPECT_EQ(storedLabel(image, 1, 3), "2.260");
  lang::setCurrentLanguage(lang::Language::Russian);
  EXPECT_EQ(edit(0, 1, "Vol+").refusal,
            "Имя \"Vol+\"\nуже присвоено другой кнопке\nВведите другое имя");
  EXPECT_EQ(storedLabel(image, 0, 1), "1.100");
  // A name in the first row counts, the encoder captions do not.
  EXPECT_TRUE(edit(0, 1, "Seek").refusal.empty());
  EXPECT_FALSE(edit(1, 3, "Seek").refusal.empty());
  image.set(layout::kEnc0Mode, 1);
  grid.fill(image);
  EXPECT_TRUE(edit(1, 3, "Enc1+").refusal.empty());
  EXPECT_EQ(storedLabel(image, 1, 3), "Enc1+");
  // The same name on the edited cell itself is no conflict, nor is a header's text.
  EXPECT_TRUE(edit(0, 2, "Vol+").refusal.empty());
  EXPECT_TRUE(edit(0, 1, "Ch 2").refusal.empty());
  EXPECT_EQ(storedLabel(image, 0, 1), "Ch 2");
  // A name in the last row of the last channel counts.
  addKey(3, 15, 3000, "Last");
  grid.fill(image);
  EXPECT_FALSE(edit(0, 1, "Last").refusal.empty());
}

TEST_F(KeysGridTest, EditStatesFollowThePollTicks) {
  EXPECT_TRUE(grid.openEditor(image, 0, 2));
  EXPECT_EQ(grid.editState(), 1);
  // A second open while an edit is pending keeps the first cell.
  EXPECT_TRUE(grid.openEditor(image, 1, 3));
  EXPECT_FALSE(grid.finishEdit(image, true).finished);
  EXPECT_EQ(grid.editState(), 2);
  EXPECT_FALSE(grid.finishEdit(image, true).finished);
  EXPECT_EQ(grid.editState(), 2);
  grid.typed(image, 0, 2, "Next");
  EXPECT_TRUE(grid.finishEdit(image, false).finished);
  EXPECT_EQ(storedLabel(image, 0, 2), "Next");
  EXPECT_FALSE(grid.finishEdit(image, false).finished);
  // An editor on an empty slot stores nothing.
  grid.openEditor(image, 2, 1);
  grid.typed(image, 2, 1, "Ghost");
  EXPECT_FALSE(grid.finishEdit(image, false).finished);
  EXPECT_EQ(storedLabel(image, 2, 1), "");
  EXPECT_EQ(grid.editState(), 0);
  // Opened and closed between two ticks: still stored.
  grid.openEditor(image, 0, 1);
  grid.typed(image, 0, 1, "Fast");
  EXPECT_TRUE(grid.finishEdit(image, false).finished);
  EXPECT_EQ(storedLabel(image, 0, 1), "Fast");
}

TEST_F(KeysGridTest, KeyDeletedWhileItsLabelIsEditedKeepsNoLabel) {
  EXPECT_TRUE(grid.openEditor(image, 0, 2));
  grid.finishEdit(image, true);
  grid.typed(image, 0, 2, "Mute");
  grid.apply(image, *grid.menuAt(image, 0, 2));
  EXPECT_FALSE(grid.finishEdit(image, false).finished);
  EXPECT_EQ(storedLabel(image, 0, 2), "");
  EXPECT_EQ(grid.editState(), 0);
}

TEST_F(KeysGridTest, SelectionFollowsKeysAndEncoders) {
  EXPECT_TRUE(grid.canSelect(image, 2, 0));
  EXPECT_TRUE(grid.canSelect(image, 4, 0));
  EXPECT_TRUE(grid.canSelect(image, 0, 1));
  EXPECT_FALSE(grid.canSelect(image, 0, 3));
  EXPECT_FALSE(grid.canSelect(image, 4, 1));
  image.set(layout::kEnc1Mode, 1);
  EXPECT_FALSE(grid.canSelect(image, 4, 2));
  EXPECT_TRUE(grid.canSelect(image, 4, 3));
  EXPECT_TRUE(grid.canSelect(image, 4, 4));
  EXPECT_FALSE(grid.canSelect(image, 4, 5));
  image.set(layout::kEnc0Mode, 1);
  EXPECT_TRUE(grid.canSelect(image, 4, 1));
  EXPECT_TRUE(grid.canSelect(image, 4, 2));
}

TEST_F(KeysGridTest, HintsAndCursors) {
  CellHint h = grid.hint(image, 0, 1);
  EXPECT_EQ(h.text, "Channel 1, code 1000 (limit 0)");
  EXPECT_EQ(h.cursor, CellCursor::HandPoint);
  h = grid.hint(image, 0, 2);
  EXPECT_EQ(h.text, "Button \"Vol+\" channel 1, code 1840 (limit 420)");
  lang::setCurrentLanguage(lang::Language::Russian);
  EXPECT_EQ(grid.hint(image, 1, 3).text, "Канал 2, код 2600 (допуск 0)");
  EXPECT_EQ(grid.hint(image, 0, 2).text, "Кнопка \"Vol+\" канал 1, код 1840 (допуск 420)");
  EXPECT_EQ(grid.hint(image, 0, 3).cursor, CellCursor::NoEntry);
  EXPECT_TRUE(grid.hint(image, 0, 3).text.empty());
  EXPECT_EQ(grid.hint(image, 4, 1).cursor, CellCursor::NoEntry);
  image.set(layout::kEnc0Mode, 1);
  image.set(layout::kEnc1Mode, 1);
  EXPECT_EQ(grid.hint(image, 4, 1).text, "Увеличение значения энкодера 1");
  EXPECT_EQ(grid.hint(image, 4, 4).text, "Уменьшение значения энкодера 2");
  EXPECT_EQ(grid.hint(image, 4, 4).cursor, CellCursor::HandPoint);
  EXPECT_EQ(grid.hint(image, 4, 5).cursor, CellCursor::NoEntry);
  EXPECT_EQ(grid.hint(image, 0, 0).cursor, CellCursor::Help);
  EXPECT_EQ(grid.hint(image, 2, 0).cursor, CellCursor::Default);
  EXPECT_EQ(grid.hint(image, 4, 0).cursor, CellCursor::Default);
  EXPECT_TRUE(grid.hint(image, 0, 0).text.empty());
  // The encoder header never asks for help, whatever lies beyond the keys table.
  const auto beyond = image.span({layout::kKeysTable.end(), layout::kKeyChannelStride});
  std::fill(beyond.begin(), beyond.end(), std::uint8_t{0x11});
  EXPECT_EQ(grid.hint(image, 4, 0).cursor, CellCursor::Default);
  // A channel whose only key sits in the first or the last slot.
  addKey(2, 1, 500, "");
  addKey(3, 15, 500, "");
  EXPECT_EQ(grid.hint(image, 2, 0).cursor, CellCursor::Help);
  EXPECT_EQ(grid.hint(image, 3, 0).cursor, CellCursor::Help);
}

TEST_F(KeysGridTest, MenuOffersKeysAndChannelsWithData) {
  auto menu = grid.menuAt(image, 0, 2);
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu->mode, KeysMenu::Mode::DeleteKey);
  EXPECT_EQ(menu->caption, "Delete this key");
  EXPECT_EQ(menu->key, 2u);
  EXPECT_FALSE(grid.menuAt(image, 0, 3));
  EXPECT_FALSE(grid.menuAt(image, 4, 1));
  menu = grid.menuAt(image, 1, 0);
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu->mode, KeysMenu::Mode::DeleteChannel);
  EXPECT_EQ(menu->caption, "Delete all buttons of the channel 2");
  EXPECT_EQ(menu->channel, 1u);
  EXPECT_EQ(menu->key, 0u) << "the whole channel, no key of it";
  EXPECT_FALSE(grid.menuAt(image, 2, 0));
  // The encoder column has no menu, whatever lies beyond the keys table.
  image.set(layout::kAnaVout1, 500);
  image.set(layout::kEnc0Mode, 1);
  EXPECT_FALSE(grid.menuAt(image, 4, 0));
  EXPECT_FALSE(grid.menuAt(image, 4, 1));
  // A channel with a stray tolerance byte but no key still offers the clean-up.
  image.set(layout::keyTolerance(3, 14), 1);
  EXPECT_TRUE(grid.menuAt(image, 3, 0));
  EXPECT_EQ(grid.hint(image, 3, 0).cursor, CellCursor::Default);
}

TEST_F(KeysGridTest, DeletingAKeyClearsItsReferencesAsKeyAndModifier) {
  using events::KeyReference;
  const auto keyEvent = [&](std::size_t number, KeyReference key, KeyReference mod) {
    auto e = image.entry(number - 1);
    events::setEventType(e, static_cast<std::uint8_t>(events::EventType::Key));
    events::setKey(e, key);
    events::setModifier(e, mod);
  };
  keyEvent(1, {2, 0}, {1, 0});
  keyEvent(2, {1, 0}, {2, 0});
  keyEvent(3, {2, 1}, {});
  grid.showPressedKey(image, 0, 2);
  EXPECT_TRUE(grid.apply(image, *grid.menuAt(image, 0, 2)));
  EXPECT_EQ(keyLevelAt(image, 0, 2), 0);
  EXPECT_EQ(storedLabel(image, 0, 2), "");
  EXPECT_EQ(grid.text(0, 2), "");
  EXPECT_FALSE(grid.highlighted(0, 2));
  EXPECT_EQ(events::keyOf(image.entry(0)), KeyReference{});
  EXPECT_EQ(events::modifierOf(image.entry(0)), (KeyReference{1, 0}));
  EXPECT_EQ(events::keyOf(image.entry(1)), (KeyReference{1, 0}));
  EXPECT_EQ(events::modifierOf(image.entry(1)), KeyReference{});
  EXPECT_EQ(events::keyOf(image.entry(2)), (KeyReference{2, 1})) << "another channel";
  EXPECT_EQ(keyLevelAt(image, 0, 1), 1000);
}

TEST_F(KeysGridTest, DeletingAChannelKeepsItsReferencesAndTheirPanelsSayTheKeyIsGone) {
  auto e = image.entry(4);
  events::setEventType(e, static_cast<std::uint8_t>(events::EventType::Key));
  events::setKey(e, {1, 0});
  image.set(layout::keyReferenceLevel(0), 2500);
  addKey(0, 15, 3000, "End");
  grid.fill(image);
  grid.showPressedKey(image, 0, 1);
  EXPECT_EQ(editor::keyPanelText(image, {1, 0}, false), "1.1000");
  EXPECT_TRUE(grid.apply(image, *grid.menuAt(image, 0, 0))) << "the event pane must redraw";
  EXPECT_FALSE(channelHasData(image, 0));
  EXPECT_EQ(grid.text(0, 1), "");
  EXPECT_EQ(grid.text(0, 2), "");
  EXPECT_EQ(grid.text(0, 15), "") << "the last slot goes too";
  EXPECT_EQ(grid.text(0, 0), "Ch 1");
  EXPECT_FALSE(grid.highlighted(0, 1));
  EXPECT_EQ(events::keyOf(image.entry(4)), (events::KeyReference{1, 0}));
  EXPECT_EQ(editor::keyPanelText(image, {1, 0}, false), "1.[1] ?");
  EXPECT_EQ(keyLevelAt(image, 1, 3), 2600);
  EXPECT_EQ(image.getU16(layout::keyReferenceLevel(0)), 2500);
  // A channel no key event uses: nothing for the event pane to redraw.
  EXPECT_FALSE(grid.apply(image, *grid.menuAt(image, 1, 0)));
  EXPECT_FALSE(channelHasData(image, 1));
}

TEST_F(KeysGridTest, DeletingAChannelAsksFirstNamingTheKeyEventsThatUseIt) {
  using events::KeyReference;
  const auto keyEvent = [&](std::size_t number, KeyReference key, KeyReference mod) {
    auto e = image.entry(number - 1);
    events::setEventType(e, static_cast<std::uint8_t>(events::EventType::Key));
    events::setKey(e, key);
    events::setModifier(e, mod);
  };
  EXPECT_EQ(grid.menuAt(image, 0, 0)->question,
            "Delete all buttons of the channel 1?\nKey events using these buttons: 0");
  keyEvent(1, {1, 0}, {});
  keyEvent(2, {}, {2, 0});      // as modifier only
  keyEvent(3, {2, 0}, {1, 0});  // twice, one key event
  keyEvent(4, {3, 1}, {});      // another channel
  keyEvent(5, {1, 4}, {});      // an encoder step
  keyEvent(events::kLastEntryNumber, {15, 0}, {});
  // A key event turned into another type names no key any more.
  keyEvent(7, {1, 0}, {});
  events::setEventType(image.entry(6), 0);
  EXPECT_EQ(events::entriesUsingKeyChannel(image, 0),
            (std::vector<std::size_t>{1, 2, 3, events::kLastEntryNumber}));
  EXPECT_EQ(grid.menuAt(image, 0, 0)->question,
            "Delete all buttons of the channel 1?\nKey events using these buttons: 4");
  EXPECT_EQ(grid.menuAt(image, 1, 0)->question,
            "Delete all buttons of the channel 2?\nKey events using these buttons: 1");
  EXPECT_TRUE(grid.menuAt(image, 0, 2)->question.empty()) << "one key goes without a question";
  lang::setCurrentLanguage(lang::Language::Russian);
  EXPECT_EQ(grid.menuAt(image, 0, 0)->question,
            "Удалить все кнопки 1 канала?\nСобытий, использующих эти кнопки: 4");
}

TEST_F(KeysGridTest, EmptySlotsHeadersAndEncodersTakeNoLabel) {
  EXPECT_FALSE(grid.openEditor(image, 0, 3));
  EXPECT_FALSE(grid.openEditor(image, 3, 15));
  EXPECT_FALSE(grid.openEditor(image, 0, 0));
  EXPECT_EQ(grid.editState(), 0);
  // Text reaching an empty slot anyway is turned back, and the editor closes.
  const TypedText typed = grid.typed(image, 0, 3, "Ghost");
  EXPECT_EQ(typed.text, "");
  EXPECT_TRUE(typed.closeEditor);
  EXPECT_EQ(grid.text(0, 3), "");
  const TypedText header = grid.typed(image, 1, 0, "Ghost");
  EXPECT_EQ(header.text, "Ch 2");
  EXPECT_TRUE(header.closeEditor);
  grid.writeKeyLabels(image);
  EXPECT_EQ(storedLabel(image, 0, 3), "");
  EXPECT_FALSE(slotUsed(image, 0, 3));
  // A label left in an empty slot of a loaded image goes with the next label write.
  storeTypedLabel(image, 2, 4, "Old");
  grid.writeKeyLabels(image);
  EXPECT_EQ(storedLabel(image, 2, 4), "");
  EXPECT_EQ(storedLabel(image, 0, 2), "Vol+");
}

}  // namespace
}  // namespace kivprism::keys

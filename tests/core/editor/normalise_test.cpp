// Normalising an entry stores its corrections and says what it stored; deriving the halves only
// reads, so a view of an entry that needs corrections shows it as it stands.
#include <gtest/gtest.h>

#include <utility>

#include "core/editor/derive.hpp"
#include "core/editor/refresh.hpp"
#include "editor_fixture.hpp"

namespace kivprism::editor {
namespace {

using config::ConfigImage;
using testing::entryHex;
using testing::entryOf;
using testing::place;

// An IR event without a code (the consistency rules drop its reaction) in entry 1; an IR code
// reaction of protocol 11, which a reaction cannot send, in entry 2.
ConfigImage imageToCorrect() {
  ConfigImage image;
  place(image, 1, entryHex({{16, "02"}, {80, "09 03"}}));
  place(image, 2, entryHex({{80, "02 0B 22 33 44 09 03"}}));
  return image;
}

TEST(NormaliseEntry, DerivingLeavesTheImageAsItIs) {
  const ConfigImage image = imageToCorrect();
  const ConfigImage before = image;
  for (std::size_t entry : {1u, 2u, 3u}) {
    const PaneViews views = derivePane(image, entry, {});
    EXPECT_EQ(views.event.entry, entry);
    EXPECT_FALSE(views.event.repairs.any());  // deriving repairs nothing
  }
  EXPECT_EQ(image, before);
  // The view shows the bytes as they are: the reaction the rules would drop is still on its page.
  EXPECT_EQ(deriveReactionPane(image, 1, {}).page, 9u);
}

// A derivation shows what is stored, also settings the repair would clear: the VAR event's
// operand shows only with a variable, whatever its operation holds.
TEST(NormaliseEntry, DerivingAnUnrepairedEntryFollowsItsOwnRules) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "19"}, {19, "01 1F 02 05 10 27 00 00"}, {77, "03 01"}}));
  const EventPaneView v = deriveEventPane(std::as_const(image), 1, {lang::Language::English});
  EXPECT_EQ(v.table, &eventBindings());
  EXPECT_EQ(v.language, lang::Language::English);
  EXPECT_FALSE(testing::control(v, "EditEventVARMask").visible);
  EXPECT_FALSE(testing::control(v, "EditEventVARVal").visible);
  EXPECT_EQ(entryOf(image, 1),
            entryHex({{16, "19"}, {19, "01 1F 02 05 10 27 00 00"}, {77, "03 01"}}));
}

TEST(NormaliseEntry, StoresEachHalfsCorrectionsAndReportsThem) {
  ConfigImage image = imageToCorrect();
  const EntryCorrections first = normaliseEntry(image, 1);
  EXPECT_TRUE(first.repairs.has(events::Repair::MissingIrCode));
  EXPECT_FALSE(first.reaction);
  EXPECT_TRUE(first.any());
  EXPECT_EQ(events::reactionTypeCode(events::entryAt(std::as_const(image), 1)), 0u);

  const EntryCorrections second = normaliseEntry(image, 2);
  EXPECT_FALSE(second.repairs.any());
  EXPECT_TRUE(second.reaction);
  EXPECT_EQ(entryOf(image, 2), entryHex({{80, "02 00 00 00 00 09 03"}}));

  // A corrected entry needs nothing more, and an empty one never did.
  for (std::size_t entry : {1u, 2u, 3u}) {
    EXPECT_FALSE(normaliseEntry(image, entry).any()) << entry;
  }
  EXPECT_EQ(entryOf(image, 3), events::EntryData{});
}

// Each correction of the reaction pages is reported once: a value put back is not put back again.
TEST(NormaliseEntry, TheReactionPagesReportWhatTheyPutBack) {
  struct Case {
    events::EntryData stored;
    events::EntryData corrected;
  };
  const Case cases[] = {
      {entryHex({{80, "02 0B 22 33 44 09 03"}}), entryHex({{80, "02 00 00 00 00 09 03"}})},
      {entryHex({{80, "14 02 28 F4 01"}}), entryHex({{80, "14 02 00 F4 01"}})},  // CarDSP
      {entryHex({{80, "18 15 03"}}), entryHex({{80, "18 00 03"}})},  // steering-wheel CAN
  };
  for (const Case& c : cases) {
    ConfigImage image;
    place(image, 1, c.stored);
    EXPECT_TRUE(normaliseReactionEntry(image, 1));
    EXPECT_EQ(entryOf(image, 1), c.corrected);
    EXPECT_FALSE(normaliseReactionEntry(image, 1));
    EXPECT_EQ(entryOf(image, 1), c.corrected);
  }
  // Values on their lists, and a reaction without such a value, need nothing.
  const events::EntryData kept[] = {
      entryHex({{80, "02 01 56 34 12 00 03"}}),
      entryHex({{80, "14 02 01 F4 01"}}),
      entryHex({{80, "14 08"}}),  // a CarDSP mode without parameters
      entryHex({{80, "18 10 03"}}),
      entryHex({{80, "03 13 03"}}),
  };
  for (const events::EntryData& data : kept) {
    ConfigImage image;
    place(image, 1, data);
    EXPECT_FALSE(normaliseReactionEntry(image, 1));
    EXPECT_EQ(entryOf(image, 1), data);
  }
}

TEST(NormaliseEntry, TheRefreshStoresBothHalvesCorrectionsOnce) {
  ConfigImage image = imageToCorrect();
  EventPaneRefresher r;
  const auto view = r.refresh(image, 2, {});
  ASSERT_TRUE(view);
  EXPECT_FALSE(view->repairs.any());
  EXPECT_EQ(entryOf(image, 2), entryHex({{80, "02 00 00 00 00 09 03"}}));
  // The reaction's correction is part of what the refresh stored: no second redraw for it.
  EXPECT_FALSE(r.refresh(image, 2, {}));
  EXPECT_EQ(r.refreshCount(), 1u);
}

}  // namespace
}  // namespace kivprism::editor

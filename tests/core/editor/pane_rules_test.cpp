// Tab captions, the skip of a refresh whose entry did not change, and the selection menus.
#include <gtest/gtest.h>

#include "core/editor/pane_rules.hpp"
#include "core/editor/refresh.hpp"
#include "editor_fixture.hpp"

namespace kivprism::editor {
namespace {

using config::ConfigImage;
using lang::Language;
using testing::entryHex;
using testing::entryOf;
using testing::place;

TEST(TabCaptions, NumberStarAndName) {
  ConfigImage image;
  place(image, 3, entryHex({{16, "01"}}));
  // A name of exactly 16 characters has no terminator.
  place(image, 4, entryHex({{0, "4142434445464748494A4B4C4D4E4F50"}}));
  place(image, 5, entryHex({{0, "D0F3EB FC"}, {16, "04"}}));
  TabCaptions captions;
  const auto changed = updateTabCaptions(image, captions);
  EXPECT_EQ(changed.size(), kTabCount);
  EXPECT_EQ(captions[0], "1");
  EXPECT_EQ(captions[2], "3*");
  EXPECT_EQ(captions[3], "4* (ABCDEFGHIJKLMNOP)");
  EXPECT_EQ(captions[4], "5* (Руль)");
  EXPECT_EQ(captions[99], "100");
  // Only captions whose text changes are re-captioned.
  events::set(events::entryAt(image, 1), events::entry::kOnceFlag, 1);
  EXPECT_EQ(updateTabCaptions(image, captions), std::vector<std::size_t>{0});
  EXPECT_EQ(captions[0], "1*");
  EXPECT_TRUE(updateTabCaptions(image, captions).empty());
}

TEST(TabCaptions, NameWithoutFirstByteIsWipedAndDoesNotCount) {
  ConfigImage image;
  place(image, 7, entryHex({{0, "00 41 42"}}));
  TabCaptions captions;
  updateTabCaptions(image, captions);
  EXPECT_EQ(entryOf(image, 7), entryHex({}));
  EXPECT_EQ(captions[6], "7");
  place(image, 8, entryHex({{0, "00 41"}, {80, "03"}}));
  updateTabCaptions(image, captions);
  EXPECT_EQ(captions[7], "8*");
  EXPECT_EQ(entryOf(image, 8), entryHex({{80, "03"}}));
}

TEST(EventPaneRefresher, SkipsAnUnchangedEntryUntilForced) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "04"}, {77, "03 01"}}));
  EventPaneRefresher r;
  const EventPaneContext context{};
  ASSERT_TRUE(r.refresh(image, 1, context));
  EXPECT_FALSE(r.refresh(image, 1, context));
  r.force();
  EXPECT_TRUE(r.refresh(image, 1, context));
  EXPECT_EQ(r.refreshCount(), 2u);
  // A change of the entry redraws.
  events::set(events::entryAt(image, 1), events::event::timeout::kStartPoint, 3);
  EXPECT_TRUE(r.refresh(image, 1, context));
  EXPECT_FALSE(r.running());
}

TEST(EventPaneRefresher, IdenticalEntriesDoNotRedrawAndRepairsCostNoSecondPass) {
  ConfigImage image;
  place(image, 2, entryHex({{16, "08 05"}, {77, "01"}}));
  place(image, 3, entryHex({{16, "08"}, {77, "03 01"}}));
  EventPaneRefresher r;
  const auto first = r.refresh(image, 2, {});
  ASSERT_TRUE(first);
  EXPECT_TRUE(first->repairs.any());
  // Entry 2 is now byte-identical with entry 3.
  EXPECT_FALSE(r.refresh(image, 3, {}));
  EXPECT_FALSE(r.refresh(image, 2, {}));
  place(image, 4, entryHex({{16, "08"}}));
  EXPECT_TRUE(r.refresh(image, 4, {}));
}

TEST(EventPaneRefresher, NoRefreshWhileTheWidgetsAreSet) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "04"}, {77, "03 01"}}));
  EventPaneRefresher r;
  {
    EventPaneRefresher::Guard outer(r);
    EXPECT_TRUE(outer.owner());
    EXPECT_TRUE(r.running());
    {
      EventPaneRefresher::Guard inner(r);
      EXPECT_FALSE(inner.owner());
    }
    EXPECT_TRUE(r.running());
    EXPECT_FALSE(r.refresh(image, 1, {}));
  }
  EXPECT_FALSE(r.running());
  // The refused refresh stored no hash: the next one does its work.
  const auto v = r.refresh(image, 1, {});
  ASSERT_TRUE(v);
  EXPECT_EQ(v->entry, 1u);
  EXPECT_EQ(r.refreshCount(), 1u);
}

TEST(SelectionMenus, TenSubmenusOfTenTabs) {
  TabCaptions captions;
  for (std::size_t i = 0; i < kTabCount; ++i) {
    captions[i] = std::to_string(i + 1) + (i == 94 ? "* (Vol)" : "");
  }
  const auto menu = selectTabsMenu(captions);
  ASSERT_EQ(menu.size(), 10u);
  EXPECT_EQ(menu[0].caption, "1...10");
  EXPECT_EQ(menu[9].caption, "91...100");
  ASSERT_EQ(menu[9].items.size(), 10u);
  EXPECT_EQ(menu[9].items[4].caption, "95* (Vol)");
  EXPECT_EQ(menu[9].items[4].index, 94u);
  EXPECT_EQ(menu[0].items[0].index, 0u);
}

TEST(SelectionMenus, OnlyVisiblePagesCaptionedLikeThePage) {
  ConfigImage image;
  place(image, 1, entryHex({{16, "07"}, {80, "02"}}));
  const auto pages = params::visiblePages(image, {}, true);
  const auto events = selectEventMenu(pages.event, Language::English);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].caption, "Not set");
  EXPECT_EQ(events[1].caption, "Voltage");
  EXPECT_EQ(events[1].index, 7u);
  const auto reactions = selectResponseMenu(pages.reaction, Language::Russian);
  ASSERT_EQ(reactions.size(), 2u);
  EXPECT_EQ(reactions[1].caption, "ИК код");
  const auto all = params::visiblePages(image, {}, false);
  EXPECT_EQ(selectEventMenu(all.event, Language::Russian).size(), 27u);
}

}  // namespace
}  // namespace kivprism::editor

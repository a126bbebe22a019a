// The rules table's rows: the marks of rules that will not work, the filter and hide-unused, and
// a changed row rebuilt alone gives what a whole rebuild gives.
#include "core/summary/rule_table.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "core/events/entry_operations.hpp"
#include "core/summary/rule_summary.hpp"
#include "sim/factory_defaults.hpp"
#include "summary_fixture.hpp"

namespace kivprism::summary {
namespace {

using events::EventType;
using events::PressKind;
using events::ReactionType;
using lang::Language;
using testing::at;
using testing::setTypes;
using Entries = std::vector<std::size_t>;

constexpr std::uint16_t kConsumerFunction = 1u << 2;

bool has(const RuleRow& row, TroubleKind kind) {
  return std::any_of(row.troubles.begin(), row.troubles.end(),
                     [kind](const Trouble& t) { return t.kind == kind; });
}

void copyEntry(config::ConfigImage& image, std::size_t from, std::size_t to) {
  const auto source = events::entryAt(image, from);
  std::copy(source.begin(), source.end(), at(image, to).begin());
}

TEST(RuleTableTest, RowsCarryNumberNameAndTheSummaryWords) {
  const config::ConfigImage image = sim::factoryConfiguration();
  RuleTable table;
  table.rebuild(image, Language::English);
  ASSERT_EQ(table.rows().size(), 100u);
  const RuleRow& first = table.row(1);
  EXPECT_EQ(first.number, 1u);
  EXPECT_EQ(first.name, "Volume up");
  EXPECT_EQ(first.event, eventWords(image, 1, Language::English));
  EXPECT_EQ(first.press, pressWords(image, 1, Language::English));
  EXPECT_EQ(first.reaction, reactionWords(image, 1, Language::English));
  EXPECT_FALSE(first.unused);
  EXPECT_TRUE(table.row(4).unused);
  EXPECT_EQ(table.row(4).reaction, "unused");
  table.rebuild(image, Language::Russian);
  EXPECT_EQ(table.row(1).event, "Кнопка: VOL+");
  EXPECT_EQ(table.row(4).reaction, "не используется");
}

TEST(RuleTableTest, UsbKeyReactionsCannotFireWhileTheirUsbFunctionIsOff) {
  config::ConfigImage image = sim::factoryConfiguration();
  RuleTable table;
  table.rebuild(image, Language::English);
  for (std::size_t n : {1u, 2u, 3u}) {
    ASSERT_TRUE(has(table.row(n), TroubleKind::ReactionCannotFire)) << n;
    EXPECT_EQ(table.row(n).troubleText(),
              "The reaction cannot fire: the USB function \"Keyboard Multimedia\" is off");
  }
  // Another keyboard function does not help a consumer-page key.
  image.set(config::layout::kPidSupport, 1u << 1);
  table.rebuild(image, Language::English);
  EXPECT_TRUE(has(table.row(1), TroubleKind::ReactionCannotFire));
  image.set(config::layout::kPidSupport, kConsumerFunction);
  table.rebuild(image, Language::Russian);
  EXPECT_TRUE(table.row(1).troubles.empty()) << table.row(1).troubleText();
  EXPECT_TRUE(table.row(3).troubles.empty());
}

// Each usage page needs its own USB function: keyboard keys, media keys, system control.
TEST(RuleTableTest, EachUsagePageNamesTheFunctionItNeeds) {
  namespace usb = events::reaction::usb_key;
  config::ConfigImage image;
  const std::array<std::pair<std::uint8_t, std::string>, 3> pages{{
      {usb::kKeyboardPage, "Keyboard 101 Keys"},
      {usb::kConsumerPage, "Keyboard Multimedia"},
      {usb::kGenericDesktopPage, "Keyboard Sys Control"},
  }};
  for (std::size_t i = 0; i < pages.size(); ++i) {
    setTypes(image, i + 1, EventType::Source, ReactionType::UsbKey);
    events::set(at(image, i + 1), usb::kUsagePage, pages[i].first);
  }
  RuleTable table;
  for (std::size_t on = 0; on < pages.size(); ++on) {
    image.set(config::layout::kPidSupport, 1u << (on + 1));
    table.rebuild(image, Language::English);
    for (std::size_t i = 0; i < pages.size(); ++i) {
      const std::string expected =
          i == on ? ""
                  : "The reaction cannot fire: the USB function \"" + pages[i].second + "\" is off";
      EXPECT_EQ(table.row(i + 1).troubleText(), expected) << on << " " << i;
    }
  }
}

TEST(RuleTableTest, PagesTheParametersTurnOffAreMarked) {
  config::ConfigImage image;
  setTypes(image, 1, EventType::Lin, ReactionType::Lin);
  RuleTable table;
  table.rebuild(image, Language::English);
  EXPECT_TRUE(has(table.row(1), TroubleKind::EventUnavailable));
  EXPECT_TRUE(has(table.row(1), TroubleKind::ReactionCannotFire));
  EXPECT_NE(table.row(1).troubleText().find("\"LIN\""), std::string::npos);
  setTypes(image, 2, EventType::Source, ReactionType::Pin);
  table.rebuild(image, Language::English);
  EXPECT_TRUE(table.row(2).troubles.empty()) << table.row(2).troubleText();
}

TEST(RuleTableTest, KeyEventsWithoutALearntKeyAreMarked) {
  config::ConfigImage image = sim::factoryConfiguration();
  image.set(config::layout::kPidSupport, kConsumerFunction);
  events::setKey(at(image, 2), {9, 0});  // channel 1 has three learnt keys
  events::setKey(at(image, 1), {});
  copyEntry(image, 3, 5);
  setTypes(image, 5, EventType::Key, ReactionType::UsbKey);
  events::setKey(at(image, 5), {1, 0});
  events::setModifier(at(image, 5), {12, 1});
  RuleTable table;
  table.rebuild(image, Language::English);
  EXPECT_TRUE(has(table.row(1), TroubleKind::KeyNotChosen));
  EXPECT_EQ(table.row(2).troubleText(), "Key 1.[9] is not learnt in the keys table");
  EXPECT_EQ(table.row(5).troubleText(), "Modifier 2.[12] is not learnt in the keys table");
  EXPECT_TRUE(table.row(3).troubles.empty());
}

TEST(RuleTableTest, RulesWaitingForTheSameEventMarkEachOther) {
  config::ConfigImage image = sim::factoryConfiguration();
  image.set(config::layout::kPidSupport, kConsumerFunction);
  copyEntry(image, 1, 10);
  copyEntry(image, 3, 11);
  testing::setCanFilterEvent(image, 20, 0x280, 0x01, 0xFF);
  testing::setCanFilterEvent(image, 21, 0x280, 0x01, 0xFF);
  testing::setCanFilterEvent(image, 22, 0x280, 0x01, 0x0F);  // another mask
  testing::setCanFilterEvent(image, 23, 0x281, 0x01, 0xFF);  // another id
  RuleTable table;
  table.rebuild(image, Language::English);
  EXPECT_EQ(table.row(1).troubleText(), "Same event as rule 10");
  EXPECT_EQ(table.row(10).troubleText(), "Same event as rule 1");
  EXPECT_EQ(table.row(3).troubleText(), "Same event as rule 11");
  EXPECT_EQ(table.row(20).troubleText(), "Same event as rule 21");
  EXPECT_FALSE(has(table.row(22), TroubleKind::SameEvent));
  EXPECT_FALSE(has(table.row(23), TroubleKind::SameEvent));
  EXPECT_FALSE(has(table.row(2), TroubleKind::SameEvent));

  // A long press of the same key is another rule; "any" press overlaps both.
  events::set(at(image, 10), events::entry::kPressKind, static_cast<std::uint8_t>(PressKind::Long));
  table.rebuildRow(image, 10);
  EXPECT_FALSE(has(table.row(1), TroubleKind::SameEvent));
  events::set(at(image, 10), events::entry::kPressKind, static_cast<std::uint8_t>(PressKind::Any));
  table.rebuildRow(image, 10);
  EXPECT_TRUE(has(table.row(1), TroubleKind::SameEvent));
  // Sources that never meet do not clash.
  events::set(at(image, 1), events::entry::kSourceMask, 0x01);
  events::set(at(image, 10), events::entry::kSourceMask, 0x02);
  table.rebuild(image, Language::English);
  EXPECT_FALSE(has(table.row(1), TroubleKind::SameEvent));
  EXPECT_FALSE(has(table.row(10), TroubleKind::SameEvent));
  events::set(at(image, 10), events::entry::kSourceMask, 0x03);
  table.rebuildRow(image, 10);
  EXPECT_TRUE(has(table.row(1), TroubleKind::SameEvent));
  EXPECT_TRUE(has(table.row(10), TroubleKind::SameEvent));
  events::set(at(image, 1), events::entry::kSourceMask, 0x00);
  events::set(at(image, 10), events::entry::kSourceMask, 0x80);
  table.rebuild(image, Language::English);
  EXPECT_TRUE(has(table.row(1), TroubleKind::SameEvent));
  EXPECT_TRUE(has(table.row(10), TroubleKind::SameEvent));
  events::set(at(image, 10), events::entry::kSourceMask, 0x02);
  // Another IR protocol with the same numbers is another code.
  events::IrCode code = events::get(events::entryAt(image, 3), events::event::ir_code::kCode);
  code.protocol = 3;
  events::set(at(image, 11), events::event::ir_code::kCode, code);
  table.rebuildRow(image, 11);
  EXPECT_FALSE(has(table.row(3), TroubleKind::SameEvent));
}

// Every data byte of a CAN filter counts, wherever it differs.
TEST(RuleTableTest, CanFiltersDifferingInAnyDataByteDoNotClash) {
  config::ConfigImage image;
  for (std::size_t n : {1u, 2u}) {
    testing::setCanFilterEvent(image, n, 0x3E5, 0x00, 0xFF);
    events::CanFilter filter =
        events::get(events::entryAt(image, n), events::event::sw_can::kFilter);
    filter.count = 2;
    filter.mask[1] = 0xFF;
    filter.data[0] = n == 1 ? 0x01 : 0x00;
    filter.data[1] = n == 1 ? 0x00 : 0x80;
    events::set(at(image, n), events::event::sw_can::kFilter, filter);
  }
  RuleTable table;
  table.rebuild(image, Language::English);
  EXPECT_FALSE(has(table.row(1), TroubleKind::SameEvent));
  copyEntry(image, 1, 2);
  table.rebuildRow(image, 2);
  EXPECT_TRUE(has(table.row(1), TroubleKind::SameEvent));
}

// A position in a bus's event list names one message: the same position clashes, another not.
TEST(RuleTableTest, BusListEventsClashOnTheSamePosition) {
  config::ConfigImage image;
  const auto listed = [&](std::size_t n, EventType type, std::uint8_t position) {
    setTypes(image, n, type, ReactionType::Pin);
    events::set(at(image, n), events::event::kListPosition, position);
  };
  listed(1, EventType::SwCan, 3);
  listed(2, EventType::SwCan, 4);
  listed(3, EventType::BmwIbus, 3);
  listed(4, EventType::BmwIbus, 5);
  listed(5, EventType::Timeout, 0);
  listed(6, EventType::Timeout, 0);
  RuleTable table;
  table.rebuild(image, Language::English);
  for (std::size_t n = 1; n <= 6; ++n) {
    EXPECT_FALSE(has(table.row(n), TroubleKind::SameEvent)) << n;
  }
  listed(2, EventType::SwCan, 3);
  listed(4, EventType::BmwIbus, 3);
  table.rebuild(image, Language::English);
  EXPECT_EQ(table.row(1).troubles.front().reason, "Same event as rule 2");
  EXPECT_EQ(table.row(3).troubles.front().reason, "Same event as rule 4");
}

// Address and command are both part of an IR code.
TEST(RuleTableTest, IrCodesDifferingInAddressOrCommandDoNotClash) {
  config::ConfigImage image;
  const auto ir = [&](std::size_t n, std::uint16_t address, std::uint8_t command) {
    setTypes(image, n, EventType::IrCode, ReactionType::Pin);
    events::set(at(image, n), events::event::ir_code::kCode, events::IrCode{1, command, address});
  };
  ir(1, 1, 0x00);
  ir(2, 0, 0x80);
  ir(3, 2, 0x05);
  ir(4, 3, 0x05);
  RuleTable table;
  table.rebuild(image, Language::English);
  for (std::size_t n = 1; n <= 4; ++n) {
    EXPECT_FALSE(has(table.row(n), TroubleKind::SameEvent)) << n;
  }
}

TEST(RuleTableTest, ThreeRulesOnOneEventNameTheOtherTwo) {
  config::ConfigImage image = sim::factoryConfiguration();
  copyEntry(image, 1, 10);
  copyEntry(image, 1, 50);
  RuleTable table;
  table.rebuild(image, Language::Russian);
  EXPECT_EQ(table.row(10).troubles.front().reason, "То же событие, что в правиле 1, 50");
}

TEST(RuleTableTest, OneRebuiltRowMatchesAWholeRebuild) {
  config::ConfigImage image = sim::factoryConfiguration();
  RuleTable table;
  table.rebuild(image, Language::English);
  copyEntry(image, 2, 7);
  events::setEntryName(at(image, 7), "Copy");
  table.rebuildRow(image, 7);
  RuleTable whole;
  whole.rebuild(image, Language::English);
  for (std::size_t n = 1; n <= 100; ++n) {
    EXPECT_EQ(table.row(n).event, whole.row(n).event) << n;
    EXPECT_EQ(table.row(n).name, whole.row(n).name) << n;
    EXPECT_EQ(table.row(n).unused, whole.row(n).unused) << n;
    EXPECT_EQ(table.row(n).troubles, whole.row(n).troubles) << n;
  }
  EXPECT_EQ(table.row(7).name, "Copy");
  EXPECT_TRUE(has(table.row(2), TroubleKind::SameEvent));
  // Clearing the entry makes it unused and ends the clash.
  std::fill(at(image, 7).begin(), at(image, 7).end(), std::uint8_t{0});
  table.rebuildRow(image, 7);
  EXPECT_TRUE(table.row(7).unused);
  EXPECT_TRUE(table.row(7).event.empty());
  EXPECT_TRUE(table.row(7).press.empty());
  EXPECT_TRUE(table.row(7).name.empty());
  EXPECT_TRUE(table.row(7).troubles.empty());
  EXPECT_FALSE(has(table.row(2), TroubleKind::SameEvent));
}

TEST(RuleTableTest, AFirstRowEditBuildsTheWholeTableAndMarksJoinByLines) {
  config::ConfigImage image = sim::factoryConfiguration();
  events::setKey(at(image, 1), {9, 0});
  copyEntry(image, 1, 30);
  RuleTable table;
  table.rebuildRow(image, 30);
  ASSERT_EQ(table.rows().size(), 100u);
  EXPECT_EQ(table.row(2).name, "Volume down");
  // A table not built yet speaks Russian, the program's first language.
  EXPECT_EQ(table.row(1).troubleText(),
            "То же событие, что в правиле 30\n"
            "Кнопка 1.[9] не обучена в таблице кнопок\n"
            "Реакция не сработает: функция USB \"Keyboard Multimedia\" выключена");
}

TEST(RuleTableTest, FilterMatchesAnyColumnWithoutRegardToCase) {
  config::ConfigImage image = sim::factoryConfiguration();
  testing::setCanFilterEvent(image, 20, 0x280, 0x01, 0xFF);
  RuleTable table;
  table.rebuild(image, Language::English);
  EXPECT_EQ(table.visibleEntries("VOLUME", true), (Entries{1, 2}));
  EXPECT_EQ(table.visibleEntries("nec", true), (Entries{3}));
  EXPECT_EQ(table.visibleEntries("USB key", true), (Entries{1, 2, 3}));
  EXPECT_EQ(table.visibleEntries("0x280", true), (Entries{20}));
  EXPECT_EQ(table.visibleEntries("vol-", true), (Entries{2}));
  EXPECT_EQ(table.visibleEntries("20", true), (Entries{20}));
  EXPECT_EQ(table.visibleEntries("no such words", false), (Entries{}));
  EXPECT_EQ(table.visibleEntries("", true), (Entries{1, 2, 3, 20}));
  EXPECT_EQ(table.visibleEntries("", false).size(), 100u);
  EXPECT_EQ(table.visibleEntries("unused", false).size(), 96u);
  table.rebuild(image, Language::Russian);
  EXPECT_EQ(table.visibleEntries("КНОПКА: VOL", true), (Entries{1, 2}));
  EXPECT_EQ(table.visibleEntries("usb кнопка", true), (Entries{1, 2, 3}));
  EXPECT_EQ(table.visibleEntries("ИК КОД", true), (Entries{3}));
}

TEST(RuleTableTest, RowMatchFoldsCyrillicAndLatinLetters) {
  RuleRow row;
  row.number = 42;
  row.name = "Ёлка ШУМ";
  EXPECT_TRUE(rowMatches(row, "ёлка"));
  EXPECT_TRUE(rowMatches(row, "шум"));
  EXPECT_TRUE(rowMatches(row, "ЁЛКА Ш"));
  EXPECT_TRUE(rowMatches(row, "42"));
  EXPECT_FALSE(rowMatches(row, "4"));
  EXPECT_FALSE(rowMatches(row, "елка"));
}

TEST(RuleTableTest, EveryCapitalLetterMatchesItsSmallOne) {
  RuleRow row;
  row.name = "ABCDEFGHIJKLMNOPQRSTUVWXYZ АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ ЁЂЏЀ @[`{ ё";
  EXPECT_TRUE(rowMatches(row, "abcdefghijklmnopqrstuvwxyz абвгдежзийклмнопрстуфхцчшщъыьэюя ёђџѐ"));
  EXPECT_TRUE(rowMatches(row, row.name));
  // The neighbours of A and Z are no letters.
  EXPECT_FALSE(rowMatches(row, "`[`{"));
  EXPECT_FALSE(rowMatches(row, "@[@{"));
  EXPECT_FALSE(rowMatches(row, "@{"));
  // Small letters stay as they are; a cut letter at the end is compared as its byte.
  RuleRow small;
  small.name = "ёлка рядом";
  EXPECT_TRUE(rowMatches(small, "ЁЛКА РЯДОМ"));
  EXPECT_FALSE(rowMatches(small, "ЕЛКА"));
  RuleRow cut;
  cut.name = "ok\xD0";
  EXPECT_TRUE(rowMatches(cut, "OK\xD0"));
}

}  // namespace
}  // namespace kivprism::summary

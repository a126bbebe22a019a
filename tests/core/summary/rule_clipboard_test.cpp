// Rules through the clipboard text and the rule commands on the image: a copy pastes back byte for
// byte, damaged or foreign text is refused whole, and a command that cannot be done whole leaves
// the image as it was.
#include "core/summary/rule_clipboard.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/summary/rule_operations.hpp"
#include "core/summary/rule_summary.hpp"
#include "sim/factory_defaults.hpp"
#include "summary_fixture.hpp"

namespace kivprism::summary {
namespace {

using events::EventType;
using events::ReactionType;
using lang::Language;
using testing::at;
using testing::setTypes;

events::EntryData dataOf(const config::ConfigImage& image, std::size_t entry) {
  events::EntryData data{};
  const auto e = events::entryAt(image, entry);
  std::copy(e.begin(), e.end(), data.begin());
  return data;
}

// An image whose rules 1..3 are the factory's and 10 a named CAN rule with bytes all over it.
config::ConfigImage sample() {
  config::ConfigImage image = sim::factoryConfiguration();
  testing::setCanFilterEvent(image, 10, 0x280, 0x01, 0xFF);
  events::setEntryName(at(image, 10), "Seek | up\nnext");
  at(image, 10)[events::entry::kSize - 1] = 0xA5;
  return image;
}

std::size_t countLines(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// ---- the clipboard text ----------------------------------------------------------------------

TEST(RuleClipboardTest, CopiedRulesReadInWordsAndPasteBackByteForByte) {
  const config::ConfigImage image = sample();
  const std::vector<std::size_t> entries{10, 1, 4};
  for (const Language language : {Language::Russian, Language::English}) {
    const std::string text = rulesText(image, entries, language);
    ASSERT_EQ(countLines(text), 3u) << "a name's line break stays inside its line";
    EXPECT_EQ(text.rfind("kivprism rule 10 | Seek | up next | ", 0), 0u) << text;
    EXPECT_NE(text.find(eventWords(image, 10, language)), std::string::npos);
    EXPECT_NE(text.find(reactionWords(image, 1, language)), std::string::npos);
    const auto rules = parseRulesText(text);
    ASSERT_TRUE(rules.has_value());
    ASSERT_EQ(rules->size(), 3u);
    EXPECT_EQ((*rules)[0], dataOf(image, 10)) << "the order of the copy is kept";
    EXPECT_EQ((*rules)[1], dataOf(image, 1));
    EXPECT_EQ((*rules)[2], events::EntryData{}) << "an unused rule copies as empty";
  }
}

TEST(RuleClipboardTest, TextAroundTheRulesIsIgnoredAndLineEndsMayBeWindowsOnes) {
  const config::ConfigImage image = sample();
  const std::vector<std::size_t> entries{2};
  std::string line = ruleLine(image, 2, Language::English);
  const std::string message = "Hello, here is the rule:\r\n\r\n  " + line + "  \r\nRegards\r\n";
  const auto rules = parseRulesText(message);
  ASSERT_TRUE(rules.has_value());
  ASSERT_EQ(rules->size(), 1u);
  EXPECT_EQ((*rules)[0], dataOf(image, 2));
  // A mail program may change the marker's case, or indent the line by one space or tab.
  line.replace(0, 8, "KIVPRISM");
  EXPECT_TRUE(parseRulesText(line).has_value());
  EXPECT_TRUE(parseRulesText(" " + line).has_value());
  EXPECT_TRUE(parseRulesText("\t" + line + "\t").has_value());
  EXPECT_FALSE(parseRulesText("kivprisa rule" + line.substr(13)).has_value());
  EXPECT_FALSE(parseRulesText("j" + line.substr(1)).has_value());
  EXPECT_FALSE(parseRulesText("kivprism rul").has_value());
}

TEST(RuleClipboardTest, ControlCharactersOfANameBecomeSpacesAndOthersStay) {
  config::ConfigImage image = sample();
  events::setEntryName(at(image, 10), std::string("a\x1f"
                                                  "b\x7f"
                                                  "c d~Z"));
  const std::string line = ruleLine(image, 10, Language::English);
  EXPECT_EQ(line.rfind("kivprism rule 10 | a b c d~Z | ", 0), 0u) << line;
}

TEST(RuleClipboardTest, GarbageAndDamagedLinesAreRefusedWhole) {
  const config::ConfigImage image = sample();
  const std::string good = ruleLine(image, 10, Language::English);
  const std::size_t bytesAt = good.find("| bytes ") + 8;
  const std::size_t crcAt = good.find("| crc ") + 6;
  std::string flipped = good;
  flipped[bytesAt + 5] = flipped[bytesAt + 5] == '0' ? '1' : '0';
  std::string badCrc = good;
  badCrc[crcAt] = badCrc[crcAt] == 'F' ? 'E' : 'F';
  std::string notHex = good;
  notHex[bytesAt + 7] = 'G';
  const std::vector<std::string> refused{
      "",
      "just some text\nVOL+ -> Seek",
      "kivprism rule",
      good.substr(0, good.size() - 2),                     // the check sum cut short
      good.substr(0, crcAt - 8) + good.substr(crcAt - 6),  // no bytes field left
      good.substr(0, bytesAt + 10) + " | crc 00000000",    // bytes cut short
      flipped,                                             // one digit changed
      badCrc,
      notHex,
      good + "\n" + flipped,  // one good line does not carry a damaged one through
  };
  for (const std::string& text : refused) {
    EXPECT_FALSE(parseRulesText(text).has_value()) << text;
  }
}

TEST(RuleClipboardTest, MoreRulesThanTheTableHoldsOrAHugeTextAreRefused) {
  const config::ConfigImage image = sample();
  std::vector<std::size_t> all;
  for (std::size_t entry = 1; entry <= 100; ++entry) {
    all.push_back(entry);
  }
  const std::string text = rulesText(image, all, Language::English);
  const auto rules = parseRulesText(text);
  ASSERT_TRUE(rules.has_value());
  EXPECT_EQ(rules->size(), 100u);
  EXPECT_FALSE(parseRulesText(text + ruleLine(image, 1, Language::English)).has_value());
  const std::string one = ruleLine(image, 1, Language::English);
  std::string longest(kMaxClipboardText - one.size() - 1, 'x');
  longest += "\n" + one;
  EXPECT_TRUE(parseRulesText(longest).has_value()) << "the longest text allowed";
  EXPECT_FALSE(parseRulesText("x" + longest).has_value());
}

// ---- paste, duplicate, move, clear -----------------------------------------------------------

TEST(RuleOperationsTest, PasteGoesOverTheSelectionOrOnFromItsFirstEntry) {
  using Numbers = std::vector<std::size_t>;
  EXPECT_EQ(pasteTargets(Numbers{7}, 3), (Numbers{7, 8, 9}));
  EXPECT_EQ(pasteTargets(Numbers{7}, 1), (Numbers{7}));
  EXPECT_FALSE(pasteTargets(Numbers{7}, 0).has_value());
  EXPECT_EQ(pasteTargets(Numbers{9, 2, 5}, 2), (Numbers{2, 5})) << "the selection, in order";
  EXPECT_EQ(pasteTargets(Numbers{9, 2}, 2), (Numbers{2, 9})) << "as many selected as copied";
  EXPECT_EQ(pasteTargets(Numbers{4, 20}, 3), (Numbers{4, 5, 6}));
  EXPECT_EQ(pasteTargets(Numbers{98}, 3), (Numbers{98, 99, 100}));
  EXPECT_FALSE(pasteTargets(Numbers{99}, 3).has_value()) << "past entry 100";
  EXPECT_FALSE(pasteTargets(Numbers{}, 1).has_value());
  EXPECT_FALSE(pasteTargets(Numbers{0, 101}, 1).has_value());
}

TEST(RuleOperationsTest, PasteOverSeveralWritesEachAndNamesTheUsedOnesItChanges) {
  config::ConfigImage image = sample();
  const auto rules =
      parseRulesText(rulesText(image, std::vector<std::size_t>{1, 10}, Language::English));
  ASSERT_TRUE(rules.has_value());
  const std::vector<std::size_t> targets{3, 4};
  EXPECT_EQ(overwrittenRules(image, targets, *rules), std::vector<std::size_t>{3});
  // Pasting a rule over its own copy overwrites nothing.
  EXPECT_TRUE(overwrittenRules(image, std::vector<std::size_t>{1}, *rules).empty());
  const config::ConfigImage before = image;
  ASSERT_TRUE(pasteRules(image, targets, *rules));
  EXPECT_EQ(dataOf(image, 3), dataOf(before, 1));
  EXPECT_EQ(dataOf(image, 4), dataOf(before, 10));
  const ImageDifference difference = differenceOf(before, image);
  EXPECT_EQ(difference.entries, (std::vector<std::size_t>{3, 4}));
  EXPECT_FALSE(difference.outsideRules);
  EXPECT_FALSE(pasteRules(image, targets, *rules)) << "the same paste again changes nothing";
}

TEST(RuleOperationsTest, DuplicateFillsTheFirstFreeEntriesOrNothingWhenTooFewAreFree) {
  config::ConfigImage image = sample();
  const auto copies = duplicateRules(image, std::vector<std::size_t>{10, 2});
  ASSERT_TRUE(copies.has_value());
  EXPECT_EQ(*copies, (std::vector<std::size_t>{4, 5}));
  EXPECT_EQ(dataOf(image, 4), dataOf(image, 2)) << "in the order of the entries";
  EXPECT_EQ(dataOf(image, 5), dataOf(image, 10));

  for (std::size_t entry = 1; entry <= 100; ++entry) {
    if (isUnused(events::entryAt(image, entry)) && entry != 100) {
      setTypes(image, entry, EventType::Timeout, ReactionType::Pin);
    }
  }
  const config::ConfigImage full = image;
  EXPECT_FALSE(duplicateRules(image, std::vector<std::size_t>{1, 2}).has_value());
  EXPECT_EQ(image, full) << "nothing changes when not all copies fit";
  const auto last = duplicateRules(image, std::vector<std::size_t>{1});
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ(*last, std::vector<std::size_t>{100}) << "the last entry counts as free";
  EXPECT_FALSE(duplicateRules(image, std::vector<std::size_t>{1}).has_value());
  clearRules(image, std::vector<std::size_t>{1});
  const auto first = duplicateRules(image, std::vector<std::size_t>{2});
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(*first, std::vector<std::size_t>{1}) << "the first entry counts as free";
}

TEST(RuleOperationsTest, MoveSwapsWithTheNeighbourAndStopsAtTheEnds) {
  config::ConfigImage image = sample();
  const config::ConfigImage before = image;
  const auto up = moveRules(image, std::vector<std::size_t>{2, 3}, true);
  ASSERT_TRUE(up.has_value());
  EXPECT_EQ(*up, (std::vector<std::size_t>{1, 2}));
  EXPECT_EQ(dataOf(image, 1), dataOf(before, 2));
  EXPECT_EQ(dataOf(image, 2), dataOf(before, 3));
  EXPECT_EQ(dataOf(image, 3), dataOf(before, 1)) << "the neighbour goes below the block";
  const auto down = moveRules(image, std::vector<std::size_t>{1, 2}, false);
  ASSERT_TRUE(down.has_value());
  EXPECT_EQ(*down, (std::vector<std::size_t>{2, 3}));
  EXPECT_EQ(image, before) << "down undoes up";

  const auto spread = moveRules(image, std::vector<std::size_t>{10, 3}, false);
  ASSERT_TRUE(spread.has_value());
  EXPECT_EQ(*spread, (std::vector<std::size_t>{4, 11}));
  EXPECT_EQ(dataOf(image, 11), dataOf(before, 10));
  EXPECT_EQ(dataOf(image, 4), dataOf(before, 3));

  image = before;
  EXPECT_FALSE(moveRules(image, std::vector<std::size_t>{1, 5}, true).has_value());
  EXPECT_FALSE(moveRules(image, std::vector<std::size_t>{50, 100}, false).has_value());
  EXPECT_FALSE(moveRules(image, std::vector<std::size_t>{}, false).has_value());
  EXPECT_EQ(image, before) << "a move that cannot be done whole changes nothing";
  EXPECT_TRUE(moveRules(image, std::vector<std::size_t>{100}, true).has_value());
  EXPECT_TRUE(moveRules(image, std::vector<std::size_t>{1}, false).has_value());
}

TEST(RuleOperationsTest, ClearEmptiesTheEntriesAndNamesTheUsedOnes) {
  config::ConfigImage image = sample();
  const std::vector<std::size_t> entries{1, 4, 10};
  EXPECT_EQ(usedRules(image, entries), (std::vector<std::size_t>{1, 10}));
  ASSERT_TRUE(clearRules(image, entries));
  for (const std::size_t entry : entries) {
    EXPECT_TRUE(events::isEmpty(events::entryAt(image, entry))) << entry;
  }
  EXPECT_FALSE(isUnused(events::entryAt(image, 2)));
  EXPECT_FALSE(clearRules(image, entries));
}

TEST(RuleOperationsTest, DifferenceTellsRulesFromTheRestOfTheImage) {
  const config::ConfigImage before = sample();
  config::ConfigImage after = before;
  EXPECT_TRUE(differenceOf(before, after).empty());
  at(after, 100)[0] ^= 1;
  at(after, 1)[events::entry::kSize - 1] ^= 1;
  ImageDifference difference = differenceOf(before, after);
  EXPECT_EQ(difference.entries, (std::vector<std::size_t>{1, 100}));
  EXPECT_FALSE(difference.outsideRules);
  after = before;
  after.bytes()[config::layout::kEntryTable.offset - 1] ^= 1;
  EXPECT_TRUE(differenceOf(before, after).outsideRules);
  after = before;
  after.bytes()[config::layout::kEntryTable.end()] ^= 1;
  difference = differenceOf(before, after);
  EXPECT_TRUE(difference.outsideRules);
  EXPECT_TRUE(difference.entries.empty());
}

}  // namespace
}  // namespace kivprism::summary

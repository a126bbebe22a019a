// The change history: undo and redo give back the images byte for byte, a new step drops what was
// left to redo, the limits drop the oldest steps, and the steps are named in both languages.
#include "core/history/change_history.hpp"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/events/consistency.hpp"
#include "core/forms/main_form_rows.hpp"
#include "core/lang/language_table.hpp"

namespace kivprism::history {
namespace {

namespace L = config::layout;
using config::ConfigImage;
using lang::Language;

ConfigImage withByte(ConfigImage image, std::size_t at, std::uint8_t value) {
  image.data()[at] = value;
  return image;
}

// A history of edits with the image after each: images[i] is the image with i steps in force.
struct Edits {
  ChangeHistory history;
  std::vector<ConfigImage> images{ConfigImage{}};

  void edit(std::size_t at, std::uint8_t value, std::string_view name = "Edit") {
    const ConfigImage next = withByte(images.back(), at, value);
    ASSERT_TRUE(history.record({std::string(name), std::string(name)}, images.back(), next));
    images.push_back(next);
  }
};

TEST(ChangeHistory, UndoAndRedoGiveBackEveryImageByteForByte) {
  Edits e;
  e.edit(0, 1);
  e.edit(L::kImageSize - 1, 2);
  e.edit(L::entry(4).offset + 20, 3);
  e.edit(L::entry(4).offset + 20, 4);  // the same byte again
  ConfigImage image = e.images.back();
  for (std::size_t i = e.images.size() - 1; i > 0; --i) {
    const auto change = e.history.undo();
    ASSERT_TRUE(change);
    change->applyTo(image);
    EXPECT_EQ(image, e.images[i - 1]) << i;
  }
  EXPECT_FALSE(e.history.canUndo());
  EXPECT_FALSE(e.history.undo());
  for (std::size_t i = 1; i < e.images.size(); ++i) {
    const auto change = e.history.redo();
    ASSERT_TRUE(change);
    change->applyTo(image);
    EXPECT_EQ(image, e.images[i]) << i;
  }
  EXPECT_FALSE(e.history.canRedo());
  EXPECT_FALSE(e.history.redo());
}

TEST(ChangeHistory, RandomEditsUndosAndRedosAlwaysLeaveTheImageOfThatPoint) {
  std::mt19937 random(20261209);
  ChangeHistory history;
  // The images of the steps in force and of those left to redo, as the user would expect them.
  std::vector<ConfigImage> line{ConfigImage{}};
  std::size_t at = 0;
  ConfigImage image;
  for (int round = 0; round < 3000; ++round) {
    const auto what = random() % 4;
    if (what == 0 && at > 0) {
      history.undo()->applyTo(image);
      --at;
    } else if (what == 1 && at + 1 < line.size()) {
      history.redo()->applyTo(image);
      ++at;
    } else {
      ConfigImage next = image;
      // One field, or a whole entry rewritten, or bytes scattered over the image.
      const auto count = 1 + random() % 40;
      const std::size_t base = random() % L::kImageSize;
      for (std::size_t i = 0; i < count; ++i) {
        const std::size_t offset = random() % 3 == 0 ? random() % L::kImageSize : base + i;
        next.data()[offset % L::kImageSize] = static_cast<std::uint8_t>(random());
      }
      if (history.record({"r", "r"}, image, next)) {
        line.resize(at + 1);
        line.push_back(next);
        ++at;
        image = next;
      } else {
        EXPECT_EQ(next, image);
      }
    }
    ASSERT_EQ(image, line[at]) << round;
    ASSERT_EQ(history.canUndo(), at > 0);
    ASSERT_EQ(history.canRedo(), at + 1 < line.size());
  }
}

TEST(ChangeHistory, AStepAfterAnUndoDropsWhatWasLeftToRedo) {
  Edits e;
  e.edit(10, 1, "first");
  e.edit(11, 2, "second");
  e.edit(12, 3, "third");
  ConfigImage image = e.images.back();
  e.history.undo()->applyTo(image);
  e.history.undo()->applyTo(image);
  ASSERT_EQ(e.history.redoName()->en, "second");
  // Nothing changed: nothing is recorded, and the redo branch stays.
  EXPECT_FALSE(e.history.record({"same", "same"}, image, image));
  EXPECT_TRUE(e.history.canRedo());
  EXPECT_EQ(e.history.size(), 3u);

  const ConfigImage other = withByte(image, 13, 4);
  ASSERT_TRUE(e.history.record({"other", "other"}, image, other));
  EXPECT_FALSE(e.history.canRedo());
  EXPECT_EQ(e.history.size(), 2u);
  EXPECT_EQ(e.history.undoName()->en, "other");
  image = other;
  e.history.undo()->applyTo(image);
  EXPECT_EQ(e.history.undoName()->en, "first");
  e.history.undo()->applyTo(image);
  EXPECT_EQ(image, ConfigImage{});
  EXPECT_FALSE(e.history.canUndo());
}

TEST(ChangeHistory, KeepsAtLeastFiveHundredWholeImageStepsWithinThirtyTwoMebibytes) {
  static_assert(ChangeHistory::kMaxSteps >= 500);
  static_assert(ChangeHistory::kMaxBytes == 32u * 1024 * 1024);
  ChangeHistory history;
  ConfigImage image;
  std::vector<ConfigImage> images{image};
  for (int i = 0; i < 1200; ++i) {
    ConfigImage next;
    next.bytes()[0] = static_cast<std::uint8_t>(i + 1);
    // Every byte differs from the image before: a step as large as a whole file or read.
    for (std::size_t b = 1; b < L::kImageSize; ++b) {
      next.bytes()[b] = static_cast<std::uint8_t>(image.bytes()[b] + 1 + (b % 3));
    }
    ASSERT_TRUE(history.record({"w", "w"}, image, next));
    image = next;
    images.push_back(image);
    ASSERT_LE(history.bytesUsed(), ChangeHistory::kMaxBytes);
  }
  EXPECT_GE(history.size(), 500u);
  EXPECT_EQ(history.size(), ChangeHistory::kMaxSteps);
  // The oldest went: undoing every step kept ends at the image of the first step kept.
  std::size_t undone = 0;
  while (auto change = history.undo()) {
    change->applyTo(image);
    ++undone;
  }
  EXPECT_EQ(undone, ChangeHistory::kMaxSteps);
  EXPECT_EQ(image, images[images.size() - 1 - undone]);
}

TEST(ChangeHistory, TheMemoryLimitDropsTheOldestStepsButNeverTheNewest) {
  // Room for about three whole-image steps.
  ChangeHistory history({.steps = 1000, .bytes = 100 * 1024});
  ConfigImage image;
  for (int i = 1; i <= 6; ++i) {
    ConfigImage next;
    next.bytes()[0] = static_cast<std::uint8_t>(i);
    std::fill(next.bytes().begin() + 1, next.bytes().end(), static_cast<std::uint8_t>(i));
    history.record({std::to_string(i), std::to_string(i)}, image, next);
    image = next;
    EXPECT_LE(history.bytesUsed(), std::size_t{100 * 1024});
  }
  EXPECT_EQ(history.size(), 3u);
  EXPECT_EQ(history.undoName()->en, "6");
  history.undo();
  history.undo();
  EXPECT_EQ(history.undoName()->en, "4");
  history.undo();
  EXPECT_FALSE(history.canUndo());

  // A single step above the limit is still kept: it is the user's last change.
  ChangeHistory tiny({.steps = 1000, .bytes = 16});
  EXPECT_TRUE(tiny.record({"a", "a"}, ConfigImage{}, withByte(ConfigImage{}, 5, 1)));
  EXPECT_EQ(tiny.size(), 1u);
  EXPECT_TRUE(tiny.record({"b", "b"}, ConfigImage{}, withByte(ConfigImage{}, 6, 1)));
  EXPECT_EQ(tiny.size(), 1u);
  EXPECT_EQ(tiny.undoName()->en, "b");

  // A history exactly at its limit keeps what it holds.
  ChangeHistory measure;
  measure.record({"c", "c"}, ConfigImage{}, withByte(ConfigImage{}, 7, 1));
  measure.record({"d", "d"}, ConfigImage{}, withByte(ConfigImage{}, 8, 1));
  ChangeHistory exact({.steps = 1000, .bytes = measure.bytesUsed()});
  exact.record({"c", "c"}, ConfigImage{}, withByte(ConfigImage{}, 7, 1));
  exact.record({"d", "d"}, ConfigImage{}, withByte(ConfigImage{}, 8, 1));
  EXPECT_EQ(exact.size(), 2u);
  exact.record({"e", "e"}, ConfigImage{}, withByte(ConfigImage{}, 9, 1));
  EXPECT_EQ(exact.size(), 2u);
  EXPECT_EQ(exact.bytesUsed(), measure.bytesUsed());

  ChangeHistory counted({.steps = 2, .bytes = ChangeHistory::kMaxBytes});
  for (std::uint8_t i = 1; i <= 3; ++i) {
    counted.record({"s", "s"}, ConfigImage{}, withByte(ConfigImage{}, i, i));
  }
  EXPECT_EQ(counted.size(), 2u);
  counted.clear();
  EXPECT_EQ(counted.size(), 0u);
  EXPECT_EQ(counted.bytesUsed(), 0u);
  EXPECT_FALSE(counted.canUndo());
}

TEST(ChangeHistory, UndoPutsBackTheRecordedBytesNotWhatTheRulesWouldMakeOfThem) {
  // A file brought entry 5 with an event type the rules clear; the user then edited entry 6, and
  // the refresh repaired entry 5 in the same step.
  ConfigImage loaded;
  auto broken = loaded.entry(4);
  broken[16] = 27;  // no such event type
  broken[17] = 0x05;
  broken[18] = 0x11;
  broken[77] = 0x03;
  ConfigImage edited = loaded;
  edited.entry(5)[0] = 'A';
  const events::EntryContext context{250, 400, 120, 10};
  ASSERT_TRUE(events::applyConsistencyRules(edited.entry(4), context).any());

  ChangeHistory history;
  ASSERT_TRUE(history.record({"n", "n"}, loaded, edited));
  ConfigImage image = edited;
  history.undo()->applyTo(image);
  EXPECT_EQ(image, loaded);  // the broken entry as the file had it
  ConfigImage repairedAgain = image;
  events::applyConsistencyRules(repairedAgain.entry(4), context);
  EXPECT_NE(repairedAgain, image);
  history.redo()->applyTo(image);
  EXPECT_EQ(image, edited);  // the repair recorded with the step, not a new one
}

TEST(Differences, JoinsNearbyChangesAndKeepsTheImageEnds) {
  ConfigImage before;
  ConfigImage after = before;
  EXPECT_TRUE(differences(before, after).empty());
  after.data()[0] = 1;
  after.data()[9] = 2;  // 8 equal bytes between: one run
  after.data()[100] = 3;
  after.data()[110] = 4;  // 9 equal bytes between: two runs
  after.data()[L::kImageSize - 1] = 5;
  const auto runs = differences(before, after);
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_EQ(runs[0].offset, 0u);
  EXPECT_EQ(runs[0].before, std::vector<std::uint8_t>(10, 0));
  EXPECT_EQ(runs[0].after, (std::vector<std::uint8_t>{1, 0, 0, 0, 0, 0, 0, 0, 0, 2}));
  EXPECT_EQ(runs[1].offset, 100u);
  EXPECT_EQ(runs[1].after, std::vector<std::uint8_t>{3});
  EXPECT_EQ(runs[2].offset, 110u);
  EXPECT_EQ(runs[2].after, std::vector<std::uint8_t>{4});
  EXPECT_EQ(runs[3].offset, L::kImageSize - 1);
  EXPECT_EQ(runs[3].before, std::vector<std::uint8_t>{0});
  EXPECT_EQ(runs[3].after, std::vector<std::uint8_t>{5});
}

TEST(StepNames, TheCommandsNameTheStepInBothLanguages) {
  ChangeHistory history;
  EXPECT_EQ(history.undoText(Language::English), "Undo");
  EXPECT_EQ(history.redoText(Language::Russian), "Повторить");
  const lang::TextPair caption{" Длинное нажатие: ", "Long press time:"};
  history.record(stepName(caption, 4), ConfigImage{}, withByte(ConfigImage{}, 1, 1));
  EXPECT_EQ(history.undoText(Language::English), "Undo: Long press time of rule 4");
  EXPECT_EQ(history.undoText(Language::Russian), "Отменить: Длинное нажатие (правило 4)");
  EXPECT_EQ(history.redoText(Language::English), "Redo");
  history.undo();
  EXPECT_EQ(history.undoText(Language::English), "Undo");
  EXPECT_EQ(history.redoText(Language::English), "Redo: Long press time of rule 4");
  EXPECT_EQ(history.redoText(Language::Russian), "Повторить: Длинное нажатие (правило 4)");
  EXPECT_EQ(stepName({"Режим", "Mode"}).text(Language::English), "Mode");
  EXPECT_EQ(stepName({"  ", " : "}).en, "");
  EXPECT_EQ(stepName({"Режим :", "Mode :"}).text(Language::English), "Mode");
  EXPECT_EQ(stepName({"Режим:", "Mode:"}).text(Language::Russian), "Режим");
}

TEST(StepNames, AStepNoControlNamesIsNamedByWhereItsBytesLie) {
  const ConfigImage empty;
  const auto named = [&](std::initializer_list<std::size_t> offsets) {
    ConfigImage after = empty;
    for (const std::size_t at : offsets) {
      after.data()[at] = 0x77;
    }
    return nameByPlace(empty, after).text(Language::English);
  };
  EXPECT_EQ(named({L::entry(3).offset, L::entry(3).end() - 1}), "Change of rule 4");
  EXPECT_EQ(named({L::entry(99).end() - 1}), "Change of rule 100");
  EXPECT_EQ(named({L::entry(0).offset}), "Change of rule 1");
  EXPECT_EQ(named({L::entry(3).end() - 1, L::entry(4).offset}), "Change of the configuration");
  EXPECT_EQ(named({L::kParamBlock.offset, L::kImageSize - 1}), "Change of the parameters");
  EXPECT_EQ(named({L::entry(99).end() - 1, L::kParamBlock.offset}), "Change of the configuration");
  EXPECT_EQ(named({0, L::kTouchBlock.end() - 1}), "Change of the touch panel setup");
  EXPECT_EQ(named({L::kTouchBlock.end() - 1, L::entry(0).offset}), "Change of the configuration");
  EXPECT_EQ(named({}), "Change of the configuration");
  ConfigImage after = empty;
  after.data()[L::entry(3).offset + 1] = 1;
  EXPECT_EQ(nameByPlace(empty, after).text(Language::Russian), "Изменение (правило 4)");

  // What the editor's type choices and the clearing of a rule did.
  ConfigImage used = empty;
  used.entry(6)[16] = 2;
  used.entry(6)[80] = 3;
  used.entry(6)[81] = 1;
  EXPECT_EQ(nameByPlace(empty, used).text(Language::English), "Event type of rule 7");
  EXPECT_EQ(nameByPlace(used, empty).text(Language::English), "Clearing of rule 7");
  ConfigImage reaction = used;
  reaction.entry(6)[80] = 4;
  reaction.entry(6)[81] = 0;
  EXPECT_EQ(nameByPlace(used, reaction).text(Language::English), "Reaction type of rule 7");
  EXPECT_EQ(nameByPlace(used, reaction).text(Language::Russian), "Тип реакции (правило 7)");
  ConfigImage field = used;
  field.entry(6)[81] = 9;
  EXPECT_EQ(nameByPlace(used, field).text(Language::English), "Change of rule 7");
}

TEST(StepNames, AControlIsNamedByItsCaptionFromTheLanguageTable) {
  const auto rows = forms::mainFormRows();
  const lang::TextPair* longPress =
      controlCaption("MainForm", "Edit_PAR_LongTO", "Label_PAR_LongTO_Descripions", rows);
  ASSERT_NE(longPress, nullptr);
  EXPECT_EQ(stepName(*longPress).text(Language::English), "Long press longer than");
  EXPECT_EQ(stepName(*longPress).text(Language::Russian), "Длинное нажатие более чем");
  // A check box carries its own caption.
  const lang::TextPair* own = controlCaption("MainForm", "CheckBoxSourceNameUse", "", rows);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->en, "Send the name");
  EXPECT_EQ(controlCaption("MainForm", "CheckBoxSourceNameUse", "PanelNoSuchLabel", rows), own);
  EXPECT_EQ(controlCaption("MainForm", "EditNoSuchControl", "", rows), nullptr);
  EXPECT_EQ(controlCaption("OtherForm", "CheckBoxSourceNameUse", "", rows), nullptr);

  // "after [ ] ms" names nothing alone: the window names such a control by its page instead.
  const lang::TextPair* after =
      controlCaption("MainForm", "EditEventTimeout", "PanelEventTimeoutFrom", rows);
  ASSERT_NE(after, nullptr);
  EXPECT_TRUE(isCaptionFragment(*after));
  EXPECT_TRUE(isCaptionFragment({"мс", " ms"}));
  EXPECT_TRUE(isCaptionFragment({"", " "}));
  EXPECT_TRUE(isCaptionFragment({"", "z"}));
  EXPECT_FALSE(isCaptionFragment(*longPress));
  EXPECT_FALSE(isCaptionFragment({"", "X"}));
  EXPECT_FALSE(isCaptionFragment({"", "10% margin"}));
  EXPECT_FALSE(isCaptionFragment({"", "{"}));
  EXPECT_FALSE(isCaptionFragment({"", "`"}));
}

}  // namespace
}  // namespace kivprism::history

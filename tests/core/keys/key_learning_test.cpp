// Key learning end to end: the procedure, the device link and the simulated controller.
#include <gtest/gtest.h>

#include <algorithm>

#include "procedure_fixture.hpp"
#include "sim/learning_scenarios.hpp"

namespace kivprism::keys::test {
namespace {

namespace area = device::area;
namespace layout = config::layout;
constexpr std::uint8_t kWrite = 0x80;

class KeyLearningTest : public ProcedureTest {
 protected:
  // A controller without keys whose driver presses two keys of channel 1, one of channel 2 and
  // the first key again.
  void useTwoChannels() {
    controller.configuration().clear(layout::kKeysTable);
    controller.keyLearning().setScript(sim::keyPressSequence(
        {4000, 3500, 4095, 4095}, {{0, 1000}, {0, 1840}, {1, 1200}, {0, 1010}}));
  }
  std::vector<std::uint16_t> levels(std::size_t channel) const {
    std::vector<std::uint16_t> out;
    for (std::size_t k = 1; k <= kKeysPerChannel; ++k) {
      out.push_back(keyLevelAt(model.working, channel, k));
    }
    return out;
  }
  std::vector<std::uint8_t> learningBlock(std::size_t i) const {
    return bytes(requestsFor(area::kKeyLearning | kWrite).at(i).payload());
  }
};

TEST_F(KeyLearningTest, TwoChannelsEndInTheControllerWithTolerancesAndReferenceLevels) {
  useTwoChannels();
  connect();
  // The change sending stays quiet for as long as the dialogue runs.
  std::vector<bool> activeInWaits;
  window.onWait = [&, this] { activeInWaits.push_back(learning.active()); };
  learning.click();
  ASSERT_FALSE(activeInWaits.empty());
  EXPECT_EQ(std::count(activeInWaits.begin(), activeInWaits.end(), false), 0);
  EXPECT_FALSE(learning.active());
  EXPECT_FALSE(learning.running()) << "the next click starts learning again";

  EXPECT_EQ(window.questions,
            (std::vector<std::string>{"You really want to launch setup of keys?"}));
  EXPECT_EQ(window.running, (std::vector<bool>{true, false}));
  EXPECT_EQ(window.learningEnds, 1);
  EXPECT_TRUE(window.errors.empty());
  const auto prompts = window.promptTexts();
  ASSERT_EQ(prompts.size(), 3u);
  EXPECT_EQ(prompts[0], "Do not press anything");
  EXPECT_EQ(prompts[1], "Press each button and give it a name");
  EXPECT_EQ(prompts[2], "Customize Buttons completed successfully");
  // The two prompts stay until replaced; the success message goes after three seconds.
  EXPECT_EQ(window.prompts[0].first, 0u);
  EXPECT_EQ(window.prompts[1].first, 0u);
  EXPECT_EQ(window.prompts[2].first, 3000u);
  // Every prompt blinks, as the window showed them before they went through the shell.
  EXPECT_EQ(window.promptBlinks, (std::vector<std::uint32_t>(3, kPromptBlinkMs)));

  // The re-pressed key keeps its slot with the new reading.
  const config::ConfigImage& image = model.working;
  EXPECT_EQ(keyLevelAt(image, 0, 1), 1010);
  EXPECT_EQ(keyLevelAt(image, 0, 2), 1840);
  EXPECT_EQ(keyLevelAt(image, 0, 3), 0);
  EXPECT_EQ(keyLevelAt(image, 1, 1), 1200);
  EXPECT_EQ(keyToleranceAt(image, 0, 1), 415);
  EXPECT_EQ(keyToleranceAt(image, 0, 2), 415);
  EXPECT_EQ(keyToleranceAt(image, 1, 1), 1150);
  EXPECT_EQ(image.getU16(layout::keyReferenceLevel(0)), 2505);
  EXPECT_EQ(image.getU16(layout::keyReferenceLevel(1)), 2350);
  EXPECT_EQ(image.getU16(layout::keyReferenceLevel(2)), 4095);
  EXPECT_EQ(image.getU16(layout::keyReferenceLevel(3)), 4095);
  EXPECT_EQ(grid.text(0, 1), "1.1010");
  EXPECT_EQ(grid.text(1, 1), "2.1200");
  EXPECT_FALSE(grid.highlighted(1, 1));

  // The controller holds exactly the image's keys, and so does the device copy.
  for (const config::Field f : {layout::kKeyBlock, layout::kKeysTable}) {
    EXPECT_EQ(bytes(controller.configuration().span(f)), bytes(image.span(f)));
    EXPECT_EQ(bytes(model.device.span(f)), bytes(image.span(f)));
  }
  EXPECT_FALSE(controller.keyLearning().active());
  EXPECT_TRUE(link.inSync());
  // A minute without keys ended it.
  EXPECT_GT(linkHost.now, 60000u);

  // Start, thresholds 32 above the quiet levels, end.
  const auto writes = requestsFor(area::kKeyLearning | kWrite);
  ASSERT_EQ(writes.size(), 3u);
  EXPECT_EQ(learningBlock(0), (std::vector<std::uint8_t>{1, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(learningBlock(1),
            (std::vector<std::uint8_t>{1, 0xC0, 0x0F, 0xCC, 0x0D, 0x1F, 0x10, 0x1F, 0x10}));
  EXPECT_EQ(learningBlock(2), std::vector<std::uint8_t>(9, 0));

  // Nothing of the image went out while learning ran; then the four final writes.
  std::vector<std::pair<std::uint16_t, std::uint8_t>> configWrites;
  for (const auto& r : requestsFor(area::kConfiguration | kWrite)) {
    configWrites.emplace_back(r.offset, r.len);
  }
  std::vector<std::pair<std::uint16_t, std::uint8_t>> expected{{14409, 10}};
  for (std::uint16_t at = 14419; at < 14419 + 512; at += 64) {
    expected.emplace_back(at, 64);
  }
  expected.emplace_back(14419 + 512, 28);
  expected.emplace_back(0, 0);
  EXPECT_EQ(configWrites, expected);
  EXPECT_EQ(link.progressCount(), 550u);

  // The change sending finds nothing left to send.
  controller.clearRequests();
  tick();
  tick();
  EXPECT_TRUE(requestsFor(area::kConfiguration | kWrite).empty());
}

TEST_F(KeyLearningTest, QuietPhaseReadsNineteenTimesBeforeTheKeyPhase) {
  useTwoChannels();
  connect();
  window.onWait = [this] { window.shutdown = controller.keyLearning().inKeyPhase(); };
  learning.setRunning(true);
  EXPECT_EQ(learning.learnKeys(), KeyLearning::Outcome::ShutDown);
  std::size_t reads = 0;
  for (const auto& r : controller.requests()) {
    if (r.cmd == (area::kKeyLearning | kWrite) && r.payload()[1] != 0) {
      break;
    }
    reads += r.cmd == area::kKeyLearning;
  }
  EXPECT_EQ(reads, 19u);
}

TEST_F(KeyLearningTest, SecondClickStopsAndWritesWhatWasLearnt) {
  useTwoChannels();
  connect();
  window.onWait = [this] {
    if (grid.highlighted(0, 1)) {
      learning.click();
    }
  };
  learning.click();
  EXPECT_LT(linkHost.now, 10000u);
  EXPECT_FALSE(learning.running());
  EXPECT_EQ(levels(0)[0], 1000);
  EXPECT_EQ(levels(0)[1], 0);
  EXPECT_EQ(keyLevelAt(model.working, 1, 1), 0);
  EXPECT_FALSE(grid.highlighted(0, 1));
  EXPECT_EQ(window.promptTexts().back(), "Customize Buttons completed successfully");
  EXPECT_EQ(bytes(controller.configuration().span(layout::kKeysTable)),
            bytes(model.working.span(layout::kKeysTable)));
  EXPECT_EQ(model.working.getU16(layout::keyReferenceLevel(0)), 2500);
  EXPECT_FALSE(controller.keyLearning().active());
}

TEST_F(KeyLearningTest, ShutDownEndsWithoutWriting) {
  useTwoChannels();
  connect();
  window.onWait = [this] { window.shutdown = window.shutdown || grid.highlighted(0, 1); };
  learning.click();
  EXPECT_TRUE(requestsFor(area::kConfiguration | kWrite).empty());
  EXPECT_EQ(requestsFor(area::kKeyLearning | kWrite).size(), 2u);
  EXPECT_EQ(window.promptsEnded, 1);
  EXPECT_EQ(window.promptTexts().size(), 2u);
  EXPECT_EQ(model.device.getU16(layout::keyLevel(0, 0)), 0);
}

TEST_F(KeyLearningTest, DeclinedOrDisconnectedSendsNothing) {
  learning.click();
  EXPECT_EQ(window.errors, (std::vector<std::string>{"Controller is disconnected"}));
  EXPECT_TRUE(window.questions.empty());
  EXPECT_TRUE(window.running.empty());
  connect();
  window.answers = {false};
  learning.click();
  EXPECT_EQ(window.questions.size(), 1u);
  EXPECT_TRUE(requestsFor(area::kKeyLearning | kWrite).empty());
  EXPECT_EQ(window.running, (std::vector<bool>{true, false}));
  EXPECT_FALSE(learning.active());
  EXPECT_EQ(window.suspensionInBoxes.size(), 2u);
  expectPollHeldDuringBoxes();
}

TEST_F(KeyLearningTest, FailedStartChangesNothing) {
  useTwoChannels();
  connect();
  controller.setAreaAnswer(area::kKeyLearning, 0xFD);
  const config::ConfigImage before = model.working;
  EXPECT_EQ(learning.learnKeys(), KeyLearning::Outcome::StartFailed);
  ASSERT_EQ(linkHost.errors.size(), 1u);
  EXPECT_NE(linkHost.errors[0].find("Error writing to the device"), std::string::npos);
  EXPECT_TRUE(requestsFor(area::kKeyLearning).empty());
  EXPECT_EQ(model.working, before);
  EXPECT_TRUE(window.prompts.empty());
}

TEST_F(KeyLearningTest, ReadFailureGoesOnToTheWritesAndAFailedWriteWithholdsSuccess) {
  useTwoChannels();
  connect();
  learning.setRunning(true);
  window.onWait = [this] {
    if (keyLevelAt(model.working, 0, 1) != 0) {
      controller.setAreaAnswer(area::kKeyLearning, 0xFD);
    }
  };
  EXPECT_EQ(learning.learnKeys(), KeyLearning::Outcome::WriteFailed);
  // The failed read and the failed end of learning.
  EXPECT_EQ(linkHost.errors.size(), 2u);
  EXPECT_EQ(keyLevelAt(controller.configuration(), 0, 1), 1000);
  EXPECT_EQ(bytes(model.device.span(layout::kKeysTable)),
            bytes(model.working.span(layout::kKeysTable)));
  for (const auto& text : window.promptTexts()) {
    EXPECT_NE(text, "Customize Buttons completed successfully");
  }
}

TEST_F(KeyLearningTest, FailedClosingWriteIsReportedWithTheLinksText) {
  useTwoChannels();
  connect();
  learning.setRunning(true);
  // Every write to the configuration fails from the start of the final writes on.
  std::size_t failAfter = 0;
  window.onWait = [&, this] {
    if (keyLevelAt(model.working, 0, 1) != 0 && learning.running()) {
      learning.setRunning(false);
      controller.setAreaAnswer(area::kConfiguration, 0xFE);
      failAfter = controller.requests().size();
    }
  };
  EXPECT_EQ(learning.learnKeys(), KeyLearning::Outcome::WriteFailed);
  EXPECT_GT(failAfter, 0u);
  ASSERT_EQ(window.errors.size(), 1u) << "the empty write is reported by the procedure";
  EXPECT_EQ(window.errors[0].rfind("Error writing to the device \"", 0), 0u);
  EXPECT_EQ(linkHost.errors.size(), 2u);
  expectPollHeldDuringBoxes();
  // The device copy keeps what the controller holds: the refused keys stay changes not yet on it.
  EXPECT_EQ(bytes(model.device.span(layout::kKeysTable)),
            bytes(controller.configuration().span(layout::kKeysTable)));
  EXPECT_NE(bytes(model.device.span(layout::kKeysTable)),
            bytes(model.working.span(layout::kKeysTable)));
  EXPECT_GT(link.pendingChanges(), 0u);
}

TEST_F(KeyLearningTest, ALostControllerEndsLearningWithOneBoxAndKeepsTheKeysForItsReturn) {
  useTwoChannels();
  connect();
  learning.setRunning(true);
  window.onWait = [this] {
    if (keyLevelAt(model.working, 0, 1) != 0 && controller.isPresent()) {
      controller.unplug();
    }
  };
  EXPECT_EQ(learning.learnKeys(), KeyLearning::Outcome::ControllerLost);
  EXPECT_EQ(linkHost.errors.size() + window.errors.size(), 1u);
  EXPECT_EQ(keyLevelAt(model.working, 0, 1), 1000);
  // The device copy is what the controller holds; the learnt keys are changes kept for it.
  EXPECT_EQ(model.device, controller.configuration());
  EXPECT_GT(link.pendingChanges(), 0u);
}

// A controller whose channel 1 already works: keys at 1000 and 2000, reference level 2500,
// tolerance 500; the driver would press nothing new.
class KeyLearningFailureTest : public KeyLearningTest {
 protected:
  void useLearntController() {
    config::ConfigImage& c = controller.configuration();
    c.clear(layout::kKeysTable);
    c.set(layout::keyLevel(0, 0), 1000);
    c.set(layout::keyLevel(0, 1), 2000);
    c.set(layout::keyTolerance(0, 0), 500);
    c.set(layout::keyTolerance(0, 1), 500);
    c.set(layout::keyReferenceLevel(0), 2500);
    controller.keyLearning().setScript(sim::keyPressSequence({3000, 4095, 4095, 4095}, {}));
  }
  // Nothing of the keys changed, here or on the controller, and no success was claimed.
  void expectKeysUntouched(const config::ConfigImage& before) {
    EXPECT_EQ(model.working, before);
    for (const config::Field f : {layout::kKeyBlock, layout::kKeysTable}) {
      EXPECT_EQ(bytes(controller.configuration().span(f)), bytes(before.span(f)));
    }
    EXPECT_EQ(controller.configuration().getU16(layout::keyReferenceLevel(0)), 2500);
    EXPECT_TRUE(requestsFor(area::kConfiguration | kWrite).empty());
    for (const auto& text : window.promptTexts()) {
      EXPECT_NE(text, "Customize Buttons completed successfully");
    }
  }
};

TEST_F(KeyLearningFailureTest, RefusedQuietReadRewritesNothing) {
  useLearntController();
  connect();
  const config::ConfigImage before = model.working;
  learning.setRunning(true);
  window.onWait = [this] { controller.setAreaAnswer(area::kKeyLearning, 0xFD); };
  EXPECT_EQ(learning.learnKeys(), KeyLearning::Outcome::NothingLearnt);
  expectKeysUntouched(before);
  EXPECT_FALSE(linkHost.errors.empty());
  EXPECT_EQ(requestsFor(area::kKeyLearning | kWrite).size(), 2u) << "the start and the end";
}

TEST_F(KeyLearningFailureTest, EmptyQuietAnswerIsAFailedReadAndRewritesNothing) {
  useLearntController();
  connect();
  const config::ConfigImage before = model.working;
  controller.endReadsAt(area::kKeyLearning, 0);
  learning.click();
  expectKeysUntouched(before);
  EXPECT_EQ(window.errors,
            (std::vector<std::string>{"The controller did not send the whole key levels"}));
  expectPollHeldDuringBoxes();
  EXPECT_EQ(requestsFor(area::kKeyLearning).size(), 1u) << "no reading after the failed one";
  EXPECT_FALSE(controller.keyLearning().active()) << "learning is ended on the controller";
  EXPECT_EQ(window.learningEnds, 1);
}

TEST_F(KeyLearningFailureTest, SecondClickInTheQuietPhaseRewritesNothing) {
  useLearntController();
  connect();
  const config::ConfigImage before = model.working;
  learning.setRunning(true);
  window.onWait = [this] { learning.setRunning(false); };
  EXPECT_EQ(learning.learnKeys(), KeyLearning::Outcome::NothingLearnt);
  expectKeysUntouched(before);
  EXPECT_TRUE(window.errors.empty());
  EXPECT_TRUE(linkHost.errors.empty());
  EXPECT_FALSE(controller.keyLearning().active());
}

TEST_F(KeyLearningFailureTest, ShortKeyAnswerWritesWhatTheSoundReadsTaughtWithoutSuccess) {
  useTwoChannels();
  connect();
  learning.setRunning(true);
  window.onWait = [this] {
    if (keyLevelAt(model.working, 0, 1) != 0) {
      controller.endReadsAt(area::kKeyLearning, 4);
    }
  };
  EXPECT_EQ(learning.learnKeys(), KeyLearning::Outcome::ReadFailed);
  EXPECT_EQ(window.errors,
            (std::vector<std::string>{"The controller did not send the whole key levels"}));
  // The half answer took no key: only the first press is learnt, against the quiet levels.
  EXPECT_EQ(keyLevelAt(model.working, 0, 1), 1000);
  EXPECT_EQ(keyLevelAt(model.working, 0, 2), 0);
  EXPECT_EQ(model.working.getU16(layout::keyReferenceLevel(0)), 2500);
  EXPECT_EQ(model.working.getU16(layout::keyReferenceLevel(1)), 4095);
  for (const config::Field f : {layout::kKeyBlock, layout::kKeysTable}) {
    EXPECT_EQ(bytes(controller.configuration().span(f)), bytes(model.working.span(f)));
  }
  for (const auto& text : window.promptTexts()) {
    EXPECT_NE(text, "Customize Buttons completed successfully");
  }
  EXPECT_FALSE(controller.keyLearning().active());
}

TEST_F(KeyLearningFailureTest, RefusedKeyReadWritesWhatWasLearntWithoutSuccess) {
  useTwoChannels();
  connect();
  learning.setRunning(true);
  // One reading is refused; the controller takes everything after it again.
  window.onWait = [this] {
    if (keyLevelAt(model.working, 0, 1) != 0 && linkHost.errors.empty()) {
      controller.setAreaAnswer(area::kKeyLearning, 0xFD);
    }
  };
  controller.setReportCallHook([this] {
    linkHost.now += 1;
    if (!linkHost.errors.empty()) {
      controller.setAreaAnswer(area::kKeyLearning, 0);
    }
  });
  EXPECT_EQ(learning.learnKeys(), KeyLearning::Outcome::ReadFailed);
  EXPECT_EQ(linkHost.errors.size(), 1u);
  EXPECT_EQ(keyLevelAt(controller.configuration(), 0, 1), 1000);
  EXPECT_EQ(keyLevelAt(model.working, 0, 2), 0);
  for (const config::Field f : {layout::kKeyBlock, layout::kKeysTable}) {
    EXPECT_EQ(bytes(controller.configuration().span(f)), bytes(model.working.span(f)));
  }
  for (const auto& text : window.promptTexts()) {
    EXPECT_NE(text, "Customize Buttons completed successfully");
  }
  EXPECT_FALSE(controller.keyLearning().active());
  EXPECT_TRUE(link.inSync());
}

TEST_F(KeyLearningTest, TheLastRedrawShowsNoKeyStillLit) {
  useTwoChannels();
  connect();
  std::vector<bool> lit;
  window.onGridChange = [&, this] { lit.push_back(grid.highlighted(0, 1)); };
  window.onWait = [this] {
    if (grid.highlighted(0, 1)) {
      learning.setRunning(false);
    }
  };
  learning.setRunning(true);
  EXPECT_EQ(learning.learnKeys(), KeyLearning::Outcome::Done);
  ASSERT_FALSE(lit.empty());
  EXPECT_EQ(std::count(lit.begin(), lit.end(), true), 1);
  EXPECT_FALSE(lit.back());
}

TEST_F(KeyLearningTest, WrittenKeysMakeTheImageTheUsersAgain) {
  useTwoChannels();
  connect();
  // An image the program does not take for the user's own (as after a command that failed).
  link.setInSync(false);
  window.onWait = [this] {
    if (grid.highlighted(0, 1)) {
      learning.setRunning(false);
    }
  };
  learning.setRunning(true);
  EXPECT_EQ(learning.learnKeys(), KeyLearning::Outcome::Done);
  EXPECT_TRUE(link.inSync());
}

TEST_F(KeyLearningFailureTest, EveryRunStartsAfresh) {
  useTwoChannels();
  connect();
  const auto stopAtFirstKey = [this] {
    if (grid.highlighted(0, 1)) {
      learning.setRunning(false);
    }
  };
  // A run that lost its controller.
  window.onWait = [this] {
    if (keyLevelAt(model.working, 0, 1) != 0 && controller.isPresent()) {
      controller.unplug();
    }
  };
  learning.setRunning(true);
  ASSERT_EQ(learning.learnKeys(), KeyLearning::Outcome::ControllerLost);
  window.onWait = {};
  controller.plugIn();
  window.pollTick = {};
  connect();
  // A run with a short reading in its key phase, after the learnt key is back on the controller.
  window.onWait = [this] {
    if (grid.highlighted(0, 1)) {
      controller.endReadsAt(area::kKeyLearning, 4);
    }
  };
  learning.setRunning(true);
  EXPECT_EQ(learning.learnKeys(), KeyLearning::Outcome::ReadFailed);
  // A sound run.
  controller.clearFaults();
  window.onWait = stopAtFirstKey;
  learning.setRunning(true);
  EXPECT_EQ(learning.learnKeys(), KeyLearning::Outcome::Done);
  // A run stopped in its quiet phase.
  window.onWait = [this] { learning.setRunning(false); };
  learning.setRunning(true);
  EXPECT_EQ(learning.learnKeys(), KeyLearning::Outcome::NothingLearnt);
}

TEST_F(KeyLearningTest, StatusBarCountsLearntLevelsUntilTheyAreWritten) {
  useTwoChannels();
  connect();
  std::string whileLearning;
  window.onWait = [&, this] {
    if (grid.highlighted(0, 1) && whileLearning.empty()) {
      whileLearning = linkHost.syncTexts.back();
      learning.setRunning(false);
    }
  };
  learning.setRunning(true);
  EXPECT_EQ(learning.learnKeys(), KeyLearning::Outcome::Done);
  EXPECT_EQ(whileLearning, "Changes not yet on the controller: 1");
  EXPECT_EQ(linkHost.syncTexts.back(), "All changes are on the controller");
}

}  // namespace
}  // namespace kivprism::keys::test

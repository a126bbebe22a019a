// Touch-panel calibration end to end, and the prompts of the state byte.
#include "core/keys/touch_calibration.hpp"

#include <gtest/gtest.h>

#include "procedure_fixture.hpp"
#include "sim/learning_scenarios.hpp"

namespace kivprism::keys::test {
namespace {

namespace area = device::area;
namespace layout = config::layout;
constexpr std::uint8_t kWriteBit = 0x80;
constexpr sim::TouchBlock kBlock{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99};

class TouchCalibrationTest : public ProcedureTest {
 protected:
  std::size_t touchBlockReads() const {
    std::size_t n = 0;
    for (const auto& r : requestsFor(area::kTouchCalibration)) {
      n += r.offset == 0;
    }
    return n;
  }
};

TEST(CalibrationPrompt, StepsReleaseAndSilence) {
  lang::setCurrentLanguage(lang::Language::English);
  EXPECT_EQ(calibrationPrompt(1), "Press at top left corner");
  EXPECT_EQ(calibrationPrompt(2), "Press at top right corner");
  EXPECT_EQ(calibrationPrompt(3), "Press at bottom right corner");
  EXPECT_EQ(calibrationPrompt(4), "Press at top left corner");
  EXPECT_EQ(calibrationPrompt(5), "Press at bottom right corner");
  EXPECT_EQ(calibrationPrompt(0x82), "Please release it");
  EXPECT_EQ(calibrationPrompt(0xFF), "Please release it");
  EXPECT_EQ(calibrationPrompt(0), "");
  EXPECT_EQ(calibrationPrompt(0x80), "");
  EXPECT_EQ(calibrationPrompt(6), "");
  EXPECT_EQ(calibrationPrompt(0x7F), "");
  lang::setCurrentLanguage(lang::Language::Russian);
  EXPECT_EQ(calibrationPrompt(0x81), "Пожалуйста отпустите нажатие");
  EXPECT_EQ(calibrationPrompt(5), "Нажмите в нижнем правом углу");
}

TEST_F(TouchCalibrationTest, ThreeCornersReadTheTouchBlockWhichTheChangeSendingWrites) {
  controller.touchCalibration().setScript(sim::calibrationStates({1, 2, 3, 0}, 300, kBlock));
  connect();
  calibration.click(true);

  EXPECT_EQ(window.questions,
            (std::vector<std::string>{"You really want to launch setup of touchpanel?"}));
  EXPECT_EQ(window.running, (std::vector<bool>{true, false}));
  EXPECT_FALSE(calibration.running());
  const auto start = requestsFor(area::kTouchCalibration | kWriteBit);
  ASSERT_EQ(start.size(), 1u);
  EXPECT_EQ(bytes(start[0].payload()), (std::vector<std::uint8_t>{1}));
  EXPECT_EQ(window.promptTexts(),
            (std::vector<std::string>{"Press at top left corner", "Press at top right corner",
                                      "Press at bottom right corner",
                                      "Setting the touch panel is completed successfully"}));
  EXPECT_EQ(window.prompts.back().first, 3000u);
  for (const std::uint32_t blink : window.promptBlinks) {
    EXPECT_EQ(blink, kPromptBlinkMs);
  }
  EXPECT_EQ(window.promptsEnded, 1);
  EXPECT_EQ(touchBlockReads(), 1u);
  EXPECT_EQ(bytes(model.working.span(layout::kTouchBlock)), bytes(kBlock));

  // The next poll sends the block as a change of the image.
  controller.clearRequests();
  tick();
  const auto sent = requestsFor(area::kConfiguration | kWriteBit);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].offset, 0);
  EXPECT_EQ(bytes(sent[0].payload()), bytes(kBlock));
}

TEST_F(TouchCalibrationTest, ControllerGivingUpReadsNothing) {
  controller.touchCalibration().setScript(sim::calibrationStates({1, 0}, 300, kBlock));
  connect();
  const config::ConfigImage before = model.working;
  calibration.click(false);
  EXPECT_EQ(bytes(requestsFor(area::kTouchCalibration | kWriteBit).at(0).payload()),
            (std::vector<std::uint8_t>{0}));
  EXPECT_EQ(window.promptTexts(),
            (std::vector<std::string>{"Press at top left corner",
                                      "Setting the touch panel is completed by timeout"}));
  EXPECT_EQ(touchBlockReads(), 0u);
  EXPECT_EQ(model.working, before);
}

TEST_F(TouchCalibrationTest, ReleasePromptAndRepeatedStates) {
  controller.touchCalibration().setScript(
      sim::calibrationStates({1, 0x81, 2, 0x82, 2, 7, 3, 0x83}, 250, kBlock));
  connect();
  calibration.click(false);
  // 0x82 asks to release, the following 2 prompts step 2 again; step 7 shows nothing, and
  // a state read again changes nothing.
  EXPECT_EQ(window.promptTexts(),
            (std::vector<std::string>{
                "Press at top left corner", "Please release it", "Press at top right corner",
                "Please release it", "Press at top right corner", "Press at bottom right corner",
                "Please release it", "Setting the touch panel is completed successfully"}));
  EXPECT_GT(requestsFor(area::kTouchCalibration).size(), 20u);
  EXPECT_EQ(bytes(model.working.span(layout::kTouchBlock)), bytes(kBlock));
}

TEST_F(TouchCalibrationTest, SecondClickStopsWithoutReadingTheBlock) {
  controller.touchCalibration().setScript(sim::calibrationStates({1, 2, 3}, 300, kBlock));
  connect();
  window.onWait = [this] {
    if (window.prompts.size() == 2) {
      calibration.click(false);
    }
  };
  calibration.click(false);
  EXPECT_EQ(window.promptTexts(),
            (std::vector<std::string>{"Press at top left corner", "Press at top right corner"}));
  EXPECT_EQ(window.promptsEnded, 1);
  EXPECT_EQ(touchBlockReads(), 0u);
  EXPECT_EQ(window.running, (std::vector<bool>{true, false}));
  EXPECT_NE(bytes(model.working.span(layout::kTouchBlock)), bytes(kBlock));
}

TEST_F(TouchCalibrationTest, DeclinedDisconnectedAndFailures) {
  calibration.click(false);
  EXPECT_EQ(window.errors, (std::vector<std::string>{"Controller is disconnected"}));
  connect();
  window.answers = {false};
  calibration.setRunning(true);
  EXPECT_EQ(calibration.calibrate(false), TouchCalibration::Outcome::Declined);
  EXPECT_TRUE(controller.requests().empty());

  controller.setAreaAnswer(area::kTouchCalibration, 0xFE);
  EXPECT_EQ(calibration.calibrate(false), TouchCalibration::Outcome::StartFailed);
  EXPECT_EQ(linkHost.errors.size(), 1u);

  // A state read that fails ends the loop; nothing is read.
  controller.setAreaAnswer(area::kTouchCalibration, 0);
  window.onWait = [this] { controller.setAreaAnswer(area::kTouchCalibration, 0xFD); };
  EXPECT_EQ(calibration.calibrate(false), TouchCalibration::Outcome::Stopped);
  EXPECT_EQ(linkHost.errors.size(), 2u);
  EXPECT_EQ(window.promptsEnded, 1);

  // Shutting down ends it too.
  controller.setAreaAnswer(area::kTouchCalibration, 0);
  window.onWait = [this] { window.shutdown = true; };
  EXPECT_EQ(calibration.calibrate(false), TouchCalibration::Outcome::Stopped);
  EXPECT_EQ(touchBlockReads(), 0u);
}

TEST_F(TouchCalibrationTest, ShortTouchBlockIsRefusedAndTheOldOneKept) {
  controller.touchCalibration().setScript(sim::calibrationStates({3, 0}, 300, kBlock));
  connect();
  const config::ConfigImage before = model.working;
  controller.endReadsAt(area::kTouchCalibration, 4);
  calibration.setRunning(true);
  EXPECT_EQ(calibration.calibrate(false), TouchCalibration::Outcome::Stopped);
  EXPECT_EQ(model.working, before);
  EXPECT_EQ(window.errors,
            (std::vector<std::string>{"The controller did not send the whole touch panel data"}));
  expectPollHeldDuringBoxes();
}

TEST_F(TouchCalibrationTest, BoxesHoldThePoll) {
  calibration.click(false);
  connect();
  window.answers = {false};
  calibration.click(false);
  EXPECT_EQ(window.suspensionInBoxes.size(), 2u);
  expectPollHeldDuringBoxes();
}

}  // namespace
}  // namespace kivprism::keys::test

// Key learning and touch calibration against the simulated controller, on the test's clock: the
// device link polls inside every wait, as the window's timer would.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/device/device_link.hpp"
#include "core/keys/key_learning.hpp"
#include "core/keys/touch_calibration.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/fake_link_host.hpp"

namespace kivprism::keys::test {

// The window as both procedures see it (its shell services and the keys page): records what they
// show, moves the clock in waits and runs a poll tick whenever the poll timer would have fired.
class ProcedureWindow : public shell::ShellServices, public KeyLearningHost {
 public:
  explicit ProcedureWindow(testing::FakeLinkHost& linkHost) : linkHost_(linkHost) {}

  std::deque<bool> answers;  // Yes when empty
  std::function<void()> onWait;
  // Runs at every redraw of the keys grid the procedure asks for.
  std::function<void()> onGridChange;
  std::function<void()> pollTick;
  // How deep the poll is suspended, asked while a box is open.
  std::function<unsigned()> pollSuspension;
  std::vector<unsigned> suspensionInBoxes;
  bool shutdown = false;

  std::vector<std::string> questions;
  std::vector<std::string> errors;
  std::vector<std::pair<std::uint32_t, std::string>> prompts;  // duration, text
  std::vector<std::uint32_t> promptBlinks;
  std::vector<std::string> informations;
  std::vector<bool> toolbarUpdates;
  int promptsEnded = 0;
  std::vector<bool> running;
  int gridChanges = 0;
  int learningEnds = 0;

  std::uint32_t tickMs() override { return linkHost_.now; }
  void processEvents() override {}
  bool askYesNo(std::string_view text) override { return askQuestion(text); }
  bool askContinue(std::string_view text) override { return askQuestion(text); }
  void showInformation(std::string_view text) override {
    informations.emplace_back(text);
    noteSuspension();
  }
  void updateToolbar(bool busy) override { toolbarUpdates.push_back(busy); }
  void suspendPoll() override {}
  void resumePoll() override {}
  void suspendRedraw() override {}
  void resumeRedraw() override {}
  bool askQuestion(std::string_view text) override {
    questions.emplace_back(text);
    noteSuspension();
    if (answers.empty()) {
      return true;
    }
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
  void showError(std::string_view text) override {
    errors.emplace_back(text);
    noteSuspension();
  }
  void waitMs(std::uint32_t ms) override {
    for (std::uint32_t left = ms; left > 0;) {
      const std::uint32_t step = std::min<std::uint32_t>(left, 50);
      linkHost_.now += step;
      left -= step;
      if (pollTick) {
        pollTick();
      }
    }
    if (onWait) {
      onWait();
    }
  }
  bool shuttingDown() const override { return shutdown; }
  void flashMessage(std::uint32_t durationMs, std::uint32_t blinkMs,
                    std::string_view text) override {
    prompts.emplace_back(durationMs, std::string(text));
    promptBlinks.push_back(blinkMs);
  }
  void endFlash() override { ++promptsEnded; }
  void setProcedureRunning(bool on) override { running.push_back(on); }
  void keysGridChanged() override {
    ++gridChanges;
    if (onGridChange) {
      onGridChange();
    }
  }
  void keyLearningEnded() override { ++learningEnds; }

  std::vector<std::string> promptTexts() const {
    std::vector<std::string> out;
    for (const auto& p : prompts) {
      out.push_back(p.second);
    }
    return out;
  }

 private:
  void noteSuspension() {
    if (pollSuspension) {
      suspensionInBoxes.push_back(pollSuspension());
    }
  }

  testing::FakeLinkHost& linkHost_;
};

// The link's host as the key procedures' tests see it.
using LearningAwareLinkHost = testing::FakeLinkHost;

class ProcedureTest : public ::testing::Test {
 protected:
  ProcedureTest() {
    lang::setCurrentLanguage(lang::Language::English);
    controller.setReportCallHook([this] { linkHost.now += 1; });
    link.holdChangeSendingWhile([this] { return learning.active(); });
    window.pollSuspension = [this] { return link.pollSuspendCount(); };
    link.resumePoll();
  }

  sim::SimulatedControllerOptions options() {
    sim::SimulatedControllerOptions o;
    o.clock = [this] { return linkHost.now; };
    return o;
  }
  // Polls until connected (the first connection reads the configuration), then keeps polling in
  // every wait of a procedure.
  void connect() {
    for (int i = 0; i < 8 && !link.isConnected(); ++i) {
      tick();
    }
    ASSERT_TRUE(link.isConnected());
    ASSERT_TRUE(link.inSync());
    controller.clearRequests();
    window.pollTick = [this] { link.pollTick(); };
  }
  void tick() {
    while (link.trafficHoldOff() > 0) {
      link.pollTick();
    }
    link.pollTick();
  }
  std::vector<sim::ReceivedRequest> requestsFor(std::uint8_t cmd) const {
    std::vector<sim::ReceivedRequest> out;
    for (const auto& r : controller.requests()) {
      if (r.cmd == cmd) {
        out.push_back(r);
      }
    }
    return out;
  }
  // Every box of the procedure held the poll, and the poll runs again afterwards.
  void expectPollHeldDuringBoxes() {
    EXPECT_FALSE(window.suspensionInBoxes.empty());
    for (const unsigned depth : window.suspensionInBoxes) {
      EXPECT_GT(depth, 0u);
    }
    EXPECT_EQ(link.pollSuspendCount(), 0u);
  }
  static std::vector<std::uint8_t> bytes(std::span<const std::uint8_t> s) {
    return {s.begin(), s.end()};
  }

  LearningAwareLinkHost linkHost;
  sim::SimulatedController controller{options()};
  sim::SimulatedHidPort port{controller};
  config::ConfigModel model;
  device::DeviceLink link{port, linkHost, model};
  ProcedureWindow window{linkHost};
  KeysGrid grid;
  KeyLearning learning{link, window, window, grid};
  TouchCalibration calibration{link, window, window};
};

}  // namespace kivprism::keys::test

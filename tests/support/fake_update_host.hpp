// The update's shell and FirmwareUpdateHost for tests: records what the update shows and answers
// from a script; its waits move the given clock.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/device/firmware_update.hpp"

namespace kivprism::testing {

class FakeUpdateHost : public shell::ShellServices, public device::FirmwareUpdateHost {
 public:
  explicit FakeUpdateHost(std::uint32_t& clock) : clock_(clock) {}

  // --- what the test sets ---
  std::string chosenFile;
  std::deque<bool> answers;  // Yes when empty
  bool shutdown = false;
  std::function<void()> onWait;

  // --- what the update did ---
  std::vector<std::string> errors;
  // The backup before the boot loader starts; none given: no backup, the update goes on.
  std::function<std::optional<std::string>()> backUp;
  int backupCalls = 0;
  std::vector<std::string> questions;
  struct Flash {
    std::uint32_t durationMs;
    std::uint32_t blinkMs;
    std::string text;
  };
  std::vector<Flash> flashes;
  int flashEnds = 0;
  std::vector<std::string> logLines;
  std::vector<std::uint32_t> waits;
  // Times the toolbar was locked.
  int toolbarDisabled = 0;
  std::vector<std::string> informations;
  int chooserCalls = 0;
  int processEventsCalls = 0;
  std::vector<unsigned> looks;

  std::string chooseFirmwareFile() override {
    ++chooserCalls;
    return chosenFile;
  }
  void showError(std::string_view text) override { errors.emplace_back(text); }
  std::uint32_t tickMs() override { return clock_; }
  void showInformation(std::string_view text) override { informations.emplace_back(text); }
  bool askYesNo(std::string_view text) override { return askContinue(text); }
  bool askQuestion(std::string_view text) override { return askContinue(text); }
  void suspendPoll() override {}
  void resumePoll() override {}
  void suspendRedraw() override {}
  void resumeRedraw() override {}
  bool askContinue(std::string_view text) override {
    questions.emplace_back(text);
    if (answers.empty()) {
      return true;
    }
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
  void flashMessage(std::uint32_t durationMs, std::uint32_t blinkMs,
                    std::string_view text) override {
    flashes.push_back({durationMs, blinkMs, std::string(text)});
  }
  void endFlash() override { ++flashEnds; }
  void logLine(std::string_view text) override { logLines.emplace_back(text); }
  void processEvents() override { ++processEventsCalls; }
  void waitMs(std::uint32_t ms) override {
    waits.push_back(ms);
    clock_ += ms;
    if (onWait) {
      onWait();
    }
  }
  bool shuttingDown() const override { return shutdown; }
  void updateToolbar(bool busy) override { toolbarDisabled += busy ? 1 : 0; }
  void diskWaitProgress(unsigned look, unsigned) override { looks.push_back(look); }
  std::optional<std::string> backUpConfiguration() override {
    ++backupCalls;
    return backUp ? backUp() : std::optional<std::string>(std::string());
  }

 private:
  std::uint32_t& clock_;
};

}  // namespace kivprism::testing

// A LinkHost for tests: its clock moves only when the test (or a wait) moves it, and it records
// everything the device link shows so tests can check it. It is also every listener a page can
// register; attach() registers it as all of them.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/device/device_link.hpp"
#include "core/device/link_host.hpp"
#include "core/device/link_listeners.hpp"

namespace kivprism::testing {

class FakeLinkHost : public device::LinkHost,
                     public device::MonitorListener,
                     public device::CanRecordListener,
                     public device::DeviceStateListener,
                     public device::VariablesListener,
                     public device::ConnectionListener {
 public:
  // --- what the test sets ---
  std::uint32_t now = 1;
  bool shutdown = false;
  bool variablesView = false;
  bool canToFile = false;
  // What the CAN log says it counted in the last second.
  std::uint32_t canRate = 0;
  // Answers to questions, in order; Yes when empty.
  std::deque<bool> answers;
  // Runs inside every processEvents call (re-entrance tests).
  std::function<void()> onProcessEvents;

  // --- what the link did ---
  int processEventsCalls = 0;
  std::vector<std::uint32_t> waits;
  bool pollTimerEnabled = false;
  // A box or question was shown while the poll timer ran.
  bool timerOnDuringBox = false;
  std::vector<std::uint32_t> pollIntervals;
  std::vector<std::string> statusTexts;
  std::vector<std::string> syncTexts;
  std::vector<std::pair<std::size_t, std::size_t>> progress;  // position, total
  int progressHides = 0;
  bool progressVisible = false;
  std::vector<std::pair<std::string, bool>> currentSource;
  std::vector<std::uint16_t> stateWords;
  std::vector<bool> toolbarUpdates;
  std::vector<std::string> flashes;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> flashTimings;  // duration, blink
  std::vector<std::string> errors;
  std::vector<std::string> questions;
  std::vector<std::string> informations;
  int flashEnds = 0;
  // How deep the poll and the redraw are held off through the shell.
  int pollPauses = 0;
  int redrawPauses = 0;
  std::vector<std::string> logLines;
  std::vector<std::string> monitoringLines;
  std::vector<std::vector<std::uint8_t>> canRecords;
  int canPageRefreshes = 0;
  int reloads = 0;
  std::vector<bool> connectionChanges;
  std::vector<device::VariablesView> variables;

  // Registers this fake as every listener of the link.
  void attach(device::DeviceLink& link) {
    link.addMonitorListener(*this);
    link.addCanRecordListener(*this);
    link.addStateListener(*this);
    link.addVariablesListener(*this);
    link.addConnectionListener(*this);
  }

  // --- shell services and LinkHost ---
  std::uint32_t tickMs() override { return now; }
  void processEvents() override {
    ++processEventsCalls;
    if (onProcessEvents) {
      onProcessEvents();
    }
  }
  void waitMs(std::uint32_t ms) override {
    waits.push_back(ms);
    now += ms;
  }
  bool shuttingDown() const override { return shutdown; }
  void setPollTimerEnabled(bool enabled) override { pollTimerEnabled = enabled; }
  void setPollInterval(std::uint32_t ms) override { pollIntervals.push_back(ms); }
  void setStatusText(std::string_view text) override { statusTexts.emplace_back(text); }
  void setSyncText(std::string_view text) override { syncTexts.emplace_back(text); }
  void showProgress(std::size_t position, std::size_t total) override {
    progress.emplace_back(position, total);
    progressVisible = true;
  }
  void hideProgress() override {
    ++progressHides;
    progressVisible = false;
  }
  void updateToolbar(bool busy) override { toolbarUpdates.push_back(busy); }
  void flashMessage(std::uint32_t durationMs, std::uint32_t blinkMs,
                    std::string_view text) override {
    flashes.emplace_back(text);
    flashTimings.emplace_back(durationMs, blinkMs);
  }
  void showError(std::string_view text) override {
    errors.emplace_back(text);
    timerOnDuringBox |= pollTimerEnabled;
  }
  void showInformation(std::string_view text) override {
    informations.emplace_back(text);
    timerOnDuringBox |= pollTimerEnabled;
  }
  void endFlash() override { ++flashEnds; }
  void suspendPoll() override { ++pollPauses; }
  void resumePoll() override { --pollPauses; }
  void suspendRedraw() override { ++redrawPauses; }
  void resumeRedraw() override { --redrawPauses; }
  bool askQuestion(std::string_view text) override { return askYesNo(text); }
  bool askContinue(std::string_view text) override { return askYesNo(text); }
  bool askYesNo(std::string_view text) override {
    questions.emplace_back(text);
    timerOnDuringBox |= pollTimerEnabled;
    if (answers.empty()) {
      return true;
    }
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }

  // --- listeners ---
  void logLine(std::string_view text) override { logLines.emplace_back(text); }
  void monitoringLine(std::string_view line) override { monitoringLines.emplace_back(line); }
  void canLogRecord(device::CanRecord record) override {
    canRecords.emplace_back(record.begin(), record.end());
  }
  bool canLogWritingToFile() const override { return canToFile; }
  std::uint32_t canRecordsPerSecond() const override { return canRate; }
  void refreshCanLogPage() override { ++canPageRefreshes; }
  void currentSourceChanged(std::string_view text, bool enabled) override {
    currentSource.emplace_back(std::string(text), enabled);
  }
  void stateWordRead(std::uint16_t stateWord) override { stateWords.push_back(stateWord); }
  bool variablesWanted() const override { return variablesView; }
  void showVariables(const device::VariablesView& view) override { variables.push_back(view); }
  void connectionChanged(bool connected) override { connectionChanges.push_back(connected); }
  void configurationReloaded() override { ++reloads; }
};

}  // namespace kivprism::testing

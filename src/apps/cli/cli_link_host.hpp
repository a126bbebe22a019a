// The device link's host on a terminal: real time, progress on stderr, questions on stdin, the
// program's log lines and the controller's monitoring lines on stdout when the command wants them
// (it listens to the link's monitoring text once attached).
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "core/device/device_link.hpp"
#include "core/device/link_host.hpp"
#include "core/device/link_listeners.hpp"

namespace kivprism::cli {

class CliLinkHost : public device::LinkHost, public device::MonitorListener {
 public:
  struct Options {
    bool showProgress = false;  // a progress line for whole-image transfers (terminal only)
    bool printLog = false;      // the program's log lines (device information) to stdout
    bool printMonitor = false;  // the controller's monitoring lines to stdout
    bool packetLog = false;     // the packet log, to stderr
    bool assumeYes = false;     // answer Yes to every question without asking
  };

  CliLinkHost(Options options, std::istream& in, std::ostream& out, std::ostream& err);

  // Listens to the link's log and monitoring lines and switches its packet log as asked.
  void attach(device::DeviceLink& link);

  // Ctrl+C ends waits and drains, and the command loop.
  static void installInterruptHandler();
  static bool interrupted();

  std::uint32_t tickMs() override;
  void processEvents() override {}
  void waitMs(std::uint32_t ms) override;
  bool shuttingDown() const override { return interrupted(); }
  void setPollTimerEnabled(bool) override {}
  void setPollInterval(std::uint32_t) override {}
  void setStatusText(std::string_view text) override;
  void setSyncText(std::string_view) override {}
  void showProgress(std::size_t position, std::size_t total) override;
  void hideProgress() override;
  void updateToolbar(bool) override {}
  void flashMessage(std::uint32_t, std::uint32_t, std::string_view) override {}
  void endFlash() override {}
  void showError(std::string_view text) override;
  void showInformation(std::string_view text) override;
  bool askYesNo(std::string_view text) override { return ask(text, false); }
  bool askQuestion(std::string_view text) override { return ask(text, false); }
  bool askContinue(std::string_view text) override { return ask(text, true); }
  // The tool has no poll timer (its commands poll in loops of their own) and no window to redraw.
  void suspendPoll() override {}
  void resumePoll() override {}
  void suspendRedraw() override {}
  void resumeRedraw() override {}
  void logLine(std::string_view text) override;
  void monitoringLine(std::string_view line) override;

  // Ends an unfinished progress line.
  void finishProgress();
  // The last status-bar text (probe status, connection line).
  const std::string& statusText() const { return caption_; }
  // The answer to the last question.
  bool lastAnswer() const { return lastAnswer_; }

 private:
  // A question on the terminal; Enter answers as preselected, no terminal input answers No.
  bool ask(std::string_view text, bool yesPreselected);

  Options options_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  std::string caption_;
  int lastPercent_ = -1;
  bool progressLineOpen_ = false;
  bool lastAnswer_ = false;
};

}  // namespace kivprism::cli

#include "apps/cli/cli_link_host.hpp"

#include <chrono>
#include <istream>
#include <ostream>
#include <thread>

#include "core/monitor/monitoring_line.hpp"
#include "platform/system.hpp"

namespace kivprism::cli {

CliLinkHost::CliLinkHost(Options options, std::istream& in, std::ostream& out, std::ostream& err)
    : options_(options), in_(in), out_(out), err_(err) {}

void CliLinkHost::attach(device::DeviceLink& link) {
  link.addMonitorListener(*this);
  link.setPacketLogEnabled(options_.packetLog);
}

void CliLinkHost::installInterruptHandler() { platform::catchInterrupts(); }

bool CliLinkHost::interrupted() { return platform::interruptRequested(); }

std::uint32_t CliLinkHost::tickMs() {
  using namespace std::chrono;
  static const auto start = steady_clock::now();
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now() - start).count() + 1);
}

void CliLinkHost::waitMs(std::uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void CliLinkHost::setStatusText(std::string_view text) { caption_ = text; }

void CliLinkHost::showProgress(std::size_t position, std::size_t total) {
  if (!options_.showProgress || total == 0) {
    return;
  }
  const int percent = static_cast<int>(position * 100 / total);
  if (percent == lastPercent_) {
    return;
  }
  lastPercent_ = percent;
  err_ << '\r' << caption_ << ": " << percent << '%' << std::flush;
  progressLineOpen_ = true;
}

void CliLinkHost::hideProgress() { finishProgress(); }

void CliLinkHost::finishProgress() {
  if (progressLineOpen_) {
    err_ << '\n';
    progressLineOpen_ = false;
  }
  lastPercent_ = -1;
}

void CliLinkHost::showError(std::string_view text) {
  finishProgress();
  err_ << text << '\n';
}

void CliLinkHost::showInformation(std::string_view text) {
  finishProgress();
  err_ << text << '\n';
}

bool CliLinkHost::ask(std::string_view text, bool yesPreselected) {
  finishProgress();
  if (options_.assumeYes) {
    lastAnswer_ = true;
    return true;
  }
  err_ << text << (yesPreselected ? " [Y/n] " : " [y/N] ") << std::flush;
  std::string answer;
  if (!std::getline(in_, answer)) {
    err_ << '\n';
    lastAnswer_ = false;
    return false;
  }
  lastAnswer_ = answer == "y" || answer == "Y" || answer == "yes" || answer == "YES" ||
                (yesPreselected && answer.empty());
  return lastAnswer_;
}

void CliLinkHost::logLine(std::string_view text) {
  if (options_.printLog) {
    out_ << text << '\n' << std::flush;
  } else if (options_.packetLog) {
    err_ << text << '\n';
  }
}

void CliLinkHost::monitoringLine(std::string_view line) {
  if (!options_.printMonitor) {
    return;
  }
  std::string text(line);
  monitor::formatMonitoringLine(text);
  out_ << text << '\n' << std::flush;
}

}  // namespace kivprism::cli

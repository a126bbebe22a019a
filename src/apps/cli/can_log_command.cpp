// `canlog`: a headless CAN-log capture on a laptop in the car. The controller records, the same
// engine as the program's page filters and counts, and every shown record goes to each file given
// (all of one capture, so the files agree record by record) or, without files, to stdout as
// candump lines.
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <memory>
#include <thread>

#include "apps/cli/cli.hpp"
#include "apps/cli/cli_link_host.hpp"
#include "apps/cli/controller_connection.hpp"
#include "apps/cli/controller_options.hpp"
#include "core/canlog/can_log_engine.hpp"
#include "core/canlog/can_log_texts.hpp"
#include "core/canlog/log_writer.hpp"
#include "core/config/image_layout.hpp"
#include "core/config/utf8_path.hpp"
#include "core/device/device_info.hpp"
#include "core/device/device_link.hpp"
#include "core/device/device_status.hpp"
#include "core/device/packet.hpp"

#ifdef KIVPRISM_HAVE_SIM
#include "sim/simulated_controller.hpp"
#endif
#include "platform/system.hpp"

namespace kivprism::cli {

namespace {

using canlog::CanLogMode;
using canlog::LogForm;
using device::DeviceStatus;

// The differential bus set to plain CAN.
constexpr std::uint8_t kCanBusMode = 2;
// Poll ticks allowed to find the controller (each tries one product id, twice round).
constexpr int kConnectTicks = 8;
// At most this long to take the records still waiting when the capture ends.
constexpr std::uint32_t kTailMs = 1000;

struct CanLogOptions {
  std::optional<std::uint32_t> forMs;
  CanLogMode mode = CanLogMode::ShowAll;
  std::vector<std::pair<LogForm, std::filesystem::path>> files;
  bool simulator = false;
  std::optional<std::filesystem::path> simulatorState;
  bool packetLog = false;
  bool help = false;
};

constexpr std::string_view kCanLogUsage =
    "[--for=MS] [--mode=1|2|3] [--aligned=FILE] [--tab=FILE] [--candump=FILE] [--asc=FILE] "
    "[--simulator[=STATE.bin]]";
constexpr std::string_view kCanLogSummary =
    "record the controller's CAN log (candump lines on stdout without files) until Ctrl-C";

std::uint32_t parseNumber(std::string_view option, std::string_view text) {
  const std::string s(text);
  char* end = nullptr;
  const unsigned long value = std::strtoul(s.c_str(), &end, 10);
  if (s.empty() || *end != '\0' || value > 0xFFFFFFFFul) {
    throw UsageError{"canlog: " + std::string(option) + " needs a number"};
  }
  return static_cast<std::uint32_t>(value);
}

CanLogOptions parseCanLogOptions(std::span<const std::string> args) {
  startWithEnvironmentLanguage();
  CanLogOptions o;
  DeviceSource source;
  static constexpr std::pair<std::string_view, LogForm> kFileOptions[] = {
      {"--aligned=", LogForm::Aligned},
      {"--tab=", LogForm::TabSeparated},
      {"--candump=", LogForm::Candump},
      {"--asc=", LogForm::VectorAsc},
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (readControllerOption("canlog", args, i, source)) {
      continue;
    }
    const std::string_view a = args[i];
    const auto value = [&a](std::string_view prefix) { return a.substr(prefix.size()); };
    if (a.starts_with("--for=")) {
      o.forMs = parseNumber("--for", value("--for="));
      continue;
    }
    if (a.starts_with("--mode=")) {
      const std::uint32_t mode = parseNumber("--mode", value("--mode="));
      if (mode < 1 || mode > 3) {
        throw UsageError{
            "canlog: --mode is 1 (show all), 2 (hide accumulated) or 3 (hide not "
            "changed)"};
      }
      o.mode = static_cast<CanLogMode>(mode);
      continue;
    }
    if (a == "--help" || a == "-h") {
      o.help = true;
      continue;
    }
    bool matched = false;
    for (const auto& [prefix, form] : kFileOptions) {
      if (a.starts_with(prefix)) {
        if (value(prefix).empty()) {
          throw UsageError{"canlog: " + std::string(prefix) + " needs a file name"};
        }
        o.files.emplace_back(form, config::pathFromUtf8(value(prefix)));
        matched = true;
      }
    }
    if (!matched) {
      throw UsageError{"canlog: unknown argument '" + std::string(a) + "'"};
    }
  }
  o.simulator = source.simulator;
  o.simulatorState = source.simulatorState;
  o.packetLog = source.packetLog;
  return o;
}

// The terminal host that hands the CAN-log records to the capture.
class CaptureHost : public CliLinkHost, public device::CanRecordListener {
 public:
  using CliLinkHost::CliLinkHost;
  std::function<void(device::CanRecord)> onRecord;
  bool writingToFile = false;

  void canLogRecord(device::CanRecord record) override {
    if (onRecord) {
      onRecord(record);
    }
  }
  // Ctrl-C ends the capture loop, not the drains: what the controller holds is still written.
  bool shuttingDown() const override { return false; }
  bool canLogWritingToFile() const override { return writingToFile; }
};

class Capture {
 public:
  explicit Capture(const CanLogOptions& options)
      : options_(options), host_(hostOptions(options), std::cin, std::cout, std::cerr) {
    host_.onRecord = [this](device::CanRecord bytes) { intake(bytes); };
  }

  int run() {
    if (auto error = openPort()) {
      std::cerr << "kivprism-cli: " << *error << '\n';
      return kExitFailure;
    }
    int result = capture();
    if (auto error = closePort()) {
      std::cerr << "kivprism-cli: " << *error << '\n';
      result = kExitFailure;
    }
    return result;
  }

 private:
  static CliLinkHost::Options hostOptions(const CanLogOptions& o) {
    CliLinkHost::Options h;
    h.packetLog = o.packetLog;
    return h;
  }

  std::optional<std::string> openPort() {
    if (auto error = connection_.open(
            {options_.simulator, options_.simulatorState, options_.packetLog}, host_, model_)) {
      return error;
    }
#ifdef KIVPRISM_HAVE_SIM
    // The demo controller carries a car's traffic on its CAN bus.
    if (sim::SimulatedController* controller = connection_.simulated()) {
      controller->startDemo();
    }
#endif
    link_ = &connection_.link();
    link_->addCanRecordListener(host_);
    return std::nullopt;
  }

  std::optional<std::string> closePort() {
    link_ = nullptr;
    return connection_.close();
  }

  void sleepOneInterval() {
    std::this_thread::sleep_for(std::chrono::milliseconds(link_->pollInterval()));
  }

  int failWith(std::string_view text) {
    std::cerr << "kivprism-cli: " << text << '\n';
    return kExitFailure;
  }

  int failWith(DeviceStatus st) {
    return failWith(st == device::status::kBadParameters
                        ? lang::translateText(canlog::texts::kNotSupported)
                        : std::string_view(device::statusText(st)));
  }

  DeviceStatus sendMode(CanLogMode mode) {
    const std::uint8_t byte = static_cast<std::uint8_t>(mode);
    return link_->writeArea(device::area::kCanLog, 0, std::span(&byte, 1));
  }

  int capture() {
    // The poll finds the controller and reads its configuration, as the program does.
    for (int i = 0; i < kConnectTicks && !link_->isConnected(); ++i) {
      link_->pollTick();
    }
    if (!link_->isConnected()) {
      return failWith(host_.statusText().empty()
                          ? std::string_view(device::statusText(device::status::kDisconnected))
                          : std::string_view(host_.statusText()));
    }
    if (model_.working.getU8(config::layout::kDiffBusMode) != kCanBusMode) {
      return failWith(lang::translateText(canlog::texts::kBusNotCan));
    }
    if (const DeviceStatus st = sendMode(CanLogMode::Stop); st != device::status::kOk) {
      return failWith(st);
    }
    const std::time_t wall = std::time(nullptr);
    const std::tm start = platform::localTime(wall);
    stdoutFormatter_.setStart(start);
    for (const auto& [form, path] : options_.files) {
      auto file = std::make_unique<canlog::LogFile>();
      if (!file->open(path, form, start)) {
        return failWith("cannot create " + config::pathToUtf8(path));
      }
      files_.push_back(std::move(file));
    }
    host_.writingToFile = !files_.empty();
    const std::uint32_t begin = host_.tickMs();
    engine_.setMode(options_.mode, begin);
    if (const DeviceStatus st = sendMode(options_.mode); st != device::status::kOk) {
      return failWith(st);
    }
    while (!CliLinkHost::interrupted() &&
           (!options_.forMs || host_.tickMs() - begin < *options_.forMs)) {
      link_->pollTick();
      if (!link_->isConnected()) {
        files_.clear();
        return failWith(host_.statusText());
      }
      sleepOneInterval();
    }
    drainTail();
    const DeviceStatus stopped = sendMode(CanLogMode::Stop);
    engine_.setMode(CanLogMode::Stop, host_.tickMs());
    files_.clear();
    std::cout << std::flush;
    return stopped == device::status::kOk ? kExitOk : failWith(stopped);
  }

  // Takes the records the controller still holds (stopping would discard them), for a short
  // while at most, since it goes on recording meanwhile.
  void drainTail() {
    const std::uint32_t begin = host_.tickMs();
    while (link_->isConnected() && host_.tickMs() - begin < kTailMs) {
      if (link_->pollTick() &&
          (link_->deviceInfo().stateWord & device::device_info::kCanRecordsWaiting) == 0) {
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  void intake(device::CanRecord bytes) {
    const canlog::IntakeResult result =
        engine_.canLogIntake(canlog::CanLogRecord::decode(bytes), host_.tickMs());
    if (!result.shown()) {
      return;
    }
    const canlog::PacketRow& row = engine_.rows()[result.row];
    if (options_.files.empty()) {
      std::cout << stdoutFormatter_.recordText(row);
      return;
    }
    for (const auto& file : files_) {
      file->write(row);
    }
  }

  CanLogOptions options_;
  CaptureHost host_;
  config::ConfigModel model_;
  ControllerConnection connection_;
  device::DeviceLink* link_ = nullptr;  // the connection's, while it is open
  canlog::CanLogEngine engine_;
  std::vector<std::unique_ptr<canlog::LogFile>> files_;
  canlog::LogFormatter stdoutFormatter_{LogForm::Candump};
};

int canLogCommand(std::span<const std::string> args) {
  const CanLogOptions options = parseCanLogOptions(args);
  if (options.help) {
    std::cout << "usage: kivprism-cli canlog " << kCanLogUsage << "\n\n" << kCanLogSummary << ".\n";
    return kExitOk;
  }
  CliLinkHost::installInterruptHandler();
  Capture capture(options);
  return capture.run();
}

}  // namespace

std::vector<Command> canLogCommands() {
  return {
      {"canlog", kCanLogUsage, kCanLogSummary, canLogCommand},
  };
}

}  // namespace kivprism::cli

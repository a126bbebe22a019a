// `update FILE.LDR`: the firmware update on a terminal, with the controller over USB and the
// system's update disk, or with the simulated controller and its simulated update disk.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <thread>

#include "apps/cli/cli.hpp"
#include "apps/cli/cli_link_host.hpp"
#include "apps/cli/controller_connection.hpp"
#include "apps/cli/controller_options.hpp"
#include "core/config/utf8_path.hpp"
#include "core/device/device_link.hpp"
#include "core/device/firmware_update.hpp"

#ifdef KIVPRISM_HAVE_SIM
#include "sim/simulated_controller.hpp"
#include "sim/update_disk.hpp"
#endif
#include "platform/system.hpp"
#ifdef KIVPRISM_HAVE_VOLUMES
#include "platform/volumes.hpp"
#endif

namespace kivprism::cli {

namespace {

using device::UpdateResult;

// The simulated boot loader shows its disk sooner than a real one, to keep the command short.
constexpr std::uint32_t kSimulatedDiskAppearMs = 300;

struct UpdateOptions {
  std::string file;
  bool yes = false;
  bool simulator = false;
  bool packetLog = false;
  std::optional<std::filesystem::path> simulatorState;
  // Where the simulated controller's update disk appears (a folder or a drive); empty: a
  // temporary folder.
  std::filesystem::path updateDisk;
};

UpdateOptions parseUpdateOptions(std::span<const std::string> args) {
  startWithEnvironmentLanguage();
  UpdateOptions o;
  DeviceSource source;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (readControllerOption("update", args, i, source)) {
      continue;
    }
    if (a == "--yes") {
      o.yes = true;
    } else if (a.starts_with("--update-disk=")) {
      o.updateDisk = config::pathFromUtf8(a.substr(14));
    } else if (a.starts_with("--")) {
      throw UsageError{"update: unknown option '" + args[i] + "'"};
    } else {
      positional.push_back(args[i]);
    }
  }
  o.simulator = source.simulator;
  o.simulatorState = source.simulatorState;
  o.packetLog = source.packetLog;
  if (positional.size() != 1) {
    throw UsageError{"update takes one FILE"};
  }
  if (!o.updateDisk.empty() && !o.simulator) {
    throw UsageError{"update: --update-disk goes with --simulator"};
  }
  o.file = positional[0];
  return o;
}

// The update's host on a terminal: boxes and short messages on stderr, the log on stdout, the two
// version questions on stdin (Enter answers Yes, as the window preselects it; no terminal input
// answers No).
class CliUpdateHost : public shell::ShellServices, public device::FirmwareUpdateHost {
 public:
  CliUpdateHost(std::string file, bool assumeYes, CliLinkHost& link)
      : file_(std::move(file)), assumeYes_(assumeYes), link_(link) {}

  std::string chooseFirmwareFile() override { return file_; }
  void showError(std::string_view text) override {
    endWaitLine();
    errorShown_ = true;
    std::cerr << text << (text.ends_with('\n') ? "" : "\n") << std::flush;
  }
  bool askContinue(std::string_view text) override {
    endWaitLine();
    if (assumeYes_) {
      return true;
    }
    std::cerr << text << " [Y/n] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) {
      std::cerr << '\n';
      return false;
    }
    return answer.empty() || answer == "y" || answer == "Y" || answer == "yes" || answer == "YES";
  }
  // The steps go to stderr; the closing "updated" message is the command's result and goes to
  // stdout, once.
  void flashMessage(std::uint32_t, std::uint32_t, std::string_view text) override {
    endWaitLine();
    if (procedure_ != nullptr && text == updatedText(procedure_->installedVersion())) {
      std::cout << text << '\n' << std::flush;
      return;
    }
    std::cerr << text << '\n' << std::flush;
  }
  void watch(const device::FirmwareUpdate& procedure) { procedure_ = &procedure; }
  void endFlash() override {}
  void logLine(std::string_view text) override { link_.logLine(text); }
  // The rest is the terminal's as the link shows it.
  std::uint32_t tickMs() override { return link_.tickMs(); }
  void processEvents() override {}
  void waitMs(std::uint32_t ms) override { link_.waitMs(ms); }
  bool shuttingDown() const override { return CliLinkHost::interrupted(); }
  void showInformation(std::string_view text) override {
    endWaitLine();
    link_.showInformation(text);
  }
  bool askYesNo(std::string_view text) override {
    endWaitLine();
    return link_.askYesNo(text);
  }
  bool askQuestion(std::string_view text) override {
    endWaitLine();
    return link_.askQuestion(text);
  }
  void updateToolbar(bool) override {}
  void suspendPoll() override {}
  void resumePoll() override {}
  void suspendRedraw() override {}
  void resumeRedraw() override {}
  void diskWaitProgress(unsigned look, unsigned looks) override {
    if (!platform::isTerminal(stderr)) {
      return;
    }
    if (look < looks) {
      std::cerr << '\r' << look << '/' << looks << std::flush;
      waitLine_ = true;
    } else {
      endWaitLine();
    }
  }

 private:
  void endWaitLine() {
    if (waitLine_) {
      std::cerr << '\n';
      waitLine_ = false;
    }
  }

  static std::string updatedText(std::uint32_t version) {
    const auto parts = device::versionParts(version);
    return lang::formatText(lang::translateText(device::firmware_texts::kUpdated), parts.whole,
                            parts.hundredths);
  }

  std::string file_;
  bool assumeYes_;
  CliLinkHost& link_;
  bool waitLine_ = false;
  const device::FirmwareUpdate* procedure_ = nullptr;

 public:
  bool errorShown() const { return errorShown_; }

 private:
  bool errorShown_ = false;
};

int update(std::span<const std::string> args) {
  const UpdateOptions o = parseUpdateOptions(args);
  CliLinkHost::Options hostOptions;
  hostOptions.printLog = true;
  hostOptions.packetLog = o.packetLog;
  hostOptions.assumeYes = o.yes;
  CliLinkHost::installInterruptHandler();
  CliLinkHost linkHost(hostOptions, std::cin, std::cout, std::cerr);
  config::ConfigModel model;

#if !defined(KIVPRISM_HAVE_VOLUMES)
  if (!o.simulator) {
    std::cerr << "kivprism-cli: this kivprism-cli was built without USB support; use --simulator\n";
    return kExitFailure;
  }
#endif
  ControllerConnection connection;
  if (auto error = connection.open({o.simulator, o.simulatorState, o.packetLog}, linkHost, model)) {
    std::cerr << "kivprism-cli: " << *error << '\n';
    return kExitFailure;
  }
  std::unique_ptr<device::VolumeProvider> volumes;
#ifdef KIVPRISM_HAVE_SIM
  if (sim::SimulatedController* controller = connection.simulated()) {
    auto disk = std::make_unique<sim::SimulatedUpdateDisk>(*controller, o.updateDisk);
    disk->setAppearDelay(kSimulatedDiskAppearMs);
    volumes = std::move(disk);
  }
#endif
#ifdef KIVPRISM_HAVE_VOLUMES
  if (!o.simulator) {
    volumes = platform::makeSystemVolumeProvider();
  }
#endif

  int result = kExitFailure;
  {
    device::DeviceLink& link = connection.link();
    // Each of the controller's product ids is tried once; the disk may be there without it.
    link.findController();
    CliUpdateHost host(o.file, o.yes, linkHost);
    device::FirmwareUpdate procedure(link, *volumes, host, host);
    host.watch(procedure);
    const UpdateResult outcome = procedure.run();
    if (outcome == UpdateResult::Updated) {
      result = kExitOk;
    } else if (!host.errorShown()) {
      // The user answered No.
      std::cerr << "kivprism-cli: nothing installed\n";
    }
  }
  if (auto error = connection.close()) {
    std::cerr << "kivprism-cli: " << *error << '\n';
    result = kExitFailure;
  }
  return result;
}

}  // namespace

std::vector<Command> firmwareCommands() {
  return {
      {"update", "FILE.LDR [--yes] [--simulator[=STATE.bin] [--update-disk=FOLDER]]",
       "update the controller's firmware from a firmware file (asks before a same or older "
       "version)",
       update},
  };
}

}  // namespace kivprism::cli

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
#include "core/config/utf8_path.hpp"
#include "core/device/device_link.hpp"
#include "core/device/firmware_update.hpp"

#ifdef KIVPRISM_HAVE_SIM
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "sim/update_disk.hpp"
#endif
#include "platform/system.hpp"
#ifdef KIVPRISM_HAVE_HID
#include "platform/hid_port.hpp"
#endif
#ifdef KIVPRISM_HAVE_VOLUMES
#include "platform/volumes.hpp"
#endif

namespace kivprism::cli {

namespace {

using device::UpdateResult;

constexpr std::string_view kSimulatorOption = "--simulator";
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

void setLanguageCode(std::string_view code) {
  if (code.starts_with("ru")) {
    lang::setCurrentLanguage(lang::Language::Russian);
  } else if (code.starts_with("en")) {
    lang::setCurrentLanguage(lang::Language::English);
  } else {
    throw UsageError{"update: unknown language '" + std::string(code) + "' (ru or en)"};
  }
}

UpdateOptions parseUpdateOptions(std::span<const std::string> args) {
  lang::setCurrentLanguage(listingLanguageFromEnvironment());
  UpdateOptions o;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--yes") {
      o.yes = true;
    } else if (a == "--log") {
      o.packetLog = true;
    } else if (a == kSimulatorOption) {
      o.simulator = true;
    } else if (a.starts_with(std::string(kSimulatorOption) + "=")) {
      o.simulator = true;
      o.simulatorState = config::pathFromUtf8(a.substr(kSimulatorOption.size() + 1));
    } else if (a.starts_with("--update-disk=")) {
      o.updateDisk = config::pathFromUtf8(a.substr(14));
    } else if (a == "--lang") {
      if (i + 1 == args.size()) {
        throw UsageError{"update: --lang needs ru or en"};
      }
      setLanguageCode(args[++i]);
    } else if (a.starts_with("--lang=")) {
      setLanguageCode(a.substr(7));
    } else if (a.starts_with("--")) {
      throw UsageError{"update: unknown option '" + args[i] + "'"};
    } else {
      positional.push_back(args[i]);
    }
  }
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

  std::unique_ptr<device::HidPort> port;
  std::unique_ptr<device::VolumeProvider> volumes;
#ifdef KIVPRISM_HAVE_SIM
  std::unique_ptr<sim::SimulatedController> controller;
#endif
  if (o.simulator) {
#ifdef KIVPRISM_HAVE_SIM
    controller = std::make_unique<sim::SimulatedController>();
    std::string error;
    if (o.simulatorState && std::filesystem::exists(*o.simulatorState) &&
        !controller->loadConfiguration(*o.simulatorState, error)) {
      std::cerr << "kivprism-cli: " << error << '\n';
      return kExitFailure;
    }
    port = std::make_unique<sim::SimulatedHidPort>(*controller);
    auto disk = std::make_unique<sim::SimulatedUpdateDisk>(*controller, o.updateDisk);
    disk->setAppearDelay(kSimulatedDiskAppearMs);
    volumes = std::move(disk);
#else
    std::cerr << "kivprism-cli: this kivprism-cli was built without the simulated controller\n";
    return kExitFailure;
#endif
  } else {
#if defined(KIVPRISM_HAVE_HID) && defined(KIVPRISM_HAVE_VOLUMES)
    port = platform::makeSystemHidPort();
    volumes = platform::makeSystemVolumeProvider();
#else
    std::cerr << "kivprism-cli: this kivprism-cli was built without USB support; use --simulator\n";
    return kExitFailure;
#endif
  }

  int result = kExitFailure;
  {
    device::DeviceLink link(*port, linkHost, model);
    // The device lines the update logs, and the packet log when asked for.
    linkHost.attach(link);
    link.resumePoll();
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
#ifdef KIVPRISM_HAVE_SIM
  if (controller && o.simulatorState) {
    if (auto error = saveSimulatorState(*o.simulatorState, controller->stateFileBytes())) {
      std::cerr << "kivprism-cli: " << *error << '\n';
      result = kExitFailure;
    }
  }
#endif
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

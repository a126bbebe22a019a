// The controller commands: each talks to the controller through the same device link as the
// program, over USB or to the simulated controller.

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
#include "core/device/transport.hpp"

#ifdef KIVPRISM_HAVE_SIM
#include "sim/simulated_controller.hpp"
#endif
#include "platform/system.hpp"

namespace kivprism::cli {

namespace {

using device::DeviceLink;
using device::DeviceStatus;

struct DeviceOptions {
  bool simulator = false;
  std::optional<std::filesystem::path> simulatorState;
  bool yes = false;
  bool packetLog = false;
  bool force = false;  // load a damaged configuration file all the same
  std::optional<std::uint32_t> forMs;
  std::vector<std::string> positional;
};

constexpr std::string_view kYesOption = "--yes";
constexpr std::string_view kForOption = "--for=";
constexpr std::string_view kForceOption = "--force";

DeviceOptions parseOptions(std::string_view command, std::span<const std::string> args,
                           std::size_t positionalCount, bool allowYes, bool allowFor,
                           bool allowForce = false) {
  startWithEnvironmentLanguage();
  DeviceOptions o;
  DeviceSource source;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const std::string_view a = arg;
    if (readControllerOption(command, args, i, source)) {
      continue;
    }
    if (a == kYesOption && allowYes) {
      o.yes = true;
    } else if (a == kForceOption && allowForce) {
      o.force = true;
    } else if (a.starts_with(kForOption) && allowFor) {
      o.forMs =
          static_cast<std::uint32_t>(std::strtoul(arg.c_str() + kForOption.size(), nullptr, 10));
    } else if (a.starts_with("--")) {
      throw UsageError{std::string(command) + ": unknown option '" + arg + "'"};
    } else {
      o.positional.push_back(arg);
    }
  }
  if (o.positional.size() != positionalCount) {
    throw UsageError{std::string(command) +
                     (positionalCount == 0 ? " takes no FILE" : " takes one FILE")};
  }
  o.simulator = source.simulator;
  o.simulatorState = source.simulatorState;
  o.packetLog = source.packetLog;
  return o;
}

int failure(DeviceStatus status) {
  std::cerr << "kivprism-cli: " << device::statusText(status) << '\n';
  return kExitFailure;
}

// Everything one command needs: the host, the image, the port and the link, and the simulated
// controller when the command talks to it.
class Session {
 public:
  Session(const DeviceOptions& options, CliLinkHost::Options hostOptions)
      : options_(options), host_(hostOptions, std::cin, std::cout, std::cerr) {}

  // Builds the port and the link; an error line on failure.
  std::optional<std::string> open() {
    return connection_.open({options_.simulator, options_.simulatorState, options_.packetLog},
                            host_, model_);
  }

  // The simulated controller keeps its configuration memory between commands.
  std::optional<std::string> close() {
    host_.finishProgress();
    return connection_.close();
  }

  // Finds the controller, trying each of its product ids once.
  DeviceStatus connect() { return connection_.link().findController(); }

  DeviceLink& link() { return connection_.link(); }
  CliLinkHost& host() { return host_; }
  config::ConfigModel& model() { return model_; }
  void startDemo() {
#ifdef KIVPRISM_HAVE_SIM
    if (sim::SimulatedController* controller = connection_.simulated()) {
      controller->startDemo();
    }
#endif
  }

 private:
  DeviceOptions options_;
  CliLinkHost host_;
  config::ConfigModel model_;
  ControllerConnection connection_;
};

// Opens the session, runs the work and closes the session, turning every failure into exit 1.
int runSession(const DeviceOptions& options, CliLinkHost::Options hostOptions,
               const std::function<int(Session&)>& work) {
  Session session(options, hostOptions);
  if (auto error = session.open()) {
    std::cerr << "kivprism-cli: " << *error << '\n';
    return kExitFailure;
  }
  int result = work(session);
  if (auto error = session.close()) {
    std::cerr << "kivprism-cli: " << *error << '\n';
    result = kExitFailure;
  }
  return result;
}

CliLinkHost::Options hostOptionsFor(const DeviceOptions& o) {
  CliLinkHost::Options h;
  h.packetLog = o.packetLog;
  h.assumeYes = o.yes;
  h.showProgress = platform::isTerminal(stderr);
  return h;
}

int info(std::span<const std::string> args) {
  const DeviceOptions o = parseOptions("info", args, 0, false, false);
  CliLinkHost::Options h = hostOptionsFor(o);
  h.printLog = true;
  return runSession(o, h, [](Session& s) {
    if (const DeviceStatus st = s.connect(); st != device::status::kOk) {
      return failure(st);
    }
    device::DeviceInfo record;
    if (const DeviceStatus st = s.link().readDeviceInfo(record); st != device::status::kOk) {
      return failure(st);
    }
    // A firmware file must carry the same device type.
    std::printf("Device type 0x%04X\n", static_cast<unsigned>(record.deviceType));
    return kExitOk;
  });
}

int read(std::span<const std::string> args) {
  const DeviceOptions o = parseOptions("read", args, 1, false, false);
  const std::filesystem::path file = config::pathFromUtf8(o.positional[0]);
  if (!imageFileKind(file)) {
    throw UsageError{"read: " + config::pathToUtf8(file) + " is neither .KST401 nor .bin"};
  }
  return runSession(o, hostOptionsFor(o), [&file](Session& s) {
    if (const DeviceStatus st = s.connect(); st != device::status::kOk) {
      return failure(st);
    }
    if (const DeviceStatus st = s.link().readConfiguration(); st != device::status::kOk) {
      s.host().finishProgress();
      return failure(st);
    }
    s.host().finishProgress();
    if (auto error = saveImageFile(file, s.model().working)) {
      std::cerr << *error << '\n';
      return kExitFailure;
    }
    return kExitOk;
  });
}

int write(std::span<const std::string> args) {
  const DeviceOptions o = parseOptions("write", args, 1, false, false, true);
  const std::filesystem::path file = config::pathFromUtf8(o.positional[0]);
  return runSession(o, hostOptionsFor(o), [&file, &o](Session& s) {
    if (auto error = loadImageFile(file, s.model().working, o.force)) {
      std::cerr << *error << '\n';
      return kExitFailure;
    }
    if (const DeviceStatus st = s.connect(); st != device::status::kOk) {
      return failure(st);
    }
    // The controller restarts with the new configuration: the write ends with a reset.
    const DeviceStatus st = s.link().writeConfiguration();
    s.host().finishProgress();
    return st == device::status::kOk ? kExitOk : failure(st);
  });
}

int reset(std::span<const std::string> args) {
  const DeviceOptions o = parseOptions("reset", args, 0, false, false);
  return runSession(o, hostOptionsFor(o), [](Session& s) {
    if (const DeviceStatus st = s.connect(); st != device::status::kOk) {
      return failure(st);
    }
    const DeviceStatus st = s.link().resetDevice();
    return st == device::status::kOk ? kExitOk : failure(st);
  });
}

int defaults(std::span<const std::string> args) {
  const DeviceOptions o = parseOptions("defaults", args, 0, true, false);
  return runSession(o, hostOptionsFor(o), [](Session& s) {
    if (const DeviceStatus st = s.connect(); st != device::status::kOk) {
      return failure(st);
    }
    const DeviceStatus st = s.link().restoreDefaults();
    if (st != device::status::kOk) {
      return failure(st);
    }
    if (!s.host().lastAnswer()) {
      std::cerr << "kivprism-cli: nothing sent\n";
    }
    return kExitOk;
  });
}

// Polls as the program's timer does, at the interval the poll asks for, until interrupted.
int monitorCommand(std::span<const std::string> args) {
  const DeviceOptions o = parseOptions("monitor", args, 0, false, true);
  CliLinkHost::Options h = hostOptionsFor(o);
  h.printLog = true;
  h.printMonitor = true;
  h.showProgress = false;
  CliLinkHost::installInterruptHandler();
  return runSession(o, h, [&o](Session& s) {
    s.startDemo();
    const std::uint32_t start = s.host().tickMs();
    std::string shownStatus;
    while (!CliLinkHost::interrupted() && (!o.forMs || s.host().tickMs() - start < *o.forMs)) {
      if (s.link().pollTick() && !s.link().isConnected() && s.host().statusText() != shownStatus) {
        shownStatus = s.host().statusText();
        std::cerr << shownStatus << '\n';
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(s.link().pollInterval()));
    }
    return kExitOk;
  });
}

}  // namespace

std::optional<std::string> readDeviceImage(const DeviceSource& source, config::ConfigImage& image,
                                           device::DeviceInfo* info) {
  DeviceOptions o;
  o.simulator = source.simulator;
  o.simulatorState = source.simulatorState;
  o.packetLog = source.packetLog;
  Session session(o, hostOptionsFor(o));
  if (auto error = session.open()) {
    return error;
  }
  std::optional<std::string> error;
  if (const DeviceStatus st = session.connect(); st != device::status::kOk) {
    error = device::statusText(st);
  } else if (const DeviceStatus read = session.link().readConfiguration();
             read != device::status::kOk) {
    error = device::statusText(read);
  } else {
    image = session.model().working;
    if (info != nullptr) {
      if (const DeviceStatus infoStatus = session.link().readDeviceInfo(*info);
          infoStatus != device::status::kOk) {
        error = device::statusText(infoStatus);
      }
    }
  }
  session.host().finishProgress();
  if (auto closeError = session.close(); closeError && !error) {
    error = closeError;
  }
  return error;
}

std::vector<Command> deviceCommands() {
  return {
      {"info", "[--simulator[=STATE.bin]]", "print the controller's device information", info},
      {"read", "FILE [--simulator[=STATE.bin]]",
       "read the configuration from the controller into a .KST401 or .bin file", read},
      {"write", "FILE [--force] [--simulator[=STATE.bin]]",
       "write a .KST401 or .bin file to the controller, then reset it", write},
      {"reset", "[--simulator[=STATE.bin]]", "restart the controller", reset},
      {"defaults", "[--yes] [--simulator[=STATE.bin]]",
       "restore the controller's default configuration (asks first)", defaults},
      {"monitor", "[--for=MS] [--simulator[=STATE.bin]]",
       "print the controller's monitoring lines until interrupted", monitorCommand},
  };
}

}  // namespace kivprism::cli

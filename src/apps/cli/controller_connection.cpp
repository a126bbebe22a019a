#include "apps/cli/controller_connection.hpp"

#include <system_error>

#ifdef KIVPRISM_HAVE_SIM
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#endif
#ifdef KIVPRISM_HAVE_HID
#include "platform/hid_port.hpp"
#endif

namespace kivprism::cli {

ControllerConnection::ControllerConnection() = default;

ControllerConnection::~ControllerConnection() = default;

std::optional<std::string> ControllerConnection::open(const DeviceSource& source, CliLinkHost& host,
                                                      config::ConfigModel& model) {
  if (source.simulator) {
#ifdef KIVPRISM_HAVE_SIM
    controller_ = std::make_unique<sim::SimulatedController>();
    // Read here, so that a folder, an unreadable file or a read error gives one clear line.
    std::error_code ec;
    if (source.simulatorState && std::filesystem::exists(*source.simulatorState, ec)) {
      std::string error;
      if (!controller_->loadConfiguration(*source.simulatorState, error)) {
        return error;
      }
    }
    simulatorState_ = source.simulatorState;
    port_ = std::make_unique<sim::SimulatedHidPort>(*controller_);
#else
    return std::string("this kivprism-cli was built without the simulated controller");
#endif
  } else {
#ifdef KIVPRISM_HAVE_HID
    port_ = platform::makeSystemHidPort();
#else
    return std::string("this kivprism-cli was built without USB support; use --simulator");
#endif
  }
  link_ = std::make_unique<device::DeviceLink>(*port_, host, model);
  host.attach(*link_);
  link_->resumePoll();
  return std::nullopt;
}

std::optional<std::string> ControllerConnection::close() {
  link_.reset();
#ifdef KIVPRISM_HAVE_SIM
  if (controller_ && simulatorState_) {
    return saveSimulatorState(*simulatorState_, controller_->stateFileBytes());
  }
#endif
  return std::nullopt;
}

}  // namespace kivprism::cli

// The controller a command talks to, set up the same way for every command: the USB controller, or
// the simulated one with its state file, and the device link over it.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "apps/cli/cli.hpp"
#include "apps/cli/cli_link_host.hpp"
#include "core/config/image.hpp"
#include "core/device/device_link.hpp"
#include "core/device/hid_port.hpp"

namespace kivprism::sim {
class SimulatedController;
}

namespace kivprism::cli {

class ControllerConnection {
 public:
  ControllerConnection();
  ~ControllerConnection();
  ControllerConnection(const ControllerConnection&) = delete;
  ControllerConnection& operator=(const ControllerConnection&) = delete;

  // Builds the port (the simulated controller loads its state file when there is one) and the link
  // with its poll running; an error line on failure. The host and the model must outlive close().
  std::optional<std::string> open(const DeviceSource& source, CliLinkHost& host,
                                  config::ConfigModel& model);
  // Ends the link; the simulated controller keeps its configuration memory between commands in
  // its state file. An error line when that file cannot be written.
  std::optional<std::string> close();

  device::DeviceLink& link() { return *link_; }
#ifdef KIVPRISM_HAVE_SIM
  // The simulated controller; nullptr for the USB one.
  sim::SimulatedController* simulated() { return controller_.get(); }
#endif

 private:
  std::optional<std::filesystem::path> simulatorState_;
#ifdef KIVPRISM_HAVE_SIM
  std::unique_ptr<sim::SimulatedController> controller_;
#endif
  std::unique_ptr<device::HidPort> port_;
  std::unique_ptr<device::DeviceLink> link_;
};

}  // namespace kivprism::cli

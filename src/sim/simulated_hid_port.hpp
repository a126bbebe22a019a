// The simulated controller seen through the HidPort seam: what the device link gets from hidapi
// when a real controller is plugged in. The controller must outlive the port.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/device/hid_port.hpp"
#include "sim/simulated_controller.hpp"

namespace kivprism::sim {

class SimulatedHidPort : public device::HidPort {
 public:
  explicit SimulatedHidPort(SimulatedController& controller) : controller_(controller) {}

  // Lists the controller while it is present and its vendor and product id match.
  device::HidResult enumerate(std::uint16_t vendorId, std::uint16_t productId,
                              std::vector<device::HidDeviceInfo>& devices) override;
  // Opens the path enumerate gave for the controller's current connection.
  device::HidResult open(const std::string& path) override;
  void close() override { open_ = false; }
  bool isOpen() const override { return open_; }
  // Both fail with PlatformError once the opened connection is gone (unplug, reset, another
  // controller), as a dead handle does.
  device::HidResult getFeature(device::Report& report) override;
  device::HidResult setFeature(const device::Report& report) override;

  // The path the controller has on its current connection.
  std::string currentPath() const;

 private:
  bool handleAlive();

  SimulatedController& controller_;
  bool open_ = false;
  std::uint32_t openConnection_ = 0;
};

}  // namespace kivprism::sim

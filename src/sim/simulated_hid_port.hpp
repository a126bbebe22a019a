// The simulated controller seen through the HidPort seam: what the device link gets from hidapi
// when a real controller is plugged in. The controller must outlive the port.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/device/hid_port.hpp"
#include "sim/simulated_controller.hpp"

namespace kivprism::sim {

// Another HID interface of a composite controller (keyboard, mouse, touch): it opens, but every
// feature report fails on it.
struct ForeignInterface {
  std::uint16_t usagePage = 0;  // 0: the platform does not tell
  int interfaceNumber = -1;
};

class SimulatedHidPort : public device::HidPort {
 public:
  explicit SimulatedHidPort(SimulatedController& controller) : controller_(controller) {}

  // The controller with its USB functions on: the foreign interfaces are listed before the one
  // that carries the configuration reports, which shows this usage page (0: not told).
  void setComposite(std::vector<ForeignInterface> others,
                    std::uint16_t configurationUsagePage = device::kVendorUsagePageFirst,
                    int configurationInterface = 0);

  // Lists the controller while it is present and its vendor and product id match.
  device::HidResult enumerate(std::uint16_t vendorId, std::uint16_t productId,
                              std::vector<device::HidDeviceInfo>& devices) override;
  // Opens the path enumerate gave for the controller's current connection.
  device::HidResult open(const std::string& path) override;
  void close() override {
    open_ = false;
    foreign_ = false;
  }
  bool isOpen() const override { return open_; }
  // Both fail with PlatformError once the opened connection is gone (unplug, reset, another
  // controller), as a dead handle does.
  device::HidResult getFeature(device::Report& report) override;
  device::HidResult setFeature(const device::Report& report) override;

  // The path the controller has on its current connection.
  std::string currentPath() const;

 private:
  bool handleAlive();

  std::string foreignPath(const ForeignInterface& other) const;

  SimulatedController& controller_;
  std::vector<ForeignInterface> others_;
  std::uint16_t configurationUsagePage_ = device::kVendorUsagePageFirst;
  int configurationInterface_ = 0;
  bool open_ = false;
  bool foreign_ = false;
  std::uint32_t openConnection_ = 0;
};

}  // namespace kivprism::sim

#include "sim/simulated_hid_port.hpp"

#include <algorithm>

namespace kivprism::sim {

std::string SimulatedHidPort::currentPath() const {
  // Like a hidraw node, the path changes when the controller comes back on the bus.
  return "sim:hidraw" + std::to_string(controller_.connection());
}

void SimulatedHidPort::setComposite(std::vector<ForeignInterface> others,
                                    std::uint16_t configurationUsagePage,
                                    int configurationInterface) {
  others_ = std::move(others);
  configurationUsagePage_ = configurationUsagePage;
  configurationInterface_ = configurationInterface;
}

std::string SimulatedHidPort::foreignPath(const ForeignInterface& other) const {
  return currentPath() + ":" + std::to_string(other.interfaceNumber) + ":" +
         std::to_string(other.usagePage);
}

device::HidResult SimulatedHidPort::enumerate(std::uint16_t vendorId, std::uint16_t productId,
                                              std::vector<device::HidDeviceInfo>& devices) {
  devices.clear();
  const UsbIdentity& usb = controller_.usbIdentity();
  if (controller_.isPresent() && usb.vendorId == vendorId && usb.productId == productId) {
    for (const ForeignInterface& other : others_) {
      devices.push_back({foreignPath(other), usb.vendorId, usb.productId, usb.manufacturer,
                         usb.product, other.usagePage, other.interfaceNumber});
    }
    devices.push_back({currentPath(), usb.vendorId, usb.productId, usb.manufacturer, usb.product,
                       configurationUsagePage_, configurationInterface_});
  }
  return device::HidResult::Ok;
}

device::HidResult SimulatedHidPort::open(const std::string& path) {
  open_ = false;
  foreign_ = false;
  if (!controller_.isPresent()) {
    return device::HidResult::PlatformError;
  }
  const bool foreign = std::any_of(others_.begin(), others_.end(),
                                   [&](const auto& other) { return path == foreignPath(other); });
  if (!foreign && path != currentPath()) {
    return device::HidResult::PlatformError;
  }
  open_ = true;
  foreign_ = foreign;
  openConnection_ = controller_.connection();
  return device::HidResult::Ok;
}

bool SimulatedHidPort::handleAlive() {
  return open_ && openConnection_ == controller_.connection();
}

device::HidResult SimulatedHidPort::getFeature(device::Report& report) {
  if (!handleAlive()) {
    return device::HidResult::PlatformError;
  }
  if (foreign_) {
    return device::HidResult::CallFailed;
  }
  return controller_.readAnswer(report);
}

device::HidResult SimulatedHidPort::setFeature(const device::Report& report) {
  if (!handleAlive()) {
    return device::HidResult::PlatformError;
  }
  if (foreign_) {
    return device::HidResult::CallFailed;
  }
  return controller_.receiveRequest(report);
}

}  // namespace kivprism::sim

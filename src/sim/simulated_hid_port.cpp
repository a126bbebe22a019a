#include "sim/simulated_hid_port.hpp"

namespace kivprism::sim {

std::string SimulatedHidPort::currentPath() const {
  // Like a hidraw node, the path changes when the controller comes back on the bus.
  return "sim:hidraw" + std::to_string(controller_.connection());
}

device::HidResult SimulatedHidPort::enumerate(std::uint16_t vendorId, std::uint16_t productId,
                                              std::vector<device::HidDeviceInfo>& devices) {
  devices.clear();
  const UsbIdentity& usb = controller_.usbIdentity();
  if (controller_.isPresent() && usb.vendorId == vendorId && usb.productId == productId) {
    devices.push_back({currentPath(), usb.vendorId, usb.productId, usb.manufacturer, usb.product});
  }
  return device::HidResult::Ok;
}

device::HidResult SimulatedHidPort::open(const std::string& path) {
  open_ = false;
  if (!controller_.isPresent() || path != currentPath()) {
    return device::HidResult::PlatformError;
  }
  open_ = true;
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
  return controller_.readAnswer(report);
}

device::HidResult SimulatedHidPort::setFeature(const device::Report& report) {
  if (!handleAlive()) {
    return device::HidResult::PlatformError;
  }
  return controller_.receiveRequest(report);
}

}  // namespace kivprism::sim

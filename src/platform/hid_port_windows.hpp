// The real HID port on Windows: SetupAPI enumeration of the HID class and the HID class driver's
// calls, behind the device link's HidPort seam. No Qt, so the command-line tool uses it as well as
// the window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/device/hid_port.hpp"

namespace kivprism::platform {

class WindowsHidPort final : public device::HidPort {
 public:
  WindowsHidPort() = default;
  ~WindowsHidPort() override;
  WindowsHidPort(const WindowsHidPort&) = delete;
  WindowsHidPort& operator=(const WindowsHidPort&) = delete;

  // The present HID interfaces with this vendor and product id, with their manufacturer and
  // product strings (nothing where a string could not be read), usage page and interface number.
  // Paths are the interfaces' device paths in UTF-8.
  device::HidResult enumerate(std::uint16_t vendorId, std::uint16_t productId,
                              std::vector<device::HidDeviceInfo>& devices) override;
  // InUse when another program holds the controller without sharing it; AccessDenied when the
  // system refuses this user; PlatformError when the interface is gone or cannot be opened.
  device::HidResult open(const std::string& path) override;
  void close() override;
  bool isOpen() const override { return handle_ != nullptr; }
  // 70-byte feature reports; byte 0 is the report id. A call that the driver does not finish
  // within kCallTimeoutMs is cancelled and fails.
  device::HidResult getFeature(device::Report& report) override;
  device::HidResult setFeature(const device::Report& report) override;

  static constexpr unsigned kCallTimeoutMs = 1000;

 private:
  device::HidResult featureCall(unsigned long code, std::uint8_t* data, unsigned long size,
                                bool answer);

  void* handle_ = nullptr;  // HANDLE, opened for overlapped calls
  std::size_t featureLength_ = device::kReportSize;
};

}  // namespace kivprism::platform

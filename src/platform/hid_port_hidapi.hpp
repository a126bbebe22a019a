// The real HID port: hidapi (the hidraw backend on Linux) behind the device link's HidPort seam.
// No Qt, so the command-line tool uses it as well as the window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/device/hid_port.hpp"

struct hid_device_;

namespace kivprism::platform {

class HidapiPort final : public device::HidPort {
 public:
  HidapiPort() = default;
  ~HidapiPort() override;
  HidapiPort(const HidapiPort&) = delete;
  HidapiPort& operator=(const HidapiPort&) = delete;

  // "hidapi" and the version of the library loaded at run time.
  std::string libraryVersion() const override;

  // The HID interfaces with this vendor and product id, with their manufacturer and product
  // strings as the device reports them (nothing where a string could not be read).
  device::HidResult enumerate(std::uint16_t vendorId, std::uint16_t productId,
                              std::vector<device::HidDeviceInfo>& devices) override;
  // AccessDenied when the system refuses to open the interface for reading and writing (on Linux
  // usually a missing udev rule); PlatformError when it is gone or cannot be opened otherwise.
  device::HidResult open(const std::string& path) override;
  void close() override;
  bool isOpen() const override { return device_ != nullptr; }
  // 70-byte feature reports; byte 0 is the report id. A short answer is padded with zeros.
  device::HidResult getFeature(device::Report& report) override;
  device::HidResult setFeature(const device::Report& report) override;

 private:
  hid_device_* device_ = nullptr;
};

}  // namespace kivprism::platform

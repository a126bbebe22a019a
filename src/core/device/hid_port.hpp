// The seam between the device link and the operating system's HID access. The hidapi port, the
// simulated controller and test fakes implement it; the link never sees which.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kivprism::device {

// Every exchange with the controller is a 70-byte feature report with report id 1.
inline constexpr std::size_t kReportSize = 70;
using Report = std::array<std::uint8_t, kReportSize>;

enum class HidResult {
  Ok,
  CallFailed,     // the call itself reported failure
  PlatformError,  // the platform raised an error (device gone, handle invalid)
  AccessDenied,   // the device exists but the user may not open it (Linux: no udev rule)
  InUse,          // another program holds the device and shares it with nobody (Windows)
};

struct HidDeviceInfo {
  std::string path;
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  // Nothing when reading the string failed.
  std::optional<std::u16string> manufacturer;
  std::optional<std::u16string> product;
  // The top-level usage page of the interface's report descriptor; 0 when the platform does not
  // tell. A composite controller (with its keyboard, mouse or touch functions on) lists several
  // interfaces under the same ids; the configuration reports live on the vendor-defined one.
  std::uint16_t usagePage = 0;
  // The USB interface number; -1 when unknown.
  int interfaceNumber = -1;
};

// Usage pages 0xFF00..0xFFFF are vendor-defined.
inline constexpr std::uint16_t kVendorUsagePageFirst = 0xFF00;

class HidPort {
 public:
  virtual ~HidPort() = default;

  // The present HID interfaces with this vendor and product id.
  virtual HidResult enumerate(std::uint16_t vendorId, std::uint16_t productId,
                              std::vector<HidDeviceInfo>& devices) = 0;
  virtual HidResult open(const std::string& path) = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  // Fills the whole report; byte 0 carries the report id asked for.
  virtual HidResult getFeature(Report& report) = 0;
  virtual HidResult setFeature(const Report& report) = 0;
  // The library the port talks through with its version ("hidapi 0.13.1"), for the About box;
  // empty when there is none, as for the simulated controller.
  virtual std::string libraryVersion() const { return {}; }
};

}  // namespace kivprism::device

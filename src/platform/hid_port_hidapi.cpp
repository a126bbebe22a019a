#include "platform/hid_port_hidapi.hpp"

#include "platform/hid_port.hpp"

#include <hidapi.h>

#include <algorithm>
#include <cerrno>
#include <cwchar>
#include <optional>

#ifdef __linux__
#include <unistd.h>
#endif

namespace kivprism::platform {
namespace {

using device::HidResult;

// hidapi wants one hid_init per process before anything else; it is never undone, since the
// program talks to the controller until it exits.
bool hidapiReady() {
  static const bool ready = hid_init() == 0;
  return ready;
}

// hidapi hands out wchar_t text: UTF-32 on Linux and macOS, UTF-16 on Windows.
std::optional<std::u16string> toUtf16(const wchar_t* text) {
  if (text == nullptr) {
    return std::nullopt;
  }
  std::u16string out;
  for (const wchar_t* p = text; *p != L'\0'; ++p) {
    const auto c = static_cast<std::uint32_t>(*p);
    if (sizeof(wchar_t) == 4 && c > 0xFFFF) {
      const std::uint32_t v = c - 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

// The device has left the bus (as opposed to the call being refused).
bool deviceGone(int error) {
  return error == ENODEV || error == ENXIO || error == ENOENT || error == ESHUTDOWN;
}

HidResult failure(int error) {
  return deviceGone(error) ? HidResult::PlatformError : HidResult::CallFailed;
}

bool accessRefused(const std::string& path, int openError) {
  if (openError == EACCES || openError == EPERM) {
    return true;
  }
#ifdef __linux__
  // hidapi may not keep errno from its open(); ask the file system directly.
  errno = 0;
  return ::access(path.c_str(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM);
#else
  (void)path;
  return false;
#endif
}

}  // namespace

std::unique_ptr<device::HidPort> makeSystemHidPort() { return std::make_unique<HidapiPort>(); }

HidapiPort::~HidapiPort() { close(); }

std::string HidapiPort::libraryVersion() const {
  // hid_version_str() reads a constant of the library, so it needs no hid_init().
  return std::string("hidapi ") + hid_version_str();
}

HidResult HidapiPort::enumerate(std::uint16_t vendorId, std::uint16_t productId,
                                std::vector<device::HidDeviceInfo>& devices) {
  devices.clear();
  if (!hidapiReady()) {
    return HidResult::PlatformError;
  }
  hid_device_info* list = hid_enumerate(vendorId, productId);
  for (const hid_device_info* d = list; d != nullptr; d = d->next) {
    devices.push_back({d->path != nullptr ? d->path : "", d->vendor_id, d->product_id,
                       toUtf16(d->manufacturer_string), toUtf16(d->product_string), d->usage_page,
                       d->interface_number});
  }
  hid_free_enumeration(list);
  return HidResult::Ok;
}

HidResult HidapiPort::open(const std::string& path) {
  close();
  if (!hidapiReady()) {
    return HidResult::PlatformError;
  }
  errno = 0;
  device_ = hid_open_path(path.c_str());
  if (device_ == nullptr) {
    const int error = errno;
    return accessRefused(path, error) ? HidResult::AccessDenied : HidResult::PlatformError;
  }
  return HidResult::Ok;
}

void HidapiPort::close() {
  if (device_ != nullptr) {
    hid_close(device_);
    device_ = nullptr;
  }
}

HidResult HidapiPort::getFeature(device::Report& report) {
  if (device_ == nullptr) {
    return HidResult::PlatformError;
  }
  device::Report buffer{};
  buffer[0] = report[0];
  errno = 0;
  const int n = hid_get_feature_report(device_, buffer.data(), buffer.size());
  if (n < 0) {
    return failure(errno);
  }
  // The count includes the report id on hidraw and may differ by one elsewhere; whatever the
  // device did not fill stays zero, which reads as "no answer yet".
  const auto filled = std::min<std::size_t>(static_cast<std::size_t>(n), buffer.size());
  std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(std::max<std::size_t>(filled, 1)),
            buffer.end(), std::uint8_t{0});
  report = buffer;
  return HidResult::Ok;
}

HidResult HidapiPort::setFeature(const device::Report& report) {
  if (device_ == nullptr) {
    return HidResult::PlatformError;
  }
  errno = 0;
  if (hid_send_feature_report(device_, report.data(), report.size()) < 0) {
    return failure(errno);
  }
  return HidResult::Ok;
}

}  // namespace kivprism::platform

// The Win32 HID API: SetupAPI lists the interfaces of the HID class, the HID class driver's
// calls read their identity, and the feature reports go through overlapped device calls so that a
// controller that stops answering cannot hang the program.
#if defined(_WIN32)

#include "platform/hid_port_windows.hpp"

#include <windows.h>
#include <winioctl.h>

// The HID headers after windows.h, which they build on; MinGW's declare C functions without
// saying so.
extern "C" {
#include <hidclass.h>
#include <hidsdi.h>
#include <setupapi.h>
}

#include <algorithm>
#include <cwctype>
#include <optional>

#include "platform/hid_port.hpp"
#include "platform/wide_text.hpp"

namespace kivprism::platform {
namespace {

using device::HidResult;

struct Handle {
  HANDLE h;
  explicit Handle(HANDLE handle) : h(handle) {}
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
    }
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
};

// The HID class driver's string calls take a byte count; 126 characters is the USB limit.
constexpr ULONG kStringBytes = 127 * sizeof(wchar_t);

std::optional<std::u16string> readString(HANDLE device,
                                         BOOLEAN(__stdcall* call)(HANDLE, PVOID, ULONG)) {
  wchar_t text[kStringBytes / sizeof(wchar_t) + 1] = {};
  if (!call(device, text, kStringBytes)) {
    return std::nullopt;
  }
  std::u16string out;
  for (const wchar_t* p = text; *p != L'\0'; ++p) {
    out.push_back(static_cast<char16_t>(*p));
  }
  return out;
}

// "...&mi_02#..." in a composite device's interface path; -1 when the device has one interface.
int interfaceNumberOf(const std::wstring& path) {
  std::wstring lower(path);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
  const std::size_t at = lower.find(L"&mi_");
  if (at == std::wstring::npos || at + 6 > lower.size()) {
    return -1;
  }
  const std::wstring digits = lower.substr(at + 4, 2);
  wchar_t* end = nullptr;
  const long n = std::wcstol(digits.c_str(), &end, 16);
  return end == digits.c_str() + 2 ? static_cast<int>(n) : -1;
}

struct Capabilities {
  std::uint16_t usagePage = 0;
  std::size_t featureLength = 0;
};

Capabilities capabilitiesOf(HANDLE device) {
  Capabilities out;
  PHIDP_PREPARSED_DATA data = nullptr;
  if (HidD_GetPreparsedData(device, &data)) {
    HIDP_CAPS caps{};
    if (HidP_GetCaps(data, &caps) == HIDP_STATUS_SUCCESS) {
      out.usagePage = caps.UsagePage;
      out.featureLength = caps.FeatureReportByteLength;
    }
    HidD_FreePreparsedData(data);
  }
  return out;
}

// Opened for the identity only: no access rights, so a controller held by another program still
// shows up in the list.
HANDLE openForQuery(const std::wstring& path) {
  return CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                     nullptr);
}

// The device has left the bus (as opposed to the call being refused).
bool deviceGone(DWORD error) {
  return error == ERROR_DEVICE_NOT_CONNECTED || error == ERROR_FILE_NOT_FOUND ||
         error == ERROR_INVALID_HANDLE || error == ERROR_BAD_COMMAND ||
         error == ERROR_DEV_NOT_EXIST || error == ERROR_OPERATION_ABORTED;
}

}  // namespace

std::unique_ptr<device::HidPort> makeSystemHidPort() { return std::make_unique<WindowsHidPort>(); }

WindowsHidPort::~WindowsHidPort() { close(); }

HidResult WindowsHidPort::enumerate(std::uint16_t vendorId, std::uint16_t productId,
                                    std::vector<device::HidDeviceInfo>& devices) {
  devices.clear();
  GUID hidClass{};
  HidD_GetHidGuid(&hidClass);
  HDEVINFO set =
      SetupDiGetClassDevsW(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) {
    return HidResult::PlatformError;
  }
  SP_DEVICE_INTERFACE_DATA item{};
  item.cbSize = sizeof item;
  for (DWORD index = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &hidClass, index, &item);
       ++index) {
    DWORD needed = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &item, nullptr, 0, &needed, nullptr);
    if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
      continue;
    }
    std::vector<std::uint8_t> buffer(needed);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set, &item, detail, needed, nullptr, nullptr)) {
      continue;
    }
    const std::wstring path = detail->DevicePath;
    Handle device(openForQuery(path));
    if (device.h == INVALID_HANDLE_VALUE) {
      continue;
    }
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (!HidD_GetAttributes(device.h, &attributes) || attributes.VendorID != vendorId ||
        attributes.ProductID != productId) {
      continue;
    }
    const Capabilities caps = capabilitiesOf(device.h);
    devices.push_back({narrow(path), attributes.VendorID, attributes.ProductID,
                       readString(device.h, HidD_GetManufacturerString),
                       readString(device.h, HidD_GetProductString), caps.usagePage,
                       interfaceNumberOf(path)});
  }
  SetupDiDestroyDeviceInfoList(set);
  return HidResult::Ok;
}

HidResult WindowsHidPort::open(const std::string& path) {
  close();
  // Shared access: the system's own HID users (and a second reader) keep the interface open too.
  HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OVERLAPPED, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION) {
      return HidResult::InUse;
    }
    return error == ERROR_ACCESS_DENIED ? HidResult::AccessDenied : HidResult::PlatformError;
  }
  handle_ = h;
  featureLength_ = std::max(device::kReportSize, capabilitiesOf(h).featureLength);
  return HidResult::Ok;
}

void WindowsHidPort::close() {
  if (handle_ != nullptr) {
    CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
  }
}

HidResult WindowsHidPort::featureCall(unsigned long code, std::uint8_t* data, unsigned long size,
                                      bool answer) {
  const auto h = static_cast<HANDLE>(handle_);
  OVERLAPPED pending{};
  Handle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (done.h == nullptr) {
    done.h = INVALID_HANDLE_VALUE;
    return HidResult::CallFailed;
  }
  pending.hEvent = done.h;
  DWORD bytes = 0;
  // Both directions hand the report to the driver; a get also receives it back in place.
  BOOL ok = DeviceIoControl(h, code, data, size, answer ? data : nullptr, answer ? size : 0, &bytes,
                            &pending);
  DWORD error = ok ? ERROR_SUCCESS : GetLastError();
  if (!ok && error == ERROR_IO_PENDING) {
    if (WaitForSingleObject(done.h, kCallTimeoutMs) != WAIT_OBJECT_0) {
      CancelIoEx(h, &pending);
      GetOverlappedResult(h, &pending, &bytes, TRUE);
      return HidResult::CallFailed;
    }
    ok = GetOverlappedResult(h, &pending, &bytes, FALSE);
    error = ok ? ERROR_SUCCESS : GetLastError();
  }
  if (!ok) {
    return deviceGone(error) ? HidResult::PlatformError : HidResult::CallFailed;
  }
  return HidResult::Ok;
}

HidResult WindowsHidPort::getFeature(device::Report& report) {
  if (handle_ == nullptr) {
    return HidResult::PlatformError;
  }
  std::vector<std::uint8_t> buffer(featureLength_, 0);
  buffer[0] = report[0];
  const HidResult result =
      featureCall(IOCTL_HID_GET_FEATURE, buffer.data(), static_cast<ULONG>(buffer.size()), true);
  if (result == HidResult::Ok) {
    std::copy_n(buffer.begin(), report.size(), report.begin());
  }
  return result;
}

HidResult WindowsHidPort::setFeature(const device::Report& report) {
  if (handle_ == nullptr) {
    return HidResult::PlatformError;
  }
  std::vector<std::uint8_t> buffer(featureLength_, 0);
  std::copy(report.begin(), report.end(), buffer.begin());
  return featureCall(IOCTL_HID_SET_FEATURE, buffer.data(), static_cast<ULONG>(buffer.size()),
                     false);
}

}  // namespace kivprism::platform

#endif

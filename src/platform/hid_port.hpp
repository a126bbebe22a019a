// The real HID port of this system: hidapi on Linux and macOS, the Win32 HID API on Windows.
#pragma once

#include <memory>

#include "core/device/hid_port.hpp"

namespace kivprism::platform {

std::unique_ptr<device::HidPort> makeSystemHidPort();

}  // namespace kivprism::platform

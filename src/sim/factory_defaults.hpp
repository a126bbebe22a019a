// What a new controller holds: its factory configuration and its identity.
#pragma once

#include <cstdint>
#include <string>

#include "core/config/image.hpp"

namespace kivprism::sim {

// The configuration a controller ships with and returns to on "restore defaults": 1000 ms long
// press, three named keys on key channel 1 with the levels learning would give them, touch mode 1,
// the differential bus as plain CAN, source names, and three example rules (two keys and an IR code
// to media keys) so that a fresh simulated controller shows something in every view.
config::ConfigImage factoryConfiguration();

// The identity the device information record carries (versions are times 100: 140 is 1.40).
struct DeviceIdentity {
  std::uint32_t applicationVersion = 140;
  std::uint32_t serialNumber = 4010001;
  std::uint32_t loaderVersion = 105;
  std::uint32_t deviceType = 0x0401;
  std::string name = "KIVSOLANPRISM-F401";
};

}  // namespace kivprism::sim

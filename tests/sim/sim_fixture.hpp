// A simulated controller on a manual clock, opened through its HID port, with a bare exchange that
// sends one request and polls for the answer the way the device link does.
#pragma once

#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "core/device/packet.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"

namespace kivprism::sim::test {

class SimFixture : public ::testing::Test {
 protected:
  SimFixture() { reopen(); }

  // Enumerates the controller and opens it; false when it is not on the bus.
  bool reopen() {
    std::vector<device::HidDeviceInfo> found;
    port.enumerate(0xFFFF, controller.usbIdentity().productId, found);
    return !found.empty() && port.open(found.front().path) == device::HidResult::Ok;
  }

  // The answer, or an empty report after maxReads reads with CMD 0.
  device::Report exchange(const device::Report& request, int maxReads = 16) {
    EXPECT_EQ(port.setFeature(request), device::HidResult::Ok);
    device::Report answer{};
    for (int i = 0; i < maxReads; ++i) {
      answer.fill(0);
      answer[0] = device::kReportId;
      EXPECT_EQ(port.getFeature(answer), device::HidResult::Ok);
      if (device::packetCmd(answer) != device::kAnswerNotYet) {
        break;
      }
    }
    return answer;
  }
  device::Report read(std::uint8_t area, std::uint16_t offset) {
    return exchange(device::makeReadRequest(area, offset));
  }
  device::Report write(std::uint8_t area, std::uint16_t offset,
                       std::span<const std::uint8_t> data = {}) {
    return exchange(device::makeWriteRequest(area, offset, data));
  }
  static std::vector<std::uint8_t> dataOf(const device::Report& answer) {
    const auto d = device::packetData(answer);
    return {d.begin(), d.end()};
  }

  ManualClock clock;
  SimulatedController controller{clock.function()};
  SimulatedHidPort port{controller};
};

}  // namespace kivprism::sim::test

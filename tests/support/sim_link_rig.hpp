// The device link on the simulated controller, for core tests: the fake host's clock is the
// controller's, and every USB report call takes a millisecond of it, so time-outs come to an end.
#pragma once

#include <cstdint>
#include <vector>

#include "core/config/image.hpp"
#include "core/device/device_link.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/fake_link_host.hpp"

namespace kivprism::testing {

class SimLinkRig {
 public:
  SimLinkRig() {
    controller.setReportCallHook([this] { host.now += 1; });
    host.attach(link);
    link.resumePoll();
  }

  // One poll tick, after the ticks the link holds traffic off for; what pollTick returned.
  bool tick() {
    while (link.trafficHoldOff() > 0) {
      link.pollTick();
    }
    return link.pollTick();
  }

  FakeLinkHost host;
  sim::SimulatedController controller{options()};
  sim::SimulatedHidPort port{controller};
  config::ConfigModel model;
  device::DeviceLink link{port, host, model};

 private:
  sim::SimulatedControllerOptions options() {
    sim::SimulatedControllerOptions o;
    o.clock = [this] { return host.now; };
    return o;
  }
};

}  // namespace kivprism::testing

// The simulated controller's own share of an exchange (one set-feature, one get-feature), so that
// the link's figures over it can be read as the program's cost: a 64-byte configuration read, a
// 64-byte configuration write, and a CAN-log drain while records are generated at 1000 per second.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/device/packet.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"

namespace {

using namespace kivprism;

struct Far {
  sim::ManualClock clock;
  sim::SimulatedController controller{clock.function()};
  sim::SimulatedHidPort port{controller};

  Far() {
    std::vector<device::HidDeviceInfo> found;
    port.enumerate(0xFFFF, controller.usbIdentity().productId, found);
    port.open(found.at(0).path);
  }
  std::uint8_t exchange(const device::Report& request) {
    port.setFeature(request);
    device::Report answer{};
    answer[0] = device::kReportId;
    port.getFeature(answer);
    return device::packetCmd(answer);
  }
};

void BM_SimConfigurationRead(benchmark::State& state) {
  Far f;
  std::uint16_t offset = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        f.exchange(device::makeReadRequest(device::area::kConfiguration, offset)));
    offset = static_cast<std::uint16_t>((offset + 64) % 15168);
  }
}
BENCHMARK(BM_SimConfigurationRead);

void BM_SimConfigurationWrite(benchmark::State& state) {
  Far f;
  const std::vector<std::uint8_t> chunk(64, 0x5A);
  const device::Report request =
      device::makeWriteRequest(device::area::kConfiguration, 1024, chunk);
  for (auto _ : state) {
    benchmark::DoNotOptimize(f.exchange(request));
  }
}
BENCHMARK(BM_SimConfigurationWrite);

void BM_SimCanLogDrain(benchmark::State& state) {
  Far f;
  f.controller.canLog().setRate(1000);
  f.controller.canLog().setMode(1, f.clock.now());
  const device::Report request = device::makeReadRequest(device::area::kCanLog, 0);
  for (auto _ : state) {
    f.clock.advance(3);
    benchmark::DoNotOptimize(f.exchange(request));
  }
}
BENCHMARK(BM_SimCanLogDrain);

}  // namespace

BENCHMARK_MAIN();

// The device link's own cost: whole-image transfers over the simulated controller without any
// simulated latency (per exchange), a change-sending pass over an unchanged image, and a whole
// read with 1 ms per report call, as a full-speed USB link takes, to show what the program adds.
#include <benchmark/benchmark.h>

#include <chrono>

#include "core/device/device_link.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"

namespace {

using namespace kivprism;

constexpr double kExchangesPerImage = 238;

// A host that shows nothing: what remains is the link's own work.
class QuietHost : public device::LinkHost {
 public:
  std::uint32_t tickMs() override {
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
  }
  void processEvents() override {}
  void waitMs(std::uint32_t) override {}
  bool shuttingDown() const override { return false; }
  void setPollTimerEnabled(bool) override {}
  void setPollInterval(std::uint32_t) override {}
  void setStatusText(std::string_view) override {}
  void setSyncText(std::string_view) override {}
  void showProgress(std::size_t, std::size_t) override {}
  void hideProgress() override {}
  void updateToolbar(bool) override {}
  void flashMessage(std::uint32_t, std::uint32_t, std::string_view) override {}
  void showError(std::string_view) override {}
  bool askYesNo(std::string_view) override { return false; }
  bool askQuestion(std::string_view) override { return false; }
  void showInformation(std::string_view) override {}
  bool askContinue(std::string_view) override { return false; }
  void endFlash() override {}
  void suspendPoll() override {}
  void resumePoll() override {}
  void suspendRedraw() override {}
  void resumeRedraw() override {}
};

struct Bench {
  QuietHost host;
  sim::SimulatedController controller;
  sim::SimulatedHidPort port{controller};
  config::ConfigModel model;
  device::DeviceLink link{port, host, model};

  Bench() { link.resumePoll(); }
};

void BM_WholeImageRead(benchmark::State& state) {
  Bench b;
  for (auto _ : state) {
    if (b.link.readConfiguration() != device::status::kOk) {
      state.SkipWithError("read failed");
      break;
    }
  }
  state.counters["per_exchange"] =
      benchmark::Counter(kExchangesPerImage * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_WholeImageRead)->Unit(benchmark::kMicrosecond);

// The transfer of a whole write; the reset that follows it in the program restarts the
// controller and is left out, so the loop can go on.
void BM_WholeImageWrite(benchmark::State& state) {
  Bench b;
  for (auto _ : state) {
    b.link.progressStart(config::ConfigImage::kSize, "write");
    if (b.link.writeAreaRange(device::area::kConfiguration, 0, b.model.working.bytes()) !=
        device::status::kOk) {
      state.SkipWithError("write failed");
      break;
    }
  }
  state.counters["per_exchange"] =
      benchmark::Counter(kExchangesPerImage * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_WholeImageWrite)->Unit(benchmark::kMicrosecond);

void BM_SyncChangesUnchanged(benchmark::State& state) {
  Bench b;
  b.link.setInSync(true);
  for (auto _ : state) {
    b.link.syncChanges();
    benchmark::DoNotOptimize(b.model.device.data());
  }
}
BENCHMARK(BM_SyncChangesUnchanged)->Unit(benchmark::kMicrosecond);

// The sync state every poll tick computes: unchanged, and with one changed byte near the end (the
// worst case of the run count).
void BM_SyncStateUnchanged(benchmark::State& state) {
  Bench b;
  for (auto _ : state) {
    benchmark::DoNotOptimize(b.link.pendingChanges());
  }
}
BENCHMARK(BM_SyncStateUnchanged)->Unit(benchmark::kMicrosecond);

void BM_SyncStateOneChange(benchmark::State& state) {
  Bench b;
  b.model.working.data()[config::ConfigImage::kSize - 2] ^= 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(b.link.pendingChanges());
  }
}
BENCHMARK(BM_SyncStateOneChange)->Unit(benchmark::kMicrosecond);

// Every report call takes at least 1 ms (a spin, so that a sleep's overshoot does not blur the
// figure). overhead_pct is the time spent outside the report calls, as a share of 1 ms per call:
// what the program adds to the link's own time. Time the machine takes away inside a report call
// (other processes) is not charged to the program.
void BM_WholeImageReadAt1MsPerReport(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  Bench b;
  std::uint64_t calls = 0;
  Clock::duration inReports{};
  b.controller.setReportCallHook([&] {
    ++calls;
    const auto begin = Clock::now();
    const auto until = begin + std::chrono::milliseconds(1);
    auto now = begin;
    while (now < until) {
      now = Clock::now();
    }
    inReports += now - begin;
  });
  const auto start = Clock::now();
  for (auto _ : state) {
    if (b.link.readConfiguration() != device::status::kOk) {
      state.SkipWithError("read failed");
      break;
    }
  }
  const auto elapsed = Clock::now() - start;
  const double programMs = std::chrono::duration<double, std::milli>(elapsed - inReports).count();
  const double nominalMs = static_cast<double>(calls);
  state.counters["report_calls"] =
      static_cast<double>(calls) / static_cast<double>(state.iterations());
  state.counters["overhead_pct"] = 100.0 * programMs / nominalMs;
}
BENCHMARK(BM_WholeImageReadAt1MsPerReport)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();

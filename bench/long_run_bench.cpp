// The long run: the simulated controller streams a car's CAN traffic at 3000 records a second and
// monitoring text (a line every 100 ms) for 30 minutes of its time, through the real device link
// into the main window (offscreen). For the first minute the terminal is shown, so every record is
// also echoed there (far beyond its scrollback); then the CAN-log page is shown. The
// controller's clock moves 1 ms per poll tick, the window's poll interval while CAN records wait;
// every 100 ms of that time the CAN-log page publishes its batch, the terminal shows its lines and
// the event loop runs and the window paints, as the window's own timers and a screen refresh would
// do (the ticks themselves run with painting held). Reported: the peak memory, the memory
// after the first and the last five minutes (bounded memory keeps them level), the CAN-log rows and
// terminal lines held at the end, the records delivered, and for the terminal minute and for the
// CAN-log page the longest stall of the user-interface thread (and the simulated second it came
// at) and the 99th percentile of all its pieces of work (one poll tick, or one batch with its
// paint): in thread CPU time, which is what the thread itself spends, and in wall time, which on a
// busy machine also holds the time other processes had the core. KIVPRISM_LONG_RUN_MINUTES shortens
// the run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "core/config/image_layout.hpp"
#include "core/params/bus_modes.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "ui/app/main_window.hpp"
#include "ui/monitor/can_log_page.hpp"
#include "ui/monitor/terminal_page.hpp"

namespace {

using kivprism::sim::ManualClock;
using kivprism::sim::SimulatedController;
using kivprism::sim::SimulatedHidPort;
using kivprism::ui::TMainForm;

constexpr std::uint32_t kRecordsPerSecond = 3000;
constexpr std::uint32_t kBatchMs = 100;
constexpr std::uint32_t kMinuteMs = 60000;
constexpr std::uint32_t kLevelWindowMinutes = 5;
constexpr std::uint32_t kTerminalMinutes = 1;
constexpr std::uint32_t kMonitorLineMs = 100;
// The bus setting that shows the CAN-log page.
constexpr std::uint8_t kBusCan = kivprism::params::kBusCan;

// Resident memory in MiB: the current value or the peak (VmRSS, VmHWM).
double residentMiB(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0) {
      return std::stod(line.substr(std::string(key).size())) / 1024.0;
    }
  }
  return 0;
}

double threadCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) * 1e-6;
}

// The durations of the user-interface thread's pieces of work in one phase of the run, kept as
// histograms of fixed size (so that the run's memory stays level) with the exact longest.
class Stalls {
 public:
  void add(double cpuMs, double wallMs, double atS) {
    cpu_.add(cpuMs, atS);
    wall_.add(wallMs, atS);
  }
  void report(benchmark::State& state, const std::string& phase) const {
    state.counters["longest_stall_" + phase + "_ms"] = cpu_.longest;
    state.counters["longest_stall_" + phase + "_at_s"] = cpu_.longestAtS;
    state.counters["p99_stall_" + phase + "_ms"] = cpu_.percentile(0.99);
    state.counters["longest_stall_" + phase + "_wall_ms"] = wall_.longest;
    state.counters["p99_stall_" + phase + "_wall_ms"] = wall_.percentile(0.99);
  }

 private:
  struct Histogram {
    static constexpr double kBucketMs = 0.01;
    static constexpr std::size_t kBuckets = 100000;  // up to one second
    std::vector<std::uint64_t> counts = std::vector<std::uint64_t>(kBuckets + 1, 0);
    std::uint64_t total = 0;
    double longest = 0;
    double longestAtS = 0;

    void add(double ms, double atS) {
      const auto bucket = static_cast<std::size_t>(std::max(ms, 0.0) / kBucketMs);
      ++counts[std::min(bucket, kBuckets)];
      ++total;
      if (ms > longest) {
        longest = ms;
        longestAtS = atS;
      }
    }
    // The upper edge of the bucket that holds the given share of all pieces.
    double percentile(double share) const {
      const auto wanted = static_cast<std::uint64_t>(share * static_cast<double>(total));
      std::uint64_t seen = 0;
      for (std::size_t b = 0; b <= kBuckets; ++b) {
        seen += counts[b];
        if (seen > wanted) {
          return std::min(static_cast<double>(b + 1) * kBucketMs, longest);
        }
      }
      return longest;
    }
  };
  Histogram cpu_;
  Histogram wall_;
};

std::uint32_t runMinutes() {
  const char* text = std::getenv("KIVPRISM_LONG_RUN_MINUTES");
  const int minutes = text != nullptr ? std::atoi(text) : 30;
  return static_cast<std::uint32_t>(std::max(minutes, 1));
}

void BM_LongRunCanAndMonitoringText(benchmark::State& state) {
  QTemporaryDir dir;
  QFile settings(dir.filePath("kivprism.ini"));
  settings.open(QIODevice::WriteOnly);
  settings.write("[MainSettings]\r\nLang=1\r\n");
  settings.close();

  ManualClock clock;
  SimulatedController controller(clock.function());
  controller.configuration().set(kivprism::config::layout::kDiffBusMode, kBusCan);
  SimulatedHidPort port(controller);
  kivprism::ui::MainWindowOptions options;
  options.settingsPath = settings.fileName();
  options.boxAnswerer = [](unsigned, const QString&, const QString&) { return 1; };
  options.fileAnswerer = [](kivprism::ui::FileChooser, const QString&) { return QString(); };
  TMainForm window(port, options);
  window.startUp();
  window.show();
  // The poll runs from this loop, one tick per simulated millisecond.
  window.shell().pollTimer().stop();
  auto& link = window.link();
  auto tick = [&] {
    clock.advance(1);
    window.shell().pollTimer().stop();
    link.pollTick();
  };
  for (int i = 0; i < 2000 && !link.isConnected(); ++i) {
    tick();
    QApplication::processEvents();
  }
  kivprism::ui::CanLogPage* page = window.pages().canLogPage;
  page->refreshCanLogPage();
  page->CANLOG_BEGINClick();
  controller.canLog().setRate(kRecordsPerSecond);
  auto* tabs = window.findChild<QTabWidget*>("PageControlMain");
  tabs->setCurrentIndex(0);
  kivprism::ui::ReceivedTextView* terminal = window.pages().terminal->receivedView();

  const std::uint32_t minutes = runMinutes();
  const std::uint32_t totalMs = minutes * kMinuteMs;
  std::uint64_t delivered = 0;
  struct Counter : kivprism::device::CanRecordListener {
    std::uint64_t* count;
    void canLogRecord(kivprism::device::CanRecord) override { ++*count; }
  } counter;
  counter.count = &delivered;
  link.addCanRecordListener(counter);

  // The stalls while the terminal echoes every record, and while the CAN-log page shows.
  Stalls terminalStalls;
  Stalls canPageStalls;
  Stalls* stalls = &terminalStalls;
  double rssAfterFirst = 0;
  double rssAtStartOfLast = 0;
  QElapsedTimer wall;
  QElapsedTimer piece;
  for (auto _ : state) {
    wall.start();
    for (std::uint32_t ms = 0; ms < totalMs; ms += kBatchMs) {
      if (ms == kTerminalMinutes * kMinuteMs) {
        tabs->setCurrentWidget(page);
        stalls = &canPageStalls;
      }
      for (std::uint32_t at = 0; at < kBatchMs; at += kMonitorLineMs) {
        controller.scheduleMonitoringText(clock.now() + at, "RX LIN ID:3 EV:91 long run line " +
                                                                std::to_string(ms + at) + "\r\n");
      }
      // Paints wait for the batch, as a screen refresh would gather them.
      window.setUpdatesEnabled(false);
      for (std::uint32_t k = 0; k < kBatchMs; ++k) {
        piece.start();
        const double cpu = threadCpuMs();
        tick();
        stalls->add(threadCpuMs() - cpu, static_cast<double>(piece.nsecsElapsed()) / 1e6,
                    static_cast<double>(ms + k) / 1000.0);
      }
      piece.start();
      const double cpu = threadCpuMs();
      window.setUpdatesEnabled(true);
      page->publish();
      terminal->flush();
      QApplication::processEvents();
      stalls->add(threadCpuMs() - cpu, static_cast<double>(piece.nsecsElapsed()) / 1e6,
                  static_cast<double>(ms + kBatchMs) / 1000.0);
      const std::uint32_t done = ms + kBatchMs;
      if (done == kLevelWindowMinutes * kMinuteMs) {
        rssAfterFirst = residentMiB("VmRSS:");
      }
      if (done == totalMs - kLevelWindowMinutes * kMinuteMs) {
        rssAtStartOfLast = residentMiB("VmRSS:");
      }
    }
  }
  link.removeCanRecordListener(counter);
  state.counters["simulated_minutes"] = minutes;
  state.counters["wall_seconds"] = static_cast<double>(wall.elapsed()) / 1000.0;
  state.counters["records_delivered"] = static_cast<double>(delivered);
  state.counters["records_per_simulated_s"] =
      static_cast<double>(delivered) / (static_cast<double>(totalMs) / 1000.0);
  state.counters["records_dropped_by_controller"] =
      static_cast<double>(controller.canLog().dropped());
  state.counters["peak_rss_mib"] = residentMiB("VmHWM:");
  state.counters["rss_after_5_min_mib"] = rssAfterFirst;
  state.counters["rss_before_last_5_min_mib"] = rssAtStartOfLast;
  state.counters["rss_end_mib"] = residentMiB("VmRSS:");
  state.counters["can_log_rows"] = page->packetModel()->rowCount();
  state.counters["terminal_lines"] = terminal->lineCount();
  terminalStalls.report(state, "terminal");
  canPageStalls.report(state, "can_page");
}
BENCHMARK(BM_LongRunCanAndMonitoringText)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

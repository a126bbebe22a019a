// Cost of the CAN log per record: through the engine alone (with a tab-separated log file), and
// through the page shown offscreen with its batches and paints. The target is 30000 records a
// second with 500 identifiers (ten times what the controller delivers) under half of one core.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <array>
#include <ctime>
#include <filesystem>
#include <span>
#include <vector>

#include "core/canlog/can_log_engine.hpp"
#include "core/canlog/log_writer.hpp"
#include "core/device/packet.hpp"
#include "support/sim_link_rig.hpp"
#include "ui/monitor/can_log_page.hpp"

namespace {

using kivprism::canlog::CanLogEngine;
using kivprism::canlog::CanLogRecord;
using kivprism::ui::CanLogPage;

constexpr std::uint32_t kIdentifiers = 500;
constexpr double kTargetRecordsPerSecond = 30000.0;
// One page batch (100 ms) at the target rate.
constexpr int kRecordsPerBatch = 3000;

double threadCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Traffic of 500 identifiers, half standard and half extended, one byte in four changing.
class Traffic {
 public:
  std::array<std::uint8_t, 17> next() {
    const std::uint32_t i = n_ % kIdentifiers;
    CanLogRecord r;
    r.identifierWord = i % 2 == 0 ? kivprism::canlog::standardWord(i) : 0x18000000 + i;
    r.length = 8;
    for (std::uint8_t k = 0; k < 8; ++k) {
      r.data[k] = static_cast<std::uint8_t>(k * 17 + i);
    }
    r.data[n_ / kIdentifiers % 8] = static_cast<std::uint8_t>(n_ / kIdentifiers);
    r.timeStamp = n_ / 30;
    ++n_;
    std::array<std::uint8_t, 17> bytes{};
    r.encode(bytes);
    return bytes;
  }

 private:
  std::uint32_t n_ = 0;
};

void report(benchmark::State& state, double cpu, double records) {
  const double perRecordUs = cpu / records * 1e6;
  state.counters["cpu_us_per_record"] = perRecordUs;
  state.counters["records_per_cpu_second"] = records / cpu;
  state.counters["core_percent_at_30000_per_s"] =
      perRecordUs * 1e-6 * kTargetRecordsPerSecond * 100;
}

void BM_CanLogEngineWithTabFile(benchmark::State& state) {
  CanLogEngine engine;
  engine.setMode(kivprism::canlog::CanLogMode::ShowAll, 0);
  kivprism::canlog::LogFile file;
  const auto path = std::filesystem::temp_directory_path() / "kivprism_can_log_bench.LOG";
  file.open(path, kivprism::canlog::LogForm::TabSeparated, std::tm{});
  Traffic traffic;
  double cpu = 0;
  std::uint32_t now = 0;
  for (auto _ : state) {
    const double start = threadCpuSeconds();
    for (int i = 0; i < kRecordsPerBatch; ++i) {
      const auto bytes = traffic.next();
      const auto result = engine.canLogIntake(CanLogRecord::decode(bytes), now);
      if (result.shown()) {
        file.write(engine.rows()[result.row]);
      }
    }
    now += 100;
    cpu += threadCpuSeconds() - start;
  }
  file.close();
  std::filesystem::remove(path);
  report(state, cpu, static_cast<double>(state.iterations()) * kRecordsPerBatch);
}
BENCHMARK(BM_CanLogEngineWithTabFile)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

void BM_CanLogPageOffscreen(benchmark::State& state) {
  // The page on the link to the simulated controller, connected and running its CAN log.
  kivprism::testing::SimLinkRig rig;
  for (int i = 0; i < 8 && !rig.link.isConnected(); ++i) {
    rig.tick();
  }
  const std::uint8_t showAll = 1;
  rig.link.writeArea(kivprism::device::area::kCanLog, 0, std::span(&showAll, 1));
  rig.tick();
  CanLogPage::Hooks hooks;
  hooks.chooseLogFile = [](kivprism::canlog::LogForm&) { return QString(); };
  hooks.rememberLogFile = [](const QString&) {};
  hooks.terminalShown = [] { return false; };
  hooks.echo = [](const QString&) {};
  CanLogPage page(rig.host, kivprism::ui::wallClock(), rig.link, std::move(hooks));
  page.resize(900, 700);
  page.show();
  page.CANLOG_BEGINClick();
  Traffic traffic;
  for (std::uint32_t i = 0; i < kIdentifiers; ++i) {
    const auto bytes = traffic.next();
    page.intake(kivprism::device::CanRecord(bytes));
  }
  page.publish();
  // The details of one identifier are open, as a user watching its bytes would have them.
  page.ListViewCANLOGMouseDown(
      Qt::LeftButton, page.packetList()->visualRect(page.packetModel()->index(3, 2)).center());
  QApplication::processEvents();

  double cpu = 0;
  for (auto _ : state) {
    const double start = threadCpuSeconds();
    for (int i = 0; i < kRecordsPerBatch; ++i) {
      const auto bytes = traffic.next();
      page.intake(kivprism::device::CanRecord(bytes));
    }
    // The batch the page's timer would publish, and the paint that follows.
    page.publish();
    QApplication::processEvents();
    cpu += threadCpuSeconds() - start;
  }
  state.counters["rows"] = page.packetModel()->rowCount();
  report(state, cpu, static_cast<double>(state.iterations()) * kRecordsPerBatch);
}
BENCHMARK(BM_CanLogPageOffscreen)->Unit(benchmark::kMicrosecond)->MinTime(3.0);

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

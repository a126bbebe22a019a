// Cost of showing monitoring lines in the terminal view with a full scrollback: the CAN echo can
// bring 3000 lines a second, which must cost well under a fifth of one core.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QString>
#include <ctime>
#include <string>

#include "core/monitor/monitoring_line.hpp"
#include "ui/monitor/terminal_page.hpp"

namespace {

using kivprism::ui::ReceivedTextView;
using kivprism::ui::TerminalPage;

// One poll tick drains up to about 1 KB of monitoring text: some 30 lines of this size.
constexpr int kLinesPerTick = 30;
constexpr double kTargetLinesPerSecond = 3000.0;

double threadCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

std::string sampleLine(int i) {
  switch (i % 3) {
    case 0:
      return "CAN1 RX ID:0x2C1 DLC:8 00 11 22 33 44 55 66 " + std::to_string(i % 100);
    case 1:
      return "RX LIN ID:21 EV:" + std::to_string(i % 92);
    default:
      return " IR  CAN_AUTO  ADR:3 CMD:125 T=" + std::to_string(i);
  }
}

void BM_TerminalAppendFullScrollback(benchmark::State& state) {
  TerminalPage page([] { return 0u; });
  page.resize(720, 420);
  page.show();
  for (int i = 0; i < ReceivedTextView::kScrollbackLines; ++i) {
    page.appendLine(TerminalPage::monitoringColour(), QString::number(i));
  }
  QApplication::processEvents();

  int line = 0;
  double cpu = 0;
  for (auto _ : state) {
    const double start = threadCpuSeconds();
    for (int i = 0; i < kLinesPerTick; ++i) {
      std::string text = sampleLine(line++);
      kivprism::monitor::formatMonitoringLine(text);
      page.appendLine(TerminalPage::monitoringColour(), QString::fromStdString(text));
    }
    // The paint that follows each tick.
    QApplication::processEvents();
    cpu += threadCpuSeconds() - start;
  }
  const double lines = static_cast<double>(state.iterations()) * kLinesPerTick;
  const double perLineUs = cpu / lines * 1e6;
  state.counters["cpu_us_per_line"] = perLineUs;
  state.counters["core_percent_at_3000_lines_per_s"] =
      perLineUs * 1e-6 * kTargetLinesPerSecond * 100;
  state.counters["lines"] = page.receivedView()->lineCount();
}
BENCHMARK(BM_TerminalAppendFullScrollback)->Unit(benchmark::kMicrosecond)->MinTime(3.0);

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

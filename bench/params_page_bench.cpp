// The parameters page refresh with its widgets: a full refresh (derive and apply to every control)
// and a refresh of an unchanged image. Built only where the widget library is.
#include <benchmark/benchmark.h>

#if __has_include("ui/params/parameters_page.hpp")
#include <QApplication>

#include "core/config/image.hpp"
#include "ui/params/parameters_page.hpp"

namespace {

namespace layout = kivprism::config::layout;

void BM_FullRefreshWithWidgets(benchmark::State& state) {
  kivprism::config::ConfigModel model;
  kivprism::ui::params::ParametersPage page(model, {});
  page.resize(720, 513);
  page.show();
  unsigned bus = 0;
  for (auto _ : state) {
    // Alternate between two busy assignments so that every refresh does its full work.
    bus = bus == 2 ? 7 : 2;
    model.working.set(layout::kDiffBusMode, bus);
    model.working.set(layout::kTouchMode, bus == 2 ? 1 : 0);
    model.working.set(layout::kBtNum, bus == 2 ? 1 : 2);
    model.working.set(layout::kLin1Mode, bus == 2 ? 3 : 7);
    page.refresh();
  }
}
BENCHMARK(BM_FullRefreshWithWidgets)->Unit(benchmark::kMillisecond);

void BM_UnchangedRefreshWithWidgets(benchmark::State& state) {
  kivprism::config::ConfigModel model;
  kivprism::ui::params::ParametersPage page(model, {});
  page.show();
  for (auto _ : state) {
    page.refresh();
  }
}
BENCHMARK(BM_UnchangedRefreshWithWidgets)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
#else
BENCHMARK_MAIN();
#endif

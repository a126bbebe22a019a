// A language switch of the whole main window with every page and dialog built: the table walk
// over every form, the program-set texts, and the redraw of the pages and the event/reaction pane
// that the switch asks for (the queued part included). Built only where the widget library is.
#include <benchmark/benchmark.h>

#if __has_include("ui/app/main_window.hpp")
#include <QApplication>
#include <QTemporaryDir>

#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "ui/app/main_window.hpp"

namespace {

void BM_LanguageSwitchWholeWindow(benchmark::State& state) {
  QTemporaryDir dir;
  kivprism::sim::SimulatedController controller;
  kivprism::sim::SimulatedHidPort port(controller);
  kivprism::ui::MainWindowOptions options;
  options.settingsPath = dir.filePath("kivprism.ini");
  options.systemLanguage = "ru-RU";
  kivprism::ui::TMainForm window(port, options);
  window.startUp();
  window.show();
  // No poll during the measurement: only the switch's own work is timed.
  window.shell().pollTimer().stop();
  QApplication::processEvents();
  int language = 0;
  for (auto _ : state) {
    language = 1 - language;
    window.language().applyLanguage(language);
    QApplication::processEvents();
  }
}
BENCHMARK(BM_LanguageSwitchWholeWindow)->Unit(benchmark::kMillisecond);

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

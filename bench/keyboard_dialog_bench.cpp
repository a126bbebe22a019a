// Opening the keyboard usage dialog: constructing it with its 104 key panels, 19 consumer buttons
// and 8 system-control panels and showing it on an entry until its first paint; the first run in
// the process (cold: fonts, styles) and the steady figure. Also one click with the redisplay.
#include <benchmark/benchmark.h>

#if __has_include("ui/dialogs/keyboard_dialog.hpp")
#include <QApplication>
#include <QLabel>

#include "core/config/image.hpp"
#include "core/config/image_layout.hpp"
#include "ui/dialogs/keyboard_dialog.hpp"

namespace {

using kivprism::ui::dialogs::TFormKeyBoard;

kivprism::config::ConfigImage keyboardImage() {
  kivprism::config::ConfigImage image;
  image.set(kivprism::config::layout::kPidSupport, 0x000E);
  return image;
}

void openOnce(kivprism::config::ConfigImage& image) {
  TFormKeyBoard dialog(image);
  dialog.openKeyboardDialog(1);
  dialog.repaint();
  QCoreApplication::processEvents();
  benchmark::DoNotOptimize(dialog.isVisible());
}

void BM_OpenKeyboardDialogCold(benchmark::State& state) {
  auto image = keyboardImage();
  for (auto _ : state) {
    openOnce(image);
  }
}
BENCHMARK(BM_OpenKeyboardDialogCold)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_OpenKeyboardDialog(benchmark::State& state) {
  auto image = keyboardImage();
  for (auto _ : state) {
    openOnce(image);
  }
}
BENCHMARK(BM_OpenKeyboardDialog)->Unit(benchmark::kMillisecond);

void BM_KeyClickWithRedisplay(benchmark::State& state) {
  auto image = keyboardImage();
  TFormKeyBoard dialog(image);
  dialog.openKeyboardDialog(1);
  auto* key = dialog.findChild<QLabel*>("PanelKey4x");
  for (auto _ : state) {
    dialog.PanelKey59xClick(key);
  }
}
BENCHMARK(BM_KeyClickWithRedisplay)->Unit(benchmark::kMicrosecond);

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

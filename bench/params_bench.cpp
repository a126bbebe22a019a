// The parameters page refresh: deriving the whole view from an image, and a refresh of an image
// that did not change (only the change hash is computed).
#include <benchmark/benchmark.h>

#include "core/config/image.hpp"
#include "core/params/derive.hpp"
#include "core/params/refresh.hpp"

namespace {

namespace layout = kivprism::config::layout;
using kivprism::config::ConfigImage;

// A busy configuration: several owners, a bus page, LIN devices and source names.
ConfigImage busyImage() {
  ConfigImage image;
  image.set(layout::kTouchMode, 1);
  image.set(layout::kIrInpNum, 8);
  image.set(layout::kEnc0Mode, 7);
  image.set(layout::kBtNum, 1);
  image.set(layout::kDiffBusMode, 7);
  image.set(layout::kIebusModeBits, 0x0022);
  image.set(layout::kLin1Mode, 3);
  image.set(layout::kLin2Mode, 4);
  image.set(layout::kUseName, 1);
  image.set(layout::kPidSupport, 0x27);
  return image;
}

void BM_DerivePage(benchmark::State& state) {
  ConfigImage image = busyImage();
  for (auto _ : state) {
    auto view = kivprism::params::derivePage(image, kivprism::lang::Language::Russian);
    benchmark::DoNotOptimize(view);
  }
}
BENCHMARK(BM_DerivePage)->Unit(benchmark::kMicrosecond);

// The corrections of a refresh, with the comparison that reports the runs they changed.
void BM_NormalisePage(benchmark::State& state) {
  ConfigImage image = busyImage();
  for (auto _ : state) {
    auto runs = kivprism::params::normalisePage(image);
    benchmark::DoNotOptimize(runs);
  }
}
BENCHMARK(BM_NormalisePage)->Unit(benchmark::kMicrosecond);

void BM_RefreshUnchanged(benchmark::State& state) {
  ConfigImage image = busyImage();
  kivprism::params::PageRefresher refresher;
  refresher.refresh(image, kivprism::lang::Language::Russian);
  for (auto _ : state) {
    auto view = refresher.refresh(image, kivprism::lang::Language::Russian);
    benchmark::DoNotOptimize(view);
  }
}
BENCHMARK(BM_RefreshUnchanged)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

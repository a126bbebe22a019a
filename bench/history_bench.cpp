// An undo or a redo must take well under 2 ms before the pages redraw: the history hands back the
// runs of the step and they are written into the working image. The worst step rewrites the whole
// image (a file opened, a whole read); the common one changes a field. Recording a step compares
// the image with the one before, which every user action pays once.
#include <benchmark/benchmark.h>

#include <random>

#include "core/config/image.hpp"
#include "core/history/change_history.hpp"

namespace {

using namespace kivprism;

config::ConfigImage randomImage(std::uint32_t seed) {
  config::ConfigImage image;
  std::mt19937 random(seed);
  for (auto& b : image.bytes()) {
    b = static_cast<std::uint8_t>(random());
  }
  return image;
}

// A full history (the step limit) of whole-image steps or one-field steps.
history::ChangeHistory fullHistory(bool wholeImages, config::ConfigImage& image) {
  history::ChangeHistory h;
  image = randomImage(1);
  for (std::size_t i = 0; i < history::ChangeHistory::kMaxSteps; ++i) {
    config::ConfigImage next = wholeImages ? randomImage(static_cast<std::uint32_t>(i + 2)) : image;
    if (!wholeImages) {
      next.data()[(i * 7919) % config::ConfigImage::kSize] ^= 0x5A;
      next.data()[(i * 7919 + 1) % config::ConfigImage::kSize] ^= 0x01;
    }
    h.record({"Step", "Step"}, image, next);
    image = next;
  }
  return h;
}

// One undo and one redo, each applied to the working image: the time per iteration is two steps.
void undoRedo(benchmark::State& state, bool wholeImages) {
  config::ConfigImage image;
  history::ChangeHistory h = fullHistory(wholeImages, image);
  for (auto _ : state) {
    h.undo()->applyTo(image);
    h.redo()->applyTo(image);
    benchmark::DoNotOptimize(image.data());
  }
  state.SetItemsProcessed(state.iterations() * 2);
  // Seconds per undo or redo (printed with its prefix: "u" is microseconds); the target is 2 ms.
  state.counters["per_step"] = benchmark::Counter(
      2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_UndoRedoWholeImageStep(benchmark::State& state) { undoRedo(state, true); }
BENCHMARK(BM_UndoRedoWholeImageStep)->Unit(benchmark::kMicrosecond);

void BM_UndoRedoFieldStep(benchmark::State& state) { undoRedo(state, false); }
BENCHMARK(BM_UndoRedoFieldStep)->Unit(benchmark::kMicrosecond);

// Recording a field edit into a full history: the comparison of the two images and the oldest step
// dropped.
void BM_RecordFieldStep(benchmark::State& state) {
  config::ConfigImage image;
  history::ChangeHistory h = fullHistory(false, image);
  std::size_t i = 0;
  for (auto _ : state) {
    config::ConfigImage next = image;
    next.data()[(++i * 31) % config::ConfigImage::kSize] ^= 0x11;
    h.record({"Step", "Step"}, image, next);
    image = next;
  }
}
BENCHMARK(BM_RecordFieldStep)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

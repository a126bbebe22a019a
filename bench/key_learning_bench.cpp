// The arithmetic of one whole key learning: the quiet phase, 600 key-phase steps with a key held
// on every channel (fifteen keys each, so that every slot search runs through a full channel and
// the grid shows each press), and the tolerances and reference levels at the end. The target is
// well under 1 ms for the whole, next to the 100 ms every step waits anyway.
#include <benchmark/benchmark.h>

#include "core/config/image.hpp"
#include "core/keys/key_rules.hpp"
#include "core/keys/keys_grid.hpp"

namespace {

using kivprism::config::ConfigImage;
namespace keys = kivprism::keys;

constexpr unsigned kSteps = keys::kKeyPhaseLimitSteps;

void BM_LearningSixHundredSteps(benchmark::State& state) {
  for (auto _ : state) {
    ConfigImage image;
    keys::KeysGrid grid;
    grid.fill(image);
    keys::LearningSession session;
    for (unsigned i = 0; i < keys::kQuietReadings; ++i) {
      session.quietReading({4000, 3900, 3800, 3700});
    }
    session.startKeyPhase();
    for (unsigned step = 0; step < kSteps; ++step) {
      keys::ChannelLevels levels{};
      for (std::size_t c = 0; c < keys::kChannels; ++c) {
        // Sixteen levels per channel, 200 apart: the sixteenth is refused once the channel is
        // full.
        levels[c] = static_cast<std::uint16_t>(200 + 200 * ((step + c) % 16) + step % 7);
      }
      const auto taken = session.keyReading(image, levels);
      for (std::size_t c = 0; c < keys::kChannels; ++c) {
        if (taken[c] != 0) {
          grid.showPressedKey(image, c, taken[c]);
        }
      }
    }
    session.finish(image);
    benchmark::DoNotOptimize(image);
  }
}
BENCHMARK(BM_LearningSixHundredSteps)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

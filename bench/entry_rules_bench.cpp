// The editor applies the consistency rules and hashes the shown entry on every refresh; the whole
// table must stay far below a frame even when a file brings 100 broken entries.
#include <benchmark/benchmark.h>

#include <random>

#include "core/config/image.hpp"
#include "core/events/consistency.hpp"
#include "core/events/entry.hpp"

namespace {

using namespace kivprism;

config::ConfigImage randomTable() {
  config::ConfigImage image;
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(0, 255);
  for (std::size_t n = events::kFirstEntryNumber; n <= events::kLastEntryNumber; ++n) {
    auto e = events::entryAt(image, n);
    for (auto& b : e) {
      b = static_cast<std::uint8_t>(byte(random));
    }
    e[16] = static_cast<std::uint8_t>(n % 27);
    e[80] = static_cast<std::uint8_t>(n % 31);
  }
  return image;
}

// Repairing every entry of a table as a file or the controller delivers it.
void BM_RulesOnBrokenTable(benchmark::State& state) {
  const config::ConfigImage broken = randomTable();
  const events::EntryContext context{250, 400, 120, 10};
  for (auto _ : state) {
    config::ConfigImage image = broken;
    for (std::size_t n = events::kFirstEntryNumber; n <= events::kLastEntryNumber; ++n) {
      benchmark::DoNotOptimize(events::applyConsistencyRules(events::entryAt(image, n), context));
    }
  }
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_RulesOnBrokenTable);

// The steady state of refreshes: rules on consistent entries, plus the entry hash.
void BM_RefreshOfConsistentEntry(benchmark::State& state) {
  config::ConfigImage image = randomTable();
  const events::EntryContext context{250, 400, 120, 10};
  for (std::size_t n = events::kFirstEntryNumber; n <= events::kLastEntryNumber; ++n) {
    events::applyConsistencyRules(events::entryAt(image, n), context);
  }
  std::size_t n = 0;
  for (auto _ : state) {
    auto e = events::entryAt(image, n % 100 + 1);
    benchmark::DoNotOptimize(events::applyConsistencyRules(e, context));
    benchmark::DoNotOptimize(events::entryHash(e));
    ++n;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RefreshOfConsistentEntry);

}  // namespace

BENCHMARK_MAIN();

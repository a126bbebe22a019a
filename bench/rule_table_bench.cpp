// The rules table redraws all 100 rows after a file is opened or the language switches (target
// under 5 ms), one row after each edit (under 0.5 ms), and the comparison of two configurations
// runs for the command-line tool and the window (under 5 ms); the window catches up with one edit
// and the clipboard carries all 100 rules there and back. Every entry is used and consistent,
// with a mix of types, so the words, the marks and the same-event search all do their full work.
#include <benchmark/benchmark.h>

#include <random>

#include "core/config/image.hpp"
#include "core/events/consistency.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_operations.hpp"
#include "core/summary/config_diff.hpp"
#include "core/summary/rule_clipboard.hpp"
#include "core/summary/rule_operations.hpp"
#include "core/summary/rule_table.hpp"

namespace {

using namespace kivprism;

config::ConfigImage fullTable(unsigned seed) {
  config::ConfigImage image;
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> byte(0, 255);
  const events::EntryContext context = events::entryContextOf(image);
  for (std::size_t n = events::kFirstEntryNumber; n <= events::kLastEntryNumber; ++n) {
    auto e = events::entryAt(image, n);
    for (auto& b : e) {
      b = static_cast<std::uint8_t>(byte(random));
    }
    e[events::entry::kEventType.offset] = static_cast<std::uint8_t>(n % events::kEventTypeCount);
    e[events::entry::kReactionType.offset] =
        static_cast<std::uint8_t>(n % events::kReactionTypeCount);
    events::applyConsistencyRules(e, context);
  }
  return image;
}

void BM_RebuildAllRows(benchmark::State& state) {
  const config::ConfigImage image = fullTable(7);
  summary::RuleTable table;
  for (auto _ : state) {
    table.rebuild(image, lang::Language::English);
    benchmark::DoNotOptimize(table.rows().data());
  }
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_RebuildAllRows)->Unit(benchmark::kMillisecond);

void BM_RebuildOneRow(benchmark::State& state) {
  config::ConfigImage image = fullTable(7);
  summary::RuleTable table;
  table.rebuild(image, lang::Language::Russian);
  std::size_t n = 0;
  for (auto _ : state) {
    const std::size_t entry = n % 100 + 1;
    events::set(events::entryAt(image, entry), events::entry::kPressKind,
                static_cast<std::uint8_t>(n % 4));
    table.rebuildRow(image, entry);
    benchmark::DoNotOptimize(table.row(entry).event.data());
    ++n;
  }
}
BENCHMARK(BM_RebuildOneRow)->Unit(benchmark::kMicrosecond);

void BM_FilterAllRows(benchmark::State& state) {
  summary::RuleTable table;
  table.rebuild(fullTable(7), lang::Language::Russian);
  for (auto _ : state) {
    benchmark::DoNotOptimize(table.visibleEntries("кнопка", true));
  }
}
BENCHMARK(BM_FilterAllRows)->Unit(benchmark::kMicrosecond);

// What the window's table does after each edit: find the changed entry by comparing the image
// with the one it showed, then rebuild that row (target under 0.5 ms, like one row).
void BM_CatchUpWithOneEdit(benchmark::State& state) {
  config::ConfigImage image = fullTable(7);
  config::ConfigImage shown = image;
  summary::RuleTable table;
  table.rebuild(image, lang::Language::Russian);
  std::size_t n = 0;
  for (auto _ : state) {
    const std::size_t entry = n % 100 + 1;
    events::set(events::entryAt(image, entry), events::entry::kPressKind,
                static_cast<std::uint8_t>(n / 100 % 4));  // a change on every pass
    for (const std::size_t changed : summary::differenceOf(shown, image).entries) {
      table.rebuildRow(image, changed);
    }
    shown = image;
    ++n;
  }
}
BENCHMARK(BM_CatchUpWithOneEdit)->Unit(benchmark::kMicrosecond);

// Copy of all 100 rules to the clipboard text, and its paste back.
void BM_ClipboardRoundTripOfAllRules(benchmark::State& state) {
  const config::ConfigImage image = fullTable(7);
  std::vector<std::size_t> all;
  for (std::size_t n = 1; n <= 100; ++n) {
    all.push_back(n);
  }
  for (auto _ : state) {
    const std::string text = summary::rulesText(image, all, lang::Language::English);
    benchmark::DoNotOptimize(summary::parseRulesText(text));
  }
}
BENCHMARK(BM_ClipboardRoundTripOfAllRules)->Unit(benchmark::kMillisecond);

// Two wholly different configurations: every rule and many parameters differ.
void BM_CompareConfigurations(benchmark::State& state) {
  const config::ConfigImage a = fullTable(7);
  config::ConfigImage b = fullTable(8);
  std::mt19937 random(9);
  for (std::size_t i = config::layout::kParamBlock.offset; i < config::layout::kImageSize; ++i) {
    b.data()[i] = static_cast<std::uint8_t>(random());
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(summary::compareImages(a, b, lang::Language::English));
  }
}
BENCHMARK(BM_CompareConfigurations)->Unit(benchmark::kMillisecond);

// The usual question: what changed between two versions of one car's file.
void BM_CompareNearlyEqualConfigurations(benchmark::State& state) {
  const config::ConfigImage a = fullTable(7);
  config::ConfigImage b = a;
  b.set(config::layout::kCanParamBaud500k, 3);
  events::set(events::entryAt(b, 40), events::entry::kPressKind, 2);
  for (auto _ : state) {
    benchmark::DoNotOptimize(summary::compareImages(a, b, lang::Language::English));
  }
}
BENCHMARK(BM_CompareNearlyEqualConfigurations)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

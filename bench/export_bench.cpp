// Exporting a configuration's summary, as `kivprism-cli export` and the window's "Export
// summary..." do it: the summary of the demo's configuration built once per run and written in
// each format, and a full table of 100 used rules (the largest summary) in HTML.
#include <benchmark/benchmark.h>

#include "core/events/consistency.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_operations.hpp"
#include "core/summary/config_export.hpp"
#include "sim/factory_defaults.hpp"

namespace {

using namespace kivprism;

void exportOnce(benchmark::State& state, const config::ConfigImage& image,
                summary::ExportFormat format) {
  device::DeviceInfo info;
  info.name = "KIVSOLANPRISM-F401";
  info.applicationVersion = 140;
  for (auto _ : state) {
    const summary::ExportSummary s =
        summary::buildExportSummary(image, info, lang::Language::Russian, "car.KST401");
    benchmark::DoNotOptimize(summary::renderExport(s, format));
  }
}

void BM_ExportDemo(benchmark::State& state) {
  exportOnce(state, sim::factoryConfiguration(),
             static_cast<summary::ExportFormat>(state.range(0)));
}
BENCHMARK(BM_ExportDemo)
    ->ArgName("format")  // 0 HTML, 1 Markdown, 2 CSV
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);

void BM_ExportHundredRulesHtml(benchmark::State& state) {
  config::ConfigImage image = sim::factoryConfiguration();
  const events::EntryContext context = events::entryContextOf(image);
  for (std::size_t n = events::kFirstEntryNumber; n <= events::kLastEntryNumber; ++n) {
    auto e = events::entryAt(image, n);
    e[events::entry::kEventType.offset] = static_cast<std::uint8_t>(1 + n % 20);
    e[events::entry::kReactionType.offset] = static_cast<std::uint8_t>(1 + n % 20);
    events::setEntryName(e, "Rule <" + std::to_string(n) + ">");
    events::applyConsistencyRules(e, context);
  }
  exportOnce(state, image, summary::ExportFormat::Html);
}
BENCHMARK(BM_ExportHundredRulesHtml)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// The event/reaction pane with its widgets: the refresh of a changed entry (a changed event, and
// an event and a reaction changed in turn), switching between two identical entries (the hash
// alone), and selecting each of the 100 entries in turn. Built only where the widget library is.
#include <benchmark/benchmark.h>

#if __has_include("ui/editor/event_reaction_pane.hpp")
#include <QApplication>

#include "core/config/image.hpp"
#include "core/events/entry.hpp"
#include "ui/editor/event_reaction_pane.hpp"

namespace {

using kivprism::config::ConfigImage;
using kivprism::ui::editor::EventReactionPane;

// Entries of many kinds, so that selecting them in turn switches pages and lists.
void fillEntries(ConfigImage& image) {
  for (std::size_t n = 1; n <= 100; ++n) {
    const auto e = kivprism::events::entryAt(image, n);
    e[16] = static_cast<std::uint8_t>(n % 27);  // event type
    e[18] = static_cast<std::uint8_t>(n % 5);   // list position
    e[77] = 3;                                  // any press
  }
}

void BM_RefreshChangedEntryWithWidgets(benchmark::State& state) {
  ConfigImage image;
  fillEntries(image);
  EventReactionPane pane(image, {});
  pane.resize(420, 513);
  pane.show();
  pane.selectEntry(9);  // an IEBUS event: a list of 111 items
  const auto e = kivprism::events::entryAt(image, 9);
  std::uint8_t position = 0;
  for (auto _ : state) {
    position = position == 1 ? 2 : 1;
    e[18] = position;
    pane.refresh();
  }
  state.counters["refreshes"] = static_cast<double>(pane.refreshCount());
}
BENCHMARK(BM_RefreshChangedEntryWithWidgets)->Unit(benchmark::kMillisecond);

// Both halves with their pages: an IEBUS event and an IEBUS reaction (lists of over a hundred
// items each), the event's and the reaction's positions changed in turn.
void BM_RefreshChangedEntryBothHalvesWithWidgets(benchmark::State& state) {
  ConfigImage image;
  fillEntries(image);
  const auto e = kivprism::events::entryAt(image, 9);
  e[80] = 11;  // IEBUS reaction
  e[81] = 1;
  EventReactionPane pane(image, {});
  pane.resize(420, 513);
  pane.show();
  pane.selectEntry(9);
  std::uint8_t position = 1;
  bool reaction = false;
  for (auto _ : state) {
    reaction = !reaction;
    if (reaction) {
      position = position == 1 ? 2 : 1;
    }
    e[reaction ? 81 : 18] = position;
    pane.refresh();
  }
  state.counters["refreshes"] = static_cast<double>(pane.refreshCount());
}
BENCHMARK(BM_RefreshChangedEntryBothHalvesWithWidgets)->Unit(benchmark::kMillisecond);

void BM_SwitchIdenticalEntriesWithWidgets(benchmark::State& state) {
  ConfigImage image;
  for (std::size_t n : {20, 21}) {
    const auto e = kivprism::events::entryAt(image, n);
    e[16] = 9;
    e[18] = 50;
    e[77] = 3;
    e[78] = 1;
  }
  EventReactionPane pane(image, {});
  pane.show();
  pane.selectEntry(20);
  const std::size_t before = pane.refreshCount();
  std::size_t entry = 20;
  for (auto _ : state) {
    entry = entry == 20 ? 21 : 20;
    pane.selectEntry(entry);
  }
  // Zero: no switch redrew anything.
  state.counters["redraws"] = static_cast<double>(pane.refreshCount() - before);
}
BENCHMARK(BM_SwitchIdenticalEntriesWithWidgets)->Unit(benchmark::kMicrosecond);

void BM_SelectEveryEntryInTurnWithWidgets(benchmark::State& state) {
  ConfigImage image;
  fillEntries(image);
  EventReactionPane pane(image, {});
  pane.resize(420, 513);
  pane.show();
  for (auto _ : state) {
    for (std::size_t n = 1; n <= 100; ++n) {
      pane.selectEntry(n);
    }
    pane.selectEntry(100);
    pane.forceRefresh();  // the next round starts from a redraw like the first
  }
}
BENCHMARK(BM_SelectEveryEntryInTurnWithWidgets)->Unit(benchmark::kMillisecond);

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

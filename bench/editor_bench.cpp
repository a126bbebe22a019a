// The event/reaction editor in the core (no widgets): the refresh of a changed entry (repair,
// derive every control of the bottom row and the page, page visibility), the refresh of an entry
// whose hash did not change, selecting each of the 100 entries in turn, and the reaction half's
// derivation of every reaction page.
#include <benchmark/benchmark.h>

#include <random>

#include "core/config/image.hpp"
#include "core/config/image_layout.hpp"
#include "core/editor/derive.hpp"
#include "core/editor/pane_rules.hpp"
#include "core/editor/reaction_bindings.hpp"
#include "core/editor/refresh.hpp"
#include "core/events/entry.hpp"

namespace {

using kivprism::config::ConfigImage;
namespace editor = kivprism::editor;
namespace events = kivprism::events;

// A table as a real car's: every entry in use, of many types, with names.
ConfigImage busyImage() {
  ConfigImage image;
  std::mt19937 random(11);
  std::uniform_int_distribution<int> type(1, 26);
  std::uniform_int_distribution<int> small(0, 4);
  for (std::size_t n = 1; n <= 100; ++n) {
    const auto e = events::entryAt(image, n);
    events::setEntryName(e, "Entry " + std::to_string(n));
    events::set(e, events::entry::kEventType, static_cast<std::uint8_t>(type(random)));
    for (std::size_t i = 18; i < 30; ++i) {
      e[i] = static_cast<std::uint8_t>(small(random));
    }
    events::set(e, events::entry::kPressKind, 3);
    events::set(e, events::entry::kReactionType, 2);
  }
  return image;
}

void BM_RefreshChangedEntry(benchmark::State& state) {
  ConfigImage image = busyImage();
  editor::EventPaneRefresher refresher;
  std::uint8_t start = 0;
  const auto e = events::entryAt(image, 50);
  events::set(e, events::entry::kEventType, 4);
  for (auto _ : state) {
    start = static_cast<std::uint8_t>(start == 1 ? 2 : 1);
    events::set(e, events::event::timeout::kStartPoint, start);
    benchmark::DoNotOptimize(refresher.refresh(image, 50, {}));
  }
}
BENCHMARK(BM_RefreshChangedEntry)->Unit(benchmark::kMicrosecond);

void BM_RefreshUnchangedEntry(benchmark::State& state) {
  ConfigImage image = busyImage();
  editor::EventPaneRefresher refresher;
  refresher.refresh(image, 50, {});
  for (auto _ : state) {
    benchmark::DoNotOptimize(refresher.refresh(image, 50, {}));
  }
}
BENCHMARK(BM_RefreshUnchangedEntry)->Unit(benchmark::kMicrosecond);

// Every entry once, with the tab captions updated after each refresh as the pane does.
void BM_SelectAllEntriesInTurn(benchmark::State& state) {
  ConfigImage image = busyImage();
  editor::TabCaptions captions;
  for (auto _ : state) {
    editor::EventPaneRefresher refresher;
    for (std::size_t n = 1; n <= 100; ++n) {
      benchmark::DoNotOptimize(refresher.refresh(image, n, {}));
      benchmark::DoNotOptimize(editor::updateTabCaptions(image, captions));
    }
  }
}
BENCHMARK(BM_SelectAllEntriesInTurn)->Unit(benchmark::kMillisecond);

// The reaction half: one entry of every reaction type derived in turn (the lists the pages build
// included: the amplifier's formatted actions, the LIN list from the modes, the CarDSP numbers).
ConfigImage reactionImage() {
  ConfigImage image = busyImage();
  image.set(kivprism::config::layout::kLin1Mode, 3);
  image.set(kivprism::config::layout::kLin2Mode, 3);
  for (std::size_t n = 1; n <= events::kReactionTypeCount; ++n) {
    const auto e = events::entryAt(image, n);
    events::clear(e, events::entry::kReactionPart);
    events::set(e, events::entry::kReactionType, static_cast<std::uint8_t>(n - 1));
  }
  const auto carDsp = events::entryAt(image, 21);
  events::set(carDsp, events::reaction::car_dsp::kMode, 7);
  return image;
}

void BM_DeriveEveryReactionPage(benchmark::State& state) {
  ConfigImage image = reactionImage();
  for (auto _ : state) {
    for (std::size_t n = 1; n <= events::kReactionTypeCount; ++n) {
      benchmark::DoNotOptimize(editor::deriveReactionPane(image, n, {}));
    }
  }
}
BENCHMARK(BM_DeriveEveryReactionPage)->Unit(benchmark::kMicrosecond);

// A changed entry as the pane refreshes it: the event half (with the repair), then the reaction.
void BM_RefreshBothHalvesChangedEntry(benchmark::State& state) {
  ConfigImage image = reactionImage();
  const auto e = events::entryAt(image, 9);  // amplifier: 68 formatted volume actions
  std::uint8_t position = 0;
  for (auto _ : state) {
    position = static_cast<std::uint8_t>(position == 1 ? 2 : 1);
    events::set(e, events::reaction::amplifier::kPosition, position);
    benchmark::DoNotOptimize(editor::derivePane(image, 9, {}));
  }
}
BENCHMARK(BM_RefreshBothHalvesChangedEntry)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

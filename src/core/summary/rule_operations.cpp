#include "core/summary/rule_operations.hpp"

#include <algorithm>
#include <set>

#include "core/summary/rule_summary.hpp"

namespace kivprism::summary {

namespace {

constexpr std::size_t kEntryCount = config::layout::kEntryCount;

bool validNumber(std::size_t entry) {
  return entry >= events::kFirstEntryNumber && entry <= events::kLastEntryNumber;
}

// Valid numbers, each once, in ascending order.
EntryNumbers sortedUnique(std::span<const std::size_t> entries) {
  std::set<std::size_t> numbers;
  for (const std::size_t entry : entries) {
    if (validNumber(entry)) {
      numbers.insert(entry);
    }
  }
  return {numbers.begin(), numbers.end()};
}

events::EntryData dataOf(const config::ConfigImage& image, std::size_t entry) {
  events::EntryData data{};
  const events::ConstEntryBytes e = events::entryAt(image, entry);
  std::copy(e.begin(), e.end(), data.begin());
  return data;
}

bool write(config::ConfigImage& image, std::size_t entry, const events::EntryData& data) {
  const events::EntryBytes e = events::entryAt(image, entry);
  if (std::equal(e.begin(), e.end(), data.begin())) {
    return false;
  }
  std::copy(data.begin(), data.end(), e.begin());
  return true;
}

}  // namespace

std::optional<EntryNumbers> pasteTargets(std::span<const std::size_t> selected, std::size_t count) {
  const EntryNumbers chosen = sortedUnique(selected);
  if (chosen.empty() || count == 0) {
    return std::nullopt;
  }
  if (chosen.size() >= count) {
    return EntryNumbers(chosen.begin(), chosen.begin() + static_cast<std::ptrdiff_t>(count));
  }
  if (chosen.front() + count - 1 > kEntryCount) {
    return std::nullopt;
  }
  EntryNumbers targets;
  for (std::size_t i = 0; i < count; ++i) {
    targets.push_back(chosen.front() + i);
  }
  return targets;
}

EntryNumbers overwrittenRules(const config::ConfigImage& image,
                              std::span<const std::size_t> targets,
                              std::span<const events::EntryData> rules) {
  EntryNumbers used;
  for (std::size_t i = 0; i < targets.size() && i < rules.size(); ++i) {
    const events::ConstEntryBytes e = events::entryAt(image, targets[i]);
    if (!isUnused(e) && !std::equal(e.begin(), e.end(), rules[i].begin())) {
      used.push_back(targets[i]);
    }
  }
  return used;
}

bool pasteRules(config::ConfigImage& image, std::span<const std::size_t> targets,
                std::span<const events::EntryData> rules) {
  bool changed = false;
  for (std::size_t i = 0; i < targets.size() && i < rules.size(); ++i) {
    if (validNumber(targets[i])) {
      changed = write(image, targets[i], rules[i]) || changed;
    }
  }
  return changed;
}

std::optional<EntryNumbers> duplicateRules(config::ConfigImage& image,
                                           std::span<const std::size_t> entries) {
  const EntryNumbers sources = sortedUnique(entries);
  if (sources.empty()) {
    return std::nullopt;
  }
  EntryNumbers free;
  for (std::size_t entry = 1; entry <= kEntryCount && free.size() < sources.size(); ++entry) {
    if (isUnused(events::entryAt(image, entry))) {
      free.push_back(entry);
    }
  }
  if (free.size() < sources.size()) {
    return std::nullopt;
  }
  // Read all first: a copy never lands on a source still to be read (sources are used), but the
  // order stays that of the sources either way.
  std::vector<events::EntryData> copies;
  for (const std::size_t entry : sources) {
    copies.push_back(dataOf(image, entry));
  }
  pasteRules(image, free, copies);
  return free;
}

std::optional<EntryNumbers> moveRules(config::ConfigImage& image,
                                      std::span<const std::size_t> entries, bool up) {
  EntryNumbers moving = sortedUnique(entries);
  if (moving.empty() || (up && moving.front() == 1) || (!up && moving.back() == kEntryCount)) {
    return std::nullopt;
  }
  if (!up) {
    std::reverse(moving.begin(), moving.end());
  }
  EntryNumbers moved;
  for (const std::size_t entry : moving) {
    const std::size_t neighbour = up ? entry - 1 : entry + 1;
    const events::EntryData mine = dataOf(image, entry);
    write(image, entry, dataOf(image, neighbour));
    write(image, neighbour, mine);
    moved.push_back(neighbour);
  }
  std::sort(moved.begin(), moved.end());
  return moved;
}

EntryNumbers usedRules(const config::ConfigImage& image, std::span<const std::size_t> entries) {
  EntryNumbers used;
  for (const std::size_t entry : sortedUnique(entries)) {
    if (!isUnused(events::entryAt(image, entry))) {
      used.push_back(entry);
    }
  }
  return used;
}

bool clearRules(config::ConfigImage& image, std::span<const std::size_t> entries) {
  bool changed = false;
  for (const std::size_t entry : sortedUnique(entries)) {
    changed = write(image, entry, events::EntryData{}) || changed;
  }
  return changed;
}

ImageDifference differenceOf(const config::ConfigImage& before, const config::ConfigImage& after) {
  ImageDifference difference;
  const auto a = before.bytes();
  const auto b = after.bytes();
  const auto table = config::layout::kEntryTable;
  difference.outsideRules =
      !std::equal(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(table.offset), b.begin()) ||
      !std::equal(a.begin() + static_cast<std::ptrdiff_t>(table.end()), a.end(),
                  b.begin() + static_cast<std::ptrdiff_t>(table.end()));
  for (std::size_t entry = 1; entry <= kEntryCount; ++entry) {
    const events::ConstEntryBytes x = events::entryAt(before, entry);
    const events::ConstEntryBytes y = events::entryAt(after, entry);
    if (!std::equal(x.begin(), x.end(), y.begin())) {
      difference.entries.push_back(entry);
    }
  }
  return difference;
}

}  // namespace kivprism::summary

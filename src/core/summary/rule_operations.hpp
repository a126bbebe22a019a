// What the rule commands do to the image: paste copied rules over chosen entries, duplicate rules
// into the first free entries, move rules up or down, clear them; and which entries two images
// differ in, so that the rules table rebuilds only the rows that changed. Entry numbers are 1..100.
// A command that cannot be done whole changes nothing.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "core/config/image.hpp"
#include "core/events/entry.hpp"

namespace kivprism::summary {

using EntryNumbers = std::vector<std::size_t>;

// The entries a paste of `count` rules writes: the selected ones when there are enough of them,
// otherwise consecutive entries from the first selected. Nothing when they run past entry 100.
std::optional<EntryNumbers> pasteTargets(std::span<const std::size_t> selected, std::size_t count);
// The used entries among the targets that the rules would change: the paste asks about them.
EntryNumbers overwrittenRules(const config::ConfigImage& image,
                              std::span<const std::size_t> targets,
                              std::span<const events::EntryData> rules);
// Writes rules[i] into targets[i]; returns whether anything changed.
bool pasteRules(config::ConfigImage& image, std::span<const std::size_t> targets,
                std::span<const events::EntryData> rules);

// Copies each entry into the first free (unused) entries, in order; returns where the copies went.
// Nothing, and no change, when there are not enough free entries.
std::optional<EntryNumbers> duplicateRules(config::ConfigImage& image,
                                           std::span<const std::size_t> entries);

// Moves the entries one place up (towards 1) or down, each swapping with its neighbour that is not
// moved itself; returns their new numbers. Nothing, and no change, when one of them is at the end.
std::optional<EntryNumbers> moveRules(config::ConfigImage& image,
                                      std::span<const std::size_t> entries, bool up);

// The used ones among the entries: a clear asks about them.
EntryNumbers usedRules(const config::ConfigImage& image, std::span<const std::size_t> entries);
// Empties the entries (all bytes zero); returns whether anything changed.
bool clearRules(config::ConfigImage& image, std::span<const std::size_t> entries);

// Where two images differ: the entries changed, and whether anything outside the rules changed
// (the parameters and the keys table decide every row's marks).
struct ImageDifference {
  EntryNumbers entries;
  bool outsideRules = false;
  bool empty() const { return entries.empty() && !outsideRules; }
};
ImageDifference differenceOf(const config::ConfigImage& before, const config::ConfigImage& after);

}  // namespace kivprism::summary

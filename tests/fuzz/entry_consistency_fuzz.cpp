// The entry consistency rules on any 144 bytes (as a file or a controller may deliver them) and
// any analog output settings: applying them twice equals applying them once, a second pass
// reports no repair, and a pass that reports no repair changed no byte.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "core/config/image.hpp"
#include "core/events/consistency.hpp"
#include "fuzz/fuzz_check.hpp"

namespace events = kivprism::events;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kContextSize = 8;
  if (size < kContextSize) {
    return 0;
  }
  events::EntryContext context;
  context.anaVout1 = static_cast<std::uint16_t>(data[0] | (data[1] << 8));
  context.minMaxVout1 = static_cast<std::uint16_t>(data[2] | (data[3] << 8));
  context.anaVout2 = static_cast<std::uint16_t>(data[4] | (data[5] << 8));
  context.minMaxVout2 = static_cast<std::uint16_t>(data[6] | (data[7] << 8));
  events::EntryData entry{};
  std::copy_n(data + kContextSize, std::min(size - kContextSize, entry.size()), entry.begin());

  const events::EntryData original = entry;
  const events::Repairs first = events::applyConsistencyRules(entry, context);
  KIVPRISM_FUZZ_CHECK(first.any() || entry == original, "no repair reported, no byte changed");
  const events::EntryData once = entry;
  const events::Repairs second = events::applyConsistencyRules(entry, context);
  KIVPRISM_FUZZ_CHECK(entry == once, "applying the rules twice equals applying them once");
  KIVPRISM_FUZZ_CHECK(!second.any(), "a second pass repairs nothing");
  return 0;
}

// The change history under any sequence of edits, undos and redos, with small limits so that the
// oldest steps go too: the image always equals the one the user had at that point, and the
// history says truly whether there is something to undo or redo.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/config/image.hpp"
#include "core/history/change_history.hpp"
#include "fuzz/fuzz_check.hpp"

namespace config = kivprism::config;
namespace history = kivprism::history;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) {
    return 0;
  }
  const history::ChangeHistory::Limits limits{std::size_t{1} + data[0] % 16,
                                              256 + std::size_t{data[1]} * 256};
  history::ChangeHistory h(limits);
  // The images of the steps kept, and the one in force.
  std::vector<config::ConfigImage> line(1);
  std::size_t at = 0;
  config::ConfigImage image;
  for (std::size_t i = 2; i < size;) {
    const std::uint8_t op = data[i++];
    if (op % 4 == 0) {
      const auto change = h.undo();
      KIVPRISM_FUZZ_CHECK(change.has_value() == (at > 0), "undo exactly when a step is in force");
      if (change) {
        change->applyTo(image);
        --at;
      }
    } else if (op % 4 == 1) {
      const auto change = h.redo();
      KIVPRISM_FUZZ_CHECK(change.has_value() == (at + 1 < line.size()),
                          "redo exactly when a step was undone");
      if (change) {
        change->applyTo(image);
        ++at;
      }
    } else {
      if (size - i < 4) {
        break;
      }
      const std::size_t offset =
          (std::size_t{data[i]} | std::size_t{data[i + 1]} << 8) % config::ConfigImage::kSize;
      const std::size_t count =
          std::min<std::size_t>(data[i + 2], config::ConfigImage::kSize - offset);
      const std::uint8_t value = data[i + 3];
      i += 4;
      config::ConfigImage next = image;
      std::fill_n(next.data() + offset, count, value);
      const bool recorded = h.record({"s", "s"}, image, next);
      KIVPRISM_FUZZ_CHECK(recorded == (next != image), "a step exactly when something changed");
      if (recorded) {
        line.resize(at + 1);
        line.push_back(next);
        image = next;
        // The oldest steps the limits dropped.
        const std::size_t dropped = line.size() - 1 - h.size();
        line.erase(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(dropped));
        at = line.size() - 1;
        KIVPRISM_FUZZ_CHECK(h.size() <= limits.steps, "no more steps than the limit");
        KIVPRISM_FUZZ_CHECK(h.size() == 1 || h.bytesUsed() <= limits.bytes,
                            "no more memory than the limit");
      }
    }
    KIVPRISM_FUZZ_CHECK(image == line[at], "the image of that point");
    KIVPRISM_FUZZ_CHECK(h.canUndo() == (at > 0), "something to undo");
    KIVPRISM_FUZZ_CHECK(h.canRedo() == (at + 1 < line.size()), "something to redo");
  }
  return 0;
}

// The CAN key decoder on every address and command a record can carry, and the monitoring-line
// rewriter on the CAN_AUTO lines that name them: a decoded key names its model's prefix and the
// numbers it came from, and the rewritten line keeps everything in front of the command.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/events/ir_protocols.hpp"
#include "core/monitor/can_decoders.hpp"
#include "core/monitor/monitoring_line.hpp"
#include "fuzz/fuzz_check.hpp"

namespace events = kivprism::events;
namespace monitor = kivprism::monitor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) {
    return 0;
  }
  events::IrCode code;
  code.protocol = data[0];
  code.command = data[1];
  code.address = static_cast<std::uint16_t>(data[2] | (data[3] << 8));
  const auto text = monitor::decodeCanKey(code);
  if (code.address < monitor::kCanModelCount) {
    const std::string_view prefix = monitor::canModelPrefix(code.address);
    KIVPRISM_FUZZ_CHECK(!prefix.empty() && prefix.back() == ' ', "a model prefix ends in a blank");
    if (text) {
      KIVPRISM_FUZZ_CHECK(text->starts_with(prefix), "a key name starts with its model");
      const std::string numbers =
          "(" + std::to_string(code.address) + "/" + std::to_string(code.command) + ")";
      KIVPRISM_FUZZ_CHECK(text->ends_with(numbers), "a key name ends with its numbers");
    }
  }
  // The same code as the controller reports it, with the rest of the input as the line's tail.
  const std::string head = "IR CODE: IR CAN_AUTO  ADR:" + std::to_string(code.address) + " CMD:";
  std::string line = " " + head + std::to_string(code.command) +
                     std::string(reinterpret_cast<const char*>(data + 4), size - 4);
  const std::string original = line;
  if (monitor::formatMonitoringLine(line, kivprism::lang::Language::English)) {
    KIVPRISM_FUZZ_CHECK(line.starts_with(" IR CODE: IR CAN_AUTO "),
                        "the rewritten line keeps what comes before the key");
  } else {
    KIVPRISM_FUZZ_CHECK(line == original, "a line that is not rewritten stays");
  }
  return 0;
}

// The controller's monitoring text as the link receives it: any bytes cut into lines by the line
// assembler, each line rewritten in both languages. Lines are whole (no line break, within the
// limit), the assembler loses nothing but the character that meets a full line, and a line the
// rewriters leave alone stays as it was.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/device/device_link.hpp"
#include "core/monitor/monitoring_line.hpp"
#include "fuzz/fuzz_check.hpp"

namespace lang = kivprism::lang;
using kivprism::device::MonitorLineAssembler;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MonitorLineAssembler assembler;
  std::vector<std::string> lines;
  std::size_t characters = 0;
  const MonitorLineAssembler::Sink sink = [&](std::string_view line) { lines.emplace_back(line); };
  for (std::size_t i = 0; i < size; ++i) {
    assembler.push(static_cast<char>(data[i]), sink);
    if (data[i] != '\r' && data[i] != '\n') {
      ++characters;
    }
  }
  std::size_t kept = assembler.pending().size();
  for (std::string& line : lines) {
    KIVPRISM_FUZZ_CHECK(line.size() <= MonitorLineAssembler::kMaxLine, "a line stays in the limit");
    KIVPRISM_FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos,
                        "a line holds no line break");
    kept += line.size();
    for (const lang::Language language : {lang::Language::Russian, lang::Language::English}) {
      std::string shown = line;
      const bool changed = kivprism::monitor::formatMonitoringLine(shown, language);
      KIVPRISM_FUZZ_CHECK(changed || shown == line, "a line that is not rewritten stays");
    }
  }
  // Only the character that meets a full line is dropped.
  KIVPRISM_FUZZ_CHECK(kept <= characters && characters - kept <= lines.size(),
                      "the assembler loses no text but the character at a full line");
  (void)kivprism::monitor::readDecimalNumber(
      std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}

#include "core/monitor/terminal_input.hpp"

#include <algorithm>

namespace kivprism::monitor {

EnterDecision decideTerminalEnter(std::string_view text, std::size_t caret) {
  EnterDecision decision;
  caret = std::min(caret, text.size());
  if (caret == 0 && text.empty()) {
    return decision;
  }
  bool passEnter = caret == text.size();
  const std::size_t lineFeed = caret == 0 ? std::string_view::npos : text.rfind('\n', caret - 1);
  const std::size_t start = lineFeed == std::string_view::npos ? 0 : lineFeed + 1;
  std::size_t end = text.find_first_of("\r\n", caret);
  if (end == std::string_view::npos) {
    end = text.size();
  }
  const std::string_view line = text.substr(start, end - start);
  if (line.size() < kTerminalLineLimit) {
    if (line.empty()) {
      passEnter = false;
    } else {
      decision.send = std::string(line);
    }
  }
  decision.passKey = passEnter;
  return decision;
}

std::vector<std::uint8_t> terminalPayload(std::string_view line) {
  const std::size_t length = std::min(line.size() + 1, kTerminalWriteSize);
  std::vector<std::uint8_t> bytes(length, 0);
  std::copy_n(line.begin(), std::min(line.size(), length), bytes.begin());
  if (length == kTerminalWriteSize) {
    bytes.back() = 0;
  }
  return bytes;
}

bool DoublePressClear::press(std::uint32_t tickMs) {
  if (armed_) {
    armed_ = false;
    if (tickMs - firstPressMs_ < kIntervalMs) {
      return true;
    }
  }
  armed_ = true;
  firstPressMs_ = tickMs;
  return false;
}

}  // namespace kivprism::monitor

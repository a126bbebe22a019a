// The rules of the terminal page that need no widget: what an Enter in the send memo sends, the
// bytes that reach the controller for a typed line, and the double press that clears the view.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivprism::monitor {

// The controller takes at most 64 bytes of typed text per write, the last one a terminating 0.
inline constexpr std::size_t kTerminalWriteSize = 64;
// Lines this long or longer are not sent at all.
inline constexpr std::size_t kTerminalLineLimit = 999;

struct EnterDecision {
  // The whole line the caret stands in, when it is to be sent.
  std::optional<std::string> send;
  // Whether the key reaches the memo and starts a new line.
  bool passKey = false;
};

// Enter in the send memo while the controller is connected. Lines are separated by line feeds; a
// carriage return also ends a line. The caret is a character index into the text.
EnterDecision decideTerminalEnter(std::string_view text, std::size_t caret);

// The bytes written to the monitoring-text area for a typed line: the line and a terminating 0,
// cut to 64 bytes with the 64th forced to 0.
std::vector<std::uint8_t> terminalPayload(std::string_view line);

// Two left presses on the received-text view less than 500 ms apart clear it.
class DoublePressClear {
 public:
  static constexpr std::uint32_t kIntervalMs = 500;

  // A left press at the tick; true when it clears the view.
  bool press(std::uint32_t tickMs);
  bool armed() const { return armed_; }

 private:
  bool armed_ = false;
  std::uint32_t firstPressMs_ = 0;
};

}  // namespace kivprism::monitor

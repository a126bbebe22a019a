#include "core/monitor/monitoring_line.hpp"

#include <cstdint>
#include <limits>
#include <string_view>

#include "core/events/ir_protocols.hpp"
#include "core/monitor/can_decoders.hpp"
#include "core/monitor/protocol_events.hpp"

namespace kivprism::monitor {

namespace {

constexpr std::string_view kIrMarker = " IR ";
constexpr std::string_view kCanAutoMarker = " CAN_AUTO ";
constexpr std::string_view kAddressField = " ADR:";
constexpr std::string_view kCommandField = " CMD:";
constexpr std::string_view kEventField = " EV:";
// The number behind a field is followed by the tail of the line; at most this many digits belong
// to the number.
constexpr std::size_t kMaxNumberDigits = 10;

constexpr std::int64_t kLongMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kLongMin = std::numeric_limits<std::int32_t>::min();

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::size_t skipDigits(const std::string& line, std::size_t pos) {
  std::size_t skipped = 0;
  while (pos < line.size() && skipped < kMaxNumberDigits && isDigit(line[pos])) {
    ++pos;
    ++skipped;
  }
  return pos;
}

// Replaces the number at pos by the text and keeps whatever follows the number.
void spliceNumber(std::string& line, std::size_t keepUntil, std::size_t numberPos,
                  std::string_view text) {
  const std::size_t tailPos = skipDigits(line, numberPos);
  std::string rewritten;
  rewritten.reserve(keepUntil + text.size() + (line.size() - tailPos));
  rewritten.append(line, 0, keepUntil);
  rewritten.append(text);
  rewritten.append(line, tailPos, std::string::npos);
  line = std::move(rewritten);
}

std::string_view from(const std::string& line, std::size_t pos) {
  return pos < line.size() ? std::string_view(line).substr(pos) : std::string_view{};
}

bool rewriteCanAuto(std::string& line) {
  const std::size_t ir = line.find(kIrMarker);
  if (ir == std::string::npos) {
    return false;
  }
  const std::size_t canAuto = line.find(kCanAutoMarker, ir);
  if (canAuto == std::string::npos) {
    return false;
  }
  const std::size_t splice = canAuto + kCanAutoMarker.size();
  const std::size_t address = line.find(kAddressField, canAuto);
  if (address == std::string::npos) {
    return false;
  }
  const std::size_t addressValue = address + kAddressField.size();
  const std::size_t command = line.find(kCommandField, addressValue);
  if (command == std::string::npos) {
    return false;
  }
  const std::size_t commandValue = command + kCommandField.size();
  events::IrCode code;
  code.protocol = events::kIrProtocolCanAuto;
  code.address = static_cast<std::uint16_t>(readDecimalNumber(from(line, addressValue)));
  code.command = static_cast<std::uint8_t>(readDecimalNumber(from(line, commandValue)));
  const auto text = decodeCanKey(code);
  if (!text) {
    return false;
  }
  spliceNumber(line, splice, commandValue, *text);
  return true;
}

bool rewriteEventNumber(std::string& line, const ProtocolEventList& list, lang::Language language) {
  const std::size_t marker = line.find(list.marker);
  if (marker == std::string::npos) {
    return false;
  }
  std::size_t numberPos = marker + list.marker.size();
  if (list.id != ProtocolList::SteeringWheelCan) {
    const std::size_t field = line.find(kEventField, marker + list.evSearchOffset);
    if (field == std::string::npos) {
      return false;
    }
    numberPos = field + kEventField.size();
  }
  const long n = readDecimalNumber(from(line, numberPos));
  if (n < 0 || static_cast<unsigned long>(n) >= list.names.size()) {
    return false;
  }
  spliceNumber(line, numberPos, numberPos, list.names[static_cast<std::size_t>(n)].in(language));
  return true;
}

}  // namespace

long readDecimalNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isCSpace(text[i])) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::int64_t value = 0;
  const std::int64_t limit = negative ? -kLongMin : kLongMax;
  for (; i < text.size() && isDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > limit) {
      value = limit;
    }
  }
  return static_cast<long>(negative ? -value : value);
}

bool formatMonitoringLine(std::string& line, lang::Language language) {
  if (rewriteCanAuto(line)) {
    return true;
  }
  for (const ProtocolEventList& list : protocolEventLists()) {
    if (rewriteEventNumber(line, list, language)) {
      return true;
    }
  }
  return false;
}

}  // namespace kivprism::monitor

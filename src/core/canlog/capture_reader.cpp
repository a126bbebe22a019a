#include "core/canlog/capture_reader.hpp"

#include <charconv>
#include <cstdint>

namespace kivprism::canlog {

namespace {

constexpr std::size_t kStandardDigits = 3;
constexpr std::size_t kExtendedDigits = 8;
constexpr std::uint32_t kMaxStandardId = 0x7FF;
constexpr std::uint32_t kMaxExtendedId = 0x1FFFFFFF;

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
    s.remove_prefix(1);
  }
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

// The next blank-separated word; s moves past it.
std::string_view nextWord(std::string_view& s) {
  s = trim(s);
  const std::size_t end = s.find_first_of(" \t");
  const std::string_view word = s.substr(0, end);
  s = end == std::string_view::npos ? std::string_view() : s.substr(end);
  return word;
}

template <typename T>
std::optional<T> number(std::string_view s, int base) {
  T value{};
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size()) {
    return std::nullopt;
  }
  return value;
}

// "SECONDS.FRACTION" as milliseconds (the fraction read to its first three digits).
std::optional<std::uint32_t> milliseconds(std::string_view s) {
  const std::size_t dot = s.find('.');
  const auto seconds = number<std::uint64_t>(s.substr(0, dot), 10);
  if (!seconds) {
    return std::nullopt;
  }
  std::uint64_t ms = *seconds * 1000;
  if (dot != std::string_view::npos) {
    const std::string_view fraction = s.substr(dot + 1);
    if (!number<std::uint64_t>(fraction, 10)) {
      return std::nullopt;
    }
    std::uint64_t scale = 100;
    for (std::size_t i = 0; i < fraction.size() && i < 3; ++i, scale /= 10) {
      ms += static_cast<std::uint64_t>(fraction[i] - '0') * scale;
    }
  }
  return static_cast<std::uint32_t>(ms);
}

bool setIdentifier(CanLogRecord& r, std::uint32_t id, bool extended) {
  if (extended ? id > kMaxExtendedId : id > kMaxStandardId) {
    return false;
  }
  r.identifierWord = extended ? id : standardWord(id);
  return true;
}

template <typename Parse>
CaptureRead readLines(std::string_view text, Parse parse, bool (*isFrame)(std::string_view)) {
  CaptureRead result;
  std::size_t lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    if (!isFrame(line)) {
      continue;
    }
    const auto record = parse(line);
    if (!record) {
      result.error =
          "line " + std::to_string(lineNumber) + ": not a CAN frame: " + std::string(line);
      result.errorLine = lineNumber;
      result.errorText = std::string(line);
      return result;
    }
    result.records.push_back(*record);
  }
  return result;
}

bool candumpFrame(std::string_view line) { return line.starts_with("("); }

// ASC frame lines start with a time stamp and name a channel number next; events and the
// header do not.
bool ascFrame(std::string_view line) {
  std::string_view rest = line;
  const std::string_view time = nextWord(rest);
  const std::string_view channel = nextWord(rest);
  return milliseconds(time).has_value() && number<unsigned>(channel, 10).has_value();
}

}  // namespace

std::optional<CanLogRecord> parseCandumpLine(std::string_view line) {
  std::string_view rest = trim(line);
  const std::string_view stamp = nextWord(rest);
  if (stamp.size() < 3 || stamp.front() != '(' || stamp.back() != ')') {
    return std::nullopt;
  }
  const auto ms = milliseconds(stamp.substr(1, stamp.size() - 2));
  const std::string_view iface = nextWord(rest);
  const std::string_view frame = nextWord(rest);
  const std::size_t hash = frame.find('#');
  if (!ms || iface.empty() || hash == std::string_view::npos || !trim(rest).empty()) {
    return std::nullopt;
  }
  const std::string_view idText = frame.substr(0, hash);
  const std::string_view dataHex = frame.substr(hash + 1);
  const auto id = number<std::uint32_t>(idText, 16);
  CanLogRecord r;
  r.timeStamp = *ms;
  const bool standard = idText.size() == kStandardDigits;
  if (!id || !(standard || idText.size() == kExtendedDigits) || !setIdentifier(r, *id, !standard) ||
      dataHex.size() % 2 != 0 || dataHex.size() > 2 * kMaxDataBytes) {
    return std::nullopt;
  }
  r.length = static_cast<std::uint8_t>(dataHex.size() / 2);
  for (std::size_t k = 0; k < r.length; ++k) {
    const auto byte = number<std::uint8_t>(dataHex.substr(2 * k, 2), 16);
    if (!byte) {
      return std::nullopt;
    }
    r.data[k] = *byte;
  }
  return r;
}

std::optional<CanLogRecord> parseAscLine(std::string_view line) {
  std::string_view rest = line;
  const auto ms = milliseconds(nextWord(rest));
  const auto channel = number<unsigned>(nextWord(rest), 10);
  std::string_view idText = nextWord(rest);
  const std::string_view direction = nextWord(rest);
  const std::string_view kind = nextWord(rest);
  const auto dlc = number<unsigned>(nextWord(rest), 16);
  if (!ms || !channel || idText.empty() || (direction != "Rx" && direction != "Tx") ||
      kind != "d" || !dlc || *dlc > kMaxDataBytes) {
    return std::nullopt;
  }
  const bool extended = idText.back() == 'x';
  if (extended) {
    idText.remove_suffix(1);
  }
  const auto id = number<std::uint32_t>(idText, 16);
  CanLogRecord r;
  r.timeStamp = *ms;
  if (!id || !setIdentifier(r, *id, extended)) {
    return std::nullopt;
  }
  r.length = static_cast<std::uint8_t>(*dlc);
  for (std::size_t k = 0; k < r.length; ++k) {
    const auto byte = number<std::uint8_t>(nextWord(rest), 16);
    if (!byte) {
      return std::nullopt;
    }
    r.data[k] = *byte;
  }
  return r;
}

CaptureRead readCandump(std::string_view text) {
  return readLines(text, parseCandumpLine, candumpFrame);
}

CaptureRead readAsc(std::string_view text) { return readLines(text, parseAscLine, ascFrame); }

CaptureRead readCapture(std::string_view text) {
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = trim(rest.substr(0, end));
    if (!line.empty()) {
      return candumpFrame(line) ? readCandump(text) : readAsc(text);
    }
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  return {};
}

}  // namespace kivprism::canlog

#include "core/canlog/packet_filter.hpp"

#include <algorithm>
#include <utility>

namespace kivprism::canlog {

namespace {

constexpr std::uint32_t kLargestIdentifier = 0x1FFFFFFFu;
constexpr std::size_t kMaxDigits = 8;

bool isSeparator(char c) { return c == ' ' || c == ',' || c == ';' || c == '\t'; }

std::optional<std::uint32_t> hexValue(std::string_view text) {
  if (text.empty() || text.size() > kMaxDigits) {
    return std::nullopt;
  }
  std::uint32_t value = 0;
  for (const char c : text) {
    unsigned digit = 0;
    if (c >= '0' && c <= '9') {
      digit = unsigned(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = unsigned(c - 'A' + 10);
    } else if (c >= 'a' && c <= 'f') {
      digit = unsigned(c - 'a' + 10);
    } else {
      return std::nullopt;
    }
    value = value * 16 + digit;
  }
  if (value > kLargestIdentifier) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

bool PacketFilter::passes(const PacketRow& row) const {
  if (changedOnly && row.changedBytes == 0) {
    return false;
  }
  if (identifiers.empty()) {
    return true;
  }
  const std::uint32_t id = displayIdentifier(row.record.identifierWord);
  return std::any_of(identifiers.begin(), identifiers.end(),
                     [id](const IdentifierRange& r) { return id >= r.first && id <= r.last; });
}

std::optional<std::vector<IdentifierRange>> parseIdentifierFilter(std::string_view text) {
  std::vector<IdentifierRange> ranges;
  std::size_t at = 0;
  while (at < text.size()) {
    if (isSeparator(text[at])) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < text.size() && !isSeparator(text[end])) {
      ++end;
    }
    const std::string_view word = text.substr(at, end - at);
    at = end;
    const std::size_t dash = word.find('-');
    const auto first = hexValue(word.substr(0, dash));
    const auto last = dash == std::string_view::npos ? first : hexValue(word.substr(dash + 1));
    if (!first || !last) {
      return std::nullopt;
    }
    ranges.push_back({std::min(*first, *last), std::max(*first, *last)});
  }
  return ranges;
}

}  // namespace kivprism::canlog

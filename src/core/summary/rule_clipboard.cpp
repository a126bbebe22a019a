#include "core/summary/rule_clipboard.hpp"

#include <algorithm>
#include <cstdio>

#include "core/config/text_codec.hpp"
#include "core/summary/rule_summary.hpp"

namespace kivprism::summary {

namespace {

constexpr std::string_view kSeparator = " | ";
constexpr std::string_view kBytesTag = "bytes ";
constexpr std::string_view kCrcTag = "crc ";
constexpr std::size_t kCrcDigits = 8;

// The words stay on their line: a name or summary never breaks it or fakes a separator's place
// (the bytes are read from the end).
std::string oneLine(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
      c = ' ';
    }
  }
  return text;
}

std::string crcText(std::uint32_t crc) {
  char buffer[kCrcDigits + 1];
  std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(crc));
  return buffer;
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
    s.remove_prefix(1);
  }
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) {
    return false;
  }
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(text[i]) != lower(prefix[i])) {
      return false;
    }
  }
  return true;
}

bool allHex(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return config::hexDigitValue(c).has_value(); });
}

// The last " | tag value" field of the line, which is cut off it.
std::optional<std::string_view> takeLastField(std::string_view& line, std::string_view tag) {
  const std::size_t at = line.rfind(kSeparator);
  if (at == std::string_view::npos) {
    return std::nullopt;
  }
  std::string_view field = trimmed(line.substr(at + kSeparator.size()));
  line = line.substr(0, at);
  if (!startsWithIgnoringCase(field, tag)) {
    return std::nullopt;
  }
  return trimmed(field.substr(tag.size()));
}

std::optional<events::EntryData> parseLine(std::string_view line) {
  const std::optional<std::string_view> crc = takeLastField(line, kCrcTag);
  const std::optional<std::string_view> hex = takeLastField(line, kBytesTag);
  if (!crc || !hex || crc->size() != kCrcDigits || !allHex(*crc) ||
      hex->size() != 2 * events::entry::kSize || !allHex(*hex)) {
    return std::nullopt;
  }
  events::EntryData bytes{};
  config::hexToBytes(*hex, bytes);
  std::uint32_t expected = 0;
  for (const char c : *crc) {
    expected = (expected << 4) | *config::hexDigitValue(c);
  }
  // The bytes as they were copied, whatever their types: a hand-edited or cut line is refused.
  if (config::crc32Mpeg2(bytes) != expected) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

std::string ruleLine(const config::ConfigImage& image, std::size_t entry, lang::Language language) {
  const events::ConstEntryBytes e = events::entryAt(image, entry);
  std::string line(kRuleLineMarker);
  line += std::to_string(entry);
  for (std::string words :
       {events::entryName(e), eventWords(image, entry, language),
        pressWords(image, entry, language), reactionWords(image, entry, language)}) {
    line += kSeparator;
    line += oneLine(std::move(words));
  }
  line += kSeparator;
  line += kBytesTag;
  line += config::bytesToHex(e);
  line += kSeparator;
  line += kCrcTag;
  line += crcText(config::crc32Mpeg2(e));
  return line;
}

std::string rulesText(const config::ConfigImage& image, std::span<const std::size_t> entries,
                      lang::Language language) {
  std::string text;
  for (const std::size_t entry : entries) {
    text += ruleLine(image, entry, language);
    text += '\n';
  }
  return text;
}

std::optional<std::vector<events::EntryData>> parseRulesText(std::string_view text) {
  if (text.size() > kMaxClipboardText) {
    return std::nullopt;
  }
  std::vector<events::EntryData> rules;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = trimmed(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!startsWithIgnoringCase(line, kRuleLineMarker)) {
      continue;
    }
    std::optional<events::EntryData> rule = parseLine(line);
    if (!rule || rules.size() == kMaxClipboardRules) {
      return std::nullopt;
    }
    rules.push_back(*rule);
  }
  if (rules.empty()) {
    return std::nullopt;
  }
  return rules;
}

}  // namespace kivprism::summary

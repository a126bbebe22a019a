#include "core/config/profile_store.hpp"

#include <algorithm>
#include <utility>

namespace kivprism::config {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// "[name]" with optional blanks; returns the trimmed name or nothing for other lines.
std::optional<std::string_view> sectionHeaderName(std::string_view line) {
  const std::string_view t = trimBlanks(line);
  if (t.size() < 2 || t.front() != '[') {
    return std::nullopt;
  }
  const auto close = t.find(']');
  if (close == std::string_view::npos) {
    return std::nullopt;
  }
  return trimBlanks(t.substr(1, close - 1));
}

// The profile routines drop one pair of matching double or single quotes around a whole value, so
// files written by other tools may quote a value to keep its blanks.
std::string_view unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// A value that reading would change (blanks at an end, or a whole value in matching quotes) is
// written in double quotes, so that it reads back as it was set.
bool needsQuotes(std::string_view value) {
  return !value.empty() && (isBlank(value.front()) || isBlank(value.back()) ||
                            unquoted(value).size() != value.size());
}

}  // namespace

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return lowerAscii(x) == lowerAscii(y);
         });
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

ProfileStore::Line ProfileStore::parseLine(std::string text) {
  Line line;
  const auto eq = text.find('=');
  const std::string_view lead = trimBlanks(text);
  if (eq != std::string::npos && !lead.empty() && lead.front() != ';') {
    line.keyName = std::string(trimBlanks(std::string_view(text).substr(0, eq)));
    line.valueStart = eq + 1;
  }
  line.text = std::move(text);
  return line;
}

ProfileStore ProfileStore::parse(std::string_view text) {
  // Editors that save UTF-8 put a byte-order mark first; it would hide the first section header.
  constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
  // A file saved by two such editors in turn may carry it twice; a mark left at the start of the
  // text would be dropped by the next read of what we write.
  while (text.starts_with(kUtf8Bom)) {
    text.remove_prefix(kUtf8Bom.size());
  }
  ProfileStore store;
  store.sections_.push_back(Section{});
  while (!text.empty()) {
    // CR LF, LF and a lone CR each end a line, so no value ever holds a line break that the
    // writer would drop.
    const auto end = text.find_first_of("\r\n");
    const std::string_view raw = text.substr(0, end);
    std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end != std::string_view::npos && text[end] == '\r' && next < text.size() &&
        text[next] == '\n') {
      ++next;
    }
    text.remove_prefix(next);
    if (const auto name = sectionHeaderName(raw)) {
      store.sections_.push_back(Section{std::string(*name), true, {}});
      store.sections_.back().lines.push_back(Line{std::string(raw), {}, 0});
      continue;
    }
    store.sections_.back().lines.push_back(parseLine(std::string(raw)));
  }
  return store;
}

std::string ProfileStore::serialize() const {
  std::string out;
  for (const auto& section : sections_) {
    for (const auto& line : section.lines) {
      out += line.text;
      out += "\r\n";
    }
  }
  return out;
}

void ProfileStore::setHeaderComment(std::string_view comment) {
  std::string text = "; ";
  for (const char c : comment) {
    if (c != '\r' && c != '\n') {
      text += c;
    }
  }
  const std::string_view body = std::string_view(text).substr(2);
  if (body.empty()) {
    return;
  }
  const std::string mark = "; " + std::string(body.substr(0, body.find(' '))) + ' ';
  if (sections_.empty() || sections_.front().hasHeader) {
    sections_.insert(sections_.begin(), Section{});
  }
  auto& lines = sections_.front().lines;
  if (!lines.empty() && (lines.front().text + ' ').starts_with(mark)) {
    lines.front() = Line{std::move(text), {}, 0};
  } else {
    lines.insert(lines.begin(), Line{std::move(text), {}, 0});
  }
}

const ProfileStore::Section* ProfileStore::findSection(std::string_view name) const {
  for (const auto& section : sections_) {
    if (section.hasHeader && equalsIgnoreCase(section.name, name)) {
      return &section;
    }
  }
  return nullptr;
}

ProfileStore::Section* ProfileStore::findSection(std::string_view name) {
  return const_cast<Section*>(std::as_const(*this).findSection(name));
}

const ProfileStore::Line* ProfileStore::findKey(const Section& section, std::string_view key) {
  for (const auto& line : section.lines) {
    if (!line.keyName.empty() && equalsIgnoreCase(line.keyName, key)) {
      return &line;
    }
  }
  return nullptr;
}

std::optional<std::string> ProfileStore::get(std::string_view section, std::string_view key) const {
  const Section* s = findSection(section);
  if (s == nullptr) {
    return std::nullopt;
  }
  const Line* line = findKey(*s, key);
  if (line == nullptr) {
    return std::nullopt;
  }
  return std::string(unquoted(trimBlanks(std::string_view(line->text).substr(line->valueStart))));
}

std::string ProfileStore::get(std::string_view section, std::string_view key,
                              std::string_view fallback) const {
  auto value = get(section, key);
  return value ? std::move(*value) : std::string(fallback);
}

void ProfileStore::set(std::string_view section, std::string_view key, std::string_view rawValue) {
  // A value is one line: a line break in it would start a line of its own that the reader takes
  // for a key or a section header and so loses the keys after it.
  std::string value(rawValue);
  std::erase_if(value, [](char c) { return c == '\r' || c == '\n'; });
  if (needsQuotes(value)) {
    value = '"' + value + '"';
  }
  Section* s = findSection(section);
  if (s == nullptr) {
    sections_.push_back(Section{std::string(section), true, {}});
    s = &sections_.back();
    s->lines.push_back(Line{"[" + std::string(section) + "]", {}, 0});
  }
  if (auto* line = const_cast<Line*>(findKey(*s, key))) {
    // Keep the name as the file spells it; only the value changes.
    *line = parseLine(line->keyName + "=" + value);
    return;
  }
  // A new key goes after the section's last non-blank line, so blank separators stay between
  // sections.
  auto pos = s->lines.end();
  while (pos != s->lines.begin() && trimBlanks(std::prev(pos)->text).empty()) {
    --pos;
  }
  s->lines.insert(pos, parseLine(std::string(key) + "=" + value));
}

std::vector<std::string> ProfileStore::sectionNames() const {
  std::vector<std::string> names;
  for (const auto& section : sections_) {
    if (section.hasHeader) {
      names.push_back(section.name);
    }
  }
  return names;
}

}  // namespace kivprism::config

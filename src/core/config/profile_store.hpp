// An ini ("private profile") text in memory, read and written the way the Windows private-profile
// routines do it, so that configuration files written by other tools and by hand load as users
// expect: section and key names match without regard to (ASCII) case, the first match wins, blanks
// around names and values are ignored, and one pair of matching double or single quotes around a
// whole value is dropped. Writing a key replaces its value in place, a missing key
// goes to the end of its section and a missing section to the end of the text; every other line
// stays as it was. Text bytes pass through unchanged (names in configuration files are cp1251).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivprism::config {

class ProfileStore {
 public:
  ProfileStore() = default;
  // Accepts CR LF, LF and lone CR line ends; a UTF-8 byte-order mark at the start is skipped.
  static ProfileStore parse(std::string_view text);
  // Every line ends with CR LF.
  std::string serialize() const;

  std::optional<std::string> get(std::string_view section, std::string_view key) const;
  std::string get(std::string_view section, std::string_view key, std::string_view fallback) const;
  // CR and LF in the value are left out: a value never spans lines. A value that reading would
  // change (blanks at either end, or quotes around the whole of it) is written in double quotes,
  // so get() returns it as it was set.
  void set(std::string_view section, std::string_view key, std::string_view value);
  // The names of the section headers, in the order of the text.
  std::vector<std::string> sectionNames() const;
  // Puts "; COMMENT" on the first line, naming who wrote the text. A first line that is a comment
  // opening with the same word (the previous writer's) is replaced, so saving again does not
  // stack them; every other line stays. Line breaks in the comment are left out.
  void setHeaderComment(std::string_view comment);

 private:
  struct Line {
    std::string text;     // as read, or as written by set()
    std::string keyName;  // trimmed key of a key=value line, empty otherwise
    std::size_t valueStart = 0;
  };
  struct Section {
    std::string name;  // trimmed; the lines before the first header have no section
    bool hasHeader = false;
    std::vector<Line> lines;  // header first when hasHeader
  };

  static Line parseLine(std::string text);
  Section* findSection(std::string_view name);
  const Section* findSection(std::string_view name) const;
  static const Line* findKey(const Section& section, std::string_view key);

  std::vector<Section> sections_;
};

// Case-insensitive comparison of ASCII names, as the profile routines compare them.
bool equalsIgnoreCase(std::string_view a, std::string_view b);
std::string_view trimBlanks(std::string_view text);

}  // namespace kivprism::config

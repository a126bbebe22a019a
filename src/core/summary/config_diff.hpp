// What differs between two configuration images, by name: a parameter by its file key and its
// caption with both values in words, a rule by number and name with the fields that differ in the
// rule-summary words, and any other byte that differs as bytes, so that nothing is hidden.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/image.hpp"
#include "core/lang/text.hpp"

namespace kivprism::summary {

enum class DifferenceKind { Parameter, Rule, Bytes };

// What a rule field is, for scripts: the same in every language.
enum class RuleField { None, Name, Event, Press, Reaction, Bytes };

struct FieldChange {
  std::string field;  // in words: parameter: empty; rule: "event", "press", ...; bytes: offsets
  RuleField id = RuleField::None;
  std::string before;
  std::string after;
  friend bool operator==(const FieldChange&, const FieldChange&) = default;
};

struct Difference {
  DifferenceKind kind = DifferenceKind::Bytes;
  std::string key;      // parameter: the configuration file's key (or the control's name)
  std::string control;  // parameter: the control of the parameters page that edits it
  std::string label;    // parameter: its caption; rule: "Rule 4 \"Seek\""; bytes: "Image bytes .."
  std::size_t entry = 0;   // rule: 1..100
  std::size_t offset = 0;  // image offset of the first byte concerned
  std::vector<FieldChange> changes;
  // One line: "CANPARAM_BAUD500K (Bus speed): 500 kbit/s -> 125 kbit/s",
  // "Rule 4 \"Seek\": reaction: USB key: Next Track -> USB key: Previous Track".
  std::string line() const;
};

// A control of the parameters page as the comparison names it: the file key (or the control's
// name), its caption and the value it shows for the image, in words.
struct NamedValue {
  std::string key;
  std::string name;
  std::string value;
  friend bool operator==(const NamedValue&, const NamedValue&) = default;
};
// Nothing for a name that is no parameter control with a field of its own.
std::optional<NamedValue> parameterWords(std::string_view control, const config::ConfigImage& image,
                                         lang::Language language);

std::vector<Difference> compareImages(const config::ConfigImage& before,
                                      const config::ConfigImage& after, lang::Language language);

}  // namespace kivprism::summary

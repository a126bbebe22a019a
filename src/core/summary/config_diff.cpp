#include "core/summary/config_diff.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <tuple>

#include "core/config/config_file.hpp"
#include "core/events/entry.hpp"
#include "core/forms/main_form_rows.hpp"
#include "core/keys/key_rules.hpp"
#include "core/lang/language_table.hpp"
#include "core/params/bindings.hpp"
#include "core/summary/rule_summary.hpp"
#include "core/summary/summary_texts.hpp"
#include "core/view/field_ref.hpp"

namespace kivprism::summary {

namespace {

namespace layout = config::layout;
using config::ConfigImage;
using lang::Language;
using view::Binding;
using view::ControlKind;
using view::ControlView;

constexpr std::string_view kArrow = " -> ";

// The caption the parameters page shows for a control: a check box's own caption, the caption
// kept with a program-filled control's binding, or the caption of the panel beside it ("Panel"
// and the control's role). A control whose label the page places elsewhere gets none.
std::string captionOf(const Binding& b, Language l) {
  if (!b.caption.in(l).empty()) {
    return std::string(b.caption.in(l));
  }
  const auto rows = forms::mainFormRows();
  const auto lookup = [&](std::string_view control) -> std::string {
    const std::string key =
        std::string(lang::kMainFormName) + "_" + std::string(control) + "_Caption";
    const lang::LanguageRow* row = lang::findLanguageRow(key, rows);
    if (row == nullptr || row->text.in(l).find_first_of("\r\n") != std::string_view::npos) {
      return {};
    }
    return std::string(row->text.in(l));
  };
  if (b.kind == ControlKind::Check) {
    return lookup(b.control);
  }
  std::string_view role = b.control;
  for (std::string_view prefix :
       {"ValueListEditor", "CheckListBox", "CSpinEdit", "ComboBox", "CheckBox", "Edit"}) {
    if (role.starts_with(prefix)) {
      role.remove_prefix(prefix.size());
      break;
    }
  }
  if (role.ends_with('x')) {
    role.remove_suffix(1);
  }
  return lookup("Panel" + std::string(role));
}

// What the control shows for the image, in words.
std::string valueWords(const Binding& b, const ConfigImage& image, Language l) {
  ControlView v;
  view::showControl(v, b, image, view::FormContext{l, 1});
  switch (b.kind) {
    case ControlKind::Combo: {
      for (const auto& [index, text] : v.itemOverrides) {
        if (index == v.value) {
          return text;
        }
      }
      if (v.value >= 0 && static_cast<std::size_t>(v.value) < v.items.size()) {
        return std::string(v.items[static_cast<std::size_t>(v.value)].in(l));
      }
      return std::to_string(v.value);
    }
    case ControlKind::Check:
      return std::string((v.checked ? texts::kOn : texts::kOff).in(l));
    case ControlKind::CheckList: {
      // A bit the list has no item for (a file from a newer controller) is named by its number.
      std::string out;
      for (unsigned bit = 0; bit < 32; ++bit) {
        if ((v.bits & (1u << bit)) == 0) {
          continue;
        }
        out += out.empty() ? "" : ", ";
        out += bit < v.items.size() ? std::string(v.items[bit].in(l))
                                    : lang::formatText(texts::kBit.in(l), bit);
      }
      return out.empty() ? std::string(texts::kNone.in(l)) : out;
    }
    case ControlKind::Edit:
      return v.text;
    case ControlKind::Spin:
      return std::to_string(v.value);
    case ControlKind::Grid:
    case ControlKind::Widget:
      break;
  }
  return std::to_string(view::readField(image, b.field, 1));
}

std::string hexRun(const ConfigImage& image, std::size_t offset, std::size_t size) {
  std::string out;
  for (std::size_t i = 0; i < size; ++i) {
    out += lang::formatText(i == 0 ? "%02X" : " %02X", unsigned{image.data()[offset + i]});
  }
  return out;
}

// For every image byte, the bits some control of the parameters page names.
using Coverage = std::array<std::uint8_t, layout::kImageSize>;

void compareParameters(const ConfigImage& a, const ConfigImage& b, Language l, Coverage& covered,
                       std::vector<Difference>& out) {
  std::set<std::tuple<std::size_t, std::size_t, std::uint8_t>> seen;  // offset, width, bits
  for (const Binding& binding : params::bindings()) {
    if (!view::hasField(binding.field)) {
      continue;
    }
    const config::Field field = view::imageField(binding.field);
    const std::optional<config::BitField> bits = view::bitField(binding.field);
    const std::uint8_t mask = bits ? bits->mask() : std::uint8_t{0xFF};
    for (std::size_t i = field.offset; i < field.end(); ++i) {
      covered.at(i) |= mask;
    }
    if (!seen.emplace(field.offset, field.width, mask).second) {
      continue;
    }
    if (view::readField(a, binding.field, 1) == view::readField(b, binding.field, 1)) {
      continue;
    }
    Difference d;
    d.kind = DifferenceKind::Parameter;
    d.key = std::string(config::integerKeyName(field, bits).value_or(binding.control));
    d.control = std::string(binding.control);
    d.label = captionOf(binding, l);
    d.offset = field.offset;
    d.changes.push_back(
        {{}, RuleField::None, valueWords(binding, a, l), valueWords(binding, b, l)});
    out.push_back(std::move(d));
  }
}

// Runs of bytes of an area that differ in bits no name covers.
void compareBytes(const ConfigImage& a, const ConfigImage& b, config::Field area,
                  const Coverage& covered, Language l, std::vector<Difference>& out) {
  std::size_t i = area.offset;
  while (i < area.end()) {
    const auto unnamed = [&](std::size_t at) {
      return ((a.data()[at] ^ b.data()[at]) & static_cast<std::uint8_t>(~covered[at])) != 0;
    };
    if (!unnamed(i)) {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < area.end() && unnamed(end)) {
      ++end;
    }
    Difference d;
    d.kind = DifferenceKind::Bytes;
    d.offset = i;
    d.label = lang::formatText(texts::kImageBytes.in(l), static_cast<unsigned>(i),
                               static_cast<unsigned>(end - 1));
    d.changes.push_back({{}, RuleField::None, hexRun(a, i, end - i), hexRun(b, i, end - i)});
    out.push_back(std::move(d));
    i = end;
  }
}

// A learnt key of the keys table, by its file section and key ("KEYSCH1 KEY03") and its label.
void compareKeys(const ConfigImage& a, const ConfigImage& b, Language l, Coverage& covered,
                 std::vector<Difference>& out) {
  const auto words = [l](const ConfigImage& image, std::size_t channel, std::size_t key) {
    const std::string label = keys::keyCellText(image, channel, key);
    if (label.empty()) {
      return std::string(texts::kEmpty.in(l));
    }
    return lang::formatText(texts::kLearntKey.in(l), label.c_str(),
                            unsigned{keys::keyLevelAt(image, channel, key)},
                            unsigned{keys::keyToleranceAt(image, channel, key)});
  };
  for (std::size_t channel = 0; channel < layout::kKeyChannelCount; ++channel) {
    for (std::size_t key = 1; key <= layout::kKeysPerChannel; ++key) {
      const config::Field field = layout::keyEntry(channel, key - 1);
      for (std::size_t i = field.offset; i < field.end(); ++i) {
        covered[i] = 0xFF;
      }
      const std::string before = words(a, channel, key);
      const std::string after = words(b, channel, key);
      if (before == after) {
        // Bytes behind an empty slot, or a stored label the cell does not show: as bytes.
        for (std::size_t i = field.offset; i < field.end(); ++i) {
          covered[i] = 0;
        }
        continue;
      }
      Difference d;
      d.kind = DifferenceKind::Parameter;
      d.key = lang::formatText("KEYSCH%u KEY%02u", static_cast<unsigned>(channel + 1),
                               static_cast<unsigned>(key));
      d.control = "TabSheetKEYS";
      d.offset = field.offset;
      d.changes.push_back({{}, RuleField::None, before, after});
      out.push_back(std::move(d));
    }
  }
}

std::string ruleLabel(std::size_t number, const std::string& name, Language l) {
  std::string label = lang::formatText(texts::kRuleLabel.in(l), static_cast<unsigned>(number));
  return name.empty() ? label : label + " \"" + name + "\"";
}

void compareRule(const ConfigImage& a, const ConfigImage& b, std::size_t number, Language l,
                 std::vector<Difference>& out) {
  const events::ConstEntryBytes ea = events::entryAt(a, number);
  const events::ConstEntryBytes eb = events::entryAt(b, number);
  if (std::equal(ea.begin(), ea.end(), eb.begin())) {
    return;
  }
  Difference d;
  d.kind = DifferenceKind::Rule;
  d.entry = number;
  d.offset = layout::entry(number - 1).offset;
  const std::string nameA = events::entryName(ea);
  const std::string nameB = events::entryName(eb);
  d.label = ruleLabel(number, nameB.empty() ? nameA : nameB, l);
  const auto words = [&](const ConfigImage& image, events::ConstEntryBytes e, auto summary) {
    return isUnused(e) ? std::string(texts::kEmpty.in(l)) : summary(image, number, l);
  };
  const auto add = [&](const lang::TextPair& field, RuleField id, std::string before,
                       std::string after) {
    if (before != after) {
      d.changes.push_back({std::string(field.in(l)), id, std::move(before), std::move(after)});
    }
  };
  add(texts::kFieldName, RuleField::Name, '"' + nameA + '"', '"' + nameB + '"');
  add(texts::kFieldEvent, RuleField::Event, words(a, ea, eventWords), words(b, eb, eventWords));
  add(texts::kFieldPress, RuleField::Press, words(a, ea, pressWords), words(b, eb, pressWords));
  add(texts::kFieldReaction, RuleField::Reaction, words(a, ea, reactionWords),
      words(b, eb, reactionWords));
  if (d.changes.empty()) {
    // Bytes the words do not show (a stored setting the page hides): shown as bytes.
    std::size_t first = 0;
    while (ea[first] == eb[first]) {
      ++first;
    }
    std::size_t last = ea.size() - 1;
    while (ea[last] == eb[last]) {
      --last;
    }
    const std::string range = std::to_string(first) + ".." + std::to_string(last);
    d.changes.push_back({lang::formatText(texts::kFieldBytes.in(l), range.c_str()),
                         RuleField::Bytes, hexRun(a, d.offset + first, last - first + 1),
                         hexRun(b, d.offset + first, last - first + 1)});
  }
  out.push_back(std::move(d));
}

}  // namespace

std::string Difference::line() const {
  std::string text;
  switch (kind) {
    case DifferenceKind::Parameter:
      text = label.empty() ? key : key + " (" + label + ")";
      break;
    case DifferenceKind::Rule:
    case DifferenceKind::Bytes:
      text = label;
      break;
  }
  text += ": ";
  for (std::size_t i = 0; i < changes.size(); ++i) {
    if (i != 0) {
      text += "; ";
    }
    if (!changes[i].field.empty()) {
      text += changes[i].field + ": ";
    }
    text += changes[i].before + std::string(kArrow) + changes[i].after;
  }
  return text;
}

std::optional<NamedValue> parameterWords(std::string_view control, const ConfigImage& image,
                                         Language l) {
  const Binding* binding = params::findBinding(control);
  if (binding == nullptr || !view::hasField(binding->field)) {
    return std::nullopt;
  }
  const config::Field field = view::imageField(binding->field);
  return NamedValue{
      std::string(
          config::integerKeyName(field, view::bitField(binding->field)).value_or(binding->control)),
      captionOf(*binding, l), valueWords(*binding, image, l)};
}

std::vector<Difference> compareImages(const ConfigImage& a, const ConfigImage& b, Language l) {
  std::vector<Difference> out;
  Coverage covered{};
  compareBytes(a, b, layout::kTouchBlock, covered, l, out);
  for (std::size_t n = events::kFirstEntryNumber; n <= events::kLastEntryNumber; ++n) {
    compareRule(a, b, n, l, out);
  }
  compareParameters(a, b, l, covered, out);
  compareKeys(a, b, l, covered, out);
  compareBytes(a, b, layout::kParamBlock, covered, l, out);
  return out;
}

}  // namespace kivprism::summary

#include "core/summary/config_export.hpp"

#include <array>
#include <stdexcept>
#include <string_view>

#include "core/config/config_file.hpp"
#include "core/config/profile_store.hpp"
#include "core/params/assignment.hpp"
#include "core/params/bindings.hpp"
#include "core/summary/summary_texts.hpp"
#include "core/view/field_ref.hpp"

namespace kivprism::summary {

namespace {

using config::ConfigImage;
using lang::Language;

// The controls that switch an interface, a bus or a module on (0 is off for each of them), with
// the interface's name: the page's own caption beside such a control often says only "Connection".
struct InterfaceControl {
  std::string_view control;
  lang::TextPair name;
};
constexpr std::array<InterfaceControl, 21> kInterfaceControls = {{
    {"ComboBoxDIFFBUSx", {"Дифференциальная шина X4/5, X4/6", "Differential bus X4/5, X4/6"}},
    {"ComboBoxLIN1MODEx", {"LIN1", "LIN1"}},
    {"ComboBoxLIN2MODEx", {"LIN2", "LIN2"}},
    {"CheckListBoxUSBMODEx", {"Функции USB", "USB functions"}},
    {"ComboBoxTouchMode", {"Тачпанель", "Touch panel"}},
    {"ComboBoxIRINPNUM", {"ИК вход", "IR input"}},
    {"ComboBoxEditEncoder1Mode", {"Энкодер 1", "Encoder 1"}},
    {"ComboBoxEditEncoder2Mode", {"Энкодер 2", "Encoder 2"}},
    {"ComboBoxGPSNUM", {"GPS", "GPS"}},
    {"ComboBoxHEADNUM", {"Головное устройство", "Head unit"}},
    {"ComboBoxEXTNAVINUM", {"Внешний навигатор", "External navigator"}},
    {"ComboBoxIBUSNUM", {"BMW I-BUS", "BMW I-BUS"}},
    {"ComboBoxCap2ResNum", {"Конвертер CAP2RES", "CAP2RES converter"}},
    {"ComboBoxBTNum", {"Блютуз", "Bluetooth"}},
    {"ComboBoxPS2Type", {"Тачпад PS/2", "PS/2 touchpad"}},
    {"ComboBoxUARTNum", {"Модуль UART", "UART module"}},
    {"ComboBoxAUDIMMIType", {"AUDI MMI", "AUDI MMI"}},
    {"ComboBoxCarDspConnect", {"CarDSP", "CarDSP"}},
    {"ComboBoxRESEMULPARAM", {"Эмулятор резистивной панели", "Resistive panel emulator"}},
    {"ComboBoxGAZERUARTNum", {"GAZER", "GAZER"}},
    {"ComboBoxVOLVO_ALPS_UART", {"Volvo ALPS", "Volvo ALPS"}},
}};

std::vector<NamedValue> interfacesInUse(const ConfigImage& image, Language l) {
  std::vector<NamedValue> out;
  for (const InterfaceControl& i : kInterfaceControls) {
    const view::Binding* binding = params::findBinding(i.control);
    if (binding == nullptr) {
      throw std::invalid_argument("no parameter control " + std::string(i.control));
    }
    if (view::readField(image, binding->field, 1) == 0) {
      continue;
    }
    if (auto words = parameterWords(i.control, image, l)) {
      words->name = std::string(i.name.in(l));
      out.push_back(std::move(*words));
    }
  }
  return out;
}

// A pin a function claims shows that function; a free pin the mode its list shows.
std::vector<NamedValue> pinAssignment(const ConfigImage& image, Language l) {
  const params::PinClaims claims = params::computeClaims(image);
  std::vector<NamedValue> out;
  for (const params::PinInfo& pin : params::pinTable()) {
    NamedValue row;
    row.key = std::string(params::pinName(pin.pin));
    if (const lang::TextPair* owner = claims.owner[static_cast<std::size_t>(pin.pin)]) {
      row.value = std::string(owner->in(l));
    } else if (auto words = parameterWords(pin.control, image, l)) {
      row.value = words->value;
    }
    out.push_back(std::move(row));
  }
  return out;
}

std::vector<Difference> changedParameters(const ConfigImage& image, Language l) {
  std::vector<Difference> out;
  for (Difference& d : compareImages(defaultConfiguration(), image, l)) {
    if (d.kind == DifferenceKind::Parameter) {
      out.push_back(std::move(d));
    }
  }
  return out;
}

std::string_view languageCode(Language l) { return l == Language::Russian ? "ru" : "en"; }

// --- rendering ---

// One table of a section: its column titles and its rows, the same for every format.
struct Table {
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
  std::string empty;  // said instead of an empty table
};

struct Section {
  std::string title;
  Table table;
};

std::string text(const lang::TextPair& pair, Language l) { return std::string(pair.in(l)); }

std::vector<Section> sectionsOf(const ExportSummary& s) {
  const Language l = s.language;
  std::vector<Section> out;

  Section controller{text(texts::kSectionController, l),
                     {{text(texts::kColumnName, l), text(texts::kColumnValue, l)}, {}, {}}};
  if (s.controller) {
    const device::DeviceInfo& info = *s.controller;
    controller.table.rows = {
        {text(texts::kModel, l), info.name},
        {text(texts::kFirmware, l), versionText(info.applicationVersion)},
        {text(texts::kLoader, l), versionText(info.loaderVersion)},
        {text(texts::kSerialNumber, l), std::to_string(info.serialNumber)},
    };
  } else {
    controller.table.empty = text(texts::kControllerUnknown, l);
  }
  out.push_back(std::move(controller));

  Section interfaces{
      text(texts::kSectionInterfaces, l),
      {{text(texts::kColumnName, l), text(texts::kColumnValue, l), text(texts::kColumnKey, l)},
       {},
       text(texts::kNoInterfaces, l)}};
  for (const NamedValue& v : s.interfaces) {
    interfaces.table.rows.push_back({v.name, v.value, v.key});
  }
  out.push_back(std::move(interfaces));

  Section pins{text(texts::kSectionPins, l),
               {{text(texts::kColumnPin, l), text(texts::kColumnFunction, l)}, {}, {}}};
  for (const NamedValue& v : s.pins) {
    pins.table.rows.push_back({v.key, v.value});
  }
  out.push_back(std::move(pins));

  Section parameters{text(texts::kSectionParameters, l),
                     {{text(texts::kColumnKey, l), text(texts::kColumnName, l),
                       text(texts::kColumnValue, l), text(texts::kColumnDefault, l)},
                      {},
                      text(texts::kNoParameters, l)}};
  for (const Difference& d : s.parameters) {
    const FieldChange& c = d.changes.front();
    parameters.table.rows.push_back({d.key, d.label, c.after, c.before});
  }
  out.push_back(std::move(parameters));

  Section rules{text(texts::kSectionRules, l),
                {{text(texts::kColumnNumber, l), text(texts::kColumnName, l),
                  text(texts::kColumnEvent, l), text(texts::kColumnPress, l),
                  text(texts::kColumnReaction, l), text(texts::kColumnRemarks, l)},
                 {},
                 text(texts::kNoRules, l)}};
  for (const RuleRow& r : s.rules) {
    rules.table.rows.push_back(
        {std::to_string(r.number), r.name, r.event, r.press, r.reaction, r.troubleText()});
  }
  out.push_back(std::move(rules));
  return out;
}

std::string titleOf(const ExportSummary& s) {
  const std::string heading = text(texts::kExportTitle, s.language);
  return s.title.empty() ? heading : heading + ": " + s.title;
}

// Each line of a text that may hold line breaks (a rule's name, the marks), CR LF counted once.
template <typename Line, typename Break>
void forEachLine(std::string_view t, Line line, Break lineBreak) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '\r' || t[i] == '\n') {
      line(t.substr(start, i - start));
      lineBreak();
      if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') {
        ++i;
      }
      start = i + 1;
    }
  }
  line(t.substr(start));
}

std::string htmlEscape(std::string_view t) {
  std::string out;
  forEachLine(
      t,
      [&](std::string_view line) {
        for (const char c : line) {
          switch (c) {
            case '&':
              out += "&amp;";
              break;
            case '<':
              out += "&lt;";
              break;
            case '>':
              out += "&gt;";
              break;
            case '"':
              out += "&quot;";
              break;
            case '\'':
              out += "&#39;";
              break;
            default:
              out += c;
          }
        }
      },
      [&] { out += "<br>"; });
  return out;
}

// A cell of a Markdown table: every character Markdown could read as markup is escaped (a
// backslash escape for punctuation, so "&lt;" stays text), a line break becomes <br>.
std::string markdownEscape(std::string_view t) {
  constexpr std::string_view kMarkup = "\\`*_{}[]<>()#+-!|~&";
  std::string out;
  forEachLine(
      t,
      [&](std::string_view line) {
        for (const char c : line) {
          if (kMarkup.find(c) != std::string_view::npos) {
            out += '\\';
          }
          out += c;
        }
      },
      [&] { out += "<br>"; });
  return out;
}

constexpr std::string_view kHtmlStyle = R"(@page { size: A4; margin: 15mm; }
body { font-family: "DejaVu Sans", Arial, sans-serif; font-size: 9.5pt; color: #000; margin: 0; }
@media screen { body { max-width: 180mm; margin: 8mm auto; } }
h1 { font-size: 15pt; margin: 0 0 4mm 0; }
h2 { font-size: 11.5pt; margin: 6mm 0 2mm 0; break-after: avoid; }
table { border-collapse: collapse; width: 100%; }
th, td { border: 0.5pt solid #888; padding: 1mm 1.5mm; text-align: left; vertical-align: top;
  overflow-wrap: break-word; }
th { background: #e8e8e8; white-space: nowrap; }
thead { display: table-header-group; }
tr { break-inside: avoid; }
p.none { color: #444; font-style: italic; margin: 0; }
)";

}  // namespace

config::ConfigImage defaultConfiguration() {
  config::ConfigImage image;
  config::loadImage(config::ProfileStore{}, image);
  config::applyAfterWholeRead(image, true);
  return image;
}

ExportSummary buildExportSummary(const ConfigImage& image,
                                 const std::optional<device::DeviceInfo>& controller, Language l,
                                 std::string title) {
  ExportSummary s;
  s.language = l;
  s.title = std::move(title);
  s.controller = controller;
  s.interfaces = interfacesInUse(image, l);
  s.pins = pinAssignment(image, l);
  s.parameters = changedParameters(image, l);
  RuleTable table;
  table.rebuild(image, l);
  for (const std::size_t n : table.visibleEntries({}, true)) {
    s.rules.push_back(table.row(n));
  }
  return s;
}

char csvSeparatorFor(char decimalSeparator) { return decimalSeparator == ',' ? ';' : ','; }

char decimalSeparatorOf(Language l) { return l == Language::Russian ? ',' : '.'; }

std::string versionText(std::uint32_t timesHundred) {
  return lang::formatText("%u.%02u", timesHundred / 100, timesHundred % 100);
}

std::string renderHtml(const ExportSummary& s) {
  std::string out = "<!DOCTYPE html>\n<html lang=\"";
  out += languageCode(s.language);
  out += "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + htmlEscape(titleOf(s)) +
         "</title>\n<style>\n";
  out += kHtmlStyle;
  out += "</style>\n</head>\n<body>\n<h1>" + htmlEscape(titleOf(s)) + "</h1>\n";
  for (const Section& section : sectionsOf(s)) {
    out += "<h2>" + htmlEscape(section.title) + "</h2>\n";
    const Table& t = section.table;
    if (t.rows.empty()) {
      out += "<p class=\"none\">" + htmlEscape(t.empty) + "</p>\n";
      continue;
    }
    out += "<table>\n<thead><tr>";
    for (const std::string& c : t.columns) {
      out += "<th>" + htmlEscape(c) + "</th>";
    }
    out += "</tr></thead>\n<tbody>\n";
    for (const auto& row : t.rows) {
      out += "<tr>";
      for (const std::string& cell : row) {
        out += "<td>" + htmlEscape(cell) + "</td>";
      }
      out += "</tr>\n";
    }
    out += "</tbody>\n</table>\n";
  }
  out += "</body>\n</html>\n";
  return out;
}

std::string renderMarkdown(const ExportSummary& s) {
  std::string out = "# " + markdownEscape(titleOf(s)) + "\n";
  for (const Section& section : sectionsOf(s)) {
    out += "\n## " + markdownEscape(section.title) + "\n\n";
    const Table& t = section.table;
    if (t.rows.empty()) {
      out += markdownEscape(t.empty) + "\n";
      continue;
    }
    const auto line = [&](const std::vector<std::string>& cells) {
      out += '|';
      for (const std::string& c : cells) {
        out += ' ' + markdownEscape(c) + " |";
      }
      out += '\n';
    };
    line(t.columns);
    out += '|';
    for (std::size_t i = 0; i < t.columns.size(); ++i) {
      out += " --- |";
    }
    out += '\n';
    for (const auto& row : t.rows) {
      line(row);
    }
  }
  return out;
}

std::string renderCsv(const ExportSummary& s, char separator) {
  const Language l = s.language;
  const auto field = [separator](std::string_view t) {
    if (t.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string_view::npos) {
      return std::string(t);
    }
    std::string out = "\"";
    for (const char c : t) {
      out += c;
      if (c == '"') {
        out += '"';
      }
    }
    return out + '"';
  };
  std::string out = "\xEF\xBB\xBF";
  // Every record has every column, as a spreadsheet's import expects.
  constexpr std::size_t kColumns = 9;
  const auto record = [&](std::vector<std::string> cells) {
    cells.resize(kColumns);
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i != 0) {
        out += separator;
      }
      out += field(cells[i]);
    }
    out += "\r\n";
  };
  // One table for a spreadsheet: the section, then the columns every section shares.
  record({text(texts::kColumnSection, l), text(texts::kColumnKey, l), text(texts::kColumnName, l),
          text(texts::kColumnValue, l), text(texts::kColumnDefault, l),
          text(texts::kColumnEvent, l), text(texts::kColumnPress, l),
          text(texts::kColumnReaction, l), text(texts::kColumnRemarks, l)});
  const std::string controller = text(texts::kSectionController, l);
  if (s.controller) {
    const device::DeviceInfo& info = *s.controller;
    record({controller, "model", text(texts::kModel, l), info.name});
    record(
        {controller, "firmware", text(texts::kFirmware, l), versionText(info.applicationVersion)});
    record({controller, "loader", text(texts::kLoader, l), versionText(info.loaderVersion)});
    record(
        {controller, "serial", text(texts::kSerialNumber, l), std::to_string(info.serialNumber)});
  }
  for (const NamedValue& v : s.interfaces) {
    record({text(texts::kSectionInterfaces, l), v.key, v.name, v.value});
  }
  for (const NamedValue& v : s.pins) {
    record({text(texts::kSectionPins, l), v.key, {}, v.value});
  }
  for (const Difference& d : s.parameters) {
    const FieldChange& c = d.changes.front();
    record({text(texts::kSectionParameters, l), d.key, d.label, c.after, c.before});
  }
  for (const RuleRow& r : s.rules) {
    record({text(texts::kSectionRules, l),
            std::to_string(r.number),
            r.name,
            {},
            {},
            r.event,
            r.press,
            r.reaction,
            r.troubleText()});
  }
  return out;
}

std::string renderExport(const ExportSummary& s, ExportFormat format) {
  switch (format) {
    case ExportFormat::Html:
      return renderHtml(s);
    case ExportFormat::Markdown:
      return renderMarkdown(s);
    case ExportFormat::Csv:
      return renderCsv(s, csvSeparatorFor(decimalSeparatorOf(s.language)));
  }
  return {};
}

}  // namespace kivprism::summary

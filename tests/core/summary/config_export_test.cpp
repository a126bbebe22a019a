// The exported summary: each section of the demo's configuration, the words in both languages, and
// names with markup characters, separators and line breaks kept as text in every format.
#include "core/summary/config_export.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/params/assignment.hpp"
#include "core/summary/summary_texts.hpp"
#include "sim/factory_defaults.hpp"
#include "summary_fixture.hpp"

namespace kivprism::summary {
namespace {

using lang::Language;
namespace layout = config::layout;

device::DeviceInfo demoController() {
  const sim::DeviceIdentity identity;
  device::DeviceInfo info;
  info.name = identity.name;
  info.applicationVersion = identity.applicationVersion;
  info.loaderVersion = identity.loaderVersion;
  info.serialNumber = identity.serialNumber;
  return info;
}

const NamedValue* findKey(const std::vector<NamedValue>& values, std::string_view key) {
  const auto it =
      std::find_if(values.begin(), values.end(), [&](const NamedValue& v) { return v.key == key; });
  return it == values.end() ? nullptr : &*it;
}

std::vector<std::string> keysOf(const std::vector<Difference>& differences) {
  std::vector<std::string> keys;
  for (const Difference& d : differences) {
    keys.push_back(d.key);
  }
  return keys;
}

// A reader of RFC 4180 records, to prove that what the export writes reads back field by field.
std::vector<std::vector<std::string>> readCsv(std::string_view text, char separator) {
  std::vector<std::vector<std::string>> records(1);
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"' && field.empty()) {
      quoted = true;
    } else if (c == separator) {
      records.back().push_back(std::move(field));
      field.clear();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      records.back().push_back(std::move(field));
      field.clear();
      records.emplace_back();
      ++i;
    } else {
      EXPECT_NE(c, '\n') << "a bare line feed outside quotes at " << i;
      field += c;
    }
  }
  EXPECT_FALSE(quoted) << "an open quote at the end";
  EXPECT_TRUE(records.back().empty() && field.empty()) << "the last record ends without CR LF";
  records.pop_back();
  return records;
}

TEST(ConfigExportTest, TheControllerIsNamedWhenKnownAndSaidUnknownForAFile) {
  const config::ConfigImage demo = sim::factoryConfiguration();
  const ExportSummary read = buildExportSummary(demo, demoController(), Language::English);
  ASSERT_TRUE(read.controller.has_value());
  const std::string html = renderHtml(read);
  for (const char* expected :
       {"<td>Model</td><td>KIVSOLANPRISM-F401</td>", "<td>Firmware</td><td>1.40</td>",
        "<td>Boot loader</td><td>1.05</td>", "<td>Serial number</td><td>4010001</td>"}) {
    EXPECT_NE(html.find(expected), std::string::npos) << expected;
  }
  EXPECT_EQ(versionText(7), "0.07");
  EXPECT_EQ(versionText(1210), "12.10");
  const ExportSummary file = buildExportSummary(demo, std::nullopt, Language::Russian);
  EXPECT_NE(renderMarkdown(file).find(std::string(texts::kControllerUnknown.ru)),
            std::string::npos);
  EXPECT_EQ(renderHtml(file).find("KIVSOLANPRISM"), std::string::npos);
}

TEST(ConfigExportTest, InterfacesInUseAreTheSwitchedOnOnesByNameInWords) {
  config::ConfigImage image = sim::factoryConfiguration();
  const ExportSummary en = buildExportSummary(image, std::nullopt, Language::English);
  ASSERT_EQ(en.interfaces.size(), 2u);
  EXPECT_EQ(en.interfaces[0].name, "Differential bus X4/5, X4/6");
  EXPECT_EQ(en.interfaces[0].value, "CAN Bus");
  EXPECT_EQ(en.interfaces[1], (NamedValue{"TOUCH_MODE", "Touch panel", "External only"}));
  const ExportSummary ru = buildExportSummary(image, std::nullopt, Language::Russian);
  ASSERT_EQ(ru.interfaces.size(), 2u);
  EXPECT_EQ(ru.interfaces[0].value, "Шина CAN");
  EXPECT_EQ(ru.interfaces[1].name, "Тачпанель");

  ASSERT_FALSE(params::setPortModule(image, params::PortModule::Gps, 1).has_value());
  const ExportSummary gps = buildExportSummary(image, std::nullopt, Language::English);
  const NamedValue* port = findKey(gps.interfaces, "GPS_NUM");
  ASSERT_NE(port, nullptr);
  EXPECT_EQ(port->name, "GPS");
  EXPECT_EQ(port->value, "X4/2, X4/3");
  // Switched off again, it is gone; nothing on at all says so.
  image.set(layout::kGpsNum, 0);
  EXPECT_EQ(
      findKey(buildExportSummary(image, std::nullopt, Language::English).interfaces, "GPS_NUM"),
      nullptr);
  const ExportSummary none =
      buildExportSummary(config::ConfigImage{}, std::nullopt, Language::English);
  EXPECT_TRUE(none.interfaces.empty());
  EXPECT_NE(renderHtml(none).find(std::string(texts::kNoInterfaces.en)), std::string::npos);
}

TEST(ConfigExportTest, EveryPinWithTheFunctionThatHoldsIt) {
  config::ConfigImage image = sim::factoryConfiguration();
  const ExportSummary before = buildExportSummary(image, std::nullopt, Language::English);
  ASSERT_EQ(before.pins.size(), params::kPinCount);
  for (std::size_t i = 0; i < params::kPinCount; ++i) {
    EXPECT_EQ(before.pins[i].key, params::pinName(params::pinTable()[i].pin));
    EXPECT_FALSE(before.pins[i].value.empty()) << before.pins[i].key;
  }
  // The demo's touch panel holds X2/2..X2/6; a free pin shows its mode.
  EXPECT_EQ(findKey(before.pins, "X2/2")->value, "Touchpanel");
  EXPECT_EQ(findKey(before.pins, "X4/2")->value, "According to its purpose");
  EXPECT_EQ(findKey(before.pins, "X5/6")->value, "No power");

  ASSERT_FALSE(params::setPortModule(image, params::PortModule::Gps, 1).has_value());
  const ExportSummary gps = buildExportSummary(image, std::nullopt, Language::Russian);
  const params::PinClaims claims = params::computeClaims(image);
  const auto& owner = *claims.owner[static_cast<std::size_t>(layout::Pin::X42)];
  EXPECT_EQ(findKey(gps.pins, "X4/2")->value, owner.ru);
  EXPECT_EQ(findKey(gps.pins, "X4/3")->value, owner.ru);
  EXPECT_EQ(findKey(gps.pins, "X5/6")->value, "Обесточен");
}

TEST(ConfigExportTest, ParametersAreThoseThatDifferFromTheDefaultsWithBothValues) {
  const config::ConfigImage defaults = defaultConfiguration();
  EXPECT_EQ(defaults.getU16(layout::kLongPressTime), layout::kDefaultLongPressMs);
  EXPECT_TRUE(buildExportSummary(defaults, std::nullopt, Language::English).parameters.empty());

  config::ConfigImage image = sim::factoryConfiguration();
  const ExportSummary en = buildExportSummary(image, std::nullopt, Language::English);
  EXPECT_EQ(keysOf(en.parameters), (std::vector<std::string>{"ComboBoxDIFFBUSx", "KEYSCH1 KEY01",
                                                             "KEYSCH1 KEY02", "KEYSCH1 KEY03"}));
  EXPECT_EQ(en.parameters[0].label, "Diff. bus X4/5, X4/6");
  EXPECT_EQ(en.parameters[0].changes[0].before, "No settings");
  EXPECT_EQ(en.parameters[0].changes[0].after, "CAN Bus");
  EXPECT_EQ(en.parameters[1].changes[0].after, "VOL+, level 1000 ± 420");
  // The value first, then the default, in the words the comparison uses.
  EXPECT_NE(renderHtml(en).find("<td>ComboBoxDIFFBUSx</td><td>Diff. bus X4/5, X4/6</td>"
                                "<td>CAN Bus</td><td>No settings</td>"),
            std::string::npos);

  image.set(layout::kCanParamBaud500k, 2);
  image.set(layout::kDiffBusMode, 0);
  const ExportSummary ru = buildExportSummary(image, std::nullopt, Language::Russian);
  ASSERT_FALSE(ru.parameters.empty());
  EXPECT_EQ(ru.parameters[0].key, "CANPARAM_BAUD500K");
  EXPECT_EQ(ru.parameters[0].label, "Скорость шины");
  EXPECT_EQ(ru.parameters[0].changes[0].before, "Не задана");
}

TEST(ConfigExportTest, UsedRulesInTheRulesTableWordsWithTheirMarks) {
  config::ConfigImage image = sim::factoryConfiguration();
  for (const Language l : {Language::English, Language::Russian}) {
    const ExportSummary s = buildExportSummary(image, std::nullopt, l);
    RuleTable table;
    table.rebuild(image, l);
    ASSERT_EQ(s.rules.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(s.rules[i].number, i + 1);
      EXPECT_EQ(s.rules[i].event, table.row(i + 1).event);
      EXPECT_EQ(s.rules[i].press, table.row(i + 1).press);
      EXPECT_EQ(s.rules[i].reaction, table.row(i + 1).reaction);
      EXPECT_FALSE(s.rules[i].troubles.empty());  // the multimedia keys' USB function is off
    }
  }
  const std::string md = renderMarkdown(buildExportSummary(image, std::nullopt, Language::English));
  EXPECT_NE(md.find("| 3 | IR mute | IR code: NEC 0/69 | Any | USB key: ConsumerPage:MUTE | The "
                    "reaction cannot fire"),
            std::string::npos)
      << md;
  // A rule far down the table counts; empty entries do not.
  testing::setTypes(image, 100, events::EventType::Timeout, events::ReactionType::Pin);
  const ExportSummary more = buildExportSummary(image, std::nullopt, Language::English);
  ASSERT_EQ(more.rules.size(), 4u);
  EXPECT_EQ(more.rules.back().number, 100u);
  const ExportSummary none =
      buildExportSummary(config::ConfigImage{}, std::nullopt, Language::Russian);
  EXPECT_TRUE(none.rules.empty());
  EXPECT_NE(renderMarkdown(none).find(std::string(texts::kNoRules.ru)), std::string::npos);
}

TEST(ConfigExportTest, SectionsInOrderAndInTheChosenLanguage) {
  const config::ConfigImage demo = sim::factoryConfiguration();
  for (const Language l : {Language::Russian, Language::English}) {
    const ExportSummary s = buildExportSummary(demo, demoController(), l, "car.KST401");
    const std::string html = renderHtml(s);
    const std::string md = renderMarkdown(s);
    std::size_t htmlAt = 0;
    std::size_t mdAt = 0;
    for (const lang::TextPair* section :
         {&texts::kSectionController, &texts::kSectionInterfaces, &texts::kSectionPins,
          &texts::kSectionParameters, &texts::kSectionRules}) {
      const std::string title(section->in(l));
      htmlAt = html.find("<h2>" + title + "</h2>", htmlAt);
      EXPECT_NE(htmlAt, std::string::npos) << title;
      mdAt = md.find("\n## " + title + "\n", mdAt);
      EXPECT_NE(mdAt, std::string::npos) << title;
    }
    const std::string heading = std::string(texts::kExportTitle.in(l)) + ": car.KST401";
    EXPECT_NE(html.find("<title>" + heading + "</title>"), std::string::npos);
    EXPECT_NE(html.find("<h1>" + heading + "</h1>"), std::string::npos);
    EXPECT_EQ(md.rfind("# " + heading + "\n", 0), 0u);
    EXPECT_NE(html.find(l == Language::Russian ? "<html lang=\"ru\">" : "<html lang=\"en\">"),
              std::string::npos);
  }
}

TEST(ConfigExportTest, HtmlIsOneSelfContainedPageForA4) {
  const std::string html = renderHtml(
      buildExportSummary(sim::factoryConfiguration(), demoController(), Language::English));
  EXPECT_EQ(html.rfind("<!DOCTYPE html>\n", 0), 0u);
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(html.find("@page { size: A4;"), std::string::npos);
  for (const char* external :
       {"http:", "https:", "<link", "<script", "<img", "src=", "url(", "@import"}) {
    EXPECT_EQ(html.find(external), std::string::npos) << external;
  }
  EXPECT_EQ(html.substr(html.size() - 8), "</html>\n");
}

constexpr std::string_view kTrickyName = "<b>&\"x\";y\nz|";

config::ConfigImage withTrickyName() {
  config::ConfigImage image = sim::factoryConfiguration();
  events::setEntryName(events::entryAt(image, 2), kTrickyName);
  return image;
}

TEST(ConfigExportTest, NamesWithMarkupAndLineBreaksStayTextInHtmlAndMarkdown) {
  const ExportSummary s = buildExportSummary(withTrickyName(), std::nullopt, Language::English);
  ASSERT_EQ(s.rules[1].name, kTrickyName);
  const std::string html = renderHtml(s);
  EXPECT_NE(html.find("<td>&lt;b&gt;&amp;&quot;x&quot;;y<br>z|</td>"), std::string::npos);
  EXPECT_EQ(html.find("<b>"), std::string::npos);

  const std::string md = renderMarkdown(s);
  const std::size_t at = md.find("| 2 | ");
  ASSERT_NE(at, std::string::npos);
  const std::string row = md.substr(at, md.find('\n', at) - at);
  EXPECT_NE(row.find("| \\<b\\>\\&\"x\";y<br>z\\| |"), std::string::npos) << row;
  // The row keeps the table's six columns: only the cell borders are bare bars.
  std::size_t bars = 0;
  for (std::size_t i = 0; i < row.size(); ++i) {
    bars += row[i] == '|' && (i == 0 || row[i - 1] != '\\') ? 1 : 0;
  }
  EXPECT_EQ(bars, 7u) << row;
}

TEST(ConfigExportTest, EveryKindOfLineBreakIsOneBreakAndMarkdownTablesHaveTheirHeads) {
  config::ConfigImage image = sim::factoryConfiguration();
  events::setEntryName(events::entryAt(image, 1), "\nA\r\nB\rC\n");
  const ExportSummary s = buildExportSummary(image, std::nullopt, Language::English);
  EXPECT_NE(renderHtml(s).find("<td>1</td><td><br>A<br>B<br>C<br></td>"), std::string::npos);
  const std::string md = renderMarkdown(s);
  EXPECT_NE(md.find("| 1 | <br>A<br>B<br>C<br> |"), std::string::npos) << md;
  EXPECT_NE(md.find("\n## Rules\n\n| No. | Name | Event | Press | Reaction | Remarks |\n"
                    "| --- | --- | --- | --- | --- | --- |\n| 1 |"),
            std::string::npos)
      << md;
  EXPECT_NE(md.find("\n## Pin assignment\n\n| Pin | Function |\n| --- | --- |\n| X2/2 |"),
            std::string::npos);
}

TEST(ConfigExportTest, CsvReadsBackFieldByFieldWithTheSeparatorOfTheLanguage) {
  EXPECT_EQ(csvSeparatorFor(','), ';');
  EXPECT_EQ(csvSeparatorFor('.'), ',');
  EXPECT_EQ(decimalSeparatorOf(Language::Russian), ',');
  EXPECT_EQ(decimalSeparatorOf(Language::English), '.');
  const config::ConfigImage image = withTrickyName();
  for (const Language l : {Language::Russian, Language::English}) {
    const ExportSummary s = buildExportSummary(image, demoController(), l);
    const std::string csv = renderExport(s, ExportFormat::Csv);
    const char separator = l == Language::Russian ? ';' : ',';
    ASSERT_EQ(csv.rfind("\xEF\xBB\xBF", 0), 0u);
    const auto records = readCsv(std::string_view(csv).substr(3), separator);
    ASSERT_FALSE(records.empty());
    for (const auto& r : records) {
      EXPECT_EQ(r.size(), 9u) << r.front();
    }
    EXPECT_EQ(records[0][0], texts::kColumnSection.in(l));
    EXPECT_EQ(records[0][8], texts::kColumnRemarks.in(l));
    const std::string rulesSection(texts::kSectionRules.in(l));
    std::vector<std::vector<std::string>> rules;
    std::copy_if(records.begin(), records.end(), std::back_inserter(rules),
                 [&](const auto& r) { return r[0] == rulesSection; });
    ASSERT_EQ(rules.size(), 3u);
    EXPECT_EQ(rules[1][1], "2");
    EXPECT_EQ(rules[1][2], kTrickyName);
    EXPECT_EQ(rules[1][5], s.rules[1].event);
    EXPECT_EQ(rules[1][7], s.rules[1].reaction);
    EXPECT_EQ(rules[1][8], s.rules[1].troubleText());
    // The controller's four records, in order, right after the column titles.
    ASSERT_GE(records.size(), 5u);
    for (std::size_t i = 1; i <= 4; ++i) {
      EXPECT_EQ(records[i][0], texts::kSectionController.in(l));
    }
    EXPECT_EQ(records[1][1], "model");
    EXPECT_EQ(records[1][3], "KIVSOLANPRISM-F401");
    EXPECT_EQ(records[2][1], "firmware");
    EXPECT_EQ(records[2][3], "1.40");
    EXPECT_EQ(records[3][1], "loader");
    EXPECT_EQ(records[3][2], texts::kLoader.in(l));
    EXPECT_EQ(records[3][3], "1.05");
    EXPECT_EQ(records[4][1], "serial");
    EXPECT_EQ(records[4][3], "4010001");
    const auto pins = std::count_if(records.begin(), records.end(), [&](const auto& r) {
      return r[0] == texts::kSectionPins.in(l);
    });
    EXPECT_EQ(static_cast<std::size_t>(pins), params::kPinCount);
  }
  // A field is quoted only when it must be.
  const std::string csv =
      renderCsv(buildExportSummary(image, std::nullopt, Language::English), ';');
  EXPECT_NE(csv.find(";Volume up;"), std::string::npos);
  EXPECT_NE(csv.find(";\"<b>&\"\"x\"\";y\nz|\";"), std::string::npos);
}

}  // namespace
}  // namespace kivprism::summary

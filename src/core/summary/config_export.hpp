// A readable summary of one configuration for the installer's customer: the controller when it is
// known, the interfaces and buses in use, the pin assignment, the parameters that differ from the
// defaults and every used rule in words, in one language; written as a self-contained HTML page
// that prints on A4, as Markdown, or as CSV for a spreadsheet.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/config/image.hpp"
#include "core/device/device_info.hpp"
#include "core/lang/text.hpp"
#include "core/summary/config_diff.hpp"
#include "core/summary/rule_table.hpp"

namespace kivprism::summary {

enum class ExportFormat { Html, Markdown, Csv };

struct ExportSummary {
  lang::Language language = lang::Language::English;
  std::string title;                             // the configuration's file name, or empty
  std::optional<device::DeviceInfo> controller;  // known only when read from the controller
  std::vector<NamedValue> interfaces;            // only those switched on
  std::vector<NamedValue> pins;        // every connector pin (key: its name), with its function
  std::vector<Difference> parameters;  // before: the default, after: this image's
  std::vector<RuleRow> rules;          // the used rules, with their marks
};

// The defaults a parameter is compared with: what a configuration without any key loads as (a
// zeroed image with the long-press time and the keys' reference levels of a fresh controller).
config::ConfigImage defaultConfiguration();

ExportSummary buildExportSummary(const config::ConfigImage& image,
                                 const std::optional<device::DeviceInfo>& controller,
                                 lang::Language language, std::string title = {});

// The CSV field separator: ';' where the decimal separator is a comma (a spreadsheet there reads
// ',' as part of a number), ',' elsewhere.
char csvSeparatorFor(char decimalSeparator);
// The decimal separator of the language's usual locale: ',' in Russian, '.' in English.
char decimalSeparatorOf(lang::Language language);

std::string renderHtml(const ExportSummary& summary);
std::string renderMarkdown(const ExportSummary& summary);
// UTF-8 with a byte-order mark (so that Excel reads the Cyrillic right), CRLF line ends and
// quoting as RFC 4180 describes; one table with a section column.
std::string renderCsv(const ExportSummary& summary, char separator);
// The format's rendering; CSV with the separator of the summary's language.
std::string renderExport(const ExportSummary& summary, ExportFormat format);

// The firmware version as the controller reports it (times 100): "1.40".
std::string versionText(std::uint32_t timesHundred);

}  // namespace kivprism::summary

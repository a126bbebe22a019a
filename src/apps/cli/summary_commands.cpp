// `show` in words and `diff`: a configuration's rules as the rules table names them, and what
// differs between two configurations, for people (lines) or for scripts (JSON).
#include <cctype>
#include <filesystem>
#include <iostream>
#include <ostream>
#include <string>
#include <vector>

#include "apps/cli/cli.hpp"
#include "apps/cli/controller_options.hpp"
#include "core/config/config_file.hpp"
#include "core/config/utf8_path.hpp"
#include "core/events/entry.hpp"
#include "core/summary/config_diff.hpp"
#include "core/summary/config_export.hpp"
#include "core/summary/rule_table.hpp"

namespace kivprism::cli {

namespace {

// diff's exit codes follow diff(1): equal, different, trouble.
constexpr int kDiffEqual = 0;
constexpr int kDiffDifferent = 1;
constexpr int kDiffError = 2;

constexpr std::string_view kDeviceOperand = "device";
constexpr int kSchemaVersion = 1;

std::string_view troubleKindName(summary::TroubleKind kind) {
  switch (kind) {
    case summary::TroubleKind::SameEvent:
      return "same-event";
    case summary::TroubleKind::KeyNotChosen:
      return "key-not-chosen";
    case summary::TroubleKind::KeySlotEmpty:
      return "key-slot-empty";
    case summary::TroubleKind::EventUnavailable:
      return "event-unavailable";
    case summary::TroubleKind::ReactionCannotFire:
      return "reaction-cannot-fire";
  }
  return "unknown";
}

std::string_view differenceKindName(summary::DifferenceKind kind) {
  switch (kind) {
    case summary::DifferenceKind::Parameter:
      return "parameter";
    case summary::DifferenceKind::Rule:
      return "rule";
    case summary::DifferenceKind::Bytes:
      return "bytes";
  }
  return "unknown";
}

std::string_view ruleFieldName(summary::RuleField field) {
  switch (field) {
    case summary::RuleField::None:
      return "";
    case summary::RuleField::Name:
      return "name";
    case summary::RuleField::Event:
      return "event";
    case summary::RuleField::Press:
      return "press";
    case summary::RuleField::Reaction:
      return "reaction";
    case summary::RuleField::Bytes:
      return "bytes";
  }
  return "";
}

std::string_view languageCode(lang::Language language) {
  return language == lang::Language::Russian ? "ru" : "en";
}

struct DiffOptions {
  std::vector<std::string> operands;
  lang::Language language = lang::Language::English;
  OutputFormat format = OutputFormat::Text;
  bool force = false;
  DeviceSource device;
};

// The value of an option given as "--name=value" or "--name value"; command names the
// subcommand in the error.
std::string optionValue(std::span<const std::string> args, std::size_t& i, std::string_view name,
                        std::string_view command) {
  const std::string& arg = args[i];
  if (arg.size() > name.size() && arg.starts_with(name) && arg[name.size()] == '=') {
    return arg.substr(name.size() + 1);
  }
  if (i + 1 < args.size()) {
    return args[++i];
  }
  throw UsageError{std::string(command) + ": " + std::string(name) + " needs a value"};
}

bool isOption(const std::string& arg, std::string_view name) {
  return arg == name ||
         (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=');
}

DiffOptions parseDiffOptions(std::span<const std::string> args) {
  DiffOptions o;
  startWithEnvironmentLanguage();
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (readControllerOption("diff", args, i, o.device)) {
      continue;
    }
    if (isOption(arg, "--format")) {
      const std::string value = optionValue(args, i, "--format", "diff");
      if (value != "text" && value != "json") {
        throw UsageError{"diff: --format takes text or json"};
      }
      o.format = value == "json" ? OutputFormat::Json : OutputFormat::Text;
    } else if (arg == "--force") {
      o.force = true;
    } else if (arg.starts_with("--")) {
      throw UsageError{"diff: unknown option '" + arg + "'"};
    } else {
      o.operands.push_back(arg);
    }
  }
  if (o.operands.size() != 2) {
    throw UsageError{"diff takes two operands: files or device"};
  }
  o.language = lang::currentLanguage();
  return o;
}

std::optional<std::string> loadOperand(const std::string& operand, const DiffOptions& o,
                                       config::ConfigImage& image) {
  if (operand == kDeviceOperand) {
    if (auto error = readDeviceImage(o.device, image)) {
      return "device: " + *error;
    }
    return std::nullopt;
  }
  return loadImageFile(config::pathFromUtf8(operand), image, o.force);
}

void printDiffJson(const std::vector<summary::Difference>& differences, const DiffOptions& o,
                   std::ostream& out) {
  out << "{\"format\": \"kivprism-diff\", \"version\": " << kSchemaVersion
      << ", \"language\": " << jsonString(languageCode(o.language))
      << ", \"a\": " << jsonString(o.operands[0]) << ", \"b\": " << jsonString(o.operands[1])
      << ", \"equal\": " << (differences.empty() ? "true" : "false") << ", \"differences\": [";
  for (std::size_t i = 0; i < differences.size(); ++i) {
    const summary::Difference& d = differences[i];
    out << (i == 0 ? "\n  " : ",\n  ") << "{\"kind\": " << jsonString(differenceKindName(d.kind))
        << ", \"key\": " << jsonString(d.key) << ", \"label\": " << jsonString(d.label)
        << ", \"entry\": " << d.entry << ", \"offset\": " << d.offset
        << ", \"line\": " << jsonString(d.line()) << ", \"changes\": [";
    for (std::size_t c = 0; c < d.changes.size(); ++c) {
      out << (c == 0 ? "" : ", ") << "{\"field\": " << jsonString(ruleFieldName(d.changes[c].id))
          << ", \"fieldLabel\": " << jsonString(d.changes[c].field)
          << ", \"before\": " << jsonString(d.changes[c].before)
          << ", \"after\": " << jsonString(d.changes[c].after) << "}";
    }
    out << "]}";
  }
  out << (differences.empty() ? "]}\n" : "\n]}\n");
}

int diff(std::span<const std::string> args) {
  const DiffOptions o = parseDiffOptions(args);
  // The controller's status texts follow the chosen language too.
  lang::setCurrentLanguage(o.language);
  config::ConfigImage a;
  config::ConfigImage b;
  for (const auto& [operand, image] :
       {std::pair{&o.operands[0], &a}, std::pair{&o.operands[1], &b}}) {
    if (auto error = loadOperand(*operand, o, *image)) {
      std::cerr << "kivprism-cli: " << *error << '\n';
      return kDiffError;
    }
  }
  const std::vector<summary::Difference> differences = summary::compareImages(a, b, o.language);
  if (o.format == OutputFormat::Json) {
    printDiffJson(differences, o, std::cout);
  } else {
    for (const summary::Difference& d : differences) {
      std::cout << d.line() << '\n';
    }
  }
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "kivprism-cli: the output could not be written\n";
    return kDiffError;
  }
  return differences.empty() ? kDiffEqual : kDiffDifferent;
}

struct ExportOptions {
  std::string source;
  std::string output;  // empty: standard output
  std::optional<summary::ExportFormat> format;
  lang::Language language = lang::Language::English;
  bool force = false;
  DeviceSource device;
};

std::optional<summary::ExportFormat> exportFormatNamed(std::string_view name) {
  if (name == "html" || name == "htm") {
    return summary::ExportFormat::Html;
  }
  if (name == "md" || name == "markdown") {
    return summary::ExportFormat::Markdown;
  }
  if (name == "csv") {
    return summary::ExportFormat::Csv;
  }
  return std::nullopt;
}

ExportOptions parseExportOptions(std::span<const std::string> args) {
  ExportOptions o;
  startWithEnvironmentLanguage();
  std::vector<std::string> operands;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (readControllerOption("export", args, i, o.device)) {
      continue;
    }
    if (isOption(arg, "--format")) {
      o.format = exportFormatNamed(optionValue(args, i, "--format", "export"));
      if (!o.format) {
        throw UsageError{"export: --format takes html, md or csv"};
      }
    } else if (arg == "-o" || isOption(arg, "--output")) {
      o.output = optionValue(args, i, arg == "-o" ? "-o" : "--output", "export");
    } else if (arg == "--force") {
      o.force = true;
    } else if (arg.starts_with("-") && arg != "-") {
      throw UsageError{"export: unknown option '" + arg + "'"};
    } else {
      operands.push_back(arg);
    }
  }
  if (operands.size() != 1) {
    throw UsageError{"export takes one configuration: a file or device"};
  }
  o.source = operands[0];
  if (!o.format && !o.output.empty()) {
    // The output's extension names the format when --format does not.
    std::string extension = config::pathToUtf8(config::pathFromUtf8(o.output).extension());
    for (char& c : extension) {
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    o.format = exportFormatNamed(std::string_view(extension).substr(extension.empty() ? 0 : 1));
  }
  if (!o.format) {
    throw UsageError{"export: --format html, md or csv is needed"};
  }
  o.language = lang::currentLanguage();
  return o;
}

int exportSummary(std::span<const std::string> args) {
  const ExportOptions o = parseExportOptions(args);
  lang::setCurrentLanguage(o.language);
  config::ConfigImage image;
  std::optional<device::DeviceInfo> controller;
  std::string title;
  if (o.source == kDeviceOperand) {
    device::DeviceInfo info;
    if (auto error = readDeviceImage(o.device, image, &info)) {
      std::cerr << "kivprism-cli: device: " << *error << '\n';
      return kExitFailure;
    }
    controller = info;
  } else {
    const std::filesystem::path path = config::pathFromUtf8(o.source);
    if (auto error = loadImageFile(path, image, o.force)) {
      std::cerr << "kivprism-cli: " << *error << '\n';
      return kExitFailure;
    }
    title = config::pathToUtf8(path.filename());
  }
  const std::string text = summary::renderExport(
      summary::buildExportSummary(image, controller, o.language, title), *o.format);
  if (o.output.empty() || o.output == "-") {
    std::cout << text;
    std::cout.flush();
    if (!std::cout) {
      std::cerr << "kivprism-cli: the output could not be written\n";
      return kExitFailure;
    }
    return kExitOk;
  }
  if (auto error = config::writeFileAtomically(config::pathFromUtf8(o.output), text)) {
    std::cerr << "kivprism-cli: " << error->describe() << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          constexpr std::string_view kHex = "0123456789abcdef";
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 0x0F];
        } else {
          out += ch;
        }
    }
  }
  return out + "\"";
}

void printRuleSummaries(const config::ConfigImage& image, lang::Language language,
                        std::ostream& out) {
  summary::RuleTable table;
  table.rebuild(image, language);
  for (const std::size_t n : table.visibleEntries({}, true)) {
    const summary::RuleRow& row = table.row(n);
    out << n;
    if (!row.name.empty()) {
      out << " \"" << row.name << '"';
    }
    out << ": " << row.event << "; " << row.press << " -> " << row.reaction << '\n';
    for (const summary::Trouble& t : row.troubles) {
      out << "  ! " << t.reason << '\n';
    }
  }
}

void printRuleSummariesJson(const config::ConfigImage& image, lang::Language language,
                            std::ostream& out) {
  summary::RuleTable table;
  table.rebuild(image, language);
  const std::vector<std::size_t> used = table.visibleEntries({}, true);
  out << "{\"format\": \"kivprism-show\", \"version\": " << kSchemaVersion
      << ", \"language\": " << jsonString(languageCode(language)) << ", \"rules\": [";
  for (std::size_t i = 0; i < used.size(); ++i) {
    const summary::RuleRow& row = table.row(used[i]);
    const events::ConstEntryBytes e = events::entryAt(image, row.number);
    out << (i == 0 ? "\n  " : ",\n  ") << "{\"number\": " << row.number
        << ", \"name\": " << jsonString(row.name) << ", \"eventType\": " << events::eventTypeCode(e)
        << ", \"event\": " << jsonString(row.event)
        << ", \"pressKind\": " << unsigned{events::get(e, events::entry::kPressKind)}
        << ", \"press\": " << jsonString(row.press)
        << ", \"reactionType\": " << events::reactionTypeCode(e)
        << ", \"reaction\": " << jsonString(row.reaction) << ", \"troubles\": [";
    for (std::size_t t = 0; t < row.troubles.size(); ++t) {
      out << (t == 0 ? "" : ", ")
          << "{\"kind\": " << jsonString(troubleKindName(row.troubles[t].kind))
          << ", \"reason\": " << jsonString(row.troubles[t].reason) << "}";
    }
    out << "]}";
  }
  out << (used.empty() ? "]}\n" : "\n]}\n");
}

std::vector<Command> summaryCommands() {
  return {
      {"diff", "A B [--lang ru|en] [--format text|json] [--force] [--simulator[=STATE.bin]]",
       "compare two configurations (.KST401, .bin or device); exit 0 equal, 1 different, 2 error",
       diff},
      {"export",
       "FILE|device [--format html|md|csv] [-o OUT] [--lang ru|en] [--force] "
       "[--simulator[=STATE.bin]]",
       "write a readable summary of a configuration (HTML for A4, Markdown or CSV); the format "
       "follows OUT's extension when not given",
       exportSummary},
  };
}

}  // namespace kivprism::cli

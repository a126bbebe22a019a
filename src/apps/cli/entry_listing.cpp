// The entries part of `show`: one line per used entry naming its event and reaction, then its
// bytes as the configuration file stores them.
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "apps/cli/cli.hpp"
#include "apps/cli/controller_options.hpp"
#include "core/config/text_codec.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_types.hpp"
#include "core/lang/language.hpp"

namespace kivprism::cli {

namespace {

constexpr lang::TextPair kEntriesHeading{"Записи:", "Entries:"};

std::string typeName(std::optional<lang::TextPair> name, unsigned code, lang::Language language) {
  if (!name) {
    return "? (" + std::to_string(code) + ")";
  }
  return std::string(name->in(language));
}

}  // namespace

lang::Language listingLanguageFromEnvironment() {
  // The usual precedence of the locale variables; the first one set decides.
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') {
      return lang::systemDefaultLanguage(value);
    }
  }
  return lang::Language::English;
}

ShowOptions parseShowOptions(std::span<const std::string> args) {
  startWithEnvironmentLanguage();
  std::vector<std::string> files;
  bool force = false;
  bool raw = false;
  OutputFormat format = OutputFormat::Text;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (readLanguageOption("show", args, i)) {
      continue;
    }
    if (args[i] == "--force") {
      force = true;
    } else if (args[i] == "--raw") {
      raw = true;
    } else if (args[i] == "--format" || args[i].starts_with("--format=")) {
      const std::string value = args[i] == "--format" ? (i + 1 < args.size() ? args[++i] : "")
                                                      : args[i].substr(sizeof("--format=") - 1);
      if (value != "text" && value != "json") {
        throw UsageError{"--format takes text or json"};
      }
      format = value == "json" ? OutputFormat::Json : OutputFormat::Text;
    } else if (args[i].starts_with("--")) {
      throw UsageError{"show: unknown option '" + args[i] + "'"};
    } else {
      files.push_back(args[i]);
    }
  }
  const lang::Language language = lang::currentLanguage();
  if (files.size() != 1) {
    throw UsageError{"show takes one FILE"};
  }
  if (raw && format == OutputFormat::Json) {
    throw UsageError{"show: --raw prints the file's own text, not JSON"};
  }
  return {files[0], language, force, raw, format};
}

void printEntryListing(const config::ConfigImage& image, lang::Language language,
                       std::ostream& out) {
  bool headed = false;
  for (std::size_t n = events::kFirstEntryNumber; n <= events::kLastEntryNumber; ++n) {
    const auto e = events::entryAt(image, n);
    if (events::isEmpty(e)) {
      continue;
    }
    if (!headed) {
      out << '\n' << kEntriesHeading.in(language) << '\n';
      headed = true;
    }
    out << n;
    if (const std::string name = events::entryName(e); !name.empty()) {
      out << " \"" << name << '"';
    }
    const unsigned event = events::eventTypeCode(e);
    const unsigned reaction = events::reactionTypeCode(e);
    out << ": " << typeName(events::eventTypeName(event), event, language) << " -> "
        << typeName(events::reactionTypeName(reaction), reaction, language) << '\n';
    out << "  " << config::bytesToHex(e) << '\n';
  }
}

}  // namespace kivprism::cli

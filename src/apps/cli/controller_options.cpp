#include "apps/cli/controller_options.hpp"

#include "core/config/utf8_path.hpp"

namespace kivprism::cli {

namespace {

constexpr std::string_view kSimulatorOption = "--simulator";
constexpr std::string_view kLogOption = "--log";
constexpr std::string_view kLangOption = "--lang";

void setLanguage(std::string_view command, std::string_view code) {
  if (code.starts_with("ru")) {
    lang::setCurrentLanguage(lang::Language::Russian);
  } else if (code.starts_with("en")) {
    lang::setCurrentLanguage(lang::Language::English);
  } else {
    throw UsageError{std::string(command) + ": unknown language '" + std::string(code) +
                     "' (ru or en)"};
  }
}

}  // namespace

void startWithEnvironmentLanguage() { lang::setCurrentLanguage(listingLanguageFromEnvironment()); }

bool readControllerOption(std::string_view command, std::span<const std::string> args,
                          std::size_t& i, DeviceSource& source) {
  const std::string_view a = args[i];
  if (a == kSimulatorOption) {
    source.simulator = true;
  } else if (a.starts_with(kSimulatorOption) && a[kSimulatorOption.size()] == '=') {
    source.simulator = true;
    source.simulatorState = config::pathFromUtf8(a.substr(kSimulatorOption.size() + 1));
  } else if (a == kLogOption) {
    source.packetLog = true;
  } else {
    return readLanguageOption(command, args, i);
  }
  return true;
}

bool readLanguageOption(std::string_view command, std::span<const std::string> args,
                        std::size_t& i) {
  const std::string_view a = args[i];
  if (a == kLangOption) {
    if (i + 1 == args.size()) {
      throw UsageError{std::string(command) + ": --lang needs ru or en"};
    }
    setLanguage(command, args[++i]);
  } else if (a.starts_with(kLangOption) && a[kLangOption.size()] == '=') {
    setLanguage(command, a.substr(kLangOption.size() + 1));
  } else {
    return false;
  }
  return true;
}

}  // namespace kivprism::cli

// Shared pieces of kivprism-cli's subcommands.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/image.hpp"
#include "core/device/device_info.hpp"
#include "core/lang/text.hpp"

namespace kivprism::cli {

// Exit codes: 0 done, 1 the work failed (bad file, controller error), 2 the command line was wrong.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct Command {
  std::string_view name;
  std::string_view usage;  // the arguments, for the usage text
  std::string_view summary;
  std::function<int(std::span<const std::string> args)> run;
};

// The commands of each group, gathered by main.
std::vector<Command> fileCommands();
std::vector<Command> deviceCommands();
std::vector<Command> canLogCommands();
std::vector<Command> firmwareCommands();

// Thrown for a wrong command line; main prints the usage and exits with kExitUsage.
struct UsageError {
  std::string message;
};

// A configuration file (*.KST401, any case) or a raw image (*.bin, exactly the image size).
enum class ImageFileKind { ConfigFile, RawImage };
// The kind by extension; nothing for an unknown extension.
std::optional<ImageFileKind> imageFileKind(const std::filesystem::path& path);

// Each returns an error line for stderr, or nothing on success. A damaged configuration file (a
// section missing or cut short) is refused unless forced; forced, what it lacks gets its defaults.
std::optional<std::string> loadImageFile(const std::filesystem::path& path,
                                         config::ConfigImage& image, bool force = false);
// A raw image whatever the extension (the simulated controller's memory).
std::optional<std::string> loadRawImage(const std::filesystem::path& path,
                                        config::ConfigImage& image);
std::optional<std::string> saveImageFile(const std::filesystem::path& path,
                                         const config::ConfigImage& image);
// The simulated controller's state file after a command: replaced whole or not at all, even when
// the command is interrupted.
std::optional<std::string> saveSimulatorState(const std::filesystem::path& path,
                                              std::string_view bytes);

// The configuration as the file's keys in the writer's order, names in UTF-8, empty entries left
// out.
void printConfiguration(const config::ConfigImage& image, std::ostream& out);

// Each used entry: its number, name, event and reaction type names in the language, then its bytes
// in hex. Nothing when every entry is empty.
void printEntryListing(const config::ConfigImage& image, lang::Language language,
                       std::ostream& out);
// Russian when the locale variables (LC_ALL, LC_MESSAGES, LANG) name a Russian user, else English.
lang::Language listingLanguageFromEnvironment();

// How `show` and `diff` print: lines for people, or JSON for scripts (the schema is in
// docs/user-guide).
enum class OutputFormat { Text, Json };

// `show FILE [--lang ru|en] [--force] [--raw] [--format text|json]`; the language defaults to the
// environment's. Throws UsageError.
struct ShowOptions {
  std::string file;
  lang::Language language;
  bool force = false;
  bool raw = false;  // the file's keys and each entry's bytes, as before the summaries
  OutputFormat format = OutputFormat::Text;
};
ShowOptions parseShowOptions(std::span<const std::string> args);

// The used rules in the rules table's words, with their trouble marks.
void printRuleSummaries(const config::ConfigImage& image, lang::Language language,
                        std::ostream& out);
void printRuleSummariesJson(const config::ConfigImage& image, lang::Language language,
                            std::ostream& out);

// A JSON string literal of a UTF-8 text, quotes included.
std::string jsonString(std::string_view text);

// Where a command reads the connected controller's configuration from: the USB controller, or the
// simulated one (with its state file, left unchanged).
struct DeviceSource {
  bool simulator = false;
  std::optional<std::filesystem::path> simulatorState;
  bool packetLog = false;
};
// Reads the whole configuration (and, when asked, the controller's device information); an error
// line on failure.
std::optional<std::string> readDeviceImage(const DeviceSource& source, config::ConfigImage& image,
                                           device::DeviceInfo* info = nullptr);

// The commands that compare configurations.
std::vector<Command> summaryCommands();

}  // namespace kivprism::cli

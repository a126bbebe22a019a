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

// `show FILE [--lang ru|en] [--force]`; the language defaults to the environment's. Throws
// UsageError.
struct ShowOptions {
  std::string file;
  lang::Language language;
  bool force = false;
};
ShowOptions parseShowOptions(std::span<const std::string> args);

}  // namespace kivprism::cli

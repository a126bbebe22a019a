#include <algorithm>
#include <iostream>
#include <sstream>

#include "apps/cli/cli.hpp"
#include "core/config/config_file.hpp"
#include "core/config/text_codec.hpp"
#include "core/config/utf8_path.hpp"

namespace kivprism::cli {

namespace {

std::string lowerExtension(const std::filesystem::path& path) {
  std::string ext = config::pathToUtf8(path.extension());
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

std::string unknownKindMessage(const std::filesystem::path& path) {
  return config::pathToUtf8(path) + ": unknown file kind (expected .KST401 or .bin)";
}

// Only entries with content are worth a line; empty ones are 288 zeros each.
bool isEmptyEntryLine(std::string_view line) {
  if (line.rfind("EVRESP", 0) != 0) {
    return false;
  }
  const auto eq = line.find('=');
  return eq != std::string_view::npos &&
         line.find_first_not_of('0', eq + 1) == std::string_view::npos;
}

int convert(std::span<const std::string> args) {
  std::vector<std::string> files;
  bool force = false;
  for (const std::string& arg : args) {
    if (arg == "--force") {
      force = true;
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2) {
    throw UsageError{"convert takes IN and OUT"};
  }
  config::ConfigImage image;
  if (auto error = loadImageFile(config::pathFromUtf8(files[0]), image, force)) {
    std::cerr << *error << '\n';
    return kExitFailure;
  }
  if (auto error = saveImageFile(config::pathFromUtf8(files[1]), image)) {
    std::cerr << *error << '\n';
    return kExitFailure;
  }
  return kExitOk;
}

int show(std::span<const std::string> args) {
  const ShowOptions options = parseShowOptions(args);
  config::ConfigImage image;
  if (auto error = loadImageFile(config::pathFromUtf8(options.file), image, options.force)) {
    std::cerr << *error << '\n';
    return kExitFailure;
  }
  if (options.raw) {
    printConfiguration(image, std::cout);
    printEntryListing(image, options.language, std::cout);
  } else if (options.format == OutputFormat::Json) {
    printRuleSummariesJson(image, options.language, std::cout);
  } else {
    printRuleSummaries(image, options.language, std::cout);
  }
  return kExitOk;
}

}  // namespace

std::optional<ImageFileKind> imageFileKind(const std::filesystem::path& path) {
  const std::string ext = lowerExtension(path);
  if (ext == ".kst401") {
    return ImageFileKind::ConfigFile;
  }
  if (ext == ".bin") {
    return ImageFileKind::RawImage;
  }
  return std::nullopt;
}

std::optional<std::string> loadImageFile(const std::filesystem::path& path,
                                         config::ConfigImage& image, bool force) {
  const auto kind = imageFileKind(path);
  if (!kind) {
    return unknownKindMessage(path);
  }
  if (*kind == ImageFileKind::ConfigFile) {
    const config::AcceptDamage accept = [force](const config::FileDamage&) { return force; };
    if (auto error = config::readConfigFile(path, image, accept)) {
      if (error->kind == config::FileError::Kind::Damaged) {
        return error->describe() +
               "; nothing was loaded (--force loads it, with defaults for what it lacks)";
      }
      return error->describe();
    }
    return std::nullopt;
  }
  return loadRawImage(path, image);
}

std::optional<std::string> loadRawImage(const std::filesystem::path& path,
                                        config::ConfigImage& image) {
  constexpr std::size_t kSize = config::ConfigImage::kSize;
  const std::string expected = "a raw image must be exactly " + std::to_string(kSize) + " bytes";
  std::string bytes;
  if (auto error = config::readFileBytes(path, bytes, kSize)) {
    if (error->kind == config::FileError::Kind::TooLarge) {
      return config::pathToUtf8(path) + ": " + expected + ", this file is larger";
    }
    return error->describe();
  }
  if (bytes.size() != kSize) {
    return config::pathToUtf8(path) + ": " + expected + ", this file has " +
           std::to_string(bytes.size());
  }
  std::copy(bytes.begin(), bytes.end(), image.data());
  return std::nullopt;
}

std::optional<std::string> saveImageFile(const std::filesystem::path& path,
                                         const config::ConfigImage& image) {
  const auto kind = imageFileKind(path);
  if (!kind) {
    return unknownKindMessage(path);
  }
  std::optional<config::FileError> error;
  if (*kind == ImageFileKind::ConfigFile) {
    error = config::writeConfigFile(path, image);
  } else {
    const auto* begin = reinterpret_cast<const char*>(image.data());
    error = config::writeFileAtomically(path, std::string_view(begin, config::ConfigImage::kSize));
  }
  if (error) {
    return error->describe();
  }
  return std::nullopt;
}

void printConfiguration(const config::ConfigImage& image, std::ostream& out) {
  config::ProfileStore profile;
  config::saveImage(image, profile);
  std::istringstream lines(profile.serialize());
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line.empty() || isEmptyEntryLine(line)) {
      continue;
    }
    // Everything but the source names is ASCII, so the whole line converts safely.
    out << config::cp1251ToUtf8(line) << '\n';
  }
}

std::vector<Command> fileCommands() {
  return {
      {"convert", "IN OUT [--force]",
       "convert between a configuration file (.KST401) and a raw image (.bin)", convert},
      {"show", "FILE [--lang ru|en] [--format text|json] [--raw] [--force]",
       "print the used rules of a .KST401 or .bin file in words (--raw: its keys and bytes)", show},
  };
}

}  // namespace kivprism::cli

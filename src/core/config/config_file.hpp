// The configuration file (*.KST401): the image stored key by key in an ini text, so that an
// installer can keep, exchange and restore a car's setup without the controller.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/config/image.hpp"
#include "core/config/profile_store.hpp"

namespace kivprism::config {

// Fills the image from the profile's keys, each with its load default when missing or not a
// number. The parameter block is cleared first, so bytes the file does not carry read 0.
void loadImage(const ProfileStore& profile, ConfigImage& image);
// Writes every key of the image into the profile, in the file's key order; other sections and keys
// of the profile stay.
void saveImage(const ConfigImage& image, ProfileStore& profile);

// Integer value of a file key: decimal (optionally signed) or 0x with hex digits; anything else
// gives nothing. Values wider than 32 bits keep their low 32 bits.
std::optional<std::uint32_t> parseProfileInteger(std::string_view text);

struct FileError {
  std::filesystem::path path;
  std::string reason;
  std::string describe() const;
};

// Reads a whole file; a missing or unreadable file is an error, not an empty text.
std::optional<FileError> readFileBytes(const std::filesystem::path& path, std::string& out);
// Writes through a temporary file in the same folder renamed over the target, so a crash or a full
// disk never leaves a half-written file behind.
std::optional<FileError> writeFileAtomically(const std::filesystem::path& path,
                                             std::string_view bytes);

// The open command: the image is changed only when the file was read.
std::optional<FileError> readConfigFile(const std::filesystem::path& path, ConfigImage& image);
// The save command: an existing file keeps its other sections and keys.
std::optional<FileError> writeConfigFile(const std::filesystem::path& path,
                                         const ConfigImage& image);

}  // namespace kivprism::config

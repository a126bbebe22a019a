// The configuration file (*.KST401): the image stored key by key in an ini text, so that an
// installer can keep, exchange and restore a car's setup without the controller.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/image.hpp"
#include "core/config/profile_store.hpp"

namespace kivprism::config {

// Fills the image from the profile's keys, each with its load default when missing or not a
// number. The parameter block is cleared first, so bytes the file does not carry read 0.
void loadImage(const ProfileStore& profile, ConfigImage& image);
// Writes every key of the image into the profile, in the file's key order; other sections and keys
// of the profile stay.
void saveImage(const ConfigImage& image, ProfileStore& profile);

// The file key that stores a parameter field (or a group of bits of it), as the file names it;
// nothing for a field that no single key stores (the block keys, the touch block).
std::optional<std::string_view> integerKeyName(Field field, std::optional<BitField> bits = {});

// Integer value of a file key: decimal (optionally signed) or 0x with hex digits; anything else
// gives nothing. Values wider than 32 bits keep their low 32 bits.
std::optional<std::uint32_t> parseProfileInteger(std::string_view text);

// Whether the profile holds at least one key of the configuration file in its section. A profile
// without any (a text, an empty or a binary file) would load as all defaults and overwrite the
// controller with them.
bool holdsConfigurationKeys(const ProfileStore& profile);

// What a configuration file lacks of what every saved file holds. Single keys may be missing (older
// files lack newer keys, and they get their load defaults), but a file without one of the sections
// the writer always writes, or one that stops inside a section, was cut short or damaged: loading
// it would blank what it lost (all 100 entries for a file without its events) and the next change
// sending would blank the controller too.
struct FileDamage {
  std::vector<std::string> missingSections;  // in the writer's order
  std::string cutSection;                    // the section the text stops inside; empty if none
  bool damaged() const { return !missingSections.empty() || !cutSection.empty(); }
  // "the sections KEYSCH4, EVENTS are missing; the file ends inside section KEYSCH3"
  std::string describe() const;
};
// The damage of a configuration file's text and its profile (parsed from that text).
FileDamage findDamage(std::string_view text, const ProfileStore& profile);

// The largest file the open command reads. A full configuration file is about 34 KB (100 entries of
// 288 hex characters make most of it); a file kept with comments and other sections stays well
// below 1 MiB, while a stray video or disk image would take seconds and gigabytes to parse.
inline constexpr std::uintmax_t kConfigFileSizeLimit = std::uintmax_t{1024} * 1024;

struct FileError {
  enum class Kind {
    System,            // the system refused (missing, unreadable, read error, full disk)
    TooLarge,          // over the size limit of its kind, refused before it was read
    NotConfiguration,  // read, but none of the configuration file's keys
    Damaged,           // sections missing or cut, and the caller did not accept it
  };
  std::filesystem::path path;
  std::string reason;
  Kind kind = Kind::System;
  FileDamage damage = {};  // for Kind::Damaged
  std::string describe() const;
};

// Reads a whole file of at most maxBytes; a missing, unreadable or larger file is an error, not an
// empty or a cut text. Read errors of the disk (EIO) are errors too, never exceptions.
std::optional<FileError> readFileBytes(const std::filesystem::path& path, std::string& out,
                                       std::uintmax_t maxBytes = kConfigFileSizeLimit);
// Writes through a temporary file in the same folder renamed over the target, so a crash or a full
// disk never leaves a half-written file behind. A symbolic link is followed: the file it points to
// is replaced and the link stays. An existing file keeps its permissions.
std::optional<FileError> writeFileAtomically(const std::filesystem::path& path,
                                             std::string_view bytes);

// Asked whether a damaged file is to be loaded all the same; true loads it.
using AcceptDamage = std::function<bool(const FileDamage&)>;
// The open command: the image is changed only when the file was read, holds configuration keys
// (the missing ones get their load defaults) and is either whole or accepted as damaged; without an
// acceptDamage a damaged file is refused. A UTF-8 byte-order mark at the start is skipped.
std::optional<FileError> readConfigFile(const std::filesystem::path& path, ConfigImage& image,
                                        const AcceptDamage& acceptDamage = {});
// The save command: an existing file keeps its other sections and keys.
std::optional<FileError> writeConfigFile(const std::filesystem::path& path,
                                         const ConfigImage& image);

}  // namespace kivprism::config

#include "core/config/backups.hpp"

#include <algorithm>
#include <cstdio>
#include <system_error>
#include <tuple>
#include <utility>

#include "core/config/utf8_path.hpp"

namespace kivprism::config {

namespace {

constexpr std::string_view kPrefix = "backup_";
constexpr std::string_view kSerialMark = "_sn";
constexpr std::string_view kExtension = ".KST401";
// "2026-12-09_18-15-30"
constexpr std::size_t kStampLength = 19;
constexpr unsigned kMaxSequence = 9999;

// A run of digits without a leading zero (but "0" itself), as the name writes numbers; nothing
// for anything else or a value above `maximum`.
std::optional<std::uint64_t> canonicalNumber(std::string_view text, std::uint64_t maximum) {
  if (text.empty() || text.size() > 10 || (text.size() > 1 && text.front() == '0')) {
    return std::nullopt;
  }
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value > maximum) {
    return std::nullopt;
  }
  return value;
}

// Two digits (or four for the year) at a fixed place of the stamp.
std::optional<int> fixedNumber(std::string_view stamp, std::size_t at, std::size_t width, int low,
                               int high) {
  int value = 0;
  for (std::size_t i = at; i < at + width; ++i) {
    if (stamp[i] < '0' || stamp[i] > '9') {
      return std::nullopt;
    }
    value = value * 10 + (stamp[i] - '0');
  }
  if (value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::tm> parseStamp(std::string_view stamp) {
  for (const std::size_t at : {4u, 7u, 13u, 16u}) {
    if (stamp[at] != '-') {
      return std::nullopt;
    }
  }
  if (stamp[10] != '_') {
    return std::nullopt;
  }
  const auto year = fixedNumber(stamp, 0, 4, 1900, 9999);
  const auto month = fixedNumber(stamp, 5, 2, 1, 12);
  const auto day = fixedNumber(stamp, 8, 2, 1, 31);
  const auto hour = fixedNumber(stamp, 11, 2, 0, 23);
  const auto minute = fixedNumber(stamp, 14, 2, 0, 59);
  // A leap second is a second like any other here.
  const auto second = fixedNumber(stamp, 17, 2, 0, 60);
  if (!year || !month || !day || !hour || !minute || !second) {
    return std::nullopt;
  }
  std::tm moment{};
  moment.tm_year = *year - 1900;
  moment.tm_mon = *month - 1;
  moment.tm_mday = *day;
  moment.tm_hour = *hour;
  moment.tm_min = *minute;
  moment.tm_sec = *second;
  return moment;
}

// Oldest first: by the moment in the name, then by the sequence, then by the name itself.
auto ageKey(const std::string& fileName, const BackupName& name) {
  return std::make_tuple(std::string_view(fileName).substr(kPrefix.size(), kStampLength),
                         name.sequence, std::string_view(fileName));
}

std::vector<std::string> sortedBackups(const std::vector<std::string>& fileNames) {
  std::vector<std::pair<std::string, BackupName>> found;
  for (const std::string& fileName : fileNames) {
    if (const auto name = parseBackupFileName(fileName)) {
      found.emplace_back(fileName, *name);
    }
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return ageKey(a.first, a.second) < ageKey(b.first, b.second);
  });
  std::vector<std::string> names;
  names.reserve(found.size());
  for (auto& [fileName, name] : found) {
    names.push_back(std::move(fileName));
  }
  return names;
}

// The names of the plain files in the folder; nothing when it cannot be listed.
std::vector<std::string> plainFileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError) && !typeError) {
      names.push_back(pathToUtf8(it->path().filename()));
    }
  }
  return names;
}

}  // namespace

std::string backupFileName(const BackupName& name) {
  char text[96];
  const int length = std::snprintf(
      text, sizeof text, "backup_%04d-%02d-%02d_%02d-%02d-%02d_sn%lu", name.moment.tm_year + 1900,
      name.moment.tm_mon + 1, name.moment.tm_mday, name.moment.tm_hour, name.moment.tm_min,
      name.moment.tm_sec, static_cast<unsigned long>(name.serialNumber));
  std::string result(text, static_cast<std::size_t>(std::max(length, 0)));
  if (name.sequence > 1) {
    result += "_" + std::to_string(name.sequence);
  }
  return result + std::string(kExtension);
}

std::optional<BackupName> parseBackupFileName(std::string_view fileName) {
  if (!fileName.starts_with(kPrefix) || !fileName.ends_with(kExtension)) {
    return std::nullopt;
  }
  std::string_view rest = fileName.substr(kPrefix.size());
  rest.remove_suffix(kExtension.size());
  if (rest.size() < kStampLength + kSerialMark.size() + 1 ||
      rest.substr(kStampLength, kSerialMark.size()) != kSerialMark) {
    return std::nullopt;
  }
  BackupName name;
  const auto moment = parseStamp(rest.substr(0, kStampLength));
  if (!moment) {
    return std::nullopt;
  }
  name.moment = *moment;
  std::string_view numbers = rest.substr(kStampLength + kSerialMark.size());
  const std::size_t separator = numbers.find('_');
  const auto serial = canonicalNumber(numbers.substr(0, separator), 0xFFFFFFFFu);
  if (!serial) {
    return std::nullopt;
  }
  name.serialNumber = static_cast<std::uint32_t>(*serial);
  if (separator != std::string_view::npos) {
    const auto sequence = canonicalNumber(numbers.substr(separator + 1), kMaxSequence);
    // The first backup of a second carries no number, so "_1" is no name of ours.
    if (!sequence || *sequence < 2) {
      return std::nullopt;
    }
    name.sequence = static_cast<unsigned>(*sequence);
  }
  return name;
}

std::vector<std::string> backupsBeyond(const std::vector<std::string>& fileNames,
                                       std::size_t keep) {
  std::vector<std::string> names = sortedBackups(fileNames);
  if (names.size() <= keep) {
    return {};
  }
  names.resize(names.size() - keep);
  return names;
}

BackupFolder::BackupFolder(std::filesystem::path folder, Clock clock, std::size_t keep)
    : folder_(std::move(folder)), clock_(std::move(clock)), keep_(std::max<std::size_t>(keep, 1)) {}

std::optional<std::string> BackupFolder::ensureFolder() const {
  std::error_code ec;
  if (std::filesystem::is_directory(folder_, ec)) {
    return std::nullopt;
  }
  std::filesystem::create_directories(folder_, ec);
  if (ec) {
    return ec.message();
  }
  // create_directories reports no error when a plain file of that name is in the way.
  if (!std::filesystem::is_directory(folder_, ec)) {
    return std::make_error_code(std::errc::not_a_directory).message();
  }
  return std::nullopt;
}

BackupResult BackupFolder::save(const ConfigImage& image, std::uint32_t serialNumber) const {
  BackupResult result;
  if (const auto reason = ensureFolder()) {
    result.error = FileError{folder_, *reason};
    return result;
  }
  BackupName name{clock_(), serialNumber, 1};
  std::filesystem::path path;
  for (; name.sequence <= kMaxSequence; ++name.sequence) {
    path = folder_ / pathFromUtf8(backupFileName(name));
    // Anything already there, even a dangling link, keeps its name; an error other than "not
    // found" lets the write below report it.
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found ||
        (ec && ec != std::errc::no_such_file_or_directory)) {
      break;
    }
  }
  if (name.sequence > kMaxSequence) {
    result.error = FileError{path, std::make_error_code(std::errc::file_exists).message()};
    return result;
  }
  if (auto error = writeConfigFile(path, image)) {
    result.error = std::move(error);
    return result;
  }
  result.path = path;
  removeOldest(path);
  return result;
}

std::vector<std::string> BackupFolder::backups() const {
  return sortedBackups(plainFileNames(folder_));
}

void BackupFolder::removeOldest(const std::filesystem::path& keepAlways) const {
  const std::string kept = pathToUtf8(keepAlways.filename());
  std::vector<std::string> names = plainFileNames(folder_);
  std::erase(names, kept);
  // A backup that cannot be removed stays; the one just written is what matters.
  for (const std::string& name : backupsBeyond(names, keep_ - 1)) {
    std::error_code ignored;
    std::filesystem::remove(folder_ / pathFromUtf8(name), ignored);
  }
}

}  // namespace kivprism::config

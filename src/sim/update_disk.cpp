#include "sim/update_disk.hpp"

#include <algorithm>
#include <array>
#include <fstream>
#include <random>

#include "core/config/image.hpp"
#include "core/config/utf8_path.hpp"
#include "core/device/firmware_file.hpp"
#include "sim/ticks.hpp"

namespace kivprism::sim {

namespace {

namespace fs = std::filesystem;

std::uint64_t clusters(std::uint64_t bytes, std::uint64_t cluster) {
  return (bytes + cluster - 1) / cluster * cluster;
}

void writeText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

fs::path freshTemporaryFolder() {
  std::random_device seed;
  std::mt19937 generator(seed());
  for (;;) {
    const fs::path candidate =
        fs::temp_directory_path() / ("kivprism-update-disk-" + std::to_string(generator()));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      return candidate;
    }
  }
}

constexpr std::array<char, 8> kVersionMagic{'K', 'I', 'V', 'S', 'I', 'M', 'V', '1'};
constexpr std::size_t kRecordApplicationOffset = 8;
constexpr std::size_t kRecordLoaderOffset = 12;
constexpr std::size_t kRecordDeviceTypeOffset = 16;

}  // namespace

SimulatedUpdateDisk::SimulatedUpdateDisk(SimulatedController& controller, fs::path folder)
    : controller_(controller), folder_(std::move(folder)) {
  if (folder_.empty()) {
    folder_ = freshTemporaryFolder();
    ownsFolder_ = true;
  } else {
    fs::create_directories(folder_);
  }
  folder_ = folder_.lexically_normal();
  if (!folder_.has_filename()) {
    folder_ = folder_.parent_path();
  }
  facts_.root = config::pathToUtf8(folder_);
  facts_.name = facts_.root;
  facts_.removable = true;
  facts_.label = std::string(device::kUpdateDiskLabel);
  facts_.fileSystem = std::string(device::kFatFileSystem);
  facts_.totalBytes = device::kUpdateDiskSize;
}

SimulatedUpdateDisk::~SimulatedUpdateDisk() {
  if (ownsFolder_) {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
}

bool SimulatedUpdateDisk::mounted() {
  return controller_.inBootLoader() && !faults_.neverAppears &&
         reached(controller_.now(), controller_.bootLoaderStartedAt() + appearMs_);
}

void SimulatedUpdateDisk::prepare() {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder_, ec)) {
    fs::remove_all(entry.path(), ec);
  }
  attributes_.clear();
  writeText(folder_ / "README.TXT",
            "KIVSOLANPRISM-F401 boot loader\r\nCopy one firmware file (*.LDR) onto this disk.\r\n");
  attributes_["README.TXT"] = {.archive = true};
  writeText(folder_ / "CURRENT.LDR", std::string(2048, '\xA5'));
  attributes_["CURRENT.LDR"] = {.readOnly = true, .archive = true};
  writeText(folder_ / "BOOTLOG.TXT", "last update: ok\r\n");
  attributes_["BOOTLOG.TXT"] = {.hidden = true, .system = true, .archive = true};
  const fs::path index = folder_ / "System Volume Information";
  fs::create_directory(index, ec);
  writeText(index / "IndexerVolumeGuid", "{00000000-0000-0000-0000-000000000000}");
  attributes_["System Volume Information"] = {.directory = true, .hidden = true, .system = true};
  preparedFor_ = controller_.bootLoaderStartedAt();
}

device::DiskSearch SimulatedUpdateDisk::findUpdateDisk() {
  ++searches_;
  if (!mounted()) {
    return {};
  }
  if (preparedFor_ != controller_.bootLoaderStartedAt()) {
    prepare();
  }
  if (!device::isUpdateDisk(facts_)) {
    return {};
  }
  return {device::UpdateDisk{facts_.root, facts_.name}, {}};
}

std::optional<device::DiskSpace> SimulatedUpdateDisk::diskSpace(const device::UpdateDisk&) {
  if (!mounted()) {
    return std::nullopt;
  }
  std::uint64_t used = 0;
  std::error_code ec;
  for (const auto& entry : fs::recursive_directory_iterator(folder_, ec)) {
    used += entry.is_directory() ? kClusterSize : clusters(entry.file_size(), kClusterSize);
  }
  if (faults_.staysNonEmpty) {
    used = std::max(used, kClusterSize);
  }
  used = std::min(used, facts_.totalBytes);
  return device::DiskSpace{facts_.totalBytes, facts_.totalBytes - used};
}

std::vector<device::DiskEntry> SimulatedUpdateDisk::listRoot(const device::UpdateDisk&) {
  std::vector<device::DiskEntry> entries;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder_, ec)) {
    const std::string name = config::pathToUtf8(entry.path().filename());
    entries.push_back({name, config::pathToUtf8(folder_ / entry.path().filename())});
  }
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  return entries;
}

bool SimulatedUpdateDisk::inside(const fs::path& path) const {
  return path.lexically_normal().parent_path() == folder_;
}

std::string SimulatedUpdateDisk::nameOf(const std::string& path) const {
  return config::pathToUtf8(config::pathFromUtf8(path).filename());
}

std::optional<device::EntryAttributes> SimulatedUpdateDisk::attributes(const std::string& path) {
  std::error_code ec;
  const fs::path where = config::pathFromUtf8(path);
  const fs::file_status status = fs::status(where, ec);
  if (ec || !fs::exists(status) || !inside(where)) {
    return std::nullopt;
  }
  device::EntryAttributes a = attributes_[nameOf(path)];
  a.directory = fs::is_directory(status);
  return a;
}

bool SimulatedUpdateDisk::clearAttributes(const std::string& path) {
  if (!attributes(path)) {
    return false;
  }
  device::EntryAttributes& a = attributes_[nameOf(path)];
  a.readOnly = a.hidden = a.system = a.archive = false;
  return true;
}

bool SimulatedUpdateDisk::removeDirectory(const std::string& path) {
  const auto a = attributes(path);
  if (!a || !a->directory || a->readOnly || nameOf(path) == faults_.undeletable) {
    return false;
  }
  std::error_code ec;
  fs::remove_all(config::pathFromUtf8(path), ec);
  attributes_.erase(nameOf(path));
  return !ec;
}

bool SimulatedUpdateDisk::removeFile(const std::string& path) {
  // As on FAT, a read-only file cannot be deleted.
  const auto a = attributes(path);
  if (!a || a->directory || a->readOnly || nameOf(path) == faults_.undeletable) {
    return false;
  }
  std::error_code ec;
  fs::remove(config::pathFromUtf8(path), ec);
  attributes_.erase(nameOf(path));
  return !ec;
}

std::string SimulatedUpdateDisk::targetPath(const device::UpdateDisk& disk,
                                            std::string_view fileName) {
  return config::pathToUtf8(config::pathFromUtf8(disk.root) / config::pathFromUtf8(fileName));
}

bool SimulatedUpdateDisk::writeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                                    std::size_t& written) {
  written = 0;
  const fs::path where = config::pathFromUtf8(path);
  if (!mounted() || !inside(where)) {
    return false;
  }
  std::ofstream out(where, std::ios::binary | std::ios::trunc);
  if (!out) {
    return false;
  }
  const std::size_t n = std::min(bytes.size(), faults_.shortWriteAfter.value_or(bytes.size()));
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(n));
  out.close();
  if (!out) {
    return true;
  }
  written = n;
  attributes_[nameOf(path)] = {.archive = true};
  // The boot loader programs a whole, intact firmware file and restarts into it.
  if (n == bytes.size() && device::checkFirmwareBytes(bytes) == device::FirmwareFileError::None) {
    const device::FirmwareHeader header = device::parseFirmwareHeader(bytes);
    ++installs_;
    controller_.installFirmware(header.deviceType, header.applicationVersion);
  }
  return true;
}

std::vector<std::uint8_t> encodeVersionRecord(const DeviceIdentity& identity) {
  std::vector<std::uint8_t> record(kVersionRecordSize, 0);
  std::copy(kVersionMagic.begin(), kVersionMagic.end(), record.begin());
  config::writeLe(record, kRecordApplicationOffset, 4, identity.applicationVersion);
  config::writeLe(record, kRecordLoaderOffset, 4, identity.loaderVersion);
  config::writeLe(record, kRecordDeviceTypeOffset, 4, identity.deviceType);
  return record;
}

bool decodeVersionRecord(std::span<const std::uint8_t> bytes, DeviceIdentity& identity) {
  if (bytes.size() != kVersionRecordSize ||
      !std::equal(kVersionMagic.begin(), kVersionMagic.end(), bytes.begin(),
                  [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; })) {
    return false;
  }
  identity.applicationVersion = config::readLe(bytes, kRecordApplicationOffset, 4);
  identity.loaderVersion = config::readLe(bytes, kRecordLoaderOffset, 4);
  identity.deviceType = config::readLe(bytes, kRecordDeviceTypeOffset, 4);
  return true;
}

}  // namespace kivprism::sim

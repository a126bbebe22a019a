// The update disk that the simulated controller's boot loader presents, and the volumes of a
// computer that has it plugged in. After the boot-loader start the controller leaves the bus; a
// moment later this disk appears, backed by a folder, with a few files of an earlier update (one of
// them hidden). A firmware file written onto it is installed: the controller comes back on the bus
// with the file's version and device type. Faults: a disk that never appears, an entry that cannot
// be deleted, a disk that stays non-empty, a write that stops short.
//
//   sim::SimulatedUpdateDisk disk(controller);          // a temporary folder, removed afterwards
//   device::FirmwareUpdate update(link, disk, shell, host);    // disk is the VolumeProvider
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/device/volume_provider.hpp"
#include "sim/factory_defaults.hpp"
#include "sim/simulated_controller.hpp"

namespace kivprism::sim {

struct UpdateDiskFaults {
  bool neverAppears = false;
  // The root entry of this name cannot be deleted.
  std::string undeletable;
  // Some space stays in use whatever is deleted.
  bool staysNonEmpty = false;
  // Writes stop after this many bytes.
  std::optional<std::size_t> shortWriteAfter;
};

class SimulatedUpdateDisk : public device::VolumeProvider {
 public:
  static constexpr std::uint32_t kDefaultAppearMs = 1500;
  static constexpr std::uint64_t kClusterSize = 512;

  // An empty folder: a fresh temporary folder, removed with the object.
  explicit SimulatedUpdateDisk(SimulatedController& controller, std::filesystem::path folder = {});
  ~SimulatedUpdateDisk() override;
  SimulatedUpdateDisk(const SimulatedUpdateDisk&) = delete;
  SimulatedUpdateDisk& operator=(const SimulatedUpdateDisk&) = delete;

  // What the disk reports about itself (label, file system, size, removable). Tests of the search
  // rules change them; the defaults make it the update disk.
  device::VolumeFacts& facts() { return facts_; }
  UpdateDiskFaults& faults() { return faults_; }
  // How long after the boot-loader start the disk appears.
  void setAppearDelay(std::uint32_t ms) { appearMs_ = ms; }
  const std::filesystem::path& folder() const { return folder_; }

  // Whether the computer sees the disk now (the controller runs its boot loader, the delay has
  // passed, and the disk is not faulted away).
  bool mounted();
  // How often the disk has been looked for.
  unsigned searches() const { return searches_; }
  // The firmware files installed so far.
  unsigned installs() const { return installs_; }

  device::DiskSearch findUpdateDisk() override;
  std::optional<device::DiskSpace> diskSpace(const device::UpdateDisk& disk) override;
  std::vector<device::DiskEntry> listRoot(const device::UpdateDisk& disk) override;
  std::optional<device::EntryAttributes> attributes(const std::string& path) override;
  bool clearAttributes(const std::string& path) override;
  bool removeDirectory(const std::string& path) override;
  bool removeFile(const std::string& path) override;
  std::string targetPath(const device::UpdateDisk& disk, std::string_view fileName) override;
  bool writeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                 std::size_t& written) override;

 private:
  // Fills the folder with what the boot loader left there last time.
  void prepare();
  bool inside(const std::filesystem::path& path) const;
  std::string nameOf(const std::string& path) const;

  SimulatedController& controller_;
  std::filesystem::path folder_;
  bool ownsFolder_ = false;
  device::VolumeFacts facts_;
  UpdateDiskFaults faults_;
  std::uint32_t appearMs_ = kDefaultAppearMs;
  // The boot-loader start the folder was prepared for.
  std::optional<std::uint32_t> preparedFor_;
  std::map<std::string, device::EntryAttributes> attributes_;
  unsigned searches_ = 0;
  unsigned installs_ = 0;
};

// The simulated controller's versions as a state file keeps them after a firmware update: a short
// record after the configuration image.
inline constexpr std::size_t kVersionRecordSize = 20;
std::vector<std::uint8_t> encodeVersionRecord(const DeviceIdentity& identity);
// False when the bytes are not such a record.
bool decodeVersionRecord(std::span<const std::uint8_t> bytes, DeviceIdentity& identity);

}  // namespace kivprism::sim

// The firmware update command against the simulated controller and its update disk.
#include "core/device/firmware_update.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/device/packet.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "sim/update_disk.hpp"
#include "support/fake_link_host.hpp"
#include "support/fake_update_host.hpp"
#include "support/firmware_files.hpp"
#include "support/process.hpp"
#include "support/sim_link_rig.hpp"

namespace kivprism::device {
namespace {

namespace fs = std::filesystem;
using testing::FakeLinkHost;
using testing::FakeUpdateHost;
using testing::makeFirmware;
using testing::TempDir;

constexpr std::uint32_t kType = 0x0401;  // the simulated controller's device type
constexpr std::uint32_t kRunning = 140;  // and its application version

class FirmwareUpdateTest : public ::testing::Test, public testing::SimLinkRig {
 protected:
  FirmwareUpdateTest() {
    lang::setCurrentLanguage(lang::Language::English);
    updateHost.chosenFile = file.string();
  }
  ~FirmwareUpdateTest() override { lang::setCurrentLanguage(lang::Language::English); }

  void choose(const std::vector<std::uint8_t>& bytes) {
    firmware = bytes;
    testing::writeFirmware(file, bytes);
  }
  UpdateResult run() {
    FirmwareUpdate update(link, disk, updateHost, updateHost);
    return update.run();
  }
  void connect() {
    for (int i = 0; i < 16 && !link.isConnected(); ++i) {
      link.pollTick();
    }
    ASSERT_TRUE(link.isConnected());
  }
  // The boot loader is already running and its disk is there.
  void startBootLoaderBeforehand() {
    const std::array<std::uint8_t, 64> start{};
    link.writeArea(area::kBootLoader, 0, start);
    linkHost.now += sim::SimulatedUpdateDisk::kDefaultAppearMs;
    ASSERT_TRUE(disk.mounted());
    controller.clearRequests();
  }
  std::size_t requestsFor(std::uint8_t cmd) const {
    return static_cast<std::size_t>(std::count_if(controller.requests().begin(),
                                                  controller.requests().end(),
                                                  [cmd](const auto& r) { return r.cmd == cmd; }));
  }
  std::vector<std::string> flashTexts() const {
    std::vector<std::string> out;
    for (const auto& f : updateHost.flashes) {
      out.push_back(f.text);
    }
    return out;
  }
  std::vector<std::string> diskNames() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(disk.folder())) {
      names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string onDisk(const std::string& name) const { return (disk.folder() / name).string(); }

  testing::FakeLinkHost& linkHost = host;
  sim::SimulatedUpdateDisk disk{controller};
  FakeUpdateHost updateHost{linkHost.now};
  TempDir dir;
  fs::path file = dir / "FW141.LDR";
  std::vector<std::uint8_t> firmware;
};

TEST_F(FirmwareUpdateTest, NewerFileIsInstalledAndTheControllerComesBackWithIt) {
  connect();
  controller.clearRequests();
  choose(makeFirmware(5001, kType, 141));  // not a whole number of words
  ASSERT_EQ(run(), UpdateResult::Updated);
  EXPECT_TRUE(updateHost.errors.empty());
  EXPECT_TRUE(updateHost.questions.empty());
  EXPECT_EQ(updateHost.toolbarDisabled, 1);

  // The boot-loader start: once, with the file's first 64 bytes.
  std::vector<sim::ReceivedRequest> starts;
  for (const auto& r : controller.requests()) {
    if (r.cmd == (area::kBootLoader | kWriteFlag)) {
      starts.push_back(r);
    }
  }
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].offset, 0);
  EXPECT_TRUE(std::equal(starts[0].payload().begin(), starts[0].payload().end(), firmware.begin(),
                         firmware.begin() + 64));
  EXPECT_EQ(starts[0].len, 64);

  // The disk holds only the new file, byte for byte, the trailing byte included.
  EXPECT_EQ(diskNames(), std::vector<std::string>{"FW141.LDR"});
  const std::string copied = testing::readWholeFile(disk.folder() / "FW141.LDR");
  EXPECT_EQ(copied, std::string(firmware.begin(), firmware.end()));

  const std::vector<std::string> expectedFlashes{"Run bootloader",
                                                 "Wait for USB drive",
                                                 "Deleting: " + onDisk("BOOTLOG.TXT"),
                                                 "Deleting: " + onDisk("CURRENT.LDR"),
                                                 "Deleting: " + onDisk("README.TXT"),
                                                 "Deleting: " + onDisk("System Volume Information"),
                                                 "Write: " + onDisk("FW141.LDR"),
                                                 "The device is updated to version 1.41"};
  EXPECT_EQ(flashTexts(), expectedFlashes);
  ASSERT_EQ(updateHost.flashes.size(), expectedFlashes.size());
  EXPECT_EQ(updateHost.flashes.front().durationMs, 10000u);
  EXPECT_EQ(updateHost.flashes.front().blinkMs, 0u);
  EXPECT_EQ(updateHost.flashes[1].durationMs, 20000u);
  EXPECT_EQ(updateHost.flashes[1].blinkMs, 250u);
  EXPECT_EQ(updateHost.flashes[2].durationMs, 3000u);
  EXPECT_EQ(updateHost.flashes[2].blinkMs, 0u);
  EXPECT_EQ(updateHost.flashes[6].durationMs, 3000u);
  EXPECT_EQ(updateHost.flashes[6].blinkMs, 0u);
  EXPECT_EQ(updateHost.flashes.back().durationMs, 3000u);
  EXPECT_EQ(updateHost.flashes.back().blinkMs, 250u);
  EXPECT_NE(std::find(updateHost.waits.begin(), updateHost.waits.end(), 500u),
            updateHost.waits.end());
  // Each deletion, the write and the result get painted before the work goes on.
  EXPECT_EQ(updateHost.processEventsCalls, 6);

  // The log: the device information read for the checks, then the file.
  ASSERT_GE(linkHost.logLines.size(), 1u);
  EXPECT_EQ(linkHost.logLines.back(), "Application version 1.40");
  EXPECT_EQ(updateHost.logLines,
            (std::vector<std::string>{"****************** Update *****************",
                                      "The update file           \"FW141.LDR\"",
                                      "Application version       1.41"}));

  // After its restart the controller answers with the new version.
  EXPECT_EQ(disk.installs(), 1u);
  linkHost.now += 1000;
  DeviceInfo info;
  ASSERT_EQ(link.readDeviceInfo(info), status::kOk);
  EXPECT_EQ(info.applicationVersion, 141u);
  EXPECT_EQ(info.deviceType, kType);
}

TEST_F(FirmwareUpdateTest, SameOrOlderVersionAsksAndNoTouchesNothing) {
  struct Case {
    std::uint32_t version;
    bool yes;
    const char* question;
  };
  const Case cases[] = {
      {kRunning, false, "Are you trying to download the same version as in the device\nContinue?"},
      {kRunning - 1, false,
       "Are you trying to download an older version than the device\nContinue?"},
      {kRunning, true, "Are you trying to download the same version as in the device\nContinue?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    updateHost.questions.clear();
    updateHost.answers = {c.yes};
    controller.clearRequests();
    choose(makeFirmware(1024, kType, c.version));
    const UpdateResult result = run();
    EXPECT_EQ(updateHost.questions, std::vector<std::string>{c.question});
    if (!c.yes) {
      EXPECT_EQ(result, UpdateResult::Refused);
      EXPECT_EQ(requestsFor(area::kBootLoader | kWriteFlag), 0u);
      EXPECT_FALSE(controller.inBootLoader());
    } else {
      EXPECT_EQ(result, UpdateResult::Updated);
      EXPECT_EQ(requestsFor(area::kBootLoader | kWriteFlag), 1u);
    }
  }
}

TEST_F(FirmwareUpdateTest, OlderVersionAnsweredYesIsInstalled) {
  choose(makeFirmware(1024, kType, 120));
  updateHost.answers = {true};
  ASSERT_EQ(run(), UpdateResult::Updated);
  EXPECT_EQ(updateHost.questions.size(), 1u);
  linkHost.now += 1000;
  DeviceInfo info;
  ASSERT_EQ(link.readDeviceInfo(info), status::kOk);
  EXPECT_EQ(info.applicationVersion, 120u);
}

TEST_F(FirmwareUpdateTest, AnotherDeviceTypeIsRefusedWhileTheControllerRuns) {
  choose(makeFirmware(1024, kType + 1, 200));
  EXPECT_EQ(run(), UpdateResult::Refused);
  EXPECT_EQ(updateHost.errors, std::vector<std::string>{"This update is not for this device"});
  EXPECT_TRUE(updateHost.questions.empty());
  EXPECT_EQ(requestsFor(area::kBootLoader | kWriteFlag), 0u);
}

TEST_F(FirmwareUpdateTest, WithTheDiskPresentOnlySizeAndChecksumCount) {
  startBootLoaderBeforehand();
  choose(makeFirmware(2048, kType + 1, 90));  // another type, an older version
  ASSERT_EQ(run(), UpdateResult::Updated);
  EXPECT_TRUE(updateHost.errors.empty());
  EXPECT_TRUE(updateHost.questions.empty());
  // Neither the device information nor the boot-loader start was sent.
  EXPECT_EQ(controller.requestCount(), 1u);  // the start sent beforehand
  EXPECT_TRUE(linkHost.logLines.empty());
  EXPECT_EQ(flashTexts().front(), "Deleting: " + onDisk("BOOTLOG.TXT"));
  linkHost.now += 1000;
  DeviceInfo info;
  ASSERT_EQ(link.readDeviceInfo(info), status::kOk);
  EXPECT_EQ(info.applicationVersion, 90u);
  EXPECT_EQ(info.deviceType, kType + 1);
}

// The controller's configuration is saved once the file is accepted and before the boot loader
// starts; the closing message names the backup, and a backup the user will not go without stops it.
TEST_F(FirmwareUpdateTest, TheConfigurationIsBackedUpJustBeforeTheBootLoaderStarts) {
  connect();
  controller.clearRequests();
  choose(makeFirmware(5001, kType, 141));
  std::size_t startsAtBackup = 99;
  updateHost.backUp = [&]() -> std::optional<std::string> {
    startsAtBackup = requestsFor(area::kBootLoader | kWriteFlag);
    return "backup_2026-12-09_18-15-30_sn1.KST401";
  };
  ASSERT_EQ(run(), UpdateResult::Updated);
  EXPECT_EQ(updateHost.backupCalls, 1);
  EXPECT_EQ(startsAtBackup, 0u);
  EXPECT_EQ(requestsFor(area::kBootLoader | kWriteFlag), 1u);
  EXPECT_EQ(flashTexts().back(),
            "The device is updated to version 1.41, the previous configuration is in "
            "backup_2026-12-09_18-15-30_sn1.KST401");
}

TEST_F(FirmwareUpdateTest, NoBackupAndNoGoingOnStopsBeforeTheBootLoader) {
  connect();
  controller.clearRequests();
  choose(makeFirmware(5001, kType, 141));
  updateHost.backUp = [] { return std::optional<std::string>(); };
  EXPECT_EQ(run(), UpdateResult::Refused);
  EXPECT_EQ(requestsFor(area::kBootLoader | kWriteFlag), 0u);
  EXPECT_EQ(updateHost.toolbarDisabled, 0);
  EXPECT_TRUE(updateHost.errors.empty()) << "the user's No is no error";
  EXPECT_TRUE(link.isConnected());
}

TEST_F(FirmwareUpdateTest, NoBackupForARefusedFileNorForAControllerInItsBootLoader) {
  connect();
  choose(makeFirmware(1024, kType + 1, 200));
  EXPECT_EQ(run(), UpdateResult::Refused);
  EXPECT_EQ(updateHost.backupCalls, 0);
  startBootLoaderBeforehand();
  choose(makeFirmware(2048, kType, 150));
  ASSERT_EQ(run(), UpdateResult::Updated);
  EXPECT_EQ(updateHost.backupCalls, 0);
  EXPECT_EQ(flashTexts().back(), "The device is updated to version 1.50");
}

TEST_F(FirmwareUpdateTest, FileRefusalsNameTheFile) {
  struct Case {
    std::vector<std::uint8_t> bytes;
    const char* english;
    const char* russian;
  };
  auto corrupt = makeFirmware(4096, kType, 141);
  corrupt[100] ^= 0x10;
  const Case cases[] = {
      {makeFirmware(kFirmwareMaxSize + 1, kType, 141), "Error file size \"FW141.LDR\"",
       "Ошибка размера файла \"FW141.LDR\""},
      {corrupt, "Error in file \"FW141.LDR\"", "Ошибка файла \"FW141.LDR\""},
  };
  for (const auto language : {lang::Language::English, lang::Language::Russian}) {
    lang::setCurrentLanguage(language);
    for (const Case& c : cases) {
      updateHost.errors.clear();
      choose(c.bytes);
      EXPECT_EQ(run(), UpdateResult::Refused);
      EXPECT_EQ(
          updateHost.errors,
          std::vector<std::string>{language == lang::Language::English ? c.english : c.russian});
    }
  }
  lang::setCurrentLanguage(lang::Language::English);
  updateHost.errors.clear();
  updateHost.chosenFile = (dir / "MISSING.LDR").string();
  EXPECT_EQ(run(), UpdateResult::Refused);
  EXPECT_EQ(updateHost.errors, std::vector<std::string>{"Error opening file \"MISSING.LDR\""});
  EXPECT_EQ(requestsFor(area::kBootLoader | kWriteFlag), 0u);
}

TEST_F(FirmwareUpdateTest, AFileOfTheWholeDiskSizeIsInstalled) {
  choose(makeFirmware(kFirmwareMaxSize, kType, 150));
  ASSERT_EQ(run(), UpdateResult::Updated);
  EXPECT_EQ(fs::file_size(disk.folder() / "FW141.LDR"), kFirmwareMaxSize);
}

TEST_F(FirmwareUpdateTest, ShortFileStartsTheBootLoaderWithZerosAfterIt) {
  choose(makeFirmware(20, kType, 141));
  ASSERT_EQ(run(), UpdateResult::Updated);
  const auto& start = controller.bootLoaderHeader();
  EXPECT_TRUE(std::equal(firmware.begin(), firmware.end(), start.begin()));
  EXPECT_TRUE(std::all_of(start.begin() + 20, start.end(), [](auto b) { return b == 0; }));
}

TEST_F(FirmwareUpdateTest, UnreadableControllerEndsBeforeTheFileIsChosen) {
  controller.unplug();
  choose(makeFirmware(1024, kType, 141));
  EXPECT_EQ(run(), UpdateResult::Failed);
  ASSERT_EQ(updateHost.errors.size(), 1u);
  EXPECT_EQ(updateHost.errors[0],
            "Error reading the device configuration\n" + statusText(status::kDisconnected));
  EXPECT_EQ(updateHost.chooserCalls, 0);
}

TEST_F(FirmwareUpdateTest, NoFileChosenEndsQuietly) {
  updateHost.chosenFile.clear();
  EXPECT_EQ(run(), UpdateResult::Cancelled);
  EXPECT_TRUE(updateHost.errors.empty());
  EXPECT_EQ(requestsFor(area::kBootLoader | kWriteFlag), 0u);
}

TEST_F(FirmwareUpdateTest, NoDiskWithinTwoHundredLooksClearsTheConnectedFlag) {
  connect();
  disk.faults().neverAppears = true;
  choose(makeFirmware(1024, kType, 141));
  EXPECT_EQ(run(), UpdateResult::Failed);
  EXPECT_EQ(updateHost.errors, std::vector<std::string>{"Failed to update the firmware\n"});
  EXPECT_EQ(disk.searches(), 1u + FirmwareUpdate::kDiskLooks);  // the first look, then the wait
  EXPECT_EQ(std::count(updateHost.waits.begin(), updateHost.waits.end(), 100u),
            FirmwareUpdate::kDiskLooks - 1);
  EXPECT_EQ(updateHost.flashEnds, 1);
  // The gauge follows every look and ends full.
  ASSERT_EQ(updateHost.looks.size(), FirmwareUpdate::kDiskLooks + 1);
  for (unsigned i = 0; i < FirmwareUpdate::kDiskLooks; ++i) {
    EXPECT_EQ(updateHost.looks[i], i + 1);
  }
  EXPECT_EQ(updateHost.looks.back(), FirmwareUpdate::kDiskLooks);
  EXPECT_FALSE(link.isConnected());
}

TEST_F(FirmwareUpdateTest, OnlyTheExactUpdateDiskIsTaken) {
  const auto changes = std::vector<std::function<void(VolumeFacts&)>>{
      [](VolumeFacts& f) { f.label = "update"; },
      [](VolumeFacts& f) { f.label = "UPDATE2"; },
      [](VolumeFacts& f) { f.totalBytes = kUpdateDiskSize + 512; },
      [](VolumeFacts& f) { f.totalBytes = kUpdateDiskSize - 512; },
      [](VolumeFacts& f) { f.fileSystem = "FAT32"; },
      [](VolumeFacts& f) { f.removable = false; },
  };
  choose(makeFirmware(1024, kType, 141));
  for (std::size_t i = 0; i < changes.size(); ++i) {
    SCOPED_TRACE(i);
    controller.plugIn();
    disk.facts() = sim::SimulatedUpdateDisk(controller).facts();
    disk.facts().root = disk.folder().string();
    changes[i](disk.facts());
    updateHost.errors.clear();
    EXPECT_EQ(run(), UpdateResult::Failed);
    EXPECT_EQ(updateHost.errors, std::vector<std::string>{"Failed to update the firmware\n"});
  }
}

TEST_F(FirmwareUpdateTest, ClosingTheProgramEndsTheWait) {
  disk.faults().neverAppears = true;
  choose(makeFirmware(1024, kType, 141));
  updateHost.onWait = [this] {
    if (updateHost.waits.size() == 5) {
      updateHost.shutdown = true;
    }
  };
  EXPECT_EQ(run(), UpdateResult::Failed);
  EXPECT_EQ(updateHost.waits.size(), 5u);
  EXPECT_EQ(updateHost.errors, std::vector<std::string>{"Failed to update the firmware\n"});
}

TEST_F(FirmwareUpdateTest, AnEntryThatCannotBeDeletedStopsTheUpdate) {
  choose(makeFirmware(1024, kType, 141));
  disk.faults().undeletable = "README.TXT";
  EXPECT_EQ(run(), UpdateResult::Failed);
  EXPECT_EQ(updateHost.errors, std::vector<std::string>{"Failed to update the firmware\nError "
                                                        "deleting file:\n" +
                                                        onDisk("README.TXT")});
  // The disk stays partly emptied and nothing is written.
  EXPECT_EQ(diskNames(), (std::vector<std::string>{"README.TXT", "System Volume Information"}));

  updateHost.errors.clear();
  controller.plugIn();
  disk.faults().undeletable = "System Volume Information";
  EXPECT_EQ(run(), UpdateResult::Failed);
  EXPECT_EQ(updateHost.errors, std::vector<std::string>{"Failed to update the firmware\nError "
                                                        "deleting directory:\n" +
                                                        onDisk("System Volume Information")});
}

TEST_F(FirmwareUpdateTest, ADiskThatStaysInUseIsNotWritten) {
  choose(makeFirmware(1024, kType, 141));
  disk.faults().staysNonEmpty = true;
  EXPECT_EQ(run(), UpdateResult::Failed);
  EXPECT_EQ(updateHost.errors, std::vector<std::string>{"Failed to update the firmware\nError "
                                                        "clean disk: " +
                                                        disk.folder().string() + "\n"});
  EXPECT_TRUE(diskNames().empty());
}

TEST_F(FirmwareUpdateTest, AShortWriteIsReportedAndNothingIsInstalled) {
  choose(makeFirmware(4096, kType, 141));
  disk.faults().shortWriteAfter = 1000;
  EXPECT_EQ(run(), UpdateResult::Failed);
  EXPECT_EQ(updateHost.errors,
            std::vector<std::string>{"Failed to update the firmware\nError writing file \"" +
                                     onDisk("FW141.LDR") + "\""});
  EXPECT_EQ(disk.installs(), 0u);
  EXPECT_TRUE(controller.inBootLoader());
  // Trying again empties the disk first, the partial file included.
  disk.faults().shortWriteAfter.reset();
  updateHost.errors.clear();
  updateHost.flashes.clear();
  ASSERT_EQ(run(), UpdateResult::Updated);
  EXPECT_EQ(flashTexts().front(), "Deleting: " + onDisk("FW141.LDR"));
}

// Attribute failures, which the simulated disk itself never has.
class StubbornDisk : public sim::SimulatedUpdateDisk {
 public:
  using SimulatedUpdateDisk::SimulatedUpdateDisk;
  bool failAttributes = false;
  bool failClear = false;
  std::optional<EntryAttributes> attributes(const std::string& path) override {
    return failAttributes ? std::nullopt : SimulatedUpdateDisk::attributes(path);
  }
  bool clearAttributes(const std::string& path) override {
    return !failClear && SimulatedUpdateDisk::clearAttributes(path);
  }
};

TEST_F(FirmwareUpdateTest, AttributeFailuresStopTheUpdate) {
  choose(makeFirmware(1024, kType, 141));
  StubbornDisk stubborn(controller);
  FirmwareUpdate update(link, stubborn, updateHost, updateHost);
  stubborn.failAttributes = true;
  EXPECT_EQ(update.run(), UpdateResult::Failed);
  EXPECT_EQ(updateHost.errors.back(),
            "Failed to update the firmware\nUnable to get file information:\n" +
                (stubborn.folder() / "BOOTLOG.TXT").string());
  stubborn.failAttributes = false;
  stubborn.failClear = true;
  controller.plugIn();
  EXPECT_EQ(update.run(), UpdateResult::Failed);
  EXPECT_EQ(updateHost.errors.back(), "Failed to update the firmware\nUnable to change mode:\n" +
                                          (stubborn.folder() / "BOOTLOG.TXT").string());
}

TEST_F(FirmwareUpdateTest, RussianMessagesOfASuccessfulUpdate) {
  lang::setCurrentLanguage(lang::Language::Russian);
  choose(makeFirmware(1024, kType, 205));
  ASSERT_EQ(run(), UpdateResult::Updated);
  const auto texts = flashTexts();
  EXPECT_EQ(texts.front(), "Запуск boot loader");
  EXPECT_EQ(texts[1], "Ждем появления USB диска");
  EXPECT_EQ(texts[2], "Удаляем: " + onDisk("BOOTLOG.TXT"));
  EXPECT_EQ(texts.back(), "Устройство обновлено до версии 2.05");
  EXPECT_EQ(updateHost.logLines[1], "Файл обновления   \"FW141.LDR\"");
  EXPECT_EQ(updateHost.logLines[2], "Версия приложения 2.05");
}

}  // namespace
}  // namespace kivprism::device

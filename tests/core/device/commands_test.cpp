// The toolbar's command sequences against the simulated controller, with the fake host in place of
// the main window.
#include "core/device/commands.hpp"

#include <gtest/gtest.h>

#include "core/config/backups.hpp"
#include "core/config/config_file.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/fake_link_host.hpp"
#include "support/process.hpp"
#include "support/sim_link_rig.hpp"

namespace kivprism::device {
namespace {

using testing::FakeLinkHost;

class CommandsTest : public ::testing::Test, public testing::SimLinkRig {
 protected:
  CommandsTest() {
    lang::setCurrentLanguage(lang::Language::English);
    commands.invalidatePages = [this] { ++invalidations; };
    commands.beforeControllerChange = [this] { ++canLogStops; };
    for (int i = 0; i < 8 && !link.isConnected(); ++i) {
      tick();
    }
    EXPECT_TRUE(link.isConnected());
    controller.clearRequests();
    host.toolbarUpdates.clear();
  }

  std::size_t writesTo(std::uint8_t area) const {
    std::size_t n = 0;
    for (const auto& r : controller.requests()) {
      n += r.cmd == (area | kWriteFlag) ? 1 : 0;
    }
    return n;
  }
  FileSteps steps(std::optional<std::filesystem::path> path) {
    return {[path] { return path; },
            [this](const std::filesystem::path& p) { remembered.push_back(p); }};
  }

  ToolbarCommands commands{link};
  int invalidations = 0;
  int canLogStops = 0;
  std::vector<std::filesystem::path> remembered;
  testing::TempDir dir;
};

TEST_F(CommandsTest, FileSavedAndOpenedAgainReachesTheController) {
  const auto file = dir / "car.KST401";
  const config::ConfigImage original = model.working;
  model.working.set(config::layout::kLongPressTime, 1234);
  ASSERT_TRUE(commands.saveConfigFile(steps(file)));
  EXPECT_EQ(host.flashes.back(), "The configuration is written");
  model.working = original;

  ASSERT_TRUE(commands.openConfigFile(steps(file)));
  EXPECT_EQ(model.working.get(config::layout::kLongPressTime), 1234u);
  EXPECT_EQ(host.flashes.back(), "The configuration is read");
  EXPECT_EQ(remembered, (std::vector<std::filesystem::path>{file, file}));
  EXPECT_EQ(host.toolbarUpdates, (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(invalidations, 1);
  EXPECT_TRUE(link.inSync());
  EXPECT_EQ(link.pollSuspendCount(), 0u);
  // The next tick sends what differs from the controller.
  tick();
  EXPECT_EQ(controller.configuration().get(config::layout::kLongPressTime), 1234u);
  EXPECT_EQ(host.syncTexts.back(), "All changes are on the controller");
}

TEST_F(CommandsTest, CancelledOrFailedFileCommandsChangeNothing) {
  const config::ConfigImage before = model.working;
  EXPECT_FALSE(commands.openConfigFile(steps(std::nullopt)));
  EXPECT_FALSE(commands.saveConfigFile(steps(std::nullopt)));
  EXPECT_TRUE(host.flashes.empty());
  EXPECT_TRUE(host.errors.empty());
  EXPECT_EQ(invalidations, 1);  // an open redraws even when cancelled
  EXPECT_TRUE(link.inSync());

  EXPECT_FALSE(commands.openConfigFile(steps(dir / "missing.KST401")));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_TRUE(host.errors[0].starts_with("Error reading the file\n"));
  EXPECT_FALSE(commands.saveConfigFile(steps(dir / "no" / "such" / "folder.KST401")));
  ASSERT_EQ(host.errors.size(), 2u);
  EXPECT_TRUE(host.errors[1].starts_with("Error writing the file\n"));
  EXPECT_TRUE(remembered.empty());
  EXPECT_EQ(model.working, before);
  // Each error box held the poll off, and the poll runs again after it.
  EXPECT_FALSE(host.timerOnDuringBox);
  EXPECT_EQ(link.pollSuspendCount(), 0u);
  EXPECT_TRUE(host.pollTimerEnabled);
  EXPECT_EQ(host.toolbarUpdates.back(), false);
}

// A file cut short (here its first 3000 bytes) would blank all 100 entries and then the controller
// at the next change sending: the user is told what is missing and decides.
TEST_F(CommandsTest, ADamagedFileIsLoadedOnlyWhenTheUserSaysSo) {
  const auto whole = dir / "whole.KST401";
  model.working.set(config::layout::kLongPressTime, 1234);
  model.working.entry(0)[0] = 0x11;
  ASSERT_TRUE(commands.saveConfigFile(steps(whole)));
  const auto cut = dir / "cut.KST401";
  testing::writeWholeFile(cut, testing::readWholeFile(whole).substr(0, 3000));
  tick();
  const config::ConfigImage before = model.working;
  const std::size_t flashes = host.flashes.size();

  host.answers = {false};
  EXPECT_FALSE(commands.openConfigFile(steps(cut)));
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_TRUE(host.questions[0].starts_with("The configuration file is damaged:\n"))
      << host.questions[0];
  EXPECT_NE(host.questions[0].find("Missing sections: KEYSCH4, EVENTS, SOURCE\n"
                                   "The file ends inside section KEYSCH3"),
            std::string::npos)
      << host.questions[0];
  EXPECT_TRUE(host.errors.empty()) << "No is an answer, not an error";
  EXPECT_EQ(model.working, before);
  EXPECT_EQ(host.flashes.size(), flashes);
  EXPECT_EQ(remembered.size(), 1u) << "only the saved file is remembered";
  tick();
  EXPECT_EQ(controller.configuration().entry(0)[0], 0x11) << "the controller keeps its entries";

  host.answers = {true};
  EXPECT_TRUE(commands.openConfigFile(steps(cut)));
  EXPECT_EQ(host.questions.size(), 2u);
  EXPECT_EQ(model.working.entry(0)[0], 0);
  EXPECT_EQ(model.working.get(config::layout::kLongPressTime), 1234u);
  EXPECT_EQ(host.flashes.back(), "The configuration is read");

  // A whole file asks nothing.
  EXPECT_TRUE(commands.openConfigFile(steps(whole)));
  EXPECT_EQ(host.questions.size(), 2u);
  EXPECT_EQ(model.working.entry(0)[0], 0x11);
}

TEST_F(CommandsTest, WriteDeviceAsksThenWritesAndResets) {
  host.answers = {false};
  EXPECT_EQ(commands.writeDevice(), status::kOk);
  EXPECT_TRUE(controller.requests().empty());
  EXPECT_EQ(canLogStops, 0);
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0], "Are you sure you want to write\ndata to the controller?");

  model.working.data()[7000] ^= 0xFF;
  EXPECT_EQ(commands.writeDevice(), status::kOk);
  EXPECT_EQ(canLogStops, 1);
  EXPECT_EQ(writesTo(area::kConfiguration), 238u);
  EXPECT_EQ(writesTo(area::kReset), 1u);
  EXPECT_EQ(controller.configuration().data()[7000], model.working.data()[7000]);
  EXPECT_FALSE(link.userCommand());
  EXPECT_EQ(host.toolbarUpdates.back(), false);
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(CommandsTest, WriteDeviceFailureIsReported) {
  controller.setAreaAnswer(area::kConfiguration, kAnswerFailed);
  EXPECT_EQ(commands.writeDevice(), status::kFailedResult);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0], "Error writing configuration\nFailed result");
  EXPECT_EQ(writesTo(area::kReset), 0u);
  EXPECT_FALSE(link.userCommand());
  EXPECT_EQ(link.pollSuspendCount(), 0u);
}

TEST_F(CommandsTest, DefaultsAndResetMakeTheNextPollReadAgain) {
  host.answers = {true};
  EXPECT_EQ(commands.restoreDefaults(), status::kOk);
  EXPECT_EQ(canLogStops, 1);
  EXPECT_EQ(writesTo(area::kRestoreDefaults), 1u);
  EXPECT_FALSE(link.inSync());
  EXPECT_EQ(link.lastSerialNumber(), 0u);
  EXPECT_FALSE(link.userCommand());

  controller.setAreaAnswer(area::kReset, kAnswerBadParameters);
  EXPECT_EQ(commands.reset(), status::kBadParameters);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0], "Failed to reset the device\nError in parameters");
  EXPECT_EQ(host.toolbarUpdates.back(), false);
  EXPECT_FALSE(link.userCommand());

  controller.setAreaAnswer(area::kRestoreDefaults, kAnswerFailed);
  lang::setCurrentLanguage(lang::Language::Russian);
  EXPECT_EQ(commands.restoreDefaults(), status::kFailedResult);
  EXPECT_EQ(host.errors.back(),
            "Ошибка сброса конфигурации устройства в состояние по умолчанию\nОшибка результата");

  // The next poll reads the configuration again.
  controller.clearRequests();
  tick();
  EXPECT_TRUE(link.inSync());
  EXPECT_EQ(link.lastSerialNumber(), controller.identity().serialNumber);
}

// The keys grid stores its labels through this hook: what it writes must be in the file and on the
// controller, also when the user then cancels or refuses; a read never calls it.
TEST_F(CommandsTest, ImageLeavesOnlyAfterTheHookStoredItsPart) {
  int stores = 0;
  std::uint8_t label = 0x41;
  commands.beforeImageLeaves = [&] {
    ++stores;
    model.working.data()[7000] = label;
  };
  const auto file = dir / "labels.KST401";
  ASSERT_TRUE(commands.saveConfigFile(steps(file)));
  EXPECT_EQ(stores, 1);
  config::ConfigImage saved;
  ASSERT_FALSE(config::readConfigFile(file, saved).has_value());
  EXPECT_EQ(saved.data()[7000], 0x41);
  EXPECT_FALSE(commands.saveConfigFile(steps(std::nullopt)));
  EXPECT_EQ(stores, 2);

  label = 0x42;
  host.answers = {true};
  EXPECT_EQ(commands.writeDevice(), status::kOk);
  EXPECT_EQ(stores, 3);
  EXPECT_EQ(controller.configuration().data()[7000], 0x42);
  host.answers = {false};
  commands.writeDevice();
  EXPECT_EQ(stores, 4);

  commands.openConfigFile(steps(file));
  commands.readDevice();
  EXPECT_EQ(stores, 4);
}

TEST_F(CommandsTest, ReadDeviceRedrawsAndReplacesTheImage) {
  controller.configuration().data()[300] = 0x3C;
  model.working.data()[301] ^= 1;
  EXPECT_EQ(commands.readDevice(), status::kOk);
  EXPECT_EQ(invalidations, 1);
  EXPECT_EQ(model.working, controller.configuration());
  EXPECT_EQ(link.pollSuspendCount(), 0u);
}

TEST_F(CommandsTest, ClosingRiskFollowsTheChangesNotOnTheControllerNorInAFile) {
  EXPECT_EQ(commands.closingRisk(), ClosingRisk::None);
  EXPECT_EQ(commands.closingQuestion(), "");
  controller.setAreaAnswer(area::kConfiguration, kAnswerBadParameters);
  model.working.data()[300] ^= 1;
  tick();
  EXPECT_EQ(commands.closingRisk(), ClosingRisk::NotOnController);
  EXPECT_EQ(commands.closingQuestion(),
            "Changes not yet on the controller: 1.\nSave the configuration to a file before "
            "closing?");
  // Saved in a file: nothing would be lost.
  ASSERT_TRUE(commands.saveConfigFile(steps(dir / "a.KST401")));
  EXPECT_EQ(commands.closingRisk(), ClosingRisk::None);
  model.working.data()[301] ^= 1;
  EXPECT_EQ(commands.closingRisk(), ClosingRisk::NotOnController);
  controller.unplug();
  tick();
  ASSERT_FALSE(link.isConnected());
  EXPECT_EQ(commands.closingRisk(), ClosingRisk::OnlyHere);
  // Undone: the working image is the device copy again.
  model.working.data()[300] ^= 1;
  model.working.data()[301] ^= 1;
  EXPECT_EQ(commands.closingRisk(), ClosingRisk::None);
}

TEST_F(CommandsTest, AFailedReadLeavesNoChangeForTheReturningController) {
  const std::size_t edited = config::layout::kParamBlock.offset + 700;
  controller.configuration().data()[edited + 1] = 0x55;
  const config::ConfigImage controllerBefore = controller.configuration();
  controller.unplugAtRequest(100);
  EXPECT_NE(commands.readDevice(), status::kOk);
  tick();
  ASSERT_FALSE(link.isConnected());
  // The cleared parameter block is no change of the user's; an edit made since is.
  EXPECT_EQ(link.pendingChanges(), 0u);
  EXPECT_EQ(commands.closingRisk(), ClosingRisk::None);
  model.working.data()[edited] = 0x77;
  EXPECT_EQ(link.pendingChanges(), 1u);
  controller.plugIn();
  for (int i = 0; i < 8 && !(link.isConnected() && link.pendingChanges() == 0); ++i) {
    tick();
  }
  config::ConfigImage expected = controllerBefore;
  expected.data()[edited] = 0x77;
  EXPECT_EQ(controller.configuration(), expected);
  EXPECT_EQ(model.working, expected);
  // After the good read every byte counts again, also one set back to what the failed read left.
  const std::size_t cleared = edited + 1;
  ASSERT_NE(model.working.data()[cleared], 0);
  model.working.data()[cleared] = 0;
  EXPECT_EQ(link.pendingChanges(), 1u);
  tick();
  EXPECT_EQ(controller.configuration().data()[cleared], 0);
}

// --- backups before the controller's configuration is replaced ---

class BackupCommandsTest : public CommandsTest {
 protected:
  BackupCommandsTest() {
    commands.setBackups(&backups);
    commands.showInformation = [this](std::string_view text) { informations.emplace_back(text); };
    // Something of the user's own, saved in a file, and a change not yet sent: the backup is
    // what the controller holds, neither of these.
    controller.configuration().set(config::layout::kLongPressTime, 777);
    EXPECT_EQ(commands.readDevice(), status::kOk);
    controllerBefore = controller.configuration();
    model.working.set(config::layout::kLongPressTime, 1234);
    EXPECT_TRUE(commands.saveConfigFile(steps(file)));
    model.working.set(config::layout::kLongPressTime, 4321);
    host.flashes.clear();
    controller.clearRequests();
  }
  std::string backupName() {
    return "backup_2026-12-09_18-15-30_sn" + std::to_string(controller.identity().serialNumber) +
           ".KST401";
  }
  config::ConfigImage readBack(const std::filesystem::path& path) {
    config::ConfigImage image;
    EXPECT_FALSE(config::readConfigFile(path, image));
    return image;
  }
  // Where the backups cannot go: a plain file in the folder's place.
  void blockBackups() { testing::writeWholeFile(dir / "backups", "in the way"); }

  std::tm now = [] {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 9;
    t.tm_hour = 18;
    t.tm_min = 15;
    t.tm_sec = 30;
    return t;
  }();
  config::BackupFolder backups{dir / "backups", [this] { return now; }};
  std::filesystem::path file = dir / "car.KST401";
  config::ConfigImage controllerBefore;
  std::vector<std::string> informations;
};

TEST_F(BackupCommandsTest, OpeningAFileKeepsWhatTheControllerHeldAndSaysSoOnce) {
  ASSERT_TRUE(commands.openConfigFile(steps(file)));
  EXPECT_EQ(backups.backups(), std::vector<std::string>{backupName()});
  EXPECT_EQ(readBack(dir / "backups" / backupName()), controllerBefore);
  EXPECT_EQ(commands.lastBackup(), backupName());
  ASSERT_EQ(informations.size(), 1u);
  EXPECT_EQ(informations[0],
            "The file is read and is now being written to the controller.\n"
            "The controller's previous configuration is saved in the backup " +
                backupName());
  EXPECT_TRUE(host.flashes.empty()) << "one message, not two";
  EXPECT_TRUE(host.questions.empty());
  // Nothing went out yet: the file reaches the controller with the next poll, as before.
  EXPECT_EQ(writesTo(area::kConfiguration), 0u);
  tick();
  EXPECT_EQ(controller.configuration().get(config::layout::kLongPressTime), 1234u);
}

TEST_F(BackupCommandsTest, WithoutAControllerAFileReplacesNothingAndNoBackupIsMade) {
  controller.unplug();
  tick();
  ASSERT_FALSE(link.isConnected());
  ASSERT_TRUE(commands.openConfigFile(steps(file)));
  EXPECT_TRUE(backups.backups().empty());
  EXPECT_TRUE(informations.empty());
  EXPECT_EQ(host.flashes.back(), "The configuration is read");
}

TEST_F(BackupCommandsTest, ABackupThatCannotBeWrittenAsksAndNoKeepsEverything) {
  blockBackups();
  const config::ConfigImage working = model.working;
  host.answers = {false};
  EXPECT_FALSE(commands.openConfigFile(steps(file)));
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_TRUE(host.questions[0].starts_with(
      "The backup of the controller's configuration could not be written:\n"))
      << host.questions[0];
  EXPECT_TRUE(host.questions[0].ends_with("\n\nGo on without a backup?"));
  EXPECT_EQ(model.working, working);
  EXPECT_TRUE(informations.empty());
  EXPECT_EQ(remembered.size(), 1u) << "only the saved file";
  EXPECT_EQ(link.pollSuspendCount(), 0u);
  tick();
  // The change made before the open still goes; the file does not.
  EXPECT_EQ(controller.configuration().get(config::layout::kLongPressTime), 4321u);

  host.answers = {true};
  EXPECT_TRUE(commands.openConfigFile(steps(file)));
  EXPECT_EQ(model.working.get(config::layout::kLongPressTime), 1234u);
  ASSERT_EQ(informations.size(), 1u);
  EXPECT_EQ(informations[0],
            "The file is read and is now being written to the controller.\n"
            "No backup of the previous configuration was saved.");
  EXPECT_EQ(testing::readWholeFile(dir / "backups"), "in the way");
}

TEST_F(BackupCommandsTest, DefaultsAreBackedUpOnlyOnceTheUserSaidYes) {
  host.answers = {false};
  EXPECT_EQ(commands.restoreDefaults(), status::kOk);
  EXPECT_TRUE(backups.backups().empty());
  EXPECT_EQ(writesTo(area::kRestoreDefaults), 0u);
  // No restores nothing, so the changes not yet on the controller stay changes to send.
  EXPECT_TRUE(link.inSync());
  EXPECT_EQ(link.lastSerialNumber(), controller.identity().serialNumber);
  tick();
  EXPECT_EQ(controller.configuration().get(config::layout::kLongPressTime), 4321u);
  controllerBefore = controller.configuration();

  host.answers = {true};
  EXPECT_EQ(commands.restoreDefaults(), status::kOk);
  EXPECT_EQ(writesTo(area::kRestoreDefaults), 1u);
  ASSERT_EQ(backups.backups(), std::vector<std::string>{backupName()});
  EXPECT_EQ(readBack(dir / "backups" / backupName()), controllerBefore);
  EXPECT_EQ(host.flashes.back(),
            "The defaults are restored, the previous configuration is in " + backupName());
}

TEST_F(BackupCommandsTest, DefaultsWithoutABackupGoOnlyWhenTheUserSaysSo) {
  blockBackups();
  host.answers = {true, false};
  EXPECT_EQ(commands.restoreDefaults(), status::kOk);
  ASSERT_EQ(host.questions.size(), 2u);
  EXPECT_TRUE(host.questions[1].ends_with("Go on without a backup?"));
  EXPECT_EQ(writesTo(area::kRestoreDefaults), 0u);
  EXPECT_TRUE(link.inSync());
  EXPECT_FALSE(link.userCommand());

  host.answers = {true, true};
  EXPECT_EQ(commands.restoreDefaults(), status::kOk);
  EXPECT_EQ(writesTo(area::kRestoreDefaults), 1u);
  EXPECT_FALSE(link.inSync());
  EXPECT_TRUE(host.flashes.empty()) << "no backup to name";
}

// A cancelled chooser is no file loaded: what a broken read left (a cleared parameter block) must
// still not go out to the controller.
TEST_F(CommandsTest, ACancelledOpenAfterABrokenReadSendsNothing) {
  controller.configuration().set(config::layout::kLongPressTime, 777);
  ASSERT_EQ(commands.readDevice(), status::kOk);
  controller.endReadsAt(area::kConfiguration, 8000);
  EXPECT_NE(commands.readDevice(), status::kOk);
  ASSERT_TRUE(link.isConnected());
  controller.clearRequests();
  EXPECT_FALSE(commands.openConfigFile(steps(std::nullopt)));
  tick();
  tick();
  EXPECT_EQ(writesTo(area::kConfiguration), 0u);
  EXPECT_EQ(controller.configuration().get(config::layout::kLongPressTime), 777u);
}

}  // namespace
}  // namespace kivprism::device

// kivprism-cli update against the simulated controller: the checks, the questions, and the new
// version that the state file keeps afterwards.
#include <gtest/gtest.h>

#include "apps/cli/cli_fixture.hpp"
#include "core/config/image.hpp"
#include "support/firmware_files.hpp"
#include "support/process.hpp"

namespace kivprism {
namespace {

using testing::makeFirmware;
using testing::readWholeFile;
using testing::runProcess;
using testing::TempDir;
using testing::writeFirmware;

constexpr std::uint32_t kType = 0x0401;

class CliUpdate : public ::testing::Test {
 protected:
  std::string simulator() const { return "--simulator=" + (dir / "state.bin").string(); }
  std::string firmware(const std::string& name, std::size_t size, std::uint32_t type,
                       std::uint32_t version) {
    writeFirmware(dir / name, makeFirmware(size, type, version));
    return (dir / name).string();
  }
  testing::ProcessResult update(const std::vector<std::string>& extra) {
    std::vector<std::string> args{"update"};
    args.insert(args.end(), extra.begin(), extra.end());
    args.push_back(simulator());
    args.push_back("--lang=en");
    return runProcess(kCli, args);
  }
  testing::ProcessResult info() { return runProcess(kCli, {"info", simulator(), "--lang=en"}); }

  TempDir dir;
};

TEST_F(CliUpdate, NewerFirmwareIsInstalledAndInfoShowsItLater) {
  const auto before = info();
  ASSERT_EQ(before.exitCode, 0) << before.err;
  EXPECT_NE(before.out.find("Application version 1.40\n"), std::string::npos);
  EXPECT_NE(before.out.find("Device type 0x0401\n"), std::string::npos);
  const std::string image = readWholeFile(dir / "state.bin");
  ASSERT_EQ(image.size(), config::layout::kImageSize);

  const auto done = update({firmware("FW151.LDR", 30001, kType, 151)});
  ASSERT_EQ(done.exitCode, 0) << done.err;
  EXPECT_NE(done.out.find("The update file           \"FW151.LDR\"\n"), std::string::npos);
  EXPECT_NE(done.out.find("The device is updated to version 1.51\n"), std::string::npos);
  EXPECT_NE(done.err.find("Run bootloader"), std::string::npos);
  EXPECT_NE(done.err.find("BOOTLOG.TXT"), std::string::npos);

  const auto after = info();
  ASSERT_EQ(after.exitCode, 0) << after.err;
  EXPECT_NE(after.out.find("Application version 1.51\n"), std::string::npos);
  // The configuration memory is untouched; the versions follow it from now on.
  const std::string state = readWholeFile(dir / "state.bin");
  EXPECT_GT(state.size(), config::layout::kImageSize);
  EXPECT_EQ(state.substr(0, config::layout::kImageSize), image);
}

// The same lines as the window's log: the controller's record before the file's, and the result
// once.
TEST_F(CliUpdate, LogsTheDeviceAsTheWindowDoesAndReportsSuccessOnce) {
  const auto done = update({firmware("FW152.LDR", 4096, kType, 152)});
  ASSERT_EQ(done.exitCode, 0) << done.err;
  const std::string success = "The device is updated to version 1.52";
  const std::string both = done.out + done.err;
  ASSERT_NE(done.out.find(success + "\n"), std::string::npos) << done.out;
  EXPECT_EQ(both.find(success), both.rfind(success)) << "out:\n"
                                                     << done.out << "err:\n"
                                                     << done.err;
  const auto device = done.out.find("Application version 1.40\n");
  ASSERT_NE(device, std::string::npos) << done.out;
  EXPECT_NE(done.out.find("Controller          \""), std::string::npos) << done.out;
  EXPECT_NE(done.out.find("The serial number   "), std::string::npos) << done.out;
  EXPECT_NE(done.out.find("Boot version        "), std::string::npos) << done.out;
  EXPECT_LT(device, done.out.find("The update file")) << done.out;
}

TEST_F(CliUpdate, SameVersionAsksAndNeedsYes) {
  const std::string file = firmware("FW140.LDR", 4096, kType, 140);
  const auto declined = update({file});  // no terminal input: No
  EXPECT_EQ(declined.exitCode, 1);
  EXPECT_NE(declined.err.find("Are you trying to download the same version as in the device\n"
                              "Continue? [Y/n]"),
            std::string::npos);
  EXPECT_EQ(declined.out.find("updated"), std::string::npos);
  EXPECT_EQ(readWholeFile(dir / "state.bin").size(), config::layout::kImageSize);

  const auto accepted = update({file, "--yes"});
  EXPECT_EQ(accepted.exitCode, 0) << accepted.err;
  EXPECT_NE(accepted.out.find("The device is updated to version 1.40\n"), std::string::npos);
}

TEST_F(CliUpdate, OlderVersionAsksToo) {
  const auto declined = update({firmware("FW130.LDR", 4096, kType, 130)});
  EXPECT_EQ(declined.exitCode, 1);
  EXPECT_NE(declined.err.find("an older version than the device"), std::string::npos);
  const auto accepted = update({(dir / "FW130.LDR").string(), "--yes"});
  EXPECT_EQ(accepted.exitCode, 0) << accepted.err;
  EXPECT_NE(info().out.find("Application version 1.30\n"), std::string::npos);
}

TEST_F(CliUpdate, EveryRefusalPrintsItsTextAndFails) {
  const auto other = update({firmware("OTHER.LDR", 4096, kType + 1, 200), "--yes"});
  EXPECT_EQ(other.exitCode, 1);
  EXPECT_NE(other.err.find("This update is not for this device"), std::string::npos);

  const auto big = update({firmware("BIG.LDR", 214017, kType, 200)});
  EXPECT_EQ(big.exitCode, 1);
  EXPECT_NE(big.err.find("Error file size \"BIG.LDR\""), std::string::npos);

  auto bytes = makeFirmware(4096, kType, 200);
  bytes[2000] ^= 1;
  writeFirmware(dir / "BAD.LDR", bytes);
  const auto bad = update({(dir / "BAD.LDR").string()});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.err.find("Error in file \"BAD.LDR\""), std::string::npos);

  const auto missing = update({(dir / "NONE.LDR").string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("Error opening file \"NONE.LDR\""), std::string::npos);

  const auto russian =
      runProcess(kCli, {"update", (dir / "BIG.LDR").string(), simulator(), "--lang", "ru"});
  EXPECT_EQ(russian.exitCode, 1);
  EXPECT_NE(russian.err.find("Ошибка размера файла \"BIG.LDR\""), std::string::npos);

  // Nothing was installed by any of them.
  EXPECT_NE(info().out.find("Application version 1.40\n"), std::string::npos);
}

TEST_F(CliUpdate, TheLargestFileIsAccepted) {
  const auto done = update({firmware("FULL.LDR", 214016, kType, 160)});
  ASSERT_EQ(done.exitCode, 0) << done.err;
  EXPECT_NE(info().out.find("Application version 1.60\n"), std::string::npos);
}

TEST_F(CliUpdate, WrongCommandLines) {
  EXPECT_EQ(runProcess(kCli, {"update", simulator()}).exitCode, 2);
  EXPECT_EQ(runProcess(kCli, {"update", "A.LDR", "B.LDR", simulator()}).exitCode, 2);
  EXPECT_EQ(runProcess(kCli, {"update", "A.LDR", "--force", simulator()}).exitCode, 2);
  // The folder of the update disk belongs to the simulated controller only.
  EXPECT_EQ(runProcess(kCli, {"update", "A.LDR", "--update-disk=" + dir.path().string()}).exitCode,
            2);
  const auto help = runProcess(kCli, {"--help"});
  EXPECT_NE(
      help.out.find("update FILE.LDR [--yes] [--simulator[=STATE.bin] [--update-disk=FOLDER]]"),
      std::string::npos);
}

TEST_F(CliUpdate, TheSimulatedDiskInAChosenFolderIsEmptiedAndGetsTheFileUnderItsCyrillicName) {
  const std::string file = firmware("Прошивка 1.51.LDR", 4099, kType, 151);
  const auto disk = dir / "Диск";
  const auto done = update({file, "--update-disk=" + disk.string()});
  ASSERT_EQ(done.exitCode, 0) << done.err;
  EXPECT_EQ(readWholeFile(disk / "Прошивка 1.51.LDR"), readWholeFile(file));
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(disk)) {
    ++entries;
  }
  EXPECT_EQ(entries, 1u) << "what the boot loader left there last time is gone";
  EXPECT_NE(info().out.find("Application version 1.51\n"), std::string::npos);
}

}  // namespace
}  // namespace kivprism

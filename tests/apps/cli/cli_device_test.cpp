// kivprism-cli's controller commands against the built-in simulated controller, whose
// configuration memory lives in a raw image between the commands.
#include <gtest/gtest.h>

#include "apps/cli/cli_fixture.hpp"
#include "core/config/image.hpp"
#include "support/process.hpp"

namespace kivprism {
namespace {

namespace L = config::layout;
using testing::readWholeFile;
using testing::runProcess;
using testing::TempDir;
using testing::writeWholeFile;

TEST(CliDevice, ReadGivesAFileThatShowReads) {
  TempDir dir;
  const auto read = runProcess(kCli, {"read", (dir / "out.KST401").string(), simulator(dir)});
  ASSERT_EQ(read.exitCode, 0) << read.err;
  EXPECT_EQ(readWholeFile(dir / "state.bin").size(), L::kImageSize);
  const auto show = runProcess(kCli, {"show", (dir / "out.KST401").string(), "--raw"});
  ASSERT_EQ(show.exitCode, 0) << show.err;
  EXPECT_NE(show.out.find("[PARAM]"), std::string::npos);
}

TEST(CliDevice, WriteThenReadTalksToTheSameController) {
  TempDir dir;
  ASSERT_EQ(runProcess(kCli, {"read", (dir / "first.bin").string(), simulator(dir)}).exitCode, 0);
  std::string image = readWholeFile(dir / "first.bin");
  ASSERT_EQ(image.size(), L::kImageSize);
  image[L::kParamBlock.offset + 20] = '\x5A';
  image[123] = '\x01';
  writeWholeFile(dir / "edited.bin", image);

  const auto write = runProcess(kCli, {"write", (dir / "edited.bin").string(), simulator(dir)});
  ASSERT_EQ(write.exitCode, 0) << write.err;
  EXPECT_EQ(readWholeFile(dir / "state.bin"), image);
  ASSERT_EQ(runProcess(kCli, {"read", (dir / "again.bin").string(), simulator(dir)}).exitCode, 0);
  EXPECT_EQ(readWholeFile(dir / "again.bin"), image);
}

TEST(CliDevice, WritingAFileThatIsNoConfigurationLeavesTheControllerAlone) {
  TempDir dir;
  std::string image(L::kImageSize, '\x33');
  writeWholeFile(dir / "state.bin", image);
  writeWholeFile(dir / "notes.KST401", "remember the milk\n");
  writeWholeFile(dir / "empty.KST401", "");
  for (const std::string file : {"notes.KST401", "empty.KST401"}) {
    const auto write = runProcess(kCli, {"write", (dir / file).string(), simulator(dir)});
    EXPECT_EQ(write.exitCode, 1) << write.err;
    EXPECT_NE(write.err.find(file), std::string::npos) << write.err;
    EXPECT_EQ(readWholeFile(dir / "state.bin"), image) << "nothing reached the controller";
  }
}

TEST(CliDevice, ASimulatorStateThatCannotBeReadIsOneClearLine) {
  TempDir dir;
  std::filesystem::create_directories(dir / "folder.bin");
  std::vector<std::string> states = {(dir / "folder.bin").string()};
  if (std::filesystem::exists("/proc/self/mem")) {
    std::filesystem::create_symlink("/proc/self/mem", dir / "failing.bin");
    states.push_back((dir / "failing.bin").string());
  }
  for (const auto& state : states) {
    const auto info = runProcess(kCli, {"info", "--simulator=" + state});
    EXPECT_EQ(info.exitCode, 1) << state << ": " << info.err;
    EXPECT_NE(info.err.find(state), std::string::npos) << info.err;
    EXPECT_EQ(std::count(info.err.begin(), info.err.end(), '\n'), 1) << info.err;
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.bin"));
}

TEST(CliDevice, DefaultsAsksAndOnlyYesRestores) {
  TempDir dir;
  std::string image(L::kImageSize, '\x33');
  writeWholeFile(dir / "state.bin", image);
  const auto declined = runProcess(kCli, {"defaults", simulator(dir)});
  EXPECT_EQ(declined.exitCode, 0);
  EXPECT_NE(declined.err.find("[y/N]"), std::string::npos);
  EXPECT_EQ(readWholeFile(dir / "state.bin"), image);

  const auto restored = runProcess(kCli, {"defaults", "--yes", simulator(dir)});
  EXPECT_EQ(restored.exitCode, 0) << restored.err;
  EXPECT_NE(readWholeFile(dir / "state.bin"), image);
}

TEST(CliDevice, InfoAndResetInBothLanguages) {
  const auto en = runProcess(kCli, {"info", "--simulator", "--lang", "en"});
  ASSERT_EQ(en.exitCode, 0) << en.err;
  EXPECT_NE(en.out.find("Controller          \"KIVSOLANPRISM-F401\""), std::string::npos);
  EXPECT_NE(en.out.find("Application version 1.40"), std::string::npos);
  const auto ru = runProcess(kCli, {"info", "--simulator", "--lang=ru"});
  EXPECT_NE(ru.out.find("Серийный номер"), std::string::npos);
  EXPECT_EQ(runProcess(kCli, {"reset", "--simulator"}).exitCode, 0);
}

TEST(CliDevice, FailuresAndWrongCommandLines) {
  TempDir dir;
  writeWholeFile(dir / "state.bin", "too short");
  const auto badState = runProcess(kCli, {"info", simulator(dir)});
  EXPECT_EQ(badState.exitCode, 1);
  EXPECT_FALSE(badState.err.empty());
  EXPECT_EQ(runProcess(kCli, {"write", (dir / "missing.bin").string(), "--simulator"}).exitCode, 1);
  EXPECT_EQ(runProcess(kCli, {"read", (dir / "out.txt").string(), "--simulator"}).exitCode, 2);
  EXPECT_EQ(runProcess(kCli, {"read", "--simulator"}).exitCode, 2);
  EXPECT_EQ(runProcess(kCli, {"info", "--simulator", "--bogus"}).exitCode, 2);
}

TEST(CliDevice, MonitorPrintsTheDemoLinesForAWhile) {
  const auto run = runProcess(kCli, {"monitor", "--simulator", "--for=2500"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("Controller          \"KIVSOLANPRISM-F401\""), std::string::npos);
  // The device information's four lines, then at least one monitoring line.
  EXPECT_GE(std::count(run.out.begin(), run.out.end(), '\n'), 5);
}

}  // namespace
}  // namespace kivprism

#include <gtest/gtest.h>

#include "apps/cli/cli_fixture.hpp"
#include "core/about/version.hpp"
#include "core/config/config_file.hpp"
#include "core/config/image.hpp"
#include "support/process.hpp"

namespace kivprism {
namespace {

namespace L = config::layout;
using testing::readWholeFile;
using testing::runProcess;
using testing::TempDir;
using testing::writeWholeFile;

// A file as an installer might have edited it by hand: LF ends, lower-case keys, odd spacing,
// short and invalid hex, missing keys and sections, a Cyrillic name in cp1251. It lacks sections,
// so it loads only when forced.
const std::string kHandMadeFile =
    "[touch]\n"
    "touch = 0102\n"
    "[param]\n"
    "  enc0mode = 3  \n"
    "Hwrmaxto=0x1F4\n"
    "PINMODE=0a0b0G\n"
    "[Events]\n"
    "evresp02=4142\n"
    "[source]\n"
    "use_name=1\n"
    "name2=\xD0\xE0\xE4\xE8\xEE\xC4\xC0\n";

TEST(CliConvert, ConfigFileToRawImageAndBackKeepsTheFileContent) {
  TempDir dir;
  writeWholeFile(dir / "car.KST401", kHandMadeFile);
  ASSERT_EQ(runProcess(kCli, {"convert", (dir / "car.KST401").string(), (dir / "car.bin").string(),
                              "--force"})
                .exitCode,
            0);
  const std::string raw = readWholeFile(dir / "car.bin");
  ASSERT_EQ(raw.size(), L::kImageSize);
  config::ConfigImage image;
  std::copy(raw.begin(), raw.end(), image.data());
  EXPECT_EQ(image.get(L::kEnc0Mode), 3u);
  EXPECT_EQ(image.get(L::kHwrMaxTo), 500u);
  EXPECT_EQ(image.get(L::kTouchMode), 1u) << "missing key gets its load default";
  EXPECT_EQ(image.get(L::pinMode(L::Pin::X22)), 0x0Au);
  EXPECT_EQ(image.get(L::pinMode(L::Pin::X24)), 0x00u) << "G0 reads as 0x00";
  EXPECT_EQ(image.get(L::pinMode(L::Pin::X25)), 0x00u) << "short hex zero-fills";
  EXPECT_EQ(image.entry(1)[1], 0x42);
  EXPECT_EQ(image.span(L::kTouchBlock)[1], 0x02);

  ASSERT_EQ(runProcess(kCli, {"convert", (dir / "car.bin").string(), (dir / "out.kst401").string()})
                .exitCode,
            0);
  config::ConfigImage back;
  ASSERT_FALSE(config::readConfigFile(dir / "out.kst401", back).has_value());
  EXPECT_EQ(back, image);
}

TEST(CliShow, PrintsKeysInWriterOrderWithUtf8NamesAndOnlyUsedEntries) {
  TempDir dir;
  writeWholeFile(dir / "car.KST401", kHandMadeFile);
  const auto result = runProcess(kCli, {"show", "--raw", "--force", (dir / "car.KST401").string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::string& out = result.out;
  EXPECT_EQ(out.rfind("[TOUCH]\nTOUCH=010200000000000000\n[PARAM]\nENC0MODE=3\n", 0), 0u) << out;
  EXPECT_NE(out.find("HWRMAXTO=500\n"), std::string::npos);
  EXPECT_NE(out.find("EVRESP02=4142"), std::string::npos);
  EXPECT_EQ(out.find("EVRESP01="), std::string::npos) << "empty entries are left out";
  EXPECT_NE(out.find("NAME2=Радио\n"), std::string::npos) << "five characters, in UTF-8";
  EXPECT_EQ(out.find('\r'), std::string::npos);
}

TEST(CliErrors, BadInputIsOneClearLineAndExitOne) {
  TempDir dir;
  writeWholeFile(dir / "short.bin", std::string(100, '\0'));
  writeWholeFile(dir / "notes.txt", "hello");
  const struct {
    std::vector<std::string> args;
    std::string mention;
  } cases[] = {
      {{"show", (dir / "missing.KST401").string()}, "missing.KST401"},
      {{"show", (dir / "short.bin").string()}, "15218"},
      {{"show", (dir / "notes.txt").string()}, "notes.txt"},
      {{"convert", (dir / "short.bin").string(), (dir / "x.KST401").string()}, "short.bin"},
      {{"convert", (dir / "missing.bin").string(), (dir / "x.bin").string()}, "missing.bin"},
  };
  for (const auto& c : cases) {
    const auto result = runProcess(kCli, c.args);
    EXPECT_EQ(result.exitCode, 1) << c.args[1];
    EXPECT_NE(result.err.find(c.mention), std::string::npos) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "x.KST401")) << "nothing written after a bad input";
}

TEST(CliErrors, FilesThatAreNoConfigurationAreRefusedByShowAndConvert) {
  TempDir dir;
  writeWholeFile(dir / "empty.KST401", "");
  writeWholeFile(dir / "notes.KST401", "Dear diary,\ntoday = sunny\n");
  std::string binary(5000, '\0');
  for (std::size_t i = 0; i < binary.size(); ++i) {
    binary[i] = static_cast<char>(i * 131);
  }
  writeWholeFile(dir / "photo.KST401", binary);
  writeWholeFile(dir / "huge.KST401", "[PARAM]\nENC0MODE=1\n" + std::string(3 << 20, ';'));
  writeWholeFile(dir / "huge.bin", std::string(3 << 20, '\0'));
  const struct {
    std::string file;
    std::string mention;
  } cases[] = {
      {"empty.KST401", "not a configuration file"},
      {"notes.KST401", "not a configuration file"},
      {"photo.KST401", "not a configuration file"},
      {"huge.KST401", "too large"},
      {"huge.bin", "15218"},
  };
  for (const auto& c : cases) {
    for (const std::string command : {"show", "convert"}) {
      std::vector<std::string> args = {command, (dir / c.file).string()};
      if (command == "convert") {
        args.push_back((dir / "out.bin").string());
      }
      const auto result = runProcess(kCli, args);
      EXPECT_EQ(result.exitCode, 1) << command << ' ' << c.file;
      EXPECT_NE(result.err.find(c.file), std::string::npos) << result.err;
      EXPECT_NE(result.err.find(c.mention), std::string::npos) << result.err;
      EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
      EXPECT_TRUE(result.out.empty()) << result.out.substr(0, 200);
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "out.bin"));
}

// The first 3000 bytes of a saved file: without the events it would blank all 100 entries.
TEST(CliErrors, ADamagedFileIsRefusedUnlessForced) {
  TempDir dir;
  config::ConfigImage image;
  image.set(L::kEnc0Mode, 2);
  image.entry(0)[0] = 0x11;
  ASSERT_FALSE(config::writeConfigFile(dir / "whole.KST401", image).has_value());
  writeWholeFile(dir / "cut.KST401", readWholeFile(dir / "whole.KST401").substr(0, 3000));
  const std::string cut = (dir / "cut.KST401").string();
  const std::string state = (dir / "state.bin").string();
  ASSERT_EQ(runProcess(kCli, {"info", "--simulator=" + state}).exitCode, 0);
  const std::string controller = readWholeFile(state);
  const std::vector<std::vector<std::string>> refused = {
      {"show", cut},
      {"convert", cut, (dir / "out.bin").string()},
      {"write", cut, "--simulator=" + state},
  };
  for (const auto& args : refused) {
    const auto result = runProcess(kCli, args);
    EXPECT_EQ(result.exitCode, 1) << args[0];
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find("cut.KST401"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("EVENTS, SOURCE are missing"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("--force"), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty()) << args[0] << ": " << result.out.substr(0, 200);
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "out.bin"));
  EXPECT_EQ(readWholeFile(state), controller) << "the controller was not touched";

  const auto shown = runProcess(kCli, {"show", cut, "--force", "--raw"});
  EXPECT_EQ(shown.exitCode, 0) << shown.err;
  EXPECT_NE(shown.out.find("ENC0MODE=2\n"), std::string::npos);
  const auto converted = runProcess(kCli, {"convert", "--force", cut, (dir / "out.bin").string()});
  EXPECT_EQ(converted.exitCode, 0) << converted.err;
  EXPECT_EQ(readWholeFile(dir / "out.bin")[L::entry(0).offset], 0) << "what it lacks reads as 0";
  const auto whole = runProcess(kCli, {"show", (dir / "whole.KST401").string()});
  EXPECT_EQ(whole.exitCode, 0) << whole.err;
}

TEST(CliErrors, AReadErrorOfTheDiskIsOneLineNotAnAbort) {
  // The process's own memory at address 0 answers read() with EIO, as a failing stick does.
  if (!std::filesystem::exists("/proc/self/mem")) {
    GTEST_SKIP() << "no /proc on this system";
  }
  TempDir dir;
  std::filesystem::create_symlink("/proc/self/mem", dir / "failing.KST401");
  std::filesystem::create_symlink("/proc/self/mem", dir / "failing.bin");
  std::filesystem::create_directories(dir / "folder.KST401");
  for (const std::string file : {"failing.KST401", "failing.bin", "folder.KST401"}) {
    const auto result = runProcess(kCli, {"show", (dir / file).string()});
    EXPECT_EQ(result.exitCode, 1) << file << ": " << result.err;
    EXPECT_NE(result.err.find(file), std::string::npos) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  }
  const auto result = runProcess(kCli, {"show", (dir / "failing.KST401").string()});
  EXPECT_NE(result.err.find("Input/output error"), std::string::npos) << result.err;
}

TEST(CliUsage, WrongCommandLinesExitTwoAndHelpExitsZero) {
  EXPECT_EQ(runProcess(kCli, {}).exitCode, 2);
  EXPECT_EQ(runProcess(kCli, {"frobnicate"}).exitCode, 2);
  EXPECT_EQ(runProcess(kCli, {"convert", "only-one.bin"}).exitCode, 2);
  const auto help = runProcess(kCli, {"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("convert"), std::string::npos);
  EXPECT_NE(help.out.find("show"), std::string::npos);
  EXPECT_NE(help.out.find("--version"), std::string::npos);
}

// One line, name first and the version the package carries next, as help2man and packagers read it.
TEST(CliUsage, VersionIsOneLineWithTheProjectVersion) {
  const auto version = runProcess(kCli, {"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_TRUE(version.out.starts_with("kivprism-cli " + std::string(about::projectVersion())))
      << version.out;
  EXPECT_EQ(version.out.find('\n'), version.out.size() - 1) << version.out;
  EXPECT_EQ(runProcess(kCli, {"-V"}).out, version.out);
}

}  // namespace
}  // namespace kivprism

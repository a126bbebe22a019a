// `export`: each format written whole to the output (or standard output), in the chosen language,
// the controller named when the source is the controller, and clear refusals.
#include <gtest/gtest.h>

#include <string>

#include "apps/cli/cli_fixture.hpp"
#include "core/config/config_file.hpp"
#include "core/summary/config_export.hpp"
#include "sim/factory_defaults.hpp"
#include "support/process.hpp"

namespace kivprism {
namespace {

using testing::ProcessResult;
using testing::runProcess;
using testing::TempDir;

class CliExport : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(config::writeConfigFile(dir_.path() / "car.KST401", sim::factoryConfiguration())
                     .has_value());
  }
  std::string path(const std::string& name) const { return (dir_.path() / name).string(); }
  static std::string read(const std::string& file) {
    std::string text;
    EXPECT_FALSE(config::readFileBytes(file, text).has_value()) << file;
    return text;
  }
  ProcessResult cli(std::vector<std::string> args) { return runProcess(kCli, args); }

  TempDir dir_;
};

TEST_F(CliExport, EachFormatIsTheSummaryOfTheFile) {
  const config::ConfigImage demo = sim::factoryConfiguration();
  struct Case {
    std::string format;
    summary::ExportFormat id;
    lang::Language language;
  };
  for (const Case& c : {Case{"html", summary::ExportFormat::Html, lang::Language::English},
                        Case{"md", summary::ExportFormat::Markdown, lang::Language::Russian},
                        Case{"csv", summary::ExportFormat::Csv, lang::Language::Russian},
                        Case{"csv", summary::ExportFormat::Csv, lang::Language::English}}) {
    const std::string out = path("summary." + c.format);
    const auto result = cli({"export", path("car.KST401"), "--format", c.format, "-o", out,
                             "--lang", c.language == lang::Language::Russian ? "ru" : "en"});
    ASSERT_EQ(result.exitCode, 0) << c.format << ": " << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;
    EXPECT_EQ(read(out),
              summary::renderExport(
                  summary::buildExportSummary(demo, std::nullopt, c.language, "car.KST401"), c.id))
        << c.format;
  }
}

TEST_F(CliExport, TheFormatFollowsTheOutputsExtensionAndStandardOutputServesWithoutOne) {
  ASSERT_EQ(cli({"export", path("car.KST401"), "-o", path("s.HTML"), "--lang=en"}).exitCode, 0);
  EXPECT_EQ(read(path("s.HTML")).rfind("<!DOCTYPE html>", 0), 0u);
  ASSERT_EQ(cli({"export", path("car.KST401"), "--output=" + path("s.md"), "--lang=en"}).exitCode,
            0);
  EXPECT_EQ(read(path("s.md")).rfind("# Configuration summary: car.KST401\n", 0), 0u);
  const auto printed = cli({"export", path("car.KST401"), "--format=csv", "--lang=ru"});
  EXPECT_EQ(printed.exitCode, 0) << printed.err;
  EXPECT_EQ(printed.out.rfind("\xEF\xBB\xBFРаздел;Ключ;", 0), 0u) << printed.out.substr(0, 40);
}

TEST_F(CliExport, TheControllerAsSourceIsNamedWithItsFirmware) {
  const auto result = cli({"export", "device", "--simulator", "--format", "md", "--lang", "en"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("| Model | KIVSOLANPRISM\\-F401 |"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("| Firmware | 1.40 |"), std::string::npos);
  EXPECT_NE(result.out.find("| 1 | Volume up | Button: VOL\\+ |"), std::string::npos);
}

TEST_F(CliExport, RefusesWhatItCannotReadOrWrite) {
  const auto usage = {
      std::vector<std::string>{"export", path("car.KST401")},  // no format, no output
      {"export", path("car.KST401"), "--format", "pdf"},
      {"export", path("car.KST401"), "-o", path("out.txt")},
      {"export", "--format", "md"},
      {"export", path("car.KST401"), path("car.KST401"), "--format", "md"},
      {"export", path("car.KST401"), "--format", "md", "--lang", "de"},
      {"export", path("car.KST401"), "--format", "md", "--colour"},
  };
  for (const auto& args : usage) {
    const auto result = cli(args);
    EXPECT_EQ(result.exitCode, 2) << args.back() << ": " << result.err;
    EXPECT_NE(result.err.find("export"), std::string::npos) << result.err;
  }
  const auto missing = cli({"export", path("none.KST401"), "--format", "md"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("none.KST401"), std::string::npos) << missing.err;
  const auto unwritable = cli({"export", path("car.KST401"), "-o", path("no/such/folder/s.html")});
  EXPECT_EQ(unwritable.exitCode, 1);
  EXPECT_FALSE(unwritable.err.empty());
  EXPECT_FALSE(std::filesystem::exists(path("no")));
}

}  // namespace
}  // namespace kivprism

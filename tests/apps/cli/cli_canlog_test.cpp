// kivprism-cli canlog against the simulated controller, whose demo traffic runs on real time.
#include <gtest/gtest.h>

#include <ctime>
#include <map>
#include <set>

#include "apps/cli/cli_fixture.hpp"
#include "core/canlog/capture_reader.hpp"
#include "core/config/image.hpp"
#include "support/process.hpp"

namespace kivprism {
namespace {

namespace L = config::layout;
using testing::readWholeFile;
using testing::runProcess;
using testing::TempDir;
using testing::writeWholeFile;

std::size_t countLines(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The seconds of a candump line's time stamp.
std::uint64_t candumpSeconds(const std::string& text, std::size_t at = 0) {
  return std::stoull(text.substr(text.find('(', at) + 1, 10));
}

TEST(CliCanLog, PrintsCandumpLinesOfTheCarTrafficWithoutFiles) {
  TempDir dir;
  const auto before = static_cast<std::uint64_t>(std::time(nullptr));
  const auto run = runProcess(kCli, {"canlog", "--for=1200", simulator(dir)});
  const auto after = static_cast<std::uint64_t>(std::time(nullptr));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const canlog::CaptureRead read = canlog::readCandump(run.out);
  ASSERT_EQ(read.error, "");
  ASSERT_GT(read.records.size(), 100u);
  // The lines count from the wall clock at the start, as candump's own: never from second 0.
  EXPECT_GE(candumpSeconds(run.out), before);
  EXPECT_LE(candumpSeconds(run.out), after);
  EXPECT_LE(candumpSeconds(run.out, run.out.rfind('\n', run.out.size() - 2)), after + 1);
  std::set<std::uint32_t> ids;
  bool extended = false;
  for (const auto& r : read.records) {
    ids.insert(r.identifierWord);
    extended = extended || canlog::isExtended(r.identifierWord);
  }
  EXPECT_GE(ids.size(), 20u);
  EXPECT_TRUE(extended);
}

TEST(CliCanLog, AllFilesOfOneCaptureAgreeRecordByRecord) {
  TempDir dir;
  const auto run = runProcess(
      kCli, {"canlog", "--for=1000", "--aligned=" + (dir / "a.LOG").string(),
             "--tab=" + (dir / "t.LOG").string(), "--candump=" + (dir / "c.log").string(),
             "--asc=" + (dir / "v.asc").string(), simulator(dir)});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
  const canlog::CaptureRead candump = canlog::readCandump(readWholeFile(dir / "c.log"));
  const canlog::CaptureRead asc = canlog::readAsc(readWholeFile(dir / "v.asc"));
  ASSERT_EQ(candump.error, "");
  ASSERT_EQ(asc.error, "");
  ASSERT_GT(candump.records.size(), 50u);
  // The same records at the same distances; the ASC times count from its start of measurement,
  // the candump times from the wall clock.
  ASSERT_EQ(asc.records.size(), candump.records.size());
  for (std::size_t i = 0; i < asc.records.size(); ++i) {
    canlog::CanLogRecord a = asc.records[i];
    canlog::CanLogRecord c = candump.records[i];
    a.timeStamp -= asc.records[0].timeStamp;
    c.timeStamp -= candump.records[0].timeStamp;
    EXPECT_EQ(a, c) << i;
  }
  const std::string ascText = readWholeFile(dir / "v.asc");
  EXPECT_EQ(ascText.find("date "), ascText.rfind("date ")) << "one header";
  const std::string aligned = readWholeFile(dir / "a.LOG");
  const std::string tab = readWholeFile(dir / "t.LOG");
  EXPECT_EQ(countLines(aligned), candump.records.size());
  EXPECT_EQ(countLines(tab), candump.records.size() + 1);
  EXPECT_TRUE(tab.starts_with("\xB9\tID count\tTime\tDlit\tID\tDLC\tData\r\n"));
  EXPECT_TRUE(aligned.starts_with("   1(   1)    0.000(   0.000) "));
  // The last line of each text form names the last record's identifier.
  const auto& last = candump.records.back();
  const std::string id = canlog::identifierText(last.identifierWord);
  EXPECT_NE(aligned.rfind(id), std::string::npos);
  EXPECT_GT(aligned.rfind(id), aligned.size() - 80);
}

TEST(CliCanLog, HideNotChangedShowsOnlyRecordsWhoseDataChanged) {
  TempDir dir;
  const auto run = runProcess(kCli, {"canlog", "--for=1500", "--mode=3", simulator(dir)});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const canlog::CaptureRead read = canlog::readCandump(run.out);
  ASSERT_EQ(read.error, "");
  ASSERT_FALSE(read.records.empty());
  std::map<std::uint32_t, canlog::CanLogRecord> previous;
  for (const auto& r : read.records) {
    if (const auto p = previous.find(r.identifierWord); p != previous.end()) {
      EXPECT_NE(p->second.data, r.data) << canlog::identifierText(r.identifierWord);
    }
    previous[r.identifierWord] = r;
  }
}

TEST(CliCanLog, StopsOnInterruptAndKeepsWhatWasWritten) {
  TempDir dir;
  const auto run = runProcess("/usr/bin/timeout",
                              {"--preserve-status", "-s", "INT", "1", kCli.string(), "canlog",
                               "--candump=" + (dir / "c.log").string(), simulator(dir)});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const canlog::CaptureRead read = canlog::readCandump(readWholeFile(dir / "c.log"));
  EXPECT_EQ(read.error, "");
  EXPECT_FALSE(read.records.empty());
}

TEST(CliCanLog, RefusesABusThatIsNotCan) {
  TempDir dir;
  ASSERT_EQ(runProcess(kCli, {"read", (dir / "image.bin").string(), simulator(dir)}).exitCode, 0);
  std::string image = readWholeFile(dir / "state.bin");
  ASSERT_EQ(image.size(), L::kImageSize);
  image[L::kDiffBusMode.offset] = 0;
  writeWholeFile(dir / "state.bin", image);
  const auto run = runProcess(kCli, {"canlog", "--for=300", "--lang=en", simulator(dir)});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("not set to \"CAN Bus\""), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
}

TEST(CliCanLog, ExitsWithTheStatusWhenTheControllerIsMissing) {
  const auto run = runProcess(kCli, {"canlog", "--for=100", "--lang=en"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("kivprism-cli: "), std::string::npos);
  EXPECT_EQ(run.out, "");
}

TEST(CliCanLog, HelpPrintsTheUsageOfTheCommand) {
  for (const std::string help : {"--help", "-h"}) {
    const auto run = runProcess(kCli, {"canlog", help});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.starts_with("usage: kivprism-cli canlog [--for=MS]")) << run.out;
    EXPECT_NE(run.out.find("--candump=FILE"), std::string::npos);
    EXPECT_EQ(run.err, "");
  }
}

TEST(CliCanLog, RejectsAWrongCommandLine) {
  TempDir dir;
  for (const std::vector<std::string>& args : {std::vector<std::string>{"canlog", "--mode=4"},
                                               {"canlog", "--for=abc"},
                                               {"canlog", "--tab="},
                                               {"canlog", "extra"}}) {
    const auto run = runProcess(kCli, args);
    EXPECT_EQ(run.exitCode, 2) << args[1];
    EXPECT_NE(run.err.find("usage:"), std::string::npos);
  }
  const auto bad = runProcess(
      kCli,
      {"canlog", "--for=100", "--tab=" + (dir / "no" / "dir" / "t.LOG").string(), simulator(dir)});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.err.find("cannot create"), std::string::npos);
}

}  // namespace
}  // namespace kivprism

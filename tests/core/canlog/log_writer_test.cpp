#include "core/canlog/log_writer.hpp"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/about/version.hpp"
#include "core/canlog/capture_reader.hpp"

namespace kivprism::canlog {
namespace {

constexpr std::uint32_t kStd = standardWord(0x123);
constexpr std::uint32_t kExt = 0x18FEF100;

CanLogRecord logged(std::uint32_t word, std::initializer_list<std::uint8_t> bytes,
                    std::uint32_t time) {
  CanLogRecord r;
  r.identifierWord = word;
  r.length = static_cast<std::uint8_t>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), r.data.begin());
  r.timeStamp = time;
  return r;
}

// Feeds records through an engine and a formatter, as the page does, and returns the text.
class Capture {
 public:
  explicit Capture(LogForm form) : formatter(form) {}
  void add(const CanLogRecord& r) {
    const IntakeResult result = engine.canLogIntake(r, 0);
    if (result.shown()) {
      text += formatter.recordText(engine.rows()[result.row]);
    }
  }
  CanLogEngine engine;
  LogFormatter formatter;
  std::string text;
};

const std::string kTabHeader = "\xB9\tID count\tTime\tDlit\tID\tDLC\tData\r\n";

TEST(LogFormatter, TabSeparatedHeaderNumberingTimeBaseAndPeriod) {
  Capture c(LogForm::TabSeparated);
  c.add(logged(kStd, {0x11, 0x22}, 5000));
  c.add(logged(kExt, {}, 5250));
  c.add(logged(kStd, {0x11, 0x23}, 6100));
  EXPECT_EQ(c.text, kTabHeader +
                        "1\t1\t0.000\t0.000\t123( 291)\t2\t11 22\r\n"
                        "2\t1\t0.250\t0.000\t18FEF100(419361024)\t0\t\r\n"
                        "3\t2\t1.100\t1.100\t123( 291)\t2\t11 23\r\n");
  EXPECT_EQ(c.formatter.counter(), 3u);
}

TEST(LogFormatter, AlignedLinesHaveNoHeaderAndPadTheData) {
  Capture c(LogForm::Aligned);
  c.add(logged(kStd, {0x11, 0x22}, 5000));
  c.add(logged(kStd, {0x11, 0x22}, 1235000));
  EXPECT_EQ(c.text,
            "   1(   1)    0.000(   0.000) 123( 291) 2 [11 22                  ]\r\n"
            "   2(   2) 1230.000(   0.000) 123( 291) 2 [11 22                  ]\r\n");
  Capture d(LogForm::Aligned);
  d.add(logged(kExt, {1, 2, 3, 4, 5, 6, 7, 8}, 10));
  d.add(logged(kExt, {1, 2, 3, 4, 5, 6, 7, 8}, 12345));
  EXPECT_EQ(d.text,
            "   1(   1)    0.000(   0.000) 18FEF100(419361024) 8 [01 02 03 04 05 06 07 08]\r\n"
            "   2(   2)   12.335(  12.335) 18FEF100(419361024) 8 [01 02 03 04 05 06 07 08]\r\n");
}

TEST(LogFormatter, ClearRestartsNumberingTimeAndTheTabHeader) {
  Capture c(LogForm::TabSeparated);
  c.add(logged(kStd, {1}, 1000));
  c.add(logged(kStd, {1}, 1100));
  c.engine.clearRows();
  c.formatter.restart();
  EXPECT_EQ(c.formatter.counter(), 0u);
  c.add(logged(kStd, {1}, 3000));
  c.add(logged(kStd, {1}, 3020));
  EXPECT_EQ(c.text, kTabHeader + "1\t1\t0.000\t0.000\t123( 291)\t1\t01\r\n" +
                        "2\t2\t0.100\t0.100\t123( 291)\t1\t01\r\n" + kTabHeader +
                        "1\t1\t0.000\t0.000\t123( 291)\t1\t01\r\n" +
                        "2\t2\t0.020\t0.020\t123( 291)\t1\t01\r\n");
  Capture a(LogForm::Aligned);
  a.add(logged(kStd, {}, 1000));
  a.formatter.restart();
  a.add(logged(kStd, {}, 3000));
  EXPECT_EQ(a.text,
            "   1(   1)    0.000(   0.000) 123( 291) 0 [                        ]\r\n"
            "   1(   2)    0.000(   2.000) 123( 291) 0 [                        ]\r\n");
}

TEST(LogFormatter, TimeGoingBackwardsInTheFileIsTakenWithoutSign) {
  LogFormatter f(LogForm::TabSeparated);
  PacketRow first{logged(kStd, {}, 2000), 0, 1, 0, {}};
  PacketRow back{logged(kStd, {}, 1000), 0, 2, 0, {}};
  f.recordText(first);
  EXPECT_EQ(f.recordText(back), "2\t2\t4294966.296\t0.000\t123( 291)\t0\t\r\n");
}

TEST(LogFormatter, CandumpLinesAsCanUtilsWritesThem) {
  Capture c(LogForm::Candump);
  c.add(logged(kStd, {0x11, 0x22, 0x33, 0x44}, 7000));
  c.add(logged(kExt, {0xAB}, 7250));
  c.add(logged(standardWord(0x5), {}, 1436509052));
  EXPECT_EQ(c.text,
            "(0000000000.000000) can0 123#11223344\n"
            "(0000000000.250000) can0 18FEF100#AB\n"
            "(0001436502.052000) can0 005#\n");
  // Clearing the log keeps the capture's time line.
  c.formatter.restart();
  c.add(logged(kStd, {1}, 8000));
  EXPECT_TRUE(c.text.ends_with("(0000000001.000000) can0 123#01\n"));
}

// Each capture's candump lines start at the wall clock of its start, as candump's own do: two
// captures line up on one time line, and no line has second 0 (which log2asc takes for "no time
// yet", writing its header again before each such line).
TEST(LogFormatter, CandumpLinesCountFromTheWallClockAtTheStart) {
  const std::time_t when = 1765285509;
  const std::tm start = *std::localtime(&when);
  Capture first(LogForm::Candump);
  first.formatter.setStart(start);
  first.add(logged(kStd, {0x11}, 7000));
  first.add(logged(kExt, {0xAB}, 7250));
  first.formatter.restart();
  first.add(logged(kStd, {0x12}, 9001));
  EXPECT_EQ(first.text,
            "(1765285509.000000) can0 123#11\n"
            "(1765285509.250000) can0 18FEF100#AB\n"
            "(1765285511.001000) can0 123#12\n");
  // A minute later the controller's clock says little; the wall clock orders the captures.
  const std::time_t later = when + 60;
  Capture second(LogForm::Candump);
  second.formatter.setStart(*std::localtime(&later));
  second.add(logged(kStd, {0x11}, 100));
  EXPECT_EQ(second.text, "(1765285569.000000) can0 123#11\n");
  const CaptureRead read = readCandump(first.text + second.text);
  ASSERT_EQ(read.records.size(), 4u);
  EXPECT_EQ(read.records[3].timeStamp - read.records[0].timeStamp, 60000u);
}

TEST(LogFile, ACandumpFileCountsFromTheStartItWasOpenedWith) {
  const auto dir = std::filesystem::temp_directory_path() / "kivprism_canlog_start_test";
  std::filesystem::create_directories(dir);
  const std::time_t when = 1765285509;
  LogFile file;
  ASSERT_TRUE(file.open(dir / "c.candump", LogForm::Candump, *std::localtime(&when)));
  file.write(PacketRow{logged(kStd, {1}, 500), 0, 1, 0, {}});
  file.close();
  std::stringstream text;
  {
    // Closed before the folder goes: Windows keeps an open file's folder.
    std::ifstream in(dir / "c.candump", std::ios::binary);
    text << in.rdbuf();
  }
  EXPECT_EQ(text.str(), "(1765285509.000000) can0 123#01\n");
  std::filesystem::remove_all(dir);
}

TEST(LogFormatter, VectorAscHeaderFramesAndEnd) {
  std::tm start{};
  start.tm_year = 2026 - 1900;
  start.tm_mon = 11;
  start.tm_mday = 8;
  start.tm_wday = 2;
  start.tm_hour = 13;
  start.tm_min = 5;
  start.tm_sec = 9;
  LogFormatter f(LogForm::VectorAsc);
  EXPECT_EQ(f.fileStart(start),
            "date Tue Dec 08 01:05:09.000 pm 2026\r\n"
            "base hex  timestamps absolute\r\n"
            "internal events logged\r\n"
            "// kivprism " +
                std::string(about::programVersion()) +
                "\r\n"
                "Begin Triggerblock Tue Dec 08 01:05:09.000 pm 2026\r\n"
                "   0.000000 Start of measurement\r\n");
  start.tm_hour = 0;
  EXPECT_NE(f.fileStart(start).find("Dec 08 12:05:09.000 am"), std::string::npos);
  start.tm_hour = 12;
  EXPECT_NE(f.fileStart(start).find("Dec 08 12:05:09.000 pm"), std::string::npos);
  start.tm_hour = 11;
  EXPECT_NE(f.fileStart(start).find("Dec 08 11:05:09.000 am"), std::string::npos);
  start.tm_hour = 23;
  EXPECT_NE(f.fileStart(start).find("Dec 08 11:05:09.000 pm"), std::string::npos);
  PacketRow a{logged(kStd, {0x11, 0x22}, 100), 0, 1, 0, {}};
  PacketRow b{logged(kExt, {}, 1334), 0, 1, 0, {}};
  EXPECT_EQ(f.recordText(a), "   0.000000 1  123             Rx   d 2 11 22\r\n");
  EXPECT_EQ(f.recordText(b), "   1.234000 1  18FEF100x       Rx   d 0\r\n");
  EXPECT_EQ(f.fileEnd(), "End TriggerBlock\r\n");
  EXPECT_EQ(LogFormatter(LogForm::Candump).fileEnd(), "");
  EXPECT_EQ(LogFormatter(LogForm::TabSeparated).fileStart(start), "");
}

std::string readAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(LogFile, WritesCrLfTextTruncatesAndEndsTheAscBlockOnClose) {
  const auto dir = std::filesystem::temp_directory_path() / "kivprism_canlog_file_test";
  std::filesystem::create_directories(dir);
  const auto path = dir / "a.LOG";
  {
    std::ofstream old(path);
    old << "old contents that must go\n";
  }
  LogFile file;
  EXPECT_FALSE(file.isOpen());
  ASSERT_TRUE(file.open(path, LogForm::TabSeparated, std::tm{}));
  EXPECT_EQ(file.form(), LogForm::TabSeparated);
  PacketRow row{logged(kStd, {1}, 10), 0, 1, 0, {}};
  file.write(row);
  file.write(row);
  file.restart();
  file.write(row);
  EXPECT_EQ(file.counter(), 1u);
  file.close();
  EXPECT_FALSE(file.isOpen());
  file.write(row);  // closed: nothing
  EXPECT_EQ(readAll(path), kTabHeader + "1\t1\t0.000\t0.000\t123( 291)\t1\t01\r\n" +
                               "2\t1\t0.000\t0.000\t123( 291)\t1\t01\r\n" + kTabHeader +
                               "1\t1\t0.000\t0.000\t123( 291)\t1\t01\r\n");
  const auto asc = dir / "b.asc";
  ASSERT_TRUE(file.open(asc, LogForm::VectorAsc, std::tm{}));
  file.write(row);
  file.close();
  const std::string text = readAll(asc);
  EXPECT_TRUE(text.starts_with("date "));
  EXPECT_TRUE(text.ends_with("Rx   d 1 01\r\nEnd TriggerBlock\r\n"));
  // Opening another file ends the one that was open.
  ASSERT_TRUE(file.open(asc, LogForm::VectorAsc, std::tm{}));
  ASSERT_TRUE(file.open(dir / "c.candump", LogForm::Candump, std::tm{}));
  file.write(row);
  EXPECT_EQ(file.form(), LogForm::Candump);
  file.close();
  EXPECT_TRUE(readAll(asc).ends_with("End TriggerBlock\r\n"));
  EXPECT_EQ(readAll(dir / "c.candump"), "(0000000000.000000) can0 123#01\n");
  EXPECT_FALSE(file.open(dir / "no" / "such" / "dir.LOG", LogForm::Aligned, std::tm{}));
  std::filesystem::remove_all(dir);
}

TEST(LogFile, CaptureFormByFileName) {
  EXPECT_EQ(captureFormFor("x/y.asc"), LogForm::VectorAsc);
  EXPECT_EQ(captureFormFor("Y.ASC"), LogForm::VectorAsc);
  EXPECT_EQ(captureFormFor("y.candump"), LogForm::Candump);
  EXPECT_EQ(captureFormFor("y.Can"), LogForm::Candump);
  EXPECT_EQ(captureFormFor("y.LOG"), std::nullopt);
  EXPECT_EQ(captureFormFor("y"), std::nullopt);
}

}  // namespace
}  // namespace kivprism::canlog

#include "core/canlog/capture_reader.hpp"

#include <gtest/gtest.h>

#include "core/canlog/log_writer.hpp"

namespace kivprism::canlog {
namespace {

CanLogRecord captured(std::uint32_t word, std::initializer_list<std::uint8_t> bytes,
                      std::uint32_t time) {
  CanLogRecord r;
  r.identifierWord = word;
  r.length = static_cast<std::uint8_t>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), r.data.begin());
  r.timeStamp = time;
  return r;
}

TEST(CandumpLine, ReadsStandardAndExtendedFrames) {
  const auto a = parseCandumpLine("(1436509052.249713) can0 123#11223344");
  ASSERT_TRUE(a);
  EXPECT_EQ(*a,
            captured(standardWord(0x123), {0x11, 0x22, 0x33, 0x44}, 1436509052249u % (1ull << 32)));
  const auto b = parseCandumpLine("(0000000001.500000) vcan1 18FEF100#");
  ASSERT_TRUE(b);
  EXPECT_EQ(*b, captured(0x18FEF100, {}, 1500));
  // The largest identifiers and a time stamp of whole seconds.
  const auto top = parseCandumpLine("(1) can0 1FFFFFFF#");
  ASSERT_TRUE(top);
  EXPECT_EQ(*top, captured(0x1FFFFFFF, {}, 1000));
  const auto c = parseCandumpLine("  (2.1) can0 7ff#0102030405060708\r");
  ASSERT_TRUE(c);
  EXPECT_EQ(*c, captured(standardWord(0x7FF), {1, 2, 3, 4, 5, 6, 7, 8}, 2100));
}

TEST(CandumpLine, RejectsWhatIsNoClassicFrame) {
  for (const char* line : {
           "",
           "can0 123#11",
           "(1.0 can0 123#11",
           "(1.0) can0 123",
           "(1.0) can0 1234#11",
           "(1.0) can0 800#11",
           "(1.0) can0 123#1",
           "(1.0) can0 123#010203040506070809",
           "(1.0) can0 123#GG",
           "(1.0) can0 2FFFFFFF#",
           "(x.0) can0 123#",
           "(1.y) can0 123#",
           "(1.0) 123#11",
           "(1.0) can0 123#11 extra",
           "(1.0) can0 12#11",
           "() can0 123#",
       }) {
    EXPECT_FALSE(parseCandumpLine(line)) << line;
  }
}

TEST(AscLine, ReadsFramesAndSkipsEverythingElse) {
  const auto a = parseAscLine("   1.234000 1  18FEF100x       Rx   d 2 0A FF");
  ASSERT_TRUE(a);
  EXPECT_EQ(*a, captured(0x18FEF100, {0x0A, 0xFF}, 1234));
  const auto b = parseAscLine("0.5 2 7FF Tx d 0");
  ASSERT_TRUE(b);
  EXPECT_EQ(*b, captured(standardWord(0x7FF), {}, 500));
  for (const char* line :
       {"   0.000000 Start of measurement", "date Tue Dec 08", "0.1 1 123 Rx r 0",
        "0.1 1 123 Xx d 0", "0.1 1 800 Rx d 0", "0.1 1 123 Rx d 9", "0.1 1 123 Rx d 2 01",
        "0.1 1 123 Rx d 1 ZZ", "0.1 1 x Rx d 0", "0.1 1 20000000x Rx d 0"}) {
    EXPECT_FALSE(parseAscLine(line)) << line;
  }
}

// A capture through the engine, written in a form and read back: the same records, with the time
// of each counted from the first record.
std::vector<CanLogRecord> sampleTraffic() {
  return {captured(standardWord(0x123), {0x11, 0x22, 0x33}, 90000),
          captured(0x18FEF100, {1, 2, 3, 4, 5, 6, 7, 8}, 90010),
          captured(standardWord(0x7FF), {}, 90011),
          captured(0x1, {0xFF}, 91234),
          captured(standardWord(0x123), {0x11, 0x22, 0x34}, 95000),
          captured(0x40000, {0x42}, 100000)};
}

std::string write(LogForm form, const std::vector<CanLogRecord>& records) {
  CanLogEngine engine;
  LogFormatter f(form);
  std::string text = f.fileStart(std::tm{});
  for (const auto& r : records) {
    const IntakeResult result = engine.canLogIntake(r, 0);
    if (result.shown()) {
      text += f.recordText(engine.rows()[result.row]);
    }
  }
  return text + f.fileEnd();
}

void expectRoundTrip(const CaptureRead& read, const std::vector<CanLogRecord>& written) {
  ASSERT_EQ(read.error, "");
  ASSERT_EQ(read.records.size(), written.size());
  for (std::size_t i = 0; i < written.size(); ++i) {
    CanLogRecord expected = written[i];
    expected.timeStamp -= written[0].timeStamp;
    EXPECT_EQ(read.records[i], expected) << i;
  }
}

TEST(CaptureRoundTrip, CandumpReadsBackWhatWasWritten) {
  const auto records = sampleTraffic();
  expectRoundTrip(readCandump(write(LogForm::Candump, records)), records);
}

TEST(CaptureRoundTrip, AscReadsBackWhatWasWritten) {
  const auto records = sampleTraffic();
  expectRoundTrip(readAsc(write(LogForm::VectorAsc, records)), records);
}

TEST(CaptureRead, NamesTheLineThatIsNoFrame) {
  const CaptureRead c = readCandump("(0.000000) can0 123#11\n(0.1) can0 12#11\n");
  EXPECT_EQ(c.records.size(), 1u);
  EXPECT_EQ(c.error, "line 2: not a CAN frame: (0.1) can0 12#11");
  const CaptureRead a = readAsc("base hex\n0.1 1 123 Rx d 3 01\n");
  EXPECT_EQ(a.error, "line 2: not a CAN frame: 0.1 1 123 Rx d 3 01");
  EXPECT_TRUE(readCandump("# comment\n\n").records.empty());
  EXPECT_EQ(readCandump("# comment\n\n").error, "");
}

}  // namespace
}  // namespace kivprism::canlog

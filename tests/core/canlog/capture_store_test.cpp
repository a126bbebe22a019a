// The records a capture keeps for a later save, and the packet list's filter.
#include "core/canlog/capture_store.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/canlog/capture_reader.hpp"
#include "core/canlog/packet_filter.hpp"

namespace kivprism::canlog {
namespace {

CanLogRecord rec(std::uint32_t word, std::initializer_list<std::uint8_t> bytes,
                 std::uint32_t time) {
  CanLogRecord r;
  r.identifierWord = word;
  r.length = static_cast<std::uint8_t>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), r.data.begin());
  r.timeStamp = time;
  return r;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::tm someStart() {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 11;
  t.tm_mday = 9;
  t.tm_hour = 14;
  t.tm_min = 5;
  t.tm_sec = 7;
  t.tm_wday = 3;
  return t;
}

// A capture with repeats, a changed byte, an extended identifier and a frame without data.
std::vector<CanLogRecord> someTraffic() {
  return {rec(standardWord(0x123), {0x11, 0x22}, 1000),
          rec(0x18FEF100, {1, 2, 3, 4, 5, 6, 7, 8}, 1005),
          rec(standardWord(0x123), {0x11, 0x23}, 1100),
          rec(standardWord(0x7FF), {}, 1200),
          rec(0x18FEF100, {1, 2, 3, 4, 5, 6, 7, 9}, 1255),
          rec(standardWord(0x123), {0x11, 0x24}, 1300)};
}

TEST(CaptureStore, KeepsTheNewestRecordsInOrderUpToItsBound) {
  CaptureStore store(3);
  EXPECT_TRUE(store.empty());
  for (std::uint32_t t = 0; t < 5; ++t) {
    store.add(rec(standardWord(0x100 + t), {std::uint8_t(t)}, t * 10));
  }
  ASSERT_EQ(store.size(), 3u);
  EXPECT_EQ(store.dropped(), 2u);
  EXPECT_EQ(store.at(0), rec(standardWord(0x102), {2}, 20));
  EXPECT_EQ(store.at(1), rec(standardWord(0x103), {3}, 30));
  EXPECT_EQ(store.at(2), rec(standardWord(0x104), {4}, 40));
  // Every field of the record comes back, extended identifiers and a length above 8 too.
  CanLogRecord odd = rec(0x1FFFFFFF, {0xFF, 0, 0x80, 1, 2, 3, 4, 5}, 0xFFFFFFFF);
  odd.length = 15;
  store.add(odd);
  EXPECT_EQ(store.at(2), odd);
  store.clear();
  EXPECT_TRUE(store.empty());
  EXPECT_EQ(store.dropped(), 0u);
  EXPECT_EQ(store.allocated(), 0u);
  store.add(rec(1, {}, 1));
  EXPECT_EQ(store.at(0), rec(1, {}, 1));
}

TEST(CaptureStore, ABoundOfNoneKeepsOneAndABoundBesideTheBlocksIsFilledWhole) {
  CaptureStore none(0);
  EXPECT_EQ(none.capacity(), 1u);
  none.add(rec(1, {}, 1));
  none.add(rec(2, {}, 2));
  EXPECT_EQ(none.size(), 1u);
  EXPECT_EQ(none.at(0).timeStamp, 2u);
  // One record more than a block of memory holds.
  const std::size_t bound = (std::size_t{1} << 16) + 1;
  CaptureStore store(bound);
  for (std::uint32_t i = 0; i < bound + 1; ++i) {
    store.add(rec(standardWord(1), {}, i));
  }
  EXPECT_EQ(store.size(), bound);
  EXPECT_EQ(store.at(0).timeStamp, 1u);
  EXPECT_EQ(store.at(bound - 1).timeStamp, bound);
}

TEST(CaptureStore, AMillionRecordsTakeAboutSeventeenMegabytesAndNoMore) {
  CaptureStore store;
  EXPECT_EQ(store.capacity(), kCaptureCapacity);
  EXPECT_EQ(store.allocated(), 0u);
  store.add(rec(standardWord(1), {1}, 0));
  // Memory comes in blocks as records come, not all at once.
  EXPECT_GT(store.allocated(), 0u);
  EXPECT_LT(store.allocated(), kCaptureCapacity / 10);
  const std::uint32_t total = kCaptureCapacity + 250000;
  for (std::uint32_t i = 1; i < total; ++i) {
    store.add(rec(standardWord(i % 2048), {std::uint8_t(i), std::uint8_t(i >> 8)}, i));
  }
  EXPECT_EQ(store.size(), kCaptureCapacity);
  EXPECT_EQ(store.dropped(), 250000u);
  EXPECT_GE(store.allocated(), kCaptureCapacity);
  EXPECT_LT(store.allocated() * kRecordSize, 18u * 1000 * 1000);
  EXPECT_EQ(store.at(0).timeStamp, 250000u);
  EXPECT_EQ(store.at(kCaptureCapacity - 1).timeStamp, total - 1);
  EXPECT_EQ(store.at(kCaptureCapacity - 1).data[0], std::uint8_t(total - 1));
}

// Saving after the capture writes what a file opened before it would have held, in every form.
TEST(CaptureStore, ASaveAfterTheCaptureEqualsTheFileWrittenDuringIt) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path();
  for (const LogForm form :
       {LogForm::Aligned, LogForm::TabSeparated, LogForm::Candump, LogForm::VectorAsc}) {
    SCOPED_TRACE(static_cast<int>(form));
    const auto live = dir / "kivprism_store_live.txt";
    const auto later = dir / "kivprism_store_later.txt";
    CaptureStore store;
    {
      LogFile file;
      ASSERT_TRUE(file.open(live, form, someStart()));
      CanLogEngine engine;
      for (const CanLogRecord& r : someTraffic()) {
        const IntakeResult result = engine.canLogIntake(r, 0);
        ASSERT_TRUE(result.shown());
        file.write(engine.rows()[result.row]);
        store.add(r);
      }
    }
    ASSERT_TRUE(saveCapture(store, later, form, someStart()));
    const std::string written = readFile(later);
    EXPECT_EQ(written, readFile(live));
    EXPECT_FALSE(written.empty());
    std::filesystem::remove(live);
    std::filesystem::remove(later);
  }
}

TEST(CaptureStore, ASavedCaptureReadsBackAndAWrappedOneStartsAtItsOldestRecord) {
  const auto path = std::filesystem::temp_directory_path() / "kivprism_store_wrapped.asc";
  CaptureStore store(4);
  for (const CanLogRecord& r : someTraffic()) {
    store.add(r);
  }
  ASSERT_TRUE(saveCapture(store, path, LogForm::VectorAsc, someStart()));
  const CaptureRead read = readAsc(readFile(path));
  EXPECT_EQ(read.error, "");
  ASSERT_EQ(read.records.size(), 4u);
  // Times count from the oldest kept record.
  EXPECT_EQ(read.records[0].identifierWord, standardWord(0x123));
  EXPECT_EQ(read.records[0].timeStamp, 0u);
  EXPECT_EQ(read.records[3].timeStamp, 200u);
  EXPECT_EQ(read.records[3].data[1], 0x24);
  // Tab-separated numbering and counts start again at the oldest kept record.
  ASSERT_TRUE(saveCapture(store, path, LogForm::TabSeparated, someStart()));
  const std::string tab = readFile(path);
  EXPECT_NE(tab.find("\r\n1\t1\t0.000\t0.000\t123( 291)\t2\t11 23\r\n"), std::string::npos) << tab;
  EXPECT_NE(tab.find("\r\n4\t2\t0.200\t0.200\t123( 291)\t2\t11 24\r\n"), std::string::npos) << tab;
  std::filesystem::remove(path);
}

TEST(CaptureStore, ASaveThatCannotCreateItsFileFails) {
  CaptureStore store;
  store.add(rec(standardWord(1), {1}, 0));
  const auto path = std::filesystem::temp_directory_path() / "kivprism_no_such_dir" / "x.asc";
  EXPECT_FALSE(saveCapture(store, path, LogForm::VectorAsc, someStart()));
  EXPECT_FALSE(std::filesystem::exists(path));
}

// A disk that fills up is a failed save, not a short file reported as saved.
TEST(CaptureStore, ASaveOntoAFullDiskFails) {
  const std::filesystem::path full = "/dev/full";
  if (!std::filesystem::exists(full)) {
    GTEST_SKIP() << "no full device here";
  }
  CaptureStore store;
  store.add(rec(standardWord(1), {1}, 0));
  EXPECT_FALSE(saveCapture(store, full, LogForm::Candump, someStart()));
}

TEST(CaptureReader, ReadsEitherKindAndNamesTheLineItCannotRead) {
  const CaptureRead candump = readCapture("\n(1.000100) can0 123#1122\n(1.5) can0 18FEF100#\n");
  EXPECT_EQ(candump.error, "");
  ASSERT_EQ(candump.records.size(), 2u);
  EXPECT_EQ(candump.records[1].identifierWord, 0x18FEF100u);
  const CaptureRead asc = readCapture(
      "date Wed Dec 09 02:05:07.000 pm 2026\r\nbase hex  timestamps absolute\r\n"
      "   0.010000 1  123             Rx   d 2 11 22\r\n");
  EXPECT_EQ(asc.error, "");
  ASSERT_EQ(asc.records.size(), 1u);
  EXPECT_EQ(asc.records[0].timeStamp, 10u);
  const CaptureRead broken = readCapture("(0.0) can0 123#11\n\n(0.1) can0 12#11\n");
  EXPECT_EQ(broken.errorLine, 3u);
  EXPECT_EQ(broken.errorText, "(0.1) can0 12#11");
  EXPECT_TRUE(readCapture("").records.empty());
  EXPECT_EQ(readCapture("").error, "");
}

PacketRow rowOf(std::uint32_t word, std::uint8_t changed) {
  PacketRow row;
  row.record = rec(word, {1}, 0);
  row.changedBytes = changed;
  return row;
}

TEST(PacketFilter, ReadsIdentifiersAndRangesInHex) {
  using Ranges = std::vector<IdentifierRange>;
  EXPECT_EQ(parseIdentifierFilter(""), Ranges{});
  EXPECT_EQ(parseIdentifierFilter("  , "), Ranges{});
  EXPECT_EQ(parseIdentifierFilter("123 18fef100,200-2FF;7ff\t2FF-200"),
            (Ranges{{0x123, 0x123},
                    {0x18FEF100, 0x18FEF100},
                    {0x200, 0x2FF},
                    {0x7FF, 0x7FF},
                    {0x200, 0x2FF}}));
  EXPECT_EQ(parseIdentifierFilter("1FFFFFFF"), (Ranges{{0x1FFFFFFF, 0x1FFFFFFF}}));
  EXPECT_EQ(parseIdentifierFilter("9a0F"), (Ranges{{0x9A0F, 0x9A0F}}));
  EXPECT_EQ(parseIdentifierFilter("a-f"), (Ranges{{0xA, 0xF}}));
  EXPECT_EQ(parseIdentifierFilter("A-F"), (Ranges{{0xA, 0xF}}));
  for (const char* wrong :
       {"12G", "1-", "-5", "1-2-3", "20000000", "123456789", "0x12", "/", ":", "@", "`", "g"}) {
    SCOPED_TRACE(wrong);
    EXPECT_FALSE(parseIdentifierFilter(wrong).has_value());
  }
}

TEST(PacketFilter, PassesTheRowsItNames) {
  PacketFilter filter;
  EXPECT_FALSE(filter.active());
  EXPECT_TRUE(filter.passes(rowOf(standardWord(0x555), 0)));
  filter.identifiers = *parseIdentifierFilter("123 200-2FF 18FEF100");
  EXPECT_TRUE(filter.active());
  EXPECT_TRUE(filter.passes(rowOf(standardWord(0x123), 0)));
  EXPECT_TRUE(filter.passes(rowOf(standardWord(0x200), 0)));
  EXPECT_TRUE(filter.passes(rowOf(standardWord(0x2FF), 0)));
  EXPECT_FALSE(filter.passes(rowOf(standardWord(0x300), 0)));
  EXPECT_FALSE(filter.passes(rowOf(standardWord(0x1FF), 0)));
  EXPECT_TRUE(filter.passes(rowOf(0x18FEF100, 0)));
  EXPECT_FALSE(filter.passes(rowOf(0x18FEF101, 0)));
  filter.changedOnly = true;
  EXPECT_FALSE(filter.passes(rowOf(standardWord(0x123), 0)));
  EXPECT_TRUE(filter.passes(rowOf(standardWord(0x123), 0x80)));
  EXPECT_FALSE(filter.passes(rowOf(standardWord(0x300), 0x01)));
  filter.identifiers.clear();
  EXPECT_TRUE(filter.active());
  EXPECT_TRUE(filter.passes(rowOf(standardWord(0x300), 0x01)));
}

}  // namespace
}  // namespace kivprism::canlog

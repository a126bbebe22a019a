// The CAN log's intake and file writers on any sequence of 17-byte records from the controller,
// with mode changes, hidden rows and clearing in between. Rows stay consistent with what went in,
// every shown record is written in all four forms, and the candump and ASC captures read back to
// the records written (for identifiers a CAN bus can carry).
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "core/canlog/can_log_engine.hpp"
#include "core/canlog/capture_reader.hpp"
#include "core/canlog/log_writer.hpp"
#include "fuzz/fuzz_check.hpp"

namespace canlog = kivprism::canlog;

namespace {

bool busIdentifier(std::uint32_t word) {
  return canlog::isExtended(word) ? word <= 0x1FFFFFFFu : (word >> 18) <= 0x7FFu;
}

bool sameFrame(const canlog::CanLogRecord& written, const canlog::CanLogRecord& read,
               std::uint32_t timeBase) {
  return read.identifierWord == written.identifierWord && read.length == written.dataLength() &&
         std::equal(read.data.begin(), read.data.begin() + read.length, written.data.begin()) &&
         read.timeStamp == static_cast<std::uint32_t>(written.timeStamp - timeBase);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  canlog::CanLogEngine engine;
  std::array<canlog::LogFormatter, 4> writers = {
      canlog::LogFormatter(canlog::LogForm::Aligned),
      canlog::LogFormatter(canlog::LogForm::TabSeparated),
      canlog::LogFormatter(canlog::LogForm::Candump),
      canlog::LogFormatter(canlog::LogForm::VectorAsc)};
  std::string candump;
  std::string asc = writers[3].fileStart(std::tm{});
  std::vector<canlog::CanLogRecord> written;
  std::uint32_t now = 0;
  while (in.remaining_bytes() > 0) {
    now += in.ConsumeIntegral<std::uint16_t>();
    switch (in.ConsumeIntegralInRange<unsigned>(0, 9)) {
      case 0:
        engine.setMode(static_cast<canlog::CanLogMode>(in.ConsumeIntegralInRange<int>(0, 3)), now);
        continue;
      case 1:
        engine.clearRows();
        for (auto& writer : writers) {
          writer.restart();
        }
        continue;
      case 2:
        engine.hideRow(in.ConsumeIntegral<std::uint16_t>());
        continue;
      case 3:
        engine.hideAllExceptRow(in.ConsumeIntegral<std::uint16_t>());
        continue;
      default:
        break;
    }
    std::array<std::uint8_t, canlog::kRecordSize> bytes{};
    in.ConsumeData(bytes.data(), bytes.size());
    const auto record = canlog::CanLogRecord::decode(bytes);
    const canlog::IntakeResult result = engine.canLogIntake(record, now);
    if (!result.shown()) {
      continue;
    }
    KIVPRISM_FUZZ_CHECK(result.row < engine.rows().size(), "the row exists");
    const canlog::PacketRow& row = engine.rows()[result.row];
    KIVPRISM_FUZZ_CHECK(row.record == record, "the row shows the newest record");
    KIVPRISM_FUZZ_CHECK(engine.rows().size() <= canlog::kMaxPacketRows, "the table is bounded");
    for (auto& writer : writers) {
      const std::string text = writer.recordText(row);
      KIVPRISM_FUZZ_CHECK(!text.empty() && text.back() == '\n', "a record is one whole line");
      if (writer.form() == canlog::LogForm::Candump) {
        candump += text;
      } else if (writer.form() == canlog::LogForm::VectorAsc) {
        asc += text;
      }
    }
    if (busIdentifier(record.identifierWord)) {
      written.push_back(record);
    } else {
      // A word no bus can carry stays in the table but cannot be compared after reading back.
      written.push_back({});
      written.back().identifierWord = 0xFFFFFFFFu;
    }
  }
  asc += writers[3].fileEnd();
  for (const auto& read : {canlog::readCandump(candump), canlog::readAsc(asc)}) {
    if (!read.error.empty()) {
      bool anyForeign = false;
      for (const auto& record : written) {
        anyForeign = anyForeign || record.identifierWord == 0xFFFFFFFFu;
      }
      KIVPRISM_FUZZ_CHECK(anyForeign, "a capture of bus frames reads back");
      continue;
    }
    KIVPRISM_FUZZ_CHECK(read.records.size() == written.size(), "every written frame reads back");
    const std::uint32_t base = written.empty() ? 0 : written.front().timeStamp;
    for (std::size_t i = 0; i < written.size(); ++i) {
      if (written[i].identifierWord == 0xFFFFFFFFu) {
        continue;
      }
      KIVPRISM_FUZZ_CHECK(sameFrame(written[i], read.records[i], base),
                          "a frame reads back as it was written");
    }
  }
  return 0;
}

// The candump and Vector ASC readers on any text: reading never fails on malformed lines (an
// error names its line), every record read is one a CAN bus can carry, and the records read,
// written again in the same form, read back to the same records.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "core/canlog/capture_reader.hpp"
#include "core/canlog/log_writer.hpp"
#include "fuzz/fuzz_check.hpp"

namespace canlog = kivprism::canlog;

namespace {

void checkRecords(const canlog::CaptureRead& read) {
  KIVPRISM_FUZZ_CHECK(read.error.empty() || read.error.starts_with("line "),
                      "an error names its line");
  for (const auto& record : read.records) {
    KIVPRISM_FUZZ_CHECK(record.length <= canlog::kMaxDataBytes, "at most 8 data bytes");
    const std::uint32_t word = record.identifierWord;
    KIVPRISM_FUZZ_CHECK(canlog::isExtended(word) ? word <= 0x1FFFFFFFu : (word >> 18) <= 0x7FFu,
                        "only identifiers a bus can carry");
  }
}

// Written again with the capture's time line starting at the first record.
std::string rewrite(const canlog::CaptureRead& read, canlog::LogForm form) {
  canlog::LogFormatter writer(form);
  std::string text = writer.fileStart(std::tm{});
  for (const auto& record : read.records) {
    canlog::PacketRow row;
    row.record = record;
    text += writer.recordText(row);
  }
  return text + writer.fileEnd();
}

void checkRoundTrip(const canlog::CaptureRead& read, canlog::LogForm form,
                    canlog::CaptureRead (*reader)(std::string_view)) {
  if (!read.error.empty() || read.records.empty()) {
    return;
  }
  const canlog::CaptureRead again = reader(rewrite(read, form));
  KIVPRISM_FUZZ_CHECK(again.error.empty(), "a rewritten capture reads");
  KIVPRISM_FUZZ_CHECK(again.records.size() == read.records.size(), "every record comes back");
  const std::uint32_t base = read.records.front().timeStamp;
  for (std::size_t i = 0; i < read.records.size(); ++i) {
    auto expected = read.records[i];
    expected.timeStamp -= base;
    KIVPRISM_FUZZ_CHECK(again.records[i] == expected, "a record comes back as it was read");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const canlog::CaptureRead candump = canlog::readCandump(text);
  const canlog::CaptureRead asc = canlog::readAsc(text);
  checkRecords(candump);
  checkRecords(asc);
  checkRoundTrip(candump, canlog::LogForm::Candump, canlog::readCandump);
  checkRoundTrip(asc, canlog::LogForm::VectorAsc, canlog::readAsc);
  return 0;
}

// Reads candump logs and Vector ASC files back into records: the time stamp of each record is its
// time in the capture in milliseconds. Lines that carry no CAN frame (headers, events, comments)
// are skipped; a frame line that cannot be read is an error with its line number.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/canlog/can_record.hpp"

namespace kivprism::canlog {

// One line "(SECONDS.MICROS) IFACE ID#DATA"; nothing for anything else.
std::optional<CanLogRecord> parseCandumpLine(std::string_view line);
// One frame line "TIME CHANNEL ID[x] Rx|Tx d DLC BYTES..."; nothing for anything else.
std::optional<CanLogRecord> parseAscLine(std::string_view line);

struct CaptureRead {
  std::vector<CanLogRecord> records;
  std::string error;          // empty when the whole text was read
  std::size_t errorLine = 0;  // the line of the error, counted from 1
  std::string errorText;      // that line as it stands
};
CaptureRead readCandump(std::string_view text);
CaptureRead readAsc(std::string_view text);
// Either kind, told by the text: a candump log starts with a time stamp in parentheses, anything
// else is read as ASC.
CaptureRead readCapture(std::string_view text);

}  // namespace kivprism::canlog

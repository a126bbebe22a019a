// The CAN log's state: the packet table (one row per identifier word), the identifier filter table
// with its hidden flags and data signatures, the capture mode and the records-per-second counter.
// Records go in one at a time as the controller delivers them; the page and the command-line
// capture read the rows and write the records that reach a row to their files.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/canlog/can_record.hpp"

namespace kivprism::canlog {

inline constexpr std::size_t kMaxPacketRows = 9999;
inline constexpr std::size_t kMaxFilterEntries = 1000;
// A difference of time stamps this large (or one that went backwards) is no period.
inline constexpr std::uint32_t kPeriodLimitMs = 1000000;
// How long a changed byte stays marked for the view.
inline constexpr std::uint32_t kChangeMarkMs = 1000;

// The one byte written to the controller's CAN-log area, also the program's own capture mode.
enum class CanLogMode : std::uint8_t {
  Stop = 0,
  ShowAll = 1,          // run, show every identifier
  HideAccumulated = 2,  // run, hide the identifiers seen so far
  HideNotChanged = 3,   // run, hide records whose data did not change
};

struct PacketRow {
  CanLogRecord record;
  // Milliseconds between the newest two records; 0 after the first record or a jump.
  std::uint32_t period = 0;
  std::uint32_t count = 1;
  // Bit k: byte k differed from the record before; changedAt[k] is the tick it last did.
  std::uint8_t changedBytes = 0;
  std::array<std::uint32_t, kMaxDataBytes> changedAt{};

  // Whether byte k changed within the last kChangeMarkMs before now.
  bool byteMarked(std::size_t k, std::uint32_t now) const {
    return k < kMaxDataBytes && ((changedBytes >> k) & 1) != 0 &&
           now - changedAt[k] < kChangeMarkMs;
  }
};

struct FilterEntry {
  std::uint32_t identifierWord = 0;
  bool hidden = false;
  std::uint8_t signature = 0;
};

enum class IntakeOutcome {
  Dropped,    // hidden, or unchanged data in mode 3
  TableFull,  // a new identifier with 9999 rows taken
  Updated,    // a known row took the record
  Added,      // a new row
};

struct IntakeResult {
  IntakeOutcome outcome = IntakeOutcome::Dropped;
  std::size_t row = 0;  // the row for Updated and Added

  bool shown() const {
    return outcome == IntakeOutcome::Updated || outcome == IntakeOutcome::Added;
  }
};

class CanLogEngine {
 public:
  // Takes one record; now is the host's millisecond tick (rate counter and change marks).
  IntakeResult canLogIntake(const CanLogRecord& record, std::uint32_t now);

  // The mode takes effect for the filter: show all and hide not changed clear every hidden flag,
  // hide accumulated sets every one, stop clears them. Running modes restart the rate counter.
  void setMode(CanLogMode mode, std::uint32_t now);
  CanLogMode mode() const { return mode_; }

  // Empties the packet table; the filter table and the mode stay.
  void clearRows();
  // Hides the identifier of the row, or every identifier but that one. False for no such row.
  bool hideRow(std::size_t row);
  bool hideAllExceptRow(std::size_t row);

  const std::vector<PacketRow>& rows() const { return rows_; }
  const std::vector<FilterEntry>& filters() const { return filters_; }
  // Records received in the last completed second (all records, also dropped ones).
  std::uint32_t rate() const { return rate_; }

  // Start-up state: everything empty, mode stop.
  void reset();

 private:
  void restartRate(std::uint32_t now);

  std::vector<PacketRow> rows_;
  std::unordered_map<std::uint32_t, std::size_t> rowOf_;
  std::vector<FilterEntry> filters_;
  std::unordered_map<std::uint32_t, std::size_t> filterOf_;
  CanLogMode mode_ = CanLogMode::Stop;
  std::uint32_t secondTick_ = 0;
  std::uint32_t runningCount_ = 0;
  std::uint32_t rate_ = 0;
};

}  // namespace kivprism::canlog

// The CAN log's files: the aligned and tab-separated text the page has always written, and the
// candump log and Vector ASC captures that the CAN tools read. Every record that reaches a row is
// written, so all files of one capture agree record by record.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "core/canlog/can_log_engine.hpp"

namespace kivprism::canlog {

enum class LogForm { Aligned, TabSeparated, Candump, VectorAsc };

// Turns rows into the lines of one form. The record counter and the time base live here.
class LogFormatter {
 public:
  explicit LogFormatter(LogForm form) : form_(form) {}

  LogForm form() const { return form_; }
  // The wall clock at the capture's start (local time). Candump lines count from it as candump's
  // own do, so two captures line up, and tools that read a zero second as "no time yet" see a
  // real one. Without it (or before 1970) they count from the first record.
  void setStart(const std::tm& start);
  // What opens the file (the ASC header, dated with the capture's start and naming the program
  // and its version in a comment); empty for the others.
  std::string fileStart(const std::tm& start) const;
  // What closes the file (the end of the ASC trigger block); empty for the others.
  std::string fileEnd() const;
  // The text for the newest record of the row (with the header line where one is due).
  std::string recordText(const PacketRow& row);
  // Clearing the log: aligned and tab-separated text restart numbering and time base (and
  // tab-separated text repeats its header); the captures keep one time line for the whole file.
  void restart();
  std::uint32_t counter() const { return counter_; }

 private:
  LogForm form_;
  std::uint32_t counter_ = 0;
  std::uint32_t timeBase_ = 0;
  bool haveTimeBase_ = false;
  std::uint64_t startSeconds_ = 0;  // seconds since 1970; 0: no wall clock
};

// One open log file. Write errors are ignored, as a full disk must not stop the capture.
class LogFile {
 public:
  LogFile() = default;
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;
  ~LogFile() { close(); }

  // Creates or truncates the file; false when it cannot be created.
  bool open(const std::filesystem::path& path, LogForm form, const std::tm& start);
  void close();
  bool isOpen() const { return stream_.is_open(); }
  LogForm form() const { return formatter_.form(); }

  void write(const PacketRow& row);
  void restart() { formatter_.restart(); }
  std::uint32_t counter() const { return formatter_.counter(); }

 private:
  std::ofstream stream_;
  LogFormatter formatter_{LogForm::Aligned};
};

// One candump line without its line end: "(SECONDS.MICROS) can0 ID#DATA" at the given time in
// milliseconds.
std::string candumpLine(const CanLogRecord& record, std::uint64_t timeMs);

// The form a file name asks for: ".asc" Vector ASC, ".candump" or ".can" candump log (any case);
// nothing for every other name.
std::optional<LogForm> captureFormFor(const std::filesystem::path& path);

}  // namespace kivprism::canlog

#include "core/canlog/log_writer.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

#include "core/about/version.hpp"
#include "core/config/utf8_path.hpp"

namespace kivprism::canlog {

namespace {

// The numero sign of cp1251: the tab-separated header is written in the controller's code page.
constexpr char kNumeroCp1251 = '\xB9';
constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kLf = "\n";
constexpr std::string_view kCandumpInterface = "can0";
constexpr int kAscChannel = 1;

template <typename... Args>
std::string formatted(const char* pattern, Args... args) {
  std::array<char, 96> buffer{};
  const int n = std::snprintf(buffer.data(), buffer.size(), pattern, args...);
  return std::string(buffer.data(),
                     static_cast<std::size_t>(std::clamp(n, 0, int(buffer.size()) - 1)));
}

std::string compactHex(const CanLogRecord& record) {
  std::string text;
  for (std::size_t k = 0; k < record.dataLength(); ++k) {
    text += formatted("%02X", record.data[k]);
  }
  return text;
}

std::string ascDate(const std::tm& t) {
  static constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed",
                                                       "Thu", "Fri", "Sat"};
  static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
  return formatted("%s %s %02d %02d:%02d:%02d.000 %s %d", kDays[std::size_t(t.tm_wday % 7)],
                   kMonths[std::size_t(t.tm_mon % 12)], t.tm_mday, hour12, t.tm_min, t.tm_sec,
                   t.tm_hour < 12 ? "am" : "pm", t.tm_year + 1900);
}

}  // namespace

void LogFormatter::setStart(const std::tm& start) {
  std::tm local = start;
  local.tm_isdst = -1;  // as the clock had it on that day
  const std::time_t seconds = std::mktime(&local);
  startSeconds_ = seconds > 0 ? static_cast<std::uint64_t>(seconds) : 0;
}

std::string LogFormatter::fileStart(const std::tm& start) const {
  if (form_ != LogForm::VectorAsc) {
    return {};
  }
  const std::string date = ascDate(start);
  std::string text = "date " + date + std::string(kCrLf);
  text += "base hex  timestamps absolute" + std::string(kCrLf);
  text += "internal events logged" + std::string(kCrLf);
  // The CAN tools skip "//" lines; the writer's version helps when a capture looks wrong.
  text += "// " + about::writerLine() + std::string(kCrLf);
  text += "Begin Triggerblock " + date + std::string(kCrLf);
  text += "   0.000000 Start of measurement" + std::string(kCrLf);
  return text;
}

std::string LogFormatter::fileEnd() const {
  return form_ == LogForm::VectorAsc ? "End TriggerBlock" + std::string(kCrLf) : std::string();
}

std::string LogFormatter::recordText(const PacketRow& row) {
  const CanLogRecord& r = row.record;
  std::string text;
  if (!haveTimeBase_) {
    timeBase_ = r.timeStamp;
    haveTimeBase_ = true;
  }
  if (counter_ == 0 && form_ == LogForm::TabSeparated) {
    for (const char* field : {"", "ID count", "Time", "Dlit", "ID", "DLC"}) {
      text += *field == '\0' ? std::string(1, kNumeroCp1251) : std::string(field);
      text += '\t';
    }
    text += "Data";
    text += kCrLf;
  }
  ++counter_;
  const unsigned long n = counter_;
  const unsigned long c = row.count;
  const unsigned long t = static_cast<std::uint32_t>(r.timeStamp - timeBase_);
  const unsigned long p = row.period;
  const unsigned length = r.length;
  switch (form_) {
    case LogForm::TabSeparated:
      text += formatted("%lu\t%lu\t%lu.%03lu\t%lu.%03lu\t", n, c, t / 1000, t % 1000, p / 1000,
                        p % 1000);
      text +=
          identifierText(r.identifierWord) + '\t' + formatted("%u\t", length) + dataText(r, false);
      text += kCrLf;
      break;
    case LogForm::Aligned:
      text += formatted("%4lu(%4lu) %4lu.%03lu(%4lu.%03lu)", n, c, t / 1000, t % 1000, p / 1000,
                        p % 1000);
      text += ' ' + identifierText(r.identifierWord) + formatted(" %u", length) + " [" +
              dataText(r, true) + ']';
      text += kCrLf;
      break;
    case LogForm::Candump:
      text += candumpLine(r, startSeconds_ * 1000 + t);
      text += kLf;
      break;
    case LogForm::VectorAsc: {
      const unsigned long id = displayIdentifier(r.identifierWord);
      std::string idText = formatted("%lX", id) + (isExtended(r.identifierWord) ? "x" : "");
      idText.resize(std::max<std::size_t>(idText.size(), 15), ' ');
      text += formatted("%4lu.%06lu %d  ", t / 1000, (t % 1000) * 1000, kAscChannel);
      text += idText + " Rx   d " + formatted("%X", unsigned(r.dataLength()));
      for (std::size_t k = 0; k < r.dataLength(); ++k) {
        text += formatted(" %02X", r.data[k]);
      }
      text += kCrLf;
      break;
    }
  }
  return text;
}

void LogFormatter::restart() {
  counter_ = 0;
  if (form_ == LogForm::Aligned || form_ == LogForm::TabSeparated) {
    haveTimeBase_ = false;
  }
}

bool LogFile::open(const std::filesystem::path& path, LogForm form, const std::tm& start) {
  close();
  // Binary: the line ends are part of each form.
  stream_.open(path, std::ios::binary | std::ios::out | std::ios::trunc);
  if (!stream_.is_open()) {
    return false;
  }
  formatter_ = LogFormatter(form);
  formatter_.setStart(start);
  stream_ << formatter_.fileStart(start);
  return true;
}

void LogFile::close() {
  if (stream_.is_open()) {
    stream_ << formatter_.fileEnd();
    stream_.close();
  }
}

void LogFile::write(const PacketRow& row) {
  if (stream_.is_open()) {
    stream_ << formatter_.recordText(row);
  }
}

std::string candumpLine(const CanLogRecord& record, std::uint64_t timeMs) {
  const unsigned long id = displayIdentifier(record.identifierWord);
  const unsigned long long ms = timeMs;
  std::string text = formatted("(%010llu.%06llu) ", ms / 1000, (ms % 1000) * 1000);
  text += std::string(kCandumpInterface) + ' ';
  text += isExtended(record.identifierWord) ? formatted("%08lX", id) : formatted("%03lX", id);
  return text + '#' + compactHex(record);
}

std::optional<LogForm> captureFormFor(const std::filesystem::path& path) {
  std::string ext = config::pathToUtf8(path.extension());
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (ext == ".asc") {
    return LogForm::VectorAsc;
  }
  if (ext == ".candump" || ext == ".can") {
    return LogForm::Candump;
  }
  return std::nullopt;
}

}  // namespace kivprism::canlog

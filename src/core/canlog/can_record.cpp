#include "core/canlog/can_record.hpp"

#include <algorithm>
#include <cstdio>

#include "core/config/image.hpp"
#include "core/config/text_codec.hpp"

namespace kivprism::canlog {

namespace {

// Offsets inside the 17-byte record.
constexpr std::size_t kIdOffset = 0;
constexpr std::size_t kLengthOffset = 4;
constexpr std::size_t kDataOffset = 5;
constexpr std::size_t kTimeOffset = 13;

template <typename... Args>
std::string format(const char* pattern, Args... args) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, pattern, args...);
  return std::string(buffer, static_cast<std::size_t>(std::clamp(n, 0, 63)));
}

}  // namespace

CanLogRecord CanLogRecord::decode(std::span<const std::uint8_t, kRecordSize> bytes) {
  CanLogRecord r;
  r.identifierWord = config::readLe(bytes, kIdOffset, 4);
  r.length = bytes[kLengthOffset];
  std::copy_n(bytes.begin() + kDataOffset, kMaxDataBytes, r.data.begin());
  r.timeStamp = config::readLe(bytes, kTimeOffset, 4);
  return r;
}

void CanLogRecord::encode(std::span<std::uint8_t, kRecordSize> out) const {
  config::writeLe(out, kIdOffset, 4, identifierWord);
  out[kLengthOffset] = length;
  std::copy(data.begin(), data.end(), out.begin() + kDataOffset);
  config::writeLe(out, kTimeOffset, 4, timeStamp);
}

std::string identifierText(std::uint32_t word) {
  const unsigned long id = displayIdentifier(word);
  return isExtended(word) ? format("%08lX(%4lu)", id, id) : format("%03lX(%4lu)", id, id);
}

std::string dataText(const CanLogRecord& record, bool padded) {
  std::string text;
  text.reserve(3 * kMaxDataBytes);
  const std::size_t length = record.dataLength();
  for (std::size_t k = 0; k < kMaxDataBytes; ++k) {
    if (k < length) {
      if (k != 0) {
        text += ' ';
      }
      text += format("%02X", record.data[k]);
    } else if (padded) {
      text += "   ";
    }
  }
  return text;
}

std::uint8_t dataSignature(const CanLogRecord& record) {
  auto s = static_cast<std::uint8_t>(record.length + 230);
  for (std::size_t k = 0; k < record.dataLength(); ++k) {
    s ^= record.data[k];
    const bool top = (s & 0x80) != 0;
    s = static_cast<std::uint8_t>(s << 1);
    if (top) {
      s ^= 0x21;
    }
  }
  return s;
}

std::string terminalEchoLine(const CanLogRecord& record) {
  const unsigned long t = record.timeStamp;
  std::string line = format("%03lu.%03lu CANRX ", t / 1000, t % 1000);
  const unsigned long id = displayIdentifier(record.identifierWord);
  line += isExtended(record.identifierWord) ? format("%08lX", id) : format("%04lX", id);
  if (record.length > 0) {
    line += " [";
    for (std::size_t k = 0; k < record.dataLength(); ++k) {
      line += format(" %02X", record.data[k]);
    }
    line += " ]";
  }
  return line;
}

DetailTexts detailTexts(std::size_t index, std::uint8_t value) {
  DetailTexts t;
  t.index = std::to_string(index);
  t.hex = format("%02X", value);
  for (int bit = 7; bit >= 0; --bit) {
    t.bin += ((value >> bit) & 1) != 0 ? '1' : '0';
  }
  t.dec = std::to_string(value);
  // Printable ASCII and the cp1251 letters.
  if ((value >= 32 && value <= 128) || value >= 192) {
    const char raw[] = {'\'', static_cast<char>(value), '\''};
    t.ascii = config::cp1251ToUtf8(std::string_view(raw, sizeof raw));
  } else {
    t.ascii.assign(1, '-');
  }
  return t;
}

}  // namespace kivprism::canlog

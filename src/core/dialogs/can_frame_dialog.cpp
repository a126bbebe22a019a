#include "core/dialogs/can_frame_dialog.hpp"

#include <algorithm>

#include "core/config/text_codec.hpp"

namespace kivprism::dialogs {

using events::CanFilter;
using events::CanMessage;

namespace {

using config::hexDigitValue;

// "%0*X": at least the given number of digits, more when the value needs them.
std::string hexDigits(std::uint32_t value, int digits) {
  std::string out;
  while (value != 0 || static_cast<int>(out.size()) < digits) {
    out.insert(out.begin(), config::hexDigitChar(value));
    value >>= 4;
  }
  return out;
}

// Copies what was read into the front of a record's byte row; the rest keeps its bytes.
std::size_t store(const std::vector<std::uint8_t>& read,
                  std::array<std::uint8_t, events::record::kCanDataMax>& row) {
  std::copy(read.begin(), read.end(), row.begin());
  return read.size();
}

}  // namespace

std::string idWordText(std::uint32_t word) {
  const events::CanId id = events::decodeIdWord(word);
  return id.extended ? hexDigits(word, 8) : hexDigits(id.value, 3);
}

std::string hexBytesText(std::span<const std::uint8_t> bytes) {
  std::string out;
  for (std::size_t i = 0; i < std::min(bytes.size(), events::record::kCanDataMax); ++i) {
    if (i != 0) {
      out += ' ';
    }
    out += hexDigits(bytes[i], 2);
  }
  return out;
}

std::optional<std::uint32_t> idWordFromText(std::string_view text) {
  std::uint32_t value = 0;
  for (char c : text) {
    const auto digit = hexDigitValue(c);
    if (!digit) {
      return std::nullopt;
    }
    value = (value << 4) | *digit;
  }
  return events::encodeIdWord(value);
}

std::vector<std::uint8_t> hexBytesFromText(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  std::size_t i = 0;
  while (bytes.size() < events::record::kCanDataMax) {
    while (i < text.size() && !hexDigitValue(text[i])) {
      ++i;
    }
    if (i + 1 >= text.size()) {
      break;
    }
    const auto high = hexDigitValue(text[i]);
    const auto low = hexDigitValue(text[i + 1]);
    if (!low) {
      break;
    }
    bytes.push_back(static_cast<std::uint8_t>((*high << 4) | *low));
    i += 2;
  }
  return bytes;
}

CanMessageTexts canMessageTexts(const CanMessage& message) {
  return {idWordText(message.idWord), hexBytesText(message.payload())};
}

CanFilterTexts canFilterTexts(const CanFilter& filter) {
  if (!filter.isSet()) {
    return {idWordText(filter.idWord), std::string(kFullMaskText), {}};
  }
  return {idWordText(filter.idWord), hexBytesText(filter.usedMask()),
          hexBytesText(filter.usedData())};
}

CanMessageTexts clearedCanMessageTexts() { return {}; }

CanFilterTexts clearedCanFilterTexts() { return {{}, std::string(kFullMaskText), {}}; }

CanMessage confirmCanMessage(const CanMessageTexts& texts, CanMessage message) {
  const auto word = idWordFromText(texts.id);
  if (!word) {
    return message;
  }
  message.idWord = *word;
  message.length = static_cast<std::uint8_t>(store(hexBytesFromText(texts.data), message.data));
  return message;
}

CanFilter confirmCanFilter(const CanFilterTexts& texts, CanFilter filter) {
  const auto word = idWordFromText(texts.id);
  if (!word) {
    return filter;
  }
  filter.idWord = *word;
  store(hexBytesFromText(texts.mask), filter.mask);
  filter.count = static_cast<std::uint8_t>(store(hexBytesFromText(texts.data), filter.data));
  return filter;
}

}  // namespace kivprism::dialogs

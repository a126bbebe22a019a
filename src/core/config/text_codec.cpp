#include "core/config/text_codec.hpp"

#include <array>

namespace kivprism::config {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Block keys read a character that is not a hex digit as 0.
unsigned blockDigit(char c) { return hexDigitValue(c).value_or(0); }

// Unicode code points of cp1251 bytes 0x80..0xFF; 0 marks the one undefined byte.
constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Decodes one UTF-8 sequence at pos; a malformed byte is taken as one unknown character.
char32_t nextCodePoint(std::string_view s, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(s[pos++]);
  if (lead < 0x80) {
    return lead;
  }
  std::size_t extra = 0;
  char32_t cp = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1Fu;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0Fu;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07u;
  } else {
    return 0xFFFD;
  }
  for (std::size_t i = 0; i < extra; ++i) {
    if (pos >= s.size() || (static_cast<unsigned char>(s[pos]) & 0xC0) != 0x80) {
      return 0xFFFD;
    }
    cp = (cp << 6) | (static_cast<unsigned char>(s[pos++]) & 0x3Fu);
  }
  return cp;
}

}  // namespace

std::optional<unsigned> hexDigitValue(char c) {
  if (c >= '0' && c <= '9') {
    return static_cast<unsigned>(c - '0');
  }
  if (c >= 'A' && c <= 'F') {
    return static_cast<unsigned>(c - 'A' + 10);
  }
  if (c >= 'a' && c <= 'f') {
    return static_cast<unsigned>(c - 'a' + 10);
  }
  return std::nullopt;
}

char hexDigitChar(unsigned value) { return kHexDigits[value & 0x0Fu]; }

std::string bytesToHex(std::span<const std::uint8_t> bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (std::uint8_t b : bytes) {
    out.push_back(kHexDigits[b >> 4]);
    out.push_back(kHexDigits[b & 0x0F]);
  }
  return out;
}

std::size_t hexToBytes(std::string_view text, std::span<std::uint8_t> dest) {
  std::size_t n = 0;
  for (; n < dest.size() && 2 * n + 1 < text.size(); ++n) {
    dest[n] = static_cast<std::uint8_t>(16 * blockDigit(text[2 * n]) + blockDigit(text[2 * n + 1]));
  }
  for (std::size_t i = n; i < dest.size(); ++i) {
    dest[i] = 0;
  }
  return n;
}

std::string cp1251ToUtf8(std::string_view cp1251) {
  std::string out;
  out.reserve(cp1251.size() * 2);
  for (char c : cp1251) {
    const auto b = static_cast<unsigned char>(c);
    const char32_t cp = b < 0x80 ? b : kCp1251High[b - 0x80];
    appendUtf8(out, cp == 0 ? U'?' : cp);
  }
  return out;
}

std::string utf8ToCp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t cp = nextCodePoint(utf8, pos);
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
      continue;
    }
    char mapped = '?';
    for (std::size_t i = 0; i < kCp1251High.size(); ++i) {
      if (kCp1251High[i] != 0 && kCp1251High[i] == cp) {
        mapped = static_cast<char>(0x80 + i);
        break;
      }
    }
    out.push_back(mapped);
  }
  return out;
}

std::string fieldText(std::span<const std::uint8_t> field) {
  std::string out;
  for (std::uint8_t b : field) {
    if (b == 0) {
      break;
    }
    out.push_back(static_cast<char>(b));
  }
  return out;
}

void setFieldText(std::span<std::uint8_t> field, std::string_view text) {
  // The field's text ends at its first NUL; bytes behind one would be stored but never shown,
  // written to a file or read back.
  text = text.substr(0, text.find('\0'));
  for (std::size_t i = 0; i < field.size(); ++i) {
    field[i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0;
  }
}

}  // namespace kivprism::config

// Text conversions at the boundary of the image and the configuration file: hex text for byte
// blocks, and cp1251 (the controller's and the file's code page) for names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kivprism::config {

// The value of one hex digit, either case; nothing for any other character.
std::optional<unsigned> hexDigitValue(char c);
// The upper-case hex digit of the low four bits of value.
char hexDigitChar(unsigned value);

// Two upper-case digits per byte, first byte first, no separators.
std::string bytesToHex(std::span<const std::uint8_t> bytes);

// Decodes pairs of hex digits into dest, as the configuration file reads block keys: a character
// that is not a hex digit counts as 0, lower case is accepted, and when the text runs out (an odd
// last character included) the rest of dest is cleared. Returns the number of bytes decoded.
std::size_t hexToBytes(std::string_view text, std::span<std::uint8_t> dest);

// cp1251 <-> UTF-8. Bytes cp1251 leaves undefined (0x98) and code points it cannot hold become "?".
std::string cp1251ToUtf8(std::string_view cp1251);
std::string utf8ToCp1251(std::string_view utf8);

// A fixed-size NUL-padded text field (source names, key labels, entry names): the characters up to
// the first NUL, at most the field's size.
std::string fieldText(std::span<const std::uint8_t> field);
// Copies the first field-size bytes of text (up to a NUL in it) and pads with NUL; no terminator
// is needed.
void setFieldText(std::span<std::uint8_t> field, std::string_view text);

}  // namespace kivprism::config

// The value entry check and the silently correcting fields on any typed text: an accepted value
// lies in its range and is what the text says, corrected fields land in their ranges, and a
// voltage shown in a field reads back as the same value.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <variant>

#include "core/params/entry_value.hpp"
#include "fuzz/fuzz_check.hpp"

namespace params = kivprism::params;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::uint32_t minimum = in.ConsumeIntegral<std::uint32_t>();
  std::uint32_t maximum = in.ConsumeIntegral<std::uint32_t>();
  if (minimum > maximum) {
    std::swap(minimum, maximum);
  }
  const std::uint16_t shown = in.ConsumeIntegral<std::uint16_t>();
  const std::string text = in.ConsumeRemainingBytesAsString();

  const params::EntryResult result = params::checkValueEntry(text, minimum, maximum);
  if (const auto* value = std::get_if<std::uint32_t>(&result)) {
    KIVPRISM_FUZZ_CHECK(*value >= minimum && *value <= maximum, "an accepted value is in range");
    const params::EntryResult decimal =
        params::checkValueEntry(std::to_string(*value), minimum, maximum);
    KIVPRISM_FUZZ_CHECK(std::get_if<std::uint32_t>(&decimal) != nullptr &&
                            std::get<std::uint32_t>(decimal) == *value,
                        "the value typed in decimal is the same value");
  }

  const auto longPress = params::longPressFromText(text);
  KIVPRISM_FUZZ_CHECK(longPress >= 200 && longPress <= 5000, "long press in 200..5000");
  const auto hwr = params::hwrTimeFromText(text);
  KIVPRISM_FUZZ_CHECK(hwr >= 100 && hwr <= 5000, "HWR time in 100..5000");
  const auto delay = params::uartDelayFromText(text);
  KIVPRISM_FUZZ_CHECK(delay >= 1 && delay <= 10000, "UART delay in 1..10000");
  const auto repeat = params::uartRepeatFromText(text);
  KIVPRISM_FUZZ_CHECK(repeat >= 1 && repeat <= 10000, "UART repeat in 1..10000");

  const auto hundredths = params::hundredthsFromText(text);
  if (const auto* v = std::get_if<std::uint16_t>(&hundredths)) {
    KIVPRISM_FUZZ_CHECK(*v <= 500, "an analog output is at most 5 V");
  }
  const auto millivolts = params::millivoltsFromText(text);
  if (const auto* v = std::get_if<std::uint16_t>(&millivolts)) {
    KIVPRISM_FUZZ_CHECK(*v <= 16000, "a threshold is at most 16 V");
  }

  // What a field shows reads back as the value it shows.
  const std::uint16_t analog = shown % 501;
  const auto analogBack = params::hundredthsFromText(params::hundredthsText(analog));
  KIVPRISM_FUZZ_CHECK(std::get_if<std::uint16_t>(&analogBack) != nullptr &&
                          std::get<std::uint16_t>(analogBack) == analog,
                      "a shown analog voltage reads back");
  const std::uint16_t threshold = shown % 16001;
  const auto thresholdBack = params::millivoltsFromText(params::millivoltsText(threshold));
  KIVPRISM_FUZZ_CHECK(std::get_if<std::uint16_t>(&thresholdBack) != nullptr &&
                          std::get<std::uint16_t>(thresholdBack) == threshold,
                      "a shown threshold reads back");
  return 0;
}

// The CAN message and CAN filter dialogs on any typed texts and any stored record: what OK stores
// is a record the dialog can show again, showing it and pressing OK again changes nothing, a bad
// identifier keeps the record, and byte texts never give more than eight bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/dialogs/can_frame_dialog.hpp"
#include "fuzz/fuzz_check.hpp"

namespace dialogs = kivprism::dialogs;
namespace events = kivprism::events;

namespace {

template <std::size_t N>
std::array<std::uint8_t, N> consumeArray(FuzzedDataProvider& in) {
  std::array<std::uint8_t, N> out{};
  for (auto& b : out) {
    b = in.ConsumeIntegral<std::uint8_t>();
  }
  return out;
}

void checkIdentifier(const std::string& text) {
  const auto word = dialogs::idWordFromText(text);
  if (!word) {
    KIVPRISM_FUZZ_CHECK(!std::all_of(text.begin(), text.end(),
                                     [](unsigned char c) { return std::isxdigit(c) != 0; }),
                        "only a text with a non-hex character is refused");
    return;
  }
  const events::CanId id = events::decodeIdWord(*word);
  KIVPRISM_FUZZ_CHECK(id.value <= events::kExtendedIdMask, "an identifier has at most 29 bits");
  const auto again = dialogs::idWordFromText(dialogs::idWordText(*word));
  KIVPRISM_FUZZ_CHECK(again && *again == *word, "a stored identifier reads back from its text");
}

void checkBytes(const std::string& text) {
  const auto bytes = dialogs::hexBytesFromText(text);
  KIVPRISM_FUZZ_CHECK(bytes.size() <= events::record::kCanDataMax, "at most eight bytes");
  const std::string shown = dialogs::hexBytesText(bytes);
  KIVPRISM_FUZZ_CHECK(shown.size() <= static_cast<std::size_t>(dialogs::kBytesTextMax),
                      "shown bytes fit the edit");
  KIVPRISM_FUZZ_CHECK(dialogs::hexBytesFromText(shown) == bytes, "shown bytes read back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  events::CanMessage message;
  message.idWord = in.ConsumeIntegral<std::uint32_t>();
  message.length = in.ConsumeIntegral<std::uint8_t>();
  message.data = consumeArray<events::record::kCanDataMax>(in);
  events::CanFilter filter;
  filter.idWord = in.ConsumeIntegral<std::uint32_t>();
  filter.count = in.ConsumeIntegral<std::uint8_t>();
  filter.mask = consumeArray<events::record::kCanDataMax>(in);
  filter.data = consumeArray<events::record::kCanDataMax>(in);
  const std::string id = in.ConsumeRandomLengthString(40);
  const std::string first = in.ConsumeRandomLengthString(80);
  const std::string second = in.ConsumeRemainingBytesAsString();

  checkIdentifier(id);
  checkBytes(first);
  checkBytes(second);

  // A message: OK on typed texts, then the dialog shown again and OK pressed again.
  const events::CanMessage typed = dialogs::confirmCanMessage({id, first}, message);
  if (!dialogs::idWordFromText(id)) {
    KIVPRISM_FUZZ_CHECK(typed == message, "a bad identifier keeps the message");
  } else {
    KIVPRISM_FUZZ_CHECK(typed.length <= events::record::kCanDataMax, "a message length is 0..8");
    KIVPRISM_FUZZ_CHECK(dialogs::confirmCanMessage(dialogs::canMessageTexts(typed), typed) == typed,
                        "a confirmed message survives a second OK");
  }
  // A stored message shown and confirmed unchanged keeps its bytes and identifier.
  const events::CanMessage shown =
      dialogs::confirmCanMessage(dialogs::canMessageTexts(message), message);
  if (message.length <= events::record::kCanDataMax) {
    KIVPRISM_FUZZ_CHECK(shown.length == message.length &&
                            std::equal(shown.data.begin(), shown.data.end(), message.data.begin()),
                        "OK on an untouched message keeps its bytes");
  }
  KIVPRISM_FUZZ_CHECK(dialogs::confirmCanMessage(dialogs::canMessageTexts(shown), shown) == shown,
                      "a shown message is stable");

  // A filter the same way.
  const events::CanFilter typedFilter = dialogs::confirmCanFilter({id, first, second}, filter);
  if (!dialogs::idWordFromText(id)) {
    KIVPRISM_FUZZ_CHECK(typedFilter == filter, "a bad identifier keeps the filter");
  } else {
    KIVPRISM_FUZZ_CHECK(typedFilter.count <= events::record::kCanDataMax,
                        "a filter compares at most eight bytes");
    const events::CanFilter again =
        dialogs::confirmCanFilter(dialogs::canFilterTexts(typedFilter), typedFilter);
    KIVPRISM_FUZZ_CHECK(again.idWord == typedFilter.idWord && again.count == typedFilter.count,
                        "a confirmed filter survives a second OK");
    KIVPRISM_FUZZ_CHECK(std::equal(again.usedData().begin(), again.usedData().end(),
                                   typedFilter.usedData().begin()),
                        "a confirmed filter keeps its data");
  }
  return 0;
}

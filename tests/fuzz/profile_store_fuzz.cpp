// The profile store on any text and any edits: parsing never fails, a written text parses to the
// same text again, and a value that was set reads back as it was set (less line breaks).
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/config/profile_store.hpp"
#include "fuzz/fuzz_check.hpp"

using kivprism::config::ProfileStore;

namespace {

// A section or key name the store can hold: one line, no blanks at its ends, and for a section
// no closing bracket (a header ends at the first one).
std::string name(FuzzedDataProvider& in, bool section) {
  std::string text = in.ConsumeRandomLengthString(12);
  std::erase_if(text, [section](char c) {
    return c == '\r' || c == '\n' || c == '=' || c == ' ' || c == '\t' ||
           (section && (c == ']' || c == '['));
  });
  if (text.empty() || text.front() == ';' || text.front() == '[') {
    text.insert(0, "k");
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string text = in.ConsumeRandomLengthString(4096);
  ProfileStore store = ProfileStore::parse(text);

  const std::string written = store.serialize();
  KIVPRISM_FUZZ_CHECK(ProfileStore::parse(written).serialize() == written,
                      "a written text parses to the same text");

  while (in.remaining_bytes() > 0) {
    const std::string section = name(in, true);
    const std::string key = name(in, false);
    std::string value = in.ConsumeRandomLengthString(40);
    store.set(section, key, value);
    std::erase_if(value, [](char c) { return c == '\r' || c == '\n'; });
    KIVPRISM_FUZZ_CHECK(store.get(section, key) == value, "a value reads back as it was set");
    const ProfileStore reread = ProfileStore::parse(store.serialize());
    KIVPRISM_FUZZ_CHECK(reread.get(section, key) == value,
                        "a value reads back as it was set after writing the text");
    KIVPRISM_FUZZ_CHECK(reread.serialize() == store.serialize(), "writing is stable");
  }
  return 0;
}

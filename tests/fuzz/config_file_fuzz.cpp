// The configuration file reader on any text, and read-write-read stability: the image read from a
// file, written over that file's text (as saving over it does) or into a new file, reads back as
// the same image.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/config/config_file.hpp"
#include "core/config/profile_store.hpp"
#include "fuzz/fuzz_check.hpp"

using kivprism::config::ConfigImage;
using kivprism::config::ProfileStore;

namespace {

ConfigImage readBack(const std::string& text) {
  const ProfileStore profile = ProfileStore::parse(text);
  KIVPRISM_FUZZ_CHECK(kivprism::config::holdsConfigurationKeys(profile),
                      "a written configuration holds its keys");
  ConfigImage image;
  kivprism::config::loadImage(profile, image);
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ProfileStore profile = ProfileStore::parse(text);
  if (!kivprism::config::holdsConfigurationKeys(profile)) {
    return 0;  // the open command refuses it and leaves the image alone
  }
  ConfigImage first;
  kivprism::config::loadImage(profile, first);

  kivprism::config::saveImage(first, profile);
  KIVPRISM_FUZZ_CHECK(readBack(profile.serialize()) == first,
                      "saving over the file and reading again gives the same image");

  ProfileStore fresh;
  kivprism::config::saveImage(first, fresh);
  KIVPRISM_FUZZ_CHECK(readBack(fresh.serialize()) == first,
                      "a new file read again gives the same image");
  return 0;
}

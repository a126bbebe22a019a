// The raw image converter on any file: the bytes are stored as a .bin file and converted the way
// `kivprism-cli convert` does (read with the image size as the limit, write a configuration file,
// read that again). A file of the wrong size is refused; a converted image keeps the touch block
// and every entry byte for byte, and converting it once more changes nothing.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/config/config_file.hpp"
#include "fuzz/fuzz_check.hpp"

namespace fs = std::filesystem;
using kivprism::config::ConfigImage;

namespace {

const fs::path& workFolder() {
  static const fs::path folder = [] {
    fs::path p = fs::temp_directory_path() / ("kivprism-fuzz-raw-" + std::to_string(getpid()));
    fs::create_directories(p);
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(workFolder(), ignored);
    });
    return p;
  }();
  return folder;
}

// The converter's .bin -> .KST401 -> image.
ConfigImage throughConfigFile(const ConfigImage& image) {
  const fs::path file = workFolder() / "out.KST401";
  std::error_code ignored;
  fs::remove(file, ignored);
  KIVPRISM_FUZZ_CHECK(!kivprism::config::writeConfigFile(file, image), "the file is written");
  ConfigImage back;
  KIVPRISM_FUZZ_CHECK(!kivprism::config::readConfigFile(file, back), "the file reads back");
  return back;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path raw = workFolder() / "in.bin";
  KIVPRISM_FUZZ_CHECK(
      !kivprism::config::writeFileAtomically(raw, {reinterpret_cast<const char*>(data), size}),
      "the raw file is written");
  std::string bytes;
  const auto error = kivprism::config::readFileBytes(raw, bytes, ConfigImage::kSize);
  if (size > ConfigImage::kSize) {
    KIVPRISM_FUZZ_CHECK(error && error->kind == kivprism::config::FileError::Kind::TooLarge,
                        "a larger raw file is refused before it is read");
    return 0;
  }
  KIVPRISM_FUZZ_CHECK(!error && bytes.size() == size, "a raw file reads whole");
  if (size != ConfigImage::kSize) {
    return 0;  // the converter names the size it expected
  }
  ConfigImage image;
  std::copy(bytes.begin(), bytes.end(), image.data());

  const ConfigImage converted = throughConfigFile(image);
  const std::size_t carriedWhole = kivprism::config::layout::kParamBlock.offset;
  KIVPRISM_FUZZ_CHECK(std::equal(image.data(), image.data() + carriedWhole, converted.data()),
                      "touch block and entries survive the conversion byte for byte");
  KIVPRISM_FUZZ_CHECK(throughConfigFile(converted) == converted,
                      "a converted image converts to itself");
  return 0;
}

// Reading and writing a full configuration file: an installer opens and saves many of them, and
// the open command holds the poll while it runs. Target: each under 2 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "core/config/config_file.hpp"

namespace {

using kivprism::config::ConfigImage;

ConfigImage busyImage() {
  std::mt19937 rng(7);
  ConfigImage image;
  for (auto& b : image.bytes()) {
    b = static_cast<std::uint8_t>(rng());
  }
  return image;
}

std::filesystem::path benchFile() {
  return std::filesystem::temp_directory_path() / "kivprism-bench.KST401";
}

void BM_ReadConfigFile(benchmark::State& state) {
  const auto path = benchFile();
  kivprism::config::writeConfigFile(path, busyImage());
  ConfigImage image;
  for (auto _ : state) {
    auto error = kivprism::config::readConfigFile(path, image);
    benchmark::DoNotOptimize(error);
    benchmark::DoNotOptimize(image.data());
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadConfigFile)->Unit(benchmark::kMicrosecond);

void BM_WriteConfigFile(benchmark::State& state) {
  const auto path = benchFile();
  const ConfigImage image = busyImage();
  kivprism::config::writeConfigFile(path, image);  // saving over an existing file is the usual case
  for (auto _ : state) {
    auto error = kivprism::config::writeConfigFile(path, image);
    benchmark::DoNotOptimize(error);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteConfigFile)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

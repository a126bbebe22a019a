// The update disk and the files of the program on Windows: the drive list, the update disk's file
// operations on names with Cyrillic letters, and the atomic save when another program holds the
// file.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/config/config_file.hpp"
#include "core/config/utf8_path.hpp"
#include "platform/volumes.hpp"
#include "support/process.hpp"

namespace kivprism::platform {
namespace {

namespace fs = std::filesystem;
using config::pathFromUtf8;
using config::pathToUtf8;

TEST(WindowsVolumes, EveryDriveComesOnceInLetterOrderWithItsRoot) {
  const auto volumes = windowsVolumes();
  ASSERT_FALSE(volumes.empty());
  for (std::size_t i = 0; i < volumes.size(); ++i) {
    ASSERT_EQ(volumes[i].root.size(), 3u) << volumes[i].root;
    EXPECT_EQ(volumes[i].root.substr(1), ":\\");
    EXPECT_EQ(volumes[i].name, volumes[i].root.substr(0, 1));
    if (i > 0) {
      EXPECT_LT(volumes[i - 1].root, volumes[i].root);
    }
  }
}

// tools/windows-check.sh gives Wine a removable drive labelled UPDATE; Wine reports its file
// system and size from the folder behind it, so it is removable and labelled but no update disk.
TEST(WindowsVolumes, ARemovableDriveLabelledUpdateButNotTheDiskIsNotTaken) {
  const char* letter = std::getenv("KIVPRISM_TEST_LABELLED_DRIVE");
  if (letter == nullptr || *letter == '\0') {
    GTEST_SKIP() << "no labelled drive configured";
  }
  bool seen = false;
  for (const auto& v : windowsVolumes()) {
    if (v.name == std::string(1, *letter)) {
      seen = true;
      EXPECT_TRUE(v.removable);
      EXPECT_EQ(v.label, "UPDATE");
      EXPECT_FALSE(device::isUpdateDisk(v));
    }
  }
  EXPECT_TRUE(seen);
  EXPECT_FALSE(makeSystemVolumeProvider()->findUpdateDisk().disk.has_value());
}

class UpdateDiskFiles : public ::testing::Test {
 protected:
  testing::TempDir dir;
  fs::path root = dir.path() / fs::path(u8"ДИСК");
  std::unique_ptr<device::VolumeProvider> volumes = makeSystemVolumeProvider();
  device::UpdateDisk disk;

  void SetUp() override {
    fs::create_directories(root / fs::path(u8"Старое") / "inner");
    std::ofstream(root / fs::path(u8"Старое") / "inner" / "a.bin") << "a";
    std::ofstream(root / fs::path(u8"прошлое.LDR")) << "old";
    disk = {pathToUtf8(root), "U"};
  }
};

TEST_F(UpdateDiskFiles, ListsNamesInUtf8AndEmptiesTheDiskWhateverTheAttributes) {
  const fs::path hidden = root / fs::path(u8"прошлое.LDR");
  ASSERT_TRUE(SetFileAttributesW(
      hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));
  const auto entries = volumes->listRoot(disk);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "Старое");
  EXPECT_EQ(entries[1].name, "прошлое.LDR");
  EXPECT_EQ(pathFromUtf8(entries[1].path), hidden);

  const auto before = volumes->attributes(entries[1].path);
  ASSERT_TRUE(before.has_value());
  EXPECT_TRUE(before->hidden && before->readOnly && before->system);
  EXPECT_FALSE(before->directory);
  ASSERT_TRUE(volumes->clearAttributes(entries[1].path));
  const auto after = volumes->attributes(entries[1].path);
  EXPECT_FALSE(after->hidden);
  EXPECT_FALSE(after->readOnly);
  EXPECT_FALSE(after->system);
  // Wine marks every file for archiving whatever was asked; Windows clears the mark.
  if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr) {
    EXPECT_FALSE(after->archive);
  }
  EXPECT_TRUE(volumes->removeFile(entries[1].path));
  EXPECT_FALSE(fs::exists(hidden));

  EXPECT_TRUE(volumes->attributes(entries[0].path)->directory);
  EXPECT_TRUE(volumes->removeDirectory(entries[0].path));
  EXPECT_TRUE(volumes->listRoot(disk).empty());
  EXPECT_FALSE(volumes->attributes(entries[0].path).has_value());
  EXPECT_FALSE(volumes->removeFile(entries[1].path));
}

TEST_F(UpdateDiskFiles, TheFirmwareLandsWholeUnderItsCyrillicName) {
  const std::string target = volumes->targetPath(disk, "Прошивка 1.40.LDR");
  EXPECT_EQ(pathFromUtf8(target), root / fs::path(u8"Прошивка 1.40.LDR"));
  std::vector<std::uint8_t> bytes(200000);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = static_cast<std::uint8_t>(i * 7);
  }
  std::size_t written = 0;
  ASSERT_TRUE(volumes->writeFile(target, bytes, written));
  EXPECT_EQ(written, bytes.size());
  const std::string onDisk = testing::readWholeFile(pathFromUtf8(target));
  EXPECT_EQ(onDisk, std::string(bytes.begin(), bytes.end()));
  const auto space = volumes->diskSpace(disk);
  ASSERT_TRUE(space.has_value());
  EXPECT_GT(space->total, 0u);
  EXPECT_FALSE(volumes->writeFile(pathToUtf8(root / "no-such-folder" / "x.LDR"), bytes, written));
}

TEST(AtomicSave, ReplacesAFileWithACyrillicNameAndKeepsItWhenAnotherProgramHoldsIt) {
  testing::TempDir dir;
  const fs::path file = dir.path() / fs::path(u8"Настройка автомобиля.KST401");
  ASSERT_FALSE(config::writeFileAtomically(file, "first").has_value());
  ASSERT_FALSE(config::writeFileAtomically(file, "second").has_value());
  EXPECT_EQ(testing::readWholeFile(file), "second");

  // An editor that opened the file without letting others delete or rename it.
  HANDLE holder =
      CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const auto error = config::writeFileAtomically(file, "third");
  CloseHandle(holder);
  ASSERT_TRUE(error.has_value());
  // The message names the file in UTF-8, as the user typed it.
  EXPECT_EQ(error->describe().rfind(pathToUtf8(file), 0), 0u) << error->describe();
  EXPECT_EQ(testing::readWholeFile(file), "second");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path())) {
    ++files;
  }
  EXPECT_EQ(files, 1u) << "the replacement was left beside the file";
}

}  // namespace
}  // namespace kivprism::platform

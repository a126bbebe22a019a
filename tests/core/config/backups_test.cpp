// Backups of the controller's configuration: their names, what counts as one, and the rotation that
// keeps the newest and never touches anything else in the folder.
#include "core/config/backups.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "core/config/image_layout.hpp"
#include "support/process.hpp"

namespace kivprism::config {
namespace {

namespace fs = std::filesystem;

std::tm moment(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

// A clock that the test sets; every reading is the moment last set.
struct TestClock {
  std::tm now = moment(2026, 12, 9, 18, 15, 30);
  BackupFolder::Clock clock() {
    return [this] { return now; };
  }
  void advanceSeconds(int seconds) {
    now.tm_sec += seconds;
    // Normalises minutes, hours and days as the system clock would show them.
    std::tm copy = now;
    (void)std::mktime(&copy);
    now = moment(copy.tm_year + 1900, copy.tm_mon + 1, copy.tm_mday, copy.tm_hour, copy.tm_min,
                 copy.tm_sec);
  }
};

std::set<std::string> filesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

TEST(BackupNames, SayDateTimeAndSerialInCharactersEveryFileSystemTakes) {
  const BackupName name{moment(2026, 3, 7, 9, 5, 4), 12345678, 1};
  EXPECT_EQ(backupFileName(name), "backup_2026-03-07_09-05-04_sn12345678.KST401");
  BackupName again = name;
  again.sequence = 12;
  EXPECT_EQ(backupFileName(again), "backup_2026-03-07_09-05-04_sn12345678_12.KST401");
  EXPECT_EQ(backupFileName({moment(2026, 12, 31, 23, 59, 59), 0xFFFFFFFFu, 1}),
            "backup_2026-12-31_23-59-59_sn4294967295.KST401");
  for (const char c : backupFileName(again)) {
    EXPECT_EQ(std::string_view("<>:\"/\\|?* ").find(c), std::string_view::npos) << c;
  }
}

TEST(BackupNames, ReadBackWhatTheyWereWrittenWith) {
  for (const BackupName& name : {BackupName{moment(2026, 3, 7, 9, 5, 4), 12345678, 1},
                                 BackupName{moment(1999, 1, 1, 0, 0, 0), 0, 2},
                                 BackupName{moment(1900, 1, 1, 0, 0, 0), 1, 1},
                                 BackupName{moment(9999, 12, 31, 23, 59, 59), 1, 1},
                                 BackupName{moment(2031, 11, 30, 23, 59, 60), 4294967295u, 9999}}) {
    const std::string fileName = backupFileName(name);
    const auto parsed = parseBackupFileName(fileName);
    ASSERT_TRUE(parsed) << fileName;
    EXPECT_EQ(backupFileName(*parsed), fileName);
    EXPECT_EQ(parsed->serialNumber, name.serialNumber);
    EXPECT_EQ(parsed->sequence, name.sequence);
    EXPECT_EQ(parsed->moment.tm_year, name.moment.tm_year);
    EXPECT_EQ(parsed->moment.tm_mon, name.moment.tm_mon);
    EXPECT_EQ(parsed->moment.tm_mday, name.moment.tm_mday);
    EXPECT_EQ(parsed->moment.tm_hour, name.moment.tm_hour);
    EXPECT_EQ(parsed->moment.tm_min, name.moment.tm_min);
    EXPECT_EQ(parsed->moment.tm_sec, name.moment.tm_sec);
  }
}

TEST(BackupNames, AnyOtherNameIsNoBackup) {
  // Files an installer keeps beside the backups, and names that only look like one: none of them
  // may ever be removed by the rotation.
  for (const char* foreign : {
           "car.KST401",
           "backup.KST401",
           "backup_2026-03-07_09-05-04_sn12345678.kst401",
           "backup_2026-03-07_09-05-04_sn12345678.KST401.bak",
           "backup_2026-03-07_09-05-04_sn12345678.KST401.tmp4711",
           "Backup_2026-03-07_09-05-04_sn12345678.KST401",
           "my backup_2026-03-07_09-05-04_sn12345678.KST401",
           "backup_2026-03-07_09-05-04_sn.KST401",
           "backup_2026-03-07_09-05-04_sn012.KST401",
           "backup_2026-03-07_09-05-04_sn12_1.KST401",
           "backup_2026-03-07_09-05-04_sn12_02.KST401",
           "backup_2026-03-07_09-05-04_sn12_.KST401",
           "backup_2026-03-07_09-05-04_sn12_10000.KST401",
           "backup_2026-03-07_09-05-04_sn4294967296.KST401",
           "backup_2026-03-07_09-05-04_sn12a.KST401",
           "backup_2026-03-07_09-05-04_12.KST401",
           "backup_2026-13-07_09-05-04_sn12.KST401",
           "backup_2026-00-07_09-05-04_sn12.KST401",
           "backup_2026-03-32_09-05-04_sn12.KST401",
           "backup_2026-03-07_24-05-04_sn12.KST401",
           "backup_2026-03-07_09-60-04_sn12.KST401",
           "backup_2026-03-07_09-05-61_sn12.KST401",
           "backup_2026-03-07 09-05-04_sn12.KST401",
           "backup_2026_03-07_09-05-04_sn12.KST401",
           "backup_26-03-07_09-05-04_sn12.KST401",
           "backup_2026-03-07_09-05-04_sn12_2_3.KST401",
           "backup_1899-12-31_23-59-59_sn12.KST401",
           "backup_2026-0a-07_09-05-04_sn12.KST401",
           "backup_2026-03-07_09-05-+4_sn12.KST401",
           // ':' reads as digit 10: "1:" would pass for day 20.
           "backup_2026-03-1:_09-05-04_sn12.KST401",
       }) {
    EXPECT_FALSE(parseBackupFileName(foreign)) << foreign;
  }
}

TEST(BackupRotation, OrdersByTheMomentAndTheSequenceNotByTheName) {
  // By name alone, "_sn7_2" sorts before "_sn7" and "_10" before "_9".
  const std::vector<std::string> names = {
      "backup_2026-03-07_09-05-04_sn7_10.KST401",
      "backup_2026-03-07_09-05-04_sn7.KST401",
      "notes.txt",
      "backup_2026-03-07_09-05-04_sn7_9.KST401",
      "backup_2026-03-07_09-05-04_sn7_2.KST401",
      "backup_2025-12-31_23-59-59_sn99.KST401",
      "backup_2026-03-07_09-05-05_sn1.KST401",
  };
  EXPECT_EQ(
      backupsBeyond(names, 1),
      (std::vector<std::string>{
          "backup_2025-12-31_23-59-59_sn99.KST401", "backup_2026-03-07_09-05-04_sn7.KST401",
          "backup_2026-03-07_09-05-04_sn7_2.KST401", "backup_2026-03-07_09-05-04_sn7_9.KST401",
          "backup_2026-03-07_09-05-04_sn7_10.KST401"}));
  EXPECT_TRUE(backupsBeyond(names, 6).empty());
  EXPECT_TRUE(backupsBeyond(names, 60).empty());
  EXPECT_EQ(backupsBeyond(names, 5).size(), 1u);
}

class BackupFolderTest : public ::testing::Test {
 protected:
  ConfigImage image(std::uint32_t longPress) {
    ConfigImage i;
    i.set(layout::kLongPressTime, longPress);
    return i;
  }
  testing::TempDir dir;
  TestClock time;
};

TEST_F(BackupFolderTest, ABackupReadsBackAsTheImageItWasMadeFrom) {
  const BackupFolder folder(dir / "deep" / "backups", time.clock());
  const BackupResult result = folder.save(image(1234), 42);
  ASSERT_FALSE(result.error) << result.error->describe();
  EXPECT_EQ(result.path, dir / "deep" / "backups" / "backup_2026-12-09_18-15-30_sn42.KST401");
  ConfigImage read;
  ASSERT_FALSE(readConfigFile(result.path, read));
  EXPECT_EQ(read, image(1234));
}

TEST_F(BackupFolderTest, TwoBackupsInOneSecondAreBothKept) {
  const BackupFolder folder(dir.path(), time.clock());
  const fs::path first = folder.save(image(1), 42).path;
  const fs::path second = folder.save(image(2), 42).path;
  const fs::path third = folder.save(image(3), 42).path;
  EXPECT_EQ(first.filename(), "backup_2026-12-09_18-15-30_sn42.KST401");
  EXPECT_EQ(second.filename(), "backup_2026-12-09_18-15-30_sn42_2.KST401");
  EXPECT_EQ(third.filename(), "backup_2026-12-09_18-15-30_sn42_3.KST401");
  ConfigImage read;
  ASSERT_FALSE(readConfigFile(first, read));
  EXPECT_EQ(read, image(1));
  EXPECT_EQ(folder.backups(),
            (std::vector<std::string>{first.filename().string(), second.filename().string(),
                                      third.filename().string()}));
}

TEST_F(BackupFolderTest, KeepsExactlyTheNewestFiftyAndNothingElseIsTouched) {
  // What an installer may keep in the folder: own files, a folder named like a backup, a file
  // left by a save that broke off.
  const std::set<std::string> foreign = {"car.KST401", "notes.txt",
                                         "backup_2000-01-01_00-00-00_sn1.KST401.tmp123",
                                         "backup_2000-01-01_00-00-00_sn1.kst401"};
  for (const std::string& name : foreign) {
    std::ofstream(dir / name) << "kept";
  }
  fs::create_directory(dir / "backup_2000-01-01_00-00-01_sn1.KST401");
  const BackupFolder folder(dir.path(), time.clock());
  std::vector<std::string> made;
  for (std::uint32_t i = 0; i < 60; ++i) {
    const BackupResult result = folder.save(image(i), 7 + i % 3);
    ASSERT_FALSE(result.error);
    made.push_back(result.path.filename().string());
    // A minute and a half apart, so that days and hours roll over too.
    time.advanceSeconds(5400);
  }
  const std::vector<std::string> newest(made.end() - 50, made.end());
  EXPECT_EQ(folder.backups(), newest);
  std::set<std::string> expected(newest.begin(), newest.end());
  expected.insert(foreign.begin(), foreign.end());
  expected.insert("backup_2000-01-01_00-00-01_sn1.KST401");
  EXPECT_EQ(filesIn(dir.path()), expected);
  for (const std::string& name : foreign) {
    EXPECT_EQ(testing::readWholeFile(dir / name), "kept");
  }
  // The oldest kept one still holds what it was made from.
  ConfigImage read;
  ASSERT_FALSE(readConfigFile(dir / newest.front(), read));
  EXPECT_EQ(read, image(10));
}

TEST_F(BackupFolderTest, ABackupMadeWithTheClockSetBackIsKept) {
  const BackupFolder folder(dir.path(), time.clock(), 3);
  for (int i = 0; i < 3; ++i) {
    ASSERT_FALSE(folder.save(image(1), 5).error);
    time.advanceSeconds(60);
  }
  const std::vector<std::string> before = folder.backups();
  time.now = moment(2020, 1, 1, 0, 0, 0);
  const BackupResult result = folder.save(image(99), 5);
  ASSERT_FALSE(result.error);
  const std::vector<std::string> after = folder.backups();
  ASSERT_EQ(after.size(), 3u);
  EXPECT_EQ(after.front(), result.path.filename().string());
  // The oldest of the others made room.
  EXPECT_EQ(std::vector<std::string>(after.begin() + 1, after.end()),
            std::vector<std::string>(before.begin() + 1, before.end()));
}

TEST_F(BackupFolderTest, KeepingOneLeavesOnlyTheNewest) {
  const BackupFolder folder(dir.path(), time.clock(), 1);
  ASSERT_FALSE(folder.save(image(1), 5).error);
  time.advanceSeconds(1);
  const BackupResult newest = folder.save(image(2), 5);
  ASSERT_FALSE(newest.error);
  EXPECT_EQ(folder.backups(), std::vector<std::string>{newest.path.filename().string()});
  // Keeping none would remove the backup just made: one is always kept.
  const BackupFolder none(dir.path(), time.clock(), 0);
  time.advanceSeconds(1);
  const BackupResult kept = none.save(image(3), 5);
  EXPECT_EQ(none.backups(), std::vector<std::string>{kept.path.filename().string()});
}

TEST_F(BackupFolderTest, AFolderThatCannotBeMadeIsAnErrorAndWritesNothing) {
  std::ofstream(dir / "blocked") << "a file where the folder should be";
  const BackupFolder folder(dir / "blocked", time.clock());
  const BackupResult result = folder.save(image(1), 5);
  ASSERT_TRUE(result.error);
  EXPECT_TRUE(result.path.empty());
  EXPECT_FALSE(result.error->reason.empty());
  EXPECT_EQ(testing::readWholeFile(dir / "blocked"), "a file where the folder should be");
  EXPECT_EQ(filesIn(dir.path()), (std::set<std::string>{"blocked"}));
}

TEST_F(BackupFolderTest, AFolderWithoutWriteRightsIsAnError) {
  fs::create_directory(dir / "locked");
  fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  // An administrator (or a system without these rights) writes into it all the same.
  if (std::ofstream(dir / "locked" / "probe")) {
    fs::permissions(dir / "locked", fs::perms::owner_all);
    GTEST_SKIP() << "this user writes into a read-only folder";
  }
  const BackupFolder folder(dir / "locked", time.clock());
  const BackupResult result = folder.save(image(1), 5);
  fs::permissions(dir / "locked", fs::perms::owner_all);
  ASSERT_TRUE(result.error);
  EXPECT_TRUE(result.path.empty());
  EXPECT_TRUE(filesIn(dir / "locked").empty());
}

}  // namespace
}  // namespace kivprism::config

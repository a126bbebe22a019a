// `show --raw` names the event and reaction of every used entry, in the chosen language.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "apps/cli/cli_fixture.hpp"
#include "support/process.hpp"

namespace kivprism {
namespace {

using testing::runProcess;
using testing::TempDir;
using testing::writeWholeFile;

// An entry's hex text: the given leading bytes, then zeros up to 144 bytes.
std::string entryHex(const std::string& head) { return head + std::string(288 - head.size(), '0'); }

// Entry 3: named "Звук" (cp1251), key 5 on channel 0, long press; USB key reaction.
const std::string kEntry3 = entryHex(
    "C7E2F3EA000000000000000000000000"
    "01000500" +
    std::string(114, '0') + "030000" + "01070004");
// Entry 7: no name, a timeout with no reaction.
const std::string kEntry7 = entryHex(
    "00000000000000000000000000000000"
    "04000000");
// Entry 100: an event code the controller does not know, an IR code reaction.
const std::string kEntry100 =
    entryHex("4142" + std::string(28, '0') + "28" + std::string(126, '0') + "02012A3412");

const std::string kFile = "[PARAM]\nENC0MODE=1\n[EVENTS]\nEVRESP03=" + kEntry3 +
                          "\nEVRESP07=" + kEntry7 + "\nEVRESP100=" + kEntry100 + "\n";

class CliShowEntries : public ::testing::Test {
 protected:
  void SetUp() override {
    writeWholeFile(dir_ / "car.KST401", kFile);
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
      const char* value = std::getenv(name);
      saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
      ::unsetenv(name);
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
      } else {
        ::unsetenv(name.c_str());
      }
    }
  }
  testing::ProcessResult show(std::vector<std::string> extra = {}) {
    // The file holds only what the listing needs: a damaged file, shown all the same.
    std::vector<std::string> args{"show", (dir_ / "car.KST401").string(), "--force", "--raw"};
    args.insert(args.end(), extra.begin(), extra.end());
    return runProcess(kCli, args);
  }

  TempDir dir_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(CliShowEntries, ListsUsedEntriesAfterTheKeysInEnglish) {
  const auto result = show({"--lang", "en"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::string listing =
      "\nEntries:\n"
      "3 \"Звук\": Button -> USB key\n  " +
      kEntry3 +
      "\n"
      "7: Timeout -> Not set\n  " +
      kEntry7 +
      "\n"
      "100 \"AB\": ? (40) -> IR code\n  " +
      kEntry100 + "\n";
  ASSERT_GE(result.out.size(), listing.size());
  EXPECT_EQ(result.out.substr(result.out.size() - listing.size()), listing) << result.out;
  // The key lines come first and are unchanged.
  EXPECT_EQ(result.out.rfind("[TOUCH]\n", 0), 0u);
  EXPECT_LT(result.out.find("EVRESP100=" + kEntry100 + "\n"), result.out.find("\nEntries:"));
}

TEST_F(CliShowEntries, RussianByOptionOrByLocale) {
  const auto byOption = show({"--lang", "ru"});
  ASSERT_EQ(byOption.exitCode, 0) << byOption.err;
  EXPECT_NE(byOption.out.find("\nЗаписи:\n3 \"Звук\": Кнопка -> USB кнопка\n"), std::string::npos)
      << byOption.out;
  EXPECT_NE(byOption.out.find("7: Таймаут -> Не задана\n"), std::string::npos);

  ::setenv("LANG", "ru_RU.UTF-8", 1);
  EXPECT_NE(show().out.find("3 \"Звук\": Кнопка -> USB кнопка\n"), std::string::npos);
  // LC_ALL outranks LANG, and the option outranks both.
  ::setenv("LC_ALL", "C.UTF-8", 1);
  EXPECT_NE(show().out.find("3 \"Звук\": Button -> USB key\n"), std::string::npos);
  ::setenv("LC_ALL", "ru_RU.UTF-8", 1);
  EXPECT_NE(show({"--lang", "en"}).out.find("Button -> USB key"), std::string::npos);
}

TEST_F(CliShowEntries, WrongLanguageIsAUsageError) {
  EXPECT_EQ(show({"--lang", "de"}).exitCode, 2);
  EXPECT_EQ(show({"--lang"}).exitCode, 2);
}

TEST_F(CliShowEntries, NoListingWithoutUsedEntries) {
  writeWholeFile(dir_ / "empty.KST401", "[PARAM]\nENC0MODE=1\n");
  const auto result = runProcess(
      kCli, {"show", (dir_ / "empty.KST401").string(), "--force", "--raw", "--lang", "en"});
  ASSERT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out.find("Entries:"), std::string::npos);
}

}  // namespace
}  // namespace kivprism

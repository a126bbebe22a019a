// `diff` and `show` in words: exit codes as diff(1) has them, one line a difference, JSON that
// parses and keeps its field names, and clear refusals of what cannot be read.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "apps/cli/cli_fixture.hpp"
#include "core/config/config_file.hpp"
#include "core/config/image_layout.hpp"
#include "core/events/entry.hpp"
#include "sim/factory_defaults.hpp"
#include "support/process.hpp"

namespace kivprism {
namespace {

using testing::ProcessResult;
using testing::runProcess;
using testing::TempDir;
using testing::writeWholeFile;
namespace L = config::layout;

// A strict reader of JSON's grammar: whether the whole text is one JSON value.
class JsonChecker {
 public:
  explicit JsonChecker(std::string_view text) : text_(text) {}
  bool valid() {
    skip();
    if (!value()) {
      return false;
    }
    skip();
    return at_ == text_.size();
  }

 private:
  void skip() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) {
      ++at_;
    }
  }
  bool eat(char c) {
    skip();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool literal(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) {
      return false;
    }
    at_ += word.size();
    return true;
  }
  bool string() {
    if (!eat('"')) {
      return false;
    }
    while (at_ < text_.size()) {
      const auto c = static_cast<unsigned char>(text_[at_++]);
      if (c == '"') {
        return true;
      }
      if (c < 0x20) {
        return false;
      }
      if (c == '\\') {
        if (at_ >= text_.size()) {
          return false;
        }
        const char e = text_[at_++];
        if (e == 'u') {
          for (int i = 0; i < 4; ++i) {
            if (at_ >= text_.size() || !std::isxdigit(static_cast<unsigned char>(text_[at_++]))) {
              return false;
            }
          }
        } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
          return false;
        }
      }
    }
    return false;
  }
  bool number() {
    const std::size_t start = at_;
    if (at_ < text_.size() && text_[at_] == '-') {
      ++at_;
    }
    while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) {
      ++at_;
    }
    return at_ > start;
  }
  bool value() {
    skip();
    if (at_ >= text_.size()) {
      return false;
    }
    switch (text_[at_]) {
      case '{': {
        ++at_;
        if (eat('}')) {
          return true;
        }
        do {
          if (!string() || !eat(':') || !value()) {
            return false;
          }
        } while (eat(','));
        return eat('}');
      }
      case '[': {
        ++at_;
        if (eat(']')) {
          return true;
        }
        do {
          if (!value()) {
            return false;
          }
        } while (eat(','));
        return eat(']');
      }
      case '"':
        return string();
      case 't':
        return literal("true");
      case 'f':
        return literal("false");
      case 'n':
        return literal("null");
      default:
        return number();
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

bool isJson(const std::string& text) { return JsonChecker(text).valid(); }

std::size_t lineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class CliSummary : public ::testing::Test {
 protected:
  void SetUp() override {
    const config::ConfigImage factory = sim::factoryConfiguration();
    save("a.KST401", factory);
    config::ConfigImage changed = factory;
    changed.set(L::kCanParamBaud500k, 2);
    events::setEntryName(events::entryAt(changed, 2), "Quieter");
    save("b.KST401", changed);
    const auto* bytes = reinterpret_cast<const char*>(factory.data());
    writeWholeFile(dir_ / "a.bin", std::string(bytes, config::ConfigImage::kSize));
  }
  void save(const std::string& name, const config::ConfigImage& image) {
    ASSERT_FALSE(config::writeConfigFile(dir_ / name, image).has_value());
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  ProcessResult cli(std::vector<std::string> args) { return runProcess(kCli, args); }

  TempDir dir_;
};

TEST_F(CliSummary, DiffExitsZeroForEqualAndOneForDifferentConfigurations) {
  const auto same = cli({"diff", path("a.KST401"), path("a.bin"), "--lang", "en"});
  EXPECT_EQ(same.exitCode, 0) << same.err;
  EXPECT_TRUE(same.out.empty()) << same.out;

  const auto different = cli({"diff", path("a.KST401"), path("b.KST401"), "--lang", "en"});
  EXPECT_EQ(different.exitCode, 1) << different.err;
  EXPECT_EQ(different.out,
            "Rule 2 \"Quieter\": name: \"Volume down\" -> \"Quieter\"\n"
            "CANPARAM_BAUD500K (Bus speed): Not set -> 33 KBit/s\n");
  const auto russian = cli({"diff", path("a.KST401"), path("b.KST401"), "--lang=ru"});
  EXPECT_EQ(russian.exitCode, 1);
  EXPECT_NE(russian.out.find("Правило 2 \"Quieter\": имя: "), std::string::npos) << russian.out;
  EXPECT_NE(russian.out.find("CANPARAM_BAUD500K (Скорость шины): Не задана -> 33 KBit/s\n"),
            std::string::npos)
      << russian.out;
}

TEST_F(CliSummary, DiffJsonParsesAndNamesItsFields) {
  const auto result =
      cli({"diff", path("a.KST401"), path("b.KST401"), "--format", "json", "--lang", "en"});
  EXPECT_EQ(result.exitCode, 1) << result.err;
  EXPECT_TRUE(isJson(result.out)) << result.out;
  for (const std::string field :
       {"\"format\": \"kivprism-diff\"", "\"version\": 1", "\"equal\": false",
        "\"kind\": \"parameter\"", "\"key\": \"CANPARAM_BAUD500K\"", "\"kind\": \"rule\"",
        "\"entry\": 2", "\"field\": \"name\"", "\"before\": \"\\\"Volume down\\\"\"",
        "\"after\": \"33 KBit/s\""}) {
    EXPECT_NE(result.out.find(field), std::string::npos) << field << "\n" << result.out;
  }
  // Field names stay English; the words follow the language.
  const auto russian =
      cli({"diff", path("a.KST401"), path("b.KST401"), "--format", "json", "--lang", "ru"});
  EXPECT_TRUE(isJson(russian.out)) << russian.out;
  EXPECT_NE(russian.out.find("{\"field\": \"name\", \"fieldLabel\": \"имя\""), std::string::npos)
      << russian.out;
  EXPECT_NE(russian.out.find("\"label\": \"Скорость шины\""), std::string::npos);
  const auto equal = cli({"diff", path("a.bin"), path("a.KST401"), "--format=json"});
  EXPECT_EQ(equal.exitCode, 0);
  EXPECT_TRUE(isJson(equal.out)) << equal.out;
  EXPECT_NE(equal.out.find("\"equal\": true, \"differences\": []"), std::string::npos) << equal.out;
}

TEST_F(CliSummary, DiffAgainstTheSimulatedController) {
  const auto same = cli({"diff", "device", path("a.KST401"), "--simulator"});
  EXPECT_EQ(same.exitCode, 0) << same.err << same.out;
  const auto different = cli({"diff", path("b.KST401"), "device", "--simulator", "--lang", "en"});
  EXPECT_EQ(different.exitCode, 1) << different.err;
  EXPECT_EQ(lineCount(different.out), 2u) << different.out;
}

TEST_F(CliSummary, DiffErrorsExitTwoWithOneLine) {
  std::filesystem::create_directories(dir_ / "folder");
  writeWholeFile(dir_ / "short-state.bin", "too short");
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"diff", path("a.KST401"), path("missing.KST401")},
           {"diff", path("notes.txt"), path("a.KST401")},
           {"diff", "device", path("a.KST401"), "--simulator=" + path("folder")},
           {"diff", path("a.KST401"), "device", "--simulator=" + path("short-state.bin")},
       }) {
    const auto result = cli(args);
    EXPECT_EQ(result.exitCode, 2) << args[1] << " " << args[2];
    EXPECT_TRUE(result.out.empty()) << result.out;
    EXPECT_EQ(lineCount(result.err), 1u) << result.err;
    EXPECT_NE(result.err.find("kivprism-cli: "), std::string::npos) << result.err;
  }
  // A cut file is refused unless forced, as show refuses it.
  writeWholeFile(dir_ / "cut.KST401", "[PARAM]\nENC0MODE=1\n");
  EXPECT_EQ(cli({"diff", path("cut.KST401"), path("a.KST401")}).exitCode, 2);
  EXPECT_EQ(cli({"diff", path("cut.KST401"), path("a.KST401"), "--force"}).exitCode, 1);
}

TEST_F(CliSummary, DiffCommandLineMistakesExitTwo) {
  EXPECT_EQ(cli({"diff", path("a.KST401")}).exitCode, 2);
  EXPECT_EQ(cli({"diff", path("a.KST401"), path("a.KST401"), path("a.KST401")}).exitCode, 2);
  EXPECT_EQ(cli({"diff", path("a.KST401"), path("a.KST401"), "--format", "xml"}).exitCode, 2);
  EXPECT_EQ(cli({"diff", path("a.KST401"), path("a.KST401"), "--lang", "de"}).exitCode, 2);
  EXPECT_EQ(cli({"diff", path("a.KST401"), path("a.KST401"), "--lang"}).exitCode, 2);
  EXPECT_EQ(cli({"diff", path("a.KST401"), path("a.KST401"), "--frobnicate"}).exitCode, 2);
}

TEST_F(CliSummary, ShowPrintsTheUsedRulesInWordsWithTheirMarks) {
  const auto result = cli({"show", path("a.KST401"), "--lang", "en"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out.rfind("1 \"Volume up\": Button: VOL+; Short -> USB key: ", 0), 0u)
      << result.out;
  EXPECT_NE(result.out.find("\n3 \"IR mute\": IR code: NEC "), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("  ! The reaction cannot fire: the USB function "
                            "\"Keyboard Multimedia\" is off\n"),
            std::string::npos);
  EXPECT_EQ(result.out.find("\n4"), std::string::npos) << "unused rules are left out";
  EXPECT_EQ(result.out.find("[PARAM]"), std::string::npos);
  const auto russian = cli({"show", path("a.bin"), "--lang=ru"});
  EXPECT_EQ(russian.out.rfind("1 \"Volume up\": Кнопка: VOL+; Короткое -> USB кнопка: ", 0), 0u)
      << russian.out;
}

TEST_F(CliSummary, ShowJsonParsesAndKeepsItsSchema) {
  const auto result = cli({"show", path("a.KST401"), "--format", "json", "--lang", "en"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(isJson(result.out)) << result.out;
  for (const std::string field :
       {"\"format\": \"kivprism-show\"", "\"version\": 1", "\"language\": \"en\"", "\"rules\": [",
        "{\"number\": 1, \"name\": \"Volume up\", \"eventType\": 1, "
        "\"event\": \"Button: VOL+\", \"pressKind\": 1, \"press\": \"Short\", "
        "\"reactionType\": 1, \"reaction\": \"USB key: ",
        "\"troubles\": [{\"kind\": \"reaction-cannot-fire\", \"reason\": "}) {
    EXPECT_NE(result.out.find(field), std::string::npos) << field << "\n" << result.out;
  }
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 5) << "one line a rule";
  writeWholeFile(dir_ / "empty.bin", std::string(config::ConfigImage::kSize, '\0'));
  const auto empty = cli({"show", path("empty.bin"), "--format=json"});
  EXPECT_TRUE(isJson(empty.out)) << empty.out;
  EXPECT_NE(empty.out.find("\"rules\": []"), std::string::npos) << empty.out;
}

TEST_F(CliSummary, ShowRefusesDamagedFilesAndWrongOptions) {
  writeWholeFile(dir_ / "cut.KST401", "[PARAM]\nENC0MODE=1\n");
  const auto refused = cli({"show", path("cut.KST401"), "--format", "json"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_TRUE(refused.out.empty());
  EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
  EXPECT_EQ(cli({"show", path("cut.KST401"), "--force"}).exitCode, 0);
  EXPECT_EQ(cli({"show", path("a.KST401"), "--format", "xml"}).exitCode, 2);
  EXPECT_EQ(cli({"show", path("a.KST401"), "--raw", "--format", "json"}).exitCode, 2);
  EXPECT_EQ(cli({"show", path("a.KST401"), "--frobnicate"}).exitCode, 2);
}

TEST_F(CliSummary, HelpNamesDiffAndTheShowFormats) {
  const auto help = cli({"--help"});
  ASSERT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("diff A B"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("--format text|json"), std::string::npos);
  EXPECT_NE(help.out.find("--raw"), std::string::npos);
}

}  // namespace
}  // namespace kivprism

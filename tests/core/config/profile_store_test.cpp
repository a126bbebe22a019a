#include "core/config/profile_store.hpp"

#include <gtest/gtest.h>

namespace kivprism::config {
namespace {

// A file as another tool or a hand editor leaves it: LF line ends, odd spacing, comments,
// mixed case, a repeated section and a repeated key.
constexpr std::string_view kHandMade =
    "; made by hand\n"
    "[ Param ]\n"
    "  enc0mode =  3 \n"
    "ENC0MODE=7\n"
    "\n"
    "[OTHER]\n"
    "Note=keep me\n"
    "\n"
    "[param]\n"
    "ENC1MODE=5\n";

TEST(ProfileStore, LookupIgnoresCaseAndBlanksAndTakesTheFirstMatch) {
  const auto store = ProfileStore::parse(kHandMade);
  EXPECT_EQ(store.get("PARAM", "ENC0MODE"), "3");
  EXPECT_EQ(store.get("other", "NOTE"), "keep me");
  EXPECT_EQ(store.get("PARAM", "ENC1MODE"), std::nullopt) << "only the first PARAM section counts";
  EXPECT_EQ(store.get("NOPE", "X", "def"), "def");
  EXPECT_EQ(store.get("PARAM", "; made by hand"), std::nullopt);
}

TEST(ProfileStore, WritingChangesOnlyWhatItMust) {
  auto store = ProfileStore::parse(kHandMade);
  store.set("PARAM", "ENC0MODE", "4");
  store.set("PARAM", "ENC0DIV", "2");
  store.set("NEW", "K", "v");
  EXPECT_EQ(store.serialize(),
            "; made by hand\r\n"
            "[ Param ]\r\n"
            "enc0mode=4\r\n"
            "ENC0MODE=7\r\n"
            "ENC0DIV=2\r\n"
            "\r\n"
            "[OTHER]\r\n"
            "Note=keep me\r\n"
            "\r\n"
            "[param]\r\n"
            "ENC1MODE=5\r\n"
            "[NEW]\r\n"
            "K=v\r\n");
}

TEST(ProfileStore, TheWritersHeaderCommentIsReplacedOnEachSaveAndLeavesTheRestAlone) {
  // A store made in memory (no text read yet) and one read from a file that starts with a section.
  ProfileStore fresh;
  fresh.set("MainSettings", "Lang", "1");
  fresh.setHeaderComment("kivprism 0.1.0");
  EXPECT_EQ(fresh.serialize(), "; kivprism 0.1.0\r\n[MainSettings]\r\nLang=1\r\n");

  auto store = ProfileStore::parse(kHandMade);
  store.setHeaderComment("kivprism 0.1.0");
  store.setHeaderComment("kivprism 0.2.0 (git abc)");
  store = ProfileStore::parse(store.serialize());
  store.setHeaderComment("kivprism 0.3.0\r\n(git abc)");
  const std::string text = store.serialize();
  EXPECT_TRUE(text.starts_with("; kivprism 0.3.0(git abc)\r\n; made by hand\r\n[ Param ]\r\n"))
      << text;
  EXPECT_EQ(text.find("0.1.0"), std::string::npos) << "an older writer's line is not stacked";
  EXPECT_EQ(text.find("0.2.0"), std::string::npos);
  EXPECT_EQ(ProfileStore::parse(text).get("PARAM", "ENC0MODE"), "3");
  EXPECT_EQ(ProfileStore::parse(text).get("OTHER", "NOTE"), "keep me");

  // A first line that merely starts with the same letters is somebody else's comment.
  auto other = ProfileStore::parse("; kivprismatic notes\r\n[A]\r\nk=1\r\n");
  other.setHeaderComment("kivprism 0.1.0");
  EXPECT_EQ(other.serialize(), "; kivprism 0.1.0\r\n; kivprismatic notes\r\n[A]\r\nk=1\r\n");
  other.setHeaderComment("");
  EXPECT_TRUE(other.serialize().starts_with("; kivprism 0.1.0\r\n"));
}

TEST(ProfileStore, CrLfAndTextBytesPassThrough) {
  const std::string text = "[SOURCE]\r\nNAME1=\xCF\xF0\xE8\r\n";
  auto store = ProfileStore::parse(text);
  EXPECT_EQ(store.get("SOURCE", "NAME1"), "\xCF\xF0\xE8");
  EXPECT_EQ(store.serialize(), text);
  EXPECT_EQ(ProfileStore::parse("").serialize(), "");
  EXPECT_EQ(ProfileStore::parse("[A]\nk=1").get("A", "k"), "1") << "no final line end";
}

TEST(ProfileStore, AUtf8ByteOrderMarkDoesNotHideTheFirstSection) {
  const auto store = ProfileStore::parse("\xEF\xBB\xBF[TOUCH]\r\nTOUCH=0102\r\n[PARAM]\r\nA=1\r\n");
  EXPECT_EQ(store.get("TOUCH", "TOUCH"), "0102");
  EXPECT_EQ(store.get("PARAM", "A"), "1");
  EXPECT_EQ(store.serialize().rfind("[TOUCH]\r\n", 0), 0u) << "the mark is not written back";
  // Marks repeated at the start all go, so what is written reads back as written.
  const auto twice = ProfileStore::parse("\xEF\xBB\xBF\xEF\xBB\xBF[A]\nk=1\n");
  EXPECT_EQ(twice.get("A", "k"), "1");
  EXPECT_EQ(twice.serialize(), "[A]\r\nk=1\r\n");
  // Only a whole mark at the very start is one.
  EXPECT_EQ(ProfileStore::parse("\xEF\xBB[A]\nk=1\n").get("A", "k"), std::nullopt);
}

TEST(ProfileStore, ALineBreakInAValueCannotStartALineOfItsOwn) {
  ProfileStore store;
  store.set("SOURCE", "NAME1", "A\n[x]");
  store.set("SOURCE", "NAME2", "B\r\nNAME3=evil");
  store.set("SOURCE", "NAME3", "C");
  store.set("SOURCE", "NAME2", "D\rE");  // replacing in place strips them as well
  EXPECT_EQ(store.serialize(), "[SOURCE]\r\nNAME1=A[x]\r\nNAME2=DE\r\nNAME3=C\r\n");
  const auto back = ProfileStore::parse(store.serialize());
  EXPECT_EQ(back.get("SOURCE", "NAME3"), "C");
}

TEST(ProfileStore, AQuotedValueReadsAsTheWindowsProfileRoutinesReadIt) {
  const auto store = ProfileStore::parse(
      "[SOURCE]\r\n"
      "NAME1=\"FM 1\"\r\n"
      "NAME2 =  '  AUX ' \r\n"
      "NAME3=\"a\"b\"\r\n"
      "NAME4=\"\"\r\n"
      "NAME5=\"\"x\"\"\r\n"
      "ONE=\"\r\n"
      "OPEN=\"x\r\n"
      "CLOSE=x'\r\n"
      "MIXED=\"abc'\r\n"
      "MIXED2='abc\"\r\n"
      "INSIDE=a \"b\" c\r\n");
  // One matching pair around the whole value goes, and with it the protection of the blanks.
  EXPECT_EQ(store.get("SOURCE", "NAME1"), "FM 1");
  EXPECT_EQ(store.get("SOURCE", "NAME2"), "  AUX ");
  EXPECT_EQ(store.get("SOURCE", "NAME3"), "a\"b");
  EXPECT_EQ(store.get("SOURCE", "NAME4"), "");
  EXPECT_EQ(store.get("SOURCE", "NAME5"), "\"x\"") << "only one pair";
  // A lone quote, an unmatched or mismatched pair, and quotes inside stay as they are.
  EXPECT_EQ(store.get("SOURCE", "ONE"), "\"");
  EXPECT_EQ(store.get("SOURCE", "OPEN"), "\"x");
  EXPECT_EQ(store.get("SOURCE", "CLOSE"), "x'");
  EXPECT_EQ(store.get("SOURCE", "MIXED"), "\"abc'");
  EXPECT_EQ(store.get("SOURCE", "MIXED2"), "'abc\"");
  EXPECT_EQ(store.get("SOURCE", "INSIDE"), "a \"b\" c");
}

TEST(ProfileStore, AValueThatReadingWouldChangeIsWrittenInQuotes) {
  ProfileStore store;
  store.set("S", "PLAIN", "FM 1");
  store.set("S", "BLANKS", " AM ");
  store.set("S", "QUOTED", "\"CD\"");
  store.set("S", "SINGLE", "'x'");
  store.set("S", "EMPTY", "");
  store.set("S", "LONE", "\"");
  EXPECT_EQ(store.serialize(),
            "[S]\r\nPLAIN=FM 1\r\nBLANKS=\" AM \"\r\nQUOTED=\"\"CD\"\"\r\nSINGLE=\"'x'\"\r\n"
            "EMPTY=\r\nLONE=\"\r\n");
  const auto back = ProfileStore::parse(store.serialize());
  for (const char* key : {"PLAIN", "BLANKS", "QUOTED", "SINGLE", "EMPTY", "LONE"}) {
    EXPECT_EQ(back.get("S", key), store.get("S", key)) << key;
  }
  EXPECT_EQ(back.get("S", "BLANKS"), " AM ");
  EXPECT_EQ(back.get("S", "QUOTED"), "\"CD\"");
}

TEST(ProfileStore, ALoneCarriageReturnEndsALine) {
  // Otherwise the value would hold a line break that writing it back drops.
  const auto store = ProfileStore::parse("[A]\rk=1\rj=2\r\n\r\nl=3\n");
  EXPECT_EQ(store.get("A", "k"), "1");
  EXPECT_EQ(store.get("A", "j"), "2");
  EXPECT_EQ(store.get("A", "l"), "3");
  EXPECT_EQ(store.serialize(), "[A]\r\nk=1\r\nj=2\r\n\r\nl=3\r\n");
}

}  // namespace
}  // namespace kivprism::config

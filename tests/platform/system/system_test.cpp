// The operating-system services below the command-line tool: local time, interrupts held during a
// file replacement, the terminal test, and on Windows the UTF-16 conversions.
#include "platform/system.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include "support/process.hpp"

#if defined(_WIN32)
#include <windows.h>

#include "platform/wide_text.hpp"
#endif

namespace kivprism::platform {
namespace {

TEST(LocalTime, BreaksDownTheMomentInTheLocalZone) {
  // mktime takes local time: a broken-down time that is not the local one (UTC in a zone with an
  // offset, or an empty one) does not come back to the same moment.
  for (const std::time_t moment :
       {std::time_t{0} + 86400 * 365, std::time_t{1700000000}, std::time(nullptr)}) {
    std::tm local = localTime(moment);
    EXPECT_GE(local.tm_year, 70);
    EXPECT_EQ(std::mktime(&local), moment);
  }
  const std::tm a = localTime(1700000000);
  const std::tm b = localTime(1700000000 + 61);
  EXPECT_EQ((b.tm_min - a.tm_min + 60) % 60, 1);
}

TEST(Terminal, AFileIsNoTerminal) {
  testing::TempDir dir;
  std::FILE* file = std::fopen((dir / "out.txt").string().c_str(), "w");
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(isTerminal(file));
  std::fclose(file);
}

#if defined(_WIN32)

TEST(WideText, CyrillicAndLettersBeyondTheBasicPlaneSurviveTheRoundTrip) {
  const std::string utf8 = "Прошивка 😀 F401.LDR";
  const std::wstring wide = widen(utf8);
  EXPECT_EQ(wide.substr(0, 8), L"\u041f\u0440\u043e\u0448\u0438\u0432\u043a\u0430");
  // The emoji is one surrogate pair.
  EXPECT_EQ(wide.size(), 8u + 1 + 2 + 9);
  EXPECT_EQ(narrow(wide), utf8);
  EXPECT_EQ(widen(""), L"");
  EXPECT_EQ(narrow(L""), "");
  // A lone surrogate cannot be UTF-8; it becomes the replacement character, not a cut string.
  const std::wstring broken{L'A', wchar_t(0xD800), L'B'};
  EXPECT_EQ(narrow(broken),
            "A\xEF\xBF\xBD"
            "B");
}

TEST(Interrupts, CtrlCSetsTheFlagInsteadOfEndingTheProgram) {
  catchInterrupts();
  if (!GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) {
    GTEST_SKIP() << "no console to send Ctrl+C to";
  }
  for (int i = 0; i < 200 && !interruptRequested(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(interruptRequested());
}

#else

TEST(Interrupts, AnInterruptDuringAHeldStretchArrivesAfterIt) {
  catchInterrupts();
  {
    const HeldInterrupts held;
    std::raise(SIGINT);
    EXPECT_FALSE(interruptRequested());
  }
  EXPECT_TRUE(interruptRequested());
}

TEST(Arguments, AreTheOnesAfterTheProgramName) {
  char program[] = "kivprism-cli";
  char first[] = "convert";
  char second[] = "Настройка.KST401";
  char* argv[] = {program, first, second, nullptr};
  EXPECT_EQ(utf8Arguments(3, argv), (std::vector<std::string>{"convert", "Настройка.KST401"}));
  EXPECT_TRUE(utf8Arguments(1, argv).empty());
}

#endif

}  // namespace
}  // namespace kivprism::platform

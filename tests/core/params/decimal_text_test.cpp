// Voltages read and shown the same whatever the C locale of the process: a Qt program takes the
// user's locale, and a Russian one writes "5,00" where the program and its files expect "5.00".
#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>
#include <variant>

#include "core/params/entry_value.hpp"

namespace kivprism::params {
namespace {

// Switches to an installed locale whose decimal separator is a comma; back to "C" afterwards.
class CommaLocale {
 public:
  CommaLocale() {
    for (const char* name : {"ru_RU.UTF-8", "ru_RU.utf8", "ru_RU", "de_DE.UTF-8", "de_DE.utf8",
                             "fr_FR.UTF-8", "fr_FR.utf8", "uk_UA.UTF-8", "es_ES.UTF-8"}) {
      if (std::setlocale(LC_ALL, name) != nullptr &&
          std::string(std::localeconv()->decimal_point) == ",") {
        name_ = name;
        return;
      }
    }
    std::setlocale(LC_ALL, "C");
  }
  ~CommaLocale() { std::setlocale(LC_ALL, "C"); }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;
  const std::optional<std::string>& name() const { return name_; }

 private:
  std::optional<std::string> name_;
};

std::optional<std::uint16_t> value(const std::variant<std::uint16_t, Notice>& result) {
  if (const auto* v = std::get_if<std::uint16_t>(&result)) {
    return *v;
  }
  return std::nullopt;
}

void expectPointTexts() {
  EXPECT_EQ(hundredthsText(0), "0.00");
  EXPECT_EQ(hundredthsText(5), "0.05");
  EXPECT_EQ(hundredthsText(475), "4.75");
  EXPECT_EQ(hundredthsText(500), "5.00");
  EXPECT_EQ(hundredthsText(501), "5.00") << "above 5 V is shown as 5 V";
  EXPECT_EQ(hundredthsText(65535), "5.00");
  EXPECT_EQ(millivoltsText(0), "0.000");
  EXPECT_EQ(millivoltsText(7), "0.007");
  EXPECT_EQ(millivoltsText(1050), "1.050");
  EXPECT_EQ(millivoltsText(12345), "12.345");
  EXPECT_EQ(millivoltsText(16000), "16.000");
  EXPECT_EQ(millivoltsText(65535), "65.535");
}

void expectBothSeparatorsRead() {
  EXPECT_EQ(value(hundredthsFromText("4.75")), 475);
  EXPECT_EQ(value(hundredthsFromText("4,75")), 475);
  EXPECT_EQ(value(hundredthsFromText(",5")), 50);
  EXPECT_EQ(value(millivoltsFromText("12,345")), 12345);
  EXPECT_EQ(value(millivoltsFromText("12.345")), 12345);
  EXPECT_EQ(value(hundredthsFromText("4,7,5")), std::nullopt);
  // Every shown value reads back as itself.
  for (std::uint32_t v = 0; v <= 500; ++v) {
    ASSERT_EQ(value(hundredthsFromText(hundredthsText(v))), v);
  }
  for (std::uint32_t v = 0; v <= 16000; v += 7) {
    ASSERT_EQ(value(millivoltsFromText(millivoltsText(v))), v);
  }
}

TEST(DecimalText, VoltagesUseAPointUnderTheCLocale) {
  std::setlocale(LC_ALL, "C");
  expectPointTexts();
  expectBothSeparatorsRead();
}

TEST(DecimalText, VoltagesUseAPointUnderALocaleWithADecimalComma) {
  const CommaLocale locale;
  if (!locale.name()) {
    GTEST_SKIP() << "no locale with a decimal comma is installed";
  }
  expectPointTexts();
  expectBothSeparatorsRead();
}

}  // namespace
}  // namespace kivprism::params

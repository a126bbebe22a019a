#include "core/config/config_file.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>

#include "core/config/text_codec.hpp"

namespace kivprism::config {
namespace {

namespace L = layout;
namespace fs = std::filesystem;

ConfigImage load(std::string_view text) {
  ConfigImage image;
  image.bytes()[L::kParamBlock.offset + 600] = 0xAA;  // must be cleared by the load
  loadImage(ProfileStore::parse(text), image);
  return image;
}

ConfigImage randomImage(unsigned seed) {
  std::mt19937 rng(seed);
  ConfigImage image;
  for (auto& b : image.bytes()) {
    b = static_cast<std::uint8_t>(rng());
  }
  // Source names are text in the file: printable cp1251, NUL-padded after a random length.
  for (std::size_t s = 1; s <= L::kSourceCount; ++s) {
    std::string name;
    for (std::size_t n = rng() % 6; n > 0; --n) {
      const auto c = rng() % 2 == 0 ? 0x21 + rng() % 0x5E : 0xC0 + rng() % 0x40;  // ASCII or А..я
      name.push_back(static_cast<char>(c));
    }
    setFieldText(image.span(L::sourceName(s)), name);
  }
  return image;
}

// Parameter-block offsets the file carries no key for, listed independently of the writer.
std::set<std::size_t> notStoredParamOffsets() {
  std::set<std::size_t> offsets;
  const std::pair<std::size_t, std::size_t> ranges[] = {
      {563, 567}, {583, 583}, {594, 599}, {610, 610}, {617, 618}, {650, 653},
      {660, 669}, {677, 679}, {725, 725}, {751, 760}, {762, 768}, {774, 778}};
  for (auto [first, last] : ranges) {
    for (std::size_t o = first; o <= last; ++o) {
      offsets.insert(o);
    }
  }
  return offsets;
}

TEST(ProfileInteger, DecimalOrHexWholeValuesOnly) {
  EXPECT_EQ(parseProfileInteger("12"), 12u);
  EXPECT_EQ(parseProfileInteger(" 12 "), 12u);
  EXPECT_EQ(parseProfileInteger("0x1F"), 0x1Fu);
  EXPECT_EQ(parseProfileInteger("0Xff"), 0xFFu);
  EXPECT_EQ(parseProfileInteger("-1"), 0xFFFFFFFFu);
  EXPECT_EQ(parseProfileInteger("4294967297"), 1u) << "low 32 bits kept";
  for (std::string_view bad : {"", "12abc", "0x", "0xG", "abc", "-", "1 2"}) {
    EXPECT_EQ(parseProfileInteger(bad), std::nullopt) << bad;
  }
}

TEST(ConfigFileRead, MissingKeysGiveTheLoadDefaults) {
  const ConfigImage image = load("");
  ConfigImage expected;
  expected.set(L::kTouchMode, 1);
  expected.set(L::kIebusVolPreDiv, 1);
  expected.set(L::kHwrMaxTo, 1000);
  EXPECT_EQ(image, expected);
}

TEST(ConfigFileRead, ValuesKeepTheirLowBitsAndBadNumbersGiveDefaults) {
  const ConfigImage image = load(
      "[PARAM]\nENC0MODE=258\nTOUCH_MODE=abc\nHWRMAXTO=0x10064\nIEBUS_MODEBITS=-2\n"
      "PULSE_MSACTIVE= 0x0100 \n");
  EXPECT_EQ(image.get(L::kEnc0Mode), 2u);
  EXPECT_EQ(image.get(L::kTouchMode), 1u);
  EXPECT_EQ(image.get(L::kHwrMaxTo), 100u);
  EXPECT_EQ(image.get(L::kIebusModeBits), 0xFFFFFFFEu);
  EXPECT_EQ(image.get(L::kPulseMsActive), 256u);
}

TEST(ConfigFileRead, BlockKeysDecideOverTheSingleKeysTheyCover) {
  const ConfigImage without = load("[PARAM]\nANA_VOUT1=250\nSERIAL_CH2=1\nVOLVO_ALPS_UART1=1\n");
  EXPECT_EQ(without.get(L::kAnaVout1), 0u);
  EXPECT_EQ(without.get(L::kSerialCh2), 0u);
  EXPECT_EQ(without.get(L::kVolvoAlpsUart1), 0u);

  const ConfigImage with =
      load("[PARAM]\nANA_VOUT1=250\nVOLVO_ALPS_UART1=0\nANAPARAM=2C01\nINTERFACE=01020301\n");
  EXPECT_EQ(with.get(L::kAnaVout1), 300u);
  EXPECT_EQ(with.get(L::kVolvoAlpsUart1), 1u);
  EXPECT_EQ(with.get(L::kLin2Mode), 3u);
}

TEST(ConfigFileRead, TheTwoLinKeysShareOneByte) {
  const ConfigImage image =
      load("[PARAM]\nLINPARAM_SWAP_VOLDN_OK=3\nLINPARAM_TEMP_RELAY_PIN=0x2F\n");
  EXPECT_EQ(image.getBits(L::kLinSwapVolDnOk), 1u);
  EXPECT_EQ(image.getBits(L::kLinTempRelayPin), 15u);
  EXPECT_EQ(image.get(L::kLinFlags), 0x1Fu);
}

TEST(ConfigFileRead, ShortEntryTextClearsTheRestAndNamesTakeFiveCharacters) {
  const std::string hundredBytes(200, '7');
  ConfigImage image;
  image.entry(6)[143] = 0x99;
  loadImage(ProfileStore::parse("[EVENTS]\nEVRESP07=" + hundredBytes +
                                "\n[SOURCE]\nuse_name=1\nNAME3=ABCDEFG\n"),
            image);
  EXPECT_EQ(image.entry(6)[0], 0x77);
  EXPECT_EQ(image.entry(6)[99], 0x77);
  EXPECT_EQ(image.entry(6)[100], 0x00);
  EXPECT_EQ(image.entry(6)[143], 0x00);
  EXPECT_EQ(image.get(L::kUseName), 1u);
  const auto name = image.span(L::sourceName(3));
  EXPECT_EQ(std::string(name.begin(), name.end()), "ABCDE");

  ProfileStore written;
  saveImage(image, written);
  EXPECT_EQ(written.get("SOURCE", "NAME3"), "ABCDE");
  EXPECT_EQ(written.get("SOURCE", "NAME4"), "");
}

TEST(ConfigFileRoundTrip, KeepsEveryStoredByteAndZeroesExactlyTheOthers) {
  for (unsigned seed = 1; seed <= 5; ++seed) {
    const ConfigImage original = randomImage(seed);
    ProfileStore profile;
    saveImage(original, profile);
    const ConfigImage back = load(profile.serialize());
    const auto notStored = notStoredParamOffsets();
    for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
      std::uint8_t expected = original.bytes()[i];
      if (i >= L::kParamBlock.offset) {
        const std::size_t o = i - L::kParamBlock.offset;
        if (notStored.count(o) != 0) {
          expected = 0;
        }
        if (i == L::kLinFlags.offset) {
          expected &= 0x3F;  // LIN version and the spare bit are not kept
        }
      }
      ASSERT_EQ(back.bytes()[i], expected) << "image offset " << i << " seed " << seed;
    }
  }
}

TEST(ConfigFileWrite, SignedValuesAndOrder) {
  ConfigImage image;
  image.set(L::kIebusModeBits, 0x80000001u);
  image.set(L::kHwrMaxTo, 65535);
  ProfileStore profile;
  saveImage(image, profile);
  EXPECT_EQ(profile.get("PARAM", "IEBUS_MODEBITS"), "-2147483647");
  EXPECT_EQ(profile.get("PARAM", "HWRMAXTO"), "65535");
  const std::string text = profile.serialize();
  EXPECT_LT(text.find("RENAULT_JOY_TYPE="), text.find("KEY="));
  EXPECT_LT(text.find("INTERFACE="), text.find("PID_SUPPORT="));
  EXPECT_LT(text.find("[KEYSCH4]"), text.find("[EVENTS]"));
  // Written last, but into the existing PARAM section, as the profile routines do.
  EXPECT_LT(text.find("HWRMAXTO="), text.find("PWMPARAM="));
  EXPECT_LT(text.find("PWMPARAM="), text.find("[KEYSCH1]"));
}

// For the tests of partial files: load whatever the file lacks.
const AcceptDamage kLoadAnyway = [](const FileDamage&) { return true; };

class ConfigFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kivprism-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  static std::string slurp(const fs::path& p) {
    std::string s;
    EXPECT_FALSE(readFileBytes(p, s).has_value());
    return s;
  }
  fs::path dir_;
};

TEST_F(ConfigFileOnDisk, GoldenFileIsWrittenByteForByte) {
  ConfigImage image;
  const auto touch = image.span(L::kTouchBlock);
  for (std::size_t i = 0; i < touch.size(); ++i) {
    touch[i] = static_cast<std::uint8_t>(0x11 * i);
  }
  image.set(L::kTouchMode, 4);
  image.set(L::kIebusModeBits, 0x80000003u);
  image.set(L::kLongPressTime, 1000);
  image.set(L::kAnaVout1, 330);
  image.set(L::pinMode(L::Pin::X62), 7);
  image.set(L::kVolvoAlpsUart1, 1);
  image.setBits(L::kLinTempRelayPin, 9);
  image.setBits(L::kLinSwapVolDnOk, 1);
  image.set(L::kHwrMaxTo, 1000);
  image.set(L::keyLevel(0, 0), 0x123);
  setFieldText(image.span(L::keyLabel(0, 0)), "VOL+");
  image.entry(0)[0] = 'A';
  image.entry(99)[143] = 0xFE;
  image.set(L::kUseName, 1);
  setFieldText(image.span(L::sourceName(1)), utf8ToCp1251("Радио"));
  image.set(L::kPwmPeriod, 20000);
  const fs::path out = dir_ / "golden.KST401";
  ASSERT_FALSE(writeConfigFile(out, image).has_value());
  const std::string written = slurp(out);
  const fs::path goldenPath = fs::path(KIVPRISM_TEST_DATA_DIR) / "golden.KST401";
  if (std::getenv("KIVPRISM_UPDATE_GOLDEN") != nullptr) {
    ASSERT_FALSE(writeFileAtomically(goldenPath, written).has_value());
  }
  const std::string golden = slurp(goldenPath);
  const auto diverge = std::mismatch(written.begin(), written.end(), golden.begin(), golden.end());
  EXPECT_TRUE(written == golden) << "first difference at byte " << (diverge.first - written.begin())
                                 << ": "
                                 << written.substr(
                                        static_cast<std::size_t>(diverge.first - written.begin()),
                                        40);

  ConfigImage back;
  ASSERT_FALSE(readConfigFile(out, back).has_value());
  EXPECT_EQ(back, image);
}

TEST_F(ConfigFileOnDisk, SavingOverAnOlderFileKeepsItsOtherSectionsAndKeys) {
  const fs::path file = dir_ / "car.kst401";
  std::ofstream(file, std::ios::binary) << "[INFO]\r\nCar=Camry\r\n[PARAM]\r\nMYKEY=1\r\n"
                                           "ENC0MODE=5\r\n";
  ConfigImage image;
  image.set(L::kEnc0Mode, 2);
  ASSERT_FALSE(writeConfigFile(file, image).has_value());
  const auto profile = ProfileStore::parse(slurp(file));
  EXPECT_EQ(profile.get("INFO", "Car"), "Camry");
  EXPECT_EQ(profile.get("PARAM", "MYKEY"), "1");
  EXPECT_EQ(profile.get("PARAM", "ENC0MODE"), "2");
  const std::string text = slurp(file);
  EXPECT_EQ(text.find("ENC0MODE"), text.rfind("ENC0MODE")) << "replaced in place, not added";
  for (const auto& entry : fs::directory_iterator(dir_)) {
    EXPECT_EQ(entry.path().filename(), "car.kst401") << "no temporary file left behind";
  }
}

TEST_F(ConfigFileOnDisk, FailuresNameTheFileAndLeaveTheImageAndTheTargetAlone) {
  ConfigImage image;
  image.set(L::kEnc0Mode, 3);
  const auto missing = readConfigFile(dir_ / "nope.KST401", image);
  ASSERT_TRUE(missing.has_value());
  EXPECT_NE(missing->describe().find("nope.KST401"), std::string::npos);
  EXPECT_FALSE(missing->reason.empty());
  EXPECT_EQ(image.get(L::kEnc0Mode), 3u) << "a failed open changes nothing";

  EXPECT_TRUE(writeConfigFile(dir_ / "no-such-dir" / "x.KST401", image).has_value());
  const fs::path asDirectory = dir_ / "folder.KST401";
  fs::create_directories(asDirectory);
  EXPECT_TRUE(writeConfigFile(asDirectory, image).has_value());
  EXPECT_TRUE(writeFileAtomically(asDirectory, "[PARAM]\r\n").has_value());
  EXPECT_TRUE(fs::is_directory(asDirectory));
  for (const auto& entry : fs::directory_iterator(dir_)) {
    EXPECT_EQ(entry.path().filename(), "folder.KST401") << "no temporary file left behind";
  }
}

TEST_F(ConfigFileOnDisk, AFileWithoutAnyConfigurationKeyIsRefusedAndChangesNothing) {
  ConfigImage image;
  image.set(L::kEnc0Mode, 3);
  image.entry(4)[0] = 0x55;
  const ConfigImage before = image;
  std::string binary;
  for (int i = 0; i < 4096; ++i) {
    binary.push_back(static_cast<char>((i * 37) & 0xFF));
  }
  const struct {
    std::string name;
    std::string content;
  } cases[] = {
      {"empty.KST401", ""},
      {"notes.KST401", "Shopping list\r\nmilk = 2\r\n"},
      {"other.KST401", "[MainSettings]\r\nLang=1\r\n[PARAM]\r\nNOT_A_KEY=1\r\n"},
      {"headers.KST401", "[TOUCH]\r\n[PARAM]\r\n[EVENTS]\r\n"},
      {"picture.KST401", binary},
  };
  for (const auto& c : cases) {
    std::ofstream(dir_ / c.name, std::ios::binary) << c.content;
    const auto error = readConfigFile(dir_ / c.name, image);
    ASSERT_TRUE(error.has_value()) << c.name;
    EXPECT_EQ(error->kind, FileError::Kind::NotConfiguration) << c.name;
    EXPECT_NE(error->describe().find(c.name), std::string::npos) << error->describe();
    EXPECT_EQ(image, before) << c.name;
  }
}

TEST_F(ConfigFileOnDisk, AnyOneKeyMakesADamagedConfigurationAndTheRestGetLoadDefaults) {
  const struct {
    std::string text;
    Field field;
    std::uint32_t value;
  } cases[] = {
      {"[touch]\nTOUCH=01\n", L::kHwrMaxTo, 1000},
      {"[PARAM]\nhwrmaxto=700\n", L::kHwrMaxTo, 700},
      {"[PARAM]\nPWMPARAM=\n", L::kTouchMode, 1},
      {"[KEYSCH4]\nKEY15=\n", L::kIebusVolPreDiv, 1},
      {"[EVENTS]\nEVRESP100=\n", L::kTouchMode, 1},
      {"[SOURCE]\nNAME8=\n", L::kHwrMaxTo, 1000},
      {"[SOURCE]\nUSE_NAME=1\n", L::kUseName, 1},
      {"[PARAM]\nENC0MODE=4\n", L::kEnc0Mode, 4},
      {"[PARAM]\nINTERFACE=000000\n", L::kHwrMaxTo, 1000},
      {"[KEYSCH1]\nKEY01=\n", L::kTouchMode, 1},
      {"[EVENTS]\nEVRESP01=\n", L::kTouchMode, 1},
      {"[SOURCE]\nNAME1=\n", L::kTouchMode, 1},
  };
  for (const auto& c : cases) {
    std::ofstream(dir_ / "one.KST401", std::ios::binary | std::ios::trunc) << c.text;
    ConfigImage image;
    image.set(L::kEnc0Mode, 3);
    const ConfigImage before = image;
    const auto refused = readConfigFile(dir_ / "one.KST401", image);
    ASSERT_TRUE(refused.has_value()) << c.text;
    EXPECT_EQ(refused->kind, FileError::Kind::Damaged) << c.text;
    EXPECT_EQ(image, before) << c.text;
    ASSERT_FALSE(readConfigFile(dir_ / "one.KST401", image, kLoadAnyway).has_value()) << c.text;
    EXPECT_EQ(image.get(c.field), c.value) << c.text;
    if (c.field.offset != L::kEnc0Mode.offset) {
      EXPECT_EQ(image.get(L::kEnc0Mode), 0u) << c.text;
    }
  }
  // Keys next to the real ones, or in the wrong section, are not configuration keys.
  for (const std::string text : {"[KEYSCH5]\nKEY01=00\n", "[KEYSCH1]\nKEY16=00\nKEY00=00\n",
                                 "[EVENTS]\nEVRESP101=00\n", "[SOURCE]\nNAME9=A\nNAME0=B\n",
                                 "[EVENTS]\nTOUCH=00\nENC0MODE=1\n", "[PARAM]\nTOUCH=00\n"}) {
    std::ofstream(dir_ / "near.KST401", std::ios::binary | std::ios::trunc) << text;
    ConfigImage image;
    const auto error = readConfigFile(dir_ / "near.KST401", image);
    ASSERT_TRUE(error.has_value()) << text;
    EXPECT_EQ(error->kind, FileError::Kind::NotConfiguration) << text;
  }
}

TEST_F(ConfigFileOnDisk, AFileFarLargerThanAnyConfigurationIsRefusedBeforeItIsRead) {
  const fs::path big = dir_ / "big.KST401";
  {
    std::ofstream out(big, std::ios::binary);
    out << "[PARAM]\r\nENC0MODE=2\r\n";
  }
  fs::resize_file(big, kConfigFileSizeLimit + 1);
  ConfigImage image;
  image.set(L::kEnc0Mode, 3);
  auto error = readConfigFile(big, image);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->kind, FileError::Kind::TooLarge);
  EXPECT_NE(error->describe().find("big.KST401"), std::string::npos);
  EXPECT_EQ(image.get(L::kEnc0Mode), 3u);

  // The limit itself is allowed.
  std::ofstream(dir_ / "hundred.bin", std::ios::binary) << std::string(100, 'x');
  std::string hundred;
  EXPECT_FALSE(readFileBytes(dir_ / "hundred.bin", hundred, 100).has_value());
  EXPECT_EQ(hundred.size(), 100u);
  EXPECT_TRUE(readFileBytes(dir_ / "hundred.bin", hundred, 99).has_value());
  EXPECT_EQ(hundred.size(), 100u) << "a refused read leaves the text alone";

  // A file whose size the system does not tell is cut off at the limit, not read without end.
  if (fs::exists("/dev/zero")) {
    std::string out;
    error = readFileBytes("/dev/zero", out, 1000);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->kind, FileError::Kind::TooLarge);
    EXPECT_TRUE(out.empty());
  }
  // The largest real configuration stays far below the limit.
  ConfigImage full;
  for (auto& b : full.bytes()) {
    b = 0xAB;
  }
  ProfileStore profile;
  saveImage(full, profile);
  EXPECT_LT(profile.serialize().size() * 10, kConfigFileSizeLimit);
}

TEST_F(ConfigFileOnDisk, AReadErrorOfTheDiskIsAnErrorNotAnException) {
  // Reading the process's own memory at address 0 fails with EIO, as a failing stick does.
  const fs::path failing = "/proc/self/mem";
#if defined(_WIN32)
  // Under Wine the Linux /proc shows through drive Z: with other errors; Windows has none.
  GTEST_SKIP() << "no /proc on Windows";
#endif
  if (!fs::exists(failing)) {
    GTEST_SKIP() << "no /proc on this system";
  }
  ConfigImage image;
  image.set(L::kEnc0Mode, 3);
  std::optional<FileError> error;
  EXPECT_NO_THROW(error = readConfigFile(failing, image));
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->kind, FileError::Kind::System);
  EXPECT_EQ(error->reason, std::strerror(EIO));
  EXPECT_EQ(image.get(L::kEnc0Mode), 3u);

  fs::create_directories(dir_ / "folder.KST401");
  EXPECT_NO_THROW(error = readConfigFile(dir_ / "folder.KST401", image));
  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->describe().find("folder.KST401"), std::string::npos);
  EXPECT_EQ(error->reason, std::strerror(EISDIR));
}

TEST_F(ConfigFileOnDisk, AByteOrderMarkKeepsTheTouchSection) {
  const fs::path file = dir_ / "utf8.KST401";
  std::ofstream(file, std::ios::binary) << "\xEF\xBB\xBF[TOUCH]\r\nTOUCH=0A0B\r\n[PARAM]\r\n"
                                           "ENC0MODE=2\r\n";
  ConfigImage image;
  ASSERT_FALSE(readConfigFile(file, image, kLoadAnyway).has_value());
  EXPECT_EQ(image.span(L::kTouchBlock)[0], 0x0A);
  EXPECT_EQ(image.span(L::kTouchBlock)[1], 0x0B);
  EXPECT_EQ(image.get(L::kEnc0Mode), 2u);
}

TEST_F(ConfigFileOnDisk, SavingKeepsTheModeAndWritesThroughASymbolicLink) {
#if defined(_WIN32)
  GTEST_SKIP() << "permission bits and symbolic links of this kind are POSIX matters";
#endif
  ConfigImage image;
  image.set(L::kEnc0Mode, 2);
  const fs::path real = dir_ / "cars" / "camry.KST401";
  fs::create_directories(real.parent_path());
  std::ofstream(real, std::ios::binary) << "[INFO]\r\nCar=Camry\r\n";
  const auto privateMode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(real, privateMode);
  // A relative link in another folder, and a link to that link.
  fs::create_symlink(fs::path("cars") / "camry.KST401", dir_ / "current.KST401");
  fs::create_symlink("current.KST401", dir_ / "latest.KST401");

  ASSERT_FALSE(writeConfigFile(dir_ / "latest.KST401", image).has_value());
  EXPECT_TRUE(fs::is_symlink(dir_ / "latest.KST401"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "current.KST401"));
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, privateMode);
  const auto profile = ProfileStore::parse(slurp(real));
  EXPECT_EQ(profile.get("INFO", "Car"), "Camry");
  EXPECT_EQ(profile.get("PARAM", "ENC0MODE"), "2");
  for (const auto& entry : fs::directory_iterator(real.parent_path())) {
    EXPECT_EQ(entry.path().filename(), "camry.KST401") << "no temporary file left behind";
  }

  // A link to a file that does not exist yet creates that file.
  fs::create_symlink(fs::path("cars") / "new.KST401", dir_ / "fresh.KST401");
  ASSERT_FALSE(writeConfigFile(dir_ / "fresh.KST401", image).has_value());
  EXPECT_TRUE(fs::is_symlink(dir_ / "fresh.KST401"));
  EXPECT_TRUE(fs::is_regular_file(dir_ / "cars" / "new.KST401"));

  // A loop of links is an error, not a hang.
  fs::create_symlink("loop2.KST401", dir_ / "loop1.KST401");
  fs::create_symlink("loop1.KST401", dir_ / "loop2.KST401");
  EXPECT_TRUE(writeConfigFile(dir_ / "loop1.KST401", image).has_value());
}

TEST_F(ConfigFileOnDisk, ALineBreakInASourceNameLosesNoLaterName) {
  ConfigImage image;
  image.span(L::sourceName(1))[0] = 'A';
  image.span(L::sourceName(1))[1] = '\n';
  image.span(L::sourceName(1))[2] = '[';
  image.span(L::sourceName(1))[3] = 'x';
  image.span(L::sourceName(1))[4] = ']';
  setFieldText(image.span(L::sourceName(2)), "FM\r");
  setFieldText(image.span(L::sourceName(5)), "USB");
  const fs::path file = dir_ / "names.KST401";
  ASSERT_FALSE(writeConfigFile(file, image).has_value());
  ConfigImage back;
  ASSERT_FALSE(readConfigFile(file, back).has_value());
  EXPECT_EQ(fieldText(back.span(L::sourceName(1))), "A[x]");
  EXPECT_EQ(fieldText(back.span(L::sourceName(2))), "FM");
  EXPECT_EQ(fieldText(back.span(L::sourceName(5))), "USB");
}

TEST_F(ConfigFileOnDisk, SourceNamesWithBlanksOrQuotesComeBackAsTheyWere) {
  ConfigImage image;
  setFieldText(image.span(L::sourceName(1)), " FM ");
  setFieldText(image.span(L::sourceName(2)), "\"CD\"");
  setFieldText(image.span(L::sourceName(3)), "'");
  const fs::path file = dir_ / "quoted.KST401";
  ASSERT_FALSE(writeConfigFile(file, image).has_value());
  ConfigImage back;
  ASSERT_FALSE(readConfigFile(file, back).has_value());
  EXPECT_EQ(fieldText(back.span(L::sourceName(1))), " FM ");
  EXPECT_EQ(fieldText(back.span(L::sourceName(2))), "\"CD\"");
  EXPECT_EQ(fieldText(back.span(L::sourceName(3))), "'");
}

// A saved file cut short, as a copy that stopped early or a truncated download leaves it.
class DamagedConfigFile : public ConfigFileOnDisk {
 protected:
  void SetUp() override {
    ConfigFileOnDisk::SetUp();
    good_ = randomImage(5);
    ASSERT_FALSE(writeConfigFile(dir_ / "good.KST401", good_).has_value());
    text_ = slurp(dir_ / "good.KST401");
  }
  // Writes the text to a file and reads it over an image of its own.
  std::optional<FileError> read(std::string_view text, ConfigImage& image,
                                const AcceptDamage& accept = {}) {
    std::ofstream(dir_ / "cut.KST401", std::ios::binary | std::ios::trunc) << text;
    return readConfigFile(dir_ / "cut.KST401", image, accept);
  }
  std::string upTo(std::string_view marker) const { return text_.substr(0, text_.find(marker)); }
  ConfigImage good_;
  std::string text_;
};

TEST_F(DamagedConfigFile, AWholeFileIsNotDamaged) {
  const ProfileStore profile = ProfileStore::parse(text_);
  EXPECT_FALSE(findDamage(text_, profile).damaged());
  ConfigImage image;
  bool asked = false;
  ASSERT_FALSE(read(text_, image, [&asked](const FileDamage&) { return asked = true; }));
  EXPECT_FALSE(asked);
  EXPECT_TRUE(std::equal(image.bytes().begin() + L::entry(0).offset,
                         image.bytes().begin() + L::entry(99).end(),
                         good_.bytes().begin() + L::entry(0).offset));
}

TEST_F(DamagedConfigFile, TheFirst3000BytesAreRefusedAndTheImageStays) {
  ConfigImage image = randomImage(9);
  const ConfigImage before = image;
  const auto error = read(text_.substr(0, 3000), image);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->kind, FileError::Kind::Damaged);
  EXPECT_EQ(image, before);
  EXPECT_EQ(error->damage.missingSections,
            (std::vector<std::string>{"KEYSCH3", "KEYSCH4", "EVENTS", "SOURCE"}));
  EXPECT_NE(error->describe().find("cut.KST401"), std::string::npos);
  EXPECT_NE(error->describe().find("EVENTS"), std::string::npos) << error->describe();
}

TEST_F(DamagedConfigFile, TheCallerIsAskedOnceAndDecides) {
  const std::string cut = upTo("[EVENTS]");
  std::vector<FileDamage> asked;
  ConfigImage image = randomImage(9);
  const ConfigImage before = image;
  const auto no = read(cut, image, [&asked](const FileDamage& d) {
    asked.push_back(d);
    return false;
  });
  ASSERT_TRUE(no.has_value());
  EXPECT_EQ(no->kind, FileError::Kind::Damaged);
  EXPECT_EQ(image, before) << "No keeps everything as it was";
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].missingSections, (std::vector<std::string>{"EVENTS", "SOURCE"}));
  EXPECT_EQ(asked[0].cutSection, "");

  ASSERT_FALSE(read(cut, image, kLoadAnyway).has_value());
  EXPECT_EQ(image.get(L::kEnc0Mode), good_.get(L::kEnc0Mode));
  EXPECT_TRUE(std::all_of(image.bytes().begin() + L::entry(0).offset,
                          image.bytes().begin() + L::entry(99).end(),
                          [](std::uint8_t b) { return b == 0; }))
      << "what the file lacks reads as its load default";
}

TEST_F(DamagedConfigFile, ATextThatStopsInsideASectionIsCut) {
  const struct {
    std::string text;
    std::vector<std::string> missing;
    std::string cut;
  } cases[] = {
      // At a line end inside the events: the last entries and the names are gone.
      {upTo("EVRESP57="), {"SOURCE"}, "EVENTS"},
      // Inside the value of the last entry.
      {upTo("[SOURCE]").substr(0, upTo("[SOURCE]").size() - 40), {"SOURCE"}, "EVENTS"},
      // Inside the hex value of the parameters' last block.
      {upTo("[KEYSCH1]").substr(0, upTo("PWMPARAM=").size() + 20),
       {"KEYSCH1", "KEYSCH2", "KEYSCH3", "KEYSCH4", "EVENTS", "SOURCE"},
       "PARAM"},
      // Inside the last key entry of a channel.
      {upTo("[KEYSCH3]").substr(0, upTo("[KEYSCH3]").size() - 5),
       {"KEYSCH3", "KEYSCH4", "EVENTS", "SOURCE"},
       "KEYSCH2"},
      // At the line end before the names: the events are whole, the names' header is missing.
      {upTo("[SOURCE]"), {"SOURCE"}, ""},
  };
  for (const auto& c : cases) {
    ConfigImage image;
    const auto error = read(c.text, image);
    ASSERT_TRUE(error.has_value()) << c.cut;
    EXPECT_EQ(error->damage.missingSections, c.missing) << c.cut;
    EXPECT_EQ(error->damage.cutSection, c.cut) << c.text.substr(c.text.size() - 30);
  }
}

TEST_F(DamagedConfigFile, OlderFilesWithoutNewerKeysAndHandEditedFilesAreWhole) {
  // An older file: no PWM block and a parameter or two fewer, sections in lower case, the names
  // section without its last names and without a line end at the very end.
  std::string older = text_;
  const auto pwm = older.find("PWMPARAM=");
  older.erase(pwm, older.find("\r\n", pwm) + 2 - pwm);
  const auto hwr = older.find("HWRMAXTO=");
  older.erase(hwr, older.find("\r\n", hwr) + 2 - hwr);
  older.replace(older.find("[EVENTS]"), 8, "[events]");
  older = older.substr(0, older.find("NAME7="));
  older += "NAME7=abc";
  ConfigImage image;
  EXPECT_FALSE(read(older, image).has_value())
      << findDamage(older, ProfileStore::parse(older)).describe();
  EXPECT_EQ(image.get(L::kHwrMaxTo), 1000u);
  // A section of the user's own after the configuration's changes nothing.
  EXPECT_FALSE(read(text_ + "[Notes]\r\nCar=Camry", image).has_value());
}

TEST(FileDamageText, NamesEverySectionAndWhereTheFileStops) {
  FileDamage d;
  EXPECT_EQ(d.describe(), "");
  d.missingSections = {"SOURCE"};
  EXPECT_EQ(d.describe(), "the section SOURCE is missing");
  d.missingSections = {"EVENTS", "SOURCE"};
  d.cutSection = "KEYSCH4";
  EXPECT_EQ(d.describe(),
            "the sections EVENTS, SOURCE are missing; the file ends inside section KEYSCH4");
  d.missingSections.clear();
  EXPECT_EQ(d.describe(), "the file ends inside section KEYSCH4");
  EXPECT_TRUE(d.damaged());
}

}  // namespace
}  // namespace kivprism::config

// The Win32 HID port as far as it runs without a controller attached: the enumeration, a path that
// is gone, and the two refusals (another program holds the controller, the system refuses this
// user), each with its own result so that the user is told what to do.
#include "platform/hid_port_windows.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/config/utf8_path.hpp"
#include "support/process.hpp"

namespace kivprism::platform {
namespace {

using device::HidResult;

TEST(WindowsHidPort, EnumerationSucceedsAndFindsNoControllerHere) {
  WindowsHidPort port;
  std::vector<device::HidDeviceInfo> found{{"stale", 1, 2, std::nullopt, std::nullopt}};
  EXPECT_EQ(port.enumerate(0xFFFF, 0x45, found), HidResult::Ok);
  EXPECT_TRUE(found.empty());
}

TEST(WindowsHidPort, ClosedPortRefusesReportsAndAGonePathIsPlatformError) {
  WindowsHidPort port;
  device::Report report{};
  report[0] = 1;
  EXPECT_EQ(port.getFeature(report), HidResult::PlatformError);
  EXPECT_EQ(port.setFeature(report), HidResult::PlatformError);
  EXPECT_EQ(
      port.open(
          R"(\\?\hid#vid_ffff&pid_0045#kivprism-no-such-device#{4d1e55b2-f16f-11cf-88cb-001111000030})"),
      HidResult::PlatformError);
  EXPECT_FALSE(port.isOpen());
  port.close();
}

class WindowsHidPortRefusal : public ::testing::Test {
 protected:
  testing::TempDir dir;
  // A Cyrillic name: the path reaches CreateFileW whole, not through the ANSI code page.
  std::filesystem::path node = dir.path() / std::filesystem::path(u8"контроллер.hid");
  void SetUp() override { std::ofstream(node) << "x"; }
};

TEST_F(WindowsHidPortRefusal, AControllerHeldWithoutSharingIsInUse) {
  HANDLE holder = CreateFileW(node.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  WindowsHidPort port;
  EXPECT_EQ(port.open(config::pathToUtf8(node)), HidResult::InUse);
  EXPECT_FALSE(port.isOpen());
  CloseHandle(holder);
  // Once the other program lets go, the same path opens.
  EXPECT_EQ(port.open(config::pathToUtf8(node)), HidResult::Ok);
  EXPECT_TRUE(port.isOpen());
  // A file is no HID interface: the feature calls fail instead of hanging or succeeding.
  device::Report report{};
  report[0] = 1;
  EXPECT_NE(port.getFeature(report), HidResult::Ok);
  EXPECT_NE(port.setFeature(report), HidResult::Ok);
  port.close();
  EXPECT_FALSE(port.isOpen());
}

TEST_F(WindowsHidPortRefusal, AnInterfaceTheSystemWillNotOpenForWritingIsAccessDenied) {
  // A folder cannot be opened as a device: the system answers "access denied", as it does for an
  // interface that is not this user's.
  const std::filesystem::path folder = dir.path() / std::filesystem::path(u8"папка");
  std::filesystem::create_directories(folder);
  WindowsHidPort port;
  EXPECT_EQ(port.open(config::pathToUtf8(folder)), HidResult::AccessDenied);
  EXPECT_FALSE(port.isOpen());
}

}  // namespace
}  // namespace kivprism::platform

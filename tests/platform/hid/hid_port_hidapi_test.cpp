// The hidapi port, as far as it runs without a controller attached.
#include "platform/hid_port_hidapi.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#ifdef __linux__
#include <unistd.h>
#endif

namespace kivprism::platform {
namespace {

using device::HidResult;

TEST(HidapiPort, EnumerationSucceedsAndFindsNoControllerHere) {
  HidapiPort port;
  std::vector<device::HidDeviceInfo> found{{"stale", 1, 2, std::nullopt, std::nullopt}};
  EXPECT_EQ(port.enumerate(0xFFFF, 0x45, found), HidResult::Ok);
  EXPECT_TRUE(found.empty());
}

TEST(HidapiPort, NamesTheLoadedLibraryWithItsVersion) {
  const std::string version = HidapiPort().libraryVersion();
  ASSERT_TRUE(version.starts_with("hidapi ")) << version;
  EXPECT_GE(version.size(), std::string("hidapi 0.0.0").size()) << version;
  EXPECT_EQ(version.find_first_not_of("0123456789.", 7), std::string::npos) << version;
}

TEST(HidapiPort, ClosedPortRefusesReportsAndAMissingPathDoesNotOpen) {
  HidapiPort port;
  device::Report report{};
  report[0] = 1;
  EXPECT_EQ(port.getFeature(report), HidResult::PlatformError);
  EXPECT_EQ(port.setFeature(report), HidResult::PlatformError);
  EXPECT_EQ(port.open("/dev/kivprism-no-such-hidraw"), HidResult::PlatformError);
  EXPECT_FALSE(port.isOpen());
  port.close();
}

#ifdef __linux__
TEST(HidapiPort, ANodeTheUserMayNotOpenIsAccessDenied) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "root may open any node";
  }
  const auto node = std::filesystem::temp_directory_path() / "kivprism-locked-hidraw";
  std::ofstream(node) << "";
  std::filesystem::permissions(node, std::filesystem::perms::none);
  HidapiPort port;
  EXPECT_EQ(port.open(node.string()), HidResult::AccessDenied);
  EXPECT_FALSE(port.isOpen());
  std::filesystem::remove(node);
}
#endif

}  // namespace
}  // namespace kivprism::platform

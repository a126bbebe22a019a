// The device status: the small signed integer every device operation returns, 0 meaning success,
// and the one table that turns it into a text for the user.
#pragma once

#include <optional>
#include <string>

#include "core/lang/text.hpp"

namespace kivprism::device {

using DeviceStatus = int;

namespace status {
inline constexpr DeviceStatus kOk = 0;
inline constexpr DeviceStatus kHidLibraryMissing = 1;
inline constexpr DeviceStatus kHidFunctionMissing = 2;
inline constexpr DeviceStatus kGetFeatureFailed = 3;
inline constexpr DeviceStatus kSetFeatureFailed = 4;
inline constexpr DeviceStatus kProductStringFailed = 5;
inline constexpr DeviceStatus kManufacturerStringFailed = 6;
inline constexpr DeviceStatus kRangeEndedEarly = 7;
inline constexpr DeviceStatus kWriteNotAcknowledged = 8;
inline constexpr DeviceStatus kAnswerMismatch = 9;
inline constexpr DeviceStatus kBadAnswer = 10;  // LEN above 64 or a wrong checksum
inline constexpr DeviceStatus kBadReportId = 11;
inline constexpr DeviceStatus kDisconnected = 12;
inline constexpr DeviceStatus kTimeout = 13;
// The controller is there but the system refused to open it (on Linux: the udev rule is missing).
inline constexpr DeviceStatus kAccessDenied = 14;
// The controller is there but another program holds it (on Windows: a second copy of the program
// or another configuration tool).
inline constexpr DeviceStatus kDeviceInUse = 15;
inline constexpr DeviceStatus kBadParameters = -254;
inline constexpr DeviceStatus kFailedResult = -253;
}  // namespace status

// The text pair of a known status; nothing for any other value.
std::optional<lang::TextPair> statusTextPair(DeviceStatus status);
// The status text in the given or the current language; unknown values get "Unknown error USB: %d".
std::string statusText(DeviceStatus status, lang::Language language);
std::string statusText(DeviceStatus status);

}  // namespace kivprism::device

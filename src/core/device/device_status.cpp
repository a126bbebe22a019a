#include "core/device/device_status.hpp"

#include <array>
#include <utility>

namespace kivprism::device {

namespace {

constexpr lang::TextPair kNoErrors{"Нет ошибок", "No errors"};
constexpr lang::TextPair kCommunicationFailed{"Ошибка обмена данными с контроллером",
                                              "Failed to communicate with the controller"};
constexpr lang::TextPair kUnknownError{"Неизвестная ошибка USB: %d", "Unknown error USB: %d"};

constexpr std::array<std::pair<DeviceStatus, lang::TextPair>, 18> kStatusTexts{{
    {status::kOk, kNoErrors},
    {status::kHidLibraryMissing,
     {"Ошибка загрузки драйвера HID.DLL", "Error loading driver HID.DLL"}},
    {status::kHidFunctionMissing,
     {"Отсутствует функция в драйвере HID.DLL", "There is no function in the driver HID.DLL"}},
    {status::kGetFeatureFailed, kCommunicationFailed},
    {status::kSetFeatureFailed, kCommunicationFailed},
    {status::kProductStringFailed, kCommunicationFailed},
    {status::kManufacturerStringFailed, kCommunicationFailed},
    {status::kRangeEndedEarly, kCommunicationFailed},
    {status::kWriteNotAcknowledged, kCommunicationFailed},
    {status::kAnswerMismatch, kCommunicationFailed},
    {status::kBadAnswer, kCommunicationFailed},
    {status::kBadReportId, kCommunicationFailed},
    {status::kDisconnected, {"Контроллер отключен", "Controller is disconnected"}},
    {status::kTimeout, {"Вышел таймаут ожидания ответа", "Out of the timeout response"}},
    {status::kAccessDenied,
     {"Нет доступа к контроллеру: система отказала в открытии устройства. Установите правило "
      "udev packaging/linux/70-kivprism.rules (см. README)",
      "Access to the controller was refused by the system. Install the udev rule "
      "packaging/linux/70-kivprism.rules (see README)"}},
    {status::kDeviceInUse,
     {"Контроллер занят другой программой. Закройте её (например, вторую копию kivprism или "
      "другую программу настройки) и повторите",
      "The controller is in use by another program. Close it (for example another copy of "
      "kivprism or another configuration tool) and try again"}},
    {status::kBadParameters, {"Ошибка в параметрах", "Error in parameters"}},
    {status::kFailedResult, {"Ошибка результата", "Failed result"}},
}};

}  // namespace

std::optional<lang::TextPair> statusTextPair(DeviceStatus status) {
  for (const auto& [value, text] : kStatusTexts) {
    if (value == status) {
      return text;
    }
  }
  return std::nullopt;
}

std::string statusText(DeviceStatus status, lang::Language language) {
  if (const auto pair = statusTextPair(status)) {
    return std::string(pair->in(language));
  }
  return lang::formatText(kUnknownError.in(language), status);
}

std::string statusText(DeviceStatus status) { return statusText(status, lang::currentLanguage()); }

}  // namespace kivprism::device

#include "core/device/commands.hpp"

#include "core/config/config_file.hpp"
#include "core/config/utf8_path.hpp"
#include "core/lang/backup_texts.hpp"
#include "core/lang/text.hpp"

namespace kivprism::device {

namespace {

using lang::formatText;
using lang::TextPair;
using lang::translateText;

constexpr std::uint32_t kNoticeMs = 2500;
constexpr std::uint32_t kNoticeBlinkMs = 250;

constexpr TextPair kConfigRead{"Конфигурация прочитана", "The configuration is read"};
constexpr TextPair kConfigWritten{"Конфигурация записана", "The configuration is written"};
constexpr TextPair kAskWriteDevice{"Вы действительно хотите\nзаписать данные в контроллер?",
                                   "Are you sure you want to write\ndata to the controller?"};
constexpr TextPair kWriteConfigFailed{"Ошибка записи конфигурации\n%s",
                                      "Error writing configuration\n%s"};
constexpr TextPair kToDefaultFailed{
    "Ошибка сброса конфигурации устройства в состояние по умолчанию\n%s",
    "Failed to reset the device configuration in its default state\n%s"};
constexpr TextPair kResetFailed{"Ошибка сброса устройства\n%s", "Failed to reset the device\n%s"};
constexpr TextPair kFileReadFailed{"Ошибка чтения файла\n%s", "Error reading the file\n%s"};
constexpr TextPair kDamagedSections{"Нет разделов: %s", "Missing sections: %s"};
constexpr TextPair kDamagedCut{"Файл обрывается внутри раздела %s",
                               "The file ends inside section %s"};
constexpr TextPair kAskLoadDamaged{
    "Файл конфигурации повреждён:\n%s\n\nЗагрузить его? Всё, чего в нём нет, получит значения "
    "по умолчанию.",
    "The configuration file is damaged:\n%s\n\nLoad it anyway? Whatever it lacks gets its "
    "default value."};
constexpr TextPair kFileWriteFailed{"Ошибка записи файла\n%s", "Error writing the file\n%s"};
constexpr TextPair kCloseNotOnController{
    "Не отправлено в контроллер изменений: %u.\nСохранить конфигурацию в файл перед закрытием?",
    "Changes not yet on the controller: %u.\nSave the configuration to a file before closing?"};
constexpr TextPair kCloseOnlyHere{
    "Контроллер отключен, а изменений нет ни в контроллере, ни в файле.\n"
    "Сохранить конфигурацию в файл перед закрытием?",
    "The controller is disconnected and the changes are neither on it nor in a file.\n"
    "Save the configuration to a file before closing?"};

std::string damageText(const config::FileDamage& damage) {
  std::string text;
  if (!damage.missingSections.empty()) {
    std::string names;
    for (const std::string& name : damage.missingSections) {
      names += (names.empty() ? "" : ", ") + name;
    }
    text = formatText(translateText(kDamagedSections), names.c_str());
  }
  if (!damage.cutSection.empty()) {
    text += (text.empty() ? "" : "\n") +
            formatText(translateText(kDamagedCut), damage.cutSection.c_str());
  }
  return text;
}

}  // namespace

void ToolbarCommands::beginUserCommand() {
  link_.setUserCommand(true);
  link_.host().updateToolbar(true);
}

void ToolbarCommands::endUserCommand() {
  link_.host().updateToolbar(false);
  link_.setUserCommand(false);
}

void ToolbarCommands::showError(std::string_view text) {
  shell::PollPause pause(link_);
  link_.host().showError(text);
}

void ToolbarCommands::reportFailure(const TextPair& text, DeviceStatus status) {
  if (status != status::kOk) {
    showError(formatText(translateText(text), statusText(status).c_str()));
  }
}

void ToolbarCommands::flashNotice(const TextPair& text) {
  link_.host().flashMessage(kNoticeMs, kNoticeBlinkMs, translateText(text));
}

void ToolbarCommands::controllerChanges() {
  if (beforeControllerChange) {
    beforeControllerChange();
  }
}

void ToolbarCommands::imageLeaves() {
  if (beforeImageLeaves) {
    beforeImageLeaves();
  }
}

std::optional<std::string> ToolbarCommands::backUpController() {
  if (backups_ == nullptr || !link_.isConnected()) {
    return std::string();
  }
  const config::BackupResult result =
      backups_->save(link_.model().device, link_.deviceInfo().serialNumber);
  if (!result.error) {
    lastBackup_ = config::pathToUtf8(result.path.filename());
    return lastBackup_;
  }
  // Not silent: the user decides whether the command goes on without a way back.
  shell::PollPause pause(link_);
  const bool goOn = link_.host().askYesNo(
      formatText(translateText(lang::backup::kAskWithoutBackup), result.error->describe().c_str()));
  if (!goOn) {
    return std::nullopt;
  }
  return std::string();
}

bool ToolbarCommands::openConfigFile(const FileSteps& steps) {
  LinkHost& host = link_.host();
  host.updateToolbar(true);
  const auto path = steps.choose();
  // Nothing is sent while the file is being read; afterwards the state is as before unless a file
  // came in (a cancelled chooser must not let a broken read's cleared block out to the
  // controller).
  const bool wasInSync = link_.inSync();
  link_.setInSync(false);
  bool read = false;
  bool toController = false;
  std::string backup;
  if (path) {
    shell::PollPause pause(link_);
    // A damaged file replaces nothing unless the user wants it all the same.
    const auto askDamaged = [&host](const config::FileDamage& damage) {
      return host.askYesNo(formatText(translateText(kAskLoadDamaged), damageText(damage).c_str()));
    };
    config::ConfigImage loaded = link_.model().working;
    if (const auto error = config::readConfigFile(*path, loaded, askDamaged)) {
      if (error->kind != config::FileError::Kind::Damaged) {  // declined: the user knows why
        showError(formatText(translateText(kFileReadFailed), error->describe().c_str()));
      }
    } else if (const auto saved = backUpController()) {
      read = true;
      toController = backups_ != nullptr && link_.isConnected();
      backup = *saved;
      link_.model().working = loaded;
      fileImage_ = link_.model().working;
      if (steps.remember) {
        steps.remember(*path);
      }
    }
  }
  host.updateToolbar(false);
  if (invalidatePages) {
    invalidatePages();
  }
  // While connected, the next change sending delivers every byte that differs from the device.
  link_.setInSync(read || wasInSync);
  if (toController) {
    const std::string text =
        backup.empty()
            ? std::string(translateText(lang::backup::kFileGoesToControllerNoBackup))
            : formatText(translateText(lang::backup::kFileGoesToController), backup.c_str());
    if (showInformation) {
      shell::PollPause pause(link_);
      showInformation(text);
    } else {
      link_.host().flashMessage(kNoticeMs, kNoticeBlinkMs, text);
    }
  } else if (read) {
    flashNotice(kConfigRead);
  }
  return read;
}

bool ToolbarCommands::saveConfigFile(const FileSteps& steps) {
  LinkHost& host = link_.host();
  host.updateToolbar(true);
  imageLeaves();
  const auto path = steps.choose();
  bool written = false;
  if (path) {
    {
      shell::PollPause pause(link_);
      if (const auto error = config::writeConfigFile(*path, link_.model().working)) {
        showError(formatText(translateText(kFileWriteFailed), error->describe().c_str()));
      } else {
        written = true;
        fileImage_ = link_.model().working;
        if (steps.remember) {
          steps.remember(*path);
        }
      }
    }
    if (written) {
      flashNotice(kConfigWritten);
    }
  }
  host.updateToolbar(false);
  return written;
}

DeviceStatus ToolbarCommands::readDevice() {
  shell::PollPause pause(link_);
  if (invalidatePages) {
    invalidatePages();
  }
  return link_.readConfigurationReported();
}

DeviceStatus ToolbarCommands::writeDevice() {
  beginUserCommand();
  imageLeaves();
  const bool yes = [this] {
    shell::PollPause pause(link_);
    return link_.host().askQuestion(translateText(kAskWriteDevice));
  }();
  DeviceStatus result = status::kOk;
  if (yes) {
    controllerChanges();
    result = link_.writeConfiguration();
    reportFailure(kWriteConfigFailed, result);
  }
  endUserCommand();
  return result;
}

DeviceStatus ToolbarCommands::restoreDefaults() {
  beginUserCommand();
  controllerChanges();
  std::string backup;
  bool sent = false;
  const DeviceStatus result = link_.restoreDefaults([this, &backup, &sent] {
    const auto saved = backUpController();
    sent = saved.has_value();
    backup = saved.value_or(std::string());
    return sent;
  });
  defaultsSent_ = sent;
  reportFailure(kToDefaultFailed, result);
  link_.host().updateToolbar(false);
  // Only defaults that were asked for replace the working image with the next read; a No (to the
  // question or to going on without a backup) keeps the changes not yet on the controller.
  if (sent) {
    link_.setInSync(false);
    link_.forgetSerialNumber();
    if (result == status::kOk && !backup.empty()) {
      link_.host().flashMessage(
          kNoticeMs, kNoticeBlinkMs,
          formatText(translateText(lang::backup::kDefaultsRestored), backup.c_str()));
    }
  }
  link_.setUserCommand(false);
  return result;
}

DeviceStatus ToolbarCommands::reset() {
  link_.setUserCommand(true);
  link_.setInSync(false);
  link_.forgetSerialNumber();
  link_.host().updateToolbar(true);
  const DeviceStatus result = link_.resetDevice();
  reportFailure(kResetFailed, result);
  endUserCommand();
  return result;
}

ClosingRisk ToolbarCommands::closingRisk() const {
  const config::ConfigModel& model = link_.model();
  if (link_.pendingChanges() == 0 || (fileImage_ && *fileImage_ == model.working)) {
    return ClosingRisk::None;
  }
  return link_.isConnected() ? ClosingRisk::NotOnController : ClosingRisk::OnlyHere;
}

std::string ToolbarCommands::closingQuestion() const {
  switch (closingRisk()) {
    case ClosingRisk::NotOnController:
      return formatText(translateText(kCloseNotOnController),
                        static_cast<unsigned>(link_.pendingChanges()));
    case ClosingRisk::OnlyHere:
      return std::string(translateText(kCloseOnlyHere));
    case ClosingRisk::None:
      break;
  }
  return {};
}

}  // namespace kivprism::device

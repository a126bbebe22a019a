#include "ui/app/program.hpp"

#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "platform/single_instance.hpp"
#include "ui/common/shell_texts.hpp"

namespace kivprism::ui {

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    showMessageBox(activeWindow(), box::kError, QString::fromLocal8Bit(error.what()));
  }
  return false;
}

int runProgram(device::HidPort& port, ProgramOptions options) {
  platform::SingleInstance instance(QString::fromLatin1(platform::kInstanceName),
                                    options.instanceFolder);
  if (!instance.acquire()) {
    // Before any settings are read there is no language yet: the text is the same for everyone.
    const QString text = QString::fromLatin1(texts::kAlreadyRunning);
    if (options.window.boxAnswerer) {
      options.window.boxAnswerer(box::kError, QString::fromLatin1(texts::kAlreadyRunningCaption),
                                 text);
    } else {
      QMessageBox::critical(nullptr, QString::fromLatin1(texts::kAlreadyRunningCaption), text);
    }
    return 1;
  }
  int exitCode = 0;
  {
    TMainForm window(port, options.window);
    window.startUp();
    window.show();
    if (options.started) {
      options.started(window);
    }
    exitCode = QApplication::exec();
  }
  instance.release();
  return exitCode;
}

}  // namespace kivprism::ui

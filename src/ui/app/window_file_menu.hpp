// The File menu's commands on whole configurations: comparing the working configuration with a
// file (the list of differences leads to the rule or the control) and exporting its summary.
#pragma once

#include <QObject>
#include <QString>

#include "core/config/image.hpp"

class QMainWindow;
class QMenu;

namespace kivprism::device {
class DeviceLink;
}

namespace kivprism::ui {

class FileChoosers;
class TFormCompare;
class WindowShell;
struct WindowPages;

class WindowFileMenu : public QObject {
 public:
  // Adds the menu to the window's menu bar.
  WindowFileMenu(QMainWindow& window, WindowShell& shell, device::DeviceLink& link,
                 config::ConfigModel& model, FileChoosers& files, const WindowPages& pages);

  QMenu* menu() const { return menuFile_; }
  void MenuItemCompareFileClick();
  void MenuItemExportSummaryClick();
  // The parameters page on the tab that holds the control, the control focused.
  void showParameterControl(const QString& control);
  TFormCompare* compareDialog() const { return compare_; }
  // The comparison's lines again in the current language.
  void retranslateComparison();

 private:
  WindowShell& shell_;
  device::DeviceLink& link_;
  config::ConfigModel& model_;
  FileChoosers& files_;
  const WindowPages& pages_;
  QMenu* menuFile_ = nullptr;
  TFormCompare* compare_ = nullptr;
  // The file last compared and its name, for the lines after a language switch.
  config::ConfigImage comparedFile_;
  QString comparedName_;
};

}  // namespace kivprism::ui

// The main window's language: the program's texts, Qt's own, the window's captions and hints by
// the language table, and the controller's information logged again in the new language.
#pragma once

#include <functional>

class QMainWindow;

namespace kivprism::device {
class DeviceLink;
}

namespace kivprism::ui {

class WindowFileMenu;
class WindowMenu;
class WindowShell;
class WindowToolbar;
struct WindowPages;

class LanguageSwitch {
 public:
  // invalidatePages: every page redraws on its next refresh.
  LanguageSwitch(QMainWindow& window, WindowShell& shell, device::DeviceLink& link,
                 WindowToolbar& toolbar, WindowMenu& menu, WindowFileMenu& fileMenu,
                 const WindowPages& pages, std::function<void()> invalidatePages);

  // 0 Russian, 1 English, -1 only asks; returns the index in force.
  int applyLanguage(int index);
  // The window's texts in the language in force, once the window is built.
  void retranslate();

 private:
  void translateForm();
  void retranslateProgramTexts();

  QMainWindow& window_;
  WindowShell& shell_;
  device::DeviceLink& link_;
  WindowToolbar& toolbar_;
  WindowMenu& menu_;
  WindowFileMenu& fileMenu_;
  const WindowPages& pages_;
  std::function<void()> invalidatePages_;
};

}  // namespace kivprism::ui

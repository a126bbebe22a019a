// The main window's settings: the settings file read at start-up into the menu's ticks, the
// pages and the language, the window placed where it was, and everything written back on closing.
#pragma once

#include <QString>

#include "ui/common/shell_settings.hpp"

class QMainWindow;

namespace kivprism::ui {

// The design size of the main window: its least size when the screen has room.
inline constexpr int kWindowDesignWidth = 720;
inline constexpr int kWindowDesignHeight = 513;

class LanguageSwitch;
class WindowMenu;
class WindowShell;
class WindowToolbar;
struct WindowPages;

class WindowSettings {
 public:
  // path: the settings file; the pages are read once they are built.
  WindowSettings(QMainWindow& window, const QString& path, WindowShell& shell,
                 const WindowPages& pages);

  SettingsFile& file() { return settings_; }
  QString path() const { return settings_.path(); }
  // What start-up read (the defaults when the file could not be read).
  const ShellSettings& loaded() const { return loaded_; }
  // systemLanguage: the system's user-interface language code; empty: the system's own.
  void load(WindowMenu& menu, WindowToolbar& toolbar, LanguageSwitch& language,
            const QString& systemLanguage);
  // The window opens large enough to show its pages whole, within the screen, at its stored place
  // when that lies on a screen, and maximized when it was closed so.
  void placeWindow();
  void save(const WindowMenu& menu);

 private:
  QMainWindow& window_;
  WindowShell& shell_;
  const WindowPages& pages_;
  SettingsFile settings_;
  ShellSettings loaded_;
};

}  // namespace kivprism::ui

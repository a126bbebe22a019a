#include "ui/app/window_settings.hpp"

#include <QGuiApplication>
#include <QLocale>
#include <QMainWindow>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>

#include "core/lang/language.hpp"
#include "ui/app/language_switch.hpp"
#include "ui/app/window_menu.hpp"
#include "ui/app/window_pages.hpp"
#include "ui/app/window_shell.hpp"
#include "ui/app/window_toolbar.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/shell_texts.hpp"
#include "ui/common/window_placement.hpp"
#include "ui/dialogs/keyboard_dialog.hpp"
#include "ui/monitor/terminal_page.hpp"
#include "ui/params/parameters_page.hpp"

namespace kivprism::ui {

WindowSettings::WindowSettings(QMainWindow& window, const QString& path, WindowShell& shell,
                               const WindowPages& pages)
    : window_(window), shell_(shell), pages_(pages), settings_(path) {}

void WindowSettings::load(WindowMenu& menu, WindowToolbar& toolbar, LanguageSwitch& language,
                          const QString& systemLanguage) {
  if (!settings_.load()) {
    shell_.messageBox(box::kError, translated(texts::kSettingsReadError));
    return;
  }
  loaded_ = settings_.shell();
  pages_.terminal->setMemoHeight(loaded_.txHeight);
  pages_.parameters->rememberTab(loaded_.paramsTab);
  if (pages_.pageControl->isTabEnabled(1)) {
    pages_.pageControl->setCurrentIndex(1);
  }
  menu.restore(loaded_);
  toolbar.setOnlyUsedChecked(loaded_.onlyUsed);
  const QString system =
      systemLanguage.isEmpty() ? QLocale::system().uiLanguages().value(0) : systemLanguage;
  const auto start =
      lang::startLanguage(loaded_.lang, lang::systemDefaultLanguage(system.toStdString()));
  if (start) {
    language.applyLanguage(lang::languageIndex(*start));
  }
}

void WindowSettings::placeWindow() {
  QTabWidget* tabs = pages_.pageControl;
  const QRect home = QGuiApplication::primaryScreen() != nullptr
                         ? QGuiApplication::primaryScreen()->availableGeometry()
                         : screenAreaOf(&window_);
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    screens.push_back(screen->availableGeometry());
  }
  // The parameters page is the one laid out to be seen whole; the logs scroll. The window's own
  // hint would take the widest line any page could show.
  // Around the page sit the window's bars and the page control's own tabs and frame.
  QSize largestPage;
  for (int i = 0; i < tabs->count(); ++i) {
    largestPage = largestPage.expandedTo(tabs->widget(i)->sizeHint());
  }
  const QSize chrome = (window_.sizeHint() - tabs->sizeHint()).expandedTo(QSize(0, 0)) +
                       (tabs->sizeHint() - largestPage).expandedTo(QSize(0, 0));
  const QSize pages = pages_.parametersTab->sizeHint() + chrome;
  const QSize contents = window_.size().expandedTo(pages).expandedTo(
      QSize(window_.statusBar()->sizeHint().width(), 0));
  const QSize decoration = frameSizeOf(&window_) - window_.size();
  const auto stored = storedPlace(loaded_.mainLeft, loaded_.mainTop, contents + decoration, home);
  const QRect frame = ui::placeWindow(stored, contents + decoration, screens, home);
  const QSize fitted = frame.size() - decoration;
  window_.setMinimumSize(QSize(kWindowDesignWidth, kWindowDesignHeight).boundedTo(fitted));
  window_.resize(fitted);
  window_.move(frame.topLeft());
  if (loaded_.mainMaximized) {
    window_.setWindowState(window_.windowState() | Qt::WindowMaximized);
  }
}

void WindowSettings::save(const WindowMenu& menu) {
  ShellSettings s = loaded_;
  // A maximized window keeps the place it returns to.
  const bool maximized = window_.isMaximized();
  const QPoint place = maximized ? window_.normalGeometry().topLeft() -
                                       (window_.geometry().topLeft() - window_.pos())
                                 : window_.pos();
  s.mainTop = place.y();
  s.mainLeft = place.x();
  s.mainMaximized = maximized;
  s.lang = lang::languageIndex(lang::currentLanguage());
  menu.store(s);
  s.txHeight = pages_.terminal->memoHeight();
  s.paramsTab = pages_.parameters->currentTabName();
  pages_.keyboard->storePlacement(s);
  settings_.setShell(s);
  std::string reason;
  if (!settings_.save(&reason)) {
    shell_.messageBox(box::kError, translatedWith(texts::kSettingsWriteError, reason));
  }
}

}  // namespace kivprism::ui

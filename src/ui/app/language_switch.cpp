#include "ui/app/language_switch.hpp"

#include <QLabel>
#include <QMainWindow>

#include "core/device/device_link.hpp"
#include "core/forms/main_form_rows.hpp"
#include "core/lang/language.hpp"
#include "core/lang/language_table.hpp"
#include "ui/app/qt_translation.hpp"
#include "ui/app/window_file_menu.hpp"
#include "ui/app/window_menu.hpp"
#include "ui/app/window_pages.hpp"
#include "ui/app/window_shell.hpp"
#include "ui/app/window_shortcuts.hpp"
#include "ui/app/window_toolbar.hpp"
#include "ui/common/edit_history.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/shell_texts.hpp"
#include "ui/common/translate_form.hpp"
#include "ui/dialogs/ir_code_dialog.hpp"
#include "ui/dialogs/keyboard_dialog.hpp"
#include "ui/editor/event_reaction_pane.hpp"

namespace kivprism::ui {

LanguageSwitch::LanguageSwitch(QMainWindow& window, WindowShell& shell, device::DeviceLink& link,
                               WindowToolbar& toolbar, WindowMenu& menu, WindowFileMenu& fileMenu,
                               const WindowPages& pages, std::function<void()> invalidatePages)
    : window_(window),
      shell_(shell),
      link_(link),
      toolbar_(toolbar),
      menu_(menu),
      fileMenu_(fileMenu),
      pages_(pages),
      invalidatePages_(std::move(invalidatePages)) {}

int LanguageSwitch::applyLanguage(int index) {
  if (index == -1) {
    return lang::languageIndex(lang::currentLanguage());
  }
  const lang::Language language = lang::languageFromIndex(index);
  lang::setCurrentLanguage(language);
  applyQtTranslation(language);
  toolbar_.showLanguage(language);
  menu_.showLanguage(language);
  // The next poll treats the controller as new: its information is logged again in this
  // language and its configuration read again.
  link_.clearConnected();
  shell::RedrawPause redraw(shell_);
  invalidatePages_();
  translateForm();
  // The dialogs are the window's children, but have sub-tables of their own.
  if (pages_.keyboard != nullptr) {
    pages_.keyboard->retranslate();
  }
  if (pages_.eventPane != nullptr) {
    pages_.eventPane->irCodeDialog().retranslate();
  }
  retranslateProgramTexts();
  return lang::languageIndex(language);
}

void LanguageSwitch::retranslate() {
  translateForm();
  retranslateProgramTexts();
}

void LanguageSwitch::translateForm() {
  ui::translateForm(&window_, lang::kMainFormName, forms::mainFormRows());
  window_.setWindowTitle(
      qtText(lang::formatText(lang::translateText(texts::kWindowCaption), texts::kProgramVersion)));
}

void LanguageSwitch::retranslateProgramTexts() {
  toolbar_.retranslate(menu_.onlyUsed());
  menu_.retranslate();
  pages_.currentSource->setText(translated(texts::kSelectedUnknown));
  pages_.currentSource->setToolTip(translated(texts::kCurrentSourceHint));
  pages_.editHistory->retranslate();
  showShortcutHints(toolbar_.buttons(), *pages_.pageControl);
  fileMenu_.retranslateComparison();
}

}  // namespace kivprism::ui

// The keys all hold Ctrl or are a function key, so a field being typed in keeps every key it takes;
// a value typed and not yet stored is stored before a command runs, as a click on the toolbar does.
#include "ui/app/window_shortcuts.hpp"

#include <QKeySequence>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>

namespace kivprism::ui {

namespace {

// Pages beyond the ninth get no key.
constexpr int kPageKeys = 9;

const QKeySequence kOpenKey(Qt::CTRL | Qt::Key_O);
const QKeySequence kSaveKey(Qt::CTRL | Qt::Key_S);
const QKeySequence kReadDeviceKey(Qt::Key_F5);

QKeySequence pageKey(int index) { return QKeySequence(Qt::CTRL | (Qt::Key_1 + index)); }

QString withKey(const QString& hint, const QKeySequence& key) {
  const QString keyText = key.toString(QKeySequence::NativeText);
  return hint.isEmpty() ? keyText : QStringLiteral("%1 (%2)").arg(hint, keyText);
}

}  // namespace

void addWindowShortcuts(QWidget& window, const WindowToolbar::Buttons& buttons, QTabWidget& pages) {
  // A key does what a click on its button does, and nothing while the button is disabled.
  const auto bind = [&window](const QKeySequence& key, QToolButton* button) {
    auto* shortcut = new QShortcut(key, &window);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
      if (button->isEnabled()) {
        button->click();
      }
    });
  };
  bind(kOpenKey, buttons.readConfig);
  bind(kSaveKey, buttons.writeConfig);
  bind(kReadDeviceKey, buttons.readDevice);
  QTabWidget* tabs = &pages;
  for (int i = 0; i < kPageKeys; ++i) {
    auto* shortcut = new QShortcut(pageKey(i), &window);
    QObject::connect(shortcut, &QShortcut::activated, tabs, [tabs, i] {
      if (i < tabs->count() && tabs->isTabVisible(i) && tabs->isTabEnabled(i)) {
        tabs->setCurrentIndex(i);
      }
    });
  }
}

void showShortcutHints(const WindowToolbar::Buttons& buttons, QTabWidget& pages) {
  // The table's hints were just set by the language walk; the key follows them.
  buttons.readConfig->setToolTip(withKey(buttons.readConfig->toolTip(), kOpenKey));
  buttons.writeConfig->setToolTip(withKey(buttons.writeConfig->toolTip(), kSaveKey));
  buttons.readDevice->setToolTip(withKey(buttons.readDevice->toolTip(), kReadDeviceKey));
  for (int i = 0; i < pages.count() && i < kPageKeys; ++i) {
    pages.setTabToolTip(i, withKey(pages.tabText(i), pageKey(i)));
  }
}

}  // namespace kivprism::ui

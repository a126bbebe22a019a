// The window's keys: Ctrl+O open, Ctrl+S save, F5 read the controller, Ctrl+1, Ctrl+2, ... the
// pages in their order, each shown in its hint. They all hold Ctrl or are a function key, so a
// field being typed in keeps every key it takes; a value typed and not yet stored is stored before
// a command runs, as a click on the toolbar does.
#include <QKeySequence>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>

#include "ui/app/main_window.hpp"

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

void TMainForm::buildShortcuts() {
  // A key does what a click on its button does, and nothing while the button is disabled.
  const auto bind = [this](const QKeySequence& key, QToolButton* button) {
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, this, [button] {
      if (button->isEnabled()) {
        button->click();
      }
    });
  };
  bind(kOpenKey, readConfig_);
  bind(kSaveKey, writeConfig_);
  bind(kReadDeviceKey, readDevice_);
  for (int i = 0; i < kPageKeys; ++i) {
    auto* shortcut = new QShortcut(pageKey(i), this);
    connect(shortcut, &QShortcut::activated, this, [this, i] {
      if (i < pageControlMain_->count() && pageControlMain_->isTabVisible(i) &&
          pageControlMain_->isTabEnabled(i)) {
        pageControlMain_->setCurrentIndex(i);
      }
    });
  }
}

void TMainForm::showShortcutHints() {
  // The table's hints were just set by the language walk; the key follows them.
  readConfig_->setToolTip(withKey(readConfig_->toolTip(), kOpenKey));
  writeConfig_->setToolTip(withKey(writeConfig_->toolTip(), kSaveKey));
  readDevice_->setToolTip(withKey(readDevice_->toolTip(), kReadDeviceKey));
  for (int i = 0; i < pageControlMain_->count() && i < kPageKeys; ++i) {
    pageControlMain_->setTabToolTip(i, withKey(pageControlMain_->tabText(i), pageKey(i)));
  }
}

}  // namespace kivprism::ui

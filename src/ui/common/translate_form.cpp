#include "ui/common/translate_form.hpp"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>
#include <string>
#include <string_view>
#include <unordered_map>

#include "ui/common/qt_text.hpp"

namespace kivprism::ui {

namespace {

// A page of a tab widget lives in the tab widget's stack.
QTabWidget* owningTabWidget(QWidget* page) {
  auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
  return stack != nullptr ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

// A list control's caption row is its whole item list, each item followed by CR LF.
QStringList itemList(const QString& text) {
  QStringList items = text.split(QStringLiteral("\r\n"));
  if (!items.isEmpty() && items.back().isEmpty()) {
    items.pop_back();
  }
  return items;
}

// The items are replaced; the selected position stays, as the stored value is the position.
void setComboItems(QComboBox* combo, const QStringList& items) {
  QStringList current;
  for (int i = 0; i < combo->count(); ++i) {
    current << combo->itemText(i);
  }
  if (current == items) {
    return;
  }
  const QSignalBlocker quiet(combo);
  const int selected = combo->currentIndex();
  combo->clear();
  combo->addItems(items);
  combo->setCurrentIndex(selected < combo->count() ? selected : -1);
}

void setCaption(QObject* object, const QString& text) {
  if (auto* combo = qobject_cast<QComboBox*>(object)) {
    setComboItems(combo, itemList(text));
  } else if (auto* action = qobject_cast<QAction*>(object)) {
    action->setText(text);
  } else if (auto* menu = qobject_cast<QMenu*>(object)) {
    menu->setTitle(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(object)) {
    label->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
    group->setTitle(text);
  } else if (auto* page = qobject_cast<QWidget*>(object)) {
    if (QTabWidget* tabs = owningTabWidget(page)) {
      tabs->setTabText(tabs->indexOf(page), text);
    }
  }
}

void setHint(QObject* object, const QString& text) {
  if (auto* action = qobject_cast<QAction*>(object)) {
    action->setToolTip(text);
  } else if (auto* widget = qobject_cast<QWidget*>(object)) {
    // A bound form shows this hint in place of the range it derives for the field.
    widget->setProperty("formHint", text);
    widget->setToolTip(text);
  }
}

}  // namespace

void translateForm(QWidget* form, std::string_view formName,
                   std::span<const lang::LanguageRow> rows) {
  const lang::Language language = lang::currentLanguage();
  const std::string prefix = std::string(formName) + "_";
  // The first row of a key wins, as a walk of the table would find it.
  std::unordered_map<std::string_view, const lang::LanguageRow*> byKey;
  byKey.reserve(rows.size());
  for (const lang::LanguageRow& row : rows) {
    byKey.emplace(row.key, &row);
  }
  const auto find = [&byKey](const std::string& key) -> const lang::LanguageRow* {
    if (lang::isProgramFilledKey(key)) {
      return nullptr;
    }
    const auto it = byKey.find(key);
    return it == byKey.end() ? nullptr : it->second;
  };
  for (QObject* object : form->findChildren<QObject*>()) {
    const std::string name = object->objectName().toStdString();
    if (name.empty()) {
      continue;
    }
    if (const auto* row = find(prefix + name + "_Caption")) {
      setCaption(object, qtText(row->text.in(language)));
    }
    if (const auto* row = find(prefix + name + "_Hint")) {
      setHint(object, qtText(row->text.in(language)));
    }
  }
}

}  // namespace kivprism::ui

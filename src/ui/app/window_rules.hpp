// The rules table's place in the main window: beside the event/reaction editor, in place of the
// parameters tabs while its toolbar switch is on, Ctrl+F to its filter, the selection shared with
// the editor, and the rule commands on the table, on the entry tabs and in the menu's Edit
// submenu.
#pragma once

#include <QObject>
#include <cstddef>
#include <vector>

#include "core/config/image.hpp"

class QMainWindow;
class QMenu;
class QToolButton;

namespace kivprism::device {
class DeviceLink;
}

namespace kivprism::ui {

class WindowShell;
class WindowToolbar;
struct WindowPages;

class WindowRules : public QObject {
 public:
  // Builds the table into the parameters tab (the event pane must exist), its switch into the
  // toolbar and the Edit submenu into the window's menu.
  WindowRules(QMainWindow& window, WindowShell& shell, device::DeviceLink& link,
              config::ConfigImage& image, WindowToolbar& toolbar, QMenu& popupMenu,
              WindowPages& pages);

  void showRulesTable(bool shown);
  bool rulesTableShown() const;
  void retranslate();

 private:
  // Which rules a menu's commands act on: the table's selection or the editor's rule.
  enum class RuleSource { Focus, Table, Editor };

  std::vector<std::size_t> ruleTargets() const;

  WindowPages& pages_;
  QToolButton* rulesx_ = nullptr;
  RuleSource ruleSource_ = RuleSource::Focus;
};

}  // namespace kivprism::ui

// The rules table beside the event/reaction editor: a filter box, the hide-unused toggle, the count
// of rows shown and the table of all 100 rules. A click selects the rule in the editor; the table
// follows the editor's rule back, and keeps its scroll place and selection when the rows are
// redrawn or filtered again after an edit.
#pragma once

#include <QWidget>
#include <cstddef>
#include <vector>

#include "core/config/image.hpp"

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace kivprism::ui::rules {

class RuleTableModel;

class RulesPane : public QWidget {
  Q_OBJECT

 public:
  explicit RulesPane(const config::ConfigImage& image, QWidget* parent = nullptr);

  RuleTableModel& model() const { return *model_; }
  QTableView* view() const { return view_; }
  QLineEdit* filter() const { return filter_; }
  QCheckBox* hideUnused() const { return hideUnused_; }

  // The selected rules in ascending order.
  std::vector<std::size_t> selectedEntries() const;
  // Selects exactly these rules (the shown ones among them), the first one current.
  void selectEntries(const std::vector<std::size_t>& entries);
  // The editor shows this rule: the table selects it, unless it is already among the selected.
  void followEntry(std::size_t entry);
  void focusFilter();

 public slots:
  // Catches up with the working image and the language.
  void sync();
  void retranslate();

 signals:
  // The user clicked or moved onto a rule of the table.
  void entryChosen(std::size_t entry);
  // A right click on the table at this screen point.
  void contextMenuWanted(const QPoint& at);

 private:
  void savePlace();
  void restorePlace();
  void updateCount();

  RuleTableModel* model_ = nullptr;
  QLineEdit* filter_ = nullptr;
  QCheckBox* hideUnused_ = nullptr;
  QLabel* count_ = nullptr;
  QTableView* view_ = nullptr;
  // The place kept while the rows are replaced.
  std::vector<std::size_t> savedSelection_;
  std::size_t savedCurrent_ = 0;
  std::size_t savedTop_ = 0;
  bool selecting_ = false;
};

}  // namespace kivprism::ui::rules

// The comparison of the working configuration with a file: the same lines as `kivprism-cli diff`,
// one list item each; a double click or Enter on a rule's line asks for that rule in the editor,
// on a parameter's line for the parameters page's control that edits it.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "core/summary/config_diff.hpp"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace kivprism::ui {

class TFormCompare : public QDialog {
  Q_OBJECT

 public:
  // What an item carries, so that a test or the window can read what a line stands for.
  static constexpr int kEntryRole = Qt::UserRole;
  static constexpr int kControlRole = Qt::UserRole + 1;

  explicit TFormCompare(QWidget* parent = nullptr);

  // The lines of the comparison of the file (before) with the working configuration (after).
  void showDifferences(const QString& fileName,
                       const std::vector<summary::Difference>& differences);
  QListWidget* list() const { return list_; }
  // The title and the program-filled texts, after a language switch.
  void retranslate();

 signals:
  void ruleChosen(std::size_t entry);
  void parameterChosen(const QString& control);

 private:
  void choose(QListWidgetItem* item);

  QLabel* fileLabel_ = nullptr;
  QListWidget* list_ = nullptr;
  QString fileName_;
  bool equal_ = false;
};

}  // namespace kivprism::ui

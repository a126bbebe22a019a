// The rules table's rows as a Qt model: a thin view of the core's RuleTable, showing the entries
// the filter and the hide-unused toggle let through. It follows the working image by comparing it
// with the image it last showed, so any edit (a field, a parameter, an undo, a file, a whole read)
// rebuilds only the rows that changed, or every row when the parameters or the keys changed.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <cstddef>
#include <optional>
#include <vector>

#include "core/config/image.hpp"
#include "core/lang/text.hpp"
#include "core/summary/rule_table.hpp"

namespace kivprism::ui::rules {

class RuleTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kNumber, kName, kEvent, kPress, kReaction, kMark, kColumnCount };

  explicit RuleTableModel(const config::ConfigImage& image, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Catches up with the image and the language. Returns whether the shown rows changed in number
  // or order (then the view's selection must be put back); a changed row alone keeps its place.
  bool sync();
  void setFilter(const QString& text);
  void setHideUnused(bool hide);
  bool hideUnused() const { return hideUnused_; }

  // The entry (1..100) of a row, and the row of an entry when it is shown.
  std::size_t entryAt(int row) const;
  std::optional<int> rowOf(std::size_t entry) const;
  const summary::RuleTable& table() const { return table_; }
  // How many rows were rebuilt alone, and how many whole rebuilds ran (tests read them).
  std::size_t rowRebuilds() const { return rowRebuilds_; }
  std::size_t fullRebuilds() const { return fullRebuilds_; }

 signals:
  // The shown rows are about to be replaced and have been: the view saves and restores its place.
  void rowsReplacing();
  void rowsReplaced();

 private:
  void refilter();

  const config::ConfigImage& image_;
  config::ConfigImage shown_;
  std::optional<lang::Language> language_;
  summary::RuleTable table_;
  std::vector<std::size_t> visible_;
  std::string filter_;
  bool hideUnused_ = false;
  std::size_t rowRebuilds_ = 0;
  std::size_t fullRebuilds_ = 0;
};

}  // namespace kivprism::ui::rules

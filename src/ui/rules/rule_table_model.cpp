#include "ui/rules/rule_table_model.hpp"

#include <QApplication>
#include <QBrush>
#include <QPalette>

#include "core/lang/rules_texts.hpp"
#include "core/summary/rule_operations.hpp"
#include "ui/common/qt_text.hpp"

namespace kivprism::ui::rules {

namespace {

// More changed rows than this rebuild every row: one row at a time costs the same-event search
// each time.
constexpr std::size_t kMostRowsRebuiltAlone = 8;

const lang::TextPair& columnCaption(int column) {
  namespace t = lang::rules;
  static const lang::TextPair* const kCaptions[] = {&t::kColumnNumber,   &t::kColumnName,
                                                    &t::kColumnEvent,    &t::kColumnPress,
                                                    &t::kColumnReaction, &t::kColumnMark};
  return *kCaptions[column];
}

}  // namespace

RuleTableModel::RuleTableModel(const config::ConfigImage& image, QObject* parent)
    : QAbstractTableModel(parent), image_(image), shown_(image) {
  sync();
}

int RuleTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(visible_.size());
}

int RuleTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

std::size_t RuleTableModel::entryAt(int row) const {
  return row >= 0 && row < static_cast<int>(visible_.size())
             ? visible_[static_cast<std::size_t>(row)]
             : 0;
}

std::optional<int> RuleTableModel::rowOf(std::size_t entry) const {
  for (std::size_t i = 0; i < visible_.size(); ++i) {
    if (visible_[i] == entry) {
      return static_cast<int>(i);
    }
  }
  return std::nullopt;
}

QVariant RuleTableModel::data(const QModelIndex& index, int role) const {
  const std::size_t entry = entryAt(index.row());
  if (entry == 0) {
    return {};
  }
  const summary::RuleRow& row = table_.row(entry);
  const auto text = [&]() -> QString {
    switch (index.column()) {
      case kNumber:
        return QString::number(row.number);
      case kName:
        return qtText(row.name);
      case kEvent:
        return qtText(row.event);
      case kPress:
        return qtText(row.press);
      case kReaction:
        return qtText(row.reaction);
      case kMark:
        if (!row.troubles.empty()) {
          return qtText(lang::rules::kMarkTrouble.in(table_.language()));
        }
        return row.unused ? qtText(lang::rules::kMarkUnused.in(table_.language())) : QString();
      default:
        return {};
    }
  };
  switch (role) {
    case Qt::DisplayRole:
      return text();
    case Qt::ToolTipRole:
      // The mark says why; the other columns show their whole words, which may be cut off.
      if (index.column() == kMark) {
        return row.troubles.empty() ? QVariant() : QVariant(qtText(row.troubleText()));
      }
      return text().isEmpty() ? QVariant() : QVariant(text());
    case Qt::ForegroundRole:
      if (index.column() == kMark && !row.troubles.empty()) {
        return QBrush(Qt::darkRed);
      }
      if (row.unused) {
        return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
      }
      return {};
    case Qt::TextAlignmentRole:
      return index.column() == kNumber ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default:
      return {};
  }
}

QVariant RuleTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kColumnCount) {
    return {};
  }
  return qtText(columnCaption(section).in(table_.language()));
}

bool RuleTableModel::sync() {
  const lang::Language language = lang::currentLanguage();
  const summary::ImageDifference difference = summary::differenceOf(shown_, image_);
  const bool everything = !language_ || *language_ != language || difference.outsideRules ||
                          difference.entries.size() > kMostRowsRebuiltAlone;
  if (!everything && difference.entries.empty()) {
    return false;
  }
  shown_ = image_;
  if (everything) {
    language_ = language;
    table_.rebuild(image_, language);
    ++fullRebuilds_;
  } else {
    for (const std::size_t entry : difference.entries) {
      table_.rebuildRow(image_, entry);
      ++rowRebuilds_;
    }
  }
  const std::vector<std::size_t> before = visible_;
  const std::vector<std::size_t> after = table_.visibleEntries(filter_, hideUnused_);
  if (after != before) {
    refilter();
    return true;
  }
  // The same rows: their words and marks (same-event marks may change in any row).
  if (!visible_.empty()) {
    emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
  }
  if (everything) {
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
  }
  return false;
}

void RuleTableModel::setFilter(const QString& text) {
  const std::string typed = text.toStdString();
  if (typed != filter_) {
    filter_ = typed;
    refilter();
  }
}

void RuleTableModel::setHideUnused(bool hide) {
  if (hide != hideUnused_) {
    hideUnused_ = hide;
    refilter();
  }
}

void RuleTableModel::refilter() {
  emit rowsReplacing();
  beginResetModel();
  visible_ = table_.visibleEntries(filter_, hideUnused_);
  endResetModel();
  emit rowsReplaced();
}

}  // namespace kivprism::ui::rules

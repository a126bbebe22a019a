#include "ui/app/compare_dialog.hpp"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/lang/summary_window_rows.hpp"
#include "ui/common/qt_text.hpp"

namespace kivprism::ui {

namespace {

constexpr int kWidth = 760;
constexpr int kHeight = 420;
namespace summary_texts = lang::summary_window;

}  // namespace

TFormCompare::TFormCompare(QWidget* parent) : QDialog(parent) {
  setObjectName("FormComparex");
  resize(kWidth, kHeight);
  auto* layout = new QVBoxLayout(this);
  fileLabel_ = new QLabel(this);
  fileLabel_->setObjectName("LabelCompareFilex");
  fileLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(fileLabel_);
  list_ = new QListWidget(this);
  list_->setObjectName("ListBoxDifferencesx");
  list_->setWordWrap(true);
  layout->addWidget(list_, 1);
  auto* hint = new QLabel(this);
  hint->setObjectName("LabelCompareHint");
  layout->addWidget(hint);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* close = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
  close->setObjectName("ButtonCompareClose");
  close->setAutoDefault(false);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // Enter and a double click both arrive as an activation.
  connect(list_, &QListWidget::itemActivated, this, &TFormCompare::choose);
  retranslate();
}

void TFormCompare::showDifferences(const QString& fileName,
                                   const std::vector<summary::Difference>& differences) {
  fileName_ = fileName;
  equal_ = differences.empty();
  list_->clear();
  for (const summary::Difference& d : differences) {
    auto* item = new QListWidgetItem(qtText(d.line()), list_);
    if (d.kind == summary::DifferenceKind::Rule) {
      item->setData(kEntryRole, static_cast<qulonglong>(d.entry));
    } else if (d.kind == summary::DifferenceKind::Parameter) {
      item->setData(kControlRole, qtText(d.control));
    }
  }
  retranslate();
  if (list_->count() > 0) {
    list_->setCurrentRow(0);
  }
}

void TFormCompare::retranslate() {
  setWindowTitle(translated(summary_texts::kCompareTitle));
  fileLabel_->setText(translatedWith(summary_texts::kComparedWith, fileName_.toStdString()));
  if (equal_) {
    list_->clear();
    auto* item = new QListWidgetItem(translated(summary_texts::kEqual), list_);
    item->setFlags(Qt::ItemIsEnabled);
  }
}

void TFormCompare::choose(QListWidgetItem* item) {
  if (item == nullptr) {
    return;
  }
  if (const QVariant entry = item->data(kEntryRole); entry.isValid()) {
    emit ruleChosen(static_cast<std::size_t>(entry.toULongLong()));
  } else if (const QVariant control = item->data(kControlRole);
             control.isValid() && !control.toString().isEmpty()) {
    emit parameterChosen(control.toString());
  }
}

}  // namespace kivprism::ui

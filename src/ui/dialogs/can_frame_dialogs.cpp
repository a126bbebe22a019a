#include "ui/dialogs/can_frame_dialogs.hpp"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <span>
#include <string_view>

#include "core/lang/dialog_rows.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/translate_form.hpp"
#include "ui/common/window_placement.hpp"
#include "ui/dialogs/text_width.hpp"

namespace kivprism::ui::dialogs {

namespace core = kivprism::dialogs;

namespace {

constexpr Qt::WindowFlags kDialogFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowCloseButtonHint;

void prepare(QDialog* form, std::string_view name) {
  form->setObjectName(QString::fromUtf8(name));
  form->setModal(true);
  form->setFont(QFont("Fixedsys"));
}

// A labelled edit row of the grid; the label's text comes from the language table.
QLineEdit* addRow(QGridLayout* grid, QDialog* form, const char* label, const char* edit,
                  int maxLength) {
  const int row = grid->rowCount();
  auto* caption = new QLabel(form);
  caption->setObjectName(label);
  auto* field = new QLineEdit(form);
  field->setObjectName(edit);
  field->setMaxLength(maxLength);
  // Room for the longest text the field takes: eight bytes must all be in view.
  field->setMinimumWidth(editWidthFor(field, maxLength));
  caption->setBuddy(field);
  grid->addWidget(caption, row, 0);
  grid->addWidget(field, row, 1);
  return field;
}

// OK (the default button, so Enter in an edit confirms) and Clear under the rows.
QPushButton* addButtons(QGridLayout* grid, QDialog* form) {
  auto* row = new QHBoxLayout;
  auto* ok = new QPushButton(form);
  ok->setObjectName("BitBtnOK");
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, form, &QDialog::accept);
  auto* clear = new QPushButton(form);
  clear->setObjectName("SpeedButtonClearData");
  clear->setAutoDefault(false);
  row->addWidget(ok);
  row->addWidget(clear);
  grid->addLayout(row, grid->rowCount(), 0, 1, 2);
  return clear;
}

QString qtString(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TFormCANMSG::TFormCANMSG(QWidget* parent) : QDialog(parent, kDialogFlags) {
  prepare(this, lang::kCanMessageFormName);
  auto* grid = new QGridLayout(this);
  id_ = addRow(grid, this, "LabelID", "EditID", core::kIdTextMax);
  data_ = addRow(grid, this, "LabelData", "EditData", core::kBytesTextMax);
  auto* clear = addButtons(grid, this);
  connect(clear, &QPushButton::clicked, this,
          [this] { showTexts(core::clearedCanMessageTexts()); });
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  translateForm(this, lang::kCanMessageFormName, lang::canMessageFormRows());
}

void TFormCANMSG::showTexts(const core::CanMessageTexts& texts) {
  id_->setText(qtString(texts.id));
  data_->setText(qtString(texts.data));
}

void TFormCANMSG::load(QPoint at, const QString& caption, const events::CanMessage& message) {
  setWindowTitle(caption);
  setMinimumWidth(titleWidthFor(this, caption));
  adjustSize();
  move(at);
  keepOnScreenOf(this, parentWidget());
  original_ = message;
  showTexts(core::canMessageTexts(message));
  id_->setFocus();
}

events::CanMessage TFormCANMSG::result() const {
  return core::confirmCanMessage({id_->text().toStdString(), data_->text().toStdString()},
                                 original_);
}

std::optional<events::CanMessage> TFormCANMSG::editCanMessage(QPoint at, const QString& caption,
                                                              const events::CanMessage& message) {
  load(at, caption, message);
  if (exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return result();
}

TFormCANFilter::TFormCANFilter(QWidget* parent) : QDialog(parent, kDialogFlags) {
  prepare(this, lang::kCanFilterFormName);
  auto* grid = new QGridLayout(this);
  id_ = addRow(grid, this, "LabelID", "EditID", core::kIdTextMax);
  mask_ = addRow(grid, this, "LabelMask", "EditMask", core::kBytesTextMax);
  data_ = addRow(grid, this, "LabelData", "EditData", core::kBytesTextMax);
  auto* clear = addButtons(grid, this);
  connect(clear, &QPushButton::clicked, this, [this] { showTexts(core::clearedCanFilterTexts()); });
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  translateForm(this, lang::kCanFilterFormName, lang::canFilterFormRows());
}

void TFormCANFilter::showTexts(const core::CanFilterTexts& texts) {
  id_->setText(qtString(texts.id));
  mask_->setText(qtString(texts.mask));
  data_->setText(qtString(texts.data));
}

void TFormCANFilter::load(QPoint at, const QString& caption, const events::CanFilter& filter) {
  setWindowTitle(caption);
  setMinimumWidth(titleWidthFor(this, caption));
  adjustSize();
  move(at);
  keepOnScreenOf(this, parentWidget());
  original_ = filter;
  showTexts(core::canFilterTexts(filter));
  id_->setFocus();
}

events::CanFilter TFormCANFilter::result() const {
  return core::confirmCanFilter(
      {id_->text().toStdString(), mask_->text().toStdString(), data_->text().toStdString()},
      original_);
}

std::optional<events::CanFilter> TFormCANFilter::editCanFilter(QPoint at, const QString& caption,
                                                               const events::CanFilter& filter) {
  load(at, caption, filter);
  if (exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return result();
}

}  // namespace kivprism::ui::dialogs

#include "ui/dialogs/entry_name_dialog.hpp"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/dialogs/entry_name_dialog.hpp"
#include "core/lang/dialog_rows.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/translate_form.hpp"
#include "ui/common/window_placement.hpp"
#include "ui/dialogs/text_width.hpp"

namespace kivprism::ui::dialogs {

namespace core = kivprism::dialogs;

TFormEditEventReactionName::TFormEditEventReactionName(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QString::fromUtf8(lang::kEntryNameFormName));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  edit_ = new QLineEdit(this);
  edit_->setObjectName("EditEventReaction");
  edit_->setMaxLength(core::kEntryNameMax);
  edit_->setMinimumWidth(editWidthFor(edit_, core::kEntryNameMax));
  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("BitBtnOk");
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(edit_);
  layout->addWidget(ok_);
}

void TFormEditEventReactionName::load(QPoint at, std::size_t entryNumber, const std::string& name) {
  translateForm(this, lang::kEntryNameFormName, lang::entryNameFormRows());
  const QString caption = qtText(core::entryNameCaption(entryNumber));
  setWindowTitle(caption);
  // The caption names the entry; the title bar must not cut it.
  setMinimumWidth(titleWidthFor(this, caption));
  adjustSize();
  move(at);
  keepOnScreenOf(this, parentWidget());
  edit_->setText(qtText(name));
  edit_->selectAll();
  edit_->setFocus();
}

std::string TFormEditEventReactionName::result() const {
  return core::entryNameFromText(edit_->text().toStdString());
}

std::optional<std::string> TFormEditEventReactionName::editEntryName(QPoint at,
                                                                     std::size_t entryNumber,
                                                                     const std::string& name) {
  load(at, entryNumber, name);
  if (exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return result();
}

}  // namespace kivprism::ui::dialogs

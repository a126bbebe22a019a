#include "ui/dialogs/ir_code_dialog.hpp"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/lang/dialog_rows.hpp"
#include "ui/common/bound_form.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/translate_form.hpp"
#include "ui/common/window_placement.hpp"

namespace kivprism::ui::dialogs {

namespace core = kivprism::dialogs;

namespace {

constexpr int kVisibleProtocols = 20;

QLabel* labelPanel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setFrameShape(QFrame::Panel);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

TFormIRCode::TFormIRCode(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QString::fromUtf8(lang::kIrCodeFormName));
  setModal(true);
  setFont(QFont("Fixedsys"));
  auto* grid = new QGridLayout(this);
  grid->addWidget(labelPanel(this, "PanelIRCodeType"), 0, 0, 1, 2);
  protocols_ = new QComboBox(this);
  protocols_->setObjectName("ComboBoxIRCodeTypex");
  protocols_->setMaxVisibleItems(kVisibleProtocols);
  grid->addWidget(protocols_, 1, 0, 1, 2);
  grid->addWidget(labelPanel(this, "PanelIRCodeAddress"), 2, 0);
  grid->addWidget(labelPanel(this, "PanelIRCodeCommand"), 2, 1);
  address_ = new QLineEdit(this);
  address_->setObjectName("EditIRCodeAddress");
  command_ = new QLineEdit(this);
  command_->setObjectName("EditIRCodeCommand");
  grid->addWidget(address_, 3, 0);
  grid->addWidget(command_, 3, 1);
  check_ = new QLabel(this);
  check_->setObjectName("LabelIRCodeCheckx");
  check_->setWordWrap(true);
  check_->hide();
  grid->addWidget(check_, 4, 0, 1, 2);
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("ButtonIRCodeOK");
  ok->setDefault(true);
  grid->addWidget(ok, 5, 0, 1, 2);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(address_, &QLineEdit::textEdited, this, &TFormIRCode::EditIRCodeAddressChange);
  connect(command_, &QLineEdit::textEdited, this, &TFormIRCode::EditIRCodeCommandChange);
  grid->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormIRCode::retranslate() {
  translateForm(this, lang::kIrCodeFormName, lang::irCodeFormRows());
  setWindowTitle(translated(core::kIrCodeCaption));
}

void TFormIRCode::load(QPoint at, const events::IrCode& code, events::IrContext context) {
  retranslate();
  original_ = code;
  form_ = core::irCodeForm(code, context);
  protocols_->clear();
  for (auto name : form_.protocols) {
    protocols_->addItem(qtText(name));
  }
  protocols_->setCurrentIndex(form_.selected);
  address_->setText(QString::fromStdString(form_.address));
  command_->setText(QString::fromStdString(form_.command));
  showChecks();
  adjustSize();
  move(at);
  keepOnScreenOf(this, parentWidget());
  protocols_->setFocus();
}

events::IrCode TFormIRCode::result() const {
  core::IrCodeForm form = form_;
  form.selected = protocols_->currentIndex();
  form.address = address_->text().toStdString();
  form.command = command_->text().toStdString();
  return core::confirmIrCode(form, original_);
}

std::optional<events::IrCode> TFormIRCode::editIrCode(QPoint at, const events::IrCode& code,
                                                      events::IrContext context) {
  load(at, code, context);
  if (exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return result();
}

void TFormIRCode::EditIRCodeAddressChange() { showChecks(); }

void TFormIRCode::EditIRCodeCommandChange() { showChecks(); }

// Both edits are checked so that the line under them always speaks of a field that is wrong now.
void TFormIRCode::showChecks() {
  const auto address = core::checkIrAddressText(address_->text().toStdString());
  const auto command = core::checkIrCommandText(command_->text().toStdString());
  setUnstored(address_, address.has_value());
  setUnstored(command_, command.has_value());
  const auto& notice = address ? address : command;
  check_->setText(notice ? qtText(notice->in(lang::currentLanguage())) : QString());
  check_->setVisible(notice.has_value());
}

}  // namespace kivprism::ui::dialogs

// The IR code dialog (TFormIRCode): the protocols offered in the event or reaction context, the
// address and the command in decimal. Each keystroke in a number is checked at once; the result
// shows in a line under the edits (an error box per keystroke would take the focus from the edit).
// OK takes the fields that hold a valid number and keeps the others.
#pragma once

#include <QDialog>
#include <QPoint>
#include <optional>

#include "core/dialogs/ir_code_dialog.hpp"
#include "core/events/ir_protocols.hpp"
#include "core/events/records.hpp"

class QComboBox;
class QLabel;
class QLineEdit;

namespace kivprism::ui::dialogs {

class TFormIRCode : public QDialog {
  Q_OBJECT

 public:
  explicit TFormIRCode(QWidget* parent = nullptr);

  // editIrCode: the record after OK, nothing when cancelled. `at` is the bottom centre of the
  // panel that shows the code.
  std::optional<events::IrCode> editIrCode(QPoint at, const events::IrCode& code,
                                           events::IrContext context);

  void load(QPoint at, const events::IrCode& code, events::IrContext context);
  events::IrCode result() const;

  // Captions and title in the current language.
  void retranslate();

  void EditIRCodeAddressChange();
  void EditIRCodeCommandChange();

 private:
  void showChecks();

  QComboBox* protocols_ = nullptr;
  QLineEdit* address_ = nullptr;
  QLineEdit* command_ = nullptr;
  QLabel* check_ = nullptr;
  kivprism::dialogs::IrCodeForm form_;
  events::IrCode original_;
};

}  // namespace kivprism::ui::dialogs

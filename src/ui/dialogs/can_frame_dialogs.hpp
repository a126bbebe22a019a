// The CAN message dialog (TFormCANMSG) and the CAN filter dialog (TFormCANFilter): an identifier
// and rows of bytes typed in hexadecimal. Enter in any edit confirms, Escape cancels; Clear empties
// the form. The caller stores the returned record and redraws, confirmed or not.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>
#include <optional>

#include "core/dialogs/can_frame_dialog.hpp"
#include "core/events/records.hpp"

class QLineEdit;
class QPushButton;

namespace kivprism::ui::dialogs {

class TFormCANMSG : public QDialog {
  Q_OBJECT

 public:
  explicit TFormCANMSG(QWidget* parent = nullptr);

  // editCanMessage: the record after OK (unchanged when the identifier text was not hex), nothing
  // when cancelled.
  std::optional<events::CanMessage> editCanMessage(QPoint at, const QString& caption,
                                                   const events::CanMessage& message);

  void load(QPoint at, const QString& caption, const events::CanMessage& message);
  events::CanMessage result() const;

 private:
  void showTexts(const kivprism::dialogs::CanMessageTexts& texts);

  QLineEdit* id_ = nullptr;
  QLineEdit* data_ = nullptr;
  events::CanMessage original_;
};

class TFormCANFilter : public QDialog {
  Q_OBJECT

 public:
  explicit TFormCANFilter(QWidget* parent = nullptr);

  std::optional<events::CanFilter> editCanFilter(QPoint at, const QString& caption,
                                                 const events::CanFilter& filter);

  void load(QPoint at, const QString& caption, const events::CanFilter& filter);
  events::CanFilter result() const;

 private:
  void showTexts(const kivprism::dialogs::CanFilterTexts& texts);

  QLineEdit* id_ = nullptr;
  QLineEdit* mask_ = nullptr;
  QLineEdit* data_ = nullptr;
  events::CanFilter original_;
};

}  // namespace kivprism::ui::dialogs

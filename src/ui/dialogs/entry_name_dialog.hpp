// The entry-name dialog (TFormEditEventReactionName): one edit of at most 16 characters. Enter or
// OK confirms, Escape or closing the window cancels.
#pragma once

#include <QDialog>
#include <QPoint>
#include <cstddef>
#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

namespace kivprism::ui::dialogs {

class TFormEditEventReactionName : public QDialog {
  Q_OBJECT

 public:
  explicit TFormEditEventReactionName(QWidget* parent = nullptr);

  // editEntryName: the name (UTF-8) to store when confirmed, nothing when cancelled. An empty
  // result clears the name.
  std::optional<std::string> editEntryName(QPoint at, std::size_t entryNumber,
                                           const std::string& name);

  // The steps of editEntryName around the modal wait, for callers that show it themselves.
  void load(QPoint at, std::size_t entryNumber, const std::string& name);
  std::string result() const;

 private:
  QLineEdit* edit_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace kivprism::ui::dialogs

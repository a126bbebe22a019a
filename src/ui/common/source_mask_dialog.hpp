// The source-mask dialog (TInterceptForm): eight ticks for sources 1..8 under two lines of text
// given by the caller; OK hands back the ticked mask.
#pragma once

#include <QDialog>
#include <QPoint>
#include <cstdint>
#include <optional>

class QLabel;
class QListWidget;

namespace kivprism::ui {

class TInterceptForm : public QDialog {
  Q_OBJECT

 public:
  explicit TInterceptForm(QWidget* parent = nullptr);

  // editSourceMask: the mask when confirmed with OK, nothing when the window was closed.
  std::optional<std::uint8_t> editSourceMask(const QString& first, const QString& second, QPoint at,
                                             std::uint8_t mask);

  void setTicks(std::uint8_t mask);
  std::uint8_t ticks() const;

 private:
  QListWidget* sources_ = nullptr;
  QLabel* first_ = nullptr;
  QLabel* second_ = nullptr;
};

}  // namespace kivprism::ui

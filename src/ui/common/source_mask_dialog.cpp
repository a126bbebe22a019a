#include "ui/common/source_mask_dialog.hpp"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/params/source_mask.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/window_placement.hpp"

namespace kivprism::ui {

namespace core = kivprism::params;

TInterceptForm::TInterceptForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("InterceptForm");
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  first_ = new QLabel(this);
  first_->setObjectName("PanelCurrentSRCText1x");
  second_ = new QLabel(this);
  second_->setObjectName("PanelCurrentSRCText2x");
  sources_ = new QListWidget(this);
  sources_->setObjectName("CheckListBoxInterceptSourcesx");
  for (std::size_t i = 0; i < core::kMaskSources; ++i) {
    auto* item = new QListWidgetItem(QString::number(i + 1), sources_);
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    item->setCheckState(Qt::Unchecked);
  }
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("ButtonOK");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(first_);
  layout->addWidget(second_);
  layout->addWidget(sources_);
  layout->addWidget(ok);
}

void TInterceptForm::setTicks(std::uint8_t mask) {
  const auto ticks = core::maskTicks(mask);
  for (int i = 0; i < sources_->count(); ++i) {
    sources_->item(i)->setCheckState(ticks[static_cast<std::size_t>(i)] ? Qt::Checked
                                                                        : Qt::Unchecked);
  }
}

std::uint8_t TInterceptForm::ticks() const {
  std::array<bool, core::kMaskSources> ticks{};
  for (int i = 0; i < sources_->count(); ++i) {
    ticks[static_cast<std::size_t>(i)] = sources_->item(i)->checkState() == Qt::Checked;
  }
  return core::maskFromTicks(ticks);
}

std::optional<std::uint8_t> TInterceptForm::editSourceMask(const QString& first,
                                                           const QString& second, QPoint at,
                                                           std::uint8_t mask) {
  sources_->setToolTip(translated(core::kSourceMaskHint));
  setWindowTitle(translated(core::kSourceMaskCaption));
  first_->setText(first);
  second_->setText(second);
  adjustSize();
  move(at);
  keepOnScreenOf(this, parentWidget());
  setTicks(mask);
  if (exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return ticks();
}

}  // namespace kivprism::ui

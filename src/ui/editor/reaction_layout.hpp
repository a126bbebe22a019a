// Where each control of the reaction pages sits, as data: the 31 pages of PageControlReaction in
// page order (the page index is the reaction type) and the rows of each. Structure only: a
// control's kind comes from the core's reaction bindings, every text from the language table or
// the derived view. Controls that are not plain bindings are made by makeReactionSpecial.
#pragma once

#include <QLabel>
#include <span>
#include <string_view>

#include "ui/common/tab_layout.hpp"

class QWidget;

namespace kivprism::ui::editor {

// The 31 reaction pages in page order.
std::span<const ui::TabLayout> reactionPages();

// The controls the factory makes (nullptr for any other name):
// - click panels (ReactionClickPanel): PanelEventReactionx, PanelEventReactionIRx,
//   SpeedButtonEventReactionSRCSkipx, SpeedButtonReactionVARFuncx, Panel_SW_CAN_PRESS,
//   Panel_SW_CAN_DEPRESS; they are bindings of kind Widget too, so the form that builds the page
//   registers them (BoundForm::addNamed) to have their texts applied;
// - TabControlAMPLx: a QTabBar with the seven amplifier parameters;
// - SpeedButtonReactionTouch: a QPushButton; ProgressBarReactionTouch: a hidden QProgressBar.
QWidget* makeReactionSpecial(std::string_view control, QWidget* parent);

// Whether the factory makes a control that is also a binding (and so needs addNamed).
bool isBoundReactionSpecial(std::string_view control);

// A panel or button of a reaction page that reports clicks: a left click runs the control's
// action (a dialog, learning, the operation cycle), a right click opens its context menu.
class ReactionClickPanel : public QLabel {
  Q_OBJECT

 public:
  explicit ReactionClickPanel(QWidget* parent = nullptr);

 signals:
  void clicked();
  void rightClicked(const QPoint& globalPosition);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace kivprism::ui::editor

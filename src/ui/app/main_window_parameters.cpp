// The parameters page's place in the main window: built into TabSheetParameters, redrawn when the
// window invalidates its pages, and fed with the variables the connection poll reads.
#include <QApplication>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/params/availability.hpp"
#include "core/params/derive.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/dialogs/keyboard_dialog.hpp"
#include "ui/editor/capture_procedures.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "ui/editor/reaction_half.hpp"
#include "ui/monitor/can_log_page.hpp"
#include "ui/params/key_procedures.hpp"
#include "ui/params/keys_grid_widget.hpp"
#include "ui/params/parameters_feed.hpp"
#include "ui/params/parameters_page.hpp"

namespace kivprism::ui {

void TMainForm::buildParametersPage(QVBoxLayout* layout) {
  params::ParametersPage::Hooks hooks;
  hooks.shell = &shell_;
  // The page redraws once while the window is being built, before the CAN-log page exists.
  hooks.setCanLogVisible = [this](bool) {
    if (canLog_ != nullptr) {
      canLog_->refreshCanLogPage();
    }
  };
  hooks.fillKeysGrid = [this] { keyProcedures_->fillKeysGrid(); };
  hooks.keysSetupClicked = [this] { keyProcedures_->SpeedButtonKeysSetupClick(); };
  hooks.touchSetupClicked = [this](bool withMargin) {
    keyProcedures_->SpeedButtonTouchSetupClick(withMargin);
  };
  hooks.keysGrid = keyProcedures_->grid();
  // The page's refresh ends with the event pane's; the pane exists only after the page.
  hooks.forceEventPane = [this] {
    if (eventPane_) {
      eventPane_->forceRefresh();
    }
  };
  hooks.refreshEventPane = [this] {
    if (eventPane_) {
      eventPane_->refresh();
    }
    // A USB function ticked on the interfaces tab shows or hides the open keyboard's groups even
    // when the selected entry, and so the pane, did not change.
    if (keyboard_) {
      keyboard_->showKeyboardGroups();
    }
  };
  auto* row = new QHBoxLayout;
  layout->addLayout(row, 1);
  parameters_ = new params::ParametersPage(model_, std::move(hooks), parametersPage_);
  row->addWidget(parameters_, 1);
  parametersFeed_ = std::make_unique<params::ParametersFeed>(
      *link_, *parameters_, *currentSource_,
      [this] { return pageControlMain_->currentWidget() == parametersPage_; });
  buildEventPane(row);
  connect(keyProcedures_.get(), &KeyProcedures::keyEventsChanged, parameters_,
          &params::ParametersPage::keyEventsChanged);
  // A language switch redraws the page at once, so that no list shows the old language while the
  // window's captions show the new one.
  connect(this, &TMainForm::pagesInvalidated, parameters_, [this] {
    const auto* shown = parameters_->lastView();
    if (shown && shown->language != lang::currentLanguage()) {
      parameters_->retranslate();
    }
  });
  // The page's corrections of a configuration read from the controller are changes the link
  // sends, made by the link itself: not left to when the page happens to redraw.
  link_->normaliseAfterRead(
      [](config::ConfigImage& image) { kivprism::params::normalisePage(image); });
  // Queued: the page redraws once the whole read is finished.
  connect(
      this, &TMainForm::pagesInvalidated, parameters_,
      [this] {
        parameters_->retranslate();
        // The hint says what a click on the switch will do.
        onlyUsedx_->setToolTip(translated(kivprism::params::onlyUsedHint(onlyUsed())));
      },
      Qt::QueuedConnection);
}

// The event/reaction pane on the right of the parameters page.
void TMainForm::buildEventPane(QHBoxLayout* row) {
  editor::EventReactionPane::Hooks hooks;
  hooks.shell = &shell_;
  hooks.marks = [this] {
    const auto* shown = parameters_->lastView();
    return shown ? shown->marks : kivprism::params::computeAvailability(model_.working);
  };
  hooks.onlyUsed = [this] { return onlyUsed(); };
  // A redraw of the entry gives the shown window the focus back (from the keyboard dialog, say),
  // but never takes it from a modal box or dialog.
  hooks.focusWindow = [this] {
    if (isVisible() && !isMinimized() && !isActiveWindow() && !QApplication::activeModalWidget()) {
      activateWindow();
    }
  };
  eventPane_ = new editor::EventReactionPane(model_.working, std::move(hooks),
                                             editor::reactionHalf(), parametersPage_);
  row->addWidget(eventPane_, 1);
  // A whole read, a file load, the language or the only-used switch: the next refresh redraws.
  connect(this, &TMainForm::pagesInvalidated, eventPane_, &editor::EventReactionPane::forceRefresh);
  connect(this, &TMainForm::pagesInvalidated, eventPane_, &editor::EventReactionPane::retranslate,
          Qt::QueuedConnection);
  // Reaction edits that change what the parameters page uses, or need a pin configured first.
  connect(eventPane_, &editor::EventReactionPane::parametersPageRefreshWanted, parameters_,
          &params::ParametersPage::refresh);
  connect(eventPane_, &editor::EventReactionPane::pinsTabWanted, parameters_, [this] {
    if (auto* pins = parameters_->pageControl()->findChild<QWidget*>("TabSheetPINS")) {
      parameters_->pageControl()->setCurrentWidget(pins);
    }
  });
  wireEditorProcedures();
  eventPane_->refresh();
}

// IR learning, the touch-point capture and the keyboard dialog, each acting on the pane's entry.
void TMainForm::wireEditorProcedures() {
  captures_ = new editor::CaptureProcedures(
      *link_, shell_,
      [this] {
        return keyProcedures_->keyLearningRunning() || keyProcedures_->touchCalibrationRunning();
      },
      this);
  keyboard_ = new dialogs::TFormKeyBoard(model_.working, *this);
  // The dialog redraws from a new image or in a new language, as the pages do.
  connect(this, &TMainForm::pagesInvalidated, keyboard_, [this] {
    keyboard_->retranslate();
    keyboard_->refresh();
  });
  connect(keyProcedures_.get(), &KeyProcedures::procedureRunningChanged, keyboard_,
          [this](bool running) { keyboard_->setKeyGroupsEnabled(!running); });
  connect(eventPane_, &editor::EventReactionPane::irPanelClicked, captures_,
          &editor::CaptureProcedures::learnIrCode);
  connect(eventPane_, &editor::EventReactionPane::touchCaptureClicked, captures_,
          [this](std::size_t entry) {
            captures_->captureTouchPoint(
                entry, eventPane_->findChild<QProgressBar*>("ProgressBarReactionTouch"));
          });
  connect(captures_, &editor::CaptureProcedures::entryChanged, eventPane_,
          &editor::EventReactionPane::refresh);
  connect(captures_, &editor::CaptureProcedures::procedureRunningChanged, this,
          &TMainForm::procedureRunningChanged);
  connect(captures_, &editor::CaptureProcedures::procedureRunningChanged, keyboard_,
          [this](bool running) { keyboard_->setKeyGroupsEnabled(!running); });
  connect(eventPane_, &editor::EventReactionPane::keyboardPanelClicked, keyboard_,
          &dialogs::TFormKeyBoard::openKeyboardDialog);
  connect(eventPane_, &editor::EventReactionPane::entrySelected, keyboard_,
          &dialogs::TFormKeyBoard::followEntry);
  connect(keyboard_, &dialogs::TFormKeyBoard::entryChanged, eventPane_,
          &editor::EventReactionPane::refresh);
}

}  // namespace kivprism::ui

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
#include "ui/common/redraw_later.hpp"
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
    if (pages_.canLogPage != nullptr) {
      pages_.canLogPage->refreshCanLogPage();
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
    if (pages_.eventPane) {
      pages_.eventPane->forceRefresh();
    }
  };
  hooks.refreshEventPane = [this] {
    if (pages_.eventPane) {
      pages_.eventPane->refresh();
    }
    // A USB function ticked on the interfaces tab shows or hides the open keyboard's groups even
    // when the selected entry, and so the pane, did not change.
    if (pages_.keyboard) {
      pages_.keyboard->showKeyboardGroups();
    }
  };
  auto* row = new QHBoxLayout;
  layout->addLayout(row, 1);
  pages_.parameters = new params::ParametersPage(model_, std::move(hooks), pages_.parametersTab);
  row->addWidget(pages_.parameters, 1);
  parametersFeed_ = std::make_unique<params::ParametersFeed>(
      *link_, *pages_.parameters, *pages_.currentSource,
      [this] { return pages_.pageControl->currentWidget() == pages_.parametersTab; });
  buildEventPane(row);
  connect(keyProcedures_.get(), &KeyProcedures::keyEventsChanged, pages_.parameters,
          &params::ParametersPage::keyEventsChanged);
  // A language switch redraws the page at once, so that no list shows the old language while the
  // window's captions show the new one.
  connect(this, &TMainForm::pagesInvalidated, pages_.parameters, [this] {
    const auto* shown = pages_.parameters->lastView();
    if (shown && shown->language != lang::currentLanguage()) {
      pages_.parameters->retranslate();
    }
  });
  // The page's corrections of a configuration read from the controller are changes the link
  // sends, made by the link itself: not left to when the page happens to redraw.
  link_->normaliseAfterRead(
      [](config::ConfigImage& image) { kivprism::params::normalisePage(image); });
  // Later: the page redraws once the whole read is finished.
  auto* redraw = new RedrawLater(pages_.parameters, [this] {
    pages_.parameters->retranslate();
    // The hint says what a click on the switch will do.
    toolbar_->showOnlyUsedHint(menu_->onlyUsed());
  });
  connect(this, &TMainForm::pagesInvalidated, redraw, &RedrawLater::request);
}

// The event/reaction pane on the right of the parameters page.
void TMainForm::buildEventPane(QHBoxLayout* row) {
  editor::EventReactionPane::Hooks hooks;
  hooks.shell = &shell_;
  hooks.marks = [this] {
    const auto* shown = pages_.parameters->lastView();
    return shown ? shown->marks : kivprism::params::computeAvailability(model_.working);
  };
  hooks.onlyUsed = [this] { return menu_->onlyUsed(); };
  // A redraw of the entry gives the shown window the focus back (from the keyboard dialog, say),
  // but never takes it from a modal box or dialog.
  hooks.focusWindow = [this] {
    if (isVisible() && !isMinimized() && !isActiveWindow() && !QApplication::activeModalWidget()) {
      activateWindow();
    }
  };
  pages_.eventPane = new editor::EventReactionPane(model_.working, std::move(hooks),
                                                   editor::reactionHalf(), pages_.parametersTab);
  row->addWidget(pages_.eventPane, 1);
  // A whole read, a file load, the language or the only-used switch: the next refresh redraws.
  connect(this, &TMainForm::pagesInvalidated, pages_.eventPane,
          &editor::EventReactionPane::forceRefresh);
  auto* redraw =
      new RedrawLater(pages_.eventPane, [pane = pages_.eventPane] { pane->retranslate(); });
  connect(this, &TMainForm::pagesInvalidated, redraw, &RedrawLater::request);
  // Reaction edits that change what the parameters page uses, or need a pin configured first.
  connect(pages_.eventPane, &editor::EventReactionPane::parametersPageRefreshWanted,
          pages_.parameters, &params::ParametersPage::refresh);
  connect(pages_.eventPane, &editor::EventReactionPane::pinsTabWanted, pages_.parameters, [this] {
    if (auto* pins = pages_.parameters->pageControl()->findChild<QWidget*>("TabSheetPINS")) {
      pages_.parameters->pageControl()->setCurrentWidget(pins);
    }
  });
  wireEditorProcedures();
  pages_.eventPane->refresh();
}

// IR learning, the touch-point capture and the keyboard dialog, each acting on the pane's entry.
void TMainForm::wireEditorProcedures() {
  pages_.captures = new editor::CaptureProcedures(
      *link_, shell_,
      [this] {
        return keyProcedures_->keyLearningRunning() || keyProcedures_->touchCalibrationRunning();
      },
      this);
  pages_.keyboard = new dialogs::TFormKeyBoard(model_.working, *this);
  // The dialog redraws from a new image or in a new language, as the pages do.
  connect(this, &TMainForm::pagesInvalidated, pages_.keyboard, [this] {
    pages_.keyboard->retranslate();
    pages_.keyboard->refresh();
  });
  connect(keyProcedures_.get(), &KeyProcedures::procedureRunningChanged, pages_.keyboard,
          [this](bool running) { pages_.keyboard->setKeyGroupsEnabled(!running); });
  connect(pages_.eventPane, &editor::EventReactionPane::irPanelClicked, pages_.captures,
          &editor::CaptureProcedures::learnIrCode);
  connect(pages_.eventPane, &editor::EventReactionPane::touchCaptureClicked, pages_.captures,
          [this](std::size_t entry) {
            pages_.captures->captureTouchPoint(
                entry, pages_.eventPane->findChild<QProgressBar*>("ProgressBarReactionTouch"));
          });
  connect(pages_.captures, &editor::CaptureProcedures::entryChanged, pages_.eventPane,
          &editor::EventReactionPane::refresh);
  connect(pages_.captures, &editor::CaptureProcedures::procedureRunningChanged, toolbar_.get(),
          &WindowToolbar::procedureRunningChanged);
  connect(pages_.captures, &editor::CaptureProcedures::procedureRunningChanged, pages_.keyboard,
          [this](bool running) { pages_.keyboard->setKeyGroupsEnabled(!running); });
  connect(pages_.eventPane, &editor::EventReactionPane::keyboardPanelClicked, pages_.keyboard,
          &dialogs::TFormKeyBoard::openKeyboardDialog);
  connect(pages_.eventPane, &editor::EventReactionPane::entrySelected, pages_.keyboard,
          &dialogs::TFormKeyBoard::followEntry);
  connect(pages_.keyboard, &dialogs::TFormKeyBoard::entryChanged, pages_.eventPane,
          &editor::EventReactionPane::refresh);
}

}  // namespace kivprism::ui

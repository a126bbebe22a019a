// PanelEvents: the event/reaction editor on the right of the parameters tab. The 100 entry tabs,
// the event half (its pages from the event bindings and the event layout) and the reaction half
// (a PaneHalf the caller fills), and the refresh that redraws both from the selected entry with
// the entry-hash skip, the sentinel and the re-entry guard.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "core/config/image.hpp"
#include "core/editor/event_handlers.hpp"
#include "core/editor/pane_rules.hpp"
#include "core/editor/refresh.hpp"
#include "core/events/ir_protocols.hpp"
#include "core/params/availability.hpp"
#include "ui/common/bound_form.hpp"
#include "ui/editor/pane_half.hpp"
#include "ui/editor/reaction_half.hpp"

class QGroupBox;
class QMenu;
class QLabel;
class QTabBar;
class QTabWidget;

namespace kivprism::ui::dialogs {
class TFormCANFilter;
class TFormCANMSG;
class TFormEditEventReactionName;
class TFormIRCode;
}  // namespace kivprism::ui::dialogs
namespace kivprism::ui {
class TInterceptForm;
}

namespace kivprism::ui::editor {

class KeyDropPanel;

class EventReactionPane : public QWidget {
  Q_OBJECT

 public:
  // What the pane needs from the main window. Unset hooks do nothing (marks: none; only-used: off).
  struct Hooks {
    // Boxes, and the poll and the redraw held off while the pane redraws; none: plain boxes.
    shell::ShellServices* shell = nullptr;
    std::function<kivprism::params::AvailabilityMarks()> marks;
    std::function<bool()> onlyUsed;
    // The refresh's last step gives the main window the focus when it is visible.
    std::function<void()> focusWindow;
    // Adds the commands on the selected rule (copy, paste, ...) to the entry tabs' menu.
    std::function<void(QMenu* menu)> extendTabsMenu;
  };

  EventReactionPane(config::ConfigImage& image, Hooks hooks, PaneHalf reaction = reactionHalf(),
                    QWidget* parent = nullptr);
  ~EventReactionPane() override;

  void setTabsMenuExtension(std::function<void(QMenu* menu)> extend) {
    hooks_.extendTabsMenu = std::move(extend);
  }

  std::size_t selectedEntry() const;
  void selectEntry(std::size_t entry);
  std::size_t refreshCount() const { return refresher_.refreshCount(); }

  QTabBar* entryTabs() const { return entryTabs_; }
  QTabWidget* eventPages() const { return eventPages_; }
  QTabWidget* reactionPages() const { return reactionPages_; }
  // The tab bars the user sees above the event and the reaction pages: one tab per page shown,
  // its data the page index.
  QTabBar* eventTabs() const { return event_.tabs; }
  QTabBar* reactionTabs() const { return reaction_.tabs; }
  QWidget* control(std::string_view name) const;
  KeyDropPanel* keyPanel(bool modifier) const { return modifier ? modifierPanel_ : keyPanel_; }

  // The selection menus as they open on a right click (tests drive them without a click).
  QMenu* tabsMenu();
  QMenu* eventMenu();
  QMenu* reactionMenu();
  // The key panels' and the IR panel's context menus; nullptr when the panel has nothing to offer.
  QMenu* keyPanelMenu(bool modifier);
  QMenu* irPanelMenu();

  // What a change, a menu or a click asks of the pane, answered here for both halves: a dialog
  // opens modally under the source widget (at the cursor without one, or at the given point),
  // and its answer is stored; a cancelled dialog stores nothing. True when a dialog was answered.
  bool ask(const kivprism::editor::PaneRequest& request, QWidget* source,
           std::optional<QPoint> at = std::nullopt);

  // The dialogs. Each opens modally at the given screen point and returns the answer, nothing
  // when cancelled.
  std::optional<std::uint8_t> editSourceMask(const lang::TextPair& first,
                                             const lang::TextPair& second, QPoint at,
                                             std::uint8_t mask);
  dialogs::TFormIRCode& irCodeDialog();
  dialogs::TFormCANMSG& canMessageDialog();
  dialogs::TFormCANFilter& canFilterDialog();
  dialogs::TFormEditEventReactionName& entryNameDialog();
  int messageBox(unsigned flags, const QString& text);
  config::ConfigImage& image() { return image_; }

  // For the reaction half's own controls: its form (bound specials register there), a widget's
  // click or change through the half's change path, and whether a refresh is applying a view
  // (then no control reports a user action).
  BoundForm& reactionForm() { return *reaction_.form; }
  void changeReactionWidget(std::string_view control, const view::Change& change, QWidget* source);
  bool applyingView() const { return refresher_.running() || applying_; }

  // Captions, hints and the derived texts in the current language; the next refresh redraws.
  void retranslate();
  // The texts that say what the hidden gestures do, in the current language.
  void showGestureHints();
  // The line under the key panels: shown while the event has no key.
  QLabel* keyHint() const { return keyHint_; }
  // The bottom centre of a widget on the screen, where the dialogs of its panel open.
  static QPoint bottomCentre(const QWidget* w);

 public slots:
  void refresh();
  // Page visibility from the parameters page's marks and the only-used view; every refresh ends
  // with it, also one skipped because the entry did not change.
  void applyOnlyUsedView();
  // Stores what the user typed into the fields of the entry shown and did not commit yet.
  void storeTypedValues();
  // The next refresh does its full work (device read, file load, language, only-used switch).
  void forceRefresh() { refresher_.force(); }
  void forcedRefresh() {
    refresher_.force();
    refresh();
  }
  // The tab control's double click: the entry-name dialog at the given screen point.
  void editEntryName(QPoint at);

 signals:
  // Left click on PanelIRDEFx (event) or PanelEventReactionIRx (reaction): learn an IR code.
  void irPanelClicked(std::size_t entry, kivprism::events::IrContext context);
  // SpeedButtonReactionTouch: capture a touch point.
  void touchCaptureClicked(std::size_t entry);
  // PanelEventReactionx: the keyboard usage dialog for this entry.
  void keyboardPanelClicked(std::size_t entry);
  // The selected entry changed, or a refresh redrew it (the keyboard dialog follows it).
  void entrySelected(std::size_t entry);
  // A reaction edit changed what the parameters page uses; its refresh ends with this pane's.
  void parametersPageRefreshWanted();
  // A reaction pin needs its pin configured first: show the pins tab.
  void pinsTabWanted();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A greyed line under a page's rows.
  static QLabel* addPageHint(QWidget* page, const QString& name);
  void showKeyHint();
  struct Half {
    PaneHalf description;
    BoundForm* form = nullptr;
    QTabWidget* pages = nullptr;
    QTabBar* tabs = nullptr;     // the shown pages' tabs; the page control's own bar stays hidden
    QLabel* typeHint = nullptr;  // on the page of no type
    std::array<bool, 64> visible{};
    std::size_t pageCount = 0;
    std::size_t shownPage = 0;
  };

  void build();
  QWidget* buildBottomRow(QWidget* parent);
  QTabWidget* buildPages(Half& half, const char* name, QWidget* parent);
  BoundForm* makeForm(Half& half);
  QWidget* makeEventSpecial(std::string_view control, QWidget* parent);
  void pageChosen(Half& half, int index);
  void widgetClicked(Half& half, std::string_view control, QWidget* source,
                     const view::Change& change = {});
  void afterChange(const view::ChangeOutcome& outcome, QWidget* source);
  QMenu* pageMenu(Half& half);
  void applyHalf(Half& half, const HalfView& view);
  void showPages(Half& half, std::span<const bool> visible);
  void syncTabs(Half& half);
  std::size_t editedEntry() const;
  void updateTabCaptions();
  kivprism::editor::EventPaneContext context() const;

  config::ConfigImage& image_;
  Hooks hooks_;
  kivprism::editor::EventPaneRefresher refresher_;
  kivprism::editor::TabCaptions captions_;
  Half event_;
  Half reaction_;
  // What the change being handled asks, answered once the form has shown its notice.
  std::optional<kivprism::editor::PaneRequest> pendingRequest_;
  bool applying_ = false;
  // While typed values are stored on leaving an entry: the entry they belong to.
  std::size_t typedEntry_ = 0;
  std::size_t shownEntry_ = 0;  // the entry the controls show
  QTabBar* entryTabs_ = nullptr;
  QLabel* keyHint_ = nullptr;
  QTabWidget* eventPages_ = nullptr;
  QTabWidget* reactionPages_ = nullptr;
  QGroupBox* eventBox_ = nullptr;
  QGroupBox* reactionBox_ = nullptr;
  KeyDropPanel* keyPanel_ = nullptr;
  KeyDropPanel* modifierPanel_ = nullptr;
  QWidget* irPanel_ = nullptr;
  TInterceptForm* sourceMaskDialog_ = nullptr;
  dialogs::TFormIRCode* irCodeDialog_ = nullptr;
  dialogs::TFormCANMSG* canMessageDialog_ = nullptr;
  dialogs::TFormCANFilter* canFilterDialog_ = nullptr;
  dialogs::TFormEditEventReactionName* entryNameDialog_ = nullptr;
};

}  // namespace kivprism::ui::editor

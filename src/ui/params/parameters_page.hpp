// The parameters page: PageControlParams with its 27 tabs, a bound form over the core's binding
// table. A refresh derives the page's view in the core and the form applies it by name; the page
// adds what is its own: the tabs, the differential-bus pages, the source-mask dialog.
#pragma once

#include <QHash>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/config/image.hpp"
#include "core/device/link_host.hpp"
#include "core/params/handlers.hpp"
#include "core/params/page_view.hpp"
#include "core/params/param_find.hpp"
#include "core/params/refresh.hpp"
#include "ui/common/bound_form.hpp"
#include "ui/common/window_clock.hpp"
#include "ui/params/page_layout.hpp"

class QGraphicsEffect;
class QLabel;
class QLineEdit;
class QListWidget;
class QStackedWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace kivprism::ui {
class TInterceptForm;
}

namespace kivprism::ui::params {

class ParametersPage : public QWidget {
  Q_OBJECT

 public:
  // What the page needs from the main window. Unset hooks do nothing; without a shell and a
  // source-mask hook the page falls back to plain boxes and its own dialog.
  struct Hooks {
    // Boxes, and the poll and the redraw held off while the page redraws; none: plain boxes.
    shell::ShellServices* shell = nullptr;
    std::function<std::optional<std::uint8_t>(const QString& first, const QString& second,
                                              QPoint at, std::uint8_t mask)>
        editSourceMask;
    std::function<void()> forceEventPane;    // invalidate the event/reaction pane's hash
    std::function<void()> refreshEventPane;  // its refresh, which follows every page refresh
    std::function<void(bool)> setCanLogVisible;
    // PageControlParamsChanging: false while a long procedure holds the keyboard dialog.
    std::function<bool()> tabChangeAllowed;
    // The refresh's keys-grid step: the grid redraws from the image.
    std::function<void()> fillKeysGrid;
    // The two set-up buttons' clicks: key learning, and touch calibration with CheckBoxTouchDXY's
    // state (the 10 % margin).
    std::function<void()> keysSetupClicked;
    std::function<void(bool withMargin)> touchSetupClicked;
    // StringGridKeys, placed in GroupBoxKeys on the keys tab; the page does not own it.
    QWidget* keysGrid = nullptr;
  };

  // Which set-up procedure runs and keeps its own button enabled so that a second click stops it.
  enum class RunningSetup { None, Keys, Touch };

  ParametersPage(config::ConfigModel& model, Hooks hooks, QWidget* parent = nullptr);
  ~ParametersPage() override;
  // The clock the highlight's end runs on: the wall clock until the window hands in its own.
  void setClock(WindowClock& clock);

  // The refresh of the page: skipped while running and when the image did not change.
  void refresh();
  // The next refresh does its full work.
  void forceRefresh() { refresher_.force(); }
  // Captions, hints and the derived texts in the current language.
  void retranslate();

  // The tabs' page control; its own tab row is hidden, the category list chooses the tab.
  QTabWidget* pageControl() const { return pageControl_; }
  QTreeWidget* categoryList() const { return categories_; }
  QLineEdit* findBox() const { return findBox_; }
  QListWidget* findResults() const { return findResults_; }

  // Opens the tab of a control (by its name or the configuration file's key of its field), scrolls
  // to it, gives it the focus and highlights it for a moment. False when the key names no control
  // of the page, the settings hide it or the tab may not change now.
  bool revealControl(const std::string& key);
  bool revealControl(const QString& key) { return revealControl(key.toStdString()); }
  // The object name of the active tab, and the choice of a tab by it (the settings file keeps it).
  QString currentTabName() const;
  bool showTabNamed(const QString& name);
  // The tab the settings file remembers: shown now, or as soon as the settings show it, unless the
  // user chooses another tab first.
  void rememberTab(const QString& name);
  // The control revealControl highlights just now; nullptr when the highlight has ended.
  QWidget* highlighted() const { return highlighted_; }
  const kivprism::params::PageView* lastView() const { return lastView_ ? &*lastView_ : nullptr; }
  // Names of the widgets the view drives (controls and the labels the refresh shows or hides).
  QStringList boundNames() const { return form_->names(); }

  // The set-up buttons follow the toolbar: usable while a controller is connected and no command
  // runs; the touch set-up also only while no capacitive converter feeds the touches.
  void setSetupAvailable(bool available);
  void setRunningSetup(RunningSetup running);
  // Key events lost a reference or a label changed: the event pane redraws.
  void keyEventsChanged();

  // The VAR view, fed by the connection poll while its tab is the active one.
  bool variablesViewActive() const;
  void showVariables(const device::VariablesView& view);

 private:
  void build();
  void PageControlParamsMouseDown(const QPoint& at);
  void PageControlParamsChange(int index);
  QWidget* makeSpecial(std::string_view name, QWidget* parent);
  QWidget* makePwmChannels(QWidget* parent);
  QWidget* makeAnalogChannels(QWidget* parent);
  QLabel* namedLabel(const char* name, QWidget* parent);
  void followUp(const kivprism::params::ChangeOutcome& outcome, QWidget* source);
  void ask(const view::DialogRequest& request, QWidget* below);
  void apply(const kivprism::params::PageView& view);
  void afterApply();
  void enableSetupButtons();
  void buildFindPanel(QWidget* panel);
  void buildCategories();
  void syncCategories();
  void categoryChosen(QTreeWidgetItem* item);
  void findTextChanged(const QString& text);
  void highlight(QWidget* control);
  void endHighlight();
  QString entryLine(const kivprism::params::FindEntry& entry, bool shown, bool marked) const;

  config::ConfigModel& model_;
  Hooks hooks_;
  kivprism::params::PageRefresher refresher_;
  std::optional<kivprism::params::PageView> lastView_;
  BoundForm* form_ = nullptr;
  QTabWidget* pageControl_ = nullptr;
  QTreeWidget* categories_ = nullptr;
  QLineEdit* findBox_ = nullptr;
  QListWidget* findResults_ = nullptr;
  QPointer<QWidget> highlighted_;
  QPointer<QGraphicsEffect> tint_;
  std::unique_ptr<ClockTimer> highlightTimer_;
  QString rememberedTab_;
  std::vector<kivprism::params::FindEntry> findEntries_;
  QStackedWidget* diffBusPages_ = nullptr;
  int activeTab_ = 0;
  TInterceptForm* interceptForm_ = nullptr;
  QWidget* keysSetup_ = nullptr;
  QWidget* touchSetup_ = nullptr;
  bool setupAvailable_ = false;
  RunningSetup runningSetup_ = RunningSetup::None;
};

}  // namespace kivprism::ui::params

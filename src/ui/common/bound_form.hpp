// A form bound to the core: builds its controls from a binding table and a layout description,
// connects each to the core's change entry, and applies a derived view by control name. Every
// page and dialog uses it the same way; a form adds only its own follow-ups (refresh, dialogs).
//
// What it does for every form: a wheel notch over a combo box or spin box that does not have the
// focus scrolls the page instead of changing the value; a numeric field stores on Enter and when it
// loses the focus, and is tinted while it holds a text that is not stored; applying a view emits
// no change signal.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "core/shell/shell_services.hpp"
#include "core/view/binding.hpp"

class QLineEdit;
class QTabWidget;
class QWidget;

namespace kivprism::ui {

// One row of a layout description: a control and the object names of its caption and unit labels.
// A caption label's text comes from the language table by its name.
inline constexpr std::string_view kDerivedCaption = "*";  // "Panel" + the control's role
struct FormRow {
  std::string_view control;
  std::string_view caption = kDerivedCaption;  // empty: no caption label
  std::string_view unit{};                     // empty: no unit label
};

// The caption label name a row gets by default: the control's name without its kind prefix and
// without a trailing "x", after "Panel" ("ComboBoxGPSNUM" -> "PanelGPSNUM").
QString derivedCaptionName(std::string_view control);

class BoundForm : public QObject {
  Q_OBJECT

 public:
  struct Hooks {
    // The core's change entry of the form.
    std::function<view::ChangeOutcome(std::string_view control, view::ControlKind kind,
                                      const view::Change& change)>
        change;
    // One control as the image now shows it (an edit field after a store without a refresh).
    std::function<view::ControlView(std::string_view control)> showOne;
    // What the form does after a change: refresh, dialogs. Called after the notice was shown.
    std::function<void(const view::ChangeOutcome& outcome, QWidget* source)> followUp;
    // A refused choice: the next refresh must do its full work to put the control back.
    std::function<void()> forceRefresh;
    // True while the form's refresh runs: the refresh's own updates are not user changes.
    std::function<bool()> refreshing;
    // The notices' boxes; none: a plain box over the owner.
    shell::ShellServices* shell = nullptr;
  };

  BoundForm(QWidget* owner, const view::BindingTable& table, Hooks hooks);

  // The control a binding describes, named and connected; nullptr when the table lacks the name.
  QWidget* makeControl(std::string_view control, QWidget* parent);
  // A page of rows in a form layout; `special` makes controls that have no binding (or nullptr).
  QWidget* buildRows(std::span<const FormRow> rows, QWidget* parent,
                     const std::function<QWidget*(std::string_view, QWidget*)>& special);
  // A widget the view reaches by name (a label the rules show or hide).
  void addNamed(QWidget* widget);
  // A widget that follows a control's visibility and enabling (its caption and unit labels).
  void follow(std::string_view control, QWidget* widget);

  void apply(const view::FormView& view);
  // Commits every field holding a text that is not stored, as leaving the field would.
  void storeTypedValues();
  // Tabs in view order: visibility and the captions the view sets; the current tab is kept.
  static void applyTabs(QTabWidget* tabs, const std::vector<view::TabView>& views);
  // Captions and hints of program-filled controls (names ending in x) from their bindings.
  void retranslate();

  QWidget* widget(std::string_view control) const;
  QStringList names() const { return widgets_.keys(); }
  const view::BindingTable& table() const { return table_; }
  // The object name of the label that captions the control; empty when it has none.
  QString captionLabelName(std::string_view control) const;

 signals:
  // A user's change of a control begins, and has been handled with everything that follows it
  // (the refresh, a dialog and its answer): the edit history makes one step of what lies between.
  void changeStarted(const QString& control);
  void changeFinished(const QString& control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void connectControl(const view::Binding& b, QWidget* w);
  void changed(std::string_view control, view::ControlKind kind, const view::Change& change,
               QWidget* source, bool fromEnter = false);
  void commitEdit(QLineEdit* edit, std::string_view control, bool fromEnter);
  void applyControl(const view::ControlView& c, QWidget* w);

  QWidget* owner_;
  const view::BindingTable& table_;
  Hooks hooks_;
  QHash<QString, QWidget*> widgets_;
  QHash<QString, std::vector<QWidget*>> followers_;
};

// Marks an edit field as holding a text that is not stored (tinted) or not.
void setUnstored(QLineEdit* edit, bool unstored);
bool isUnstored(const QLineEdit* edit);

}  // namespace kivprism::ui

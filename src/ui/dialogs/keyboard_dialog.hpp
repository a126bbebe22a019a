// The keyboard usage dialog (TFormKeyBoard): a drawn keyboard on which the user clicks the keys a
// USB key reaction sends. It is modeless, stays open while the user moves between entries and
// writes every click into the reaction of its target entry; the change sending delivers it.
//
// Wiring from the main window (entry numbers are 1..100 throughout):
//   auto* keyboard = new TFormKeyBoard(window);               // at start-up, lives with the window
//   keyboard->restoreKeyboardDialog(loadedSettings);           // after the settings are read
//   keyboard->storePlacement(settingsToSave);                  // before they are written
//   pane -> keyboardPanelClicked(entry)  => openKeyboardDialog(entry)
//   pane refresh with entry selected     => followEntry(entry)
//   entryChanged()                       => pane refresh
//   a capture procedure runs (bool)      => setKeyGroupsEnabled(!running)
//   the firmware update runs             => setKeyGroupsEnabled(false), then (true)
//   parameters page refreshed            => showKeyboardGroups()
#pragma once

#include <QDialog>
#include <QHash>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/config/image.hpp"
#include "core/dialogs/keyboard.hpp"

class QAbstractButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace kivprism::ui {

struct ShellSettings;

namespace dialogs {

class TFormKeyBoard : public QDialog {
  Q_OBJECT

 public:
  // A dialog of the main window: it edits the window's working image and writes the description
  // into the window's MemoEventReactionx when there is one. The window has it redraw when its
  // pages are invalidated and lock its groups while a set-up procedure runs.
  TFormKeyBoard(config::ConfigImage& image, QWidget& window);
  // A dialog over any image (tests, benchmark).
  explicit TFormKeyBoard(config::ConfigImage& image, QWidget* parent = nullptr);

  // Shows the dialog on entry n's reaction (a click on the reaction panel). Nothing happens while
  // the USB function mask makes the controller no keyboard at all.
  void openKeyboardDialog(std::size_t entry);
  void showKeyboardTarget(std::size_t entry);
  // The pane's selected entry changed: while the dialog is visible the entry becomes its target,
  // whatever its reaction, so that no click lands in an entry no longer on view.
  void followEntry(std::size_t entry);
  // Off while a long device procedure runs.
  void setKeyGroupsEnabled(bool enabled);
  void showKeyboardGroups();
  // Texts in the current language (the language switch).
  void retranslate();
  // Redraws the target from the image (after a whole read or a file load).
  void refresh();
  // The memo the description goes to; by default the parent window's MemoEventReactionx.
  void setMemo(QWidget* memo);

  // Window placement in the settings file.
  void restoreKeyboardDialog(const ShellSettings& settings);
  void storePlacement(ShellSettings& settings) const;

  std::optional<std::size_t> target() const { return target_; }

  // The one handler of every key, modifier, consumer and system-control control: the kind and
  // number come from the component's name.
  void PanelKey59xClick(QObject* component);
  void EditKEY1KeyPress();
  void EditKEY2KeyPress();
  void EditMMKeyKeyPress();

 signals:
  // A click or a code stored into the target entry.
  void entryChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void build();
  void buildSystemControl();
  void buildConsumerPage();
  void buildKeyboardPage();
  void enterCode(kivprism::dialogs::KeyCodeField field, QLineEdit* edit);
  void stored();
  void applyView(const kivprism::dialogs::KeyboardView& view);
  void describe();
  QWidget* memo() const;

  config::ConfigImage& image_;
  QWidget* memo_ = nullptr;
  bool memoByName_ = false;
  std::optional<std::size_t> target_;

  QGroupBox* systemControl_ = nullptr;
  QGroupBox* consumerPage_ = nullptr;
  QGroupBox* keyboardPage_ = nullptr;
  QLineEdit* key1_ = nullptr;
  QLineEdit* key2_ = nullptr;
  QLineEdit* consumer_ = nullptr;
  QHash<std::uint16_t, QLabel*> keys_;
  std::array<QLabel*, kivprism::dialogs::kModifierCount> modifiers_{};
  std::array<QLabel*, kivprism::dialogs::kSystemControlCount> systemControls_{};
  QHash<std::uint16_t, QToolButton*> consumerButtons_;
};

}  // namespace dialogs
}  // namespace kivprism::ui

// The program's message boxes: modal, always on top, centred on the main window 50 pixels lower,
// with the poll suspended while open. The low byte of the flags picks icon, caption and buttons;
// 0x100 preselects No; 0x3 asks Save, Discard or Cancel.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kivprism::shell {
class ShellServices;
}

namespace kivprism::ui {

namespace box {
inline constexpr unsigned kError = 0x10;
inline constexpr unsigned kQuestion = 0x20;
inline constexpr unsigned kWarning = 0x30;
inline constexpr unsigned kInformation = 0x40;
inline constexpr unsigned kDefaultNo = 0x100;
inline constexpr unsigned kKindMask = 0xF0;
// Buttons Save, Discard and Cancel instead of the kind's own (Escape cancels).
inline constexpr unsigned kSaveDiscardCancel = 0x3;
inline constexpr unsigned kButtonsMask = 0x0F;

// The button pressed.
inline constexpr int kOk = 1;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
inline constexpr int kCancel = 2;
inline constexpr int kSave = kYes;
inline constexpr int kDiscard = kNo;
}  // namespace box

// Stands in for the user in tests: gets flags, caption and text, returns the button pressed.
using BoxAnswerer = std::function<int(unsigned flags, const QString& caption, const QString& text)>;

QString boxCaption(unsigned flags);

// Shows the box over the owner (or answers through the answerer when one is given).
int showMessageBox(QWidget* owner, unsigned flags, const QString& text,
                   const BoxAnswerer& answerer = {});

// A box through the shell's services when there is a shell (the window's boxes hold the poll
// off and tests answer them), else over the owner. Save, Discard or Cancel has no shell service
// and always goes over the owner.
int showShellBox(shell::ShellServices* shell, QWidget* owner, unsigned flags, const QString& text);

}  // namespace kivprism::ui

#include "ui/common/message_box.hpp"

#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>
#include <algorithm>
#include <optional>

#include "core/shell/shell_services.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/shell_texts.hpp"
#include "ui/common/window_placement.hpp"

namespace kivprism::ui {

namespace {

constexpr int kCentreDropPx = 50;

QMessageBox::Icon boxIcon(unsigned flags) {
  switch (flags & box::kKindMask) {
    case box::kError:
      return QMessageBox::Critical;
    case box::kQuestion:
      return QMessageBox::Question;
    case box::kWarning:
      return QMessageBox::Warning;
    case box::kInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

bool asksYesNo(unsigned flags) {
  const unsigned kind = flags & box::kKindMask;
  return kind == box::kQuestion || kind == box::kWarning;
}

bool onlyTellsSomething(unsigned flags) {
  return !asksYesNo(flags) && (flags & box::kButtonsMask) != box::kSaveDiscardCancel;
}

// The boxes that only tell something and are open now. An open box runs its own event loop, and
// what runs in it (a timer, the poll, the field the box took the focus from, which stores again
// when it loses it) may raise the same message: that one is already on the screen, and a second
// copy under it would reappear as soon as the user dismissed the first.
struct OpenBox {
  unsigned flags;
  QString text;
};
QList<OpenBox>& openBoxes() {
  static QList<OpenBox> boxes;
  return boxes;
}

class OpenBoxMark {
 public:
  OpenBoxMark(unsigned flags, const QString& text) { openBoxes().push_back({flags, text}); }
  ~OpenBoxMark() { openBoxes().pop_back(); }
  OpenBoxMark(const OpenBoxMark&) = delete;
  OpenBoxMark& operator=(const OpenBoxMark&) = delete;
};

bool alreadyOpen(unsigned flags, const QString& text) {
  return std::any_of(openBoxes().begin(), openBoxes().end(),
                     [&](const OpenBox& b) { return b.flags == flags && b.text == text; });
}

}  // namespace

QString boxCaption(unsigned flags) {
  switch (flags & box::kKindMask) {
    case box::kError:
      return translated(texts::kCaptionError);
    case box::kQuestion:
      return translated(texts::kCaptionQuestion);
    case box::kWarning:
      return translated(texts::kCaptionWarning);
    case box::kInformation:
      return translated(texts::kCaptionInformation);
    default:
      return {};
  }
}

int showMessageBox(QWidget* owner, unsigned flags, const QString& text,
                   const BoxAnswerer& answerer) {
  const QString caption = boxCaption(flags);
  const bool tells = onlyTellsSomething(flags);
  if (tells && alreadyOpen(flags, text)) {
    return box::kOk;
  }
  std::optional<OpenBoxMark> mark;
  if (tells) {
    mark.emplace(flags, text);
  }
  if (answerer) {
    return answerer(flags, caption, text);
  }
  QMessageBox messageBox(boxIcon(flags), caption, text, QMessageBox::NoButton, owner);
  // The modality first: a message box re-parents itself when it is set, which replaces the
  // window flags and so would drop the stay-on-top flag.
  messageBox.setWindowModality(Qt::ApplicationModal);
  messageBox.setWindowFlag(Qt::WindowStaysOnTopHint);
  const bool saveDiscardCancel = (flags & box::kButtonsMask) == box::kSaveDiscardCancel;
  QPushButton* save = nullptr;
  QPushButton* discard = nullptr;
  if (saveDiscardCancel) {
    save = messageBox.addButton(translated(texts::kButtonSave), QMessageBox::AcceptRole);
    discard = messageBox.addButton(translated(texts::kButtonDiscard), QMessageBox::DestructiveRole);
    QPushButton* cancel =
        messageBox.addButton(translated(texts::kButtonCancel), QMessageBox::RejectRole);
    messageBox.setDefaultButton(save);
    messageBox.setEscapeButton(cancel);
  } else if (asksYesNo(flags)) {
    QPushButton* yes = messageBox.addButton(QMessageBox::Yes);
    QPushButton* no = messageBox.addButton(QMessageBox::No);
    messageBox.setDefaultButton((flags & box::kDefaultNo) != 0 ? no : yes);
  } else {
    messageBox.addButton(QMessageBox::Ok);
  }
  if (owner != nullptr) {
    messageBox.adjustSize();
    const QPoint centre = owner->window()->frameGeometry().center() + QPoint(0, kCentreDropPx);
    messageBox.move(centre - QPoint(messageBox.width() / 2, messageBox.height() / 2));
    keepOnScreenOf(&messageBox, owner);
  }
  const int pressed = messageBox.exec();
  if (saveDiscardCancel) {
    if (messageBox.clickedButton() == save) {
      return box::kSave;
    }
    return messageBox.clickedButton() == discard ? box::kDiscard : box::kCancel;
  }
  if (asksYesNo(flags)) {
    return pressed == QMessageBox::Yes ? box::kYes : box::kNo;
  }
  return box::kOk;
}

int showShellBox(shell::ShellServices* shell, QWidget* owner, unsigned flags, const QString& text) {
  if (shell == nullptr || (flags & box::kButtonsMask) != 0) {
    return showMessageBox(owner, flags, text);
  }
  const std::string utf8 = text.toStdString();
  const auto answer = [](bool yes) { return yes ? box::kYes : box::kNo; };
  const bool defaultNo = (flags & box::kDefaultNo) != 0;
  switch (flags & box::kKindMask) {
    case box::kError:
      shell->showError(utf8);
      return box::kOk;
    case box::kQuestion:
      return answer(shell->askQuestion(utf8));
    case box::kWarning:
      return answer(defaultNo ? shell->askYesNo(utf8) : shell->askContinue(utf8));
    default:
      shell->showInformation(utf8);
      return box::kOk;
  }
}

}  // namespace kivprism::ui

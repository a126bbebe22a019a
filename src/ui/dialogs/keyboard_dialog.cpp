#include "ui/dialogs/keyboard_dialog.hpp"

#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/events/entry.hpp"
#include "core/lang/dialog_rows.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/shell_settings.hpp"
#include "ui/common/translate_form.hpp"
#include "ui/common/window_placement.hpp"

namespace kivprism::ui::dialogs {

namespace core = kivprism::dialogs;

namespace {

constexpr char kMemoName[] = "MemoEventReactionx";
constexpr char kChosenProperty[] = "chosen";
// The function-key row stands a little apart from the five rows below it.
constexpr int kFunctionRowGap = 8;
constexpr int kKeyboardRows = 6;
constexpr int kSystemControlWidth = 90;
constexpr int kSystemControlPitch = 92;
constexpr int kIconSize = 24;
constexpr int kCodeFieldWidth = 70;
constexpr int kPanelTextMargin = 4;
constexpr double kSmallestPanelFont = 5.0;

// clGreen, and the colour of a window's background for the text on it.
const QColor kChosenColour(0x00, 0x80, 0x00);

int rowTop(int row) { return row * core::kKeyPitch + (row > 0 ? kFunctionRowGap : 0); }

int keyboardWidth() {
  int width = 0;
  for (const auto& p : core::keyboardPanels()) {
    width = std::max(width, p.x + p.width);
  }
  return width;
}

QLabel* makePanel(QWidget* parent, const QString& name, const QString& caption, QRect at) {
  auto* panel = new QLabel(caption, parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  panel->setAlignment(Qt::AlignCenter);
  panel->setAutoFillBackground(true);
  panel->setGeometry(at);
  panel->setProperty(kChosenProperty, false);
  // Long labels ("Backspace", "PgUp") get a smaller font rather than lose letters.
  QFont font = panel->font();
  while (QFontMetrics(font).horizontalAdvance(caption) > at.width() - kPanelTextMargin &&
         font.pointSizeF() > kSmallestPanelFont) {
    font.setPointSizeF(font.pointSizeF() - 0.5);
  }
  panel->setFont(font);
  return panel;
}

void showChosen(QLabel* panel, bool chosen) {
  panel->setProperty(kChosenProperty, chosen);
  QPalette palette = panel->palette();
  if (chosen) {
    palette.setColor(QPalette::Window, kChosenColour);
    palette.setColor(QPalette::WindowText, QGuiApplication::palette().color(QPalette::Base));
  } else {
    palette.setColor(QPalette::Window, QGuiApplication::palette().color(QPalette::Button));
    palette.setColor(QPalette::WindowText, Qt::black);
  }
  panel->setPalette(palette);
  panel->setFrameShadow(chosen ? QFrame::Sunken : QFrame::Raised);
}

// --- the consumer keys' pictures ---

void speaker(QPainter& p) {
  QPainterPath path;
  path.moveTo(2, 9);
  path.lineTo(6, 9);
  path.lineTo(11, 4);
  path.lineTo(11, 20);
  path.lineTo(6, 15);
  path.lineTo(2, 15);
  path.closeSubpath();
  p.fillPath(path, p.pen().color());
}

void triangle(QPainter& p, double left, double width, bool pointsRight) {
  QPainterPath path;
  const double tip = pointsRight ? left + width : left;
  const double base = pointsRight ? left : left + width;
  path.moveTo(base, 5);
  path.lineTo(tip, 12);
  path.lineTo(base, 19);
  path.closeSubpath();
  p.fillPath(path, p.pen().color());
}

void bar(QPainter& p, double left, double width = 3) {
  p.fillRect(QRectF(left, 5, width, 14), p.pen().color());
}

void drawConsumerPicture(QPainter& p, std::uint16_t usage) {
  switch (usage) {
    case 0x00E9:  // volume up
      speaker(p);
      p.drawLine(14, 12, 22, 12);
      p.drawLine(18, 8, 18, 16);
      break;
    case 0x00EA:  // volume down
      speaker(p);
      p.drawLine(14, 12, 22, 12);
      break;
    case 0x00E2:  // mute
      speaker(p);
      p.drawLine(14, 8, 21, 16);
      p.drawLine(21, 8, 14, 16);
      break;
    case 0x00B6:  // previous track
      bar(p, 3);
      triangle(p, 6, 8, false);
      triangle(p, 14, 8, false);
      break;
    case 0x00B4:  // rewind
      triangle(p, 3, 9, false);
      triangle(p, 12, 9, false);
      break;
    case 0x00B0:  // play
      triangle(p, 7, 11, true);
      break;
    case 0x00CD:  // play/pause
      triangle(p, 2, 9, true);
      bar(p, 14);
      bar(p, 19);
      break;
    case 0x00B1:  // pause
      bar(p, 7, 4);
      bar(p, 14, 4);
      break;
    case 0x00B7:  // stop
      p.fillRect(QRectF(6, 6, 12, 12), p.pen().color());
      break;
    case 0x00B2:  // record
      p.setBrush(QColor(0xC0, 0x00, 0x00));
      p.drawEllipse(QPointF(12, 12), 6, 6);
      break;
    case 0x00B3:  // forward
      triangle(p, 3, 9, true);
      triangle(p, 12, 9, true);
      break;
    case 0x00B5:  // next track
      triangle(p, 2, 8, true);
      triangle(p, 10, 8, true);
      bar(p, 18);
      break;
    case 0x0183:  // media library: a note
      p.setBrush(p.pen().color());
      p.drawEllipse(QPointF(8, 18), 3, 2.5);
      p.drawEllipse(QPointF(17, 16), 3, 2.5);
      p.drawLine(QPointF(11, 18), QPointF(11, 5));
      p.drawLine(QPointF(20, 16), QPointF(20, 3));
      p.drawLine(QPointF(11, 5), QPointF(20, 3));
      break;
    case 0x0196:  // browser: a globe
      p.drawEllipse(QPointF(12, 12), 9, 9);
      p.drawEllipse(QPointF(12, 12), 4, 9);
      p.drawLine(3, 12, 21, 12);
      break;
    case 0x0192:  // calculator
      p.drawRect(5, 2, 14, 20);
      p.drawRect(7, 4, 10, 4);
      for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
          p.drawPoint(8 + col * 4, 11 + row * 4);
        }
      }
      break;
    case 0x018A:  // e-mail: an envelope
      p.drawRect(3, 6, 18, 12);
      p.drawLine(3, 6, 12, 13);
      p.drawLine(21, 6, 12, 13);
      break;
    case 0x0194:  // the machine's browser: a monitor
      p.drawRect(3, 4, 18, 12);
      p.drawLine(12, 16, 12, 19);
      p.drawLine(7, 20, 17, 20);
      break;
    case 0x0223: {  // home: a house
      QPainterPath roof;
      roof.moveTo(2, 12);
      roof.lineTo(12, 3);
      roof.lineTo(22, 12);
      p.drawPath(roof);
      p.drawRect(6, 11, 12, 10);
      p.fillRect(10, 15, 4, 6, p.pen().color());
      break;
    }
    case 0x0224:  // back: an arrow
      p.drawLine(4, 12, 20, 12);
      p.drawLine(4, 12, 10, 6);
      p.drawLine(4, 12, 10, 18);
      break;
    default:
      break;
  }
}

QIcon consumerIcon(std::uint16_t usage) {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x20, 0x20, 0x20), 2));
  drawConsumerPicture(p, usage);
  p.end();
  return QIcon(pixmap);
}

QWidget* canvas(QWidget* parent, int width, int height) {
  auto* c = new QWidget(parent);
  c->setFixedSize(width, height);
  return c;
}

QLineEdit* codeField(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setFixedWidth(kCodeFieldWidth);
  return edit;
}

}  // namespace

TFormKeyBoard::TFormKeyBoard(config::ConfigImage& image, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), image_(image) {
  build();
}

TFormKeyBoard::TFormKeyBoard(config::ConfigImage& image, QWidget& window)
    : TFormKeyBoard(image, &window) {
  memoByName_ = true;
}

void TFormKeyBoard::build() {
  setObjectName(QString::fromUtf8(lang::kKeyboardFormName));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  buildSystemControl();
  buildConsumerPage();
  buildKeyboardPage();
  layout->addWidget(systemControl_);
  layout->addWidget(consumerPage_);
  layout->addWidget(keyboardPage_);
  connect(key1_, &QLineEdit::returnPressed, this, &TFormKeyBoard::EditKEY1KeyPress);
  connect(key2_, &QLineEdit::returnPressed, this, &TFormKeyBoard::EditKEY2KeyPress);
  connect(consumer_, &QLineEdit::returnPressed, this, &TFormKeyBoard::EditMMKeyKeyPress);
  applyView({});
  retranslate();
  showKeyboardGroups();
}

void TFormKeyBoard::buildSystemControl() {
  systemControl_ = new QGroupBox(this);
  systemControl_->setObjectName("GroupBoxSystemControl");
  auto* box = new QVBoxLayout(systemControl_);
  auto* c = canvas(systemControl_, keyboardWidth(), core::kKeySize);
  box->addWidget(c);
  for (unsigned bit = 0; bit < core::kSystemControlCount; ++bit) {
    const core::KeyControl control{core::KeyKind::SystemControl, static_cast<std::uint16_t>(bit)};
    auto* panel = makePanel(
        c, QString::fromStdString(core::keyControlName(control)),
        qtText(core::systemControlCaption(bit)),
        QRect(static_cast<int>(bit) * kSystemControlPitch, 0, kSystemControlWidth, core::kKeySize));
    panel->installEventFilter(this);
    systemControls_[bit] = panel;
  }
}

void TFormKeyBoard::buildConsumerPage() {
  consumerPage_ = new QGroupBox(this);
  consumerPage_->setObjectName("GroupBoxKeyboardPage0C");
  auto* row = new QHBoxLayout(consumerPage_);
  const auto usages = core::consumerKeyRow();
  auto* c =
      canvas(consumerPage_, static_cast<int>(usages.size()) * core::kKeyPitch, core::kKeySize);
  int x = 0;
  for (const std::uint16_t usage : usages) {
    auto* button = new QToolButton(c);
    button->setObjectName(
        QString::fromStdString(core::keyControlName({core::KeyKind::Consumer, usage})));
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setIcon(consumerIcon(usage));
    button->setIconSize(QSize(kIconSize, kIconSize));
    button->setGeometry(x, 0, core::kKeySize, core::kKeySize);
    // The help keyword: the key's name in the description.
    const QString name = qtText(core::findConsumerKey(usage)->name);
    button->setToolTip(name);
    button->setWhatsThis(name);
    connect(button, &QToolButton::clicked, this, [this, button] { PanelKey59xClick(button); });
    consumerButtons_.insert(usage, button);
    x += core::kKeyPitch;
  }
  row->addWidget(c);
  auto* codeGroup = new QGroupBox(consumerPage_);
  codeGroup->setObjectName("GroupBoxMMKeyCode");
  auto* codeRow = new QHBoxLayout(codeGroup);
  consumer_ = codeField(codeGroup, "EditMMKey");
  codeRow->addWidget(consumer_);
  row->addWidget(codeGroup);
  row->addStretch();
}

void TFormKeyBoard::buildKeyboardPage() {
  keyboardPage_ = new QGroupBox(this);
  keyboardPage_->setObjectName("GroupBoxKeyboardPage07");
  auto* column = new QVBoxLayout(keyboardPage_);
  auto* c = canvas(keyboardPage_, keyboardWidth(), rowTop(kKeyboardRows - 1) + core::kKeySize);
  for (const auto& p : core::keyboardPanels()) {
    auto* panel = makePanel(c, QString::fromStdString(core::keyControlName(p.control)),
                            qtText(p.caption), QRect(p.x, rowTop(p.row), p.width, core::kKeySize));
    panel->installEventFilter(this);
    if (p.control.kind == core::KeyKind::Key) {
      keys_.insert(p.control.number, panel);
    } else {
      modifiers_[p.control.number] = panel;
    }
  }
  column->addWidget(c);
  auto* codeGroup = new QGroupBox(keyboardPage_);
  codeGroup->setObjectName("GroupBoxKeyCodes");
  auto* codeRow = new QHBoxLayout(codeGroup);
  key1_ = codeField(codeGroup, "EditKEY1");
  key2_ = codeField(codeGroup, "EditKEY2");
  codeRow->addWidget(key1_);
  codeRow->addWidget(key2_);
  auto* below = new QHBoxLayout;
  below->addWidget(codeGroup);
  below->addStretch();
  column->addLayout(below);
}

// --- showing a target ---

void TFormKeyBoard::openKeyboardDialog(std::size_t entry) {
  showKeyboardTarget(entry);
  if (target_ == entry) {
    activateWindow();
  }
}

void TFormKeyBoard::showKeyboardTarget(std::size_t entry) {
  if (!core::keyboardGroups(image_).any() || entry < events::kFirstEntryNumber ||
      entry > events::kLastEntryNumber) {
    return;
  }
  target_ = entry;
  // It comes to the front; the focus stays where the user works (following the selected entry
  // must not take it from the main window).
  if (!isVisible()) {
    adjustSize();
    keepOnScreenOf(this, parentWidget());
  }
  show();
  raise();
  retranslate();
  refresh();
}

// The open dialog always edits the entry on view: staying on the previous one would write the
// next click into an entry the user no longer sees. Another reaction type shows an empty keyboard,
// and a key clicked there makes the entry a USB key reaction, as a key chosen on the reaction
// page would.
void TFormKeyBoard::followEntry(std::size_t entry) {
  if (!isVisible() || entry < events::kFirstEntryNumber || entry > events::kLastEntryNumber) {
    return;
  }
  showKeyboardTarget(entry);
}

void TFormKeyBoard::refresh() {
  if (!target_) {
    // A consumer button toggles itself when clicked; without a target it must stay up.
    applyView({});
    showKeyboardGroups();
    return;
  }
  const auto e = events::entryAt(image_, *target_);
  // Another reaction type shows an empty keyboard: its keys would belong to no entry on view.
  applyView(core::deriveKeyboard(e));
  describe();
  showKeyboardGroups();
}

void TFormKeyBoard::applyView(const core::KeyboardView& view) {
  for (auto it = keys_.begin(); it != keys_.end(); ++it) {
    showChosen(it.value(), view.keyChosen[it.key()]);
  }
  for (std::size_t bit = 0; bit < modifiers_.size(); ++bit) {
    showChosen(modifiers_[bit], view.modifierChosen[bit]);
  }
  for (std::size_t bit = 0; bit < systemControls_.size(); ++bit) {
    showChosen(systemControls_[bit], view.systemControlChosen[bit]);
  }
  for (auto it = consumerButtons_.begin(); it != consumerButtons_.end(); ++it) {
    it.value()->setChecked(it.key() == view.consumerDown && view.consumerDown != 0);
  }
  // Setting a field's text is not the user's input: only Enter stores.
  key1_->setText(qtText(view.key1));
  key2_->setText(qtText(view.key2));
  consumer_->setText(qtText(view.consumer));
}

void TFormKeyBoard::describe() {
  QWidget* target = memo();
  if (target == nullptr || !target_) {
    return;
  }
  const auto text =
      core::keyboardMemoText(events::entryAt(image_, *target_), lang::currentLanguage());
  if (!text) {
    return;
  }
  if (auto* plain = qobject_cast<QPlainTextEdit*>(target)) {
    plain->setPlainText(qtText(*text));
  } else if (auto* rich = qobject_cast<QTextEdit*>(target)) {
    rich->setPlainText(qtText(*text));
  } else if (auto* label = qobject_cast<QLabel*>(target)) {
    label->setText(qtText(*text));
  }
}

QWidget* TFormKeyBoard::memo() const {
  if (memo_ != nullptr || !memoByName_ || parentWidget() == nullptr) {
    return memo_;
  }
  return parentWidget()->findChild<QWidget*>(kMemoName);
}

void TFormKeyBoard::setMemo(QWidget* memo) {
  memo_ = memo;
  memoByName_ = false;
}

void TFormKeyBoard::showKeyboardGroups() {
  const auto groups = core::keyboardGroups(image_);
  systemControl_->setVisible(groups.systemControl);
  consumerPage_->setVisible(groups.consumerPage);
  keyboardPage_->setVisible(groups.keyboardPage);
}

void TFormKeyBoard::setKeyGroupsEnabled(bool enabled) {
  systemControl_->setEnabled(enabled);
  consumerPage_->setEnabled(enabled);
  keyboardPage_->setEnabled(enabled);
}

void TFormKeyBoard::retranslate() {
  translateForm(this, lang::kKeyboardFormName, lang::keyboardDialogRows());
  if (target_) {
    setWindowTitle(qtText(core::keyboardCaption(*target_, lang::currentLanguage())));
  }
}

// --- the user's input ---

void TFormKeyBoard::PanelKey59xClick(QObject* component) {
  if (!target_ || component == nullptr) {
    refresh();
    return;
  }
  const auto control = core::keyControlFromName(component->objectName().toStdString());
  if (!control) {
    return;
  }
  core::clickKeyControl(events::entryAt(image_, *target_), *control);
  stored();
}

void TFormKeyBoard::EditKEY1KeyPress() { enterCode(core::KeyCodeField::Key1, key1_); }

void TFormKeyBoard::EditKEY2KeyPress() { enterCode(core::KeyCodeField::Key2, key2_); }

void TFormKeyBoard::EditMMKeyKeyPress() { enterCode(core::KeyCodeField::Consumer, consumer_); }

void TFormKeyBoard::enterCode(core::KeyCodeField field, QLineEdit* edit) {
  if (!target_) {
    return;
  }
  core::enterKeyCode(events::entryAt(image_, *target_), field, edit->text().toStdString());
  stored();
}

void TFormKeyBoard::stored() {
  refresh();
  emit entryChanged();
}

bool TFormKeyBoard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* panel = qobject_cast<QWidget*>(watched);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (panel != nullptr && panel->isEnabled() && mouse->button() == Qt::LeftButton &&
        panel->rect().contains(mouse->position().toPoint())) {
      PanelKey59xClick(panel);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

// Coming back from the main window, where the USB functions may have changed.
bool TFormKeyBoard::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    showKeyboardGroups();
  }
  return QDialog::event(event);
}

// --- placement ---

// The dialog takes its size from its keys before it is placed, so that a centred or fitted place
// keeps the title bar, the keypad and the multimedia field on the main window's screen.
void TFormKeyBoard::restoreKeyboardDialog(const ShellSettings& settings) {
  adjustSize();
  const QRect home = screenAreaOf(parentWidget() != nullptr ? parentWidget() : this);
  const QSize frame = frameSizeOf(this);
  const auto stored = storedPlace(settings.keyLeft, settings.keyTop, frame, home);
  move(placeWindow(stored, frame, {home}, home).topLeft());
  if (settings.keyVisible != 0) {
    show();
  }
}

void TFormKeyBoard::storePlacement(ShellSettings& settings) const {
  settings.keyTop = y();
  settings.keyLeft = x();
  settings.keyVisible = isVisible() ? 1 : 0;
}

}  // namespace kivprism::ui::dialogs

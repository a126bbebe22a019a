#include "ui/common/edit_history.hpp"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include "core/forms/main_form_rows.hpp"
#include "core/lang/history_texts.hpp"
#include "core/lang/language_table.hpp"
#include "ui/common/bound_form.hpp"
#include "ui/common/qt_text.hpp"

namespace kivprism::ui {

namespace {

QAction* makeAction(QObject* parent, const char* name, QStyle::StandardPixmap icon,
                    const QList<QKeySequence>& keys) {
  auto* action = new QAction(parent);
  action->setObjectName(name);
  action->setIcon(QApplication::style()->standardIcon(icon));
  action->setShortcuts(keys);
  action->setEnabled(false);
  return action;
}

// The caption of the tab page that holds the widget ("Timeout" for "after [ ] ms").
const lang::TextPair* pageCaption(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (w->objectName().startsWith("TabSheet")) {
      const lang::TextPair* caption = history::controlCaption(
          lang::kMainFormName, w->objectName().toStdString(), {}, forms::mainFormRows());
      if (caption && !history::isCaptionFragment(*caption)) {
        return caption;
      }
    }
  }
  return nullptr;
}

}  // namespace

EditHistory::EditHistory(config::ConfigImage& working, Hooks hooks, QObject* parent)
    : QObject(parent), working_(working), hooks_(std::move(hooks)), baseline_(working) {
  undo_ =
      makeAction(this, "MenuItemUndox", QStyle::SP_ArrowBack, {QKeySequence(Qt::CTRL | Qt::Key_Z)});
  redo_ = makeAction(
      this, "MenuItemRedox", QStyle::SP_ArrowForward,
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  connect(undo_, &QAction::triggered, this, &EditHistory::undo);
  connect(redo_, &QAction::triggered, this, &EditHistory::redo);
  retranslate();
}

void EditHistory::restart() {
  history_.clear();
  pending_.reset();
  nextRead_.reset();
  atStart_ = true;
  absorbRedraw();
  updateActions();
}

void EditHistory::absorbRedraw() {
  baseline_ = working_;
  absorbNext_ = true;
  // Posted after the redraws the image change asked for, which may write corrections back. A
  // user's change that begins before it ends the absorbing itself.
  QTimer::singleShot(0, this, [this, generation = ++absorbGeneration_] {
    if (absorbNext_ && generation == absorbGeneration_) {
      absorbNext_ = false;
      baseline_ = working_;
    }
  });
}

void EditHistory::beginChange() {
  settle();
  if (absorbNext_) {
    baseline_ = working_;
    absorbNext_ = false;
  }
  ++changing_;
}

void EditHistory::settleLater() { QTimer::singleShot(0, this, &EditHistory::settle); }

void EditHistory::settle() {
  if (changing_ > 0 || (hooks_.busy && hooks_.busy())) {
    return;
  }
  if (absorbNext_) {
    baseline_ = working_;
    return;
  }
  if (working_ == baseline_) {
    pending_.reset();
    return;
  }
  history::StepName name;
  if (pending_) {
    name = *pending_;
    if (pendingRuleFromBytes_) {
      // A value typed into one rule may be stored as the pane already shows another.
      const unsigned rule = history::nameByPlace(baseline_, working_).rule;
      name.rule = rule != 0 ? rule : name.rule;
    }
  } else if (atStart_) {
    // The start-up's own corrections of the empty image: nothing the user did.
    baseline_ = working_;
    return;
  } else {
    name = history::nameByPlace(baseline_, working_);
  }
  history_.record(std::move(name), baseline_, working_);
  baseline_ = working_;
  pending_.reset();
  atStart_ = false;
  updateActions();
}

void EditHistory::watch(BoundForm& form, bool forRules) {
  connect(&form, &BoundForm::changeStarted, this, &EditHistory::beginChange);
  connect(&form, &BoundForm::changeFinished, this, [this, &form, forRules](const QString& control) {
    const std::string name = control.toStdString();
    const view::Binding* binding = form.table().find(name);
    const lang::TextPair* caption =
        binding && !binding->caption.en.empty()
            ? &binding->caption
            : history::controlCaption(lang::kMainFormName, name,
                                      form.captionLabelName(name).toStdString(),
                                      forms::mainFormRows());
    if (!caption || history::isCaptionFragment(*caption)) {
      caption = pageCaption(form.widget(name));
    }
    if (caption) {
      const unsigned rule = forRules && hooks_.selectedRule ? hooks_.selectedRule() : 0;
      pending_ = history::stepName(*caption, rule);
      pendingRuleFromBytes_ = forRules;
    } else {
      pending_.reset();  // named by where its bytes lie
    }
    if (changing_ > 0) {
      --changing_;
    }
    settleLater();
  });
}

void EditHistory::beginCommand(const lang::TextPair& name, bool forRule) {
  beginChange();
  const unsigned rule = forRule && hooks_.selectedRule ? hooks_.selectedRule() : 0;
  pending_ = history::stepName(name, rule);
  pendingRuleFromBytes_ = forRule;
}

void EditHistory::endCommand() {
  if (changing_ > 0) {
    --changing_;
  }
  settleLater();
}

void EditHistory::nameChange(const lang::TextPair& name) {
  if (changing_ == 0 && !pending_) {
    pending_ = history::stepName(name);
    pendingRuleFromBytes_ = false;
  }
  settleLater();
}

void EditHistory::nameNextRead(const lang::TextPair& name) { nextRead_ = history::stepName(name); }

void EditHistory::wholeReadArrived() {
  if (atStart_) {
    // The first configuration is where undo starts.
    atStart_ = false;
    pending_.reset();
    nextRead_.reset();
    absorbRedraw();
  } else if (nextRead_) {
    pending_ = std::move(nextRead_);
    nextRead_.reset();
    pendingRuleFromBytes_ = false;
  } else if (!pending_) {
    pending_ = history::stepName(lang::history::kStepWholeRead);
    pendingRuleFromBytes_ = false;
  }
  settleLater();
}

void EditHistory::undo() {
  if (hooks_.busy && hooks_.busy()) {
    return;
  }
  settle();
  if (changing_ == 0) {
    apply(history_.undo());
  }
}

void EditHistory::redo() {
  if (hooks_.busy && hooks_.busy()) {
    return;
  }
  settle();
  if (changing_ == 0) {
    apply(history_.redo());
  }
}

void EditHistory::apply(std::optional<history::ImageChange> change) {
  if (!change) {
    return;
  }
  change->applyTo(working_);
  pending_.reset();
  // The recorded bytes are the image: the redraw's corrections of them are not a new step.
  absorbRedraw();
  updateActions();
  if (hooks_.imageReplaced) {
    hooks_.imageReplaced();
  }
}

void EditHistory::updateActions() { retranslate(); }

void EditHistory::retranslate() {
  const lang::Language language = lang::currentLanguage();
  const QString undoText = qtText(history_.undoText(language));
  const QString redoText = qtText(history_.redoText(language));
  // A caption's ampersand is text, not a mnemonic.
  undo_->setText(QString(undoText).replace('&', "&&"));
  undo_->setToolTip(undoText);
  undo_->setEnabled(history_.canUndo());
  redo_->setText(QString(redoText).replace('&', "&&"));
  redo_->setToolTip(redoText);
  redo_->setEnabled(history_.canRedo());
}

}  // namespace kivprism::ui

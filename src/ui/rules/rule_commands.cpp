#include "ui/rules/rule_commands.hpp"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

#include "core/lang/rules_texts.hpp"
#include "core/summary/rule_clipboard.hpp"
#include "core/summary/rule_operations.hpp"
#include "ui/common/message_box.hpp"
#include "ui/common/qt_text.hpp"

namespace kivprism::ui::rules {

namespace {

namespace t = lang::rules;

QAction* makeAction(QObject* parent, const char* name, const QKeySequence& key) {
  auto* action = new QAction(parent);
  action->setObjectName(name);
  action->setShortcut(key);
  // Only while the table or the tabs have the focus: a field being typed in keeps its keys.
  action->setShortcutContext(Qt::WidgetShortcut);
  return action;
}

// "3, 4, 10"
std::string numbers(const std::vector<std::size_t>& entries) {
  std::string text;
  for (const std::size_t entry : entries) {
    text += (text.empty() ? "" : ", ") + std::to_string(entry);
  }
  return text;
}

QString withCount(const lang::TextPair& pair, unsigned first, unsigned second = 0) {
  return qtText(lang::formatText(lang::translateText(pair), first, second));
}

}  // namespace

RuleCommands::RuleCommands(config::ConfigImage& image, Hooks hooks, QObject* parent)
    : QObject(parent), image_(image), hooks_(std::move(hooks)) {
  copy_ = makeAction(this, "MenuItemRuleCopyx", QKeySequence::Copy);
  paste_ = makeAction(this, "MenuItemRulePastex", QKeySequence::Paste);
  duplicate_ = makeAction(this, "MenuItemRuleDuplicatex", QKeySequence(Qt::CTRL | Qt::Key_D));
  moveUp_ = makeAction(this, "MenuItemRuleMoveUpx", QKeySequence(Qt::CTRL | Qt::Key_Up));
  moveDown_ = makeAction(this, "MenuItemRuleMoveDownx", QKeySequence(Qt::CTRL | Qt::Key_Down));
  clear_ = makeAction(this, "MenuItemRuleClearx", QKeySequence(Qt::Key_Delete));
  connect(copy_, &QAction::triggered, this, &RuleCommands::copy);
  connect(paste_, &QAction::triggered, this, &RuleCommands::paste);
  connect(duplicate_, &QAction::triggered, this, &RuleCommands::duplicate);
  connect(moveUp_, &QAction::triggered, this, [this] { move(true); });
  connect(moveDown_, &QAction::triggered, this, [this] { move(false); });
  connect(clear_, &QAction::triggered, this, &RuleCommands::clear);
  retranslate();
}

void RuleCommands::attachTo(QWidget* widget) {
  widget->addActions({copy_, paste_, duplicate_, moveUp_, moveDown_, clear_});
}

void RuleCommands::fillMenu(QMenu* menu) const {
  menu->addAction(copy_);
  menu->addAction(paste_);
  menu->addAction(duplicate_);
  menu->addSeparator();
  menu->addAction(moveUp_);
  menu->addAction(moveDown_);
  menu->addSeparator();
  menu->addAction(clear_);
}

void RuleCommands::retranslate() {
  const std::pair<QAction*, const lang::TextPair*> items[] = {
      {copy_, &t::kCopy},     {paste_, &t::kPaste},       {duplicate_, &t::kDuplicate},
      {moveUp_, &t::kMoveUp}, {moveDown_, &t::kMoveDown}, {clear_, &t::kClear}};
  for (const auto& [action, text] : items) {
    action->setText(translated(*text));
    action->setToolTip(translated(*text) + " (" +
                       action->shortcut().toString(QKeySequence::NativeText) + ")");
  }
}

bool RuleCommands::ask(const lang::TextPair& question, const std::vector<std::size_t>& entries) {
  if (entries.empty()) {
    return true;
  }
  const QString text = translatedWith(question, numbers(entries));
  return hooks_.messageBox && hooks_.messageBox(box::kWarning | box::kDefaultNo, text) == box::kYes;
}

void RuleCommands::refuse(const QString& text) {
  if (hooks_.messageBox) {
    hooks_.messageBox(box::kInformation, text);
  }
}

void RuleCommands::asStep(const lang::TextPair& name, bool forRule,
                          const std::function<std::vector<std::size_t>()>& change) {
  if (hooks_.beginStep) {
    hooks_.beginStep(name, forRule);
  }
  const std::vector<std::size_t> select = change();
  if (hooks_.changed) {
    hooks_.changed(select);
  }
  if (hooks_.endStep) {
    hooks_.endStep();
  }
}

void RuleCommands::copy() {
  const std::vector<std::size_t> entries =
      hooks_.targets ? hooks_.targets() : std::vector<std::size_t>{};
  if (entries.empty()) {
    return;
  }
  QGuiApplication::clipboard()->setText(
      qtText(summary::rulesText(image_, entries, lang::currentLanguage())));
  if (hooks_.note) {
    hooks_.note(withCount(t::kCopied, static_cast<unsigned>(entries.size())));
  }
}

void RuleCommands::paste() {
  if (hooks_.busy && hooks_.busy()) {
    return;
  }
  const std::vector<std::size_t> selected =
      hooks_.targets ? hooks_.targets() : std::vector<std::size_t>{};
  if (selected.empty()) {
    return;
  }
  const auto rules = summary::parseRulesText(QGuiApplication::clipboard()->text().toStdString());
  if (!rules) {
    refuse(translated(t::kNotRules));
    return;
  }
  const auto targets = summary::pasteTargets(selected, rules->size());
  if (!targets) {
    refuse(withCount(t::kPasteDoesNotFit, static_cast<unsigned>(rules->size()),
                     static_cast<unsigned>(selected.front())));
    return;
  }
  if (!ask(t::kAskOverwrite, summary::overwrittenRules(image_, *targets, *rules))) {
    return;
  }
  const bool one = targets->size() == 1;
  asStep(one ? t::kStepPasted : t::kStepPastedMany, one, [&] {
    summary::pasteRules(image_, *targets, *rules);
    return *targets;
  });
}

void RuleCommands::duplicate() {
  if (hooks_.busy && hooks_.busy()) {
    return;
  }
  const std::vector<std::size_t> entries =
      hooks_.targets ? hooks_.targets() : std::vector<std::size_t>{};
  if (entries.empty()) {
    return;
  }
  // Tried on a copy first: a duplicate that does not fit is no step.
  config::ConfigImage trial = image_;
  if (!summary::duplicateRules(trial, entries)) {
    refuse(withCount(t::kNoFreeEntries, static_cast<unsigned>(entries.size())));
    return;
  }
  const bool one = entries.size() == 1;
  asStep(one ? t::kStepDuplicated : t::kStepDuplicatedMany, one,
         [&] { return summary::duplicateRules(image_, entries).value_or(entries); });
}

void RuleCommands::move(bool up) {
  if (hooks_.busy && hooks_.busy()) {
    return;
  }
  const std::vector<std::size_t> entries =
      hooks_.targets ? hooks_.targets() : std::vector<std::size_t>{};
  config::ConfigImage trial = image_;
  if (entries.empty() || !summary::moveRules(trial, entries, up)) {
    return;  // at the end already: nothing to do
  }
  asStep(up ? t::kStepMovedUp : t::kStepMovedDown, false,
         [&] { return summary::moveRules(image_, entries, up).value_or(entries); });
}

void RuleCommands::clear() {
  if (hooks_.busy && hooks_.busy()) {
    return;
  }
  const std::vector<std::size_t> entries =
      hooks_.targets ? hooks_.targets() : std::vector<std::size_t>{};
  if (entries.empty() || !ask(t::kAskClear, summary::usedRules(image_, entries))) {
    return;
  }
  const bool one = entries.size() == 1;
  asStep(one ? t::kStepCleared : t::kStepClearedMany, one, [&] {
    summary::clearRules(image_, entries);
    return entries;
  });
}

}  // namespace kivprism::ui::rules

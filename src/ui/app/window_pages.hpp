// The pages and panes of the main window, as the window builds them; the window's parts and the
// tests reach them here. A pointer stays empty until its page is built.
#pragma once

class QLabel;
class QMenu;
class QTabWidget;
class QWidget;

namespace kivprism::ui {

class CanLogPage;
class EditHistory;
class KeyProcedures;
class PanelMenu;
class TerminalPage;
class TFormCompare;
namespace params {
class ParametersPage;
}
namespace editor {
class CaptureProcedures;
class EventReactionPane;
}  // namespace editor
namespace dialogs {
class TFormKeyBoard;
}
namespace rules {
class RuleCommands;
class RulesPane;
}  // namespace rules

struct WindowPages {
  QTabWidget* pageControl = nullptr;
  // TabSheetParameters: the parameters page, the rules table and the event/reaction pane.
  QWidget* parametersTab = nullptr;
  QLabel* currentSource = nullptr;
  TerminalPage* terminal = nullptr;
  params::ParametersPage* parameters = nullptr;
  editor::EventReactionPane* eventPane = nullptr;
  editor::CaptureProcedures* captures = nullptr;
  dialogs::TFormKeyBoard* keyboard = nullptr;
  CanLogPage* canLogPage = nullptr;
  // The toolbar's message panel.
  PanelMenu* panelMenu = nullptr;
  // Key learning, touch calibration and the keys grid.
  KeyProcedures* keyProcedures = nullptr;
  // Undo and redo of the changes to the working image.
  EditHistory* editHistory = nullptr;
  rules::RulesPane* rulesPane = nullptr;
  rules::RuleCommands* ruleCommands = nullptr;
  QMenu* ruleEditMenu = nullptr;
  TFormCompare* compare = nullptr;
};

}  // namespace kivprism::ui

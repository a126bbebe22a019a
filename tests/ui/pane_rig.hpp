// The main window on the simulated controller with the event/reaction pane driven as a user
// drives it: the entry bytes in the window and in the controller, the boxes the window showed.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/events/entry.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/window_rig.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/message_box.hpp"
#include "ui/editor/event_reaction_pane.hpp"

namespace pane_rig {

using kivprism::sim::SimulatedController;
using kivprism::sim::SimulatedHidPort;
using kivprism::ui::MainWindowOptions;
using kivprism::ui::TMainForm;
using kivprism::ui::editor::EventReactionPane;
namespace box = kivprism::ui::box;
namespace events = kivprism::events;

constexpr std::uint32_t kTimeoutMs = 10000;

inline kivprism::testing::WindowRigSetup russianUnstarted() {
  kivprism::testing::WindowRigSetup setup;
  setup.settings = "[MainSettings]\r\nLang=0\r\n";
  setup.systemLanguage = "ru-RU";
  setup.start = false;
  return setup;
}

class Rig : public kivprism::testing::WindowRig {
 public:
  // `prepare` sets the controller up before the window starts (what the first read brings). The
  // window stays unshown, and so unpainted, until a test of what is laid out, visible or focused
  // shows it.
  explicit Rig(const std::function<void(SimulatedController&)>& prepare = {})
      : WindowRig(russianUnstarted()) {
    boxAnswer = box::kOk;
    if (prepare) {
      prepare(controller);
    }
    window->startUp();
  }
  // Shows the window and makes it the active one, as the user's window is.
  bool showActive() {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window.get());
  }

  EventReactionPane& pane() { return *window->pages().eventPane; }
  events::ConstEntryBytes deviceEntry(std::size_t n) const {
    return events::entryAt(std::as_const(controller).configuration(), n);
  }
  events::ConstEntryBytes workingEntry(std::size_t n) {
    return events::entryAt(std::as_const(window->model().working), n);
  }
  // The controller holds exactly what the working image holds for the entry.
  bool entryDelivered(std::size_t n) {
    return waitFor(
        [&] {
          const auto a = deviceEntry(n);
          const auto b = workingEntry(n);
          return std::equal(a.begin(), a.end(), b.begin());
        },
        kTimeoutMs);
  }
  void chooseEventPage(int type) { pane().eventPages()->setCurrentIndex(type); }
  void chooseReactionPage(events::ReactionType type) {
    pane().reactionPages()->setCurrentIndex(static_cast<int>(type));
  }
  // A list item chosen as the user chooses it.
  void choose(const char* name, int index) {
    auto* list = control<QComboBox>(name);
    QVERIFY(list);
    list->setCurrentIndex(index);
    emit list->activated(index);
  }
  template <typename T>
  T* control(const char* name) {
    return qobject_cast<T*>(pane().control(name));
  }
  void typeInto(const char* name, const QString& text) {
    auto* edit = control<QLineEdit>(name);
    QVERIFY(edit);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }
};

template <typename T>
inline T* child(QWidget* parent, const char* name) {
  return parent->findChild<T*>(name);
}

// Answers the next modal dialog of type T once it shows.
template <typename T, typename Answer>
void whenShown(Answer answer) {
  QTimer::singleShot(0, [answer] {
    QTRY_VERIFY(qobject_cast<T*>(QApplication::activeModalWidget()));
    answer(qobject_cast<T*>(QApplication::activeModalWidget()));
  });
}

inline void retype(QWidget* form, const char* name, const QString& text) {
  auto* edit = child<QLineEdit>(form, name);
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

inline std::uint8_t at(events::ConstEntryBytes e, std::size_t offset) { return e[offset]; }

}  // namespace pane_rig

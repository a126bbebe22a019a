// The page controls of the event/reaction pane in the main window as the user meets them on a
// 1366 x 768 screen: every available page can be reached through its tabs, the pages shown follow
// every change of the parameters, a right click anywhere on a page control offers the selection
// menu, and the event and reaction boxes stand side by side.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <algorithm>

#include "core/config/image_layout.hpp"
#include "core/params/availability.hpp"
#include "core/shell/shell_services.hpp"
#include "pane_rig.hpp"
#include "ui/params/parameters_page.hpp"
#include "window_test_main.hpp"

namespace pane_pages_test {
namespace {

using namespace pane_rig;
namespace layout = kivprism::config::layout;
namespace params = kivprism::params;

constexpr QSize kScreen{1366, 768};

// The page a tab of the bar stands for: its data where the bar carries one, else its index.
int pageOfTab(const QTabBar* bar, int tab) {
  const QVariant data = bar->tabData(tab);
  return data.isValid() ? data.toInt() : tab;
}

// The pages whose tabs the user can bring into view and click: every tab drawn wholly inside the
// bar (left of its scroll buttons) at some position the scroll buttons reach.
QSet<int> reachablePages(QTabBar* bar) {
  QToolButton* left = nullptr;
  QToolButton* right = nullptr;
  for (QToolButton* b : bar->findChildren<QToolButton*>()) {
    if (b->arrowType() == Qt::LeftArrow) {
      left = b;
    } else if (b->arrowType() == Qt::RightArrow) {
      right = b;
    }
  }
  QSet<int> seen;
  const auto look = [&] {
    int limit = bar->width();
    for (QToolButton* b : {left, right}) {
      if (b && b->isVisible()) {
        limit = std::min(limit, b->x());
      }
    }
    for (int i = 0; i < bar->count(); ++i) {
      const QRect r = bar->tabRect(i);
      if (bar->isTabVisible(i) && r.isValid() && r.left() >= 0 && r.right() < limit) {
        seen.insert(pageOfTab(bar, i));
      }
    }
  };
  for (int n = 0; n < 200 && left && left->isVisible() && left->isEnabled(); ++n) {
    QTest::mouseClick(left, Qt::LeftButton);
  }
  look();
  for (int n = 0; n < 200 && right && right->isVisible() && right->isEnabled(); ++n) {
    QTest::mouseClick(right, Qt::LeftButton);
    look();
  }
  return seen;
}

// What a refresh from scratch shows: the pages the parameters allow, and the entry's own page.
template <std::size_t N>
QSet<int> expectedPages(const std::array<bool, N>& visible, int own) {
  QSet<int> pages{own};
  for (std::size_t p = 0; p < N; ++p) {
    if (visible[p]) {
      pages.insert(static_cast<int>(p));
    }
  }
  return pages;
}

QSet<int> shownPages(const QTabWidget* pages) {
  QSet<int> shown;
  for (int p = 0; p < pages->count(); ++p) {
    if (pages->isTabVisible(p)) {
      shown.insert(p);
    }
  }
  return shown;
}

struct Expected {
  QSet<int> event;
  QSet<int> reaction;
};
Expected expectedFor(Rig& rig) {
  const auto& image = rig.window->model().working;
  const params::PageVisibility v =
      params::visiblePages(image, params::computeAvailability(image), false);
  const auto e = events::entryAt(image, rig.pane().selectedEntry());
  return {expectedPages(v.event, static_cast<int>(events::eventTypeCode(e))),
          expectedPages(v.reaction, static_cast<int>(events::reactionTypeCode(e)))};
}

void showOnScreen(Rig& rig) {
  rig.window->resize(kScreen);
  rig.advance(20);
  QApplication::processEvents();
}

class PanePagesTest : public QObject {
  Q_OBJECT

 private slots:
  void everyAvailablePageIsReachableByItsTabs() {
    Rig rig;
    QVERIFY(rig.showActive());
    showOnScreen(rig);
    for (int language : {0, 1}) {
      rig.window->language().applyLanguage(language);
      QApplication::processEvents();
      rig.pane().forcedRefresh();
      for (int type : {0, static_cast<int>(events::EventType::Voltage)}) {
        rig.pane().selectEntry(static_cast<std::size_t>(3 + type));
        rig.chooseEventPage(type);
        QApplication::processEvents();
        const Expected expected = expectedFor(rig);
        QCOMPARE(reachablePages(rig.pane().eventTabs()), expected.event);
        QCOMPARE(reachablePages(rig.pane().reactionTabs()), expected.reaction);
      }
    }
  }

  void aClickOnAReachedTabChoosesItsPage() {
    Rig rig;
    QVERIFY(rig.showActive());
    showOnScreen(rig);
    rig.pane().selectEntry(7);
    QTabBar* bar = rig.pane().eventTabs();
    int last = -1;
    for (int i = 0; i < bar->count(); ++i) {
      if (bar->isTabVisible(i)) {
        last = i;
      }
    }
    QVERIFY(last > 0);
    reachablePages(bar);  // scrolled to the end
    const int page = pageOfTab(bar, last);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(last).center());
    QCOMPARE(static_cast<int>(events::eventTypeCode(rig.workingEntry(7))), page);
    QCOMPARE(rig.pane().eventPages()->currentIndex(), page);
    QCOMPARE(pageOfTab(bar, bar->currentIndex()), page);
  }

  // The pages shown are those a refresh from scratch would show, after every kind of change of
  // the parameters, even when the selected entry stays byte for byte the same.
  void shownPagesFollowEveryParameterChange() {
    Rig rig;
    QVERIFY(rig.showActive());
    rig.pane().selectEntry(2);
    auto* bus = rig.window->pages().parameters->findChild<QComboBox*>("ComboBoxDIFFBUSx");
    QVERIFY(bus);
    for (int mode = 1; mode <= 9; ++mode) {
      bus->setCurrentIndex(mode);
      emit bus->activated(mode);
      QApplication::processEvents();
      const Expected expected = expectedFor(rig);
      QCOMPARE(shownPages(rig.pane().eventPages()), expected.event);
      QCOMPARE(shownPages(rig.pane().reactionPages()), expected.reaction);
    }
    const int usbKey = static_cast<int>(events::ReactionType::UsbKey);
    const int usbTouch = static_cast<int>(events::ReactionType::UsbTouch);
    auto* usb = rig.window->pages().parameters->findChild<QListWidget*>("CheckListBoxUSBMODEx");
    QVERIFY(usb);
    for (int i = 0; i < usb->count(); ++i) {
      usb->item(i)->setCheckState(Qt::Unchecked);
    }
    QApplication::processEvents();
    QVERIFY(!rig.pane().reactionPages()->isTabVisible(usbKey));
    QVERIFY(!rig.pane().reactionPages()->isTabVisible(usbTouch));
    usb->item(1)->setCheckState(Qt::Checked);  // keyboard
    QApplication::processEvents();
    QVERIFY(rig.pane().reactionPages()->isTabVisible(usbKey));
    QCOMPARE(shownPages(rig.pane().reactionPages()), expectedFor(rig).reaction);
  }

  void restoringDefaultsAndLoadingRedrawThePages() {
    Rig rig;
    QVERIFY(rig.showActive());
    auto& image = rig.window->model().working;
    image.set(layout::kHondaPanel, 1);
    image.set(layout::kDiffBusMode, 3);
    rig.window->pages().parameters->refresh();
    const int honda = static_cast<int>(events::EventType::PanelHonda);
    QVERIFY(rig.pane().eventPages()->isTabVisible(honda));
    image.set(layout::kHondaPanel, 0);
    image.set(layout::kDiffBusMode, 0);
    rig.window->pages().parameters->refresh();
    QVERIFY(!rig.pane().eventPages()->isTabVisible(honda));
    QCOMPARE(shownPages(rig.pane().eventPages()), expectedFor(rig).event);
    QCOMPARE(shownPages(rig.pane().reactionPages()), expectedFor(rig).reaction);
  }

  void aRightClickAnywhereOnAPageControlOpensItsMenu() {
    Rig rig;
    QVERIFY(rig.showActive());
    showOnScreen(rig);
    rig.pane().selectEntry(4);
    rig.chooseEventPage(static_cast<int>(events::EventType::Voltage));
    const struct {
      QTabWidget* pages;
      const char* menu;
    } cases[] = {{rig.pane().eventPages(), "PopupMenuSelectEvent"},
                 {rig.pane().reactionPages(), "PopupMenuSelectResponse"}};
    for (const auto& c : cases) {
      // On the page's empty area, not on its tabs.
      QWidget* page = c.pages->currentWidget();
      const QPoint at(page->width() / 2, page->height() - 5);
      QContextMenuEvent click(QContextMenuEvent::Mouse, at, page->mapToGlobal(at));
      QApplication::sendEvent(page, &click);
      QWidget* popup = QApplication::activePopupWidget();
      QVERIFY(popup);
      QCOMPARE(popup->objectName(), QString(c.menu));
      QVERIFY(!qobject_cast<QMenu*>(popup)->actions().isEmpty());
      popup->close();
      QApplication::processEvents();
    }
  }

  void eventAndReactionBoxesShareThePaneSideBySide() {
    Rig rig;
    QVERIFY(rig.showActive());
    showOnScreen(rig);
    auto* event = rig.pane().findChild<QGroupBox*>("GroupBoxEvent");
    auto* reaction = rig.pane().findChild<QGroupBox*>("GroupBoxReaction");
    QVERIFY(event && reaction);
    QCOMPARE(event->y(), reaction->y());
    QVERIFY(reaction->x() >= event->x() + event->width());
    QVERIFY(std::abs(event->width() - reaction->width()) <= 1);
    const int panel = rig.pane().width();
    QVERIFY(event->width() >= (panel - 2) / 2 - 2);
  }

  // Half the pane is room enough: on every page of both halves each control lies wholly inside
  // its page, in both languages.
  void everyPageFitsItsHalf() {
    Rig rig;
    QVERIFY(rig.showActive());
    showOnScreen(rig);
    // The test measures how the pages are laid out; painting the window after each page adds
    // nothing, so its repaint is held off throughout, as the window's own refreshes hold it.
    const kivprism::shell::RedrawPause noPainting(rig.window->shell());
    QStringList clipped;
    for (int language : {0, 1}) {
      rig.window->language().applyLanguage(language);
      QApplication::processEvents();
      rig.pane().selectEntry(20);
      const auto check = [&clipped](QTabWidget* pages) {
        QWidget* page = pages->currentWidget();
        // The page was sized while hidden; measure it as laid out for the user, not as left.
        page->layout()->activate();
        for (QWidget* w : page->findChildren<QWidget*>()) {
          if (!w->isVisible() || w->objectName().isEmpty() || w->parentWidget() != page) {
            continue;
          }
          if (w->geometry().right() >= page->width()) {
            clipped << QString("%1/%2 (%3..%4 of %5)")
                           .arg(page->objectName(), w->objectName())
                           .arg(w->geometry().left())
                           .arg(w->geometry().right())
                           .arg(page->width());
          }
        }
      };
      for (int type = 0; type < rig.pane().eventPages()->count(); ++type) {
        rig.chooseEventPage(type);
        QApplication::processEvents();
        if (rig.pane().eventPages()->currentIndex() == type) {
          check(rig.pane().eventPages());
        }
      }
      for (int type = 0; type < rig.pane().reactionPages()->count(); ++type) {
        rig.chooseReactionPage(static_cast<events::ReactionType>(type));
        QApplication::processEvents();
        if (rig.pane().reactionPages()->currentIndex() == type) {
          check(rig.pane().reactionPages());
        }
      }
    }
    QVERIFY2(clipped.isEmpty(),
             qPrintable(
                 clipped.join(", ") +
                 QString(" in a window %1x%2").arg(rig.window->width()).arg(rig.window->height())));
  }

  // The refresh ends by giving the main window the focus while it is shown.
  void aRefreshGivesTheWindowTheFocus() {
    Rig rig;
    QVERIFY(rig.showActive());
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    rig.pane().forcedRefresh();
    VTRY_VERIFY(rig, rig.window->isActiveWindow());
  }
};

KIVPRISM_WINDOW_TEST(PanePagesTest);

}  // namespace
}  // namespace pane_pages_test
#include "pane_pages_test.moc"

// Closing the main window when changes would be lost: the question, its three answers, and the
// cases where nothing is at risk and nothing is asked.
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "core/config/config_file.hpp"
#include "core/config/image_layout.hpp"
#include "core/device/packet.hpp"
#include "support/window_rig.hpp"
#include "window_test_main.hpp"

namespace closing_test {
namespace {

namespace box = kivprism::ui::box;
namespace device = kivprism::device;

constexpr int kTimeoutMs = 10000;
constexpr int kSettleMs = 600;
constexpr std::size_t kEdited = 700;

const QString kNotSentQuestion =
    "Changes not yet on the controller: 1.\nSave the configuration to a file before closing?";
const QString kOnlyHereQuestion =
    "The controller is disconnected and the changes are neither on it nor in a file.\n"
    "Save the configuration to a file before closing?";

kivprism::testing::WindowRigSetup setupFor(const char* lang) {
  kivprism::testing::WindowRigSetup setup;
  setup.settings = QByteArray("[MainSettings]\r\nLang=") + lang + "\r\n";
  // Started by the rig's owner, once the controller is plugged or not.
  setup.start = false;
  return setup;
}

class Rig : public kivprism::testing::WindowRig {
 public:
  explicit Rig(bool plugged = true, const char* lang = "1") : WindowRig(setupFor(lang)) {
    boxAnswer = box::kCancel;
    if (!plugged) {
      controller.unplug();
    }
    window->startUp();
    window->show();
  }

  // Connected, and the normalisations of the pages' first redraw are on the controller.
  bool waitSettled() {
    if (!waitConnected(kTimeoutMs)) {
      return false;
    }
    advance(kSettleMs);
    return waitFor(
        [this] { return window->shell().syncText() == "All changes are on the controller"; },
        kTimeoutMs);
  }
  void edit(std::size_t at = kEdited) { window->model().working.data()[at] ^= 0x5A; }
  // Types into the key-reassignment time field and leaves the cursor in it, as a user who then
  // goes straight for the toolbar or the title bar does.
  bool typeWithoutLeaving(const char* text) {
    auto* field = window->findChild<QLineEdit*>("Edit_KEY_REASSIGN_TO");
    if (field == nullptr) {
      return false;
    }
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) {
      return false;
    }
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, text);
    return field->hasFocus();
  }
  // Closes as the title bar's button does; true when the window went.
  bool close() { return window->close(); }
};

class ClosingTest : public QObject {
  Q_OBJECT

 private slots:
  void nothingIsAskedWhenTheControllerHoldsEverything() {
    Rig rig;
    QVERIFY(rig.waitSettled());
    // An edit made just before closing is sent on the way out.
    rig.edit();
    QVERIFY(rig.close());
    QVERIFY(rig.boxes.empty());
    QCOMPARE(rig.controller.configuration(), rig.window->model().working);
  }

  void changesTheControllerRefusedAreOfferedForSaving() {
    Rig rig;
    QVERIFY(rig.waitSettled());
    rig.controller.setAreaAnswer(device::area::kConfiguration, device::kAnswerBadParameters);
    rig.boxAnswer = box::kOk;
    rig.edit();
    VTRY_COMPARE_WITH_TIMEOUT(rig, rig.window->shell().syncText(),
                              QString("Changes not yet on the controller: 1"), kTimeoutMs);
    rig.boxes.clear();

    // Cancel keeps the window open and working.
    rig.boxAnswer = box::kCancel;
    QVERIFY(!rig.close());
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].flags, box::kWarning | box::kSaveDiscardCancel);
    QCOMPARE(rig.boxes[0].text, kNotSentQuestion);
    QVERIFY(rig.window->isVisible());
    QVERIFY(rig.window->shell().pollTimer().isActive());
    QVERIFY(rig.window->link().isConnected());

    // Save with the chooser cancelled: nothing written, the window stays.
    rig.boxAnswer = box::kSave;
    QVERIFY(!rig.close());
    QVERIFY(rig.window->isVisible());

    // Save to a file: the file holds the working image and the window closes.
    rig.chosenFile = rig.dir.filePath("unsent.KST401");
    rig.boxes.clear();
    QVERIFY(rig.close());
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    kivprism::config::ConfigImage saved;
    QVERIFY(!kivprism::config::readConfigFile(rig.chosenFile.toStdString(), saved));
    QCOMPARE(saved, rig.window->model().working);
  }

  void aValueStillBeingTypedIsStoredBeforeSavingOrClosing() {
    namespace layout = kivprism::config::layout;
    {
      Rig rig(false);
      QVERIFY(rig.typeWithoutLeaving("1234"));
      rig.chosenFile = rig.dir.filePath("typed.KST401");
      rig.window->toolbar().SpeedButtonWriteConfigClick();
      kivprism::config::ConfigImage saved;
      QVERIFY(!kivprism::config::readConfigFile(rig.chosenFile.toStdString(), saved));
      QCOMPARE(saved.getU16(layout::kKeyReassignTo), 1234);
      // The cursor stays where the user left it.
      QCOMPARE(QApplication::focusWidget()->objectName(), QString("Edit_KEY_REASSIGN_TO"));
    }
    Rig rig;
    QVERIFY(rig.waitSettled());
    QVERIFY(rig.typeWithoutLeaving("1235"));
    QVERIFY(rig.close());
    QVERIFY(rig.boxes.empty());
    QCOMPARE(rig.controller.configuration().getU16(layout::kKeyReassignTo), 1235);
  }

  void disconnectedWithoutEditsClosesSilently() {
    Rig rig;
    QVERIFY(rig.waitSettled());
    rig.controller.unplug();
    VTRY_VERIFY_WITH_TIMEOUT(rig, !rig.window->link().isConnected(), kTimeoutMs);
    rig.boxAnswer = box::kCancel;
    QVERIFY(rig.close());
    QVERIFY(rig.boxes.empty());
  }

  void disconnectedEditsAskAndDiscardCloses() {
    Rig rig;
    QVERIFY(rig.waitSettled());
    rig.controller.unplug();
    VTRY_VERIFY_WITH_TIMEOUT(rig, !rig.window->link().isConnected(), kTimeoutMs);
    rig.edit();
    rig.boxAnswer = box::kDiscard;
    QVERIFY(rig.close());
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].text, kOnlyHereQuestion);
  }

  void aFileOpenedOrSavedCountsAsSafe() {
    Rig rig(false);
    // Never connected: an edit is only here.
    rig.edit();
    rig.boxAnswer = box::kCancel;
    QVERIFY(!rig.close());
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(rig.boxes[0].text, kOnlyHereQuestion);
    // Saved: nothing asked.
    rig.chosenFile = rig.dir.filePath("car.KST401");
    rig.window->toolbar().SpeedButtonWriteConfigClick();
    rig.boxes.clear();
    rig.edit(kEdited + 1);
    rig.edit(kEdited + 1);
    QVERIFY(rig.close());
    QVERIFY(rig.boxes.empty());
  }

  void anOpenedFileThenEditedAsksInRussian() {
    Rig rig(false, "0");
    rig.chosenFile = rig.dir.filePath("car.KST401");
    rig.edit();
    rig.window->toolbar().SpeedButtonWriteConfigClick();
    rig.window->model().working.clear();
    rig.window->toolbar().SpeedButtonReadConfigClick();
    QVERIFY(rig.boxes.empty());
    rig.edit(kEdited + 2);
    rig.boxAnswer = box::kCancel;
    QVERIFY(!rig.close());
    QCOMPARE(rig.boxes.size(), std::size_t{1});
    QCOMPARE(
        rig.boxes[0].text,
        QString::fromUtf8("Контроллер отключен, а изменений нет ни в контроллере, ни в файле.\n"
                          "Сохранить конфигурацию в файл перед закрытием?"));
  }
};

KIVPRISM_WINDOW_TEST(ClosingTest);

}  // namespace
}  // namespace closing_test
#include "closing_test.moc"

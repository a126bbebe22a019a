// The CAN-log page: on its own with records fed by hand, and in the main window on the simulated
// controller streaming a car's traffic.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <memory>
#include <span>
#include <stdexcept>

#include "core/canlog/capture_reader.hpp"
#include "core/canlog/frame_rule.hpp"
#include "core/config/image_layout.hpp"
#include "core/device/packet.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_types.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/sim_link_rig.hpp"
#include "support/virtual_window_clock.hpp"
#include "support/window_rig.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/edit_history.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "ui/monitor/can_log_page.hpp"
#include "ui/monitor/terminal_page.hpp"
#include "window_test_main.hpp"

namespace can_log_page_test {
namespace {

using kivprism::canlog::CanLogMode;
using kivprism::canlog::CanLogRecord;
using kivprism::canlog::standardWord;
using kivprism::ui::CanLogPage;
using kivprism::ui::TMainForm;
namespace box = kivprism::ui::box;
namespace area = kivprism::device::area;

constexpr int kConnectTimeoutMs = 10000;

std::array<std::uint8_t, 17> bytesOf(std::uint32_t word, std::initializer_list<std::uint8_t> data,
                                     std::uint32_t time) {
  CanLogRecord r;
  r.identifierWord = word;
  r.length = static_cast<std::uint8_t>(data.size());
  std::copy(data.begin(), data.end(), r.data.begin());
  r.timeStamp = time;
  std::array<std::uint8_t, 17> out{};
  r.encode(out);
  return out;
}

// A page on the device link of the simulated controller, connected, with the fake shell (its
// clock moves only when the test moves it) and hooks that record what it asks of the window.
struct BarePage : kivprism::testing::SimLinkRig {
  BarePage() {
    for (int i = 0; i < 8 && !link.isConnected(); ++i) {
      tick();
    }
    controller.clearRequests();
    // Every exchange the page makes happens with the poll held off through the shell.
    controller.setReportCallHook([this] {
      host.now += 1;
      if (page != nullptr && host.pollPauses == 0) {
        ++unheldExchanges;
      }
    });
    CanLogPage::Hooks h;
    h.chooseLogFile = [this](kivprism::canlog::LogForm& form) {
      if (chooserFails) {
        throw std::runtime_error("dialog");
      }
      if (chosenForm) {
        form = *chosenForm;
      }
      return chosenFile;
    };
    h.rememberLogFile = [this](const QString& name) { remembered = name; };
    h.terminalShown = [this] { return terminal; };
    h.echo = [this](const QString& line) { echoed << line; };
    h.chooseCaptureFile = [this] { return captureFile; };
    h.makeFrameEvent = [this](const kivprism::events::CanFilter& filter) {
      events.push_back(filter);
      return true;
    };
    page = std::make_unique<CanLogPage>(host, clock, link, std::move(h));
    page->resize(900, 600);
    page->show();
  }

  void feed(std::uint32_t word, std::initializer_list<std::uint8_t> data, std::uint32_t time) {
    const auto bytes = bytesOf(word, data, time);
    page->intake(kivprism::device::CanRecord(bytes));
  }
  QString cell(int row, int column) const {
    return page->packetModel()->index(row, column).data().toString();
  }
  QAction* item(const char* name) const { return page->menu()->findChild<QAction*>(name); }
  QPoint rowCentre(int row) const {
    return page->packetList()->visualRect(page->packetModel()->index(row, 2)).center();
  }

  // The CAN-log modes the controller was sent since the last clearModes, in order.
  std::vector<std::uint8_t> modes() const {
    std::vector<std::uint8_t> out;
    for (const auto& r : controller.requests()) {
      if (r.cmd == (area::kCanLog | kivprism::device::kWriteFlag) && r.len == 1) {
        out.push_back(r.data[0]);
      }
    }
    return out;
  }
  void clearModes() { controller.clearRequests(); }
  // The boxes the page showed through the shell.
  QStringList errors() const {
    QStringList out;
    for (const std::string& e : host.errors) {
      out << QString::fromStdString(e);
    }
    return out;
  }
  // The controller runs its CAN log, and the link has read its state word since.
  void startControllerLog() {
    const std::uint8_t showAll = 1;
    QCOMPARE(link.writeArea(area::kCanLog, 0, std::span(&showAll, 1)), 0);
    tick();
  }

  bool terminal = false;
  bool chooserFails = false;
  int unheldExchanges = 0;
  QStringList echoed;
  QString chosenFile;
  std::optional<kivprism::canlog::LogForm> chosenForm;
  QString remembered;
  QString captureFile;
  std::vector<kivprism::events::CanFilter> events;
  // The clock of the page's batches.
  kivprism::testing::VirtualWindowClock clock;
  std::unique_ptr<CanLogPage> page;
};

// The x positions of a row's Data Hex cell and the byte each one picks.
std::vector<int> bytesAcross(const BarePage& p, int row) {
  const QRect cell = p.page->packetList()->visualRect(p.page->packetModel()->index(row, 4));
  std::vector<int> seen;
  for (int x = cell.left(); x <= cell.right(); ++x) {
    const int byte = p.page->byteAt(QPoint(x, cell.center().y()));
    if (seen.empty() || seen.back() != byte) {
      seen.push_back(byte);
    }
  }
  return seen;
}

QPoint pointOnByte(const BarePage& p, int row, int byte) {
  const QRect cell = p.page->packetList()->visualRect(p.page->packetModel()->index(row, 4));
  for (int x = cell.left(); x <= cell.right(); ++x) {
    if (p.page->byteAt(QPoint(x, cell.center().y())) == byte) {
      return {x + 2, cell.center().y()};
    }
  }
  return {};
}

QByteArray contentsOf(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CanLogPageTest : public QObject {
  Q_OBJECT

 private slots:
  void rowsShowThePacketColumnsAfterOneBatch() {
    BarePage p;
    p.feed(standardWord(0x123), {0x11, 0x22}, 1000);
    p.feed(0x18FEF100, {1, 2, 3, 4, 5, 6, 7, 8}, 1005);
    p.feed(standardWord(0x123), {0x11, 0x23}, 1100);
    QCOMPARE(p.page->packetModel()->rowCount(), 0);
    p.page->publish();
    QCOMPARE(p.page->packetModel()->rowCount(), 2);
    QCOMPARE(p.cell(0, 1), QString("1"));
    QCOMPARE(p.cell(0, 2), QString("123( 291)"));
    QCOMPARE(p.cell(0, 3), QString("2"));
    QCOMPARE(p.cell(0, 4), QString("11 23") + QString(18, ' '));
    QCOMPARE(p.cell(0, 5), QString("100"));
    QCOMPARE(p.cell(0, 6), QString("2"));
    QCOMPARE(p.cell(1, 2), QString("18FEF100(419361024)"));
    QCOMPARE(p.cell(1, 5), QString("-"));
    QCOMPARE(p.page->packetModel()->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString("Data Hex"));
    QVERIFY(p.page->packetList()->isColumnHidden(0));
    QCOMPARE(p.page->packetList()->columnWidth(2), 170);
    // Widths stay within their limits; within them the user's width stays.
    p.page->packetList()->horizontalHeader()->resizeSection(2, 100);
    QCOMPARE(p.page->packetList()->columnWidth(2), 170);
    p.page->packetList()->horizontalHeader()->resizeSection(3, 90);
    QCOMPARE(p.page->packetList()->columnWidth(3), 40);
    p.page->packetList()->horizontalHeader()->resizeSection(5, 130);
    p.feed(standardWord(0x123), {0x11, 0x23}, 1150);
    p.page->publish();
    QCOMPARE(p.page->packetList()->columnWidth(5), 130);
    p.page->detailList()->horizontalHeader()->resizeSection(3, 200);
    QCOMPARE(p.page->detailList()->columnWidth(3), 120);
    // The second byte of 0x123 changed: marked for about a second.
    const QModelIndex data = p.page->packetModel()->index(0, 4);
    QCOMPARE(data.data(kivprism::ui::CanLogPacketModel::kChangedBytesRole).toUInt(), 2u);
    p.host.now += 1000;
    QCOMPARE(data.data(kivprism::ui::CanLogPacketModel::kChangedBytesRole).toUInt(), 0u);
  }

  void aBatchIsOneInsertionAndOneChange() {
    BarePage p;
    QSignalSpy inserted(p.page->packetModel(), &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(p.page->packetModel(), &QAbstractItemModel::dataChanged);
    for (std::uint32_t i = 0; i < 500; ++i) {
      p.feed(0x100000 + i, {1}, i);
    }
    p.page->publish();
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(p.page->packetModel()->rowCount(), 500);
    for (int round = 0; round < 20; ++round) {
      for (std::uint32_t i = 0; i < 500; i += 7) {
        p.feed(0x100000 + i, {std::uint8_t(round)}, 1000u + std::uint32_t(round));
      }
    }
    p.page->publish();
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(p.cell(7, 6), QString("21"));
  }

  void theBatchTimerPublishesOnItsOwn() {
    BarePage p;
    p.feed(standardWord(0x1), {}, 0);
    p.clock.advance(CanLogPage::kBatchMs - 1);
    QCOMPARE(p.page->packetModel()->rowCount(), 0);
    p.clock.advance(1);
    QCOMPARE(p.page->packetModel()->rowCount(), 1);
    // The next record waits for the next batch, which comes while the change marks fade.
    p.feed(standardWord(0x2), {}, 0);
    QCOMPARE(p.page->packetModel()->rowCount(), 1);
    p.clock.advance(CanLogPage::kBatchMs);
    QCOMPARE(p.page->packetModel()->rowCount(), 2);
  }

  void detailsOpenAndCloseWithTheLeftButtonAndShowBars() {
    BarePage p;
    p.feed(standardWord(0x10), {0x41, 0x1F, 0xC0}, 0);
    p.feed(standardWord(0x20), {0xFF}, 0);
    p.page->publish();
    QVERIFY(p.page->detailList()->isHidden());
    QTest::mouseClick(p.page->packetList()->viewport(), Qt::LeftButton, {}, p.rowCentre(0));
    QVERIFY(p.page->detailList()->isVisible());
    QCOMPARE(p.page->detailRow(), 0);
    auto* details = p.page->detailModel();
    QCOMPARE(details->rowCount(), 3);
    QCOMPARE(details->index(0, 2).data().toString(), QString("41"));
    QCOMPARE(details->index(0, 3).data().toString(), QString("01000001"));
    QCOMPARE(details->index(0, 4).data().toString(), QString("65"));
    QCOMPARE(details->index(0, 5).data().toString(), QString("'A'"));
    QCOMPARE(details->index(1, 5).data().toString(), QString("-"));
    QCOMPARE(details->index(2, 5).data().toString(), QString::fromUtf8("'А'"));
    QVERIFY(p.page->gauge(2)->isVisible());
    QVERIFY(!p.page->gauge(3)->isVisible());
    QCOMPARE(p.page->gauge(0)->value(), 0x41);
    const QRect cell = p.page->detailList()->visualRect(details->index(1, 6));
    QCOMPARE(p.page->gauge(1)->geometry(), cell.adjusted(0, 1, 0, -1));
    // New bytes of the identifier reach the list and the bars with the next batch.
    p.feed(standardWord(0x10), {0x42, 0x1F, 0xC0}, 10);
    p.page->publish();
    QCOMPARE(details->index(0, 2).data().toString(), QString("42"));
    QCOMPARE(p.page->gauge(0)->value(), 0x42);
    // Another row shows that row's bytes; pressing it again hides the list.
    QTest::mouseClick(p.page->packetList()->viewport(), Qt::LeftButton, {}, p.rowCentre(1));
    QCOMPARE(details->rowCount(), 1);
    QVERIFY(!p.page->gauge(1)->isVisible());
    QTest::mouseClick(p.page->packetList()->viewport(), Qt::LeftButton, {}, p.rowCentre(1));
    QVERIFY(p.page->detailList()->isHidden());
    QCOMPARE(p.page->detailRow(), -1);
    QVERIFY(!p.page->gauge(0)->isVisible());
  }

  void theMenuShowsWhatFitsTheState() {
    BarePage p;
    p.page->prepareMenu();
    QVERIFY(p.item("CANLOG_BEGIN")->isVisible());
    QVERIFY(p.item("CANLOG_SAVE_TAB")->isVisible());
    QVERIFY(!p.item("CANLOG_END")->isVisible());
    QVERIFY(!p.item("CANLOG_CLEAR")->isVisible());
    QVERIFY(!p.item("CANLOG_HIDEDATA")->isVisible());
    QVERIFY(!p.item("CANLOG_HIDETHIS")->isVisible());
    QVERIFY(p.item("CANLOG_SHOWALLID")->isVisible());
    p.startControllerLog();
    p.feed(standardWord(0x10), {1}, 0);
    p.page->publish();
    QTest::mouseClick(p.page->packetList()->viewport(), Qt::LeftButton, {}, p.rowCentre(0));
    p.page->prepareMenu();
    QVERIFY(!p.item("CANLOG_BEGIN")->isVisible());
    QVERIFY(p.item("CANLOG_END")->isVisible());
    QVERIFY(p.item("CANLOG_CLEAR")->isVisible());
    QVERIFY(p.item("CANLOG_HIDEDATA")->isVisible());
    QVERIFY(p.item("CANLOG_HIDETHIS")->isVisible());
    QVERIFY(p.item("CANLOG_HIDEALLNOTHIS")->isVisible());
    // A right press on a row opens the menu with that row selected.
    QTest::mousePress(p.page->packetList()->viewport(), Qt::RightButton, {}, p.rowCentre(0));
    QVERIFY(p.page->menu()->isVisible());
    p.page->menu()->hide();
    QCOMPARE(p.page->selectedRow(), 0);
  }

  void startsStopAndHideCommandsFollowTheirSteps() {
    BarePage p;
    p.feed(standardWord(0x10), {1}, 0);
    p.feed(standardWord(0x20), {1}, 0);
    p.page->publish();
    p.item("CANLOG_HIDECURRENTID")->trigger();
    QCOMPARE(p.modes(), (std::vector<std::uint8_t>{0, 2}));
    QCOMPARE(p.host.pollPauses, 0);
    QCOMPARE(p.unheldExchanges, 0);
    QCOMPARE(p.page->packetModel()->rowCount(), 0);
    p.feed(standardWord(0x10), {1}, 0);
    p.feed(standardWord(0x30), {1}, 0);
    p.page->publish();
    QCOMPARE(p.page->packetModel()->rowCount(), 1);
    QCOMPARE(p.cell(0, 2), QString("030(  48)"));
    p.item("CANLOG_SHOWALLID")->trigger();
    p.feed(standardWord(0x10), {1}, 0);
    p.feed(standardWord(0x30), {1}, 0);
    p.page->publish();
    QCOMPARE(p.page->packetModel()->rowCount(), 2);
    // Hide this packet on row 2: the list empties and that identifier stays away.
    QTest::mousePress(p.page->packetList()->viewport(), Qt::RightButton, {}, p.rowCentre(1));
    p.page->menu()->hide();
    p.item("CANLOG_HIDETHIS")->trigger();
    QCOMPARE(p.page->packetModel()->rowCount(), 0);
    p.feed(standardWord(0x30), {1}, 0);
    p.feed(standardWord(0x10), {1}, 0);
    p.page->publish();
    QCOMPARE(p.page->packetModel()->rowCount(), 1);
    QCOMPARE(p.cell(0, 2), QString("010(  16)"));
    // Stop keeps the rows; a failing stop before a start leaves the list and sends no start.
    p.item("CANLOG_END")->trigger();
    QCOMPARE(p.modes().back(), 0);
    QCOMPARE(p.page->packetModel()->rowCount(), 1);
    p.controller.setAreaAnswer(area::kCanLog, 0xFE);
    p.clearModes();
    p.item("CANLOG_BEGIN")->trigger();
    QCOMPARE(p.modes(), (std::vector<std::uint8_t>{0}));
    QCOMPARE(p.page->packetModel()->rowCount(), 1);
    QCOMPARE(p.errors().size(), 1);
    QCOMPARE(p.errors()[0], QString("Эта операция\nдля данной прошивки\nне поддерживается"));
    // Without a controller nothing is sent.
    p.link.clearConnected();
    p.clearModes();
    p.item("CANLOG_CLEAR")->trigger();
    p.item("CANLOG_BEGIN")->trigger();
    QVERIFY(p.modes().empty());
    QCOMPARE(p.errors().back(), QString("Контроллер отключен"));
    QCOMPARE(p.page->packetModel()->rowCount(), 1);
  }

  void startAndSaveWritesTheChosenFormUntilStop() {
    QTemporaryDir dir;
    BarePage p;
    p.chosenFile = dir.filePath("capture.LOG");
    p.item("CANLOG_SAVE_TAB")->trigger();
    QCOMPARE(p.modes(), (std::vector<std::uint8_t>{0, 1}));
    QCOMPARE(p.remembered, p.chosenFile);
    QVERIFY(p.page->writingToFile());
    p.feed(standardWord(0x123), {0xAB}, 5000);
    p.feed(standardWord(0x123), {0xAB}, 5100);
    p.item("CANLOG_CLEAR")->trigger();
    p.feed(standardWord(0x123), {0xAC}, 7000);
    p.item("CANLOG_END")->trigger();
    QVERIFY(!p.page->writingToFile());
    p.feed(standardWord(0x123), {0xAD}, 8000);
    QFile file(p.chosenFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray header = "\xB9\tID count\tTime\tDlit\tID\tDLC\tData\r\n";
    QCOMPARE(file.readAll(), header + "1\t1\t0.000\t0.000\t123( 291)\t1\tAB\r\n" +
                                 "2\t2\t0.100\t0.100\t123( 291)\t1\tAB\r\n" + header +
                                 "1\t1\t0.000\t0.000\t123( 291)\t1\tAC\r\n");
    // A cancelled dialog leaves the capture stopped.
    p.chosenFile.clear();
    p.clearModes();
    p.item("CANLOG_SAVE")->trigger();
    QCOMPARE(p.modes(), (std::vector<std::uint8_t>{0}));
    QVERIFY(!p.page->writingToFile());
    // The candump type of the dialog writes a candump log.
    p.chosenFile = dir.filePath("capture.candump");
    p.chosenForm = kivprism::canlog::LogForm::Candump;
    p.item("CANLOG_SAVE")->trigger();
    p.feed(0x18FEF100, {1, 2}, 100);
    p.feed(0x18FEF100, {1, 3}, 350);
    p.page->stopSilently();
    QFile candump(p.chosenFile);
    QVERIFY(candump.open(QIODevice::ReadOnly));
    // Candump times count from the wall clock at the capture's start, as candump's own do.
    const QStringList lines =
        QString::fromLatin1(candump.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    const QRegularExpression line(R"(^\((\d{10}\.\d{6})\) can0 18FEF100#(\d{4})$)");
    const QRegularExpressionMatch first = line.match(lines[0]);
    const QRegularExpressionMatch second = line.match(lines[1]);
    QVERIFY(first.hasMatch() && second.hasMatch());
    QCOMPARE(first.captured(2), QString("0102"));
    QCOMPARE(second.captured(2), QString("0103"));
    const double start = first.captured(1).toDouble();
    QVERIFY(start > 1.0e9);
    QCOMPARE(qRound((second.captured(1).toDouble() - start) * 1000), 250);
  }

  // A start whose log file cannot be made sends no start; one whose dialog fails outright still
  // gives the poll back, or the controller would go unpolled from then on.
  void aStartThatFailsGivesThePollBack() {
    QTemporaryDir dir;
    BarePage p;
    p.chosenFile = dir.filePath("no such folder/capture.LOG");
    p.host.toolbarUpdates.clear();
    p.item("CANLOG_SAVE")->trigger();
    QCOMPARE(p.modes(), (std::vector<std::uint8_t>{0}));
    QVERIFY(!p.page->writingToFile());
    QCOMPARE(p.host.pollPauses, 0);
    QCOMPARE(p.host.toolbarUpdates, (std::vector<bool>{true, false}));
    p.chooserFails = true;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, p.page->CANLOG_SAVE_TABClick());
    QCOMPARE(p.host.pollPauses, 0);
    QVERIFY(!p.page->writingToFile());
    QCOMPARE(p.unheldExchanges, 0);
  }

  void hidingThePageClosesTheFileAndEchoGoesToTheTerminal() {
    QTemporaryDir dir;
    BarePage p;
    QVERIFY(p.page->setPageShown(true));
    QVERIFY(!p.page->setPageShown(true));
    p.chosenFile = dir.filePath("a.LOG");
    p.item("CANLOG_SAVE")->trigger();
    QVERIFY(p.page->writingToFile());
    QVERIFY(p.page->setPageShown(false));
    QVERIFY(!p.page->writingToFile());
    p.terminal = true;
    p.feed(standardWord(0x123), {0x01, 0xAB}, 12345);
    QCOMPARE(p.echoed, QStringList{"012.345 CANRX 0123 [ 01 AB ]"});
  }

  void theRowsKeepTheirOrderOfArrivalWhenAHeaderIsClicked() {
    BarePage p;
    p.feed(standardWord(0x300), {}, 0);
    p.feed(standardWord(0x100), {}, 0);
    p.feed(standardWord(0x100), {}, 40);
    p.feed(standardWord(0x200), {}, 0);
    p.page->publish();
    p.page->packetList()->selectRow(1);
    auto* header = p.page->packetList()->horizontalHeader();
    for (const int column : {2, 2, 5, 6, 1}) {
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                        QPoint(header->sectionViewportPosition(column) + 5, 5));
      QCOMPARE(p.cell(0, 2), QString("300( 768)"));
      QCOMPARE(p.cell(1, 2), QString("100( 256)"));
      QCOMPARE(p.cell(2, 2), QString("200( 512)"));
      QCOMPARE(p.cell(1, 1), QString("2"));
      QCOMPARE(p.page->packetList()->selectionModel()->selectedRows().value(0).row(), 1);
    }
    QVERIFY(!header->isSortIndicatorShown());
    // New rows join at the end.
    p.feed(standardWord(0x050), {}, 0);
    p.page->publish();
    QCOMPARE(p.cell(3, 2), QString("050(  80)"));
  }

  void packetColumnsSizeToTheirTextsWithinTheirLimits() {
    BarePage p;
    QTableView* list = p.page->packetList();
    const QFontMetrics metrics(list->font());
    const auto fits = [&](int row, int column) {
      return metrics.horizontalAdvance(p.cell(row, column)) < list->columnWidth(column);
    };
    p.feed(standardWord(0x123), {0x11}, 0);
    p.feed(standardWord(0x123), {0x11}, 7);
    p.page->publish();
    // Short texts: the number and period columns are no wider than their captions need.
    const int shortPeriod = list->columnWidth(5);
    QVERIFY(list->columnWidth(1) < 60);
    QVERIFY(shortPeriod < 100);
    QVERIFY(fits(0, 1));
    QVERIFY(fits(0, 5));
    // Columns with limits keep them: the identifier at least 170, the length at most 40.
    QCOMPARE(list->columnWidth(2), 170);
    QVERIFY(list->columnWidth(3) <= 40);
    QVERIFY(fits(0, 3));
    // Wider texts still fit: an extended identifier, a long period, a full table of rows.
    p.feed(0x18FEF100, {1, 2, 3, 4, 5, 6, 7, 8}, 0);
    p.feed(0x18FEF100, {1, 2, 3, 4, 5, 6, 7, 8}, 987654);
    for (std::uint32_t i = 0; i < kivprism::canlog::kMaxPacketRows; ++i) {
      p.feed(0x100000 + i, {1}, 0);
    }
    p.page->publish();
    const int lastRow = p.page->packetModel()->rowCount() - 1;
    QCOMPARE(p.cell(lastRow, 1), QString("9999"));
    QVERIFY(list->columnWidth(5) >= shortPeriod);
    for (const int column : {1, 2, 4, 5}) {
      for (const int row : {1, lastRow}) {
        QVERIFY2(fits(row, column), qPrintable(QString("column %1 row %2").arg(column).arg(row)));
      }
    }
    // Emptied, the columns return to their first widths.
    p.page->CANLOG_CLEARClick();
    QCOMPARE(list->columnWidth(1), 60);
    QCOMPARE(list->columnWidth(5), 100);
  }

  void changedBytesStayReadableInTheSelectedRow() {
    BarePage p;
    p.feed(standardWord(0x123), {0x11, 0x22}, 0);
    p.feed(standardWord(0x123), {0x11, 0xEE}, 10);
    p.page->publish();
    QTableView* list = p.page->packetList();
    const QModelIndex data = p.page->packetModel()->index(0, 4);
    QCOMPARE(data.data(kivprism::ui::CanLogPacketModel::kChangedBytesRole).toUInt(), 2u);
    // A highlight whose text is white, as the usual palettes have it.
    QPalette palette = list->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
      palette.setColor(group, QPalette::Highlight, QColor(0, 120, 215));
      palette.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    list->setPalette(palette);
    list->selectRow(0);
    const QImage image = list->viewport()->grab(list->visualRect(data)).toImage();
    // Inside the light mark of the changed byte there must be dark text.
    int marked = 0;
    int darkInMark = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.red() > 200 && c.green() > 150 && c.blue() < 160) {
          ++marked;
          continue;
        }
        // A dark pixel with the mark beside it (the glyphs lie on the mark).
        if (c.lightness() < 80 && x > 0 && x + 1 < image.width()) {
          const QColor l = image.pixelColor(x - 1, y);
          const QColor r = image.pixelColor(x + 1, y);
          const auto isMark = [](const QColor& m) {
            return m.red() > 200 && m.green() > 150 && m.blue() < 160;
          };
          darkInMark += isMark(l) || isMark(r) ? 1 : 0;
        }
      }
    }
    QVERIFY(marked > 20);
    QVERIFY2(darkInMark > 5, qPrintable(QString("dark pixels on the mark: %1").arg(darkInMark)));
  }

  void aCaptureIsKeptAndSavedAfterItInEveryForm() {
    QTemporaryDir dir;
    BarePage p;
    p.page->prepareMenu();
    QVERIFY(!p.item("CANLOG_SAVELOG")->isVisible());
    p.item("CANLOG_BEGIN")->trigger();
    p.feed(standardWord(0x123), {0xAB}, 5000);
    p.feed(0x18FEF100, {1, 2}, 5050);
    p.feed(standardWord(0x123), {0xAC}, 5100);
    p.item("CANLOG_END")->trigger();
    QCOMPARE(p.page->kept().size(), std::size_t{3});
    p.page->prepareMenu();
    QVERIFY(p.item("CANLOG_SAVELOG")->isVisible());
    QVERIFY(p.item("CANLOG_SAVELOG_TAB")->isVisible());
    // The two text forms by their commands, the captures by the dialog's file type.
    p.chosenFile = dir.filePath("after.LOG");
    p.item("CANLOG_SAVELOG")->trigger();
    QCOMPARE(p.remembered, p.chosenFile);
    QCOMPARE(contentsOf(p.chosenFile),
             QByteArray("   1(   1)    0.000(   0.000) 123( 291) 1 [AB                     ]\r\n"
                        "   2(   1)    0.050(   0.000) 18FEF100(419361024) 2 "
                        "[01 02                  ]\r\n"
                        "   3(   2)    0.100(   0.100) 123( 291) 1 [AC                     ]\r\n"));
    p.chosenFile = dir.filePath("tab.LOG");
    p.item("CANLOG_SAVELOG_TAB")->trigger();
    QVERIFY(contentsOf(p.chosenFile).endsWith("3\t2\t0.100\t0.100\t123( 291)\t1\tAC\r\n"));
    p.chosenFile = dir.filePath("after.candump");
    p.chosenForm = kivprism::canlog::LogForm::Candump;
    p.item("CANLOG_SAVELOG")->trigger();
    const auto candump = kivprism::canlog::readCandump(contentsOf(p.chosenFile).toStdString());
    QCOMPARE(QString::fromStdString(candump.error), QString());
    QCOMPARE(candump.records.size(), std::size_t{3});
    QCOMPARE(candump.records[1].identifierWord, 0x18FEF100u);
    p.chosenFile = dir.filePath("after.asc");
    p.chosenForm = kivprism::canlog::LogForm::VectorAsc;
    p.item("CANLOG_SAVELOG")->trigger();
    const auto asc = kivprism::canlog::readAsc(contentsOf(p.chosenFile).toStdString());
    QCOMPARE(asc.records.size(), std::size_t{3});
    QCOMPARE(asc.records[2].timeStamp, 100u);
    QVERIFY(p.errors().isEmpty());
    // A file that cannot be written says so.
    p.chosenFile = dir.filePath("no/such/folder.asc");
    p.item("CANLOG_SAVELOG")->trigger();
    QCOMPARE(p.errors().size(), 1);
    QVERIFY(p.errors()[0].contains("folder.asc"));
    // Clearing the log starts the kept records anew.
    p.item("CANLOG_CLEAR")->trigger();
    QVERIFY(p.page->kept().empty());
    p.page->prepareMenu();
    QVERIFY(!p.item("CANLOG_SAVELOG")->isVisible());
  }

  void theFilterNarrowsThePacketList() {
    BarePage p;
    p.feed(standardWord(0x100), {1}, 0);
    p.feed(standardWord(0x250), {1}, 0);
    p.feed(0x18FEF100, {1}, 0);
    p.feed(standardWord(0x123), {1}, 0);
    p.page->publish();
    QCOMPARE(p.page->packetModel()->rowCount(), 4);
    p.page->filterField()->setText("123 200-2ff");
    QCOMPARE(p.page->packetModel()->rowCount(), 2);
    QCOMPARE(p.cell(0, 2), QString("250( 592)"));
    QCOMPARE(p.cell(0, 1), QString("2"));
    QCOMPARE(p.cell(1, 2), QString("123( 291)"));
    QCOMPARE(p.page->packetModel()->engineRow(1), 3);
    QCOMPARE(p.page->packetModel()->viewRow(3), 1);
    QCOMPARE(p.page->packetModel()->viewRow(0), -1);
    // New rows that pass join at the end, others stay out.
    p.feed(standardWord(0x2FF), {1}, 0);
    p.feed(standardWord(0x300), {1}, 0);
    p.page->publish();
    QCOMPARE(p.page->packetModel()->rowCount(), 3);
    QCOMPARE(p.cell(2, 2), QString("2FF( 767)"));
    // A left click opens the details of the row it hits.
    QTest::mouseClick(p.page->packetList()->viewport(), Qt::LeftButton, {}, p.rowCentre(1));
    QCOMPARE(p.page->detailRow(), 3);
    // A text that is no list of identifiers leaves the list as it was.
    p.page->filterField()->setText("12G");
    QCOMPARE(p.page->packetModel()->rowCount(), 3);
    // Only changed bytes: a row joins once its bytes change.
    p.page->filterField()->clear();
    QCOMPARE(p.page->packetModel()->rowCount(), 6);
    p.page->changedOnlyBox()->setChecked(true);
    QCOMPARE(p.page->packetModel()->rowCount(), 0);
    p.feed(standardWord(0x250), {2}, 10);
    p.feed(standardWord(0x300), {2}, 10);
    p.page->publish();
    QCOMPARE(p.page->packetModel()->rowCount(), 2);
    QCOMPARE(p.cell(0, 2), QString("250( 592)"));
    p.feed(standardWord(0x100), {2}, 20);
    p.page->publish();
    QCOMPARE(p.page->packetModel()->rowCount(), 3);
    QCOMPARE(p.cell(0, 2), QString("100( 256)"));
    QCOMPARE(p.cell(2, 2), QString("300( 768)"));
    QCOMPARE(p.cell(2, 6), QString("2"));
    // The filter narrows the view only: the capture keeps every record.
    QCOMPARE(p.page->kept().size(), std::size_t{9});
    p.page->changedOnlyBox()->setChecked(false);
    QCOMPARE(p.page->packetModel()->rowCount(), 6);
  }

  void aRightClickMakesAnEventOfTheChangedOrThePickedBytes() {
    BarePage p;
    p.feed(standardWord(0x123), {0x11, 0x22, 0x33}, 1000);
    p.feed(standardWord(0x123), {0x11, 0x22, 0x34}, 1010);
    p.feed(standardWord(0x7FF), {}, 1020);
    p.page->publish();
    QCOMPARE(bytesAcross(p, 0), (std::vector<int>{-1, 0, -1, 1, -1, 2, -1}));
    // On the identifier: the changed byte.
    QTest::mousePress(p.page->packetList()->viewport(), Qt::RightButton, {}, p.rowCentre(0));
    p.page->menu()->hide();
    QVERIFY(p.item("CANLOG_MAKEEVENT")->isVisible());
    p.item("CANLOG_MAKEEVENT")->trigger();
    QCOMPARE(p.events.size(), std::size_t{1});
    QCOMPARE(p.events[0].idWord, standardWord(0x123));
    QCOMPARE(p.events[0].count, std::uint8_t{3});
    QCOMPARE(p.events[0].mask, (std::array<std::uint8_t, 8>{0, 0, 0xFF, 0, 0, 0, 0, 0}));
    QCOMPARE(p.events[0].data, (std::array<std::uint8_t, 8>{0, 0, 0x34, 0, 0, 0, 0, 0}));
    // On a byte of the data: that byte.
    QTest::mousePress(p.page->packetList()->viewport(), Qt::RightButton, {}, pointOnByte(p, 0, 0));
    p.page->menu()->hide();
    QCOMPARE(p.page->pickedBytes(), std::uint8_t{1});
    p.item("CANLOG_MAKEEVENT")->trigger();
    QCOMPARE(p.events.back().mask, (std::array<std::uint8_t, 8>{0xFF, 0, 0, 0, 0, 0, 0, 0}));
    QCOMPARE(p.events.back().data, (std::array<std::uint8_t, 8>{0x11, 0, 0, 0, 0, 0, 0, 0}));
    // On a byte of the details.
    QTest::mouseClick(p.page->packetList()->viewport(), Qt::LeftButton, {}, p.rowCentre(0));
    const QRect second = p.page->detailList()->visualRect(p.page->detailModel()->index(1, 2));
    QTest::mousePress(p.page->detailList()->viewport(), Qt::RightButton, {}, second.center());
    QVERIFY(p.page->menu()->isVisible());
    p.page->menu()->hide();
    p.item("CANLOG_MAKEEVENT")->trigger();
    QCOMPARE(p.events.back().mask, (std::array<std::uint8_t, 8>{0, 0xFF, 0, 0, 0, 0, 0, 0}));
    // Copy as candump line.
    p.item("CANLOG_COPYCANDUMP")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("(0000000001.010000) can0 123#112234"));
    // A frame without data makes no event.
    QTest::mousePress(p.page->packetList()->viewport(), Qt::RightButton, {}, p.rowCentre(1));
    p.page->menu()->hide();
    p.item("CANLOG_MAKEEVENT")->trigger();
    QCOMPARE(p.events.size(), std::size_t{3});
    QCOMPARE(p.errors().size(), 1);
    QCOMPARE(p.errors()[0],
             QString::fromUtf8("Пакет без байтов данных не может стать CAN событием"));
  }

  void aSavedCaptureOpensIntoThePage() {
    QTemporaryDir dir;
    BarePage p;
    p.feed(standardWord(0x555), {1}, 0);
    p.captureFile = dir.filePath("car.candump");
    {
      QFile file(p.captureFile);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(
          "(1700000000.000000) can0 123#1122\n(1700000000.100000) can0 18DAF110#01\n"
          "(1700000000.250000) can0 123#1123\n");
    }
    p.page->prepareMenu();
    QVERIFY(p.item("CANLOG_OPEN")->isVisible());
    p.item("CANLOG_OPEN")->trigger();
    QVERIFY(p.errors().isEmpty());
    QCOMPARE(p.page->packetModel()->rowCount(), 2);
    QCOMPARE(p.cell(0, 2), QString("123( 291)"));
    QCOMPARE(p.cell(0, 5), QString("250"));
    QCOMPARE(p.cell(0, 6), QString("2"));
    QCOMPARE(p.cell(1, 2), QString("18DAF110(417001744)"));
    QVERIFY(p.modes().empty());
    // Studied, it saves as another kind.
    p.chosenFile = dir.filePath("car.asc");
    p.chosenForm = kivprism::canlog::LogForm::VectorAsc;
    p.item("CANLOG_SAVELOG")->trigger();
    QCOMPARE(kivprism::canlog::readAsc(contentsOf(p.chosenFile).toStdString()).records.size(),
             std::size_t{3});
    // Errors name the file's line; the rows stay.
    {
      QFile file(p.captureFile);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("(1.0) can0 123#11\n(1.1) can0 123#1\n");
    }
    p.item("CANLOG_OPEN")->trigger();
    QCOMPARE(p.errors().size(), 1);
    QCOMPARE(p.errors()[0],
             QString::fromUtf8("Строка 2 файла %1 не является CAN пакетом:\n(1.1) can0 123#1")
                 .arg(p.captureFile));
    QCOMPARE(p.page->packetModel()->rowCount(), 2);
    p.captureFile = dir.filePath("missing.asc");
    p.item("CANLOG_OPEN")->trigger();
    QCOMPARE(p.errors().size(), 2);
    QVERIFY(p.errors()[1].contains("missing.asc"));
    p.captureFile = dir.filePath("empty.asc");
    {
      QFile file(p.captureFile);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write("date Wed Dec 09 02:05:07.000 pm 2026\r\n");
    }
    p.item("CANLOG_OPEN")->trigger();
    QCOMPARE(p.errors().size(), 3);
    QCOMPARE(p.page->packetModel()->rowCount(), 2);
    // A cancelled chooser does nothing.
    p.captureFile.clear();
    p.item("CANLOG_OPEN")->trigger();
    QCOMPARE(p.errors().size(), 3);
  }

  // --- in the main window ---

  void theWindowShowsLiveTrafficWhileTheBusIsCan() {
    QTemporaryDir dir;
    kivprism::testing::VirtualWindowClock clock;
    kivprism::sim::SimulatedController controller(clock.function());
    controller.setReportCallHook(
        [&clock] { clock.pass(kivprism::testing::WindowRig::kReportCallMs); });
    kivprism::sim::SimulatedHidPort port(controller);
    controller.startDemo();
    std::vector<QString> boxes;
    kivprism::ui::MainWindowOptions options;
    options.settingsPath = dir.filePath("kivprism.ini");
    options.systemLanguage = "en-US";
    options.clock = &clock;
    options.boxAnswerer = [&](unsigned, const QString&, const QString& text) {
      boxes.push_back(text);
      return box::kYes;
    };
    // The user picks the ASC type in the save dialog: the type, not the name, gives the form.
    QString chosen = dir.filePath("car.log");
    TMainForm* shown = nullptr;
    options.fileAnswerer = [&](kivprism::ui::FileChooser, const QString&) {
      if (auto* dialog = shown->findChild<QFileDialog*>("SaveDialogCANLOG")) {
        dialog->selectNameFilter(dialog->nameFilters().value(2));
      }
      return chosen;
    };
    TMainForm window(port, options);
    shown = &window;
    window.startUp();
    window.show();
    QVERIFY(clock.waitFor([&] { return window.link().isConnected(); }, kConnectTimeoutMs));
    auto* tabs = window.findChild<QTabWidget*>("PageControlMain");
    CanLogPage* page = window.pages().canLogPage;
    VTRY_VERIFY_WITH_TIMEOUT(clock, tabs->isTabVisible(tabs->indexOf(page)), 3000);
    QCOMPARE(tabs->tabText(tabs->indexOf(page)), QString("CAN log"));
    QCOMPARE(page->menu()->findChild<QAction*>("CANLOG_BEGIN")->text(), QString("Start"));
    tabs->setCurrentWidget(page);

    page->CANLOG_SAVEClick();
    QVERIFY(page->writingToFile());
    VTRY_VERIFY_WITH_TIMEOUT(clock, page->packetModel()->rowCount() >= 20, 5000);
    VTRY_VERIFY_WITH_TIMEOUT(
        clock, window.shell().statusText().contains("CAN log started and written to the file"),
        3000);
    // Writing the configuration stops the log quietly and closes the file.
    window.toolbar().SpeedButtonWriteDeviceClick();
    QVERIFY(!page->writingToFile());
    QCOMPARE(controller.canLog().mode(), std::uint8_t{0});
    QFile file(chosen);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const kivprism::canlog::CaptureRead read =
        kivprism::canlog::readAsc(file.readAll().toStdString());
    QCOMPARE(QString::fromStdString(read.error), QString());
    QVERIFY(read.records.size() > 20);

    // Another bus hides the page.
    window.model().working.set(kivprism::config::layout::kDiffBusMode, 0);
    window.pages().canLogPage->refreshCanLogPage();
    QVERIFY(!tabs->isTabVisible(tabs->indexOf(page)));
  }

  void aCaptureOpensFromTheFileMenuWhateverTheBus() {
    QTemporaryDir dir;
    kivprism::testing::VirtualWindowClock clock;
    kivprism::sim::SimulatedController controller(clock.function());
    controller.setReportCallHook(
        [&clock] { clock.pass(kivprism::testing::WindowRig::kReportCallMs); });
    kivprism::sim::SimulatedHidPort port(controller);
    kivprism::ui::MainWindowOptions options;
    options.settingsPath = dir.filePath("kivprism.ini");
    options.systemLanguage = "en-US";
    options.clock = &clock;
    options.boxAnswerer = [](unsigned, const QString&, const QString&) { return box::kYes; };
    const QString capture = dir.filePath("bench.asc");
    std::vector<kivprism::ui::FileChooser> asked;
    options.fileAnswerer = [&](kivprism::ui::FileChooser kind, const QString&) {
      asked.push_back(kind);
      return capture;
    };
    {
      QFile file(capture);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(
          "date Wed Dec 09 02:05:07.000 pm 2026\r\nbase hex  timestamps absolute\r\n"
          "   0.010000 1  123             Rx   d 2 11 22\r\n"
          "   0.020000 1  18DAF110x       Rx   d 1 05\r\n");
    }
    TMainForm window(port, options);
    window.startUp();
    window.show();
    auto* tabs = window.findChild<QTabWidget*>("PageControlMain");
    CanLogPage* page = window.pages().canLogPage;
    window.model().working.set(kivprism::config::layout::kDiffBusMode, 0);
    window.pages().canLogPage->refreshCanLogPage();
    QVERIFY(!tabs->isTabVisible(tabs->indexOf(page)));
    auto* open = window.findChild<QAction*>("MenuItemOpenCanCapture");
    QVERIFY(open != nullptr);
    QCOMPARE(open->text(), QString("Open CAN capture..."));
    open->trigger();
    QCOMPARE(asked,
             std::vector<kivprism::ui::FileChooser>{kivprism::ui::FileChooser::CanLogToOpen});
    QVERIFY(tabs->isTabVisible(tabs->indexOf(page)));
    QCOMPARE(tabs->currentWidget(), page);
    QCOMPARE(page->packetModel()->rowCount(), 2);
    QCOMPARE(page->packetModel()->index(1, 2).data().toString(), QString("18DAF110(417001744)"));
    // The page stays while the capture is studied; a start on another bus gives it up.
    window.pages().canLogPage->refreshCanLogPage();
    QVERIFY(tabs->isTabVisible(tabs->indexOf(page)));
    QVERIFY(clock.waitFor([&] { return window.link().isConnected(); }, kConnectTimeoutMs));
    clock.advance(500);
    window.model().working.set(kivprism::config::layout::kDiffBusMode, 0);
    page->CANLOG_BEGINClick();
    window.pages().canLogPage->refreshCanLogPage();
    QVERIFY(!tabs->isTabVisible(tabs->indexOf(page)));
  }

  void frameToRuleOnTheDemosTraffic() {
    QTemporaryDir dir;
    kivprism::testing::VirtualWindowClock clock;
    kivprism::sim::SimulatedController controller(clock.function());
    controller.setReportCallHook(
        [&clock] { clock.pass(kivprism::testing::WindowRig::kReportCallMs); });
    kivprism::sim::SimulatedHidPort port(controller);
    controller.startDemo();
    std::vector<QString> boxes;
    kivprism::ui::MainWindowOptions options;
    options.settingsPath = dir.filePath("kivprism.ini");
    options.systemLanguage = "en-US";
    options.clock = &clock;
    options.boxAnswerer = [&](unsigned, const QString&, const QString& text) {
      boxes.push_back(text);
      return box::kYes;
    };
    TMainForm window(port, options);
    window.startUp();
    window.show();
    QVERIFY(clock.waitFor([&] { return window.link().isConnected(); }, kConnectTimeoutMs));
    auto* tabs = window.findChild<QTabWidget*>("PageControlMain");
    CanLogPage* page = window.pages().canLogPage;
    VTRY_VERIFY_WITH_TIMEOUT(clock, tabs->isTabVisible(tabs->indexOf(page)), 3000);
    tabs->setCurrentWidget(page);
    QCOMPARE(page->menu()->findChild<QAction*>("CANLOG_MAKEEVENT")->text(),
             QString("Make a CAN event from this frame"));
    page->CANLOG_BEGINClick();
    // A row of the car's traffic whose bytes change.
    int row = -1;
    QVERIFY(clock.waitFor(
        [&] {
          const auto& rows = page->engine().rows();
          for (std::size_t r = 0; r < rows.size(); ++r) {
            if (rows[r].changedBytes != 0 && rows[r].record.dataLength() > 0) {
              row = page->packetModel()->viewRow(int(r));
              return row >= 0;
            }
          }
          return false;
        },
        8000));
    page->CANLOG_ENDClick();
    page->publish();
    const kivprism::canlog::PacketRow frame =
        page->engine().rows()[std::size_t(page->packetModel()->engineRow(row))];
    const auto selected = window.pages().eventPane->selectedEntry();
    const auto expected = kivprism::canlog::entryForFrameRule(window.model().working, selected);
    QVERIFY(expected.has_value());
    page->packetList()->scrollTo(page->packetModel()->index(row, 2));
    const QPoint at = page->packetList()->visualRect(page->packetModel()->index(row, 2)).center();
    QTest::mousePress(page->packetList()->viewport(), Qt::RightButton, {}, at);
    page->menu()->hide();
    page->menu()->findChild<QAction*>("CANLOG_MAKEEVENT")->trigger();
    // The editor shows the entry, which holds the frame's event.
    QCOMPARE(tabs->currentIndex(), tabs->indexOf(window.findChild<QWidget*>("TabSheetParameters")));
    QCOMPARE(window.pages().eventPane->selectedEntry(), *expected);
    const auto entry = kivprism::events::entryAt(window.model().working, *expected);
    QCOMPARE(kivprism::events::eventTypeCode(entry), unsigned(kivprism::events::EventType::SwCan));
    const auto filter = kivprism::events::get(entry, kivprism::events::event::sw_can::kFilter);
    QCOMPARE(filter.idWord, frame.record.identifierWord);
    QCOMPARE(filter.count, std::uint8_t(frame.record.dataLength()));
    for (std::size_t k = 0; k < frame.record.dataLength(); ++k) {
      const bool changed = ((frame.changedBytes >> k) & 1u) != 0;
      QCOMPARE(filter.mask[k], std::uint8_t(changed ? 0xFF : 0));
      QCOMPARE(filter.data[k], std::uint8_t(changed ? frame.record.data[k] : 0));
    }
    QCOMPARE(window.pages().eventPane->eventPages()->currentIndex(),
             int(kivprism::events::EventType::SwCan));
    // One step of the history, and the controller gets it with the next write.
    VTRY_VERIFY_WITH_TIMEOUT(clock, window.pages().editHistory->undoAction()->isEnabled(), 2000);
    window.pages().editHistory->undo();
    QVERIFY(kivprism::events::isEmpty(entry));
    window.pages().editHistory->redo();
    QCOMPARE(kivprism::events::get(entry, kivprism::events::event::sw_can::kFilter), filter);
    window.toolbar().SpeedButtonWriteDeviceClick();
    const auto written = kivprism::events::entryAt(controller.configuration(), *expected);
    QVERIFY(std::equal(written.begin(), written.end(), entry.begin()));
  }
};

KIVPRISM_WINDOW_TEST(CanLogPageTest);

}  // namespace
}  // namespace can_log_page_test
#include "can_log_page_test.moc"

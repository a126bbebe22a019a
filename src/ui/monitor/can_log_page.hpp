// The CAN-log page: one row per CAN identifier with its newest data, length, period and count, the
// bytes of one identifier below with a bar per byte, filters that hide identifiers, the start and
// stop commands and the optional log file. Records go into the engine as they arrive; the lists are
// models over the engine that the view hears about in batches, never once per record.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

#include "core/canlog/can_log_engine.hpp"
#include "core/canlog/capture_store.hpp"
#include "core/canlog/log_writer.hpp"
#include "core/canlog/packet_filter.hpp"
#include "core/device/device_link.hpp"
#include "core/device/link_host.hpp"
#include "core/events/records.hpp"
#include "core/shell/shell_services.hpp"
#include "ui/common/window_clock.hpp"

class QAction;
class QCheckBox;
class QLineEdit;
class QMenu;
class QProgressBar;
class QTableView;

namespace kivprism::ui {

// The packet list over the engine's rows, in their order of first arrival; a filter narrows it to
// the rows it passes.
class CanLogPacketModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumns = 7;
  static constexpr int kDataColumn = 4;
  // The bytes of the row that changed within the last second, as a bit mask (Data Hex column).
  static constexpr int kChangedBytesRole = Qt::UserRole + 1;

  CanLogPacketModel(const canlog::CanLogEngine& engine, std::function<std::uint32_t()> tickMs,
                    QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // A row of the engine took a record since the last batch.
  void noteChanged(std::size_t engineRow);
  // Tells the view what changed since the last batch: one insertion for the new rows, one change
  // for the rows that changed (and for those whose change marks ran out).
  void publish();
  // The engine's rows were emptied.
  void reset();
  // Shows only the rows the filter passes (all for an inactive one).
  void setFilter(const canlog::PacketFilter& filter);
  const canlog::PacketFilter& filter() const { return filter_; }

  // Engine row of a view row and back; -1 for none.
  int engineRow(int viewRow) const;
  int viewRow(int engineRow) const;
  // The widest text each column has had to show since the rows were last emptied.
  const QString& widestText(int column) const { return widest_[std::size_t(column)]; }

 private:
  struct Range {
    int first = -1;
    int last = -1;
    void add(int row);
    void add(const Range& other);
  };
  static constexpr std::size_t kMarkBatches = 12;

  void measure(std::size_t engineRow, bool wholeRow);
  std::vector<int> passingRows() const;
  void noteWidest(int column, const QString& text);

  const canlog::CanLogEngine& engine_;
  std::function<std::uint32_t()> tickMs_;
  int shownRows_ = 0;
  canlog::PacketFilter filter_;
  // The engine rows shown while the filter is active, in order.
  std::vector<int> shown_;
  Range dirty_;
  // Ranges of the last batches, so that marks are redrawn when they run out.
  std::array<Range, kMarkBatches> recent_{};
  std::size_t recentNext_ = 0;
  std::array<QString, kColumns> widest_{};
};

// The bytes of one row.
class CanLogDetailModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumns = 7;
  static constexpr int kValueColumn = 6;

  explicit CanLogDetailModel(const canlog::CanLogEngine& engine, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // -1 for none.
  void setDetailRow(int engineRow);
  int detailRow() const { return detailRow_; }
  // Shows the newest bytes of the detail row.
  void publish();

 private:
  const canlog::CanLogEngine& engine_;
  int detailRow_ = -1;
  int shownRows_ = 0;
};

// It hears the link's records itself, and tells the connection line its rate and file.
class CanLogPage : public QWidget, public device::CanRecordListener {
  Q_OBJECT

 public:
  static constexpr int kBatchMs = 100;
  static constexpr int kDetailHeight = 162;
  // The controller's answer to an area its firmware does not know.
  static constexpr int kStatusNotSupported = -254;

  // What only this page asks of the window: the file dialogs, the terminal, the editor and its
  // tab. The boxes, the toolbar lock, the poll hold-off and the clock come from the shell, the
  // connection, the commands and the bus mode from the link.
  struct Hooks {
    // A file name to save the log to (empty: cancelled) and the form its file type asks for.
    std::function<QString(canlog::LogForm& form)> chooseLogFile;
    std::function<void(const QString& fileName)> rememberLogFile;
    // A capture file to study (empty: cancelled).
    std::function<QString()> chooseCaptureFile;
    // Whether the terminal page is the one shown, and the echo line for it.
    std::function<bool()> terminalShown;
    std::function<void(const QString& line)> echo;
    // Makes the filter the event of a free entry and opens it in the editor; false when there is
    // no free entry (the shell has said so).
    std::function<bool(const events::CanFilter& filter)> makeFrameEvent;
    // The page's tab shown or hidden.
    std::function<void(bool shown)> showTab;
    // Brings the page to the front (a capture opened from elsewhere).
    std::function<void()> raise;
  };

  // The batches run on the window's clock.
  CanLogPage(shell::ShellServices& shell, WindowClock& clock, device::DeviceLink& link, Hooks hooks,
             QWidget* parent = nullptr);
  ~CanLogPage() override;

  // Every record the controller delivers, in order.
  void intake(device::CanRecord record);
  // --- the link's listener ---
  void canLogRecord(device::CanRecord record) override { intake(record); }
  bool canLogWritingToFile() const override { return writingToFile(); }
  std::uint32_t canRecordsPerSecond() const override { return recordsPerSecond(); }
  // Each poll: the page and its tab follow the bus mode of the image.
  void refreshCanLogPage() override;
  // A saved capture in place of the rows, to study without the car; its records are kept as a
  // capture's are, and the page stays shown whatever the bus until the next start.
  void studyCapture(const std::vector<canlog::CanLogRecord>& records);

  // --- for the shell ---
  int sendCanLogCommand(canlog::CanLogMode mode, bool report);
  void closeCanLogFile();
  // Closes the file and stops the controller's log without a word (before writes, defaults,
  // firmware updates and closing).
  void stopSilently();
  // Follows the bus mode; true when the visibility changed. Hiding closes the file.
  bool setPageShown(bool shown);
  bool pageShown() const { return pageShown_; }
  bool studying() const { return studying_; }
  bool writingToFile() const { return file_.isOpen(); }
  std::uint32_t recordsPerSecond() const { return engine_.rate(); }

  // --- the commands of the menu ---
  void CANLOG_BEGINClick() { startWithMode(canlog::CanLogMode::ShowAll); }
  void CANLOG_SHOWALLIDClick() { startWithMode(canlog::CanLogMode::ShowAll); }
  void CANLOG_HIDECURRENTIDClick() { startWithMode(canlog::CanLogMode::HideAccumulated); }
  void CANLOG_HIDENOTCHANGEDClick() { startWithMode(canlog::CanLogMode::HideNotChanged); }
  void CANLOG_SAVEClick() { startAndSave(canlog::LogForm::Aligned); }
  void CANLOG_SAVE_TABClick() { startAndSave(canlog::LogForm::TabSeparated); }
  void CANLOG_ENDClick();
  void CANLOG_CLEARClick();
  void CANLOG_HIDEDATAClick();
  void CANLOG_HIDETHISClick();
  void CANLOG_HIDEALLNOTHISClick();
  // The kept records of the capture to a file, after it.
  void CANLOG_SAVELOGClick() { saveKept(canlog::LogForm::Aligned); }
  void CANLOG_SAVELOG_TABClick() { saveKept(canlog::LogForm::TabSeparated); }
  void CANLOG_OPENClick();
  void CANLOG_MAKEEVENTClick();
  void CANLOG_COPYCANDUMPClick();
  // The byte of the packet list's data column under a point of its viewport; -1 for none.
  int byteAt(const QPoint& pos) const;
  void ListViewCANLOGMouseDown(Qt::MouseButton button, const QPoint& pos);
  void ListViewCANLOGSelectItem(int viewRow);
  void ListViewCANLOGDATADblClick() { CANLOG_HIDEDATAClick(); }
  // Sets the menu items' visibility for the state now (done before every popup).
  void prepareMenu();

  // --- state for tests ---
  const canlog::CanLogEngine& engine() const { return engine_; }
  CanLogPacketModel* packetModel() const { return packets_; }
  CanLogDetailModel* detailModel() const { return details_; }
  QTableView* packetList() const { return listViewCANLOG_; }
  QTableView* detailList() const { return listViewCANLOGDATA_; }
  QMenu* menu() const { return popupMenuCANLOG_; }
  QLineEdit* filterField() const { return filterField_; }
  QCheckBox* changedOnlyBox() const { return changedOnly_; }
  const canlog::CaptureStore& kept() const { return kept_; }
  // The bytes the last right click picked, bit k for byte k.
  std::uint8_t pickedBytes() const { return pickedBytes_; }
  QProgressBar* gauge(std::size_t k) const { return gauges_[k]; }
  int detailRow() const { return details_->detailRow(); }
  int selectedRow() const { return selectedRow_; }
  // Shows what the engine holds now instead of at the next batch.
  void publish();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void startWithMode(canlog::CanLogMode mode);
  void startAndSave(canlog::LogForm form);
  void saveKept(canlog::LogForm form);
  // A record for the rows: the engine, the log file and the kept records.
  bool take(const canlog::CanLogRecord& record, std::uint32_t now);
  void applyFilter();
  void popupMenuAtCursor();
  bool requireConnected();
  void emptyRows();
  void showDetails(int engineRow);
  void hideDetails();
  void placeGauges();
  // Sizes the packet list's columns to the widest text they have shown, within their limits.
  void fitColumns();
  QAction* addItem(const char* name, void (CanLogPage::*handler)());
  void showError(const QString& text);

  shell::ShellServices& shell_;
  device::DeviceLink& link_;
  Hooks hooks_;
  canlog::CanLogEngine engine_;
  canlog::LogFile file_;
  canlog::CaptureStore kept_;
  // The wall clock when the kept records began.
  std::tm keptStart_{};
  CanLogPacketModel* packets_;
  CanLogDetailModel* details_;
  QWidget* panel_;
  QTableView* listViewCANLOG_;
  QTableView* listViewCANLOGDATA_;
  QLineEdit* filterField_;
  QCheckBox* changedOnly_;
  std::array<QProgressBar*, canlog::kMaxDataBytes> gauges_{};
  // The packet list's column widths as last fitted to their texts.
  std::array<int, CanLogPacketModel::kColumns> fitted_{};
  QMenu* popupMenuCANLOG_;
  ClockTimer batchTimer_;
  int selectedRow_ = -1;
  int lastPressedRow_ = -1;
  std::uint8_t pickedBytes_ = 0;
  bool pageShown_ = false;
  bool studying_ = false;
  bool detailDirty_ = false;
  std::uint32_t lastShownTick_ = 0;
};

}  // namespace kivprism::ui

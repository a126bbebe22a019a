#include "ui/monitor/can_log_page.hpp"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <ctime>

#include "core/canlog/can_log_texts.hpp"
#include "core/canlog/capture_reader.hpp"
#include "core/canlog/frame_rule.hpp"
#include "core/config/utf8_path.hpp"
#include "core/device/device_info.hpp"
#include "core/device/packet.hpp"
#include "core/params/availability.hpp"
#include "platform/system.hpp"
#include "ui/common/qt_text.hpp"

namespace kivprism::ui {

namespace {

constexpr int kNoLimit = 1 << 20;

using canlog::CanLogMode;

struct Column {
  const char* caption;
  int width;
  int minimum = 0;
  int maximum = kNoLimit;
};
// Column 0 holds the item captions the lists never show.
constexpr std::array<Column, CanLogPacketModel::kColumns> kPacketColumns = {{
    {"XXX", 0, 0, 0},
    {"No.", 60},
    {"ID Hex(Dec)", 170, 170},
    {"DLC", 40, 0, 40},
    {"Data Hex", 220, 220},
    {"Cycle, mS", 100},
    {"Count", 80},
}};
constexpr std::array<Column, CanLogDetailModel::kColumns> kDetailColumns = {{
    {"XXX", 0, 0, 0},
    {"Idx", 50, 0, 70},
    {"Hex", 60, 0, 80},
    {"Bin", 100, 0, 120},
    {"Dec", 60, 0, 80},
    {"Ascii", 60, 0, 80},
    {"Value", 200},
}};
constexpr int kFontPixels = 11;
constexpr int kByteChars = 3;
constexpr int kHexDigits = 2;
// The background of a byte that changed within the last second, and its text: dark on the light
// mark in every row, the selected one too, whatever the palette's highlighted-text colour is.
constexpr QRgb kChangedMark = qRgb(255, 214, 102);
constexpr QRgb kChangedMarkText = qRgb(0, 0, 0);

QString text(const std::string& s) { return QString::fromStdString(s); }

// Where byte k of a Data Hex text stands in its cell (the text is centred); empty for no byte.
QRect byteRect(const QFontMetrics& metrics, const QString& shown, const QRect& cell, int k) {
  const QString digits = shown.mid(k * kByteChars, kHexDigits);
  if (digits.trimmed().isEmpty()) {
    return {};
  }
  const int left = cell.left() + (cell.width() - metrics.horizontalAdvance(shown)) / 2;
  const int from = metrics.horizontalAdvance(shown.left(k * kByteChars));
  const int to = metrics.horizontalAdvance(shown.left(k * kByteChars + kHexDigits));
  return {left + from, cell.top(), to - from, cell.height()};
}

std::tm wallClockNow() { return platform::localTime(std::time(nullptr)); }

// The Data Hex cell with the bytes that changed within the last second on a marked background.
class ChangedBytesDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const unsigned changed = index.data(CanLogPacketModel::kChangedBytesRole).toUInt();
    if (changed == 0) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString shown = opt.text;
    opt.text.clear();
    QStyle* style = opt.widget != nullptr ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    const QFontMetrics metrics(opt.font);
    const QColor plain = opt.palette.color(
        (opt.state & QStyle::State_Selected) != 0 ? QPalette::HighlightedText : QPalette::Text);
    painter->save();
    painter->setFont(opt.font);
    for (int k = 0; k < static_cast<int>(canlog::kMaxDataBytes); ++k) {
      const QRect at = byteRect(metrics, shown, opt.rect, k);
      if (at.isEmpty()) {
        continue;
      }
      const bool marked = ((changed >> k) & 1u) != 0;
      if (marked) {
        painter->fillRect(at.adjusted(0, 1, 0, -1), QColor(kChangedMark));
      }
      painter->setPen(marked ? QColor(kChangedMarkText) : plain);
      painter->drawText(at, Qt::AlignLeft | Qt::AlignVCenter,
                        shown.mid(k * kByteChars, kHexDigits));
    }
    painter->restore();
  }
};

void setUpList(QTableView* list, const char* name) {
  list->setObjectName(name);
  list->setShowGrid(true);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setWordWrap(false);
  list->verticalHeader()->hide();
  QFont font("Fixedsys");
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(kFontPixels);
  list->setFont(font);
  // Fixed row heights keep scrolling and updates cheap with thousands of rows.
  list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
  // The selection stays visible without focus.
  QPalette palette = list->palette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight,
                   palette.color(QPalette::Active, QPalette::Highlight));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   palette.color(QPalette::Active, QPalette::HighlightedText));
  list->setPalette(palette);
}

template <std::size_t N>
void setUpColumns(QTableView* list, const std::array<Column, N>& columns) {
  for (int c = 0; c < static_cast<int>(N); ++c) {
    list->setColumnWidth(c, columns[std::size_t(c)].width);
  }
  list->setColumnHidden(0, true);
  // A column dragged past its limits snaps back to them.
  QHeaderView* header = list->horizontalHeader();
  QObject::connect(header, &QHeaderView::sectionResized, header,
                   [header, &columns](int c, int, int width) {
                     if (c <= 0 || c >= static_cast<int>(N)) {
                       return;
                     }
                     const Column& column = columns[std::size_t(c)];
                     const int clamped = std::clamp(width, column.minimum, column.maximum);
                     if (clamped != width) {
                       header->resizeSection(c, clamped);
                     }
                   });
}

}  // namespace

// --- packet model ---

CanLogPacketModel::CanLogPacketModel(const canlog::CanLogEngine& engine,
                                     std::function<std::uint32_t()> tickMs, QObject* parent)
    : QAbstractTableModel(parent), engine_(engine), tickMs_(std::move(tickMs)) {}

void CanLogPacketModel::Range::add(int row) {
  first = first < 0 ? row : std::min(first, row);
  last = std::max(last, row);
}

void CanLogPacketModel::Range::add(const Range& other) {
  if (other.first >= 0) {
    add(other.first);
    add(other.last);
  }
}

int CanLogPacketModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownRows_;
}

int CanLogPacketModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

int CanLogPacketModel::engineRow(int viewRow) const {
  if (viewRow < 0 || viewRow >= shownRows_) {
    return -1;
  }
  return filter_.active() ? shown_[std::size_t(viewRow)] : viewRow;
}

int CanLogPacketModel::viewRow(int engineRow) const {
  if (!filter_.active()) {
    return engineRow < 0 || engineRow >= shownRows_ ? -1 : engineRow;
  }
  const auto end = shown_.begin() + shownRows_;
  const auto at = std::lower_bound(shown_.begin(), end, engineRow);
  return at != end && *at == engineRow ? static_cast<int>(at - shown_.begin()) : -1;
}

std::vector<int> CanLogPacketModel::passingRows() const {
  std::vector<int> rows;
  for (std::size_t r = 0; r < engine_.rows().size(); ++r) {
    if (filter_.passes(engine_.rows()[r])) {
      rows.push_back(static_cast<int>(r));
    }
  }
  return rows;
}

void CanLogPacketModel::setFilter(const canlog::PacketFilter& filter) {
  if (filter == filter_) {
    return;
  }
  beginResetModel();
  filter_ = filter;
  shown_ = filter_.active() ? passingRows() : std::vector<int>{};
  shownRows_ =
      filter_.active() ? static_cast<int>(shown_.size()) : static_cast<int>(engine_.rows().size());
  dirty_ = Range{};
  recent_.fill(Range{});
  endResetModel();
}

QVariant CanLogPacketModel::data(const QModelIndex& index, int role) const {
  const int e = engineRow(index.row());
  if (e < 0 || std::size_t(e) >= engine_.rows().size()) {
    return {};
  }
  const canlog::PacketRow& row = engine_.rows()[std::size_t(e)];
  if (role == Qt::TextAlignmentRole) {
    return int(Qt::AlignCenter);
  }
  if (role == kChangedBytesRole) {
    unsigned mask = 0;
    const std::uint32_t now = tickMs_();
    for (std::size_t k = 0; k < row.record.dataLength(); ++k) {
      mask |= row.byteMarked(k, now) ? 1u << k : 0u;
    }
    return mask;
  }
  if (role != Qt::DisplayRole) {
    return {};
  }
  switch (index.column()) {
    case 1:
      return e + 1;
    case 2:
      return text(canlog::identifierText(row.record.identifierWord));
    case 3:
      return int(row.record.length);
    case kDataColumn:
      return text(canlog::dataText(row.record, true));
    case 5:
      return row.period == 0 ? QString("-") : QString::number(row.period);
    case 6:
      return QString::number(row.count);
    default:
      return QString();
  }
}

QVariant CanLogPacketModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumns) {
    return {};
  }
  if (role == Qt::DisplayRole) {
    return QString(kPacketColumns[std::size_t(section)].caption);
  }
  return {};
}

void CanLogPacketModel::noteChanged(std::size_t engineRow) {
  dirty_.add(static_cast<int>(engineRow));
  // Per record only numbers are formatted; the identifier and data texts of a row keep their
  // width, so they are measured once, when the row is new.
  measure(engineRow, engine_.rows()[engineRow].count == 1);
}

void CanLogPacketModel::measure(std::size_t engineRow, bool wholeRow) {
  const canlog::PacketRow& row = engine_.rows()[engineRow];
  if (wholeRow) {
    noteWidest(1, QString::number(engineRow + 1));
    noteWidest(2, text(canlog::identifierText(row.record.identifierWord)));
    noteWidest(kDataColumn, text(canlog::dataText(row.record, true)));
  }
  noteWidest(3, QString::number(row.record.length));
  if (row.period != 0) {
    noteWidest(5, QString::number(row.period));
  }
  noteWidest(6, QString::number(row.count));
}

void CanLogPacketModel::noteWidest(int column, const QString& shown) {
  QString& widest = widest_[std::size_t(column)];
  if (shown.size() > widest.size()) {
    widest = shown;
  }
}

void CanLogPacketModel::publish() {
  if (filter_.active()) {
    // The rows the filter passes: new ones join at the end, or a row that now passes (its bytes
    // changed) stands between the others and the list is shown anew.
    std::vector<int> next = passingRows();
    const bool appended = next.size() >= std::size_t(shownRows_) &&
                          std::equal(shown_.begin(), shown_.begin() + shownRows_, next.begin());
    const bool changed = dirty_.first >= 0;
    dirty_ = Range{};
    if (!appended) {
      beginResetModel();
      shown_ = std::move(next);
      shownRows_ = static_cast<int>(shown_.size());
      endResetModel();
      return;
    }
    const int known = shownRows_;
    if (next.size() > std::size_t(known)) {
      beginInsertRows({}, known, static_cast<int>(next.size()) - 1);
      shown_ = std::move(next);
      shownRows_ = static_cast<int>(shown_.size());
      endInsertRows();
    }
    // Marks fade too: the whole narrowed list is told, the view redraws only what it shows.
    if (known > 0 && (changed || std::any_of(recent_.begin(), recent_.end(),
                                             [](const Range& r) { return r.first >= 0; }))) {
      emit dataChanged(index(0, 1), index(known - 1, kColumns - 1));
    }
    recent_[recentNext_] = changed ? Range{0, known - 1} : Range{};
    recentNext_ = (recentNext_ + 1) % kMarkBatches;
    return;
  }
  const int rows = static_cast<int>(engine_.rows().size());
  if (rows < shownRows_) {
    reset();
    return;
  }
  Range changed = dirty_;
  for (const Range& r : recent_) {
    changed.add(r);
  }
  recent_[recentNext_] = dirty_;
  recentNext_ = (recentNext_ + 1) % kMarkBatches;
  dirty_ = Range{};
  const int known = shownRows_;
  if (rows > shownRows_) {
    beginInsertRows({}, shownRows_, rows - 1);
    shownRows_ = rows;
    endInsertRows();
  }
  // Rows inserted in this batch were already shown whole.
  changed.last = std::min(changed.last, known - 1);
  if (changed.first >= 0 && changed.first <= changed.last) {
    emit dataChanged(index(changed.first, 1), index(changed.last, kColumns - 1));
  }
}

void CanLogPacketModel::reset() {
  beginResetModel();
  shown_ = filter_.active() ? passingRows() : std::vector<int>{};
  shownRows_ =
      filter_.active() ? static_cast<int>(shown_.size()) : static_cast<int>(engine_.rows().size());
  dirty_ = Range{};
  recent_.fill(Range{});
  widest_.fill(QString());
  for (std::size_t r = 0; r < engine_.rows().size(); ++r) {
    measure(r, true);
  }
  endResetModel();
}

// --- detail model ---

CanLogDetailModel::CanLogDetailModel(const canlog::CanLogEngine& engine, QObject* parent)
    : QAbstractTableModel(parent), engine_(engine) {}

int CanLogDetailModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownRows_;
}

int CanLogDetailModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant CanLogDetailModel::data(const QModelIndex& index, int role) const {
  if (detailRow_ < 0 || std::size_t(detailRow_) >= engine_.rows().size() ||
      index.row() >= shownRows_) {
    return {};
  }
  if (role == Qt::TextAlignmentRole) {
    return int(Qt::AlignCenter);
  }
  if (role != Qt::DisplayRole) {
    return {};
  }
  const canlog::CanLogRecord& r = engine_.rows()[std::size_t(detailRow_)].record;
  const std::size_t k = std::size_t(index.row());
  const canlog::DetailTexts t = canlog::detailTexts(k, r.data[k]);
  switch (index.column()) {
    case 1:
      return text(t.index);
    case 2:
      return text(t.hex);
    case 3:
      return text(t.bin);
    case 4:
      return text(t.dec);
    case 5:
      return text(t.ascii);
    default:
      return QString();
  }
}

QVariant CanLogDetailModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
      section < kColumns) {
    return QString(kDetailColumns[std::size_t(section)].caption);
  }
  return {};
}

void CanLogDetailModel::setDetailRow(int engineRow) {
  if (engineRow != detailRow_) {
    detailRow_ = engineRow;
    publish();
  }
}

void CanLogDetailModel::publish() {
  const bool valid = detailRow_ >= 0 && std::size_t(detailRow_) < engine_.rows().size();
  const int rows = valid ? int(engine_.rows()[std::size_t(detailRow_)].record.dataLength()) : 0;
  if (rows != shownRows_) {
    beginResetModel();
    shownRows_ = rows;
    endResetModel();
  } else if (rows > 0) {
    emit dataChanged(index(0, 1), index(rows - 1, kColumns - 1));
  }
}

// --- page ---

CanLogPage::CanLogPage(shell::ShellServices& shell, WindowClock& clock, device::DeviceLink& link,
                       Hooks hooks, QWidget* parent)
    : QWidget(parent), shell_(shell), link_(link), hooks_(std::move(hooks)), batchTimer_(clock) {
  setObjectName("TabSheetCANLOG");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  panel_ = new QWidget(this);
  panel_->setObjectName("PanelCANLOGPacketView");
  layout->addWidget(panel_);
  auto* panelLayout = new QVBoxLayout(panel_);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  panelLayout->setSpacing(0);

  packets_ = new CanLogPacketModel(
      engine_, [this] { return shell_.tickMs(); }, this);
  details_ = new CanLogDetailModel(engine_, this);

  // The filter of the packet list: identifiers, and only those whose bytes changed.
  auto* filterBar = new QWidget(panel_);
  filterBar->setObjectName("PanelCANLOGFilter");
  auto* filterLayout = new QHBoxLayout(filterBar);
  filterLayout->setContentsMargins(2, 2, 2, 2);
  auto* filterLabel = new QLabel(filterBar);
  filterLabel->setObjectName("LabelCANLOGFilter");
  filterLayout->addWidget(filterLabel);
  filterField_ = new QLineEdit(filterBar);
  filterField_->setObjectName("EditCANLOGFilter");
  filterField_->setClearButtonEnabled(true);
  filterLayout->addWidget(filterField_, 1);
  changedOnly_ = new QCheckBox(filterBar);
  changedOnly_->setObjectName("CheckBoxCANLOGChanged");
  filterLayout->addWidget(changedOnly_);
  panelLayout->addWidget(filterBar);
  connect(filterField_, &QLineEdit::textChanged, this, [this] { applyFilter(); });
  connect(changedOnly_, &QCheckBox::toggled, this, [this] { applyFilter(); });

  listViewCANLOG_ = new QTableView(panel_);
  setUpList(listViewCANLOG_, "ListViewCANLOG");
  listViewCANLOG_->setModel(packets_);
  setUpColumns(listViewCANLOG_, kPacketColumns);
  listViewCANLOG_->setItemDelegateForColumn(CanLogPacketModel::kDataColumn,
                                            new ChangedBytesDelegate(listViewCANLOG_));
  listViewCANLOG_->horizontalHeader()->setStretchLastSection(true);
  // The rows keep their order of first arrival; the headers only name the columns.
  listViewCANLOG_->horizontalHeader()->setSortIndicatorShown(false);
  listViewCANLOG_->horizontalHeader()->setSectionsClickable(false);
  panelLayout->addWidget(listViewCANLOG_, 1);

  listViewCANLOGDATA_ = new QTableView(panel_);
  setUpList(listViewCANLOGDATA_, "ListViewCANLOGDATA");
  listViewCANLOGDATA_->setModel(details_);
  setUpColumns(listViewCANLOGDATA_, kDetailColumns);
  listViewCANLOGDATA_->setFixedHeight(kDetailHeight);
  listViewCANLOGDATA_->hide();
  panelLayout->addWidget(listViewCANLOGDATA_);

  for (std::size_t k = 0; k < gauges_.size(); ++k) {
    auto* gauge = new QProgressBar(listViewCANLOGDATA_->viewport());
    gauge->setObjectName(QString("GaugeCANLOGx%1").arg(k));
    gauge->setRange(0, 255);
    gauge->setTextVisible(false);
    QPalette palette = gauge->palette();
    palette.setColor(QPalette::Highlight, QColor(0, 102, 204));  // the hot-light colour
    gauge->setPalette(palette);
    gauge->hide();
    gauges_[k] = gauge;
  }

  popupMenuCANLOG_ = new QMenu(this);
  popupMenuCANLOG_->setObjectName("PopupMenuCANLOG");
  addItem("CANLOG_BEGIN", &CanLogPage::CANLOG_BEGINClick);
  addItem("CANLOG_SAVE", &CanLogPage::CANLOG_SAVEClick);
  addItem("CANLOG_SAVE_TAB", &CanLogPage::CANLOG_SAVE_TABClick);
  addItem("CANLOG_END", &CanLogPage::CANLOG_ENDClick);
  popupMenuCANLOG_->addSeparator();
  addItem("CANLOG_CLEAR", &CanLogPage::CANLOG_CLEARClick);
  addItem("CANLOG_HIDEDATA", &CanLogPage::CANLOG_HIDEDATAClick);
  popupMenuCANLOG_->addSeparator();
  addItem("CANLOG_HIDETHIS", &CanLogPage::CANLOG_HIDETHISClick);
  addItem("CANLOG_HIDEALLNOTHIS", &CanLogPage::CANLOG_HIDEALLNOTHISClick);
  addItem("CANLOG_HIDECURRENTID", &CanLogPage::CANLOG_HIDECURRENTIDClick);
  addItem("CANLOG_HIDENOTCHANGED", &CanLogPage::CANLOG_HIDENOTCHANGEDClick);
  addItem("CANLOG_SHOWALLID", &CanLogPage::CANLOG_SHOWALLIDClick);
  popupMenuCANLOG_->addSeparator();
  addItem("CANLOG_MAKEEVENT", &CanLogPage::CANLOG_MAKEEVENTClick);
  addItem("CANLOG_COPYCANDUMP", &CanLogPage::CANLOG_COPYCANDUMPClick);
  popupMenuCANLOG_->addSeparator();
  addItem("CANLOG_SAVELOG", &CanLogPage::CANLOG_SAVELOGClick);
  addItem("CANLOG_SAVELOG_TAB", &CanLogPage::CANLOG_SAVELOG_TABClick);
  addItem("CANLOG_OPEN", &CanLogPage::CANLOG_OPENClick);

  listViewCANLOG_->viewport()->installEventFilter(this);
  listViewCANLOGDATA_->viewport()->installEventFilter(this);
  connect(listViewCANLOG_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { ListViewCANLOGSelectItem(current.row()); });
  const auto replace = [this] { placeGauges(); };
  connect(listViewCANLOGDATA_->horizontalHeader(), &QHeaderView::sectionResized, this, replace);
  connect(listViewCANLOGDATA_->verticalScrollBar(), &QScrollBar::valueChanged, this, replace);
  connect(details_, &QAbstractItemModel::modelReset, this, replace);

  // One batch per start: publish starts the next while the change marks still fade.
  batchTimer_.setInterval(kBatchMs);
  connect(&batchTimer_, &ClockTimer::timeout, this, [this] {
    batchTimer_.stop();
    publish();
  });
}

CanLogPage::~CanLogPage() = default;

QAction* CanLogPage::addItem(const char* name, void (CanLogPage::*handler)()) {
  QAction* action = popupMenuCANLOG_->addAction(QString());
  action->setObjectName(name);
  connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  return action;
}

void CanLogPage::intake(device::CanRecord bytes) {
  const canlog::CanLogRecord record = canlog::CanLogRecord::decode(bytes);
  if (take(record, shell_.tickMs()) && hooks_.terminalShown && hooks_.terminalShown() &&
      hooks_.echo) {
    hooks_.echo(text(canlog::terminalEchoLine(record)));
  }
}

bool CanLogPage::take(const canlog::CanLogRecord& record, std::uint32_t now) {
  const canlog::IntakeResult result = engine_.canLogIntake(record, now);
  if (result.outcome == canlog::IntakeOutcome::Dropped) {
    return false;
  }
  if (!result.shown()) {
    return true;
  }
  packets_->noteChanged(result.row);
  detailDirty_ = detailDirty_ || int(result.row) == details_->detailRow();
  file_.write(engine_.rows()[result.row]);
  kept_.add(record);
  lastShownTick_ = now;
  if (!batchTimer_.isActive()) {
    batchTimer_.start();
  }
  return true;
}

void CanLogPage::studyCapture(const std::vector<canlog::CanLogRecord>& records) {
  closeCanLogFile();
  // A fresh engine: identifiers hidden for the car's capture must not hide the file's.
  engine_.reset();
  emptyRows();
  const std::uint32_t now = shell_.tickMs();
  for (const canlog::CanLogRecord& record : records) {
    take(record, now);
  }
  publish();
  studying_ = true;
  refreshCanLogPage();
  if (hooks_.raise) {
    hooks_.raise();
  }
}

void CanLogPage::publish() {
  packets_->publish();
  fitColumns();
  if (detailDirty_) {
    detailDirty_ = false;
    details_->publish();
    placeGauges();
  }
  // Change marks fade within a second: batches go on that long after the last record.
  if (!batchTimer_.isActive() &&
      shell_.tickMs() - lastShownTick_ <= canlog::kChangeMarkMs + std::uint32_t(kBatchMs)) {
    batchTimer_.start();
  }
}

int CanLogPage::sendCanLogCommand(CanLogMode mode, bool report) {
  engine_.setMode(mode, shell_.tickMs());
  const auto byte = static_cast<std::uint8_t>(mode);
  const int status = link_.writeArea(device::area::kCanLog, 0, std::span(&byte, 1));
  if (report && status == kStatusNotSupported) {
    showError(translated(canlog::texts::kNotSupported));
  }
  return status;
}

void CanLogPage::showError(const QString& text) { shell_.showError(text.toStdString()); }

void CanLogPage::closeCanLogFile() { file_.close(); }

void CanLogPage::stopSilently() {
  closeCanLogFile();
  sendCanLogCommand(CanLogMode::Stop, false);
}

bool CanLogPage::setPageShown(bool shown) {
  if (shown == pageShown_) {
    return false;
  }
  pageShown_ = shown;
  if (!shown) {
    closeCanLogFile();
  }
  return true;
}

void CanLogPage::refreshCanLogPage() {
  const bool wanted = studying_ || kivprism::params::canLogVisible(link_.model().working);
  if (setPageShown(wanted) && hooks_.showTab) {
    hooks_.showTab(pageShown_);
  }
}

bool CanLogPage::requireConnected() {
  if (link_.isConnected()) {
    return true;
  }
  showError(translated(canlog::texts::kControllerDisconnected));
  return false;
}

void CanLogPage::emptyRows() {
  engine_.clearRows();
  kept_.clear();
  keptStart_ = wallClockNow();
  pickedBytes_ = 0;
  packets_->reset();
  fitColumns();
  hideDetails();
  selectedRow_ = -1;
  lastPressedRow_ = -1;
}

void CanLogPage::startWithMode(CanLogMode mode) {
  if (!requireConnected()) {
    return;
  }
  studying_ = false;
  const shell::PollPause pause(shell_);
  if (sendCanLogCommand(CanLogMode::Stop, true) == 0) {
    emptyRows();
    sendCanLogCommand(mode, true);
  }
  hideDetails();
}

void CanLogPage::startAndSave(canlog::LogForm form) {
  closeCanLogFile();
  if (!requireConnected()) {
    return;
  }
  studying_ = false;
  shell_.updateToolbar(true);
  {
    const shell::PollPause pause(shell_);
    if (sendCanLogCommand(CanLogMode::Stop, true) == 0) {
      emptyRows();
      canlog::LogForm chosen = form;
      const QString name = hooks_.chooseLogFile(chosen);
      if (!name.isEmpty()) {
        hooks_.rememberLogFile(name);
        const std::time_t now = std::time(nullptr);
        const std::tm start = platform::localTime(now);
        file_.open(config::pathFromUtf8(name.toStdString()), chosen, start);
      }
      if (file_.isOpen()) {
        sendCanLogCommand(CanLogMode::ShowAll, true);
      }
    }
    hideDetails();
  }
  shell_.updateToolbar(false);
}

void CanLogPage::CANLOG_ENDClick() {
  if (!requireConnected()) {
    return;
  }
  const shell::PollPause pause(shell_);
  closeCanLogFile();
  sendCanLogCommand(CanLogMode::Stop, true);
  hideDetails();
}

void CanLogPage::CANLOG_CLEARClick() {
  if (!requireConnected()) {
    return;
  }
  const shell::PollPause pause(shell_);
  file_.restart();
  emptyRows();
}

void CanLogPage::CANLOG_HIDEDATAClick() { hideDetails(); }

void CanLogPage::CANLOG_HIDETHISClick() {
  if (engine_.hideRow(std::size_t(std::max(detailRow(), -1)))) {
    CANLOG_CLEARClick();
  }
}

void CanLogPage::CANLOG_HIDEALLNOTHISClick() {
  if (engine_.hideAllExceptRow(std::size_t(std::max(detailRow(), -1)))) {
    CANLOG_CLEARClick();
  }
}

void CanLogPage::saveKept(canlog::LogForm form) {
  canlog::LogForm chosen = form;
  const QString name = hooks_.chooseLogFile(chosen);
  if (name.isEmpty()) {
    return;
  }
  hooks_.rememberLogFile(name);
  if (!canlog::saveCapture(kept_, config::pathFromUtf8(name.toStdString()), chosen, keptStart_)) {
    showError(translatedWith(canlog::texts::kLogNotWritten, name.toStdString()));
  }
}

void CanLogPage::CANLOG_OPENClick() {
  const QString name = hooks_.chooseCaptureFile ? hooks_.chooseCaptureFile() : QString();
  if (name.isEmpty()) {
    return;
  }
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) {
    showError(translatedWith(canlog::texts::kCaptureNotRead, name.toStdString()));
    return;
  }
  const QByteArray bytes = file.readAll();
  const canlog::CaptureRead read =
      canlog::readCapture(std::string_view(bytes.constData(), std::size_t(bytes.size())));
  if (!read.error.empty()) {
    showError(qtText(lang::formatText(lang::translateText(canlog::texts::kCaptureBadLine),
                                      unsigned(read.errorLine), name.toStdString().c_str(),
                                      read.errorText.c_str())));
    return;
  }
  if (read.records.empty()) {
    showError(translatedWith(canlog::texts::kCaptureWithoutFrames, name.toStdString()));
    return;
  }
  studyCapture(read.records);
}

void CanLogPage::CANLOG_MAKEEVENTClick() {
  if (selectedRow_ < 0 || std::size_t(selectedRow_) >= engine_.rows().size()) {
    return;
  }
  const canlog::PacketRow& row = engine_.rows()[std::size_t(selectedRow_)];
  const auto filter = canlog::frameFilter(
      row.record, canlog::comparedBytes(row.record, pickedBytes_, row.changedBytes));
  if (!filter) {
    showError(translated(canlog::texts::kFrameWithoutData));
    return;
  }
  if (hooks_.makeFrameEvent) {
    hooks_.makeFrameEvent(*filter);
  }
}

void CanLogPage::CANLOG_COPYCANDUMPClick() {
  if (selectedRow_ < 0 || std::size_t(selectedRow_) >= engine_.rows().size()) {
    return;
  }
  const canlog::CanLogRecord& record = engine_.rows()[std::size_t(selectedRow_)].record;
  QGuiApplication::clipboard()->setText(text(canlog::candumpLine(record, record.timeStamp)));
}

int CanLogPage::byteAt(const QPoint& pos) const {
  const QModelIndex index = listViewCANLOG_->indexAt(pos);
  if (!index.isValid() || index.column() != CanLogPacketModel::kDataColumn) {
    return -1;
  }
  const QString shown = index.data().toString();
  const QRect cell = listViewCANLOG_->visualRect(index);
  const QFontMetrics metrics(listViewCANLOG_->font());
  for (int k = 0; k < static_cast<int>(canlog::kMaxDataBytes); ++k) {
    const QRect at = byteRect(metrics, shown, cell, k);
    // Half the blank between two bytes belongs to each.
    const int blank = metrics.horizontalAdvance(QChar(' '));
    if (!at.isEmpty() && pos.x() >= at.left() - blank / 2 && pos.x() < at.right() + 1 + blank / 2) {
      return k;
    }
  }
  return -1;
}

void CanLogPage::applyFilter() {
  const auto identifiers = canlog::parseIdentifierFilter(filterField_->text().toStdString());
  // A text that names no identifiers shows so in the field and leaves the list as it was.
  QPalette palette = filterField_->palette();
  palette.setColor(QPalette::Text,
                   identifiers ? QApplication::palette().color(QPalette::Text) : QColor(Qt::red));
  filterField_->setPalette(palette);
  if (!identifiers) {
    return;
  }
  canlog::PacketFilter filter;
  filter.identifiers = *identifiers;
  filter.changedOnly = changedOnly_->isChecked();
  packets_->setFilter(filter);
  selectedRow_ = -1;
  lastPressedRow_ = -1;
  hideDetails();
}

void CanLogPage::showDetails(int engineRow) {
  details_->setDetailRow(engineRow);
  listViewCANLOGDATA_->show();
  details_->publish();
  placeGauges();
}

void CanLogPage::hideDetails() {
  details_->setDetailRow(-1);
  listViewCANLOGDATA_->hide();
  placeGauges();
}

void CanLogPage::ListViewCANLOGMouseDown(Qt::MouseButton button, const QPoint& pos) {
  const int row = packets_->engineRow(listViewCANLOG_->indexAt(pos).row());
  selectedRow_ = -1;
  if (row >= 0) {
    details_->setDetailRow(row);
    selectedRow_ = row;
    placeGauges();
  }
  if (button == Qt::LeftButton && row >= 0) {
    if (row == lastPressedRow_ && listViewCANLOGDATA_->isVisible()) {
      hideDetails();
    } else {
      showDetails(row);
    }
    lastPressedRow_ = row;
  } else if (button == Qt::RightButton) {
    const int byte = row >= 0 ? byteAt(pos) : -1;
    pickedBytes_ = byte >= 0 ? static_cast<std::uint8_t>(1u << byte) : std::uint8_t{0};
    popupMenuAtCursor();
  }
}

void CanLogPage::popupMenuAtCursor() {
  prepareMenu();
  popupMenuCANLOG_->popup(QCursor::pos());
}

void CanLogPage::ListViewCANLOGSelectItem(int viewRow) {
  selectedRow_ = packets_->engineRow(viewRow);
}

void CanLogPage::prepareMenu() {
  const bool running = (link_.deviceInfo().stateWord & device::device_info::kCanLogRunning) != 0;
  const auto item = [this](const char* name) {
    return popupMenuCANLOG_->findChild<QAction*>(name);
  };
  item("CANLOG_BEGIN")->setVisible(!running);
  item("CANLOG_SAVE")->setVisible(!running);
  item("CANLOG_SAVE_TAB")->setVisible(!running);
  item("CANLOG_END")->setVisible(running);
  item("CANLOG_CLEAR")->setVisible(!engine_.rows().empty());
  item("CANLOG_HIDEDATA")->setVisible(listViewCANLOGDATA_->isVisible());
  item("CANLOG_HIDETHIS")->setVisible(selectedRow_ >= 0);
  item("CANLOG_HIDEALLNOTHIS")->setVisible(selectedRow_ >= 0);
  item("CANLOG_MAKEEVENT")->setVisible(selectedRow_ >= 0);
  item("CANLOG_COPYCANDUMP")->setVisible(selectedRow_ >= 0);
  item("CANLOG_SAVELOG")->setVisible(!kept_.empty());
  item("CANLOG_SAVELOG_TAB")->setVisible(!kept_.empty());
  item("CANLOG_OPEN")->setVisible(!running);
}

void CanLogPage::placeGauges() {
  const int length = listViewCANLOGDATA_->isVisible() ? details_->rowCount() : 0;
  const int detail = details_->detailRow();
  for (int k = 0; k < static_cast<int>(gauges_.size()); ++k) {
    QProgressBar* gauge = gauges_[std::size_t(k)];
    if (k >= length || detail < 0) {
      gauge->hide();
      continue;
    }
    const QRect cell =
        listViewCANLOGDATA_->visualRect(details_->index(k, CanLogDetailModel::kValueColumn));
    gauge->setGeometry(cell.adjusted(0, 1, 0, -1));
    gauge->setValue(engine_.rows()[std::size_t(detail)].record.data[std::size_t(k)]);
    gauge->show();
  }
}

void CanLogPage::fitColumns() {
  QHeaderView* header = listViewCANLOG_->horizontalHeader();
  const QFontMetrics metrics(listViewCANLOG_->font());
  // The item view's text margins on both sides and the grid line.
  const int margin = 2 * (listViewCANLOG_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin,
                                                                nullptr, listViewCANLOG_) +
                          1) +
                     1;
  for (int c = 1; c < CanLogPacketModel::kColumns; ++c) {
    const Column& column = kPacketColumns[std::size_t(c)];
    const QString& widest = packets_->widestText(c);
    // An empty list keeps the columns' first widths.
    const int wanted = widest.isEmpty() ? column.width
                                        : std::max(header->sectionSizeHint(c),
                                                   metrics.horizontalAdvance(widest) + margin);
    const int fit = std::clamp(wanted, column.minimum, column.maximum);
    // Only a new fit moves the column, so a width the user dragged stays until the texts grow.
    if (fit != fitted_[std::size_t(c)]) {
      fitted_[std::size_t(c)] = fit;
      listViewCANLOG_->setColumnWidth(c, fit);
    }
  }
}

bool CanLogPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == listViewCANLOG_->viewport() && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    ListViewCANLOGMouseDown(mouse->button(), mouse->position().toPoint());
  } else if (watched == listViewCANLOGDATA_->viewport()) {
    // A right press on a byte of the details picks that byte for the event.
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
      const int byte =
          listViewCANLOGDATA_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint())
              .row();
      if (byte >= 0 && details_->detailRow() >= 0) {
        selectedRow_ = details_->detailRow();
        pickedBytes_ = static_cast<std::uint8_t>(1u << byte);
        popupMenuAtCursor();
        return true;
      }
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
      ListViewCANLOGDATADblClick();
      return true;
    }
    if (event->type() == QEvent::Resize) {
      placeGauges();
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kivprism::ui

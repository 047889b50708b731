// SPDX-License-Identifier: GPL-3.0-or-later
#include "trafficmonitor.h"

#include "trafficdelegate.h"
#include "trafficfilter.h"
#include "trafficmodel.h"

#include "ui/common/widgetfactory.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

constexpr CommandGroup kGroups[] = {
    CommandGroup::System, CommandGroup::Transport, CommandGroup::Disk,  CommandGroup::Preset,
    CommandGroup::Sense,  CommandGroup::File,      CommandGroup::Other,
};

struct OutcomeChoice
{
    TrafficFilter::Outcomes outcomes;
    const char *text;
};

const OutcomeChoice kOutcomes[] = {
    {TrafficFilter::Outcomes::All, "All outcomes"},
    {TrafficFilter::Outcomes::Replies, "Replies"},
    {TrafficFilter::Outcomes::Acks, "ACK"},
    {TrafficFilter::Outcomes::Naks, "NAK"},
    {TrafficFilter::Outcomes::Timeouts, "Timeouts"},
    {TrafficFilter::Outcomes::ChecksumErrors, "Checksum errors"},
    {TrafficFilter::Outcomes::Dropped, "Dropped"},
    {TrafficFilter::Outcomes::NotSent, "Not sent"},
};

QString Milliseconds(quint32 us)
{
    return QString::number(us / 1000.0, 'f', 1);
}

} // namespace

TrafficMonitor::TrafficMonitor(QWidget *parent)
    : QWidget(parent, Qt::Window), pbPause(NewNamed<QPushButton>(this, "pbPause")),
      pbClear(NewNamed<QPushButton>(this, "pbClear")),
      cbGroup(NewNamed<QComboBox>(this, "cbGroup")),
      cbOutcome(NewNamed<QComboBox>(this, "cbOutcome")),
      chkPolling(NewNamed<QCheckBox>(this, "chkPolling")),
      leSearch(NewNamed<QLineEdit>(this, "leSearch")),
      pbCopy(NewNamed<QPushButton>(this, "pbCopy")),
      tableTraffic(NewNamed<QTableView>(this, "tableTraffic")),
      lbLatency(NewLabel(this, "lbLatency")), model(new TrafficModel(this)),
      filter(new TrafficFilter(this))
{
    setObjectName(QStringLiteral("TrafficMonitor"));
    setWindowTitle(QStringLiteral("Traffic monitor"));
    resize(980, 420);
    filter->setSourceModel(model);
    tableTraffic->setModel(filter);
    tableTraffic->setItemDelegate(new TrafficDelegate(tableTraffic));
    tableTraffic->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableTraffic->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableTraffic->verticalHeader()->setVisible(false);
    tableTraffic->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    tableTraffic->horizontalHeader()->setStretchLastSection(true);
    QFont fixed(QStringLiteral("monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    tableTraffic->setFont(fixed);
    Describe(tableTraffic, "Traffic");
    Describe(lbLatency, "Latency of the last minute");

    auto *copy = new QAction(tableTraffic);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    tableTraffic->addAction(copy);
    connect(copy, &QAction::triggered, this, &TrafficMonitor::pbCopy_clicked);

    BuildFilters();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(BuildBar());
    layout->addWidget(tableTraffic, 1);
    layout->addWidget(lbLatency);
    ShowLatency();

    refresh.setInterval(kRefreshMs);
    connect(&refresh, &QTimer::timeout, this, &TrafficMonitor::Refresh);
}

TrafficMonitor::~TrafficMonitor() = default;

void TrafficMonitor::BuildFilters()
{
    pbPause->setText(QStringLiteral("Pause"));
    pbPause->setCheckable(true);
    pbClear->setText(QStringLiteral("Clear"));
    pbCopy->setText(QStringLiteral("Copy rows"));
    chkPolling->setText(QStringLiteral("Polling"));
    chkPolling->setChecked(true);
    leSearch->setPlaceholderText(QStringLiteral("Search"));
    leSearch->setClearButtonEnabled(true);
    cbGroup->addItem(QStringLiteral("All commands"));
    for (CommandGroup group : kGroups)
        cbGroup->addItem(GroupName(group));
    for (const OutcomeChoice &choice : kOutcomes)
        cbOutcome->addItem(QLatin1String(choice.text));
    Describe(cbGroup, "Command group");
    Describe(cbOutcome, "Outcome");
    Describe(chkPolling, "Show the polling tick's exchanges");
    Describe(leSearch, "Search");
    connect(pbPause, &QPushButton::toggled, this, &TrafficMonitor::pbPause_toggled);
    connect(pbClear, &QPushButton::clicked, this, &TrafficMonitor::pbClear_clicked);
    connect(pbCopy, &QPushButton::clicked, this, &TrafficMonitor::pbCopy_clicked);
    connect(cbGroup, qOverload<int>(&QComboBox::activated), this,
            &TrafficMonitor::cbGroup_activated);
    connect(cbOutcome, qOverload<int>(&QComboBox::activated), this,
            &TrafficMonitor::cbOutcome_activated);
    connect(chkPolling, &QCheckBox::toggled, this, &TrafficMonitor::chkPolling_toggled);
    connect(leSearch, &QLineEdit::textChanged, this, &TrafficMonitor::leSearch_textChanged);
}

QWidget *TrafficMonitor::BuildBar()
{
    auto *bar = new QWidget(this);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget *widget :
         std::initializer_list<QWidget *>{pbPause, pbClear, cbGroup, cbOutcome, chkPolling})
        row->addWidget(widget);
    row->addWidget(leSearch, 1);
    row->addWidget(pbCopy);
    return bar;
}

void TrafficMonitor::Refresh()
{
    if (!pbPause->isChecked()) {
        const QScrollBar *scroll = tableTraffic->verticalScrollBar();
        const bool atBottom = scroll->value() == scroll->maximum();
        model->Append(feed.Take());
        FollowNewRows(atBottom);
    }
    ShowLatency();
}

QString TrafficMonitor::SelectedRowsText() const
{
    QModelIndexList selected = tableTraffic->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList lines;
    for (const QModelIndex &index : selected) {
        const TrafficRow &row = model->Row(filter->mapToSource(index).row());
        QStringList cells;
        for (int column = 0; column < TrafficModel::kColumnCount; ++column)
            cells << TrafficModel::CellText(row, column);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

// Paused, the list stands still; what comes meanwhile waits and is shown
// when the list runs again.
void TrafficMonitor::pbPause_toggled(bool paused)
{
    pbPause->setText(paused ? QStringLiteral("Run") : QStringLiteral("Pause"));
    if (!paused)
        Refresh();
}

void TrafficMonitor::pbClear_clicked()
{
    feed.Take();
    feed.ClearLatency();
    model->Clear();
    ShowLatency();
}

void TrafficMonitor::pbCopy_clicked()
{
    const QString text = SelectedRowsText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void TrafficMonitor::cbGroup_activated(int index)
{
    filter->SetGroup(index <= 0 ? std::nullopt : std::optional<CommandGroup>(kGroups[index - 1]));
}

void TrafficMonitor::cbOutcome_activated(int index)
{
    if (index >= 0 && index < static_cast<int>(std::size(kOutcomes)))
        filter->SetOutcomes(kOutcomes[index].outcomes);
}

void TrafficMonitor::chkPolling_toggled(bool shown)
{
    filter->SetPollingShown(shown);
}

void TrafficMonitor::leSearch_textChanged(const QString &text)
{
    filter->SetSearch(text);
}

void TrafficMonitor::showEvent(QShowEvent *event)
{
    feed.Attach();
    refresh.start();
    QWidget::showEvent(event);
}

// Closed, the monitor keeps what it showed and watches no more.
void TrafficMonitor::hideEvent(QHideEvent *event)
{
    refresh.stop();
    feed.Detach();
    model->Append(feed.Take());
    QWidget::hideEvent(event);
}

void TrafficMonitor::ShowLatency()
{
    const LatencyWindow::Figures figures = feed.Latency();
    if (figures.answered == 0) {
        lbLatency->setText(
            QStringLiteral("Last minute: no replies, %1 timeouts").arg(figures.timeouts));
        return;
    }
    lbLatency->setText(QStringLiteral("Last minute: %1 replies, median %2 ms, p99 %3 ms, %4 "
                                      "timeouts")
                           .arg(figures.answered)
                           .arg(Milliseconds(figures.medianUs), Milliseconds(figures.p99Us))
                           .arg(figures.timeouts));
}

// A list scrolled to its end stays at the end; one scrolled back to look at
// a row stays there.
void TrafficMonitor::FollowNewRows(bool atBottom)
{
    if (atBottom)
        tableTraffic->scrollToBottom();
}

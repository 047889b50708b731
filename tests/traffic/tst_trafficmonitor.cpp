// SPDX-License-Identifier: GPL-3.0-or-later
// The traffic monitor window against the simulated recorder: a row for every
// kind of outcome, polling told apart, the filters, pause, clear and copy,
// the latency figure, and nothing watched while the window is closed.

#include "windowfixture.h"

#include "link/linkstatus.h"
#include "link/timing.h"
#include "link/wiretap.h"
#include "protocol/commandengine.h"
#include "protocol/exchangereport.h"
#include "protocol/transportcommands.h"
#include "ui/traffic/trafficmodel.h"
#include "ui/traffic/trafficmonitor.h"
#include "ui/traffic/traffictools.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTest>

namespace {

// The shown rows' cells of one column, top to bottom.
QStringList Column(const TrafficMonitor &monitor, int column)
{
    const QAbstractItemModel *shown = monitor.tableTraffic->model();
    QStringList cells;
    for (int row = 0; row < shown->rowCount(); ++row)
        cells << shown->index(row, column).data().toString();
    return cells;
}

} // namespace

class TrafficMonitorTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void watchesOnlyWhileOpen();
    void aRowForEveryOutcome();
    void pollingAndFilters();
    void pauseClearAndCopy();
    void fullListDropsOldest();

private:
    TrafficMonitor *Open();

    std::unique_ptr<WindowFixture> fixture;
};

void TrafficMonitorTest::init()
{
    static int test = 0;
    const QByteArray address = "127.0.221." + QByteArray::number(++test);
    fixture = std::make_unique<WindowFixture>(address.constData());
    QVERIFY2(fixture->Connect(), qPrintable(fixture->sim.ErrorString()));
}

void TrafficMonitorTest::cleanup()
{
    fixture.reset();
}

TrafficMonitor *TrafficMonitorTest::Open()
{
    fixture->Action("TrafficMonitor")->trigger();
    TrafficMonitor *monitor = fixture->window->traffic->Monitor();
    monitor->Refresh();
    monitor->pbClear->click();
    return monitor;
}

// Closed (or never opened) the monitor leaves the engine and the links
// without an observer: an exchange then builds no report at all.
void TrafficMonitorTest::watchesOnlyWhileOpen()
{
    QCOMPARE(exchangeObserver, nullptr);
    QCOMPARE(wireTapCount, 0);
    TrafficMonitor *monitor = Open();
    QVERIFY(exchangeObserver != nullptr);
    QCOMPARE(wireTapCount, 1);
    QCOMPARE(Play(), kStatusOk);
    monitor->close();
    QCOMPARE(exchangeObserver, nullptr);
    QCOMPARE(wireTapCount, 0);
    QCOMPARE(Play(), kStatusOk);
    // What came before the close is kept; nothing after it.
    QCOMPARE(monitor->Model()->rowCount(), 1);
    fixture->Action("TrafficMonitor")->trigger();
    QCOMPARE(fixture->window->traffic->Monitor(), monitor);
    QVERIFY(exchangeObserver != nullptr);
}

void TrafficMonitorTest::aRowForEveryOutcome()
{
    TrafficMonitor *monitor = Open();
    xrsim::SimRecorder &sim = fixture->sim;
    QCOMPARE(Play(), kStatusOk);
    sim.ForceReply(0x2, 0x01, WireFrame({0x11, 0x12, 0x01}), 1);
    Play();
    sim.DropReplies(1);
    QCOMPARE(Play(), kStatusNoReply);
    sim.CorruptNextChecksum();
    QCOMPARE(Play(), kStatusBadChecksum);
    // A late reply goes to a port the link has left: the program never
    // sees it, and the command's row says timeout.
    sim.LateNextReply(250);
    QCOMPARE(Play(), kStatusNoReply);
    DelayMs(300);
    sim.StrayBeforeNextReply(QHostAddress(QStringLiteral("127.0.221.200")),
                             WireFrame({0x10, 0x01}));
    QCOMPARE(Play(), kStatusOk);
    QVERIFY(SendManualCommand(QStringLiteral("61.20.0A"), nullptr));
    CurrentDevice->disconnected = 1;
    QCOMPARE(Play(), kStatusNoReply);
    CurrentDevice->disconnected = 0;
    monitor->Refresh();

    const QStringList outcomes = Column(*monitor, TrafficModel::Outcome);
    const QStringList expected = {
        QStringLiteral("reply"),
        QStringLiteral("reply"),
        QStringLiteral("timeout"),
        QStringLiteral("checksum error"),
        QStringLiteral("timeout"),
        QStringLiteral("not from the recorder commanded, dropped"),
        QStringLiteral("reply"),
        QStringLiteral("reply (manual)"),
        QStringLiteral("not sent: disconnected"),
    };
    QCOMPARE(outcomes, expected);
    const QStringList meanings = Column(*monitor, TrafficModel::Meaning);
    QCOMPARE(meanings[0], QStringLiteral("ACK"));
    QCOMPARE(meanings[1], QStringLiteral("NAK: unknown command"));
    QCOMPARE(meanings[2], QString());
    QCOMPARE(meanings[3], QStringLiteral("ACK"));
    QVERIFY2(meanings[7].startsWith(QStringLiteral("status: ")), qPrintable(meanings[7]));
    const QStringList commands = Column(*monitor, TrafficModel::Command);
    QCOMPARE(commands[0], QStringLiteral("Play"));
    QCOMPARE(commands[7], QStringLiteral("StatusSense status bytes 0–9"));
    QCOMPARE(commands[5], QString()); // nobody asked for it
    const QStringList directions = Column(*monitor, TrafficModel::Direction);
    QCOMPARE(directions[0], QStringLiteral("out/in"));
    QCOMPARE(directions[2], QStringLiteral("out"));
    QCOMPARE(directions[5], QStringLiteral("in"));
    QCOMPARE(directions[8], QStringLiteral("none"));
    const QStringList recorders = Column(*monitor, TrafficModel::Recorder);
    QCOMPARE(recorders[0], fixture->DeviceName());
    QCOMPARE(recorders[5], QStringLiteral("127.0.221.200"));
    QCOMPARE(Column(*monitor, TrafficModel::Sent)[0], QStringLiteral("20 01 21"));
    QCOMPARE(Column(*monitor, TrafficModel::Received)[3], QStringLiteral("10 01 EE"));
    QVERIFY(Column(*monitor, TrafficModel::RoundTrip)[0].endsWith(QStringLiteral(" ms")));
    // The timed-out exchanges count as timeouts of the last minute.
    QTRY_VERIFY(monitor->lbLatency->text().contains(QStringLiteral(", 2 timeouts")));
    QVERIFY(monitor->lbLatency->text().contains(QStringLiteral("median")));
}

// The polling tick's exchanges are marked and may be hidden; the other
// filters narrow by group, by outcome and by text.
void TrafficMonitorTest::pollingAndFilters()
{
    TrafficMonitor *monitor = Open();
    fixture->Tick();
    fixture->sim.DropReplies(1);
    QCOMPARE(Play(), kStatusNoReply);
    monitor->Refresh();
    const int all = monitor->tableTraffic->model()->rowCount();
    QVERIFY(all >= 4);
    monitor->chkPolling->setChecked(false);
    QCOMPARE(Column(*monitor, TrafficModel::Command), QStringList{QStringLiteral("Play")});
    monitor->chkPolling->setChecked(true);

    monitor->cbGroup->setCurrentText(QStringLiteral("Transport"));
    monitor->cbGroup_activated(monitor->cbGroup->currentIndex());
    QCOMPARE(Column(*monitor, TrafficModel::Command), QStringList{QStringLiteral("Play")});
    monitor->cbGroup_activated(0);

    monitor->cbOutcome->setCurrentText(QStringLiteral("Timeouts"));
    monitor->cbOutcome_activated(monitor->cbOutcome->currentIndex());
    QCOMPARE(Column(*monitor, TrafficModel::Outcome), QStringList{QStringLiteral("timeout")});
    monitor->cbOutcome->setCurrentText(QStringLiteral("Replies"));
    monitor->cbOutcome_activated(monitor->cbOutcome->currentIndex());
    QCOMPARE(monitor->tableTraffic->model()->rowCount(), all - 1);
    monitor->cbOutcome_activated(0);

    monitor->leSearch->setText(QStringLiteral("statussense"));
    QCOMPARE(Column(*monitor, TrafficModel::Command).filter(QStringLiteral("StatusSense")).size(),
             monitor->tableTraffic->model()->rowCount());
    QVERIFY(monitor->tableTraffic->model()->rowCount() >= 1);
    monitor->leSearch->setText(QStringLiteral("61 20 0A"));
    QVERIFY(monitor->tableTraffic->model()->rowCount() >= 1);
    monitor->leSearch->clear();
    QCOMPARE(monitor->tableTraffic->model()->rowCount(), all);
}

void TrafficMonitorTest::pauseClearAndCopy()
{
    TrafficMonitor *monitor = Open();
    monitor->pbPause->setChecked(true);
    QCOMPARE(Play(), kStatusOk);
    monitor->Refresh();
    QCOMPARE(monitor->Model()->rowCount(), 0);
    monitor->pbPause->setChecked(false);
    QCOMPARE(monitor->Model()->rowCount(), 1);

    QCOMPARE(Play(), kStatusOk);
    monitor->Refresh();
    monitor->tableTraffic->selectAll();
    const QStringList lines = monitor->SelectedRowsText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 2);
    const QStringList cells = lines[1].split(QLatin1Char('\t'));
    QCOMPARE(cells.size(), TrafficModel::kColumnCount);
    QCOMPARE(cells[TrafficModel::Command], QStringLiteral("Play"));
    QCOMPARE(cells[TrafficModel::Meaning], QStringLiteral("ACK"));
    monitor->pbCopy->click();
    QCOMPARE(QApplication::clipboard()->text(), lines.join(QLatin1Char('\n')));

    monitor->pbClear->click();
    QCOMPARE(monitor->Model()->rowCount(), 0);
    QVERIFY(monitor->lbLatency->text().contains(QStringLiteral("no replies")));
}

// A full list drops its oldest rows as new ones come, under a filter too:
// the filtered list loses the dropped rows, a selection on them goes with
// them, and what is copied is the rows still there.
void TrafficMonitorTest::fullListDropsOldest()
{
    TrafficMonitor *monitor = Open();
    QCOMPARE(Play(), kStatusOk);
    monitor->Refresh();
    TrafficModel &model = *monitor->Model();
    TrafficRow polled = model.Row(0);
    polled.report.polling = true;
    model.Append(std::vector<TrafficRow>(TrafficModel::kMaxRows - 1, polled));
    monitor->chkPolling->setChecked(false);
    const QAbstractItemModel *shown = monitor->tableTraffic->model();
    QCOMPARE(shown->rowCount(), 1);
    const QString firstTime = shown->index(0, TrafficModel::Time).data().toString();
    monitor->tableTraffic->selectRow(0);

    DelayMs(5);
    QCOMPARE(Play(), kStatusOk);
    monitor->Refresh();
    QCOMPARE(model.rowCount(), TrafficModel::kMaxRows);
    QCOMPARE(shown->rowCount(), 1);
    QVERIFY(model.Row(0).report.polling);
    QVERIFY(!model.Row(TrafficModel::kMaxRows - 1).report.polling);
    QCOMPARE(monitor->SelectedRowsText(), QString());
    monitor->tableTraffic->selectAll();
    const QStringList cells = monitor->SelectedRowsText().split(QLatin1Char('\t'));
    QCOMPARE(cells[TrafficModel::Command], QStringLiteral("Play"));
    QVERIFY(cells[TrafficModel::Time] != firstTime);
}

QTEST_MAIN(TrafficMonitorTest)
#include "tst_trafficmonitor.moc"

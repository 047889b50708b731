// SPDX-License-Identifier: GPL-3.0-or-later
// The polling tick against the simulated recorder: the frames it sends, the
// display, transport keys and meters it draws from the replies, and the
// recorder it drops when the replies stop.

#include "windowfixture.h"

#include "link/linkstatus.h"
#include "protocol/recorderstate.h"
#include "protocol/setupcommands.h"
#include "ui/common/faces.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

const QByteArray kTimerModeSense = WireFrame({0x60, 0x36});
const QByteArray kLevelSense = WireFrame({0x60, 0xAC});
const QByteArray kTimecodeSense = WireFrame({0x61, 0x0C, 0x03});
const QByteArray kStatusSense = WireFrame({0x61, 0x20, 0x0A});
const QByteArray kDisplayRead = WireFrame({0x61, 0x95, 0x07});
const QByteArray kCurrentFileSense = WireFrame({0x61, 0xC1, 0x01});
const QByteArray kPlay = WireFrame({0x20, 0x01});

QByteArray StatusReply(std::initializer_list<std::pair<int, quint8>> bytes)
{
    QByteArray status(10, '\0');
    for (const auto &[index, value] : bytes)
        status[index] = static_cast<char>(value);
    return SenseReturn(0x20, status);
}

QByteArray Levels(quint8 d0, quint8 d1, quint8 d2, quint8 d3)
{
    const char bytes[] = {char(d0), char(d1), char(d2), char(d3)};
    return SenseReturn(0xAC, QByteArray(bytes, 4));
}

} // namespace

class PollingTest : public QObject
{
    Q_OBJECT

private slots:
    void tickSendsTheSensesInOrder();
    void titleNamesTheLoadedFile();
    void shortSetupPageChangesNoFrameSettings();
    void displayChangeIsReadAfterTheStatus();
    void timeIsShownFromTheReply();
    void statusDrivesTheTransportKeys_data();
    void statusDrivesTheTransportKeys();
    void unknownStateChangesNothing();
    void metersHoldAndDecay();
    void delayedPlaybackStartsOnce();
    void secondPageShowsTheDisplay();
    void pelletHasNoMeters();
    void lostRecorderIsDroppedAndChosenAgain();
};

void PollingTest::tickSendsTheSensesInOrder()
{
    WindowFixture fixture("127.0.8.1");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));
    fixture.sim.ForceReply(6, 0x20, StatusReply({}));
    QCOMPARE(fixture.Tick(), (QList<QByteArray>{kTimerModeSense, kLevelSense, kTimecodeSense,
                                                kStatusSense, kCurrentFileSense}));
}

// A recorder that keeps files names its loaded file in the title; the
// recorder's "XXX" placeholder and an empty answer both mean none.
void PollingTest::titleNamesTheLoadedFile()
{
    WindowFixture fixture("127.0.8.30");
    xrsim::Scenario scenario;
    scenario.files = {xrsim::Scenario::File{QStringLiteral("NEWS"), 60, 2}};
    scenario.loaded = QStringLiteral("NEWS");
    QVERIFY2(fixture.Connect(scenario), qPrintable(fixture.sim.ErrorString()));
    const QString title = QStringLiteral("Tavrel - ") + fixture.DeviceName();
    fixture.Tick();
    QCOMPARE(fixture.window->windowTitle(), title + QStringLiteral(" (NEWS Loaded)."));

    fixture.sim.ForceReply(6, 0xC1, SenseReturn(0xC1, QByteArray("XXXXXXXX")));
    fixture.Tick();
    QCOMPARE(fixture.window->windowTitle(), title + QStringLiteral(" (No file Loaded)."));

    fixture.sim.ForceReply(6, 0xC1, WireFrame({0x10, 0x01}));
    fixture.window->setWindowTitle(QStringLiteral("Tavrel"));
    fixture.Tick();
    QCOMPARE(fixture.window->windowTitle(), title + QStringLiteral(" (No file Loaded)."));
}

// On its own timer the recorder's drop-frame setting comes from setup page
// 0. A page 0 that comes back without that byte says nothing about it: the
// segment list is not read again under a drop-frame setting made of zeros.
void PollingTest::shortSetupPageChangesNoFrameSettings()
{
    const QByteArray firstSegmentInfo = WireFrame({0x62, 0x9A, 0x00, 0x01});
    WindowFixture fixture("127.0.8.31");
    xrsim::Scenario scenario;
    scenario.files = {xrsim::Scenario::File{QStringLiteral("NEWS"), 60, 2}};
    scenario.loaded = QStringLiteral("NEWS");
    QVERIFY2(fixture.Connect(scenario), qPrintable(fixture.sim.ErrorString()));
    fixture.Tick();
    SetupPageReply page{};
    QCOMPARE(SetupPageRead(0, page), kStatusOk);
    page[1 + 3] = 1;    // the recorder's own timer
    page[1 + 4] = 0xFF; // drop frame
    QCOMPARE(SetupPageWrite(0, page.data() + 1, kSetupPageBytes), kStatusOk);
    QCOMPARE(SetupPageApply(0), kStatusOk);
    QVERIFY(fixture.Tick().contains(firstSegmentInfo));
    QCOMPARE(CurrentDevice->dropFrame, quint8(1));

    // The page number and page bytes 0-3: the time mode, not the drop frame.
    const QByteArray cut(reinterpret_cast<const char *>(page.data()), 5);
    fixture.sim.ForceReply(6, 0xC0, SenseReturn(0xC0, cut));
    fixture.window->RequestLoadedFileRefresh();
    QVERIFY(!fixture.Tick().contains(firstSegmentInfo));
    QCOMPARE(CurrentDevice->dropFrame, quint8(1));
}

// Status byte 0 bits 5 and 6 say the recorder's display changed: the tick
// reads it right after the status.
void PollingTest::displayChangeIsReadAfterTheStatus()
{
    WindowFixture fixture("127.0.8.2");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));
    fixture.sim.ForceReply(6, 0x20, StatusReply({}));
    fixture.sim.ForceReply(6, 0x20, StatusReply({{0, 0x20}}));
    QCOMPARE(fixture.Tick(), (QList<QByteArray>{kTimerModeSense, kLevelSense, kTimecodeSense,
                                                kStatusSense, kDisplayRead, kCurrentFileSense}));
}

void PollingTest::timeIsShownFromTheReply()
{
    WindowFixture fixture("127.0.8.3");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));
    fixture.sim.ForceReply(6, 0x20, StatusReply({}));
    // 23:59:30, frame 05 with the drop-frame bit, first field.
    fixture.sim.ForceReply(6, 0x0C, SenseReturn(0x04, QByteArray("\x45\x30\x59\x23", 4)));
    fixture.Tick();
    QCOMPARE(fixture.Find<QLineEdit>("lineLCD1")->text(), QStringLiteral("  23:59:30;05 F1    "));
    QCOMPARE(fixture.window->TimeLine(), QStringLiteral("  23:59:30;05 F1    "));
}

void PollingTest::statusDrivesTheTransportKeys_data()
{
    QTest::addColumn<QByteArray>("status");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("face");

    QTest::newRow("play") << StatusReply({{0, 0x10}, {1, 0x01}}) << "PLAY" << 0 << "pbPlay"
                          << "playd.png";
    QTest::newRow("play, dotted") << StatusReply({{1, 0x01}}) << QString::fromUtf8("\u00b7 PLAY")
                                  << 0 << "pbPlay"
                                  << "playd.png";
    QTest::newRow("record wins over play")
        << StatusReply({{1, 0x03}}) << "RECORD" << 1 << "pbRecord"
        << "recd.png";
    QTest::newRow("forward") << StatusReply({{1, 0x04}}) << "FORWARD" << 4 << "pbFor"
                             << "rewd.png";
    QTest::newRow("rewind") << StatusReply({{1, 0x08}}) << "REWIND" << 3 << "pbBack"
                            << "backd.png";
    // The dial has not turned forward yet: shuttle in reverse.
    QTest::newRow("shuttle") << StatusReply({{2, 0x20}}) << "SHUTTLE" << 8 << "pbBack"
                             << "backd.png";
    QTest::newRow("stop") << StatusReply({{1, 0x20}}) << "STOP" << 2 << "pbStop"
                          << "stopd.png";
    QTest::newRow("still") << StatusReply({{2, 0x02}}) << "STOP" << 2 << "pbStop"
                           << "stopd.png";
    QTest::newRow("edit on lights record")
        << StatusReply({{1, 0x20}, {4, 0x80}}) << "STOP" << 2 << "pbRecord"
        << "recd.png";
    QTest::newRow("local") << StatusReply({{0, 0x01}}) << "" << 2 << "pbRemoteLocal"
                           << "LOC.png";
    QTest::newRow("remote") << StatusReply({}) << "" << 2 << "pbRemoteLocal"
                            << "REM.png";
    QTest::newRow("LTC on") << StatusReply({{6, 0x04}}) << "" << 2 << "pbOffLtc"
                            << "LTC.png";
    QTest::newRow("LTC off") << StatusReply({}) << "" << 2 << "pbOffLtc"
                             << "OFF.png";
}

void PollingTest::statusDrivesTheTransportKeys()
{
    QFETCH(QByteArray, status);
    QFETCH(QString, word);
    QFETCH(int, state);
    QFETCH(QString, key);
    QFETCH(QString, face);
    WindowFixture fixture("127.0.8.4");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));

    // From a known state that differs from every row's.
    fixture.window->SetNewState(9);
    fixture.sim.ForceReply(6, 0x20, status);
    fixture.Tick();
    QCOMPARE(fixture.window->TransportState(), state);
    QCOMPARE(ShownFace(fixture.Find<QPushButton>(key.toLatin1().constData())), face);
    if (!word.isEmpty()) {
        QVERIFY2(fixture.window->MenuLine().endsWith(word), qPrintable(fixture.window->MenuLine()));
        QVERIFY(fixture.Find<QLineEdit>("lineLCD3")->text().endsWith(word));
    }
}

void PollingTest::unknownStateChangesNothing()
{
    WindowFixture fixture("127.0.8.5");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));
    fixture.sim.ForceReply(6, 0x20, StatusReply({}));
    fixture.window->SetNewState(3);
    fixture.window->SetNewState(11);
    QCOMPARE(fixture.window->TransportState(), 3);
    QCOMPARE(ShownFace(fixture.Find<QPushButton>("pbBack")), QStringLiteral("backd.png"));
}

// A meter falls one step a tick from its peak; a failed read blanks the
// meters but keeps the peaks.
void PollingTest::metersHoldAndDecay()
{
    WindowFixture fixture("127.0.8.6");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));
    fixture.sim.ForceReply(6, 0x20, StatusReply({}));
    QProgressBar *a1 = fixture.Find<QProgressBar>("A1");
    QProgressBar *a2 = fixture.Find<QProgressBar>("A2");
    QProgressBar *a8 = fixture.Find<QProgressBar>("A8");
    const std::array<quint8, 8> &peaks = CurrentDevice->levelPeak;

    fixture.sim.ForceReply(6, 0xAC, Levels(0xF0, 0x00, 0x00, 0x07));
    fixture.Tick();
    QCOMPARE(peaks[0], quint8(15));
    QCOMPARE(peaks[7], quint8(7));
    QCOMPARE(a1->value(), 12); // full scale
    QCOMPARE(a2->value(), 0);
    QCOMPARE(a8->value(), 7);

    fixture.sim.ForceReply(6, 0xAC, Levels(0x00, 0x00, 0x00, 0x00));
    const int expected[] = {14, 13, 12, 11};
    for (const int peak : expected) {
        fixture.Tick();
        QCOMPARE(int(peaks[0]), peak);
        QCOMPARE(a1->value(), std::min(peak, 12));
    }

    fixture.sim.ForceReply(6, 0xAC, WireFrame({0x11, 0x12, 0x01}));
    fixture.Tick();
    QCOMPARE(a1->value(), 0);
    QCOMPARE(a8->value(), 0);
    QCOMPARE(peaks[0], quint8(11));

    fixture.sim.ForceReply(6, 0xAC, Levels(0x00, 0x00, 0x00, 0x00));
    fixture.Tick();
    QCOMPARE(a1->value(), 10);
}

void PollingTest::delayedPlaybackStartsOnce()
{
    WindowFixture fixture("127.0.8.7");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));
    fixture.sim.ForceReply(6, 0x20, StatusReply({}));
    CurrentDevice->delayPlayPending = 1;
    const QList<QByteArray> first = fixture.Tick();
    const QList<QByteArray> second = fixture.Tick();
    QCOMPARE(first.count(kPlay), 1);
    QVERIFY2(first.indexOf(kPlay) > 0, "the panel switches to the player side before playing");
    QCOMPARE(second.count(kPlay), 0);
}

// The second page has its own copy of the display, which starts with what the
// first showed and then follows the recorder.
void PollingTest::secondPageShowsTheDisplay()
{
    WindowFixture fixture("127.0.8.8");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));
    fixture.sim.ForceReply(6, 0x20, StatusReply({}));
    auto *tabs = fixture.Find<QTabWidget>("tabWidget");
    QLineEdit *lineLCD1 = fixture.Find<QLineEdit>("lineLCD1");
    fixture.sim.ForceReply(6, 0x0C, SenseReturn(0x04, QByteArray("\x01\x02\x03\x04", 4)));
    fixture.Tick();
    tabs->setCurrentIndex(1);
    QCOMPARE(fixture.Find<QLineEdit>("lineLCD2")->text(), lineLCD1->text());

    fixture.sim.ForceReply(6, 0x0C, SenseReturn(0x04, QByteArray("\x05\x06\x07\x08", 4)));
    fixture.sim.ForceReply(6, 0x20, StatusReply({{1, 0x04}}));
    fixture.Tick();
    QCOMPARE(fixture.Find<QLineEdit>("lineLCD2")->text(), QStringLiteral("  08:07:06.05 F1    "));
    QVERIFY(fixture.Find<QLineEdit>("lineLCD4")->text().endsWith(QStringLiteral("FORWARD")));
    QCOMPARE(lineLCD1->text(), QStringLiteral("  04:03:02.01 F1    "));
}

void PollingTest::pelletHasNoMeters()
{
    WindowFixture fixture("127.0.8.20");
    xrsim::Scenario scenario;
    scenario.generation = xrsim::Scenario::Generation::Pellet;
    QVERIFY2(fixture.Connect(scenario), qPrintable(fixture.sim.ErrorString()));
    CurrentDevice->levelPeak.fill(9);

    const QList<QByteArray> frames = fixture.Tick();
    QVERIFY(!frames.contains(kLevelSense));
    QCOMPARE(frames.mid(0, 3), (QList<QByteArray>{kTimerModeSense, kTimecodeSense, kStatusSense}));
    QCOMPARE(fixture.Find<QProgressBar>("A1")->value(), 0);
    QCOMPARE(CurrentDevice->levelPeak[0], quint8(9));
}

// After a success, the fourth failed command in a row marks the recorder
// disconnected; the next tick drops it, and the Connect menu brings it back.
void PollingTest::lostRecorderIsDroppedAndChosenAgain()
{
    WindowFixture fixture("127.0.8.21");
    xrsim::Scenario scenario;
    scenario.generation = xrsim::Scenario::Generation::Dv;
    QVERIFY2(fixture.Connect(scenario), qPrintable(fixture.sim.ErrorString()));
    const QString title = QStringLiteral("Tavrel - ") + fixture.DeviceName();
    fixture.Tick();
    QCOMPARE(fixture.window->windowTitle(), title);
    QAction *entry = fixture.ConnectEntry(fixture.DeviceName());
    QVERIFY(entry->isChecked());

    fixture.sim.DropReplies(1000);
    QCOMPARE(fixture.Tick().size(), 4);
    QVERIFY(CurrentDevice && CurrentDevice->disconnected);
    CurrentDevice->menuMode = 1;
    DeviceRecord *lost = CurrentDevice;

    QVERIFY(fixture.Tick().isEmpty());
    QVERIFY(!CurrentDevice);
    QCOMPARE(lost->menuMode, quint8(0));
    QCOMPARE(fixture.window->windowTitle(), title + QStringLiteral(" [Disconnected ?]."));
    QVERIFY(!entry->isChecked());
    QVERIFY(fixture.Tick().isEmpty());
    QCOMPARE(fixture.window->windowTitle(), title + QStringLiteral(" [Disconnected ?]."));

    fixture.sim.ClearFaults();
    entry->trigger();
    QCOMPARE(CurrentDevice, lost);
    QVERIFY(!CurrentDevice->disconnected);
    QVERIFY(entry->isChecked());
    QCOMPARE(fixture.Tick().size(), 4);
    QCOMPARE(fixture.window->windowTitle(), title);
}

QTEST_MAIN(PollingTest)
#include "tst_polling.moc"

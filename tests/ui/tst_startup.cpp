// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and end of the program: the first recorder, the title, the
// Connect menu, and xr.cfg however the program ends.

#include "windowfixture.h"

#include "devices/adddevicedialog.h"
#include "protocol/recorderstate.h"
#include "ui/common/faces.h"
#include "ui/common/pollingpause.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <csignal>

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void startsWithoutRecorder();
    void startsWithCurrentRecorder();
    void startsWithOlderRecorder();
    void keepsRecordersAddedDuringTheRun();
    void quitActionEndsTheEventLoop();
    void longWorkHoldsThePolling();
    void signalEndsTheProgramCleanly_data();
    void signalEndsTheProgramCleanly();
};

void StartupTest::startsWithoutRecorder()
{
    WindowFixture fixture("127.0.7.1");
    QFile::remove(QStringLiteral("xr.cfg"));
    fixture.OpenWindow();
    MainWindow &window = *fixture.window;

    QCOMPARE(window.windowTitle(), QStringLiteral("Tavrel - Not connected."));
    QVERIFY(!CurrentDevice);
    QVERIFY(fixture.ConnectMenu()->actions().first()->isSeparator());
    QCOMPARE(window.recorders->XRMenuTexts(),
             (QStringList{QStringLiteral("Add XR..."), QStringLiteral("Remove XR..."),
                          QStringLiteral("Com1"), QStringLiteral("Com2")}));
    QCOMPARE(window.recorders->XRMenuText(1), QStringLiteral("Add XR..."));
    QCOMPARE(window.recorders->XRMenuText(2), QStringLiteral("Remove XR..."));
    QCOMPARE(window.recorders->XRMenuText(100), QStringLiteral("Com1"));
    QCOMPARE(window.recorders->XRMenuText(101), QStringLiteral("Com2"));
    QVERIFY(window.recorders->XRMenuText(102).isEmpty());

    // The panel opens on stop, with the blank time and no recorder.
    QCOMPARE(window.TransportState(), 2);
    QCOMPARE(ShownFace(fixture.Find<QPushButton>("pbStop")), QStringLiteral("stopd.png"));
    QCOMPARE(ShownFace(fixture.Find<QPushButton>("pbPlay")), QStringLiteral("playu.png"));
    QCOMPARE(fixture.Find<QLineEdit>("lineLCD1")->text(), QStringLiteral("  00:00:00.00 F1    "));
    QCOMPARE(fixture.Find<QLineEdit>("lineLCD3")->text(), QStringLiteral("NOT CONNECTED"));

    // Without a recorder the document entries stay, the recorder's go.
    for (const char *name : {"New", "Save", "SaveAs", "ImportClip"})
        QVERIFY2(fixture.Action(name)->isEnabled(), name);
    for (const char *name : {"deviceSettingsAction", "Open", "CutClip", "RenameClip", "GotoIn",
                             "GotoOut", "RenameDisk"})
        QVERIFY2(!fixture.Action(name)->isEnabled(), name);

    // A tick without a recorder changes nothing.
    window.DoIdle();
    QCOMPARE(window.windowTitle(), QStringLiteral("Tavrel - Not connected."));

    fixture.CloseWindow();
    QVERIFY(QFile::exists(QStringLiteral("xr.cfg")));
    QCOMPARE(fixture.DeviceFile(), QByteArray());
}

void StartupTest::startsWithCurrentRecorder()
{
    WindowFixture fixture("127.0.7.2");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));

    QCOMPARE(CurrentDevice->name, fixture.DeviceName());
    // The probe, then the version; a current firmware gets no version key.
    const QList<QByteArray> frames = fixture.sim.ReceivedFrames();
    QVERIFY(frames.size() >= 2);
    QCOMPARE(frames.at(0), WireFrame({0x00, 0x11}));
    QCOMPARE(frames.at(1), WireFrame({0x60, 0xB1}));
    QVERIFY(!frames.contains(WireFrame({0x61, 0x95, 0x00})));
    QCOMPARE(legacyFirmware, quint8(0));
    QCOMPARE(pelletDevice, quint8(0));
    QCOMPARE(fixture.Find<QLabel>("textLabel1_3")->text(), QStringLiteral("Created from :"));

    QVERIFY(fixture.ConnectEntry(fixture.DeviceName())->isChecked());
    QVERIFY(!fixture.ConnectEntry(QStringLiteral("Com1"))->isChecked());
    QVERIFY(fixture.Action("deviceSettingsAction")->isEnabled());
}

// An older "DV" firmware is asked with the panel's version key; its reply
// decides legacyFirmware, and the recorder's disk name is shown.
void StartupTest::startsWithOlderRecorder()
{
    WindowFixture fixture("127.0.7.3");
    xrsim::Scenario scenario;
    scenario.generation = xrsim::Scenario::Generation::Dv;
    scenario.diskName = QStringLiteral("NEWS 1");
    QVERIFY2(fixture.Connect(scenario), qPrintable(fixture.sim.ErrorString()));

    QVERIFY(fixture.sim.ReceivedFrames().contains(WireFrame({0x61, 0x95, 0x00})));
    QCOMPARE(legacyFirmware, quint8(1));
    QCOMPARE(fixture.Find<QLineEdit>("lineLCD3")->text(), QStringLiteral("V3.2.1"));
    QCOMPARE(fixture.Find<QLineEdit>("EdDiskName")->text(), QStringLiteral("NEWS 1"));
    QCOMPARE(fixture.Find<QLabel>("textLabel1_3")->text(), QStringLiteral("Disk name :"));

    // Such a recorder is named by the title alone, set once.
    QSignalSpy titles(fixture.window.get(), &QWidget::windowTitleChanged);
    fixture.Tick();
    fixture.Tick();
    QCOMPARE(fixture.window->windowTitle(), QStringLiteral("Tavrel - ") + fixture.DeviceName());
    QCOMPARE(titles.count(), 1);
}

void StartupTest::keepsRecordersAddedDuringTheRun()
{
    WindowFixture fixture("127.0.7.4");
    QVERIFY(fixture.WriteDeviceFile(fixture.AddressLine()));
    fixture.OpenWindow();

    WhenDialogOpens<Add_XR>([](Add_XR *dialog) {
        dialog->spinBox1->setValue(127);
        dialog->spinBox2->setValue(0);
        dialog->spinBox3->setValue(7);
        dialog->spinBox4->setValue(50);
        dialog->pbAddXR->click();
    });
    fixture.ConnectEntry(QStringLiteral("Add XR..."))->trigger();
    QVERIFY(fixture.ConnectEntry(QStringLiteral("Ethernet - 127.000.007.050")));
    QCOMPARE(fixture.window->recorders->XRMenuText(103),
             QStringLiteral("Ethernet - 127.000.007.050"));

    fixture.CloseWindow();
    QCOMPARE(fixture.DeviceFile(), QByteArray("127.0.7.4\r\n127.0.7.50\r\n"));
}

void StartupTest::quitActionEndsTheEventLoop()
{
    MainWindow window;
    QTimer::singleShot(0, window.findChild<QAction *>(QStringLiteral("Quit")), &QAction::trigger);
    QCOMPARE(QApplication::exec(), 0);
}

// Pauses nest: the polling comes back only when the outermost pause ends.
void StartupTest::longWorkHoldsThePolling()
{
    MainWindow window;
    window.Start();
    auto *timer = window.findChild<QTimer *>(QStringLiteral("idleTimer"));
    QVERIFY(timer->isActive());
    {
        const PollingPause outer(window);
        QVERIFY(!timer->isActive());
        {
            const PollingPause inner(window);
            QVERIFY(!timer->isActive());
        }
        QVERIFY(!timer->isActive());
    }
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 100);
}

void StartupTest::signalEndsTheProgramCleanly_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

// The program itself, ended by a signal: it leaves through its event loop and
// rewrites xr.cfg, here recognisable by the leading zeros it drops.
void StartupTest::signalEndsTheProgramCleanly()
{
    QFETCH(int, signalNumber);
    QTemporaryDir directory;
    QFile file(directory.filePath(QStringLiteral("xr.cfg")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("127.000.007.060\r\n");
    file.close();

    QProcess program;
    program.setWorkingDirectory(directory.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("TAVREL_COM1"),
                       directory.filePath(QStringLiteral("no-com1")));
    environment.insert(QStringLiteral("TAVREL_COM2"),
                       directory.filePath(QStringLiteral("no-com2")));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TAVREL_EXECUTABLE), QStringList());
    QVERIFY(program.waitForStarted());
    // Long enough for the probes of start-up to be over.
    QTest::qWait(3000);
    QCOMPARE(program.state(), QProcess::Running);
    ::kill(static_cast<pid_t>(program.processId()), signalNumber);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("127.0.7.60\r\n"));
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"

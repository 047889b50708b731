// SPDX-License-Identifier: GPL-3.0-or-later
// The window's side of remote control, without a recorder: the "&Device"
// menu's entries, the "Remote control" dialog that refuses what would open
// the program unsafely and keeps what it applies, the status bar's
// indicator, and the "Remote log" window. The API listens on 127.0.83.1.

#include "../ui/windowfixture.h"
#include "wsclient.h"

#include "remote/remotecontrol.h"
#include "ui/panel/mainwindowremote.h"
#include "ui/remote/dlgremotecontrol.h"
#include "ui/remote/remoteindicator.h"
#include "ui/remote/remotelogwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>

namespace {

const char kAddress[] = "127.0.83.1";

} // namespace

class RemoteWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void menuEntriesWaitForRemoteControl();
    void dialogRefusesAnOpenDoor();
    void dialogAppliesAndKeepsItsSettings();
    void indicatorCountsClients();
    void logWindowFollowsTheLog();

private:
    // Opens the dialog from the menu and lets `fill` set it up and press
    // its keys while it is open.
    void WithDialog(const std::function<void(DlgRemoteControl *)> &fill);

    QTemporaryDir home;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<WindowControl> control;
    std::unique_ptr<RemoteControl> remote;
};

void RemoteWindowTest::initTestCase()
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
}

void RemoteWindowTest::init()
{
    window = std::make_unique<MainWindow>();
    control = std::make_unique<WindowControl>(*window);
    remote = std::make_unique<RemoteControl>(*control);
}

void RemoteWindowTest::cleanup()
{
    remote.reset();
    control.reset();
    window.reset();
}

void RemoteWindowTest::WithDialog(const std::function<void(DlgRemoteControl *)> &fill)
{
    WhenDialogOpens<DlgRemoteControl>(fill);
    window->findChild<QAction *>(QStringLiteral("remoteControlAction"))->trigger();
}

void RemoteWindowTest::menuEntriesWaitForRemoteControl()
{
    QAction *dialog = window->findChild<QAction *>(QStringLiteral("remoteControlAction"));
    QAction *log = window->findChild<QAction *>(QStringLiteral("remoteLogAction"));
    QCOMPARE(dialog->text(), QStringLiteral("Remote control..."));
    QCOMPARE(log->text(), QStringLiteral("Remote log"));
    QVERIFY(!dialog->isEnabled());
    window->AttachRemote(*remote);
    QVERIFY(dialog->isEnabled());
    QVERIFY(log->isEnabled());
    QCOMPARE(window->findChild<QMenu *>(QStringLiteral("deviceMenu"))->actions().last(), log);
}

// Beyond loopback without a token: a box says why, nothing listens, nothing
// is kept.
void RemoteWindowTest::dialogRefusesAnOpenDoor()
{
    window->AttachRemote(*remote);
    QString warning;
    WithDialog([&](DlgRemoteControl *dialog) {
        dialog->cbRemoteEnabled->setChecked(true);
        dialog->cbRemoteListen->setCurrentIndex(dialog->cbRemoteListen->findData("0.0.0.0"));
        dialog->leRemoteToken->clear();
        WhenDialogOpens<QMessageBox>([&](QMessageBox *box) {
            warning = box->text();
            box->accept();
        });
        dialog->pbOk->click();
        QVERIFY(dialog->isVisible());
        dialog->pbCancel->click();
    });
    QCOMPARE(warning, QStringLiteral("Listening beyond loopback needs a token."));
    QVERIFY(!remote->Listening());
    QVERIFY(!LoadRemoteSettings(*SettingsStore()).enabled);
}

void RemoteWindowTest::dialogAppliesAndKeepsItsSettings()
{
    window->AttachRemote(*remote);
    WithDialog([&](DlgRemoteControl *dialog) {
        QVERIFY(!dialog->cbRemoteEnabled->isChecked());
        QCOMPARE(dialog->sbRemotePort->value(), 9180);
        QCOMPARE(dialog->cbRemoteListen->currentData().toString(), QString());
        QVERIFY(!dialog->leReadOnlyToken->isEnabled());
        dialog->cbRemoteEnabled->setChecked(true);
        dialog->cbRemoteListen->addItem(QLatin1String(kAddress), QLatin1String(kAddress));
        dialog->cbRemoteListen->setCurrentIndex(dialog->cbRemoteListen->count() - 1);
        dialog->pbGenerateToken->click();
        dialog->cbReadOnlyAllowed->setChecked(true);
        dialog->pbGenerateReadOnlyToken->click();
        dialog->sbTimeRate->setValue(4);
        dialog->pbOk->click();
    });
    QVERIFY(remote->Listening());
    QCOMPARE(remote->ListenText(), QStringLiteral("127.0.83.1:9180"));
    const RemoteSettings stored = LoadRemoteSettings(*SettingsStore());
    QVERIFY(stored.enabled);
    QCOMPARE(stored.listenAddress, QLatin1String(kAddress));
    QCOMPARE(stored.token.size(), 24);
    QCOMPARE(stored.timeRate, 4);
    QVERIFY(stored == remote->Settings());

    WsClient anonymous;
    anonymous.Open(ApiUrl(kAddress));
    QVERIFY(anonymous.WaitClosed());
    WsClient watcher;
    QVERIFY(watcher.Open(ApiUrl(kAddress), stored.readOnlyToken.toUtf8()));
    QCOMPARE(WsClient::ErrorCode(watcher.Request(QStringLiteral("transport.play"))),
             QStringLiteral("read-only"));

    // The next dialog shows what was kept; switching off closes the door.
    WithDialog([&](DlgRemoteControl *dialog) {
        QCOMPARE(dialog->Settings(), stored);
        dialog->cbRemoteEnabled->setChecked(false);
        dialog->pbOk->click();
    });
    QVERIFY(!remote->Listening());
    QVERIFY(watcher.WaitClosed());
}

void RemoteWindowTest::indicatorCountsClients()
{
    window->AttachRemote(*remote);
    auto *indicator = window->statusBar()->findChild<RemoteIndicator *>();
    QVERIFY(indicator);
    QCOMPARE(indicator->text(), QStringLiteral("Remote control off"));
    RemoteSettings settings;
    settings.enabled = true;
    settings.listenAddress = QLatin1String(kAddress);
    QString error;
    QVERIFY(remote->Apply(settings, false, error));
    QCOMPARE(indicator->text(), QStringLiteral("Remote control on 127.0.83.1:9180, 0 clients"));
    {
        WsClient first;
        WsClient second;
        QVERIFY(first.Open(ApiUrl(kAddress)));
        QVERIFY(QTest::qWaitFor(
            [&] { return indicator->text().endsWith(QLatin1String("1 client")); }, 1000));
        QVERIFY(second.Open(ApiUrl(kAddress)));
        QVERIFY(QTest::qWaitFor(
            [&] { return indicator->text().endsWith(QLatin1String("2 clients")); }, 1000));
    }
    QVERIFY(QTest::qWaitFor([&] { return indicator->text().endsWith(QLatin1String("0 clients")); },
                            1000));
}

void RemoteWindowTest::logWindowFollowsTheLog()
{
    window->AttachRemote(*remote);
    remote->Log().Add(QStringLiteral("before the window"));
    window->findChild<QAction *>(QStringLiteral("remoteLogAction"))->trigger();
    auto *logWindow = window->findChild<RemoteLogWindow *>();
    QVERIFY(logWindow && logWindow->isVisible());
    QCOMPARE(logWindow->windowTitle(), QStringLiteral("Remote log"));
    remote->Log().Add(QStringLiteral("while it is open"));
    const QString text = logWindow->teRemoteLog->toPlainText();
    QVERIFY(text.contains(QLatin1String("before the window")));
    QVERIFY(text.contains(QLatin1String("while it is open")));
    QVERIFY(logWindow->lbLogFile->text().contains(QLatin1String("tavrel/remote.log")));
    logWindow->close();
    window->findChild<QAction *>(QStringLiteral("remoteLogAction"))->trigger();
    QCOMPARE(window->findChildren<RemoteLogWindow *>().size(), 1);
}

QTEST_MAIN(RemoteWindowTest)
#include "tst_remotewindow.moc"

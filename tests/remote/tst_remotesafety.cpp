// SPDX-License-Identifier: GPL-3.0-or-later
// What keeps remote control safe before any command: the settings that may
// be used (loopback unless told otherwise, a token beyond it) and what is
// made of a damaged settings file, the token gate with its lockout, and the
// log file's rotation.

#include "remote/authgate.h"
#include "remote/commands.h"
#include "remote/controlcore.h"
#include "remote/refusal.h"
#include "remote/remotelog.h"
#include "remote/remotesettings.h"

#include <QFile>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class RemoteSafetyTest : public QObject
{
    Q_OBJECT

private slots:
    void defaultsAreOffOnLoopback();
    void settingsFaults_data();
    void settingsFaults();
    void damagedStoredSettingsStayOff();
    void settingsRoundTrip();
    void tokensDecideWhoComesIn();
    void repeatedWrongTokensLockTheAddressOut();
    void lockoutTableStaysBounded();
    void logFileRotates();
    void logLinesAreOneLineEach();
    void refusalCodesAreDistinct();
    void documentationNamesEveryMethodTopicAndCode();
};

void RemoteSafetyTest::defaultsAreOffOnLoopback()
{
    const RemoteSettings settings;
    QVERIFY(!settings.enabled);
    QCOMPARE(settings.port, quint16(9180));
    QVERIFY(settings.Loopback());
    QCOMPARE(settings.ListenAddress(), QHostAddress(QHostAddress::LocalHost));
    QCOMPARE(settings.Fault(), QString());
}

void RemoteSafetyTest::settingsFaults_data()
{
    QTest::addColumn<QString>("listen");
    QTest::addColumn<QString>("token");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("readOnlyToken");
    QTest::addColumn<bool>("faulty");

    QTest::newRow("loopback, no token") << ""
                                        << "" << false << "" << false;
    QTest::newRow("127.0.0.2 is loopback") << "127.0.0.2"
                                           << "" << false << "" << false;
    QTest::newRow("beyond loopback, no token") << "0.0.0.0"
                                               << "" << false << "" << true;
    QTest::newRow("beyond loopback, token") << "0.0.0.0"
                                            << "s3cret-token" << false << "" << false;
    QTest::newRow("short token") << ""
                                 << "short" << false << "" << true;
    QTest::newRow("not an address") << "tavrel.local"
                                    << "s3cret-token" << false << "" << true;
    QTest::newRow("read-only, no token") << ""
                                         << "" << true << "" << true;
    QTest::newRow("read-only, same token") << ""
                                           << "s3cret-token" << true << "s3cret-token" << true;
    QTest::newRow("read-only, own token") << ""
                                          << "s3cret-token" << true << "watch-only" << false;
}

void RemoteSafetyTest::settingsFaults()
{
    QFETCH(QString, listen);
    QFETCH(QString, token);
    QFETCH(bool, readOnly);
    QFETCH(QString, readOnlyToken);
    QFETCH(bool, faulty);
    RemoteSettings settings;
    settings.listenAddress = listen;
    settings.token = token;
    settings.readOnlyAllowed = readOnly;
    settings.readOnlyToken = readOnlyToken;
    QCOMPARE(!settings.Fault().isEmpty(), faulty);
}

// A settings file edited by hand, or left by an older version, must not
// open the program: what cannot be used is not used.
void RemoteSafetyTest::damagedStoredSettingsStayOff()
{
    QTemporaryDir directory;
    QSettings store(directory.filePath(QStringLiteral("t.conf")), QSettings::IniFormat);
    store.setValue("remote/enabled", true);
    store.setValue("remote/listen", "0.0.0.0");
    store.setValue("remote/port", 70000);
    store.setValue("remote/timeRate", 500);
    const RemoteSettings settings = LoadRemoteSettings(store);
    QVERIFY(!settings.enabled);
    QCOMPARE(settings.port, quint16(9180));
    QCOMPARE(settings.timeRate, 10);
}

void RemoteSafetyTest::settingsRoundTrip()
{
    QTemporaryDir directory;
    QSettings store(directory.filePath(QStringLiteral("t.conf")), QSettings::IniFormat);
    RemoteSettings settings;
    settings.enabled = true;
    settings.port = 9999;
    settings.listenAddress = QStringLiteral("0.0.0.0");
    settings.token = NewToken();
    settings.readOnlyAllowed = true;
    settings.readOnlyToken = NewToken();
    settings.recordingAllowed = true;
    settings.timeRate = 4;
    SaveRemoteSettings(store, settings);
    QVERIFY(LoadRemoteSettings(store) == settings);
    QCOMPARE(settings.token.size(), 24);
    QVERIFY(settings.token != settings.readOnlyToken);
}

void RemoteSafetyTest::tokensDecideWhoComesIn()
{
    using V = AuthGate::Verdict;
    const QHostAddress peer(QStringLiteral("192.0.2.1"));
    AuthGate open;
    QCOMPARE(open.Check(peer, QString(), 0), V::Control);
    QCOMPARE(open.Check(peer, QStringLiteral("anything"), 0), V::Control);

    AuthGate gate;
    gate.SetTokens(QStringLiteral("control-token"), QStringLiteral("watch-token"));
    QCOMPARE(gate.Check(peer, QStringLiteral("control-token"), 0), V::Control);
    QCOMPARE(gate.Check(peer, QStringLiteral("watch-token"), 0), V::ReadOnly);
    QCOMPARE(gate.Check(peer, QString(), 0), V::Refused);
    QCOMPARE(gate.Check(peer, QStringLiteral("control-toke"), 0), V::Refused);
    QCOMPARE(gate.Check(peer, QStringLiteral("control-tokenX"), 0), V::Refused);
    QVERIFY(!SameToken(QString(), QStringLiteral("x")));
    QVERIFY(SameToken(QStringLiteral("x"), QStringLiteral("x")));
}

// Five wrong tokens within a minute shut the address out for the rest of
// the minute, even with the right token; other addresses are not affected.
void RemoteSafetyTest::repeatedWrongTokensLockTheAddressOut()
{
    using V = AuthGate::Verdict;
    AuthGate gate;
    gate.SetTokens(QStringLiteral("control-token"), QString());
    const QHostAddress guesser(QStringLiteral("192.0.2.7"));
    const QHostAddress other(QStringLiteral("192.0.2.8"));
    for (int i = 0; i < AuthGate::kFailuresAllowed; ++i)
        QCOMPARE(gate.Check(guesser, QStringLiteral("guess%1").arg(i), 1000 * i), V::Refused);
    QCOMPARE(gate.Check(guesser, QStringLiteral("control-token"), 5000), V::LockedOut);
    QCOMPARE(gate.Check(other, QStringLiteral("control-token"), 5000), V::Control);
    // Still guessing keeps it out; a quiet minute lets it in again.
    QCOMPARE(gate.Check(guesser, QStringLiteral("control-token"), 50000), V::LockedOut);
    QCOMPARE(gate.Check(guesser, QStringLiteral("control-token"), 50000 + AuthGate::kWindowMs),
             V::Control);
}

void RemoteSafetyTest::lockoutTableStaysBounded()
{
    AuthGate gate;
    gate.SetTokens(QStringLiteral("control-token"), QString());
    for (quint32 i = 0; i < 3 * AuthGate::kRemembered; ++i)
        gate.Check(QHostAddress(0x0A000000u + i), QStringLiteral("wrong"), 0);
    // No crash and no unbounded growth; the last address is still counted.
    const QHostAddress last(0x0A000000u + 3 * AuthGate::kRemembered - 1);
    for (int i = 1; i < AuthGate::kFailuresAllowed; ++i)
        gate.Check(last, QStringLiteral("wrong"), 0);
    QCOMPARE(gate.Check(last, QStringLiteral("control-token"), 0), AuthGate::Verdict::LockedOut);
}

void RemoteSafetyTest::logFileRotates()
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("logs/remote.log"));
    RemoteLog log;
    log.SetFile(path, 200);
    for (int i = 0; i < 40; ++i)
        log.Add(QStringLiteral("line %1 of the log, long enough to fill it").arg(i));
    for (const char *suffix : {"", ".1", ".2", ".3"})
        QVERIFY2(QFile::exists(path + QLatin1String(suffix)), suffix);
    QVERIFY(!QFile::exists(path + QStringLiteral(".4")));
    QVERIFY(QFile(path + QStringLiteral(".1")).size() >= 200);
    QFile newest(path);
    QVERIFY(newest.open(QIODevice::ReadOnly));
    QVERIFY(newest.size() < 200);
    QCOMPARE(log.Lines().size(), 40);
    QVERIFY(
        log.Lines().last().endsWith(QLatin1String("line 39 of the log, long enough to fill it")));
}

// A client's text cannot forge a line of the log.
void RemoteSafetyTest::logLinesAreOneLineEach()
{
    RemoteLog log;
    log.Add(QStringLiteral("method\n2024-01-01 forged line\r"));
    QCOMPARE(log.Lines().size(), 1);
    QVERIFY(!log.Lines().first().contains(QLatin1Char('\n')));
    QVERIFY(!log.Lines().first().contains(QLatin1Char('\r')));
}

void RemoteSafetyTest::refusalCodesAreDistinct()
{
    QSet<QString> codes;
    for (const Refusal refusal : AllRefusals()) {
        QVERIFY(!RefusalMessage(refusal).isEmpty());
        codes.insert(RefusalCode(refusal));
    }
    QCOMPARE(codes.size(), AllRefusals().size());
}

// Clients are written from docs/remote.md: a method, topic or error code it
// does not name is one nobody can use.
void RemoteSafetyTest::documentationNamesEveryMethodTopicAndCode()
{
    QFile file(QStringLiteral(TAVREL_SOURCE_DIR "/docs/remote.md"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QStringList names = CommandMethods();
    names << QLatin1String(ControlCore::kSubscribe) << QLatin1String(ControlCore::kUnsubscribe);
    for (const Topic topic : AllTopics())
        names << TopicName(topic);
    for (const Refusal refusal : AllRefusals())
        names << RefusalCode(refusal);
    for (const QString &name : names)
        QVERIFY2(text.contains(QLatin1Char('`') + name + QLatin1Char('`')), qPrintable(name));
}

QTEST_GUILESS_MAIN(RemoteSafetyTest)
#include "tst_remotesafety.moc"

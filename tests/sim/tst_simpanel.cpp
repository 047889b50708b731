// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated recorder's front panel as a controller drives it: the menu
// walk to the Remote/Local entry, the key sequences that change a value,
// digits, Clear and Backspace in a menu, the title on the upper line, the
// version key and a menu that times out.

#include "simfixture.h"

#include <QtTest>

namespace {

const QHostAddress kRecorder(QStringLiteral("127.0.30.1"));
constexpr quint8 kMenuOpen = 0x80;
constexpr quint8 kLowerLine = 0x40;

using Generation = xrsim::Scenario::Generation;

QByteArray keyFrame(quint8 key)
{
    return QByteArray("61 95 ") + QByteArray(1, char(key)).toHex();
}

} // namespace

class TestSimPanel : public QObject, public SimFixture
{
    Q_OBJECT

public:
    TestSimPanel() : SimFixture(kRecorder) {}

private slots:
    void cleanup();

    void remoteLocalWalkFindsTheEntry_data();
    void remoteLocalWalkFindsTheEntry();
    void keySequencesChangeAValueOnce_data();
    void keySequencesChangeAValueOnce();
    void digitsClearAndBackspaceInAMenu();
    void refreshShowsTheTitleOnTheUpperLine();
    void dotKeyOnlyOnCurrentFirmware();
    void versionKeyAnswers_data();
    void versionKeyAnswers();
    void menuTimesOutAndSaysSo();

private:
    QByteArray key(quint8 code) { return ask(keyFrame(code)); }
};

void TestSimPanel::cleanup()
{
    recorder.Stop();
}

void TestSimPanel::remoteLocalWalkFindsTheEntry_data()
{
    QTest::addColumn<int>("generation");
    QTest::addColumn<QByteArray>("mark");
    QTest::addColumn<QByteArray>("third");
    QTest::newRow("current") << int(Generation::Current) << QByteArray("1 ")
                             << QByteArray("3 Drop NDF");
    QTest::newRow("older") << int(Generation::Dv) << QByteArray("00 ") << QByteArray("02 Drop NDF");
}

// The menu reopens where it was left, so the controller's walk (Menu once,
// then Up until the entry numbered 1, or 00, shows; then Minus) has to
// search for the entry; the walk ends well within its 11 steps.
void TestSimPanel::remoteLocalWalkFindsTheEntry()
{
    QFETCH(int, generation);
    QFETCH(QByteArray, mark);
    QFETCH(QByteArray, third);
    xrsim::Scenario scenario;
    scenario.generation = Generation(generation);
    QVERIFY(start(scenario));
    key(0x01);
    key(0x02);
    QCOMPARE(key(0x02), panel(kMenuOpen | kLowerLine, third));
    QCOMPARE(quint8(key(0x90).at(2)) & kMenuOpen, 0);

    for (const bool local : {true, false}) {
        QByteArray shown = key(0x01).mid(3);
        QCOMPARE(shown, third);
        int steps = 0;
        for (; steps < 11 && !shown.startsWith(mark); ++steps)
            shown = key(0x02).mid(3);
        QVERIFY2(steps > 0 && steps < 11, shown.constData());
        QVERIFY(shown.contains(local ? "REMOTE" : "LOCAL"));
        QVERIFY(key(0x06).mid(3).contains(local ? "LOCAL" : "REMOTE"));
        QCOMPARE(statusByte(0) & 0x01, local ? 1 : 0);
        QCOMPARE(ask("20 01").mid(0, 2), local ? UdpProbe::hex("11 12") : kAck);
        // The controller leaves the menu open; the next walk starts on the
        // entry it found.
        for (int i = 0; i < 2; ++i)
            key(0x02);
    }
}

void TestSimPanel::keySequencesChangeAValueOnce_data()
{
    QTest::addColumn<int>("generation");
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<QByteArray>("shown");
    // The controller's Toggle sends 0x0A followed by Plus or Minus (0xA0 or
    // 0x9F in the options menu of current firmware); Plus and Minus alone
    // send 5/6 there, 0xA0/0x9F on older firmware. Each sequence is one
    // step of the value.
    const auto row = [](const char *name, Generation generation, const char *keys,
                        const char *shown) {
        QTest::newRow(name) << int(generation) << UdpProbe::hex(keys) << QByteArray(shown);
    };
    row("toggle, settings menu", Generation::Current, "01 0A 05", "1 Ctrl LOCAL");
    row("toggle with option, settings menu", Generation::Current, "01 03 0A 06", "4 Mode 1R/P");
    row("toggle, options menu", Generation::Current, "0B 0A A0", "1 Sync SYNC");
    row("toggle with option, options menu", Generation::Current, "0B 0A 9F", "1 Sync INT");
    row("plus, options menu", Generation::Current, "0B 03 05", "3 Bars ON");
    row("minus, options menu", Generation::Current, "0B 03 06", "3 Bars ON");
    row("toggle, older firmware", Generation::Dv, "0B 0A 05", "00 Sync SYNC");
    row("plus, older firmware", Generation::Dv, "0B 02 A0", "01 Loop ON");
    row("toggle alone", Generation::Current, "0B 0A", "1 Sync AUTO");
}

void TestSimPanel::keySequencesChangeAValueOnce()
{
    QFETCH(int, generation);
    QFETCH(QByteArray, keys);
    QFETCH(QByteArray, shown);
    xrsim::Scenario scenario;
    scenario.generation = Generation(generation);
    QVERIFY(start(scenario));
    QByteArray reply;
    for (const char code : keys)
        reply = key(quint8(code));
    QCOMPARE(reply, panel(kMenuOpen | kLowerLine, shown));
}

void TestSimPanel::digitsClearAndBackspaceInAMenu()
{
    xrsim::Scenario scenario;
    scenario.files = {{QStringLiteral("CLIP0003"), 60, 8}};
    scenario.loaded = QStringLiteral("CLIP0003");
    QVERIFY(start(scenario));
    // A digit jumps to the entry of that number; there is no entry 9.
    key(0x01);
    QCOMPARE(key(0x84), panel(0xC0, "4 Mode 1R-1P"));
    QCOMPARE(key(0x89), panel(0xC0, "4 Mode 1R-1P"));
    QCOMPARE(key(0x06), panel(0xC0, "4 Mode 1R/P"));
    // Clear puts the entry back on its first choice.
    QCOMPARE(key(0x8F), panel(0xC0, "4 Mode 1R/P"));
    QCOMPARE(key(0x82), panel(0xC0, "2 Time LTC"));
    QCOMPARE(key(0x05), panel(0xC0, "2 Time TIMER"));
    QCOMPARE(ask("60 36"), UdpProbe::hex("71 36 01"));
    QCOMPARE(key(0x8F), panel(0xC0, "2 Time LTC"));
    QCOMPARE(ask("60 36"), UdpProbe::hex("71 36 00"));
    // Backspace leaves the menu: the idle display, bit 7 clear.
    QCOMPARE(key(0x8E), panel(kLowerLine, "CLIP0003"));
    QCOMPARE(key(0x85), panel(kLowerLine, "CLIP0003"));

    xrsim::Scenario older;
    older.generation = Generation::Dv;
    QVERIFY(start(older));
    key(0x01);
    QCOMPARE(key(0x83), panel(0xC0, "03 Mode 1R-1P"));
    QCOMPARE(key(0x80), panel(0xC0, "00 Ctrl REMOTE"));
    QCOMPARE(key(0x84), panel(0xC0, "00 Ctrl REMOTE"));
}

// While a menu is open the display key shows its title, centred on the
// upper line (bit 6 clear); closed, it shows the lower line.
void TestSimPanel::refreshShowsTheTitleOnTheUpperLine()
{
    xrsim::Scenario scenario;
    scenario.files = {{QStringLiteral("NEWS"), 60, 8}};
    scenario.loaded = QStringLiteral("NEWS");
    QVERIFY(start(scenario));
    QCOMPARE(key(0x04), panel(kLowerLine, "NEWS"));
    const struct
    {
        quint8 opener;
        quint8 flags;
        QByteArray title;
    } modes[] = {{0x01, 0x85, "SETUP MENU"},
                 {0x0B, 0x86, "OPTIONS"},
                 {0x08, 0x84, "SAVE SEGMENT"},
                 {0x09, 0x83, "RECALL SEGMENT"}};
    for (const auto &mode : modes) {
        key(mode.opener);
        QCOMPARE(key(0x04), panel(mode.flags, mode.title));
    }
    QCOMPARE(quint8(key(0x90).at(2)), kLowerLine);
    QCOMPARE(key(0x04), panel(kLowerLine, "NEWS"));
}

void TestSimPanel::dotKeyOnlyOnCurrentFirmware()
{
    QVERIFY(start());
    key(0x08);
    QCOMPARE(key(0xD0), panel(0xC0, "Save seg 0001"));

    xrsim::Scenario older;
    older.generation = Generation::Dv;
    QVERIFY(start(older));
    key(0x08);
    QCOMPARE(key(0xD0), kUnknown);
}

void TestSimPanel::versionKeyAnswers_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("versionKey");
    QTest::addColumn<QByteArray>("data");
    // By default the lower line with the version from its V: the digits at
    // data bytes 4 and 6 tell the generations apart (below 4: older).
    QTest::newRow("DV of current firmware") << "DV V4.5.4" << QString() << QByteArray("@V4.5.4");
    // Given as it is: a first generation answering its bare number, bytes
    // outside printable ASCII.
    QTest::newRow("bare number") << "DV V1.10"
                                 << "1.10" << QByteArray("1.10");
    QTest::newRow("escaped bytes") << "DV V3.2.1"
                                   << "\\xC5 V3" << QByteArray("\xC5 V3");
}

void TestSimPanel::versionKeyAnswers()
{
    QFETCH(QString, version);
    QFETCH(QString, versionKey);
    QFETCH(QByteArray, data);
    xrsim::Scenario scenario;
    QString error;
    QVERIFY(scenario.Set(QStringLiteral("version_text"), version, &error));
    if (!versionKey.isEmpty())
        QVERIFY2(scenario.Set(QStringLiteral("version_key"), versionKey, &error),
                 qPrintable(error));
    QVERIFY(start(scenario));
    QCOMPARE(key(0x00), QByteArray(1, char(0x70 + data.size())) + char(0x95) + data);
}

// A menu left alone closes by itself: the status says the display changed
// until the controller reads it, and the reading shows the menu closed.
void TestSimPanel::menuTimesOutAndSaysSo()
{
    xrsim::Scenario scenario;
    scenario.menuTimeoutMs = 5000;
    QVERIFY(start(scenario));
    key(0x01);
    recorder.AdvanceClock(4000);
    QCOMPARE(statusByte(0) & 0x20, 0);
    QCOMPARE(quint8(key(0x02).at(2)), quint8(0xC0));
    recorder.AdvanceClock(4000);
    QCOMPARE(statusByte(0) & 0x20, 0);
    recorder.AdvanceClock(1500);
    QCOMPARE(statusByte(0) & 0x20, 0x20);
    QCOMPARE(key(0x07), panel(kLowerLine, ""));
    QCOMPARE(statusByte(0) & 0x20, 0);

    // Without a time-out the menu stays open.
    QVERIFY(start());
    key(0x09);
    recorder.AdvanceClock(600000);
    QCOMPARE(statusByte(0) & 0x20, 0);
    QCOMPARE(key(0x07), panel(0xC0, "No segments"));
}

QTEST_GUILESS_MAIN(TestSimPanel)
#include "tst_simpanel.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// Delay mode against the simulated recorder: arming with Shift and Esc, the
// entry shown with Up, a delay typed after Toggle, its start with Enter (the
// recorder side records, the player side plays back once the delay has
// passed, also when the clock passes 2^32 ms meanwhile), and its end with Esc
// on "Off". The delay's arithmetic and the entries that start nothing.

#include "panelfixture.h"
#include "testclock.h"

#include "devices/devicerecord.h"

#include <QTest>

using namespace wire;

namespace {

// The frames that move the recorder, without the senses and setup reads
// that accompany them.
QList<QByteArray> Moves(const QList<QByteArray> &frames)
{
    static const QList<QByteArray> kMoves = {
        Stop, Play, Record, CueToZero, EditPreset(0x17), RecorderSide, PlayerSide};
    QList<QByteArray> moves;
    for (const QByteArray &frame : frames) {
        if (kMoves.contains(frame))
            moves << frame;
    }
    return moves;
}

// Shift held while Esc is clicked arms Delay mode on a recorder with a
// player side.
void ArmDelayMode(PanelFixture &panel)
{
    QTest::keyPress(panel.window.get(), Qt::Key_Shift, Qt::ShiftModifier);
    panel.Key("pbEsc")->click();
    QTest::keyRelease(panel.window.get(), Qt::Key_Shift, Qt::ShiftModifier);
}

// From an armed Esc key: the entry shown, a new delay typed over it.
void TypeDelay(PanelFixture &panel, const char *digits)
{
    panel.Key("pbMenuUp")->click();
    panel.Key("pbToggle")->click();
    for (const char *digit = digits; *digit; ++digit) {
        const char name[] = {'p', 'b', *digit, '\0'};
        panel.Key(name)->click();
    }
}

bool PlaysBack(PanelFixture &panel)
{
    return panel.Tick().contains(Play);
}

} // namespace

class DelayModeTest : public QObject
{
    Q_OBJECT

private slots:
    void delayCountsFramesByStandard();
    void shiftEscArmsAndAPlainKeyDisarms();
    void delayModeRunsAndEnds();
    void playbackWaitsAcrossTheClockWrap();
    void entriesThatStartNothing();
    void enterWhileRunningStartsNothing();
    void pageZeroIsWrittenOnlyWhenReadWhole();
};

// 00:00:10:12 is ten seconds and twelve frames: 40 ms each at 25 frames a
// second, 33 ms at 30. Anything but "hh:mm:ss:ff" gives no delay at all.
void DelayModeTest::delayCountsFramesByStandard()
{
    QCOMPARE(MenuKeys::DelayFromText(QStringLiteral("00:00:10:12"), true), quint64(10480));
    QCOMPARE(MenuKeys::DelayFromText(QStringLiteral("00:00:10:12"), false), quint64(10396));
    QCOMPARE(MenuKeys::DelayFromText(QStringLiteral("01:02:03:00"), true), quint64(3723000));
    for (const char *text : {"00:00:10", "0:00:10:12", "00:0a:10:12", "00:00:10:12 ", "Off", "",
                             "00-00-10-12", "00:00:10:1"})
        QVERIFY2(!MenuKeys::DelayFromText(QLatin1String(text), true), text);
}

// The Esc key becomes a toggle key with Shift held, from the keyboard's
// Shift+Esc too; a key pressed without Shift that no key of the panel takes
// makes it a plain key again.
void DelayModeTest::shiftEscArmsAndAPlainKeyDisarms()
{
    PanelFixture panel("127.0.43.1");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.window->show();
    QVERIFY(QTest::qWaitForWindowActive(panel.window.get()));
    QPushButton *esc = panel.Key("pbEsc");

    QTest::keyClick(panel.window.get(), Qt::Key_Escape, Qt::ShiftModifier);
    QVERIFY(esc->isCheckable());
    QTest::keyClick(panel.window.get(), Qt::Key_Q);
    QVERIFY(!esc->isCheckable());

    ArmDelayMode(panel);
    QVERIFY(esc->isCheckable());

    // A recorder without a player side cannot run Delay mode.
    QTest::keyClick(panel.window.get(), Qt::Key_Q);
    panel.Answer(6, 0xC0, SenseReturn(0xC0, QByteArray(14, '\0') + char(0x50)));
    ArmDelayMode(panel);
    QVERIFY(!esc->isCheckable());
}

// Started on the player side: the recorder side records from the start of
// its material, the player side plays back on the first tick after the
// delay and once only. Esc on "Off" ends the playback on the player side,
// and, on the recorder side, the recording too.
void DelayModeTest::delayModeRunsAndEnds()
{
    PanelFixture panel("127.0.43.2");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Key("pbP")->click();
    QCOMPARE(recPlayMode, 1);
    TestClock clock(1000);

    ArmDelayMode(panel);
    panel.Key("pbMenuUp")->click();
    QVERIFY(CurrentDevice->delayMenuMode);
    QCOMPARE(panel.Upper()->text(), QStringLiteral("   Delay mode       "));
    QCOMPARE(panel.Lower()->text(), QStringLiteral("Off"));
    panel.Key("pbToggle")->click();
    QCOMPARE(panel.Lower()->text(), QStringLiteral("00:00:00:00"));
    for (const char *digit : {"pb0", "pb0", "pb0", "pb0", "pb1", "pb0", "pb1", "pb2"})
        panel.Key(digit)->click();
    QCOMPARE(panel.Lower()->text(), QStringLiteral("00:00:10:12"));

    const QList<QByteArray> started = panel.Press("pbEnter");
    QCOMPARE(Moves(started), (QList<QByteArray>{CueToZero, EditPreset(0x17), RecorderSide,
                                                CueToZero, Record, PlayerSide}));
    QVERIFY(CurrentDevice->delayRecording);
    QVERIFY(CurrentDevice->delayPlayPending);
    QCOMPARE(recPlayMode, 1);
    QCOMPARE(panel.Lower()->text(), QStringLiteral("00:00:10:12"));
    QCOMPARE(QByteArray(CurrentDevice->delayText.data()), QByteArray("00:00:10:12"));

    // The recorder reports a 25-frame standard: the delay is 10480 ms.
    clock.Advance(10000);
    QVERIFY(!PlaysBack(panel));
    clock.Advance(480);
    QVERIFY(PlaysBack(panel));
    QVERIFY(!PlaysBack(panel));

    // The player side: its entry shows the delay; Toggle shows "Off", and
    // Esc then stops the playback alone.
    ArmDelayMode(panel);
    panel.Key("pbMenuUp")->click();
    QCOMPARE(panel.Lower()->text(), QStringLiteral("00:00:10:12"));
    panel.Key("pbToggle")->click();
    QCOMPARE(panel.Lower()->text(), QStringLiteral("Off"));
    QCOMPARE(Moves(panel.Press("pbEsc")), QList<QByteArray>{Stop});
    QVERIFY(!CurrentDevice->delayPlayPending);
    QVERIFY(CurrentDevice->delayRecording);

    // The recorder side: both sides stop and the panel ends on R.
    panel.Key("pbR")->click();
    ArmDelayMode(panel);
    panel.Key("pbMenuUp")->click();
    QCOMPARE(panel.Lower()->text(), QStringLiteral("00:00:10:12"));
    panel.Key("pbToggle")->click();
    QCOMPARE(Moves(panel.Press("pbEsc")),
             (QList<QByteArray>{Stop, PlayerSide, Stop, RecorderSide}));
    QVERIFY(!CurrentDevice->delayRecording);
    QCOMPARE(recPlayMode, 0);
    QVERIFY(!CurrentDevice->delayMenuMode);
}

// A control station runs for months: a delay that starts shortly before the
// millisecond count passes 2^32 still ends after its length, not before and
// not never.
void DelayModeTest::playbackWaitsAcrossTheClockWrap()
{
    PanelFixture panel("127.0.43.3");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Key("pbP")->click();
    TestClock clock(TestClock::kWrap32 - 5000);
    ArmDelayMode(panel);
    TypeDelay(panel, "00001012");
    panel.Key("pbEnter")->click();
    QVERIFY(CurrentDevice->delayPlayPending);

    clock.Advance(5100);
    QVERIFY(NowMs() > TestClock::kWrap32);
    QVERIFY(!PlaysBack(panel));
    clock.Advance(5400);
    QVERIFY(PlaysBack(panel));
}

// Enter on the entry starts nothing while it shows "Off", the zero time, or
// a text that is no complete time; Toggle with Delay mode off offers "Off".
void DelayModeTest::entriesThatStartNothing()
{
    PanelFixture panel("127.0.43.4");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    ArmDelayMode(panel);
    TypeDelay(panel, "");
    QVERIFY(panel.Press("pbEnter").isEmpty());

    panel.Key("pbToggle")->click();
    QCOMPARE(panel.Lower()->text(), QStringLiteral("Off"));
    QVERIFY(panel.Press("pb5").isEmpty());
    QCOMPARE(panel.Lower()->text(), QStringLiteral("Off"));
    QVERIFY(panel.Press("pbEnter").isEmpty());

    for (const char *text : {"00:00:10", "00:0A:10:12"}) {
        CurrentDevice->delayMenuMode = 1;
        panel.Lower()->setText(QLatin1String(text));
        QVERIFY2(panel.Press("pbEnter").isEmpty(), text);
        QVERIFY(!CurrentDevice->delayRecording);
    }
}

// Once Delay mode records, Enter on its entry starts nothing: not on the
// recorder side, where the entry shows the running delay, nor on the player
// side with a new delay typed. Either would cue the recording side to zero
// and record again.
void DelayModeTest::enterWhileRunningStartsNothing()
{
    PanelFixture panel("127.0.43.7");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    ArmDelayMode(panel);
    TypeDelay(panel, "00000100");
    QVERIFY(Moves(panel.Press("pbEnter")).contains(Record));
    QVERIFY(CurrentDevice->delayRecording);

    ArmDelayMode(panel);
    panel.Key("pbMenuUp")->click();
    QCOMPARE(panel.Lower()->text(), QStringLiteral("00:00:01:00"));
    QVERIFY(Moves(panel.Press("pbEnter")).isEmpty());
    panel.Key("pbEsc")->click();

    panel.Key("pbP")->click();
    ArmDelayMode(panel);
    TypeDelay(panel, "00000200");
    QCOMPARE(panel.Lower()->text(), QStringLiteral("00:00:02:00"));
    QVERIFY(Moves(panel.Press("pbEnter")).isEmpty());
    QVERIFY(CurrentDevice->delayRecording);
    QVERIFY(!CurrentDevice->delayPlayPending);
}

// Delay mode needs byte 1 of the recorder's setup page 0 set: a page read
// whole with it clear is written back with it set, and applied. A page that
// comes back short is left alone: written back, the settings it did not
// bring would turn to zeros.
void DelayModeTest::pageZeroIsWrittenOnlyWhenReadWhole()
{
    const auto writes = [](const QList<QByteArray> &frames) {
        QList<QByteArray> kept;
        for (const QByteArray &frame : frames) {
            if (frame.startsWith("\x4F\xC0") || frame.startsWith("\x41\xC1"))
                kept << frame;
        }
        return kept;
    };
    QByteArray page(15, '\0'); // the page number, then the page's 14 bytes
    page[3] = 0x12;
    page[14] = char(0x54); // one recorder and one player
    QByteArray written = page;
    written[2] = char(0xFF);

    PanelFixture panel("127.0.43.5");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Answer(6, 0xC0, SenseReturn(0xC0, page));
    ArmDelayMode(panel);
    TypeDelay(panel, "00000100");
    QCOMPARE(writes(panel.Press("pbEnter")),
             (QList<QByteArray>{WireFrame("\x4F\xC0" + written), WireFrame({0x41, 0xC1, 0x00})}));
    panel.CloseWindow();

    PanelFixture shortPage("127.0.43.6");
    QVERIFY2(shortPage.Connect(), qPrintable(shortPage.Error()));
    ArmDelayMode(shortPage);
    TypeDelay(shortPage, "00000100");
    shortPage.Answer(6, 0xC0, SenseReturn(0xC0, page.left(6)));
    QVERIFY(writes(shortPage.Press("pbEnter")).isEmpty());
}

QTEST_MAIN(DelayModeTest)
#include "tst_delaymode.moc"

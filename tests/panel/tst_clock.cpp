// SPDX-License-Identifier: GPL-3.0-or-later
// The program's millisecond clock across the point where a 32-bit count
// would wrap (49.7 days after start): readings go on rising, and the waits
// measured with it, a pause and a recorder's reply timeout, last as long as
// they should, neither ending at once nor hanging.

#include "panelfixture.h"
#include "testclock.h"

#include "devices/devicerecord.h"

#include <QElapsedTimer>
#include <QTest>

using namespace wire;

class ClockTest : public QObject
{
    Q_OBJECT

private slots:
    void readingsRisePastThirtyTwoBits();
    void pauseAcrossTheWrap();
    void replyTimeoutAcrossTheWrap();
};

void ClockTest::readingsRisePastThirtyTwoBits()
{
    TestClock clock(TestClock::kWrap32 - 1);
    const quint64 before = NowMs();
    clock.Advance(2);
    QVERIFY(NowMs() > before);
    QVERIFY(NowMs() > TestClock::kWrap32);
    QVERIFY(ElapsedMs(before) >= 2);
    QVERIFY(ElapsedMs(before) < 1000);
}

// A pause that starts 20 ms before the 32-bit boundary ends after its full
// length, by the clock and by the wall.
void ClockTest::pauseAcrossTheWrap()
{
    TestClock clock(TestClock::kWrap32 - 20);
    const quint64 start = NowMs();
    QElapsedTimer wall;
    wall.start();
    DelayMs(60);
    QVERIFY(wall.elapsed() >= 60);
    QVERIFY(ElapsedMs(start) >= 60);
    QVERIFY(NowMs() > TestClock::kWrap32);
}

// A key whose reply never comes waits out the link's timeout across the
// boundary and gives the window back; the next key is answered as usual.
void ClockTest::replyTimeoutAcrossTheWrap()
{
    PanelFixture panel("127.0.45.1");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    TestClock clock(TestClock::kWrap32 - 50);
    const quint32 timeout = CurrentDevice->link->timeoutMs;

    panel.DropReplies(1);
    QElapsedTimer wall;
    wall.start();
    QCOMPARE(panel.Press("pbStop"), QList<QByteArray>{Stop});
    QVERIFY2(wall.elapsed() >= timeout, qPrintable(QString::number(wall.elapsed())));
    QVERIFY(NowMs() > TestClock::kWrap32);

    QCOMPARE(panel.Press("pbPlay"), QList<QByteArray>{Play});
    QCOMPARE(CurrentDevice->link->errorCount, 0);
}

QTEST_MAIN(ClockTest)
#include "tst_clock.moc"

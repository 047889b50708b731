// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakelink.h"

#include "link/timing.h"

#include <QTest>

// The waits and the headed receive of the link base, driven through a
// scripted link whose input is set by the test.
class TestLinkBase : public QObject
{
    Q_OBJECT

private slots:
    void waitForReturnsAtOnceWhenDataIsThere();
    void waitForShortfallWaitsExtraAndReleases();
    void failingPollEndsWaitWithNothing();
    void receiveCopiesAtMostTheMaximum_data();
    void receiveCopiesAtMostTheMaximum();
    void receiveShortPacketIsLinkError();
    void elapsedAcrossWrapIsPresentReading();
    void delaySleepsAtLeastTheTime();
};

void TestLinkBase::waitForReturnsAtOnceWhenDataIsThere()
{
    FakeLink link;
    link.input = Bytes({1, 2, 3, 4});
    QCOMPARE(link.WaitFor(0, 200, 3), 4u);
    QCOMPARE(link.polls, 1);
    QCOMPARE(link.releases, 0);
}

void TestLinkBase::waitForShortfallWaitsExtraAndReleases()
{
    FakeLink link;
    link.input = Bytes({1, 2});
    const quint32 start = NowMs();
    QCOMPARE(link.WaitFor(0, 30, 3), 2u);
    QVERIFY(ElapsedMs(start) >= 30 + DeviceLink::kShortfallExtraMs);
    QCOMPARE(link.releases, 1);
    QVERIFY(link.input.isEmpty());
}

void TestLinkBase::failingPollEndsWaitWithNothing()
{
    FakeLink link;
    link.input = Bytes({1, 2, 3});
    link.failPoll = true;
    QCOMPARE(link.WaitFor(0, 200, 3), 0u);
    QCOMPARE(link.releases, 1);
}

void TestLinkBase::receiveCopiesAtMostTheMaximum_data()
{
    QTest::addColumn<int>("available");
    QTest::newRow("exactly header and maximum") << 10 + 4;
    QTest::newRow("more than that") << 10 + 9;
}

// The fake link has no header of its own: Read hands out the first bytes, so
// the payload seen is the first four bytes of what was waiting.
void TestLinkBase::receiveCopiesAtMostTheMaximum()
{
    QFETCH(int, available);
    FakeLink link;
    link.input = QByteArray(available, '\x07');
    quint8 out[8] = {};
    PacketHeader header;
    QCOMPARE(link.Receive(0, out, 4, header), kStatusOk);
    QCOMPARE(out[3], 0x07);
    QCOMPARE(out[4], 0x00);
    QCOMPARE(link.releases, 1);
}

void TestLinkBase::receiveShortPacketIsLinkError()
{
    FakeLink link;
    link.input = QByteArray(10 + 3, '\x07');
    quint8 out[8] = {};
    PacketHeader header;
    QCOMPARE(link.Receive(0, out, 4, header), kStatusLinkError);
}

void TestLinkBase::elapsedAcrossWrapIsPresentReading()
{
    const quint32 now = NowMs();
    const quint32 elapsed = ElapsedMs(0xFFFFFFFFu);
    QVERIFY(elapsed >= now && elapsed <= NowMs());
}

void TestLinkBase::delaySleepsAtLeastTheTime()
{
    const quint32 start = NowMs();
    DelayMs(25);
    QVERIFY(ElapsedMs(start) >= 25);
}

QTEST_GUILESS_MAIN(TestLinkBase)
#include "tst_linkbase.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakelink.h"
#include "pseudoterminal.h"

#include "link/seriallink.h"

#include <QTest>

#include <memory>
#include <thread>

// The serial link against a pseudo-terminal: the test plays the recorder on
// the master side.
class TestSerialLink : public QObject
{
    Q_OBJECT

private slots:
    void portNamesFollowPortId();
    void hostDevicesComeFromTheEnvironment();
    void openOfMissingDeviceFails();
    void frameGoesOutBare();
    void replyArrivingInPiecesIsReadWhole();
    void releaseDrainsStaleInput();
    void closedPortIsReopenedByPoll();

private:
    std::unique_ptr<SerialLink> OpenOn(const PseudoTerminal &terminal);
};

std::unique_ptr<SerialLink> TestSerialLink::OpenOn(const PseudoTerminal &terminal)
{
    qputenv("TAVREL_COM1", terminal.SlavePath().toLocal8Bit());
    auto link = std::make_unique<SerialLink>(0);
    if (link->Open() != kStatusOk)
        return nullptr;
    return link;
}

void TestSerialLink::portNamesFollowPortId()
{
    QCOMPARE(SerialLink(0).PortName(), QStringLiteral("COM1"));
    QCOMPARE(SerialLink(1).PortName(), QStringLiteral("COM2"));
    QCOMPARE(SerialLink(7).PortName(), QStringLiteral("COM2"));
    QCOMPARE(SerialLink(1).timeoutMs, 200u);
    QCOMPARE(SerialLink(1).errorCount, 5);
}

void TestSerialLink::hostDevicesComeFromTheEnvironment()
{
    qputenv("TAVREL_COM2", "/dev/pts/77");
    QCOMPARE(SerialLink::HostDeviceFor(QStringLiteral("COM2")), QStringLiteral("/dev/pts/77"));
    qunsetenv("TAVREL_COM2");
    qunsetenv("TAVREL_COM1");
    QCOMPARE(SerialLink::HostDeviceFor(QStringLiteral("COM1")), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(SerialLink::HostDeviceFor(QStringLiteral("COM2")), QStringLiteral("/dev/ttyS1"));
}

void TestSerialLink::openOfMissingDeviceFails()
{
    qputenv("TAVREL_COM1", "/nonexistent/tty");
    SerialLink link(0);
    QCOMPARE(link.Open(), kStatusLinkError);
    QCOMPARE(link.opened, 0);
    quint32 count = 9;
    QCOMPARE(link.Poll(count, 0), kStatusOk);
    QCOMPARE(count, 0u);
}

void TestSerialLink::frameGoesOutBare()
{
    PseudoTerminal terminal;
    QVERIFY(terminal.IsValid());
    auto link = OpenOn(terminal);
    QVERIFY(link);
    quint32 length = 3;
    const quint8 frame[3] = {0x20, 0x01, 0x21};
    QCOMPARE(link->Send(length, frame, kPacketTypeFrame), kStatusOk);
    QCOMPARE(terminal.Read(3, 500), Bytes({0x20, 0x01, 0x21}));
}

void TestSerialLink::replyArrivingInPiecesIsReadWhole()
{
    PseudoTerminal terminal;
    QVERIFY(terminal.IsValid());
    auto link = OpenOn(terminal);
    QVERIFY(link);
    terminal.Write(Bytes({0x72}));
    std::thread lateHalf([&terminal] {
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        terminal.Write(Bytes({0x36, 0x01, 0x02, 0xAB}));
    });
    const quint32 count = link->WaitFor(0, 500, 5);
    lateHalf.join();
    QCOMPARE(count, 5u);
    quint8 reply[5] = {};
    quint32 length = 5;
    link->Read(length, reply, 0);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(reply), 5), Bytes({0x72, 0x36, 1, 2, 0xAB}));
}

void TestSerialLink::releaseDrainsStaleInput()
{
    PseudoTerminal terminal;
    QVERIFY(terminal.IsValid());
    auto link = OpenOn(terminal);
    QVERIFY(link);
    terminal.Write(QByteArray(300, '\x55'));
    QTest::qWait(30);
    link->Release(0);
    quint32 count = 99;
    link->Poll(count, 0);
    QCOMPARE(count, 0u);
}

void TestSerialLink::closedPortIsReopenedByPoll()
{
    PseudoTerminal terminal;
    QVERIFY(terminal.IsValid());
    auto link = OpenOn(terminal);
    QVERIFY(link);
    link->Close();
    quint32 count = 0;
    link->Poll(count, 0);
    terminal.Write(Bytes({0x10, 0x01, 0x11}));
    QCOMPARE(link->WaitFor(0, 500, 3), 3u);
}

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"

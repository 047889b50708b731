// SPDX-License-Identifier: GPL-3.0-or-later
// A recorder that answers the panel's keys badly: text placed beyond the
// display's 20 columns or running past its end, a refusal, a frame of
// another group, no answer at all. The display never holds more than its 20
// characters, and every key gives the window back after the reply waits.

#include "panelfixture.h"

#include "devices/devicerecord.h"

#include <QTest>

using namespace wire;

namespace {

constexpr int kLineWidth = 20;
const QByteArray kFourteen("ABCDEFGHIJKLMN");

// Both lines as the display holds them and as it shows them are no wider
// than the display.
bool WithinTheDisplay(const PanelFixture &panel)
{
    return panel.window->TimeLine().size() == kLineWidth &&
           panel.window->MenuLine().size() == kLineWidth &&
           panel.Upper()->text().size() <= kLineWidth && panel.Lower()->text().size() <= kLineWidth;
}

} // namespace

class BadAnswersTest : public QObject
{
    Q_OBJECT

private slots:
    void textIsCutAtTheDisplaysEnd();
    void refusedOrMissingAnswers();
};

// The text goes where the first byte places it and stops at the 20th
// column; text placed beyond it is not shown at all.
void BadAnswersTest::textIsCutAtTheDisplaysEnd()
{
    PanelFixture panel("127.0.46.1");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));

    panel.DisplayAnswer(char(0xCA) + kFourteen); // lower line, column 10
    panel.Key("pbMenuUp")->click();
    QCOMPARE(panel.window->MenuLine(), QStringLiteral("          ABCDEFGHIJ"));
    QCOMPARE(panel.Lower()->text(), QStringLiteral("ABCDEFGHIJ"));
    QVERIFY(WithinTheDisplay(panel));

    panel.DisplayAnswer(char(0x93) + kFourteen); // upper line, column 19
    panel.Key("pbMenuDown")->click();
    QCOMPARE(panel.window->TimeLine(), QString(19, u' ') + u'A');
    QCOMPARE(panel.Upper()->text(), QString(19, u' ') + u'A');
    QVERIFY(WithinTheDisplay(panel));

    panel.DisplayAnswer(char(0xD5) + kFourteen); // lower line, column 21
    panel.Key("pbMenuDown")->click();
    QCOMPARE(panel.window->MenuLine(), QString(kLineWidth, u' '));
    QVERIFY(WithinTheDisplay(panel));

    panel.DisplayAnswer(char(0xFF) + kFourteen); // lower line, column 63
    panel.Key("pbMenuDown")->click();
    QCOMPARE(panel.window->MenuLine(), QString(kLineWidth, u' '));
    QVERIFY(WithinTheDisplay(panel));
    QVERIFY(CurrentDevice->menuMode);

    // The version key's answer, 15 bytes without an end mark.
    panel.DisplayAnswer("@V4.6.4" + QByteArray(8, 'X'));
    panel.window->SendPanelKey(0);
    QVERIFY(WithinTheDisplay(panel));
    QCOMPARE(legacyFirmware, quint8(0));
}

// A refused key, a frame that is no answer to it and a missing answer all
// end the recorder's menu on the panel, as a recorder leaving its menu does;
// the keys come back after the waits, and the display stays within its
// width. The next good answer is shown again.
void BadAnswersTest::refusedOrMissingAnswers()
{
    PanelFixture panel("127.0.46.2");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));

    panel.Answer(6, 0x95, WireFrame({0x11, 0x12, 0x01})); // NAK, unknown command
    QCOMPARE(panel.Press("pbMenuUp"), (QList<QByteArray>{PanelKey(1), PanelKey(4)}));
    QVERIFY(!CurrentDevice->menuMode);
    QVERIFY(WithinTheDisplay(panel));

    // Group 8: the engine drops it and waits for a real answer.
    panel.Answer(6, 0x95, WireFrame(QByteArray("\x8F\x95\xD5") + kFourteen));
    QCOMPARE(panel.Press("pbMenuUp").size(), 2);
    QVERIFY(!CurrentDevice->menuMode);
    QVERIFY(WithinTheDisplay(panel));

    panel.ClearFaults();
    panel.Tick();
    panel.DropReplies(2);
    QCOMPARE(panel.Press("pbMenuUp").size(), 2);
    QVERIFY(!CurrentDevice->menuMode);
    QVERIFY(WithinTheDisplay(panel));
    QVERIFY(!CurrentDevice->disconnected);

    panel.DisplayAnswer(QByteArray("\xC2") + "MENU");
    panel.Key("pbMenuUp")->click();
    QVERIFY(CurrentDevice->menuMode);
    QCOMPARE(panel.Lower()->text(), QStringLiteral("MENU"));
}

QTEST_MAIN(BadAnswersTest)
#include "tst_badanswers.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The time-code keypad and the memories against the simulated recorder: a
// time typed over the upper line with the selection moving over its
// separators, Backspace, Goto and Locate with the bytes they cue to, Set TC
// answered either way, In and Out, and the keys handed to the recorder while
// its menu is open.

#include "panelfixture.h"

#include "devices/devicerecord.h"

#include <QAction>
#include <QMessageBox>
#include <QTest>

using namespace wire;

namespace {

// Cue-up with data to a time, frames first in BCD, the fifth byte zero.
QByteArray CueTo(quint8 hours, quint8 minutes, quint8 seconds, quint8 frames)
{
    return WireFrame({0x25, 0x31, frames, seconds, minutes, hours, 0x00});
}

// The recorder's time as the polling reads it: 01:02:03.04, first field.
const QByteArray kTimeReply = SenseReturn(0x04, QByteArray("\x04\x03\x02\x01", 4));

// Connects and lets one tick show the recorder's time on the display.
bool ConnectShowingTime(PanelFixture &panel)
{
    if (!panel.Connect())
        return false;
    panel.Answer(6, 0x0C, kTimeReply);
    panel.Status({});
    panel.Tick();
    return true;
}

void TypeDigits(PanelFixture &panel, const char *digits)
{
    for (const char *digit = digits; *digit; ++digit) {
        const char name[] = {'p', 'b', *digit, '\0'};
        panel.Key(name)->click();
    }
}

// Answers the next message box with the button of this text, keeping the
// box's text.
void AnswerNextBox(const QString &button, QString *text)
{
    WhenDialogOpens<QMessageBox>([button, text](QMessageBox *box) {
        *text = box->text();
        for (QAbstractButton *candidate : box->buttons()) {
            if (candidate->text() == button)
                candidate->click();
        }
    });
}

} // namespace

class KeypadTest : public QObject
{
    Q_OBJECT

private slots:
    void digitsTypeOverTheSeparators();
    void backspaceMovesBackWithoutErasing();
    void gotoCuesToTheTypedTime();
    void memoriesCaptureAndLocate();
    void setTimecodeAsksFirst();
    void inAndOutMarkThePoints();
    void recorderMenuTakesTheKeys();
};

// Clear starts an entry from zero with the first digit selected; each digit
// replaces the selected one and selects the next, skipping the separators; a
// ninth digit starts over at the first. The polling leaves the typed time on
// the display.
void KeypadTest::digitsTypeOverTheSeparators()
{
    PanelFixture panel("127.0.44.1");
    QVERIFY2(ConnectShowingTime(panel), qPrintable(panel.Error()));
    QCOMPARE(panel.Upper()->text(), QStringLiteral("  01:02:03.04 F1    "));

    panel.Lock(true);
    QVERIFY(panel.Press("pbclear").isEmpty());
    QCOMPARE(panel.Upper()->text(), QStringLiteral("00:00:00:00"));
    QCOMPARE(panel.Upper()->selectionStart(), 0);
    QVERIFY(panel.ModifiersOff());

    const int selectedAfter[] = {1, 3, 4, 6, 7, 9, 10, 0};
    for (int digit = 1; digit <= 8; ++digit) {
        QVERIFY(panel.Press(QByteArray("pb" + QByteArray::number(digit)).constData()).isEmpty());
        QCOMPARE(panel.Upper()->selectionStart(), selectedAfter[digit - 1]);
        QCOMPARE(panel.Upper()->selectedText().size(), 1);
    }
    QCOMPARE(panel.Upper()->text(), QStringLiteral("12:34:56:78"));
    QVERIFY(panel.Control().keypad->KeypadEntryActive());

    panel.Tick();
    QCOMPARE(panel.Upper()->text(), QStringLiteral("12:34:56:78"));

    panel.Key("pb9")->click();
    QCOMPARE(panel.Upper()->text(), QStringLiteral("92:34:56:78"));
    QCOMPARE(panel.Upper()->selectionStart(), 1);
}

// Backspace after Clear selects the frames units, the last digit; further
// presses step back over the separators, and the next digit lands on the
// digit selected. No character changes.
void KeypadTest::backspaceMovesBackWithoutErasing()
{
    PanelFixture panel("127.0.44.2");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Key("pbclear")->click();
    TypeDigits(panel, "1234");
    panel.Key("pbclear")->click();

    QVERIFY(panel.Press("pbBksp").isEmpty());
    QCOMPARE(panel.Upper()->selectionStart(), 10);
    QCOMPARE(panel.Control().keypad->DigitPosition(), 7);
    panel.Key("pbBksp")->click();
    QCOMPARE(panel.Upper()->selectionStart(), 9);
    panel.Key("pbBksp")->click();
    QCOMPARE(panel.Upper()->selectionStart(), 7);
    QCOMPARE(panel.Control().keypad->DigitPosition(), 5);
    QCOMPARE(panel.Upper()->text(), QStringLiteral("00:00:00:00"));

    panel.Key("pb4")->click();
    QCOMPARE(panel.Upper()->text(), QStringLiteral("00:00:04:00"));
    QCOMPARE(panel.Upper()->selectionStart(), 9);

    // Without an entry in progress Backspace does nothing.
    panel.Control().keypad->ResetTimecodeEntry();
    panel.Lock(true);
    QVERIFY(panel.Press("pbBksp").isEmpty());
    QVERIFY(panel.Key("pbLock")->isChecked());
}

// Goto needs a time typed: without one it sends nothing. With one it cues
// the recorder there, ends the entry and lets the polling show the time
// again.
void KeypadTest::gotoCuesToTheTypedTime()
{
    PanelFixture panel("127.0.44.3");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    QVERIFY(panel.Press("pbGoto").isEmpty());

    panel.Key("pbclear")->click();
    TypeDigits(panel, "12345678");
    panel.Lock(true);
    QCOMPARE(WithoutStatusSenses(panel.Press("pbGoto")),
             QList<QByteArray>{CueTo(0x12, 0x34, 0x56, 0x78)});
    QVERIFY(!panel.Control().keypad->KeypadEntryActive());
    QVERIFY(panel.ModifiersOff());

    panel.Answer(6, 0x0C, kTimeReply);
    panel.Tick();
    QCOMPARE(panel.Upper()->text(), QStringLiteral("  01:02:03.04 F1    "));

    // The Goto entry of the menu cues as well but leaves the entry open.
    panel.Key("pbclear")->click();
    TypeDigits(panel, "0010");
    const QList<QByteArray> sent = panel.During([&] { panel.Control().keypad->DoGoto(); });
    QCOMPARE(WithoutStatusSenses(sent), QList<QByteArray>{CueTo(0x00, 0x10, 0x00, 0x00)});
    QVERIFY(panel.Control().keypad->KeypadEntryActive());
}

// Capture copies the recorder's time, as the display last showed it, into
// the selected memory, even while a typed time stands on the display; Locate
// cues to the memory's time.
void KeypadTest::memoriesCaptureAndLocate()
{
    PanelFixture panel("127.0.44.4");
    QVERIFY2(ConnectShowingTime(panel), qPrintable(panel.Error()));

    QVERIFY(panel.Key("pbTC1")->isChecked());
    panel.Key("pbTC3")->click();
    QVERIFY(panel.Key("pbTC3")->isChecked());
    QVERIFY(!panel.Key("pbTC1")->isChecked());
    panel.Key("pbTC3")->click(); // a second press keeps it chosen
    QVERIFY(panel.Key("pbTC3")->isChecked());

    panel.Key("pbclear")->click();
    TypeDigits(panel, "99");
    QVERIFY(panel.Press("pbCapture").isEmpty());
    QCOMPARE(panel.Key("pbTC3")->text(), QStringLiteral("01:02:03.04"));
    QCOMPARE(panel.Key("pbTC1")->text(), QStringLiteral("00:00:00:00"));

    QCOMPARE(WithoutStatusSenses(panel.Press("pbLocate")),
             QList<QByteArray>{CueTo(0x01, 0x02, 0x03, 0x04)});

    // An untouched memory locates to zero.
    panel.Key("pbTC2")->click();
    QCOMPARE(WithoutStatusSenses(panel.Press("pbLocate")),
             QList<QByteArray>{CueTo(0x00, 0x00, 0x00, 0x00)});

    // Delay mode holding the side keeps Locate still.
    CurrentDevice->delayRecording = 1;
    QVERIFY(panel.Press("pbLocate").isEmpty());
}

// Set TC asks before it presets the recorder's time code. No sends nothing
// and leaves the modifiers as they were; Yes presets the typed time.
void KeypadTest::setTimecodeAsksFirst()
{
    PanelFixture panel("127.0.44.5");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Key("pbclear")->click();
    TypeDigits(panel, "01020304");
    panel.Option(true);
    QAction *setTc = panel.Action("SetTC");

    QString question;
    AnswerNextBox(QStringLiteral("&No"), &question);
    QVERIFY(panel.During([&] { setTc->trigger(); }).isEmpty());
    QCOMPARE(question, QStringLiteral("Set TC with value : 01:02:03:04 ?"));
    QVERIFY(panel.Key("pbOption")->isChecked());

    AnswerNextBox(QStringLiteral("&Yes"), &question);
    QCOMPARE(panel.During([&] { setTc->trigger(); }),
             QList<QByteArray>{WireFrame({0x44, 0x78, 0x04, 0x03, 0x02, 0x01})});
    QVERIFY(panel.ModifiersOff());
}

// The In and Out keys end a typed time before they mark the point; the menu
// entries keep it. Delay mode holding the side keeps both still.
void KeypadTest::inAndOutMarkThePoints()
{
    PanelFixture panel("127.0.44.6");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Key("pbclear")->click();
    panel.Lock(true);
    QCOMPARE(panel.Press("pbIn"), QList<QByteArray>{InEntry});
    QVERIFY(!panel.Control().keypad->KeypadEntryActive());
    QVERIFY(panel.ModifiersOff());

    panel.Key("pbclear")->click();
    QCOMPARE(panel.During([&] { panel.Action("Out")->trigger(); }), QList<QByteArray>{OutEntry});
    QVERIFY(panel.Control().keypad->KeypadEntryActive());

    CurrentDevice->delayRecording = 1;
    QVERIFY(panel.Press("pbOut").isEmpty());
    QVERIFY(panel.During([&] { panel.Action("In")->trigger(); }).isEmpty());
}

// With the recorder's menu open, the digits, Backspace, Clear and the dot go
// to the recorder as its own keys and change no text locally; the dot is no
// key of the older firmware, nor of the panel outside the menu.
void KeypadTest::recorderMenuTakesTheKeys()
{
    PanelFixture panel("127.0.44.7");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    QVERIFY(panel.Press("pbDot").isEmpty());

    CurrentDevice->menuMode = 1;
    panel.DisplayAnswer(QByteArray("\xC0", 1));
    const QString upper = panel.Upper()->text();
    QCOMPARE(panel.Press("pb5"), QList<QByteArray>{PanelKey(0x85)});
    QCOMPARE(panel.Upper()->text(), upper);
    QVERIFY(!panel.Control().keypad->KeypadEntryActive());
    QCOMPARE(panel.Press("pbBksp"), QList<QByteArray>{PanelKey(0x8E)});
    QCOMPARE(panel.Press("pbclear"), QList<QByteArray>{PanelKey(0x8F)});
    QCOMPARE(panel.Press("pbDot"), QList<QByteArray>{PanelKey(0xD0)});
    QVERIFY(CurrentDevice->menuMode);

    legacyFirmware = 1;
    QVERIFY(panel.Press("pbDot").isEmpty());
}

QTEST_MAIN(KeypadTest)
#include "tst_keypad.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "keypad.h"

#include "devices/devicerecord.h"
#include "paneldisplay.h"
#include "panelfilenames.h"
#include "panelkeycodes.h"
#include "panelmodes.h"
#include "paneltime.h"
#include "protocol/recorderstate.h"
#include "protocol/timecode.h"
#include "protocol/transportcommands.h"
#include "ui/common/recordersession.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {

using K = Keypad;
constexpr Trigger kPressed = Trigger::Pressed;
constexpr Trigger kClicked = Trigger::Clicked;

const KeyEntry<Keypad> kKeys[] = {
    {&K::pb0, "pb0", "0.png", "0", "0", kPressed, &K::OnPb0},
    {&K::pb1, "pb1", "1.png", "1", "1", kPressed, &K::OnPb1},
    {&K::pb2, "pb2", "2.png", "2", "2", kPressed, &K::OnPb2},
    {&K::pb3, "pb3", "3.png", "3", "3", kPressed, &K::OnPb3},
    {&K::pb4, "pb4", "4.png", "4", "4", kPressed, &K::OnPb4},
    {&K::pb5, "pb5", "5.png", "5", "5", kPressed, &K::OnPb5},
    {&K::pb6, "pb6", "6.png", "6", "6", kPressed, &K::OnPb6},
    {&K::pb7, "pb7", "7.png", "7", "7", kPressed, &K::OnPb7},
    {&K::pb8, "pb8", "8.png", "8", "8", kPressed, &K::OnPb8},
    {&K::pb9, "pb9", "9.png", "9", "9", kPressed, &K::OnPb9},
    {&K::pbDot, "pbDot", "dot.png", "Dot", ".", kPressed, &K::pbDot_pressed},
    {&K::pbclear, "pbclear", "Clear.png", "Clear", "C", kPressed, &K::OnPbClear},
    {&K::pbBksp, "pbBksp", "Bksp.png", "Backspace", "Ctrl+Space", kPressed, &K::OnPbBksp},
    {&K::pbIn, "pbIn", "In.png", "In", "I", kClicked, &K::pbIn_clicked},
    {&K::pbOut, "pbOut", "Out.png", "Out", "O", kClicked, &K::pbOut_pressed},
    {&K::pbGoto, "pbGoto", "Goto.png", "Goto", "G", kClicked, &K::pbGotoClicked},
};

// A time has eight digits, hours to frames; the eighth is followed by the
// first again, ten characters back in "hh:mm:ss:ff".
constexpr int kLastDigit = 7;
constexpr int kLastDigitToFirst = 10;
constexpr int kTimeBytes = 4;

// Where the digit number `n` (from 0) of the text stands, or -1.
int NthDigit(const QString &text, int n)
{
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i).isDigit() && n-- == 0)
            return i;
    }
    return -1;
}

bool DigitAt(const QString &text, int i)
{
    return i >= 0 && i < text.size() && text.at(i).isDigit();
}

bool SeparatorAt(const QString &text, int i)
{
    return i >= 0 && i < text.size() && (text.at(i) == u':' || text.at(i) == u'.');
}

// Selects one character; selecting leaves the cursor right after it.
void SelectCharacter(QLineEdit *line, int at)
{
    if (at >= 0 && at < line->text().size())
        line->setSelection(at, 1);
}

// From the selected digit to the one before it, over a separator; from the
// first digit round to the last.
void SelectPreviousDigit(QLineEdit *line)
{
    const QString text = line->text();
    const int cursor = line->cursorPosition();
    if (DigitAt(text, cursor - 2))
        SelectCharacter(line, cursor - 2);
    else if (SeparatorAt(text, cursor - 2) && DigitAt(text, cursor - 3))
        SelectCharacter(line, cursor - 3);
    else
        SelectCharacter(line, cursor + 9);
}

bool AskYesNo(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Tavrel"), question,
                    QMessageBox::NoButton, parent);
    QPushButton *yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace

Keypad::Keypad(RecorderSession &session, PanelDisplay &display, QWidget *parent)
    : QGroupBox(parent), session(session), display(display)
{
    setProperty("keyGroup", true);
    BuildKeys(*this, this, kKeys);
    LayOut();
}

std::vector<KeyInfo> Keypad::Keys()
{
    return DescribeKeys(kKeys, PanelPage::Control);
}

// Digits as on a calculator, 7 8 9 on top; the entry keys on the right.
void Keypad::LayOut()
{
    auto *grid = new QGridLayout(this);
    grid->setSpacing(4);
    QPushButton *const rows[4][4] = {{pb7, pb8, pb9, pbclear},
                                     {pb4, pb5, pb6, pbBksp},
                                     {pb1, pb2, pb3, pbGoto},
                                     {pbDot, pb0, pbIn, pbOut}};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column)
            grid->addWidget(rows[row][column], row + 1, column);
    }
}

void Keypad::ResetTimecodeEntry()
{
    keypadEntryActive = 0;
    keypadDigitPos = 0;
    session.EndSegmentEntry();
}

void Keypad::StartDelayEntry()
{
    keypadEntryActive = 1;
    keypadDigitPos = 0;
}

void Keypad::OnPb0()
{
    KeypadDigit(0);
}

void Keypad::OnPb1()
{
    KeypadDigit(1);
}

void Keypad::OnPb2()
{
    KeypadDigit(2);
}

void Keypad::OnPb3()
{
    KeypadDigit(3);
}

void Keypad::OnPb4()
{
    KeypadDigit(4);
}

void Keypad::OnPb5()
{
    KeypadDigit(5);
}

void Keypad::OnPb6()
{
    KeypadDigit(6);
}

void Keypad::OnPb7()
{
    KeypadDigit(7);
}

void Keypad::OnPb8()
{
    KeypadDigit(8);
}

void Keypad::OnPb9()
{
    KeypadDigit(9);
}

// The recorder's menu takes the digits itself. Otherwise they are typed
// over the display: the delay on the lower line in Delay mode, the file name
// there in the file browser, a time on the upper line.
void Keypad::KeypadDigit(int digit)
{
    DeviceRecord *device = session.Device();
    if (!device)
        return;
    if (RecorderMenuHoldsKeys(*device)) {
        session.SendPanelKey(static_cast<quint8>(kDigitKeyBase + digit));
        return;
    }
    if (device->fileSelectMode) {
        TypeFileDigit(*device, digit);
        return;
    }
    QLineEdit *line = device->delayMenuMode ? display.lineLCD3 : display.lineLCD1;
    if (device->delayMenuMode && line->text() == kDelayOff)
        return;
    TypeTimeDigit(line, digit);
}

// The last four characters of the name scroll left and take the digit
// (CLIP0012 and 5 give CLIP0125); the display then tells whether a file of
// that name exists.
void Keypad::TypeFileDigit(DeviceRecord &device, int digit)
{
    const QString name = NameForDigits(device);
    const QByteArray typed = (name.left(4) + name.mid(5) + QChar(u'0' + digit)).toLatin1();
    session.WriteMenuLine(typed);
    KeepPanelFileName(device, typed);
    session.WriteTimeLine(CheckPanelFileName(device));
    session.SwitchModifiersOff();
}

// The digit replaces the time digit the entry has reached; the next one is
// selected, over the separators, and after the last digit the first again.
void Keypad::TypeTimeDigit(QLineEdit *line, int digit)
{
    keypadEntryActive = 1;
    if (keypadDigitPos > kLastDigit)
        keypadDigitPos = 0;
    QString text = line->text();
    int at = NthDigit(text, keypadDigitPos);
    if (at < 0) {
        // The line shows no time to type over (a text of the recorder's):
        // the entry starts from zero.
        text = kZeroTime;
        keypadDigitPos = 0;
        at = NthDigit(text, 0);
    }
    text[at] = QChar(u'0' + digit);
    line->setText(text);
    line->setCursorPosition(at);
    int next = at + 1;
    if (keypadDigitPos == kLastDigit)
        next = at - kLastDigitToFirst;
    else if (keypadDigitPos % 2 == 1)
        next = at + 2;
    SelectCharacter(line, next);
    ++keypadDigitPos;
    session.SwitchModifiersOff();
}

void Keypad::pbDot_pressed()
{
    const DeviceRecord *device = session.Device();
    if (!device || session.DelayModeHolds() || legacyFirmware != 0)
        return;
    if (RecorderMenuHoldsKeys(*device))
        session.SendPanelKey(kDotKey);
}

void Keypad::OnPbClear()
{
    DeviceRecord *device = session.Device();
    if (!device)
        return;
    if (session.OptionOn()) {
        emit DeleteBrowserWanted();
        return;
    }
    if (device->fileSelectMode) {
        emit NewFileNameWanted();
        return;
    }
    if (AnyPanelMode(*device)) {
        session.SendPanelKey(kClearKey);
        session.SwitchModifiersOff();
        session.EndSegmentEntry();
        keypadDigitPos = 0;
        return;
    }
    keypadEntryActive = 1;
    display.lineLCD1->setText(kZeroTime);
    keypadDigitPos = 0;
    session.SwitchModifiersOff();
    display.lineLCD1->setCursorPosition(0);
    SelectCharacter(display.lineLCD1, 0);
}

// Backspace only moves the selection back one digit; the digit stays.
void Keypad::OnPbBksp()
{
    const DeviceRecord *device = session.Device();
    if (!device || session.DelayModeHolds())
        return;
    if (RecorderMenuHoldsKeys(*device)) {
        session.SendPanelKey(kBackspaceKey);
        session.SwitchModifiersOff();
        return;
    }
    if (!keypadEntryActive)
        return;
    keypadDigitPos = keypadDigitPos == 0 ? kLastDigit : keypadDigitPos - 1;
    SelectPreviousDigit(device->delayMenuMode ? display.lineLCD3 : display.lineLCD1);
    session.SwitchModifiersOff();
}

void Keypad::pbIn_clicked()
{
    EditPoint(true, true);
}

void Keypad::pbOut_pressed()
{
    EditPoint(false, true);
}

void Keypad::DoIn()
{
    EditPoint(true, false);
}

void Keypad::DoOut()
{
    EditPoint(false, false);
}

// Marks the recorder's in or out point at its present position.
void Keypad::EditPoint(bool in, bool endEntry)
{
    if (session.DelayModeHolds())
        return;
    if (endEntry)
        ResetTimecodeEntry();
    if (in)
        InEntry();
    else
        OutEntry();
    session.SwitchModifiersOff();
}

void Keypad::pbGotoClicked()
{
    if (session.DelayModeHolds())
        return;
    DoGoto();
    keypadEntryActive = 0;
    session.SwitchModifiersOff();
}

// Goes to the time typed on the upper line; without a typed time there is
// nowhere to go.
void Keypad::DoGoto()
{
    if (keypadEntryActive)
        GotoTime(ShownTime(display.lineLCD1->text()));
}

Refusal Keypad::GotoTime(const QString &time)
{
    if (!session.Device())
        return Refusal::NoRecorder;
    if (session.DelayModeHolds())
        return Refusal::DelayMode;
    QString digits = time;
    digits.remove(QLatin1Char(':'));
    if (CueToTime(digits))
        keypadDigitPos = 0;
    return Refusal::None;
}

// Presets the recorder's timecode generator to the time on the upper line,
// after the operator confirms it.
void Keypad::DoSetTC()
{
    if (!session.Device() || session.DelayModeHolds())
        return;
    const QString time = ShownTime(display.lineLCD1->text());
    if (!AskYesNo(this, QStringLiteral("Set TC with value : %1 ?").arg(time)))
        return;
    TimecodeEntry entry;
    if (PackTime(time, entry))
        TimecodePreset(kTimeBytes, entry.WireBytes());
    session.SwitchModifiersOff();
}

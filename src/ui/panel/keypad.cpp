#include "keypad.h"

#include "ui/common/recordersession.h"

#include <QGridLayout>

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

} // namespace

Keypad::Keypad(RecorderSession &session, QWidget *parent) : QGroupBox(parent), session(session)
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

void Keypad::OnPb0() {}

void Keypad::OnPb1() {}

void Keypad::OnPb2() {}

void Keypad::OnPb3() {}

void Keypad::OnPb4() {}

void Keypad::OnPb5() {}

void Keypad::OnPb6() {}

void Keypad::OnPb7() {}

void Keypad::OnPb8() {}

void Keypad::OnPb9() {}

void Keypad::pbDot_pressed() {}

void Keypad::OnPbClear() {}

void Keypad::OnPbBksp() {}

void Keypad::pbIn_clicked() {}

void Keypad::pbOut_pressed() {}

void Keypad::pbGotoClicked() {}

void Keypad::DoGoto() {}

void Keypad::DoSetTC() {}

void Keypad::DoIn() {}

void Keypad::DoOut() {}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "memories.h"

#include "keypad.h"
#include "paneldisplay.h"
#include "paneltime.h"
#include "ui/common/recordersession.h"
#include "ui/common/widgetfactory.h"

#include <QGridLayout>

#include <algorithm>

namespace {

using M = Memories;
constexpr Trigger kClicked = Trigger::Clicked;

const KeyEntry<Memories> kKeys[] = {
    {&M::pbCapture, "pbCapture", "Capture.png", "Capture", "F10", kClicked, &M::pbCapture_clicked},
    {&M::pbLocate, "pbLocate", "Locate.png", "Locate", "L", kClicked, &M::pbLocate_clicked},
};

// The memories show their times as text, not pictures.
struct MemoryKey
{
    QPushButton *Memories::*button;
    const char *name;
    const char *accessibleName;
    void (Memories::*slot)();
};

const MemoryKey kMemoryKeys[Memories::kMemoryCount] = {
    {&M::pbTC1, "pbTC1", "Memory 1", &M::pbTC1_clicked},
    {&M::pbTC2, "pbTC2", "Memory 2", &M::pbTC2_clicked},
    {&M::pbTC3, "pbTC3", "Memory 3", &M::pbTC3_clicked},
    {&M::pbTC4, "pbTC4", "Memory 4", &M::pbTC4_clicked},
};

} // namespace

Memories::Memories(RecorderSession &session, const PanelDisplay &display, Keypad &keypad,
                   QWidget *parent)
    : QWidget(parent), session(session), display(display), keypad(keypad)
{
    setObjectName(QStringLiteral("tab_3"));
    BuildMemoryKeys();
    BuildKeys(*this, this, kKeys);
    LayOut();
}

std::vector<KeyInfo> Memories::Keys()
{
    return DescribeKeys(kKeys, PanelPage::Control);
}

void Memories::BuildMemoryKeys()
{
    for (const MemoryKey &entry : kMemoryKeys) {
        auto *button = NewNamed<QPushButton>(this, entry.name);
        button->setProperty("memory", true);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setText(QStringLiteral("00:00:00:00"));
        Describe(button, entry.accessibleName);
        connect(button, &QPushButton::clicked, this, entry.slot);
        this->*entry.button = button;
    }
    pbTC1->setChecked(true);
    selectedMemory = pbTC1;
}

void Memories::LayOut()
{
    auto *grid = new QGridLayout(this);
    grid->setSpacing(4);
    grid->addWidget(pbTC1, 0, 0);
    grid->addWidget(pbTC2, 0, 1);
    grid->addWidget(pbTC3, 1, 0);
    grid->addWidget(pbTC4, 1, 1);
    grid->addWidget(pbCapture, 0, 2);
    grid->addWidget(pbLocate, 1, 2);
    grid->setRowStretch(2, 1);
}

// One memory is chosen at a time.
void Memories::SelectMemory(QPushButton *memory)
{
    for (const MemoryKey &entry : kMemoryKeys) {
        QPushButton *button = this->*entry.button;
        button->setChecked(button == memory);
    }
    selectedMemory = memory;
}

void Memories::pbTC1_clicked()
{
    SelectMemory(pbTC1);
}

void Memories::pbTC2_clicked()
{
    SelectMemory(pbTC2);
}

void Memories::pbTC3_clicked()
{
    SelectMemory(pbTC3);
}

void Memories::pbTC4_clicked()
{
    SelectMemory(pbTC4);
}

// Keeps the time the recorder last showed, as the display wrote it
// ("01:02:03.04"), whatever a typed time shows over it.
void Memories::pbCapture_clicked()
{
    CaptureSelected();
}

Refusal Memories::CaptureSelected()
{
    if (!session.Device())
        return Refusal::NoRecorder;
    selectedMemory->setText(ShownTime(display.TimecodeTemplate()));
    return Refusal::None;
}

void Memories::pbLocate_clicked()
{
    LocateSelected();
}

Refusal Memories::LocateSelected()
{
    if (!session.Device())
        return Refusal::NoRecorder;
    if (session.DelayModeHolds())
        return Refusal::DelayMode;
    QString time = selectedMemory->text();
    time.remove(QLatin1Char(':')).remove(QLatin1Char('.'));
    if (CueToTime(time))
        keypad.RestartDigits();
    return Refusal::None;
}

QPushButton *Memories::Memory(int memory) const
{
    return this->*kMemoryKeys[std::clamp(memory, 1, kMemoryCount) - 1].button;
}

Refusal Memories::Capture(int memory)
{
    SelectMemory(Memory(memory));
    return CaptureSelected();
}

Refusal Memories::Locate(int memory)
{
    SelectMemory(Memory(memory));
    return LocateSelected();
}

QString Memories::MemoryText(int memory) const
{
    return Memory(memory)->text();
}

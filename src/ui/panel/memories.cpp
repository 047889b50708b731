#include "memories.h"

#include "ui/common/recordersession.h"
#include "ui/common/widgetfactory.h"

#include <QGridLayout>

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

const MemoryKey kMemoryKeys[] = {
    {&M::pbTC1, "pbTC1", "Memory 1", &M::pbTC1_clicked},
    {&M::pbTC2, "pbTC2", "Memory 2", &M::pbTC2_clicked},
    {&M::pbTC3, "pbTC3", "Memory 3", &M::pbTC3_clicked},
    {&M::pbTC4, "pbTC4", "Memory 4", &M::pbTC4_clicked},
};

} // namespace

Memories::Memories(RecorderSession &session, QWidget *parent) : QWidget(parent), session(session)
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

void Memories::pbTC1_clicked() {}

void Memories::pbTC2_clicked() {}

void Memories::pbTC3_clicked() {}

void Memories::pbTC4_clicked() {}

void Memories::pbCapture_clicked() {}

void Memories::pbLocate_clicked() {}

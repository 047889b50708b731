#include "controlpage.h"

#include "panelbuttons.h"
#include "widgetfactory.h"

#include <QDial>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStackedLayout>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The recorder's meters show twelve segments; the levels run to 15, and the
// panel shows anything above the scale as full.
constexpr int kMeterSteps = 12;

QWidget *BuildMeters(QWidget *parent, ControlPage &p)
{
    auto *box = new QWidget(parent);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    for (int channel = 0; channel < 8; ++channel) {
        const QByteArray name = "A" + QByteArray::number(channel + 1);
        auto *meter = NewNamed<QProgressBar>(box, name.constData());
        meter->setOrientation(Qt::Vertical);
        meter->setRange(0, kMeterSteps);
        meter->setValue(0);
        meter->setTextVisible(false);
        meter->setFixedWidth(9);
        p.meters[channel] = meter;
        auto *label = NewLabel(box, ("textLabel" + name).constData());
        label->setProperty("meterLabel", true);
        grid->addWidget(meter, 0, channel, Qt::AlignHCenter);
        grid->addWidget(label, 1, channel, Qt::AlignHCenter);
    }
    return box;
}

QWidget *BuildDisplay(QWidget *parent, ControlPage &p)
{
    auto *group = NewNamed<QGroupBox>(parent, "buttonGroup4");
    group->setProperty("display", true);
    auto *row = new QHBoxLayout(group);
    row->addLayout(NewDisplayLines(group, "lineLCD1", "lineLCD3", p.lineLCD1, p.lineLCD3), 1);
    row->addWidget(BuildMeters(group, p));
    return group;
}

QWidget *BuildTransport(QWidget *parent, ControlPage &p)
{
    auto *group = new QGroupBox(parent);
    group->setProperty("keyGroup", true);
    auto *grid = new QGridLayout(group);
    grid->setSpacing(4);
    p.pbLock = MakePanelButton(group, "pbLock");
    p.pbOption = MakePanelButton(group, "pbOption");
    p.pbBack = MakePanelButton(group, "pbBack");
    p.pbFor = MakePanelButton(group, "pbFor");
    p.pbStop = MakePanelButton(group, "pbStop");
    p.pbPlay = MakePanelButton(group, "pbPlay");
    p.pbRecord = MakePanelButton(group, "pbRecord");
    p.pbR = MakePanelButton(group, "pbR");
    p.pbP = MakePanelButton(group, "pbP");
    p.pbRemoteLocal = MakePanelButton(group, "pbRemoteLocal");
    p.pbOffLtc = MakePanelButton(group, "pbOffLtc");
    p.pbATTC = MakePanelButton(group, "pbATTC");
    p.pbLock->setCheckable(true);
    p.pbOption->setCheckable(true);

    // The sides on the left; the modifiers above the keys they change,
    // Option over Play and Lock over Record; the status keys below.
    grid->addWidget(p.pbR, 0, 0, Qt::AlignCenter);
    grid->addWidget(p.pbP, 0, 1, Qt::AlignCenter);
    grid->addWidget(p.pbOption, 0, 3, Qt::AlignCenter);
    grid->addWidget(p.pbLock, 0, 4, Qt::AlignCenter);
    grid->addWidget(p.pbBack, 1, 0);
    grid->addWidget(p.pbFor, 1, 1);
    grid->addWidget(p.pbStop, 1, 2);
    grid->addWidget(p.pbPlay, 1, 3, Qt::AlignCenter);
    grid->addWidget(p.pbRecord, 1, 4, Qt::AlignCenter);

    auto *status = new QHBoxLayout;
    status->setSpacing(4);
    status->addWidget(p.pbRemoteLocal);
    status->addWidget(p.pbOffLtc);
    status->addWidget(p.pbATTC);
    grid->addLayout(status, 2, 0, 1, 5);
    return group;
}

QWidget *BuildModeButton(QWidget *parent, QPushButton *&button, const char *name,
                         const char *labelName)
{
    auto *box = new QWidget(parent);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    button = MakePanelButton(box, name);
    row->addWidget(button);
    row->addWidget(NewLabel(box, labelName));
    return box;
}

// The dial and the slow-motion slider share one place: slow motion hides the
// dial and shows the slider with its five speed marks.
QWidget *BuildSlider(QWidget *parent, ControlPage &p)
{
    auto *box = new QWidget(parent);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    p.slider = NewNamed<QSlider>(box, "slider");
    p.slider->setOrientation(Qt::Vertical);
    p.slider->setRange(-60, 60);
    p.slider->setSingleStep(1);
    p.slider->setValue(0);
    p.slider->setTickPosition(QSlider::NoTicks);
    p.slider->setInvertedAppearance(true); // -60 at the top end
    p.slider->setFocusPolicy(Qt::NoFocus);
    auto *marks = new QVBoxLayout;
    marks->setSpacing(0);
    // From top to bottom: +200 %, +100 %, 0 %, -100 %, -200 %.
    struct Mark
    {
        const char *name;
        int index; // in sliderTxt
    };
    const Mark order[] = {{"sliderTxt1", 0},
                          {"sliderTxt4", 3},
                          {"sliderTxt2", 1},
                          {"sliderTxt5", 4},
                          {"sliderTxt3", 2}};
    for (const Mark &mark : order) {
        if (mark.index != 0)
            marks->addStretch(1);
        p.sliderTxt[mark.index] = NewLabel(box, mark.name);
        marks->addWidget(p.sliderTxt[mark.index]);
    }
    row->addWidget(p.slider);
    row->addLayout(marks);
    for (QLabel *mark : p.sliderTxt)
        mark->hide();
    p.slider->hide();
    return box;
}

QWidget *BuildSpeed(QWidget *parent, ControlPage &p)
{
    auto *group = new QGroupBox(parent);
    group->setProperty("keyGroup", true);
    auto *column = new QVBoxLayout(group);
    column->setSpacing(2);
    column->addWidget(BuildModeButton(group, p.rbJog, "rbJog", "textLabel4_2"));
    column->addWidget(BuildModeButton(group, p.rbShuttle, "rbShuttle", "textLabel5"));
    column->addWidget(BuildModeButton(group, p.rbSloMo, "rbSloMo", "textLabel6"));

    p.potent = NewNamed<QDial>(group, "potent");
    p.potent->setRange(-120, 120);
    p.potent->setWrapping(false);
    p.potent->setNotchTarget(10.0);
    p.potent->setNotchesVisible(true);
    p.potent->setValue(0);
    p.potent->setFocusPolicy(Qt::NoFocus);
    p.potent->setMinimumSize(96, 96);
    auto *place = new QHBoxLayout;
    place->addWidget(p.potent, 1);
    place->addWidget(BuildSlider(group, p));
    column->addLayout(place, 1);
    return group;
}

// Laid out as a cross: Up and Down around Toggle, the minus and plus keys
// beside it, Recall and Save above, Esc and Enter below.
QWidget *BuildMenuKeys(QWidget *parent, ControlPage &p)
{
    auto *group = NewNamed<QGroupBox>(parent, "groupBox4");
    group->setProperty("keyGroup", true);
    auto *grid = new QGridLayout(group);
    grid->setSpacing(4);
    p.pbRecall = MakePanelButton(group, "pbRecall");
    p.pbMenuUp = MakePanelButton(group, "pbMenuUp");
    p.pbSav = MakePanelButton(group, "pbSav");
    p.pbmoinsmoins = MakePanelButton(group, "pbmoinsmoins");
    p.pbToggle = MakePanelButton(group, "pbToggle");
    p.pbPlusPlus = MakePanelButton(group, "pbPlusPlus");
    p.pbEsc = MakePanelButton(group, "pbEsc");
    p.pbMenuDown = MakePanelButton(group, "pbMenuDown");
    p.pbEnter = MakePanelButton(group, "pbEnter");
    grid->addWidget(NewLabel(group, "textLabel1"), 0, 0, 1, 2);
    grid->addWidget(NewLabel(group, "textLabel1_4"), 0, 2, Qt::AlignRight);
    QPushButton *const keys[3][3] = {{p.pbRecall, p.pbMenuUp, p.pbSav},
                                     {p.pbmoinsmoins, p.pbToggle, p.pbPlusPlus},
                                     {p.pbEsc, p.pbMenuDown, p.pbEnter}};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col)
            grid->addWidget(keys[row][col], row + 1, col);
    }
    return group;
}

QWidget *BuildKeypad(QWidget *parent, ControlPage &p)
{
    auto *group = new QGroupBox(parent);
    group->setProperty("keyGroup", true);
    auto *grid = new QGridLayout(group);
    grid->setSpacing(4);
    for (int digit = 0; digit < 10; ++digit) {
        const QByteArray name = "pb" + QByteArray::number(digit);
        p.pbDigit[digit] = MakePanelButton(group, name.constData());
    }
    p.pbDot = MakePanelButton(group, "pbDot");
    p.pbclear = MakePanelButton(group, "pbclear");
    p.pbBksp = MakePanelButton(group, "pbBksp");
    p.pbIn = MakePanelButton(group, "pbIn");
    p.pbOut = MakePanelButton(group, "pbOut");
    p.pbGoto = MakePanelButton(group, "pbGoto");
    // Digits as on a calculator, 7 8 9 on top; the entry keys on the right.
    for (int digit = 1; digit < 10; ++digit)
        grid->addWidget(p.pbDigit[digit], 3 - (digit - 1) / 3, (digit - 1) % 3);
    grid->addWidget(p.pbclear, 1, 3);
    grid->addWidget(p.pbBksp, 2, 3);
    grid->addWidget(p.pbGoto, 3, 3);
    grid->addWidget(p.pbDot, 4, 0);
    grid->addWidget(p.pbDigit[0], 4, 1);
    grid->addWidget(p.pbIn, 4, 2);
    grid->addWidget(p.pbOut, 4, 3);
    return group;
}

QWidget *BuildMemories(QWidget *parent, ControlPage &p)
{
    auto *page = NewNamed<QWidget>(parent, "tab_3");
    auto *grid = new QGridLayout(page);
    grid->setSpacing(4);
    for (int memory = 0; memory < 4; ++memory) {
        const QByteArray name = "pbTC" + QByteArray::number(memory + 1);
        auto *button = NewNamed<QPushButton>(page, name.constData());
        button->setProperty("memory", true);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setText(QStringLiteral("00:00:00:00"));
        p.pbTC[memory] = button;
        grid->addWidget(button, memory / 2, memory % 2);
    }
    p.pbTC[0]->setChecked(true);
    p.pbCapture = MakePanelButton(page, "pbCapture");
    p.pbLocate = MakePanelButton(page, "pbLocate");
    grid->addWidget(p.pbCapture, 0, 2);
    grid->addWidget(p.pbLocate, 1, 2);
    grid->setRowStretch(2, 1);
    return page;
}

QWidget *BuildNotebook(QWidget *parent, ControlPage &p)
{
    p.tabWidget3 = NewNamed<QTabWidget>(parent, "tabWidget3");
    p.tabWidget3->setFocusPolicy(Qt::NoFocus);
    auto *infoPage = NewNamed<QWidget>(p.tabWidget3, "tab_2");
    auto *infoLayout = new QVBoxLayout(infoPage);
    infoLayout->setContentsMargins(2, 2, 2, 2);
    p.lbClipInfos = NewNamed<QListWidget>(infoPage, "lbClipInfos");
    p.lbClipInfos->setFocusPolicy(Qt::NoFocus);
    infoLayout->addWidget(p.lbClipInfos);
    p.tabWidget3->addTab(infoPage, QString());
    p.tabWidget3->addTab(BuildMemories(p.tabWidget3, p), QString());
    return p.tabWidget3;
}

} // namespace

ControlPage BuildControlPage(QWidget *page)
{
    ControlPage p;
    p.page = page;
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);

    auto *left = new QVBoxLayout;
    left->setSpacing(8);
    left->addWidget(BuildDisplay(page, p));
    auto *motion = new QHBoxLayout;
    motion->setSpacing(8);
    motion->addWidget(BuildTransport(page, p));
    motion->addWidget(BuildSpeed(page, p), 1);
    left->addLayout(motion);

    auto *frame = NewNamed<QFrame>(page, "line7");
    frame->setFrameShape(QFrame::VLine);
    frame->setFrameShadow(QFrame::Sunken);

    auto *right = new QVBoxLayout;
    right->setSpacing(8);
    right->addWidget(BuildMenuKeys(page, p));
    right->addWidget(BuildKeypad(page, p));

    grid->addLayout(left, 0, 0);
    grid->addWidget(frame, 0, 1);
    grid->addLayout(right, 0, 2);
    grid->addWidget(BuildNotebook(page, p), 1, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(1, 1);
    return p;
}

#include "speedcontrol.h"

#include "ui/common/recordersession.h"
#include "ui/common/widgetfactory.h"

#include <QDial>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace {

using S = SpeedControl;
constexpr Trigger kPressed = Trigger::Pressed;

const KeyEntry<SpeedControl> kKeys[] = {
    {&S::rbJog, "rbJog", "rbu.png", "Jog", "F7", kPressed, &S::rbJog_pressed},
    {&S::rbShuttle, "rbShuttle", "rbu.png", "Shuttle", "F8", kPressed, &S::rbShuttle_pressed},
    {&S::rbSloMo, "rbSloMo", "rbu.png", "Slow motion", "F9", kPressed, &S::rbSloMo_pressed},
};

// The slider's speed marks from top to bottom, with their texts.
struct Mark
{
    QLabel *SpeedControl::*label;
    const char *name;
    const char *text;
};

const Mark kMarks[] = {
    {&S::sliderTxt1, "sliderTxt1", "+ 200%"}, {&S::sliderTxt4, "sliderTxt4", "+ 100%"},
    {&S::sliderTxt2, "sliderTxt2", "0%"},     {&S::sliderTxt5, "sliderTxt5", "- 100%"},
    {&S::sliderTxt3, "sliderTxt3", "- 200%"},
};

// The slider runs from -60 at the top to 60 at the bottom.
constexpr int kSliderEnd = 60;

QWidget *ModeRow(QWidget *parent, QPushButton *key, QLabel *label)
{
    auto *box = new QWidget(parent);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    row->addWidget(key);
    row->addWidget(label);
    return box;
}

} // namespace

SpeedControl::SpeedControl(RecorderSession &session, QWidget *parent)
    : QGroupBox(parent), session(session)
{
    setProperty("keyGroup", true);
    BuildKeys(*this, this, kKeys);
    textLabel4_2 = NewLabel(this, "textLabel4_2");
    textLabel5 = NewLabel(this, "textLabel5");
    textLabel6 = NewLabel(this, "textLabel6");
    BuildDial();
    LayOut();
    connect(potent, &QDial::valueChanged, this, &SpeedControl::potent_valueChanged);
    connect(slider, &QSlider::sliderMoved, this, &SpeedControl::slider_sliderMoved);
}

std::vector<KeyInfo> SpeedControl::Keys()
{
    return DescribeKeys(kKeys, PanelPage::Control);
}

void SpeedControl::languageChange()
{
    textLabel4_2->setText(QStringLiteral("Jog"));
    textLabel5->setText(QStringLiteral("Shuttle"));
    textLabel6->setText(QStringLiteral("Slo Mo"));
    for (const Mark &mark : kMarks)
        (this->*mark.label)->setText(QLatin1String(mark.text));
}

void SpeedControl::BuildDial()
{
    potent = NewNamed<QDial>(this, "potent");
    potent->setRange(-120, 120);
    potent->setWrapping(false);
    potent->setNotchTarget(10.0);
    potent->setNotchesVisible(true);
    potent->setValue(0);
    potent->setFocusPolicy(Qt::NoFocus);
    potent->setMinimumSize(96, 96);
    Describe(potent, "Dial");
}

// The dial and the slow-motion slider share one place: slow motion hides the
// dial and shows the slider with its five speed marks.
QWidget *SpeedControl::BuildSlider()
{
    auto *box = new QWidget(this);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    slider = NewNamed<QSlider>(box, "slider");
    slider->setOrientation(Qt::Vertical);
    slider->setRange(-kSliderEnd, kSliderEnd);
    slider->setSingleStep(1);
    slider->setValue(0);
    slider->setTickPosition(QSlider::NoTicks);
    slider->setInvertedAppearance(true); // -60 at the top end
    slider->setFocusPolicy(Qt::NoFocus);
    slider->hide();
    Describe(slider, "Slow motion speed");
    auto *marks = new QVBoxLayout;
    marks->setSpacing(0);
    for (const Mark &mark : kMarks) {
        if (mark.label != kMarks[0].label)
            marks->addStretch(1);
        QLabel *label = NewLabel(box, mark.name);
        label->hide();
        marks->addWidget(label);
        this->*mark.label = label;
    }
    row->addWidget(slider);
    row->addLayout(marks);
    return box;
}

void SpeedControl::LayOut()
{
    auto *column = new QVBoxLayout(this);
    column->setSpacing(2);
    column->addWidget(ModeRow(this, rbJog, textLabel4_2));
    column->addWidget(ModeRow(this, rbShuttle, textLabel5));
    column->addWidget(ModeRow(this, rbSloMo, textLabel6));
    auto *place = new QHBoxLayout;
    place->addWidget(potent, 1);
    place->addWidget(BuildSlider());
    column->addLayout(place, 1);
}

void SpeedControl::rbJog_pressed() {}

void SpeedControl::rbShuttle_pressed() {}

void SpeedControl::rbSloMo_pressed() {}

void SpeedControl::potent_valueChanged(int) {}

void SpeedControl::slider_sliderMoved(int) {}

// SPDX-License-Identifier: GPL-3.0-or-later
// Jog, shuttle and slow motion against the simulated recorder: the speed
// bytes at the edges of each speed table, jog steps (also across the top of
// the wheel), the mode keys' own set-ups, and the transport word the dial's
// mode gives the recorder's shuttle status.

#include "panelfixture.h"

#include "ui/panel/speedtables.h"

#include <QTest>
#include <QWheelEvent>

#include <functional>

using namespace wire;

namespace {

constexpr quint8 kForward = 0x13;
constexpr quint8 kReverse = 0x23;

// Drags the slider to a value, as the operator does.
void MoveSlider(QSlider *slider, int value)
{
    slider->setSliderDown(true);
    slider->setSliderPosition(value);
    slider->setSliderDown(false);
}

// A recorder in shuttle, with the panel's dial in shuttle mode.
bool StartShuttle(PanelFixture &panel)
{
    if (!panel.Connect())
        return false;
    panel.Status({{2, 0x20}});
    panel.Key("rbShuttle")->click();
    panel.Tick();
    return panel.window->TransportState() == 8;
}

} // namespace

class SpeedControlTest : public QObject
{
    Q_OBJECT

private slots:
    void shuttleBytesAtTableEdges();
    void shuttleWaitsForTheRecorder();
    void jogStepsEveryHalfNotch();
    void modeKeySetUpIsNoTurn();
    void sliderBytesAtTableEdges();
    void sliderFirstSelectsSlowMotion();
    void sliderShowsTheSpeedSent();
    void variableSpeedOfTheDial();
    void dialModeNamesTheShuttle();
    void modeKeysNeedAFreePanel();
};

// The distance from the centre picks the speed, the side the direction; 0
// counts as forward.
void SpeedControlTest::shuttleBytesAtTableEdges()
{
    PanelFixture panel("127.0.41.1");
    QVERIFY(StartShuttle(panel));
    const std::pair<int, quint8> edges[] = {
        {0, 0x00},  {10, 0x00}, {11, 0x20},  {25, 0x20},  {26, 0x2A}, {40, 0x2A},
        {41, 0x36}, {55, 0x36}, {56, 0x40},  {60, 0x40},  {80, 0x40}, {81, 0x4A},
        {95, 0x4A}, {96, 0x56}, {110, 0x56}, {111, 0x60}, {120, 0x60}};
    for (const auto &[distance, speed] : edges) {
        for (const int value : {distance, -distance}) {
            const quint8 command = value >= 0 ? kForward : kReverse;
            panel.Dial()->setValue(value == 50 ? 49 : 50);
            panel.Option(true);
            QCOMPARE(panel.During([&] { panel.Dial()->setValue(value); }),
                     QList<QByteArray>{Shuttle(command, speed)});
            QVERIFY(panel.ModifiersOff());
        }
    }
    panel.Tick();
    QCOMPARE(panel.window->TransportState(), 8);
    panel.Dial()->setValue(60);
    panel.Tick();
    QCOMPARE(panel.window->TransportState(), 5);
}

// Before the recorder reports shuttle a turn only selects shuttle again:
// the dial returns to the centre and the recorder is told speed 0.
void SpeedControlTest::shuttleWaitsForTheRecorder()
{
    PanelFixture panel("127.0.41.2");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Status({{1, 0x20}});
    panel.Tick();
    const QList<QByteArray> frames = panel.During([&] { panel.Dial()->setValue(30); });
    QVERIFY(!frames.isEmpty());
    for (const QByteArray &frame : frames)
        QCOMPARE(frame, Shuttle(kForward, 0));
    QCOMPARE(panel.Dial()->value(), 0);
    QCOMPARE(ShownFace(panel.Key("rbShuttle")), QStringLiteral("rbd.png"));
}

// A step for every five units, counted from the middle where the jog wheel
// starts; across the top of the wheel the turn is taken the short way round.
void SpeedControlTest::jogStepsEveryHalfNotch()
{
    PanelFixture panel("127.0.41.3");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Status({{1, 0x20}});
    panel.Tick();
    QCOMPARE(panel.Press("rbJog"), QList<QByteArray>{ShuttleFine(kForward, 0)});
    QDial *dial = panel.Dial();
    QVERIFY(dial->wrapping());
    QCOMPARE(dial->minimum(), 0);
    QCOMPARE(dial->maximum(), 100);
    QCOMPARE(dial->value(), 50);

    const auto turn = [&](int value) { return panel.During([&] { dial->setValue(value); }); };
    const QList<QByteArray> none;
    QCOMPARE(turn(54), none);
    QCOMPARE(turn(55), QList<QByteArray>{StepForward});
    QCOMPARE(turn(59), none);
    QCOMPARE(turn(50), QList<QByteArray>{StepReverse});
    // A long turn is still one step.
    QCOMPARE(turn(97), QList<QByteArray>{StepForward});
    // Forward past the top: 97 to 2 is five units on.
    QCOMPARE(turn(2), QList<QByteArray>{StepForward});
    QCOMPARE(turn(98), none);
    QCOMPARE(turn(96), QList<QByteArray>{StepReverse});

    // The recorder's edit modes end before a step.
    panel.Status({{4, 0xC0}});
    panel.Tick();
    QCOMPARE(turn(91), (QList<QByteArray>{EditOff, FullEeOff, StepReverse}));
}

// A mode key sets the dial up without taking it for a turn: Jog while the
// recorder shuttles sends no shuttle speed, and Shuttle after a jog takes no
// step back.
void SpeedControlTest::modeKeySetUpIsNoTurn()
{
    PanelFixture panel("127.0.41.4");
    QVERIFY(StartShuttle(panel));
    panel.Dial()->setValue(-60);
    QCOMPARE(panel.Press("rbJog"), QList<QByteArray>{ShuttleFine(kForward, 0)});
    QCOMPARE(panel.Dial()->value(), 50);
    panel.Dial()->setValue(70);
    QCOMPARE(panel.Press("rbShuttle"), QList<QByteArray>{Shuttle(kForward, 0)});
    QVERIFY(!panel.Dial()->wrapping());
    QCOMPARE(panel.Dial()->minimum(), -120);
    QCOMPARE(panel.Dial()->value(), 0);
}

// The top of the slider (-60) is full speed forward; the middle and the
// lower half run in reverse.
void SpeedControlTest::sliderBytesAtTableEdges()
{
    PanelFixture panel("127.0.41.5");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Key("rbSloMo")->click();
    const std::pair<int, QByteArray> edges[] = {
        {0, ShuttleFine(kReverse, 0x0000)},   {-10, ShuttleFine(kForward, 0x0000)},
        {-11, ShuttleFine(kForward, 0x0A00)}, {34, ShuttleFine(kReverse, 0x3EC0)},
        {-35, ShuttleFine(kForward, 0x4000)}, {35, ShuttleFine(kReverse, 0x4000)},
        {45, ShuttleFine(kReverse, 0x4000)},  {46, ShuttleFine(kReverse, 0x4200)},
        {55, ShuttleFine(kReverse, 0x4500)},  {-56, ShuttleFine(kForward, 0x4800)},
        {-60, ShuttleFine(kForward, 0x4800)}};
    for (const auto &[value, frame] : edges) {
        MoveSlider(panel.Slider(), value == 1 ? 2 : 1);
        panel.Lock(true);
        QCOMPARE(panel.During([&] { MoveSlider(panel.Slider(), value); }),
                 QList<QByteArray>{frame});
        QVERIFY(panel.ModifiersOff());
    }
}

// The slider shows only in slow motion; a drag without it selects slow
// motion and sends nothing. In a panel mode the slider sends nothing but
// still lets the modifiers go.
void SpeedControlTest::sliderFirstSelectsSlowMotion()
{
    PanelFixture panel("127.0.41.6");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    QVERIFY(panel.Slider()->isHidden());
    QVERIFY(panel.During([&] { MoveSlider(panel.Slider(), -20); }).isEmpty());
    QVERIFY(!panel.Slider()->isHidden());
    QVERIFY(panel.Dial()->isHidden());
    QVERIFY(!panel.Find<QWidget>("sliderTxt1")->isHidden());
    QCOMPARE(ShownFace(panel.Key("rbSloMo")), QStringLiteral("rbd.png"));
    QCOMPARE(panel.Slider()->value(), 0);

    CurrentDevice->menuMode = 1;
    panel.Option(true);
    QVERIFY(panel.During([&] { MoveSlider(panel.Slider(), -20); }).isEmpty());
    QVERIFY(panel.ModifiersOff());

    // Jog puts the dial back in the slider's place.
    CurrentDevice->menuMode = 0;
    panel.Key("rbJog")->click();
    QVERIFY(panel.Slider()->isHidden());
    QVERIFY(panel.Find<QWidget>("sliderTxt3")->isHidden());
    QVERIFY(!panel.Dial()->isHidden());
}

// However the operator moves the slider, by its handle, a click in its
// groove, the wheel or the keys, the speed it then shows is the one the
// recorder was sent last. Where no speed may be sent (a panel mode holds the
// keys) it does not move.
void SpeedControlTest::sliderShowsTheSpeedSent()
{
    PanelFixture panel("127.0.41.10");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel.window.get()));
    panel.Key("rbSloMo")->click();
    QSlider *slider = panel.Slider();
    const auto speedShown = [slider] {
        const int value = slider->value();
        return ShuttleFine(value < 0 ? kForward : kReverse, SlowMotionSpeed(std::abs(value)));
    };
    const auto wheel = [slider](int steps) {
        const QPointF at(slider->width() / 2.0, slider->height() / 2.0);
        QWheelEvent event(at, slider->mapToGlobal(at), QPoint(), QPoint(0, 120 * steps),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(slider, &event);
    };
    const std::pair<const char *, std::function<void()>> moves[] = {
        {"drag", [slider] { MoveSlider(slider, -40); }},
        {"click in the groove",
         [slider] {
             QTest::mouseClick(slider, Qt::LeftButton, {},
                               QPoint(slider->width() / 2, slider->height() - 4));
         }},
        {"wheel", [wheel] { wheel(-1); }},
        {"key", [slider] { QTest::keyClick(slider, Qt::Key_PageUp); }},
    };
    for (const auto &[how, move] : moves) {
        const int before = slider->value();
        const QList<QByteArray> sent = panel.During(move);
        QVERIFY2(slider->value() != before, how);
        QVERIFY2(!sent.isEmpty(), how);
        QCOMPARE(sent.last(), speedShown());
    }

    CurrentDevice->menuMode = 1;
    const int held = slider->value();
    for (const auto &[how, move] : moves) {
        QVERIFY2(panel.During(move).isEmpty(), how);
        QCOMPARE(slider->value(), held);
    }
}

// In slow motion a change of the dial's value gives a fine speed, always
// forward.
void SpeedControlTest::variableSpeedOfTheDial()
{
    PanelFixture panel("127.0.41.7");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Key("rbSloMo")->click();
    const std::pair<int, quint16> edges[] = {{10, 0x0000},  {11, 0x0A00},  {18, 0x1C00},
                                             {77, 0x3C00},  {100, 0x3C00}, {101, 0x3CDC},
                                             {115, 0x3EC0}, {116, 0x4000}, {-120, 0x0000}};
    for (const auto &[value, speed] : edges) {
        QCOMPARE(panel.During([&] { panel.Dial()->setValue(value); }),
                 QList<QByteArray>{ShuttleFine(kForward, speed)});
    }
}

// The recorder reports one shuttle state; the dial's mode tells jog, slow
// motion and shuttle apart, and the last speed sent the direction.
void SpeedControlTest::dialModeNamesTheShuttle()
{
    PanelFixture panel("127.0.41.8");
    QVERIFY(StartShuttle(panel));
    const auto shown = [&](const char *word, int state) {
        panel.Tick();
        return panel.window->MenuLine().endsWith(QLatin1String(word)) &&
               panel.window->TransportState() == state;
    };
    panel.Dial()->setValue(30);
    QVERIFY(shown("SHUTTLE", 5));
    panel.Key("rbJog")->click();
    QVERIFY(shown("JOG", 6));
    panel.Key("rbSloMo")->click();
    QVERIFY(shown("VAR", 7));
    MoveSlider(panel.Slider(), 20);
    panel.Key("rbJog")->click();
    QVERIFY(shown("JOG", 9));
    panel.Key("pbStop")->click();
    QVERIFY(shown("SHUTTLE", 8));
}

void SpeedControlTest::modeKeysNeedAFreePanel()
{
    PanelFixture panel("127.0.41.9");
    QVERIFY(StartShuttle(panel));
    CurrentDevice->saveMode = 1;
    for (const char *key : {"rbJog", "rbSloMo"})
        QVERIFY2(panel.Press(key).isEmpty(), key);
    QCOMPARE(ShownFace(panel.Key("rbShuttle")), QStringLiteral("rbd.png"));
    QVERIFY(panel.During([&] { panel.Dial()->setValue(40); }).isEmpty());

    CurrentDevice->saveMode = 0;
    CurrentDevice->delayRecording = 1;
    QVERIFY(panel.Press("rbShuttle").isEmpty());
    QVERIFY(panel.During([&] { panel.Dial()->setValue(-40); }).isEmpty());
    QVERIFY(panel.During([&] { MoveSlider(panel.Slider(), 30); }).isEmpty());
}

QTEST_MAIN(SpeedControlTest)
#include "tst_speedcontrol.moc"

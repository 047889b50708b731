// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../ui/windowfixture.h"

#include "protocol/recorderstate.h"
#include "ui/common/faces.h"
#include "ui/panel/controlpage.h"
#include "ui/panel/keypad.h"
#include "ui/panel/menukeys.h"
#include "ui/panel/paneldisplay.h"
#include "ui/panel/speedcontrol.h"
#include "ui/panel/transportkeys.h"

#include <QDial>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

// The window against the simulated recorder, as the panel's tests drive it:
// keys pressed by name, the frames each press sent, the recorder's answers
// forced where a test needs a particular one. The program-wide recorder
// state starts afresh for every fixture, as for a newly started program.
//
//   PanelFixture panel("127.0.40.1");
//   QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
//   QCOMPARE(panel.Press("pbPlay"), Frames({Play}));
class PanelFixture : public WindowFixture
{
public:
    explicit PanelFixture(const char *address) : WindowFixture(address)
    {
        recPlayMode = -1;
        legacyFirmware = 0;
        pelletDevice = 0;
        timerMode = 0;
        editPresetArmed = 0;
        statusBytes.fill(0);
    }

    QString Error() const { return sim.ErrorString(); }

    ControlPage &Control() const { return *window->control; }
    QPushButton *Key(const char *name) const { return Find<QPushButton>(name); }
    QLineEdit *Upper() const { return Control().display->lineLCD1; }
    QLineEdit *Lower() const { return Control().display->lineLCD3; }
    QDial *Dial() const { return Control().speed->potent; }
    QSlider *Slider() const { return Control().speed->slider; }

    // Presses a key of the panel (by click, which runs a key whatever signal
    // it acts on) and returns the frames the recorder received meanwhile.
    QList<QByteArray> Press(const char *name)
    {
        return During([&] { Key(name)->click(); });
    }

    // The frames the recorder received while `act` ran.
    template <typename F>
    QList<QByteArray> During(F act)
    {
        ClearFrames();
        act();
        return sim.ReceivedFrames();
    }

    QList<QByteArray> Received() const { return sim.ReceivedFrames(); }
    void ClearFrames() { sim.ClearReceivedFrames(); }

    // The recorder answers every command of this group and code with the
    // frame (checksum included), for the rest of the test or `times` times.
    void Answer(quint8 group, quint8 code, const QByteArray &frame, int times = -1)
    {
        sim.ForceReply(group, code, frame, times);
    }
    // The status every tick reads: bytes by index, the rest zero.
    void Status(std::initializer_list<std::pair<int, quint8>> bytes)
    {
        QByteArray status(10, '\0');
        for (const auto &[index, value] : bytes)
            status[index] = static_cast<char>(value);
        Answer(6, 0x20, SenseReturn(0x20, status));
    }
    // The answer of the front panel to every key: a flags byte and its text.
    void DisplayAnswer(const QByteArray &data, int times = -1)
    {
        Answer(6, 0x95, SenseReturn(0x95, data), times);
    }
    void DropReplies(int count) { sim.DropReplies(count); }
    void ClearFaults() { sim.ClearFaults(); }

    // Modifiers switched on as the operator leaves them.
    void Option(bool on) { Key("pbOption")->setChecked(on); }
    void Lock(bool on) { Key("pbLock")->setChecked(on); }
    bool ModifiersOff() const
    {
        return !Key("pbOption")->isChecked() && !Key("pbLock")->isChecked();
    }
};

// The frames of a few commands, as the recorder receives them.
namespace wire {
inline const QByteArray Stop = WireFrame({0x20, 0x00});
inline const QByteArray Play = WireFrame({0x20, 0x01});
inline const QByteArray Record = WireFrame({0x20, 0x02});
inline const QByteArray FastForward = WireFrame({0x20, 0x10});
inline const QByteArray Rewind = WireFrame({0x20, 0x20});
inline const QByteArray StepForward = WireFrame({0x20, 0x14});
inline const QByteArray StepReverse = WireFrame({0x20, 0x24});
inline const QByteArray OptionPlay = WireFrame({0x20, 0x37});
inline const QByteArray FullEeOn = WireFrame({0x20, 0x61});
inline const QByteArray SelectEeOn = WireFrame({0x20, 0x63});
inline const QByteArray EditOn = WireFrame({0x20, 0x65});
inline const QByteArray EditOff = WireFrame({0x20, 0x64});
inline const QByteArray FullEeOff = WireFrame({0x20, 0x60});
inline const QByteArray LtcOff = WireFrame({0x20, 0x90});
inline const QByteArray LtcOn = WireFrame({0x20, 0x91});
inline const QByteArray InEntry = WireFrame({0x40, 0x10});
inline const QByteArray OutEntry = WireFrame({0x40, 0x11});
inline const QByteArray StatusSense = WireFrame({0x61, 0x20, 0x0A});
inline const QByteArray SetupPrepare = WireFrame({0x40, 0xC3});
inline const QByteArray SetupPage0 = WireFrame({0x61, 0xC0, 0x00});
inline const QByteArray RecorderSide = WireFrame({0x31, 0x10, 0x00});
inline const QByteArray PlayerSide = WireFrame({0x31, 0x10, 0x01});
inline const QByteArray FileListFirst = WireFrame({0xA0, 0x14});
inline const QByteArray CueToZero = WireFrame({0x25, 0x31, 0, 0, 0, 0, 0});

inline QByteArray PanelKey(quint8 key)
{
    return WireFrame({0x61, 0x95, key});
}
inline QByteArray Shuttle(quint8 command, quint8 speed)
{
    return WireFrame({0x21, command, speed});
}
inline QByteArray ShuttleFine(quint8 command, quint16 speed)
{
    return WireFrame({0x22, command, quint8(speed >> 8), quint8(speed)});
}
inline QByteArray EditPreset(quint8 value)
{
    return WireFrame({0x41, 0x30, value});
}
} // namespace wire

// The frames received with the status senses of WaitCueUpComplete left out.
inline QList<QByteArray> WithoutStatusSenses(const QList<QByteArray> &frames)
{
    QList<QByteArray> kept;
    for (const QByteArray &frame : frames) {
        if (frame != wire::StatusSense)
            kept << frame;
    }
    return kept;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>
#include <optional>

class MainWindow;
class RemoteControl;
class WindowControl;
struct RemoteSettings;

// Remote control around the window, as the program runs it: joined to the
// window once the window is built, listening once the first recorder is
// shown (as the stored settings or the command line say), and gone before
// the window goes.
class RemoteSession
{
public:
    RemoteSession();
    ~RemoteSession();

    void Open(MainWindow &window);
    // Applies the command line's settings for this run, or else the stored
    // ones; false with the reason when remote control could not start.
    bool Start(const RemoteSettings *commandLine, QString &error);
    // Starts the deck-protocol gateway and OSC as stored, the command line's
    // ports switching either on, on loopback, for this run.
    bool StartGateways(std::optional<quint16> deckPort, std::optional<quint16> oscPort,
                       QString &error);
    void Close();

    RemoteControl *Remote() const { return remote.get(); }

private:
    std::unique_ptr<WindowControl> control;
    std::unique_ptr<RemoteControl> remote;
};

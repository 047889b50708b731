// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "windowfixture.h"

#include "ui/clips/dlgaskclipname.h"
#include "ui/clips/serverpage.h"

#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>

#include <functional>

// The window's Server page against a simulated recorder holding files.

namespace files {

// File names as a scenario gives them; each file lasts a minute.
inline QList<xrsim::Scenario::File> Files(const QStringList &names)
{
    QList<xrsim::Scenario::File> files;
    for (const QString &name : names)
        files << xrsim::Scenario::File{name, 60, 8};
    return files;
}

// A scenario key set from a test, as a scenario file would set it.
inline bool Set(xrsim::Scenario &scenario, const char *key, const QString &value)
{
    QString error;
    return scenario.Set(QLatin1String(key), value, &error);
}

// A file command as sent: the two command bytes and the name's eight bytes.
inline QByteArray NameFrame(quint8 cmd1, quint8 cmd2, const QByteArray &name)
{
    QByteArray frame;
    frame += char(cmd1);
    frame += char(cmd2);
    frame += name.leftJustified(8, '\0', true);
    return WireFrame(frame);
}

inline QByteArray CreateFileFrame(const QByteArray &name)
{
    return NameFrame(0xA8, 0x02, name);
}

inline QByteArray DeleteFileFrame(const QByteArray &name)
{
    return NameFrame(0xA8, 0x10, name);
}

inline QByteArray LoadClipFrame(const QByteArray &name)
{
    return NameFrame(0x48, 0x14, name);
}

inline QByteArray RenameFileFrame(const QByteArray &name)
{
    return NameFrame(0x38, 0x11, name);
}

const QByteArray kFileListFirst = WireFrame({0xA0, 0x14});
const QByteArray kFileListNext = WireFrame({0xA0, 0x15});
const QByteArray kCurrentFileSense = WireFrame({0x61, 0xC1, 0x01});
const QByteArray kAvailableTime = WireFrame({0xA0, 0x1D});
const QByteArray kAvailableTimeLegacy = WireFrame({0xA0, 0x1C});

class ServerFixture : public WindowFixture
{
public:
    using WindowFixture::WindowFixture;

    ServerPage *Page() const { return window->server; }

    // Connects to a recorder holding these files, one of them loaded (or
    // none for an empty name), as `scenario` says otherwise.
    bool ConnectWithFiles(const QStringList &names, const QString &loaded = {},
                          xrsim::Scenario scenario = {})
    {
        scenario.files = Files(names);
        scenario.loaded = loaded;
        return Connect(scenario);
    }

    // The frames `act` sends.
    QList<QByteArray> FramesOf(const std::function<void()> &act)
    {
        sim.ClearReceivedFrames();
        act();
        return sim.ReceivedFrames();
    }

    // What the rows show, top to bottom.
    QStringList Rows() const
    {
        QStringList rows;
        for (int row = 0; row < Page()->TableFileList->rowCount(); ++row)
            rows << Page()->TableFileList->item(row, 0)->text();
        return rows;
    }

    static QStringList Lines(const QListWidget *list)
    {
        QStringList lines;
        for (int row = 0; row < list->count(); ++row)
            lines << list->item(row)->text();
        return lines;
    }
};

// Presses the button of the next message box that reads `button` (its
// mnemonic and case aside), and keeps the box's text and buttons in `seen`.
inline void AnswerNextBox(const QString &button, QStringList *seen = nullptr)
{
    WhenDialogOpens<QMessageBox>([button, seen](QMessageBox *box) {
        if (seen) {
            *seen << box->windowTitle() << box->text();
            for (QAbstractButton *shown : box->buttons())
                *seen << shown->text();
        }
        for (QAbstractButton *candidate : box->buttons()) {
            if (candidate->text().remove(QLatin1Char('&')).compare(button, Qt::CaseInsensitive) ==
                0) {
                candidate->click();
                return;
            }
        }
        box->reject();
    });
}

} // namespace files

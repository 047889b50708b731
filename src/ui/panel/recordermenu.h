// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devices/connectmenu.h"

#include <QObject>

class QAction;
class QMenu;

// The entries of the "&Connect" menu as the device registry and the
// connection selection see them: "Add XR...", "Remove XR..." and one
// checkable entry per known recorder, each carrying its menu id. The window
// connects the two fixed entries to its dialogs and EntryTriggered to its
// SelectControl slot.
class RecorderMenu : public QObject, public ConnectMenu
{
    Q_OBJECT

public:
    // Appends the two fixed entries to `menu`, which holds only its leading
    // separator, so that their ids 1 and 2 are also their positions.
    RecorderMenu(QMenu *menu, QObject *parent);

    void InsertXRMenuItem(const QString &name) override;
    bool RemoveXRMenuItem(const QString &name) override;
    QStringList XRMenuTexts() const override;
    QString XRMenuText(int id) const override;
    void CheckXRMenuItem(int id) override;

    // The recorders' entries in menu order, and the menu id of the entry of
    // a recorder (0 for none).
    QStringList RecorderNames() const;
    int RecorderId(const QString &name) const;

    QAction *addEntry = nullptr;
    QAction *removeEntry = nullptr;

signals:
    // Any entry chosen, the fixed ones included, by its menu id.
    void EntryTriggered(int id);

private:
    QAction *AppendEntry(const QString &text, int id);

    QMenu *menu;
    int nextMenuId = kFirstRecorderMenuId;
};

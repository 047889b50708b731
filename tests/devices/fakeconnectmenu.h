// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devices/connectmenu.h"

#include <QList>
#include <QStringList>

// The "&Connect" menu as the main window keeps it, without a window: the add
// and remove entries first, recorder entries from id 100 on.
class FakeConnectMenu : public ConnectMenu
{
public:
    struct Entry
    {
        int id;
        QString text;
        bool checked = false;
    };

    FakeConnectMenu()
    {
        entries.append({kAddMenuId, QStringLiteral("Add XR...")});
        entries.append({kRemoveMenuId, QStringLiteral("Remove XR...")});
    }

    void InsertXRMenuItem(const QString &name) override { entries.append({nextId++, name}); }

    bool RemoveXRMenuItem(const QString &name) override
    {
        for (int i = 0; i < entries.size(); ++i) {
            if (entries[i].text == name) {
                entries.removeAt(i);
                return true;
            }
        }
        return false;
    }

    QStringList XRMenuTexts() const override
    {
        QStringList texts;
        for (const Entry &entry : entries)
            texts.append(entry.text);
        return texts;
    }

    QString XRMenuText(int id) const override
    {
        for (const Entry &entry : entries) {
            if (entry.id == id)
                return entry.text;
        }
        return {};
    }

    void CheckXRMenuItem(int id) override
    {
        for (Entry &entry : entries)
            entry.checked = entry.id == id;
    }

    int IdOf(const QString &text) const
    {
        for (const Entry &entry : entries) {
            if (entry.text == text)
                return entry.id;
        }
        return -1;
    }

    QList<int> CheckedIds() const
    {
        QList<int> ids;
        for (const Entry &entry : entries) {
            if (entry.checked)
                ids.append(entry.id);
        }
        return ids;
    }

    QList<Entry> entries;
    int nextId = kFirstRecorderMenuId;
};

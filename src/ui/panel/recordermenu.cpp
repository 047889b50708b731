// SPDX-License-Identifier: GPL-3.0-or-later
#include "recordermenu.h"

#include <QAction>
#include <QMenu>

namespace {

// An entry's menu id travels as the action's data.
int EntryId(const QAction *entry)
{
    return entry->data().toInt();
}

} // namespace

RecorderMenu::RecorderMenu(QMenu *menu, QObject *parent) : QObject(parent), menu(menu)
{
    addEntry = AppendEntry(QStringLiteral("Add XR..."), kAddMenuId);
    removeEntry = AppendEntry(QStringLiteral("Remove XR..."), kRemoveMenuId);
    connect(menu, &QMenu::triggered, this,
            [this](QAction *entry) { emit EntryTriggered(EntryId(entry)); });
}

QAction *RecorderMenu::AppendEntry(const QString &text, int id)
{
    auto *entry = menu->addAction(text);
    entry->setCheckable(true);
    entry->setData(id);
    return entry;
}

void RecorderMenu::InsertXRMenuItem(const QString &name)
{
    AppendEntry(name, nextMenuId++);
}

bool RecorderMenu::RemoveXRMenuItem(const QString &name)
{
    for (QAction *entry : menu->actions()) {
        if (!entry->isSeparator() && entry->text() == name) {
            menu->removeAction(entry);
            delete entry;
            return true;
        }
    }
    return false;
}

QStringList RecorderMenu::XRMenuTexts() const
{
    QStringList texts;
    for (const QAction *entry : menu->actions()) {
        if (!entry->isSeparator())
            texts << entry->text();
    }
    return texts;
}

QString RecorderMenu::XRMenuText(int id) const
{
    for (const QAction *entry : menu->actions()) {
        if (!entry->isSeparator() && EntryId(entry) == id)
            return entry->text();
    }
    return QString();
}

void RecorderMenu::CheckXRMenuItem(int id)
{
    for (QAction *entry : menu->actions()) {
        if (!entry->isSeparator())
            entry->setChecked(EntryId(entry) == id);
    }
}

QStringList RecorderMenu::RecorderNames() const
{
    QStringList names;
    for (const QAction *entry : menu->actions()) {
        if (!entry->isSeparator() && EntryId(entry) >= kFirstRecorderMenuId)
            names << entry->text();
    }
    return names;
}

int RecorderMenu::RecorderId(const QString &name) const
{
    for (const QAction *entry : menu->actions()) {
        if (!entry->isSeparator() && EntryId(entry) >= kFirstRecorderMenuId &&
            entry->text() == name)
            return EntryId(entry);
    }
    return 0;
}

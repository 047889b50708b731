#include "mainwindow.h"

#include "devices/adddevicedialog.h"
#include "devices/connectionselection.h"
#include "devices/deviceregistry.h"
#include "devices/removedevicedialog.h"

#include <QAction>
#include <QMenu>

namespace {

// The Connect menu's entries carry their menu id as the action's data.
int EntryId(const QAction *entry)
{
    return entry->data().toInt();
}

} // namespace

void MainWindow::InsertXRMenuItem(const QString &name)
{
    auto *entry = menus.connectMenu->addAction(name);
    entry->setCheckable(true);
    entry->setData(nextMenuId++);
}

bool MainWindow::RemoveXRMenuItem(const QString &name)
{
    for (QAction *entry : menus.connectMenu->actions()) {
        if (!entry->isSeparator() && entry->text() == name) {
            menus.connectMenu->removeAction(entry);
            delete entry;
            return true;
        }
    }
    return false;
}

QStringList MainWindow::XRMenuTexts() const
{
    QStringList texts;
    for (const QAction *entry : menus.connectMenu->actions()) {
        if (!entry->isSeparator())
            texts << entry->text();
    }
    return texts;
}

QString MainWindow::XRMenuText(int id) const
{
    for (const QAction *entry : menus.connectMenu->actions()) {
        if (!entry->isSeparator() && EntryId(entry) == id)
            return entry->text();
    }
    return QString();
}

void MainWindow::CheckXRMenuItem(int id)
{
    for (QAction *entry : menus.connectMenu->actions()) {
        if (!entry->isSeparator())
            entry->setChecked(EntryId(entry) == id);
    }
}

// The add and remove entries take the ids 1 and 2, which are also their
// positions: the menu holds only its separator before them.
void MainWindow::CompleteConnectMenu()
{
    const auto insertFixed = [this](const QString &text, void (MainWindow::*slot)()) {
        auto *entry = menus.connectMenu->addAction(text);
        entry->setCheckable(true);
        entry->setData(menus.connectMenu->actions().size() - 1);
        connect(entry, &QAction::triggered, this, slot);
    };
    insertFixed(QStringLiteral("Add XR..."), &MainWindow::helpContents);
    insertFixed(QStringLiteral("Remove XR..."), &MainWindow::helpIndex);
    connect(menus.connectMenu, &QMenu::triggered, this,
            [this](QAction *entry) { SelectControl(EntryId(entry)); });
}

void MainWindow::SelectControl(int id)
{
    ::SelectControl(id, *this, *this);
}

void MainWindow::helpContents()
{
    Add_XR dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        AddEnteredAddress(*this, dialog.AddressText());
}

void MainWindow::helpIndex()
{
    RemoveXR dialog(this, this);
    dialog.exec();
}

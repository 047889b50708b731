#include "mainwindow.h"

#include "panelbuttons.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <iterator>

namespace {

using Slot = void (MainWindow::*)();

// One entry of a menu: the action's object name, its text, its key and the
// slot its triggered() signal runs. An entry without a name is a separator.
struct ActionEntry
{
    const char *name;
    const char *text;
    const char *key;
    Slot slot;
};

struct MenuEntry
{
    const char *name;
    const char *title;
    const ActionEntry *begin;
    const ActionEntry *end;
};

const ActionEntry kSeparator{nullptr, nullptr, nullptr, nullptr};

const ActionEntry kFileMenu[] = {
    {"New", "New", "Ctrl+N", &MainWindow::DoNew},
    {"Open", "Open...", "Ctrl+O", &MainWindow::DoOpen},
    {"Save", "Save", "Ctrl+S", &MainWindow::DoSave},
    {"SaveAs", "Save As...", "Ctrl+Shift+S", &MainWindow::DoSaveAs},
    kSeparator,
    {"ImportClip", "Import segments from XR", "Ctrl+I", &MainWindow::DoImport},
    {"ExportPlaylist", "Export play list to XR", "Ctrl+E", &MainWindow::DoExport},
    kSeparator,
    {"ExportClipCSV", "Export segment list to CSV...", "Ctrl+Shift+E",
     &MainWindow::ExportClipCSV_activated},
    {"ExportPListToCSV", "Export playlist to CSV...", "Ctrl+Shift+P",
     &MainWindow::ExportPListToCSV_activated},
    kSeparator,
    {"Quit", "Quit", "Ctrl+Q", &MainWindow::DoQuit},
};

const ActionEntry kEditMenu[] = {
    {"Find", "Find...", "Ctrl+F", &MainWindow::DoFind},
};

const ActionEntry kSegmentMenu[] = {
    {"In", "In", "I", &MainWindow::DoIn},
    {"Out", "Out", "O", &MainWindow::DoOut},
    {"CutClip", "Delete segment", "Ctrl+C", &MainWindow::DoCut},
    {"CreateClip", "Create segment", "Shift+S", &MainWindow::DoCreateClip},
    {"RenameClip", "Rename Segment", "Shift+R", &MainWindow::DoRenameClip},
    {"GotoIn", "Goto In", "Shift+I", &MainWindow::DoGotoIn},
    {"GotoOut", "Goto out", "Shift+O", &MainWindow::DoGotoOut},
    {"RenameDisk", "Rename disk...", "", &MainWindow::DoRenameDisk},
    {"Menu_Segment_Clear_all", "Clear all segments", "",
     &MainWindow::Menu_Segment_Clear_all_activated},
};

const ActionEntry kCommandMenu[] = {
    {"Goto", "Goto", "", &MainWindow::DoGoto},
    {"SetTC", "Set TC", "Shift+T", &MainWindow::DoSetTC},
    {"SendManual9P", "Send manual 9Pin command", "Shift+P", &MainWindow::SendManual9P_activated},
};

// The recorders are added at start-up, after the add and remove entries.
const ActionEntry kConnectMenu[] = {kSeparator};

const ActionEntry kDeviceMenu[] = {
    {"deviceSettingsAction", "Settings...", "", &MainWindow::deviceSettingsAction_activated},
};

const ActionEntry kHelpMenu[] = {
    kSeparator,
    {"helpAboutAction", "&About", "", &MainWindow::helpAboutAction_activated},
    {"helpShortcutsAction", "Shortcuts...", "", &MainWindow::helpShortcutsAction_activated},
};

const MenuEntry kMenus[] = {
    {"fileMenu", "&File", std::begin(kFileMenu), std::end(kFileMenu)},
    {"editMenu", "&Edit", std::begin(kEditMenu), std::end(kEditMenu)},
    {"segmentMenu", "&Segment", std::begin(kSegmentMenu), std::end(kSegmentMenu)},
    {"commandMenu", "C&ommand", std::begin(kCommandMenu), std::end(kCommandMenu)},
    {"connectMenu", "&Connect", std::begin(kConnectMenu), std::end(kConnectMenu)},
    {"deviceMenu", "&Device", std::begin(kDeviceMenu), std::end(kDeviceMenu)},
    {"helpMenu", "&Help", std::begin(kHelpMenu), std::end(kHelpMenu)},
};

// Actions that belong to no menu. They are kept for their slots; their keys
// do not act, since Ctrl+C would otherwise be both "Delete segment" and
// "Copy segment".
const ActionEntry kLooseActions[] = {
    {"Undo", "Undo", "Ctrl+Z", &MainWindow::DoUndo},
    {"CopyClip", "Copy segment", "Ctrl+C", nullptr},
    {"PasteClip", "Paste Segment", "Ctrl+V", &MainWindow::DoPaste},
    {"CopyToTimeLine", "Copy to timeline", "", &MainWindow::DoCopyToTimeline},
    {"CopyToEnd", "Copy to end", "", &MainWindow::DoCopyToEnd},
    {"AddXR", "Add XR", "", nullptr},
    {"Action", "Action", "", nullptr},
    {"filePreferencesAction", "Preferences", "", nullptr},
    {"filePreferencesSet_number_of_imagespictureAction", "Set number of images/picture", "",
     nullptr},
    {"filePreferencesSet_number_of_imagespicture1Action", "1", "", nullptr},
    {"filePreferencesSet_number_of_imagespicture2Action", "2 (*)", "", nullptr},
};

} // namespace

void MainWindow::BuildMenus()
{
    const auto makeAction = [this](const ActionEntry &entry) {
        auto *action = new QAction(this);
        action->setObjectName(QLatin1String(entry.name));
        actions.insert(action->objectName(), action);
        if (entry.slot)
            connect(action, &QAction::triggered, this, entry.slot);
        return action;
    };
    for (const MenuEntry &menuEntry : kMenus) {
        auto *menu = new QMenu(menuBar());
        menu->setObjectName(QLatin1String(menuEntry.name));
        menuBar()->addMenu(menu);
        for (const ActionEntry *entry = menuEntry.begin; entry != menuEntry.end; ++entry) {
            if (entry->name)
                menu->addAction(makeAction(*entry));
            else
                menu->addSeparator();
        }
    }
    for (const ActionEntry &entry : kLooseActions)
        makeAction(entry);
    connectMenu = menuBar()->findChild<QMenu *>(QStringLiteral("connectMenu"));
}

void MainWindow::SetMenuTexts()
{
    const auto setText = [this](const ActionEntry &entry) {
        QAction *action = Action(entry.name);
        action->setText(QLatin1String(entry.text));
        action->setShortcut(QKeySequence(QLatin1String(entry.key)));
    };
    for (const MenuEntry &menuEntry : kMenus) {
        menuBar()
            ->findChild<QMenu *>(QLatin1String(menuEntry.name))
            ->setTitle(QLatin1String(menuEntry.title));
        for (const ActionEntry *entry = menuEntry.begin; entry != menuEntry.end; ++entry) {
            if (entry->name)
                setText(*entry);
        }
    }
    for (const ActionEntry &entry : kLooseActions)
        setText(entry);
}

// A key that a key of the shown page carries presses that key, not the menu
// entry with the same key: I and O mark in and out on the panel, Shift+S and
// Shift+R are Save and Recall there. Elsewhere the menu entries take them.
void MainWindow::GiveKeysToPanel()
{
    const auto page = static_cast<PanelPage>(CurrentPage());
    for (const MenuEntry &menuEntry : kMenus) {
        for (const ActionEntry *entry = menuEntry.begin; entry != menuEntry.end; ++entry) {
            if (!entry->name || !*entry->key)
                continue;
            bool panelKey = false;
            for (auto *b = PanelButtonsBegin(); b != PanelButtonsEnd(); ++b)
                panelKey = panelKey || (b->page == page && qstrcmp(b->key, entry->key) == 0);
            Action(entry->name)
                ->setShortcutContext(panelKey ? Qt::WidgetShortcut : Qt::WindowShortcut);
        }
    }
}

QAction *MainWindow::Action(const char *name) const
{
    return actions.value(QLatin1String(name));
}

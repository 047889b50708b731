// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include "controlpage.h"
#include "keypad.h"
#include "ui/clips/csvexport.h"
#include "ui/clips/edlexport.h"
#include "ui/clips/playlist.h"
#include "ui/clips/playlistfile.h"
#include "ui/clips/segmentlist.h"
#include "ui/clips/segmentpage.h"
#include "ui/clips/serverpage.h"
#include "ui/storage/expertpage.h"
#include "ui/traffic/traffictools.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <iterator>

namespace {

using A = MenuActions;

// One entry of a menu: the member holding the action, its object name, text
// and key. An entry without a member is a separator.
struct ActionEntry
{
    QAction *MenuActions::*action;
    const char *name;
    const char *text;
    const char *key;
};

struct MenuEntry
{
    QMenu *MenuActions::*menu;
    const char *name;
    const char *title;
    const ActionEntry *begin;
    const ActionEntry *end;
};

const ActionEntry kSeparator{nullptr, nullptr, nullptr, nullptr};

const ActionEntry kFileMenu[] = {
    {&A::New, "New", "New", "Ctrl+N"},
    {&A::Open, "Open", "Open...", "Ctrl+O"},
    {&A::Save, "Save", "Save", "Ctrl+S"},
    {&A::SaveAs, "SaveAs", "Save As...", "Ctrl+Shift+S"},
    kSeparator,
    {&A::ImportClip, "ImportClip", "Import segments from XR", "Ctrl+I"},
    {&A::ExportPlaylist, "ExportPlaylist", "Export play list to XR", "Ctrl+E"},
    kSeparator,
    {&A::ExportClipCSV, "ExportClipCSV", "Export segment list to CSV...", "Ctrl+Shift+E"},
    {&A::ExportPListToCSV, "ExportPListToCSV", "Export playlist to CSV...", "Ctrl+Shift+P"},
    {&A::ExportClipEDL, "ExportClipEDL", "Export segments as EDL...", ""},
    {&A::ExportPListToEDL, "ExportPListToEDL", "Export playlist as EDL...", ""},
    kSeparator,
    {&A::Quit, "Quit", "Quit", "Ctrl+Q"},
};

const ActionEntry kEditMenu[] = {
    {&A::Find, "Find", "Find...", "Ctrl+F"},
};

const ActionEntry kSegmentMenu[] = {
    {&A::In, "In", "In", "I"},
    {&A::Out, "Out", "Out", "O"},
    {&A::CutClip, "CutClip", "Delete segment", "Ctrl+C"},
    {&A::CreateClip, "CreateClip", "Create segment", "Shift+S"},
    {&A::RenameClip, "RenameClip", "Rename Segment", "Shift+R"},
    {&A::GotoIn, "GotoIn", "Goto In", "Shift+I"},
    {&A::GotoOut, "GotoOut", "Goto out", "Shift+O"},
    {&A::RenameDisk, "RenameDisk", "Rename disk...", ""},
    {&A::Menu_Segment_Clear_all, "Menu_Segment_Clear_all", "Clear all segments", ""},
};

const ActionEntry kCommandMenu[] = {
    {&A::Goto, "Goto", "Goto", ""},
    {&A::SetTC, "SetTC", "Set TC", "Shift+T"},
    {&A::SendManual9P, "SendManual9P", "Send manual 9Pin command", "Shift+P"},
    kSeparator,
    {&A::TrafficMonitor, "TrafficMonitor", "Traffic monitor...", ""},
    {&A::RecordTraffic, "RecordTraffic", "Record traffic to file...", ""},
};

// The recorders are added at start-up, after the add and remove entries.
const ActionEntry kConnectMenu[] = {kSeparator};

const ActionEntry kDeviceMenu[] = {
    {&A::deviceSettingsAction, "deviceSettingsAction", "Settings...", ""},
    kSeparator,
    {&A::remoteControlAction, "remoteControlAction", "Remote control...", ""},
    {&A::remoteLogAction, "remoteLogAction", "Remote log", ""},
};

const ActionEntry kHelpMenu[] = {
    kSeparator,
    {&A::helpAboutAction, "helpAboutAction", "&About", ""},
    {&A::helpShortcutsAction, "helpShortcutsAction", "Shortcuts...", ""},
};

const MenuEntry kMenus[] = {
    {&A::fileMenu, "fileMenu", "&File", std::begin(kFileMenu), std::end(kFileMenu)},
    {&A::editMenu, "editMenu", "&Edit", std::begin(kEditMenu), std::end(kEditMenu)},
    {&A::segmentMenu, "segmentMenu", "&Segment", std::begin(kSegmentMenu), std::end(kSegmentMenu)},
    {&A::commandMenu, "commandMenu", "C&ommand", std::begin(kCommandMenu), std::end(kCommandMenu)},
    {&A::connectMenu, "connectMenu", "&Connect", std::begin(kConnectMenu), std::end(kConnectMenu)},
    {&A::deviceMenu, "deviceMenu", "&Device", std::begin(kDeviceMenu), std::end(kDeviceMenu)},
    {&A::helpMenu, "helpMenu", "&Help", std::begin(kHelpMenu), std::end(kHelpMenu)},
};

const ActionEntry kLooseActions[] = {
    {&A::Undo, "Undo", "Undo", "Ctrl+Z"},
    {&A::CopyClip, "CopyClip", "Copy segment", "Ctrl+C"},
    {&A::PasteClip, "PasteClip", "Paste Segment", "Ctrl+V"},
    {&A::CopyToTimeLine, "CopyToTimeLine", "Copy to timeline", ""},
    {&A::CopyToEnd, "CopyToEnd", "Copy to end", ""},
    {&A::AddXR, "AddXR", "Add XR", ""},
    {&A::Action, "Action", "Action", ""},
    {&A::filePreferencesAction, "filePreferencesAction", "Preferences", ""},
    {&A::filePreferencesSet_number_of_imagespictureAction,
     "filePreferencesSet_number_of_imagespictureAction", "Set number of images/picture", ""},
    {&A::filePreferencesSet_number_of_imagespicture1Action,
     "filePreferencesSet_number_of_imagespicture1Action", "1", ""},
    {&A::filePreferencesSet_number_of_imagespicture2Action,
     "filePreferencesSet_number_of_imagespicture2Action", "2 (*)", ""},
};

template <typename F>
void ForEachMenuAction(F act)
{
    for (const MenuEntry &menu : kMenus) {
        for (const ActionEntry *entry = menu.begin; entry != menu.end; ++entry) {
            if (entry->action)
                act(*entry);
        }
    }
}

template <typename F>
void ForEachAction(F act)
{
    ForEachMenuAction(act);
    for (const ActionEntry &entry : kLooseActions)
        act(entry);
}

} // namespace

void MainWindow::BuildMenus()
{
    for (const MenuEntry &entry : kMenus) {
        auto *menu = new QMenu(menuBar());
        menu->setObjectName(QLatin1String(entry.name));
        menuBar()->addMenu(menu);
        menus.*entry.menu = menu;
        // A menu that opens with a separator must draw it.
        if (entry.begin != entry.end && !entry.begin->action)
            menu->setSeparatorsCollapsible(false);
    }
    ForEachAction([this](const ActionEntry &entry) {
        auto *action = new QAction(this);
        action->setObjectName(QLatin1String(entry.name));
        menus.*entry.action = action;
    });
    for (const MenuEntry &entry : kMenus) {
        for (const ActionEntry *item = entry.begin; item != entry.end; ++item) {
            if (item->action)
                (menus.*entry.menu)->addAction(menus.*item->action);
            else
                (menus.*entry.menu)->addSeparator();
        }
    }
}

void MainWindow::SetMenuTexts()
{
    for (const MenuEntry &entry : kMenus)
        (menus.*entry.menu)->setTitle(QLatin1String(entry.title));
    ForEachAction([this](const ActionEntry &entry) {
        QAction *action = menus.*entry.action;
        action->setText(QLatin1String(entry.text));
        action->setShortcut(QKeySequence(QLatin1String(entry.key)));
    });
}

// The slots behind the menu entries, each with the page or part that owns it.
void MainWindow::ConnectMenus()
{
    const auto on = [](QAction *action, auto *owner, auto slot) {
        connect(action, &QAction::triggered, owner, slot);
    };
    PlaylistFile *file = segment->file;
    SegmentList *segments = segment->segments;
    on(menus.New, file, &PlaylistFile::DoNew);
    on(menus.Open, file, &PlaylistFile::DoOpen);
    on(menus.Save, file, &PlaylistFile::DoSave);
    on(menus.SaveAs, file, &PlaylistFile::DoSaveAs);
    on(menus.ImportClip, segments, &SegmentList::DoImport);
    on(menus.ExportPlaylist, segment->playlist, &Playlist::DoExport);
    on(menus.ExportClipCSV, segment->csv, &CsvExport::ExportClipCSV_activated);
    on(menus.ExportPListToCSV, segment->csv, &CsvExport::ExportPListToCSV_activated);
    on(menus.ExportClipEDL, segment->edl, &EdlExport::ExportClipEDL_activated);
    on(menus.ExportPListToEDL, segment->edl, &EdlExport::ExportPListToEDL_activated);
    on(menus.Quit, this, &MainWindow::DoQuit);
    on(menus.Find, segments, &SegmentList::DoFind);
    on(menus.In, control->keypad, &Keypad::DoIn);
    on(menus.Out, control->keypad, &Keypad::DoOut);
    on(menus.CutClip, segments, &SegmentList::DoCut);
    on(menus.CreateClip, segments, &SegmentList::DoCreateClip);
    on(menus.RenameClip, segments, &SegmentList::DoRenameClip);
    on(menus.GotoIn, segments, &SegmentList::DoGotoIn);
    on(menus.GotoOut, segments, &SegmentList::DoGotoOut);
    on(menus.RenameDisk, segments, &SegmentList::DoRenameDisk);
    on(menus.Menu_Segment_Clear_all, segments, &SegmentList::Menu_Segment_Clear_all_activated);
    on(menus.Goto, control->keypad, &Keypad::DoGoto);
    on(menus.SetTC, control->keypad, &Keypad::DoSetTC);
    on(menus.SendManual9P, this, &MainWindow::SendManual9P_activated);
    traffic = new TrafficTools(this, menus.RecordTraffic);
    on(menus.TrafficMonitor, traffic, &TrafficTools::TrafficMonitor_activated);
    on(menus.RecordTraffic, traffic, &TrafficTools::RecordTraffic_activated);
    on(menus.deviceSettingsAction, this, &MainWindow::deviceSettingsAction_activated);
    on(menus.helpAboutAction, this, &MainWindow::helpAboutAction_activated);
    on(menus.helpShortcutsAction, this, &MainWindow::helpShortcutsAction_activated);
    on(menus.Undo, segments, &SegmentList::DoUndo);
    on(menus.PasteClip, segments, &SegmentList::DoPaste);
    on(menus.CopyToTimeLine, segments, &SegmentList::DoCopyToTimeline);
    on(menus.CopyToEnd, segments, &SegmentList::DoCopyToEnd);
    on(menus.CopyClip, segments, &SegmentList::DoCopy);
    // Until remote control is attached (AttachRemote) there is none to set up.
    menus.remoteControlAction->setEnabled(false);
    menus.remoteLogAction->setEnabled(false);
    segments->SetContextActions(
        {menus.CopyToTimeLine, menus.CopyToEnd, menus.CopyClip, menus.PasteClip, menus.Undo});
}

std::vector<KeyInfo> MainWindow::PanelKeys()
{
    return JoinKeys(
        {ControlPage::Keys(), SegmentPage::Keys(), ServerPage::Keys(), ExpertPage::Keys()});
}

// A key that a key of the shown page carries presses that key, not the menu
// entry with the same key: I and O mark in and out on the panel, Shift+S and
// Shift+R are Save and Recall there. Elsewhere the menu entries take them.
void MainWindow::GiveKeysToPanel()
{
    const auto page = static_cast<PanelPage>(CurrentPage());
    const std::vector<KeyInfo> keys = PanelKeys();
    ForEachMenuAction([&](const ActionEntry &entry) {
        bool panelKey = false;
        for (const KeyInfo &key : keys)
            panelKey = panelKey ||
                       (*entry.key && key.page == page && qstrcmp(key.ActiveKey(), entry.key) == 0);
        (menus.*entry.action)
            ->setShortcutContext(panelKey ? Qt::WidgetShortcut : Qt::WindowShortcut);
    });
}

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
struct ActionSpec
{
    const char *name;
    const char *text;
    const char *key;
    Slot slot;
};

struct MenuSpec
{
    const char *name;
    const char *title;
    const ActionSpec *begin;
    const ActionSpec *end;
};

const ActionSpec kSeparator{nullptr, nullptr, nullptr, nullptr};

const ActionSpec kFileMenu[] = {
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

const ActionSpec kEditMenu[] = {
    {"Find", "Find...", "Ctrl+F", &MainWindow::DoFind},
};

const ActionSpec kSegmentMenu[] = {
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

const ActionSpec kCommandMenu[] = {
    {"Goto", "Goto", "", &MainWindow::DoGoto},
    {"SetTC", "Set TC", "Shift+T", &MainWindow::DoSetTC},
    {"SendManual9P", "Send manual 9Pin command", "Shift+P", &MainWindow::SendManual9P_activated},
};

// The recorders are added at start-up, after the add and remove entries.
const ActionSpec kConnectMenu[] = {kSeparator};

const ActionSpec kDeviceMenu[] = {
    {"deviceSettingsAction", "Settings...", "", &MainWindow::deviceSettingsAction_activated},
};

const ActionSpec kHelpMenu[] = {
    kSeparator,
    {"helpAboutAction", "&About", "", &MainWindow::helpAboutAction_activated},
    {"helpShortcutsAction", "Shortcuts...", "", &MainWindow::helpShortcutsAction_activated},
};

const MenuSpec kMenus[] = {
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
const ActionSpec kLooseActions[] = {
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
    const auto makeAction = [this](const ActionSpec &spec) {
        auto *action = new QAction(this);
        action->setObjectName(QLatin1String(spec.name));
        actions.insert(action->objectName(), action);
        if (spec.slot)
            connect(action, &QAction::triggered, this, spec.slot);
        return action;
    };
    for (const MenuSpec &menuSpec : kMenus) {
        auto *menu = new QMenu(menuBar());
        menu->setObjectName(QLatin1String(menuSpec.name));
        menuBar()->addMenu(menu);
        for (const ActionSpec *spec = menuSpec.begin; spec != menuSpec.end; ++spec) {
            if (spec->name)
                menu->addAction(makeAction(*spec));
            else
                menu->addSeparator();
        }
    }
    for (const ActionSpec &spec : kLooseActions)
        makeAction(spec);
    connectMenu = menuBar()->findChild<QMenu *>(QStringLiteral("connectMenu"));
}

void MainWindow::SetMenuTexts()
{
    const auto setText = [this](const ActionSpec &spec) {
        QAction *action = Action(spec.name);
        action->setText(QLatin1String(spec.text));
        action->setShortcut(QKeySequence(QLatin1String(spec.key)));
    };
    for (const MenuSpec &menuSpec : kMenus) {
        menuBar()
            ->findChild<QMenu *>(QLatin1String(menuSpec.name))
            ->setTitle(QLatin1String(menuSpec.title));
        for (const ActionSpec *spec = menuSpec.begin; spec != menuSpec.end; ++spec) {
            if (spec->name)
                setText(*spec);
        }
    }
    for (const ActionSpec &spec : kLooseActions)
        setText(spec);
}

// A key that a key of the shown page carries presses that key, not the menu
// entry with the same key: I and O mark in and out on the panel, Shift+S and
// Shift+R are Save and Recall there. Elsewhere the menu entries take them.
void MainWindow::GiveKeysToPanel()
{
    const auto page = static_cast<PanelPage>(CurrentPage());
    for (const MenuSpec &menuSpec : kMenus) {
        for (const ActionSpec *spec = menuSpec.begin; spec != menuSpec.end; ++spec) {
            if (!spec->name || !*spec->key)
                continue;
            bool panelKey = false;
            for (auto *b = PanelButtonsBegin(); b != PanelButtonsEnd(); ++b)
                panelKey = panelKey || (b->page == page && qstrcmp(b->key, spec->key) == 0);
            Action(spec->name)
                ->setShortcutContext(panelKey ? Qt::WidgetShortcut : Qt::WindowShortcut);
        }
    }
}

QAction *MainWindow::Action(const char *name) const
{
    return actions.value(QLatin1String(name));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAction;
class QMenu;

// The menus of the main window and their actions, each held by a member
// named with the action's object name, so that the enabling rules and the
// wiring name them by member and a wrong name does not compile.
struct MenuActions
{
    QMenu *fileMenu = nullptr;
    QMenu *editMenu = nullptr;
    QMenu *segmentMenu = nullptr;
    QMenu *commandMenu = nullptr;
    QMenu *connectMenu = nullptr;
    QMenu *deviceMenu = nullptr;
    QMenu *helpMenu = nullptr;

    // "&File"
    QAction *New = nullptr;
    QAction *Open = nullptr;
    QAction *Save = nullptr;
    QAction *SaveAs = nullptr;
    QAction *ImportClip = nullptr;
    QAction *ExportPlaylist = nullptr;
    QAction *ExportClipCSV = nullptr;
    QAction *ExportPListToCSV = nullptr;
    QAction *ExportClipEDL = nullptr;
    QAction *ExportPListToEDL = nullptr;
    QAction *Quit = nullptr;
    // "&Edit"
    QAction *Find = nullptr;
    // "&Segment"
    QAction *In = nullptr;
    QAction *Out = nullptr;
    QAction *CutClip = nullptr;
    QAction *CreateClip = nullptr;
    QAction *RenameClip = nullptr;
    QAction *GotoIn = nullptr;
    QAction *GotoOut = nullptr;
    QAction *RenameDisk = nullptr;
    QAction *Menu_Segment_Clear_all = nullptr;
    // "C&ommand"
    QAction *Goto = nullptr;
    QAction *SetTC = nullptr;
    QAction *SendManual9P = nullptr;
    QAction *TrafficMonitor = nullptr;
    QAction *RecordTraffic = nullptr;
    // "&Device"
    QAction *deviceSettingsAction = nullptr;
    QAction *remoteControlAction = nullptr;
    QAction *remoteLogAction = nullptr;
    // "&Help"
    QAction *helpAboutAction = nullptr;
    QAction *helpShortcutsAction = nullptr;

    // In no menu of the menu bar; the first five make the segment list's
    // context menu. Their keys do not act, since Ctrl+C would otherwise be
    // both "Delete segment" and "Copy segment".
    QAction *Undo = nullptr;
    QAction *CopyClip = nullptr;
    QAction *PasteClip = nullptr;
    QAction *CopyToTimeLine = nullptr;
    QAction *CopyToEnd = nullptr;
    QAction *AddXR = nullptr;
    QAction *Action = nullptr;
    QAction *filePreferencesAction = nullptr;
    QAction *filePreferencesSet_number_of_imagespictureAction = nullptr;
    QAction *filePreferencesSet_number_of_imagespicture1Action = nullptr;
    QAction *filePreferencesSet_number_of_imagespicture2Action = nullptr;
};

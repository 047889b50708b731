#pragma once

#include <QString>

class QAbstractButton;
class QPushButton;
class QWidget;

// The pages of the main window's tab widget, in tab order.
enum class PanelPage { Control = 0, Segment = 1, Server = 2, Expert = 3 };

// One key of the emulated front panel: the button's object name, the picture
// on its face and the keyboard key that presses it (empty for none). A key is
// given to buttons of different pages; it acts for the button of the page
// that is shown, because the toolkit only matches visible buttons.
struct PanelButtonEntry
{
    const char *name;
    const char *face;
    const char *key;
    PanelPage page;
};

// Every picture-faced button of the window, page by page.
const PanelButtonEntry *PanelButtonsBegin();
const PanelButtonEntry *PanelButtonsEnd();

// The entry of a button, or null.
const PanelButtonEntry *FindPanelButton(const QString &name);

// Creates the button of that table entry: named, showing its picture at its
// own size, flat, and never taking the focus, so that the panel keys keep
// reaching the window.
QPushButton *MakePanelButton(QWidget *parent, const char *name);

// Shows a picture of the image collection on a button. The polling refresh
// sets the same faces ten times a second; a face already shown costs nothing.
void ShowFace(QAbstractButton *button, const char *face);

// The face a button shows at the moment.
QString ShownFace(const QAbstractButton *button);

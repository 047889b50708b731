// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QAbstractButton;
class QIcon;
class QPushButton;
class QWidget;

// The faces of the panel's keys: pictures of the image collection, named by
// file name ("playd.png"). The panel refresh sets faces ten times a second,
// so each name is made into an icon once for the whole program and a key is
// only given a picture when its face changes. A fresh icon on every change
// would leave a new entry in the toolkit's pixmap cache each time.

// The icon of that picture, the same object on every call. It holds the
// picture at both pixel densities, so a key is sharp at 200 % as well.
const QIcon &FaceIcon(const QString &face);

// Shows the picture on the button unless it shows it already.
void ShowFace(QAbstractButton *button, const char *face);

// The face a button shows at the moment, empty for none.
QString ShownFace(const QAbstractButton *button);

// A dialog's button that shows a picture instead of a text, drawn like the
// panel's keys.
QPushButton *NewPictureButton(QWidget *parent, const char *name, const char *face);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class ServerPage;

// "Enter clip name :": asks for the name of a new file, or the loaded file's
// new name, as the Server page's create or rename key chose. A name the
// recorder cannot take is refused with a box and the dialog stays open;
// nothing is sent for it.
class DlgAskClipName : public QDialog
{
    Q_OBJECT

public:
    DlgAskClipName(ServerPage &page, QWidget *parent);

    QLabel *textLabel1 = nullptr;
    QLineEdit *leNewClipName = nullptr;
    QPushButton *pbOk = nullptr;
    QPushButton *pbClose = nullptr;

public slots:
    void pbOk_pressed();
    void pbClose_pressed();
    void languageChange();

private:
    ServerPage &page;
};

// What is wrong with a typed clip name: the text of the box that refuses it,
// or an empty text for a name the recorder can take.
QString ClipNameRefusal(const QString &name);

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTextEdit;

// "About Tavrel": the logo, the release line, the recorder list in use and
// the program's notice.
class DlgAbout : public QDialog
{
    Q_OBJECT

public:
    explicit DlgAbout(QWidget *parent = nullptr);

    QLabel *pixmapLabel;
    QLabel *textVersion;
    // Which xr.cfg the program reads and writes.
    QLabel *textDeviceFile;
    QTextEdit *textLicense;
    QPushButton *pbOk;

protected:
    // The release line is written each time the dialog opens.
    void showEvent(QShowEvent *event) override;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTextEdit;

// "About Tavrel": the logo, the release line and the program's notice.
class DlgAbout : public QDialog
{
    Q_OBJECT

public:
    explicit DlgAbout(QWidget *parent = nullptr);

    QLabel *pixmapLabel;
    QLabel *textVersion;
    QTextEdit *textLicense;
    QPushButton *pbOk;

protected:
    // The release line is written each time the dialog opens.
    void showEvent(QShowEvent *event) override;
};

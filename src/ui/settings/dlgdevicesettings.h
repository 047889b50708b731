// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settingsform.h"

#include <QDialog>
#include <QString>

#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;

// The recorder's setup pages as ten tabs of fields: read from the recorder
// when the dialog opens, written back on request, kept in .ddf files.
class DlgDeviceSettings : public QDialog
{
    Q_OBJECT

public:
    // What the main window's Settings... entry runs: a Pellet recorder has no
    // such pages and is refused with a warning; otherwise the dialog runs
    // modally and is gone when it closes.
    static void Open(QWidget *parent);

    explicit DlgDeviceSettings(QWidget *parent = nullptr);

    // Reads a .ddf file into the fields and offers to send them.
    void LoadDdf(const QString &name);
    // Writes the fields to a .ddf file; false (after telling the operator)
    // when the file could not be written.
    bool SaveDdf(const QString &name);

    QString CurrentFileName() const { return currentFileName; }

    QTabWidget *tabWidget;
    QGroupBox *groupDevice;
    QPushButton *pb_ImportFromDevice;
    QPushButton *pb_ExportToDevice_2;
    QGroupBox *groupFile;
    QPushButton *pb_Open;
    QPushButton *pb_Save;
    QPushButton *pb_SaveAs;
    QPushButton *pbClose;
    // Names the pages the recorder did not describe at the last read.
    QLabel *lbUnreadPages;

public slots:
    void pb_ImportFromDevice_clicked();
    void pb_ExportToDevice_2_clicked();
    void pb_Open_clicked();
    void pb_SaveAs_clicked();
    void pb_Save_clicked();

protected slots:
    virtual void languageChange();

private:
    void BuildButtons();
    bool Save();
    bool SaveAs();
    void UpdateCaption();
    void ShowUnreadPages(const std::vector<int> &pages);

    SettingsForm form;
    QString currentFileName;
};

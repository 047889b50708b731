// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/setupcommands.h"
#include "remote/refusal.h"
#include "ui/common/keytable.h"

#include <QStringList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;
class RecorderSession;
struct DeviceRecord;

// The third page: the recorder's files (called clips in the operator's
// texts), the loaded file's information, the recording time left on the
// recorder's storage, and the keys that refresh the list and load, create,
// delete and rename files.
//
// A row shows its file's name with any byte outside printable ASCII written
// as \xNN, and " Loaded." after the loaded file's; the name itself, as the
// recorder sent it, rides with the row and is what the commands send back.
class ServerPage : public QWidget
{
    Q_OBJECT

public:
    ServerPage(RecorderSession &session, QWidget *parent);

    static std::vector<KeyInfo> Keys();
    void languageChange();

    // Empties the list, last row first.
    void ClearFileList();
    // Forgets the file last shown (another recorder was chosen), so that the
    // next refresh reloads its information.
    void ForgetLoadedFile() { lastShownFileName.clear(); }
    // Makes the next refresh rebuild the information even for the same file.
    void RequestLoadedFileRefresh() { refreshRequested = true; }

    // Run on every poll of a recorder that keeps files: the title names the
    // file the recorder has loaded, and the information lists describe it.
    void refreshLoadedFile();

    // The name dialog's work: the name upper-cased and sent as a new file
    // (createOrRename 0) or as the loaded file's new name (1).
    void createOrRenameFile(const QString &name);

    // The recorder's name of the file in `row`, and whether it is the
    // loaded one as the list last marked it.
    QString FileNameAt(int row) const;
    bool FileLoadedAt(int row) const;
    // The loaded file the information shows; empty when none is loaded.
    QString LoadedFileName() const { return lastShownFileName; }

    // The refresh and Load keys' work, with why nothing was sent.
    Refusal RefreshFileList();
    Refusal LoadFileAt(int row);

    QGroupBox *buttonGroup15 = nullptr;
    QTableWidget *TableFileList = nullptr;
    QListWidget *lbClipInfos_2 = nullptr;
    QLineEdit *leRemainigTime = nullptr;
    QLabel *fileListLabel = nullptr;
    QLabel *clipInfoLabel = nullptr;
    QLabel *remainingTimeLabel = nullptr;
    QPushButton *pbUpdateListFile = nullptr;
    QPushButton *pbLoadFile = nullptr;
    QPushButton *pbCreateFile_2 = nullptr;
    QPushButton *pbDeleteFile_2 = nullptr;
    QPushButton *pbRenameClip = nullptr;

    // Chosen by the key that opens the name dialog: 0 create, 1 rename.
    quint8 createOrRename = 0;

public slots:
    void pbUpdateListFile_pressed();
    void pbLoadFile_pressed();
    void TableFileList_doubleClicked(int row, int column);
    void pbCreateFile_2_clicked();
    void pbRenameClip_clicked();
    void pbDeleteFile_2_clicked();

private:
    void BuildFields();
    void LayOut();

    // The list.
    void FillFileList(QStringList names);
    void MarkLoadedFile(const QString &loaded, bool select);
    void ShowRemainingTime();
    void AskClipName(quint8 mode);
    QStringList SelectedFileNames() const;

    // The loaded file's refresh (serverloadedfile.cpp).
    void ShowNoFileLoaded();
    void ShowLoadedFileTitle(const QString &name);
    bool RebuildWanted(const QString &name, const SetupPageReply &general, quint8 &dropFrame);
    QStringList PelletLines(const QString &name, DeviceRecord &device);
    QStringList RecorderLines(const SetupPageReply &general, quint8 dropFrame,
                              DeviceRecord &device);
    void ShowInformation(const QStringList &lines);
    void SetRemainingTimeShown(bool shown);

    RecorderSession &session;
    // The loaded file last shown; emptied to make the next refresh reload.
    QString lastShownFileName;
    // Set when the information must be rebuilt although the file is the
    // same: a file opened or segments imported, the drop-frame setting
    // changed.
    bool refreshRequested = false;
    QStringList shownInformation;
};

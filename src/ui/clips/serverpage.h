#pragma once

#include "ui/common/keytable.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;
class RecorderSession;

// The third page: the recorder's files (called clips in the operator's
// texts), the loaded file's information, the recording time left on the
// recorder's storage, and the keys that refresh the list and load, create,
// delete and rename files.
class ServerPage : public QWidget
{
    Q_OBJECT

public:
    ServerPage(RecorderSession &session, QWidget *parent);

    static std::vector<KeyInfo> Keys();
    void languageChange();

    // Empties the list, last row first.
    void ClearFileList();
    // Forgets the file last shown, so that the next refresh reloads it.
    void ForgetLoadedFile() { lastShownFileName.clear(); }

    // Run on every poll of a recorder that keeps files: the title names the
    // file the recorder has loaded.
    void refreshLoadedFile();

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
    void ShowLoadedFileTitle(const QString &name);

    RecorderSession &session;
    // The loaded file last shown; emptied to make the next refresh reload.
    QString lastShownFileName;
};

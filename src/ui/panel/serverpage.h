#pragma once

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QWidget;

// The third page: the recorder's files, the loaded file's information and
// the recording time left on the recorder's storage.
struct ServerPage
{
    QWidget *page = nullptr;
    QTableWidget *TableFileList = nullptr;
    QListWidget *lbClipInfos_2 = nullptr;
    QLineEdit *leRemainigTime = nullptr;
    QLabel *remainingTimeLabel = nullptr;
    QPushButton *pbUpdateListFile = nullptr;
    QPushButton *pbLoadFile = nullptr;
    QPushButton *pbCreateFile_2 = nullptr;
    QPushButton *pbDeleteFile_2 = nullptr;
    QPushButton *pbRenameClip = nullptr;
};

// Builds the page's widgets and layouts inside `page` (the tab "TabPage").
ServerPage BuildServerPage(QWidget *page);

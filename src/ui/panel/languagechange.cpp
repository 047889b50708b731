#include "mainwindow.h"

#include "panelbuttons.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>

namespace {

struct WidgetText
{
    const char *name;
    const char *text;
};

const WidgetText kLabelTexts[] = {
    {"textLabel4_2", "Jog"},
    {"textLabel5", "Shuttle"},
    {"textLabel6", "Slo Mo"},
    {"sliderTxt1", "+ 200%"},
    {"sliderTxt4", "+ 100%"},
    {"sliderTxt2", "0%"},
    {"sliderTxt5", "- 100%"},
    {"sliderTxt3", "- 200%"},
    {"textLabel1", "Menu"},
    {"textLabel1_4", "Chase"},
    {"textLabelA1", "A1"},
    {"textLabelA2", "A2"},
    {"textLabelA3", "A3"},
    {"textLabelA4", "A4"},
    {"textLabelA5", "A5"},
    {"textLabelA6", "A6"},
    {"textLabelA7", "A7"},
    {"textLabelA8", "A8"},
    {"EditLabel2", "New segment name :"},
    {"textLabel1_3", "Disk name :"},
    {"fileListLabel", "Files on the recorder"},
    {"clipInfoLabel", "Loaded file"},
    {"remainingTimeLabel", "Remaining time :"},
    {"bus1Label", "SCSI bus 1"},
    {"bus2Label", "SCSI bus 2"},
};

// Page titles, by the page's object name.
const WidgetText kTabTitles[] = {
    {"tab", "Control"},      {"tab_4", "Segment"},           {"TabPage", "Server"},
    {"TabPage_2", "Expert"}, {"tab_2", "Clip informations"}, {"tab_3", "Capture &"},
};

struct TableHeaders
{
    const char *table;
    const char *headers[3];
};

const TableHeaders kTableHeaders[] = {
    {"TableClipList", {"Name", "In", "Out"}},
    {"TablePlaylist", {"Playlist"}},
    {"TableFileList", {"Name"}},
    {"TableBus1", {"Status", "Mode"}},
    {"TableBus2", {"Status", "Mode"}},
};

} // namespace

void MainWindow::languageChange()
{
    setWindowTitle(QStringLiteral("Tavrel"));
    SetPanelTexts();
    SetMenuTexts();
}

void MainWindow::SetPanelTexts()
{
    for (const WidgetText &label : kLabelTexts)
        findChild<QLabel *>(QLatin1String(label.name))->setText(QLatin1String(label.text));
    for (const WidgetText &title : kTabTitles) {
        auto *page = findChild<QWidget *>(QLatin1String(title.name));
        auto *tabs = qobject_cast<QTabWidget *>(page->parentWidget()->parentWidget());
        tabs->setTabText(tabs->indexOf(page), QLatin1String(title.text));
    }
    for (const TableHeaders &table : kTableHeaders) {
        auto *widget = findChild<QTableWidget *>(QLatin1String(table.table));
        QStringList headers;
        for (int column = 0; column < widget->columnCount(); ++column)
            headers << QLatin1String(table.headers[column]);
        widget->setHorizontalHeaderLabels(headers);
    }
    for (auto *entry = PanelButtonsBegin(); entry != PanelButtonsEnd(); ++entry) {
        findChild<QAbstractButton *>(QLatin1String(entry->name))
            ->setShortcut(QKeySequence(QLatin1String(entry->key)));
    }
}

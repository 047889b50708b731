// SPDX-License-Identifier: GPL-3.0-or-later
#include "soakoperator.h"

#include "devices/connectmenu.h"
#include "devices/devicelists.h"
#include "ui/panel/mainwindow.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include <iterator>

namespace {

constexpr int kShortestPauseMs = 150;
constexpr int kLongestPauseMs = 700;
// A reload of every segment number takes seconds; an operator does it now
// and then, not all the time.
constexpr qint64 kReloadEveryMs = 60000;
// The simulated recorder is the one networked recorder of xr.cfg, after
// "Com1" and "Com2" in the "&Connect" menu.
constexpr int kRecorderMenuId = ConnectMenu::kFirstRecorderMenuId + 2;

const char *const kTransportKeys[] = {"pbPlay", "pbPlay", "pbStop",  "pbStop",
                                      "pbFor",  "pbBack", "pbRecord"};
const char *const kMenuKeys[] = {"pbMenuUp", "pbMenuDown", "pbEsc", "pbEsc", "pbToggle"};
const char *const kDigitKeys[] = {"pb0", "pb1", "pb2", "pb3", "pb4",
                                  "pb5", "pb6", "pb7", "pb8", "pb9"};

} // namespace

SoakOperator::SoakOperator(MainWindow &window, quint32 seed) : window(window), random(seed)
{
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &SoakOperator::Act);
}

void SoakOperator::Start()
{
    timer.start(kShortestPauseMs);
}

void SoakOperator::Stop()
{
    timer.stop();
}

void SoakOperator::Act()
{
    timer.start(kShortestPauseMs + int(random.bounded(kLongestPauseMs - kShortestPauseMs)));
    if (QWidget *modal = QApplication::activeModalWidget()) {
        if (AnswerDialog(modal))
            ++actions;
        return;
    }
    ++actions;
    if (!CurrentDevice) {
        ++reconnections;
        window.SelectControl(kRecorderMenuId);
        return;
    }
    const quint32 choice = random.bounded(100);
    if (choice < 35)
        PressTransportKey();
    else if (choice < 50)
        PressMenuKey();
    else if (choice < 65)
        TypeTimecode();
    else if (choice < 80)
        SwitchPage();
    else if (choice < 95)
        WorkThePlaylist();
    else
        ReloadSegments();
}

// A progress dialog is waited out; a question gets its escape button.
bool SoakOperator::AnswerDialog(QWidget *modal)
{
    auto *box = qobject_cast<QMessageBox *>(modal);
    if (!box)
        return false;
    if (QAbstractButton *escape = box->escapeButton())
        escape->click();
    else
        box->reject();
    return true;
}

void SoakOperator::PressTransportKey()
{
    Press(kTransportKeys[random.bounded(int(std::size(kTransportKeys)))]);
}

void SoakOperator::PressMenuKey()
{
    Press(kMenuKeys[random.bounded(int(std::size(kMenuKeys)))]);
}

// A time within the first minutes of the material: 00:0m:ss:ff.
void SoakOperator::TypeTimecode()
{
    const int digits[8] = {0,
                           0,
                           0,
                           int(random.bounded(3)),
                           int(random.bounded(6)),
                           int(random.bounded(10)),
                           int(random.bounded(2)),
                           int(random.bounded(10))};
    for (const int digit : digits)
        Press(kDigitKeys[digit]);
    Press("pbGoto");
}

void SoakOperator::SwitchPage()
{
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    tabs->setCurrentIndex(int(random.bounded(tabs->count())));
}

// Puts a segment after the playlist's current row and starts the playlist,
// or stops it.
void SoakOperator::WorkThePlaylist()
{
    auto *segments = window.findChild<QTableWidget *>(QStringLiteral("TableClipList"));
    if (random.bounded(3) == 0 || segments->rowCount() == 0) {
        Press("pbAbort");
        return;
    }
    segments->setCurrentCell(int(random.bounded(segments->rowCount())), 0);
    Press("pbAddAfter");
    Press("pbStart");
}

void SoakOperator::ReloadSegments()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - lastReloadMs < kReloadEveryMs)
        return;
    lastReloadMs = now;
    window.reloadSegmentList();
}

QPushButton *SoakOperator::Key(const char *name) const
{
    return window.findChild<QPushButton *>(QLatin1String(name));
}

void SoakOperator::Press(const char *name)
{
    if (QPushButton *key = Key(name); key && key->isEnabled())
        key->click();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Every key, display line and meter of the Control page carries the name a
// screen reader announces and a tool tip with that name and the keyboard key
// that presses it, the key really being that key.

#include "ui/panel/mainwindow.h"

#include <QAbstractButton>
#include <QTest>

namespace {

struct Named
{
    const char *object;
    const char *name;
    const char *key; // "" for none
};

const Named kControlPage[] = {
    {"pbPlay", "Play", "Space"},
    {"pbStop", "Stop", "S"},
    {"pbRecord", "Record", "R"},
    {"pbFor", "Fast forward", "End"},
    {"pbBack", "Rewind", "Del"},
    {"pbLock", "Lock", "Ins"},
    {"pbOption", "Option", "Tab"},
    {"pbR", "Recorder side", "F2"},
    {"pbP", "Player side", "F3"},
    {"pbRemoteLocal", "Remote/Local", "F6"},
    {"pbOffLtc", "LTC", "F5"},
    {"pbATTC", "Timer/Timecode", "F4"},
    {"rbJog", "Jog", "F7"},
    {"rbShuttle", "Shuttle", "F8"},
    {"rbSloMo", "Slow motion", "F9"},
    {"potent", "Dial", ""},
    {"slider", "Slow motion speed", ""},
    {"pbMenuUp", "Menu up", "Up"},
    {"pbMenuDown", "Menu down", "Down"},
    {"pbToggle", "Toggle", "T"},
    {"pbmoinsmoins", "Minus", "-"},
    {"pbPlusPlus", "Plus", "+"},
    {"pbEsc", "Esc", "Esc"},
    {"pbEnter", "Enter", "Return"},
    {"pbRecall", "Recall", "Shift+R"},
    {"pbSav", "Save", "Shift+S"},
    {"pb0", "0", "0"},
    {"pb1", "1", "1"},
    {"pb2", "2", "2"},
    {"pb3", "3", "3"},
    {"pb4", "4", "4"},
    {"pb5", "5", "5"},
    {"pb6", "6", "6"},
    {"pb7", "7", "7"},
    {"pb8", "8", "8"},
    {"pb9", "9", "9"},
    {"pbDot", "Dot", "."},
    {"pbclear", "Clear", "C"},
    {"pbBksp", "Backspace", "Ctrl+Space"},
    {"pbIn", "In", "I"},
    {"pbOut", "Out", "O"},
    {"pbGoto", "Goto", "G"},
    {"pbCapture", "Capture", "F10"},
    {"pbLocate", "Locate", "L"},
    {"pbTC1", "Memory 1", ""},
    {"pbTC2", "Memory 2", ""},
    {"pbTC3", "Memory 3", ""},
    {"pbTC4", "Memory 4", ""},
    {"lineLCD1", "Display upper line", ""},
    {"lineLCD3", "Display lower line", ""},
    {"A1", "Audio level 1", ""},
    {"A2", "Audio level 2", ""},
    {"A3", "Audio level 3", ""},
    {"A4", "Audio level 4", ""},
    {"A5", "Audio level 5", ""},
    {"A6", "Audio level 6", ""},
    {"A7", "Audio level 7", ""},
    {"A8", "Audio level 8", ""},
};

} // namespace

class PanelNamesTest : public QObject
{
    Q_OBJECT

private slots:
    void controlPageIsNamed();
};

void PanelNamesTest::controlPageIsNamed()
{
    MainWindow window;
    QWidget *page = window.findChild<QWidget *>(QStringLiteral("tab"));
    QVERIFY(page);
    for (const Named &entry : kControlPage) {
        auto *widget = page->findChild<QWidget *>(QLatin1String(entry.object));
        QVERIFY2(widget, entry.object);
        const QString name = QLatin1String(entry.name);
        const QString key = QLatin1String(entry.key);
        QCOMPARE(widget->accessibleName(), name);
        QCOMPARE(widget->toolTip(),
                 key.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, key));
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            QCOMPARE(button->shortcut(), QKeySequence(key));
    }
}

QTEST_MAIN(PanelNamesTest)
#include "tst_panelnames.moc"

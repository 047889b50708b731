#include "panelbuttons.h"

#include "app/images/imagefactory.h"

#include <QIcon>
#include <QPushButton>

#include <cstring>
#include <iterator>

namespace {

constexpr PanelPage C = PanelPage::Control;
constexpr PanelPage S = PanelPage::Segment;
constexpr PanelPage F = PanelPage::Server;
constexpr PanelPage E = PanelPage::Expert;

// The faces are those of the released keys; the panel refresh changes the
// transport and status faces as the recorder reports its state.
const PanelButtonEntry kPanelButtons[] = {
    // Control page: time-code keypad.
    {"pb0", "0.png", "0", C},
    {"pb1", "1.png", "1", C},
    {"pb2", "2.png", "2", C},
    {"pb3", "3.png", "3", C},
    {"pb4", "4.png", "4", C},
    {"pb5", "5.png", "5", C},
    {"pb6", "6.png", "6", C},
    {"pb7", "7.png", "7", C},
    {"pb8", "8.png", "8", C},
    {"pb9", "9.png", "9", C},
    {"pbDot", "dot.png", ".", C},
    {"pbclear", "Clear.png", "C", C},
    {"pbBksp", "Bksp.png", "Ctrl+Space", C},
    {"pbIn", "In.png", "I", C},
    {"pbOut", "Out.png", "O", C},
    {"pbGoto", "Goto.png", "G", C},
    // Control page: the recorder's menu keys.
    {"pbEnter", "Enter.png", "Return", C},
    {"pbEsc", "Esc.png", "Esc", C},
    {"pbMenuUp", "Up.png", "Up", C},
    {"pbMenuDown", "Down.png", "Down", C},
    {"pbToggle", "Toggle.png", "T", C},
    {"pbmoinsmoins", "moinsmoins.png", "-", C},
    {"pbPlusPlus", "plusplus.png", "+", C},
    {"pbSav", "Save.png", "Shift+S", C},
    {"pbRecall", "Recall.png", "Shift+R", C},
    // Control page: transport, modifiers, sides and status keys.
    {"pbOption", "Option.png", "Tab", C},
    {"pbLock", "Lock.png", "Ins", C},
    {"pbPlay", "playu.png", "Space", C},
    {"pbStop", "stopu.png", "S", C},
    {"pbRecord", "recu.png", "R", C},
    {"pbFor", "rewu.png", "End", C},
    {"pbBack", "backu.png", "Del", C},
    {"pbR", "RU.png", "F2", C},
    {"pbP", "PU.png", "F3", C},
    {"pbATTC", "TC.png", "F4", C},
    {"pbOffLtc", "OFF.png", "F5", C},
    {"pbRemoteLocal", "REM.png", "F6", C},
    // Control page: speed modes and the time-code memories.
    {"rbJog", "rbu.png", "F7", C},
    {"rbShuttle", "rbu.png", "F8", C},
    {"rbSloMo", "rbu.png", "F9", C},
    {"pbCapture", "Capture.png", "F10", C},
    {"pbLocate", "Locate.png", "L", C},
    // Segment page.
    {"pb_Enter", "Enter.png", "Return", S},
    {"pbEsc2", "Esc.png", "Esc", S},
    {"pbStart", "Start.png", "Space", S},
    {"pbPause", "Pause.png", "P", S},
    {"pbAbort", "Abort.png", "A", S},
    {"pbLoop", "Loop.png", "L", S},
    {"pbPrev", "Previous.png", "PgUp", S},
    {"pbNext", "Next.png", "PgDown", S},
    {"pbClip", "Segment.png", "S", S},
    {"pbClipIn", "In.png", "I", S},
    {"pbClipOut", "Out.png", "O", S},
    {"pbAddBefore", "AddBefore.png", "Shift+B", S},
    {"pbAddAfter", "AddAfter.png", "Shift+A", S},
    {"pbRemove", "RemoveSel.png", "Del", S},
    {"pbRemoveAll", "RemoveAll.png", "Shift+Del", S},
    // Server page. Shift+L loads; the rename key beside it has no key of its
    // own, since one key on two buttons of a page would press neither.
    {"pbUpdateListFile", "Update.png", "U", F},
    {"pbLoadFile", "Load.png", "Shift+L", F},
    {"pbCreateFile_2", "Create.png", "Shift+C", F},
    {"pbDeleteFile_2", "Delete.png", "Del", F},
    {"pbRenameClip", "rename.png", "", F},
    // Expert page.
    {"pbScan", "Scan.png", "", E},
    {"pbFormat", "Format.png", "", E},
    {"pbApply", "Apply.png", "", E},
    {"pbApply2", "Apply.png", "", E},
};

const char *const kFaceProperty = "panelFace";

} // namespace

const PanelButtonEntry *PanelButtonsBegin()
{
    return std::begin(kPanelButtons);
}

const PanelButtonEntry *PanelButtonsEnd()
{
    return std::end(kPanelButtons);
}

const PanelButtonEntry *FindPanelButton(const QString &name)
{
    for (const PanelButtonEntry &entry : kPanelButtons) {
        if (name == QLatin1String(entry.name))
            return &entry;
    }
    return nullptr;
}

QPushButton *MakePanelButton(QWidget *parent, const char *name)
{
    const PanelButtonEntry *entry = FindPanelButton(QLatin1String(name));
    Q_ASSERT(entry);
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setProperty("panelKey", true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFlat(true);
    const QSize faceSize = ImageFactory::Instance().Image(QLatin1String(entry->face)).size();
    button->setIconSize(faceSize);
    button->setFixedSize(faceSize + QSize(2, 2));
    ShowFace(button, entry->face);
    return button;
}

void ShowFace(QAbstractButton *button, const char *face)
{
    if (ShownFace(button) == QLatin1String(face))
        return;
    button->setProperty(kFaceProperty, QString::fromLatin1(face));
    button->setIcon(QIcon(ImageFactory::Instance().Pixmap(QLatin1String(face))));
}

QString ShownFace(const QAbstractButton *button)
{
    return button->property(kFaceProperty).toString();
}

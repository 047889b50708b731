// SPDX-License-Identifier: GPL-3.0-or-later
#include "dlgaskclipname.h"

#include "serverpage.h"

#include "protocol/filecommands.h"
#include "ui/common/faces.h"
#include "ui/common/widgetfactory.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Characters the recorder's file names cannot hold.
const QString kForbidden = QStringLiteral(" ;,-!?.*$&/\\\u00A7#%");

bool PrintableAscii(QChar c)
{
    return c.unicode() >= 0x21 && c.unicode() <= 0x7E;
}

} // namespace

QString ClipNameRefusal(const QString &name)
{
    if (name.size() > kFileNameLength)
        return QStringLiteral("Clip name length is limited to 8 characters.");
    // A name travels as its bytes, so only printable ASCII reaches the
    // recorder unchanged.
    for (const QChar c : name) {
        if (kForbidden.contains(c) || !PrintableAscii(c))
            return QStringLiteral("Please check clip name. Characters like '*', '#', space (...) "
                                  "are not allowed.");
    }
    return {};
}

DlgAskClipName::DlgAskClipName(ServerPage &page, QWidget *parent)
    : QDialog(parent), textLabel1(NewLabel(this, "textLabel1")),
      leNewClipName(NewNamed<QLineEdit>(this, "leNewClipName")),
      pbOk(NewPictureButton(this, "pbOk", "Ok.png")),
      pbClose(NewPictureButton(this, "pbClose", "Close.png")), page(page)
{
    setObjectName(QStringLiteral("DlgAskClipName"));
    setModal(true);
    textLabel1->setBuddy(leNewClipName);
    leNewClipName->setAccessibleName(QStringLiteral("Clip name"));
    leNewClipName->setToolTip(QStringLiteral("Clip name"));
    Describe(pbOk, "OK", "Return");
    Describe(pbClose, "Close");
    pbOk->setShortcut(QKeySequence(Qt::Key_Return));
    for (QPushButton *button : {pbOk, pbClose})
        button->setAutoDefault(false);

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(textLabel1);
    nameRow->addWidget(leNewClipName, 1);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(pbOk);
    buttonRow->addWidget(pbClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(pbOk, &QPushButton::pressed, this, &DlgAskClipName::pbOk_pressed);
    connect(pbClose, &QPushButton::pressed, this, &DlgAskClipName::pbClose_pressed);
    languageChange();
}

void DlgAskClipName::languageChange()
{
    setWindowTitle(QStringLiteral("Enter clip name :"));
    textLabel1->setText(QStringLiteral("Clip name :"));
}

void DlgAskClipName::pbOk_pressed()
{
    const QString name = leNewClipName->text();
    const QString refusal = ClipNameRefusal(name);
    if (!refusal.isEmpty()) {
        QMessageBox::information(this, QStringLiteral("Tavrel"), refusal);
        return;
    }
    // No file can have an empty name; the dialog simply waits for one.
    if (name.isEmpty())
        return;
    page.createOrRenameFile(name);
    page.pbUpdateListFile_pressed();
    accept();
}

void DlgAskClipName::pbClose_pressed()
{
    reject();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "dlgabout.h"

#include "app/images/imagefactory.h"
#include "app/version.h"
#include "devices/deviceregistry.h"
#include "ui/common/faces.h"
#include "ui/common/widgetfactory.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

const char kNotice[] =
    "Tavrel drives a video disk recorder of the XR family or a Pellet recorder "
    "from a desktop computer, over Ethernet or a serial line, as if from the "
    "recorder's own front panel.\n\n"
    "This program is provided \"as is\", without warranty of any kind, express "
    "or implied, including but not limited to the warranties of merchantability, "
    "fitness for a particular purpose and non-infringement. In no event shall "
    "the authors or copyright holders be liable for any claim, damages or other "
    "liability arising from, out of or in connection with the program or its "
    "use, including the loss or alteration of material stored on a recorder.\n\n"
    "Formatting disks, erasing segments and deleting files on a recorder cannot "
    "be undone. Keep copies of material you cannot afford to lose.\n\n"
    "The names of the recorders belong to their respective owners.";

} // namespace

DlgAbout::DlgAbout(QWidget *parent)
    : QDialog(parent), pixmapLabel(NewLabel(this, "pixmapLabel")),
      textVersion(NewLabel(this, "textVersion")), textDeviceFile(NewLabel(this, "textDeviceFile")),
      textLicense(NewNamed<QTextEdit>(this, "textLicense")),
      pbOk(NewPictureButton(this, "pbOk", "Ok.png"))
{
    setObjectName(QStringLiteral("DlgAbout"));
    setWindowTitle(QStringLiteral("About Tavrel"));

    const QString logoName = QStringLiteral("kavoni-logo.jpg");
    pixmapLabel->setPixmap(ImageFactory::Instance().Pixmap(logoName, devicePixelRatioF()));
    pixmapLabel->setScaledContents(true);
    pixmapLabel->setFixedSize(ImageFactory::Instance().Image(logoName).size());

    QFont releaseFont = textVersion->font();
    releaseFont.setBold(true);
    textVersion->setFont(releaseFont);

    textDeviceFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    textDeviceFile->setWordWrap(true);

    textLicense->setReadOnly(true);
    textLicense->setPlainText(QLatin1String(kNotice));
    textLicense->setMinimumSize(420, 200);

    Describe(pixmapLabel, "Logo");
    Describe(textLicense, "Agreement");
    Describe(pbOk, "OK");
    connect(pbOk, &QPushButton::clicked, this, &QDialog::accept);

    auto *lines = new QVBoxLayout;
    lines->addWidget(textVersion);
    lines->addWidget(textDeviceFile);
    auto *head = new QHBoxLayout;
    head->addWidget(pixmapLabel);
    head->addLayout(lines, 1);
    auto *foot = new QHBoxLayout;
    foot->addStretch(1);
    foot->addWidget(pbOk);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(textLicense, 1);
    layout->addLayout(foot);
}

void DlgAbout::showEvent(QShowEvent *event)
{
    textVersion->setText(
        QStringLiteral("Tavrel, Release version %1").arg(QLatin1String(kTavrelVersion)));
    textDeviceFile->setText(
        QStringLiteral("Recorder list: %1")
            .arg(QDir::toNativeSeparators(QFileInfo(DeviceFileInUse()).absoluteFilePath())));
    QDialog::showEvent(event);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "adddevicedialog.h"

#include "app/images/imagefactory.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// One byte of the address; screen readers call it by the label and its
// place: "IP Address 1" to "IP Address 4".
QSpinBox *AddressByteBox(QWidget *parent, int place)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QStringLiteral("spinBox%1").arg(place));
    box->setRange(0, 255);
    box->setAlignment(Qt::AlignRight);
    const QString name = QStringLiteral("IP Address %1").arg(place);
    box->setAccessibleName(name);
    box->setToolTip(name);
    return box;
}

// The dialog's buttons show their word in the picture itself, so they carry
// it as their accessible name too.
QPushButton *PictureButton(QWidget *parent, const char *objectName, const char *image,
                           const QString &name, const QString &toolTip)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(objectName));
    const QString face = QLatin1String(image);
    button->setIcon(ImageFactory::Instance().Icon(face));
    button->setIconSize(ImageFactory::Instance().Image(face).size());
    button->setAccessibleName(name);
    button->setToolTip(toolTip);
    return button;
}

} // namespace

Add_XR::Add_XR(QWidget *parent)
    : QDialog(parent), textLabel1(new QLabel(QStringLiteral("IP Address :"), this)),
      spinBox1(AddressByteBox(this, 1)), spinBox2(AddressByteBox(this, 2)),
      spinBox3(AddressByteBox(this, 3)), spinBox4(AddressByteBox(this, 4)),
      pbAddXR(PictureButton(this, "pbAddXR", "Add.png", QStringLiteral("OK"),
                            QStringLiteral("OK (Return)"))),
      pbCancel(PictureButton(this, "pbCancel", "Cancel.png", QStringLiteral("Cancel"),
                             QStringLiteral("Cancel")))
{
    setObjectName(QStringLiteral("Add_XR"));
    setWindowTitle(QStringLiteral("Add XR"));
    setModal(true);
    textLabel1->setObjectName(QStringLiteral("textLabel1"));
    textLabel1->setBuddy(spinBox1);
    pbAddXR->setShortcut(QKeySequence(Qt::Key_Return));

    auto *addressRow = new QHBoxLayout;
    addressRow->addWidget(textLabel1);
    for (QSpinBox *box : {spinBox1, spinBox2, spinBox3, spinBox4})
        addressRow->addWidget(box);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(pbAddXR);
    buttonRow->addWidget(pbCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(addressRow);
    layout->addSpacing(8);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(pbAddXR, &QPushButton::clicked, this, &Add_XR::pbAddXR_clicked);
    connect(pbCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void Add_XR::pbAddXR_clicked()
{
    addressText = QString::asprintf("%03i.%03i.%03i.%03i", spinBox1->value(), spinBox2->value(),
                                    spinBox3->value(), spinBox4->value());
    accept();
}

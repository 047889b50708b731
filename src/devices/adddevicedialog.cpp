#include "adddevicedialog.h"

#include "app/images/imagefactory.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox *AddressByteBox(QWidget *parent, const char *name)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(0, 255);
    box->setAlignment(Qt::AlignRight);
    return box;
}

// The dialog's buttons show their word in the picture itself.
QPushButton *PictureButton(QWidget *parent, const char *name, const char *image)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    const QPixmap face = ImageFactory::Instance().Pixmap(QLatin1String(image));
    button->setIcon(face);
    button->setIconSize(face.size());
    return button;
}

} // namespace

Add_XR::Add_XR(QWidget *parent)
    : QDialog(parent), textLabel1(new QLabel(QStringLiteral("IP Address :"), this)),
      spinBox1(AddressByteBox(this, "spinBox1")), spinBox2(AddressByteBox(this, "spinBox2")),
      spinBox3(AddressByteBox(this, "spinBox3")), spinBox4(AddressByteBox(this, "spinBox4")),
      pbAddXR(PictureButton(this, "pbAddXR", "Add.png")),
      pbCancel(PictureButton(this, "pbCancel", "Cancel.png"))
{
    setObjectName(QStringLiteral("Add_XR"));
    setWindowTitle(QStringLiteral("Add XR"));
    setModal(true);
    textLabel1->setObjectName(QStringLiteral("textLabel1"));
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "dlgrecordtraffic.h"

#include "traffic/trafficrecorder.h"
#include "ui/common/widgetfactory.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

constexpr qint64 kMegabyte = 1024 * 1024;
constexpr int kMaxRotateMegabytes = 1024 * 1024;

} // namespace

DlgRecordTraffic::DlgRecordTraffic(QWidget *parent)
    : QDialog(parent), textLabelFile(NewLabel(this, "textLabelFile")),
      leFile(NewNamed<QLineEdit>(this, "leFile")),
      pbBrowse(NewNamed<QPushButton>(this, "pbBrowse")),
      textLabelRotate(NewLabel(this, "textLabelRotate")),
      sbRotate(NewNamed<QSpinBox>(this, "sbRotate")),
      buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName(QStringLiteral("DlgRecordTraffic"));
    setWindowTitle(QStringLiteral("Record traffic to file"));
    textLabelFile->setText(QStringLiteral("File (.txt lines, or .pcapng for Wireshark) :"));
    leFile->setText(QDir::current().filePath(QStringLiteral("session.txt")));
    pbBrowse->setText(QStringLiteral("Browse..."));
    textLabelRotate->setText(QStringLiteral("Start a new file every :"));
    sbRotate->setRange(0, kMaxRotateMegabytes);
    sbRotate->setSuffix(QStringLiteral(" MB"));
    sbRotate->setSpecialValueText(QStringLiteral("never"));
    sbRotate->setValue(static_cast<int>(TrafficRecorder::kDefaultRotateBytes / kMegabyte));
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Record"));
    Describe(leFile, "File");
    Describe(sbRotate, "Start a new file every");

    connect(pbBrowse, &QPushButton::clicked, this, &DlgRecordTraffic::pbBrowse_clicked);
    connect(leFile, &QLineEdit::textChanged, this, &DlgRecordTraffic::FollowFile);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *grid = new QGridLayout(this);
    grid->addWidget(textLabelFile, 0, 0, 1, 2);
    grid->addWidget(leFile, 1, 0);
    grid->addWidget(pbBrowse, 1, 1);
    grid->addWidget(textLabelRotate, 2, 0);
    grid->addWidget(sbRotate, 2, 1);
    grid->addWidget(buttons, 3, 0, 1, 2);
    setMinimumWidth(480);
}

QString DlgRecordTraffic::Path() const
{
    return leFile->text().trimmed();
}

qint64 DlgRecordTraffic::RotateBytes() const
{
    return sbRotate->value() * kMegabyte;
}

void DlgRecordTraffic::pbBrowse_clicked()
{
    const QString chosen = QFileDialog::getSaveFileName(
        this, QStringLiteral("Record traffic to file"), Path(),
        QStringLiteral("Traffic lines (*.txt);;pcapng, UDP only (*.pcapng);;All files (*)"));
    if (!chosen.isEmpty())
        leFile->setText(chosen);
}

// Recording needs a file name.
void DlgRecordTraffic::FollowFile()
{
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!Path().isEmpty());
}

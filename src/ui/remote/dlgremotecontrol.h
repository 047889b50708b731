// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "remote/remotesettings.h"

#include <QDialog>

class QCheckBox;
class GatewaySettingsBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class RemoteControl;

// "Remote control": whether remote clients may drive the window, on which
// port and interface, with which tokens, and what they may do beyond the
// window's keys; below, the deck-protocol gateway and OSC. OK applies and stores the settings;
// settings that would open the program beyond loopback without a token, or a port that cannot be
// taken, are refused with a box and the dialog stays open.
class DlgRemoteControl : public QDialog
{
    Q_OBJECT

public:
    DlgRemoteControl(RemoteControl &remote, QWidget *parent);

    void languageChange();
    // The settings as the dialog shows them.
    RemoteSettings Settings() const;

    QCheckBox *cbRemoteEnabled = nullptr;
    QLabel *textLabelPort = nullptr;
    QSpinBox *sbRemotePort = nullptr;
    QLabel *textLabelListen = nullptr;
    QComboBox *cbRemoteListen = nullptr;
    QLabel *textLabelToken = nullptr;
    QLineEdit *leRemoteToken = nullptr;
    QPushButton *pbGenerateToken = nullptr;
    QCheckBox *cbReadOnlyAllowed = nullptr;
    QLabel *textLabelReadOnlyToken = nullptr;
    QLineEdit *leReadOnlyToken = nullptr;
    QPushButton *pbGenerateReadOnlyToken = nullptr;
    QCheckBox *cbRecordingAllowed = nullptr;
    QLabel *textLabelTimeRate = nullptr;
    QSpinBox *sbTimeRate = nullptr;
    GatewaySettingsBox *gateways = nullptr;
    QLabel *lbRemoteStatus = nullptr;
    QPushButton *pbOk = nullptr;
    QPushButton *pbCancel = nullptr;

public slots:
    void pbOk_clicked();
    void pbCancel_clicked();
    void pbGenerateToken_clicked();
    void pbGenerateReadOnlyToken_clicked();
    void cbReadOnlyAllowed_toggled(bool on);

private:
    void BuildWidgets();
    void Show(const RemoteSettings &settings);
    void LayOut();

    RemoteControl &remote;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "trafficfeed.h"

#include <QTimer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TrafficFilter;
class TrafficModel;

// "Traffic monitor": a window beside the main one listing every exchange
// with the recorders as it happens, one row each — time, direction,
// recorder, the command in words and its bytes, the reply's bytes and what
// they say, the round trip and the outcome — with the latency of the last
// minute below. The operator pauses and clears the list, filters it by
// command group, by outcome and with or without polling, searches it and
// copies rows. It watches only while it is shown: a closed monitor costs
// the engine and the links nothing.
class TrafficMonitor : public QWidget
{
    Q_OBJECT

public:
    // The list takes what came in, and the latency figure is made, this
    // often: each time the list takes rows it is redrawn whole, which is
    // most of what a shown monitor costs.
    static constexpr int kRefreshMs = 1000;

    explicit TrafficMonitor(QWidget *parent = nullptr);
    ~TrafficMonitor() override;

    QPushButton *pbPause;
    QPushButton *pbClear;
    QComboBox *cbGroup;
    QComboBox *cbOutcome;
    QCheckBox *chkPolling;
    QLineEdit *leSearch;
    QPushButton *pbCopy;
    QTableView *tableTraffic;
    QLabel *lbLatency;

    TrafficModel *Model() const { return model; }
    // Takes what came in and refreshes the latency figure now, as the
    // refresh timer does.
    void Refresh();
    // The selected rows as shown, tab between columns, a line each.
    QString SelectedRowsText() const;

public slots:
    void pbPause_toggled(bool paused);
    void pbClear_clicked();
    void pbCopy_clicked();
    void cbGroup_activated(int index);
    void cbOutcome_activated(int index);
    void chkPolling_toggled(bool shown);
    void leSearch_textChanged(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void BuildFilters();
    QWidget *BuildBar();
    void ShowLatency();
    void FollowNewRows(bool atBottom);

    TrafficFeed feed;
    TrafficModel *model;
    TrafficFilter *filter;
    QTimer refresh;
};

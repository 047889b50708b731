#pragma once

#include <QObject>

class RecorderSession;

// The segment list and the playlist written out as CSV files.
class CsvExport : public QObject
{
    Q_OBJECT

public:
    CsvExport(RecorderSession &session, QObject *parent);

public slots:
    void ExportClipCSV_activated();
    void ExportPListToCSV_activated();
    void DoExportClipCSV();

private:
    RecorderSession &session;
};

#include "csvexport.h"

#include "ui/common/recordersession.h"

CsvExport::CsvExport(RecorderSession &session, QObject *parent) : QObject(parent), session(session)
{}

void CsvExport::ExportClipCSV_activated() {}

void CsvExport::ExportPListToCSV_activated() {}

void CsvExport::DoExportClipCSV() {}

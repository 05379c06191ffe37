#pragma once
// What the record list window tells the user about its export, its repair of
// the lists and its search history.
#include "store/StoreResult.h"

#include <QString>

namespace LogListMessages {

// The title of the repair's boxes.
QString RepairTitle();
// The question before the lists are rebuilt.
QString RepairQuestion();
// What the rebuild came to: done, or which folders or file stood in its way.
QString RepairOutcome(const StoreResult& result);

// Part of the result was not written: found - exported records were missing.
QString ExportShortfall(qsizetype found, qsizetype exported, const QString& path);
// The export file could not be written.
QString ExportFailed(const QString& path);

// The tooltip of a result line: the record's first lines, each cut short, and
// its category, shown as plain text.
QString RecordToolTip(const QString& text, const QString& category);

// The search history could not be written to its file.
QString HistoryNotSaved(const QString& path);

} // namespace LogListMessages

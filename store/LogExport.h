#pragma once
// Writing found records into a new data file, one element at a time, so no
// document of them all is built first.
#include "store/DateList.h"

#include <QString>

class LogList;

// Writes the records of the dates (in their order; a date without a record is
// left out) to path as a data file: the same bytes XMLFile writes for a new
// document holding them. False when the file could not be written; an old
// file at the path is then untouched. *exported counts the records written.
// The file follows the umask: it is the user's to pass on.
bool ExportLogs(LogList& book, const DateList& dates, const QString& path,
                qsizetype* exported = nullptr);

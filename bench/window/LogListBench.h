#pragma once
#include <QString>

class QTextStream;

// Times the record list window on a data folder (made by quillmere-bench
// --generate): opening it with its three lists filled and the first search
// shown, then text searches through the search box with the result list
// refilled. Needs a QApplication. Returns false when the folder holds no records.
bool RunLogListBenchmark(const QString& dataFolder, QTextStream& out);

// Exports every record of the first search (no condition) of a fresh window
// and book: the time and the process's peak memory, so best run in a process
// of its own.
bool RunExportAllBenchmark(const QString& dataFolder, QTextStream& out);

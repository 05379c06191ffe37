#pragma once
#include <QString>

class QTextStream;

// Times the main window on a copy of a data folder (made by quillmere-bench
// --generate), so the records it writes never reach the original: the record
// book's load, opening the window (construction, showing, first paint, category
// box filled) and recordings through the record button, category refill
// included. Needs a QApplication. Returns false when the folder holds
// no records or could not be copied.
bool RunMainWindowBenchmark(const QString& dataFolder, QTextStream& out);

#pragma once
#include <QString>
#include <QTextStream>

// Times the record book on a copy of a data folder, so the folder given is
// never changed, and prints one "name: value unit" line per figure.
struct BenchmarkOptions {
    QString folder;
    QString word;     // the text condition; empty picks one
    QString category; // the category condition; empty picks one
};

// False, with a reason, when the folder could not be copied.
bool RunStoreBenchmark(const BenchmarkOptions& options, QTextStream& out, QString* error);

#pragma once
#include <QString>

// Writes a data folder like years of real use: month files in the program's
// format, "logdate.list" and "category.list".
struct GeneratorOptions {
    QString folder;
    int years = 20;
    int perDay = 20;
    unsigned seed = 1;
};

// The number of records written; -1 when the folder could not be written.
qint64 GenerateDataFolder(const GeneratorOptions& options, QString* error);

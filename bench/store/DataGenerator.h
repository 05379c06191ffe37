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

struct GeneratedFolder {
    qint64 records = -1;      // -1 when the folder could not be written
    qsizetype categories = 0; // entries of "category.list"
};

GeneratedFolder GenerateDataFolder(const GeneratorOptions& options, QString* error);

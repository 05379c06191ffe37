#pragma once
// The work of one run of the migration tool, on the folder it is given.
#include "Log.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace update {

class Migrator {
public:
    // The program folder; every path the tool touches lies below it.
    explicit Migrator(const QString& folder);

    // Every "*.diary" in a subfolder of the folder, at any depth (not the
    // folder itself), in a stable order.
    QStringList FindDataFiles() const;

    // Copies "Quillmere.ini" into each data folder that has none, then deletes it.
    void MigrateSettingsFile() const;

    // Rewrites one data file in the current record format. A file that does
    // not parse is reported and left as it is; false then, and when the
    // file cannot be replaced.
    bool ConvertDataFile(const QString& path) const;

    // Empty when the file does not parse; ok tells that case from an empty file.
    QList<Log> ReadRecords(const QString& path, bool* ok = nullptr) const;

    static const QString SettingsFileName;
    // Title of every message the tool shows.
    static const QString Caption;

private:
    QString folder_;
};

// Makes the parser read every Shift_JIS name as code page 932, the way the
// Windows program wrote its files. Safe to call more than once.
void RegisterCodePage932();

}  // namespace update

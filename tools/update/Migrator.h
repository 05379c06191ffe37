#pragma once
// The work of one run of the migration tool, on the folder it is given.
#include "tools/update/Log.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace update {

class Migrator {
public:
    // The program folder; every path the tool touches lies below it.
    explicit Migrator(const QString& folder);

    // Every "*.diary" in a subfolder of the folder, at any depth (not the
    // folder itself), folder by folder in name order.
    QStringList FindDataFiles() const;

    // Copies "Quillmere.ini" into each data folder that has none, then deletes
    // it, unless a copy failed or there was no data folder: the old file is then
    // the only copy of those settings and is kept for the next run.
    void MigrateSettingsFile() const;

    // Rewrites one data file in the current record format. A file that does
    // not parse is reported and left as it is; false then, and when the
    // file cannot be replaced.
    bool ConvertDataFile(const QString& path) const;

    // Empty when the file does not parse (reported by the data file itself);
    // ok tells that case from a file without records.
    QList<Log> ReadRecords(const QString& path, bool* ok = nullptr) const;

    static const QString SettingsFileName;
    // Title of the tool's own messages.
    static const QString Caption;

private:
    QString folder_;
};

} // namespace update

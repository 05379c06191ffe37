#pragma once
// The work of one run of the migration tool, on the folder it is given.
#include "env/FSOHelper.h"
#include "env/FolderLock.h"
#include "tools/update/Log.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace update {

// What a run could not do, each file or folder named relative to the tool's
// folder, for the message at its end.
struct RunReport {
    QStringList foldersInUse;      // a running Quillmere holds them: left as they are
    QStringList unreadableFolders; // could not be searched for data files
    QStringList notRead;           // data files that do not parse: left as they are
    QStringList loadErrors;        // what is wrong with each of them, one message a file
    QStringList notWritten;        // data files that could not be replaced (read-only...)
    QStringList settingsNotCopied; // data folders that did not get the settings file
    // Files with records whose date-time could not be read, and how many each
    // has; those records were written with the zero date-time, their text kept.
    QList<QPair<QString, int>> undated;

    // Every file converted and every settings copy written.
    bool Complete() const;
};

class Migrator {
public:
    // The program folder; every path the tool touches lies below it.
    explicit Migrator(const QString& folder);

    // Every "*.diary" in a subfolder of the folder, at any depth (not the
    // folder itself), folder by folder in name order. Folders that cannot be
    // read are named in *unreadable.
    QList<FileEntry> FindDataFiles(QStringList* unreadable = nullptr) const;

    // Copies "Quillmere.ini" into each data folder that has none, then deletes
    // it, unless a copy failed, a folder was in use or there was no data folder:
    // the old file is then the only copy of those settings and is kept for the
    // next run. Returns the folders whose copy failed.
    QStringList MigrateSettingsFile();

    enum class Outcome { Converted, InUse, NotRead, NotWritten };
    // Rewrites one data file in the current record format, unless its data
    // folder is in use. A file that does not parse is reported and left as it
    // is; *loadError then tells why. *undated gets the number of records whose
    // date-time could not be read.
    Outcome ConvertDataFile(const FileEntry& file, int* undated = nullptr,
                            QString* loadError = nullptr);

    // The whole run: the settings file, then every data file. Each data folder
    // stays locked from its first use until the migrator is destroyed.
    RunReport Run(const QList<FileEntry>& dataFiles, const QStringList& unreadableFolders = {});

    // Empty when the file does not parse; *loadError then holds the message
    // for the user, and stays empty for a file without records.
    QList<Log> ReadRecords(const FileEntry& file, QString* loadError = nullptr) const;

    // The text shown at the end of a run.
    static QString CompletionMessage(const RunReport& report);

    // Title of the tool's own messages.
    static const QString Caption;

private:
    // Whether the data folder may be changed: locked now or before, or unlockable
    // (a folder without a lock file has no running program to guard).
    bool Usable(const std::filesystem::path& dataFolder);
    // The path as the user sees it from the tool's folder.
    QString Shown(const QString& path) const;

    struct DataFolder {
        bool usable = false;
        std::unique_ptr<FolderLock> lock; // held while the migrator lives
    };

    QString folder_;
    std::map<std::string, DataFolder> dataFolders_; // by the folder's bytes
    QStringList inUse_;
};

} // namespace update

#include "tools/update/Migrator.h"

#include "env/FSOHelper.h"
#include "store/LogList.h"
#include "store/XMLFile.h"
#include "store/XmlNode.h"

#include <QDir>
#include <QFile>

namespace update {

const QString Migrator::SettingsFileName = QStringLiteral("Quillmere.ini");
const QString Migrator::Caption = QStringLiteral("Quillmere ver 1.3 データ移行ツール");

Migrator::Migrator(const QString& folder) : folder_(QDir::cleanPath(folder)) {}

QStringList Migrator::FindDataFiles() const
{
    QStringList files;
    try {
        for (const FileEntry& entry : FindFiles(folder_, QStringLiteral("*.diary")))
            files << entry.Path;
    } catch (const FileSystemError&) {
        // No folder to search: no data files.
    }
    return files;
}

void Migrator::MigrateSettingsFile() const
{
    const QString old = folder_ + u'/' + SettingsFileName;
    if (!FileExists(old))
        return;
    int folders = 0;
    bool everyFolderHasOne = true;
    const QDir root(folder_);
    for (const QFileInfo& sub :
         root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name)) {
        const QString name = sub.fileName();
        if (name == QLatin1String("manual") || name == QLatin1String("icons"))
            continue;
        const QString target = sub.filePath() + u'/' + SettingsFileName;
        // QFile::copy never overwrites: a folder with its own settings keeps them.
        ++folders;
        if (!QFile::copy(old, target) && !FileExists(target))
            everyFolderHasOne = false;
    }
    // With no data folder to take them, the old file is the only copy of the settings.
    if (folders > 0 && everyFolderHasOne)
        QFile::remove(old);
}

QList<Log> Migrator::ReadRecords(const QString& path, bool* ok) const
{
    QList<Log> records;
    XMLFile file;
    file.LoadFromFile(path, {}, folder_);
    if (ok)
        *ok = !file.LoadFailed();
    // Comments and processing instructions hold no records and are passed over.
    for (xmlNodePtr element : ChildElements(RootElement(file.Document()))) {
        Log log;
        log.LoadFromXMLElement(element);
        records.append(log);
    }
    return records;
}

bool Migrator::ConvertDataFile(const QString& path) const
{
    bool ok = false;
    const QList<Log> records = ReadRecords(path, &ok);
    if (!ok)
        return false; // nothing readable: replacing it would lose the user's data
    XMLFile file;
    file.Initialize(path, LogList::CharacterEncoding, LogList::RootElementName);
    for (const Log& log : records)
        log.SaveToXMLDocument(file.Document());
    return file.SaveToFile(path);
}

} // namespace update

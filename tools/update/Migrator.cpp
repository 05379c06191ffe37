#include "tools/update/Migrator.h"

#include "env/AtomicFile.h"
#include "env/Folders.h"
#include "store/DataFormat.h"
#include "store/XMLFile.h"
#include "store/XmlNode.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <iterator>

namespace update {
namespace {

// Names listed in the final message, all lists together: about a screenful.
constexpr int kShownNames = 15;

// The direct subfolder of the root that holds the path; empty for a path
// directly in the root or outside it.
std::filesystem::path DataFolderOf(const std::filesystem::path& path,
                                   const std::filesystem::path& root)
{
    const std::filesystem::path relative = path.lexically_relative(root);
    if (relative.empty() || *relative.begin() == ".." ||
        std::next(relative.begin()) == relative.end())
        return {};
    return root / *relative.begin();
}

// One part of the final message: a heading and as many of the names as the
// budget leaves, then how many more there are.
void AppendSection(QString& text, const QString& heading, const QStringList& names, int& budget)
{
    if (names.isEmpty())
        return;
    text += QStringLiteral("\r\n\r\n") + heading;
    const int shown = std::min<int>(budget, names.size());
    for (int i = 0; i < shown; ++i)
        text += QStringLiteral("\r\n") + names[i];
    if (shown < names.size())
        text += QStringLiteral("\r\nほか %1 件").arg(names.size() - shown);
    budget -= shown;
}

} // namespace

const QString Migrator::Caption = QStringLiteral("Quillmere ver 1.3 データ移行ツール");

bool RunReport::Complete() const
{
    return foldersInUse.isEmpty() && unreadableFolders.isEmpty() && notRead.isEmpty() &&
           notWritten.isEmpty() && settingsNotCopied.isEmpty();
}

Migrator::Migrator(const QString& folder) : folder_(QDir::cleanPath(folder)) {}

QString Migrator::Shown(const QString& path) const
{
    const QString relative = QDir(folder_).relativeFilePath(path);
    return relative.startsWith(QStringLiteral("../")) ? path : relative;
}

bool Migrator::Usable(const std::filesystem::path& dataFolder)
{
    if (dataFolder.empty())
        return true;
    auto [at, added] = dataFolders_.try_emplace(dataFolder.native());
    DataFolder& state = at->second;
    if (!added)
        return state.usable;
    state.lock = std::make_unique<FolderLock>();
    state.usable = state.lock->TryLock(dataFolder) != FolderLock::Result::InUse;
    if (!state.usable)
        inUse_ << PathText(dataFolder.filename().native());
    return state.usable;
}

QList<FileEntry> Migrator::FindDataFiles(QStringList* unreadable) const
{
    // No folder to search: no data files.
    return FindFiles(folder_, DataFormat::DataFilePattern, unreadable).value_or(QList<FileEntry>());
}

QStringList Migrator::MigrateSettingsFile()
{
    const QString old = folder_ + u'/' + SettingsFileName();
    if (!FileExists(old))
        return {};
    QByteArray settings;
    const bool read = ReadRegularFile(old, settings);
    QStringList failed;
    int folders = 0;
    bool everyFolderHasOne = true;
    QList<FileEntry> subfolders;
    CollectChildFolders(subfolders, FileEntry{folder_, folder_, NativePath(folder_)});
    for (const FileEntry& sub : subfolders) {
        if (sub.Name == QLatin1String("manual") || sub.Name == IconFolderName())
            continue;
        ++folders;
        // A running Quillmere reads its settings only at start and writes its own
        // back at the end: a copy now would be lost. The next run copies it.
        if (!Usable(sub.Native)) {
            everyFolderHasOne = false;
            continue;
        }
        // A folder with its own settings keeps them. The folder is locked, so
        // nothing can put a file there between the look and the write.
        const std::filesystem::path target = sub.Native / SettingsFileName().toStdString();
        std::error_code error;
        if (!std::filesystem::is_regular_file(target, error) &&
            !(read && WriteFileAtomically(target, settings))) {
            everyFolderHasOne = false;
            failed << sub.Name;
        }
    }
    // With no data folder to take them, the old file is the only copy of the settings.
    if (folders > 0 && everyFolderHasOne)
        QFile::remove(old);
    return failed;
}

QList<Log> Migrator::ReadRecords(const FileEntry& file, QString* loadError) const
{
    QList<Log> records;
    XMLFile data;
    if (!data.LoadFromFile(file.Path, file.Native, folder_) && loadError)
        *loadError = data.LoadError();
    // Comments and processing instructions hold no records and are passed over.
    for (xmlNodePtr element : ChildElements(RootElement(data.Document()))) {
        Log log;
        log.LoadFromXMLElement(element);
        records.append(log);
    }
    return records;
}

Migrator::Outcome Migrator::ConvertDataFile(const FileEntry& file, int* undated, QString* loadError)
{
    if (undated)
        *undated = 0;
    if (!Usable(DataFolderOf(file.Native, NativePath(folder_))))
        return Outcome::InUse;
    QString error;
    const QList<Log> records = ReadRecords(file, &error);
    if (!error.isEmpty()) {
        if (loadError)
            *loadError = error;
        return Outcome::NotRead; // nothing readable: replacing it would lose the user's data
    }
    XMLFile converted;
    converted.Initialize(file.Path, DataFormat::CharacterEncoding, DataFormat::RootElementName);
    for (const Log& log : records) {
        log.SaveToXMLDocument(converted.Document());
        // The zero date-time is what a record gets whose date could not be read.
        if (undated && log.LogDate().IsZero())
            ++*undated;
    }
    // Written through the name's bytes: a folder copied from Windows may have a
    // Shift_JIS name that has no exact text form.
    const QByteArray bytes = converted.Serialize();
    if (bytes.isEmpty() || !WriteFileAtomically(file.Native, bytes))
        return Outcome::NotWritten;
    return Outcome::Converted;
}

RunReport Migrator::Run(const QList<FileEntry>& dataFiles, const QStringList& unreadableFolders)
{
    RunReport report;
    for (const QString& folder : unreadableFolders)
        report.unreadableFolders << Shown(folder);
    report.settingsNotCopied = MigrateSettingsFile();
    for (const FileEntry& file : dataFiles) {
        int undated = 0;
        QString loadError;
        switch (ConvertDataFile(file, &undated, &loadError)) {
        case Outcome::Converted:
            break;
        case Outcome::InUse:
            continue; // the folder is named once, below
        case Outcome::NotRead:
            report.notRead << Shown(file.Path);
            report.loadErrors << loadError;
            continue;
        case Outcome::NotWritten:
            report.notWritten << Shown(file.Path);
            continue;
        }
        if (undated > 0)
            report.undated.append({Shown(file.Path), undated});
    }
    report.foldersInUse = inUse_;
    return report;
}

QString Migrator::CompletionMessage(const RunReport& report)
{
    QString text =
        report.Complete()
            ? QStringLiteral("データ移行が完了しました。")
            : QStringLiteral("データ移行を終えましたが、移行できなかったものがあります。");
    int budget = kShownNames;
    AppendSection(text,
                  QStringLiteral("次のフォルダは Quillmere が使用中のため、変換しませんでした。"
                                 "Quillmere を終了してから、もう一度実行してください。"),
                  report.foldersInUse, budget);
    AppendSection(text,
                  QStringLiteral("次のフォルダは読み取れないため、データファイルを探せません"
                                 "でした。"),
                  report.unreadableFolders, budget);
    AppendSection(text,
                  QStringLiteral("次のファイルは XML として読み取れないため、元のまま残しました。"),
                  report.notRead, budget);
    AppendSection(text,
                  QStringLiteral("次のファイルは書き込めないため（読み取り専用など）、元の形式の"
                                 "まま残しました。"),
                  report.notWritten, budget);
    AppendSection(text,
                  QStringLiteral("次のフォルダには設定ファイル「%1」をコピーできませんでした。"
                                 "元の設定ファイルは残してあります。")
                      .arg(SettingsFileName()),
                  report.settingsNotCopied, budget);
    if (!report.undated.isEmpty()) {
        int records = 0;
        QStringList files;
        for (const auto& [file, count] : report.undated) {
            records += count;
            files << QStringLiteral("%1（%2 件）").arg(file).arg(count);
        }
        AppendSection(text,
                      QStringLiteral("日時を読み取れない記録が %1 件あり、日時を "
                                     "1899/12/30 00:00:00 として変換しました。本文は残して"
                                     "あります。次のファイルで日時を直してください。")
                          .arg(records),
                      files, budget);
    }
    return text;
}

} // namespace update

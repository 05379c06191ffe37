#include "store/LogList.h"

#include "env/AtomicFile.h"
#include "env/FSOHelper.h"
#include "env/Folders.h"
#include "store/DataFormat.h"
#include "store/DateText.h"
#include "store/LogExport.h"
#include "store/MonthReader.h"
#include "store/XmlNode.h"

#include <QScopeGuard>
#include <QSet>

#include <map>
#include <utility>

#include <unistd.h>

namespace {

using DataFormat::DataFilePattern;

// Year folders and data files hold one user's private records.
constexpr unsigned kPrivateFolderMode = 0700;

// Case-sensitive substring test. Scanning for the first character uses the
// vectorised character search, which beats the general string search on
// the short words people search for.
bool ContainsWord(QStringView text, QStringView word)
{
    if (word.isEmpty())
        return true;
    const QChar first = word.front();
    const QStringView rest = word.sliced(1);
    const qsizetype last = text.size() - word.size();
    qsizetype from = 0;
    while (from <= last) {
        const qsizetype at = text.indexOf(first, from);
        if (at < 0 || at > last)
            return false;
        if (text.sliced(at + 1, rest.size()) == rest)
            return true;
        from = at + 1;
    }
    return false;
}

} // namespace

LogList::LogList()
{
    Initialize(DataFolderPath());
}

LogList::LogList(const QString& dataFolder)
{
    Initialize(dataFolder);
}

void LogList::Initialize(const QString& dataFolder)
{
    RegisterShiftJisAliases();
    dataFolder_ = dataFolder;
    if (!dataFolder_.isEmpty() && !dataFolder_.endsWith(QLatin1Char('/')))
        dataFolder_ += QLatin1Char('/');
    logs_.clear();
    index_.clear();
    files_.Clear();
    loadErrors_.clear();
    readMonths_.clear();
    knownYearFolders_.clear();
    categoryNumbers_.clear();
    categoryTexts_.clear();
    logCategories_.clear();
    categoryMatches_.clear();
    matchedCondition_.clear();
    resolved_.clear();
    logDates_ = DateList();
    categories_ = StringList();
    logDates_.LoadFromFile(LogDatesPath());
    categories_.LoadFromFile(CategoriesPath());
}

QString LogList::LogDatesPath() const
{
    return dataFolder_ + DataFormat::LogDatesFile;
}

QString LogList::CategoriesPath() const
{
    return dataFolder_ + DataFormat::CategoriesFile;
}

QString LogList::GetYearFolder(const DateTime& logDate) const
{
    return dataFolder_ + QString::number(logDate.Year()) + QLatin1Char('/');
}

void LogList::EnsureYearFolder(const DateTime& logDate)
{
    const QString folder = GetYearFolder(logDate);
    // Every record of a year passes here; the folder is looked for only once.
    if (!knownYearFolders_.contains(folder)) {
        EnsureFolder(folder, kPrivateFolderMode);
        if (FolderExists(folder))
            knownYearFolders_.insert(folder);
    }
}

QString LogList::GetDataFilePath(const DateTime& logDate) const
{
    const int month = logDate.Month();
    QString path = GetYearFolder(logDate);
    path += QLatin1Char(static_cast<char>('0' + month / 10));
    path += QLatin1Char(static_cast<char>('0' + month % 10));
    path += DataFormat::DataFileExtension;
    return path;
}

::Log* LogList::Find(const DateTime& logDate)
{
    const auto found = index_.constFind(logDate);
    return found == index_.cend() ? nullptr : &logs_[static_cast<size_t>(found.value())];
}

qint32 LogList::ShareCategory(::Log& log)
{
    if (log.Category().isEmpty())
        return -1;
    const auto found = categoryNumbers_.constFind(log.Category());
    if (found != categoryNumbers_.cend()) {
        log.SetCategory(categoryTexts_[found.value()]);
        return found.value();
    }
    const auto number = static_cast<qint32>(categoryTexts_.size());
    categoryNumbers_.insert(log.Category(), number);
    categoryTexts_.append(log.Category());
    return number;
}

void LogList::CacheLog(::Log log, qint32 category)
{
    // One look-up for the lot: a stamp held already leaves the index as it was.
    const qsizetype held = index_.size();
    qsizetype& position = index_[log.LogDate()];
    if (index_.size() == held)
        return;
    position = static_cast<qsizetype>(logs_.size());
    logs_.push_back(std::move(log));
    logCategories_.push_back(category);
}

void LogList::LoadLogsFromDocument(xmlDocPtr document)
{
    xmlNodePtr root = RootElement(document);
    if (!root)
        return;
    for (xmlNodePtr child = root->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        ::Log log;
        log.LoadFromXMLElement(child);
        const qint32 category = ShareCategory(log);
        CacheLog(std::move(log), category);
    }
}

bool LogList::IsRead(const QString& path) const
{
    return readMonths_.contains(path.toCaseFolded());
}

void LogList::ReadDataFiles(const QStringList& paths)
{
    QList<FileEntry> files;
    files.reserve(paths.size());
    for (const QString& path : paths)
        files.append(FileEntry{QString(), path, NativePath(path)});
    ReadDataFiles(files);
}

void LogList::ReadDataFiles(const QList<FileEntry>& files)
{
    QList<FileEntry> unread;
    QSet<QString> seen;
    for (const FileEntry& file : files) {
        const QString key = file.Path.toCaseFolded();
        if (!readMonths_.contains(key) && !seen.contains(key) && FileExists(file.Native)) {
            seen.insert(key);
            unread.append(file);
        }
    }
    std::vector<std::filesystem::path> natives;
    natives.reserve(static_cast<size_t>(unread.size()));
    for (const FileEntry& file : std::as_const(unread))
        natives.push_back(file.Native);
    std::vector<MonthRecords> months = ReadMonthsRecords(natives);
    // Nothing writes these months any more in this run but the book itself, so
    // what an earlier, interrupted save left beside them can go; each folder
    // is looked through once.
    std::map<std::filesystem::path, QList<QByteArray>> folders;
    for (const FileEntry& entry : std::as_const(unread))
        folders[entry.Native.parent_path()].append(
            QByteArray::fromStdString(entry.Native.filename().native()));
    for (const auto& [folder, names] : folders)
        RemoveAtomicLeftovers(folder, names);
    for (qsizetype i = 0; i < unread.size(); ++i) {
        const FileEntry& entry = unread[i];
        readMonths_.insert(entry.Path.toCaseFolded());
        MonthRecords& month = months[static_cast<size_t>(i)];
        if (month.read) {
            for (::Log& log : month.logs) {
                const qint32 category = ShareCategory(log);
                CacheLog(std::move(log), category);
            }
            std::vector<::Log>().swap(month.logs);
            continue;
        }
        // The tree reads it and reports what is wrong with it; a file that did
        // not parse stays held, so it is neither read again nor written.
        XMLFile* file = LoadDataFile(entry.Path, entry.Native);
        LoadLogsFromDocument(file->Document());
        ReleaseDocument(entry.Path);
    }
}

XMLFile* LogList::OpenDataFile(const QString& path)
{
    ReadDataFiles(QStringList{path});
    if (XMLFile* held = files_.Item(path))
        return held;
    if (!FileExists(path)) {
        readMonths_.insert(path.toCaseFolded());
        return files_.CreateNewFile(path, DataFormat::CharacterEncoding,
                                    DataFormat::RootElementName);
    }
    return LoadDataFile(path, {});
}

XMLFile* LogList::LoadDataFile(const QString& path, const std::filesystem::path& nativePath)
{
    const bool held = files_.Has(path);
    XMLFile* file = files_.LoadFile(path, nativePath, dataFolder_);
    if (!held && file->LoadFailed())
        loadErrors_.append(file->LoadError());
    return file;
}

QStringList LogList::TakeLoadErrors()
{
    return std::exchange(loadErrors_, {});
}

QString LogList::BackupPath(const QString& dataFilePath)
{
    return dataFilePath + QStringLiteral(".bak");
}

bool LogList::SaveDataFile(XMLFile& file, const QString& path)
{
    PreviousVersion previous(path, BackupPath(path));
    if (!file.SaveToFile(path))
        return false;
    // The new month is stored; a backup that could not be made does not undo that.
    previous.Keep();
    return true;
}

void LogList::ReleaseDocument(const QString& path)
{
    const XMLFile* file = files_.Item(path);
    if (file && file->HasRootElement())
        files_.UnloadFile(path);
}

qsizetype LogList::IndexOf(const DateTime& logDate)
{
    auto found = index_.constFind(logDate);
    if (found == index_.cend()) {
        const QString path = GetDataFilePath(logDate);
        // A month read has all its records in memory already.
        if (IsRead(path) || !FileExists(path))
            return -1;
        ReadDataFiles(QStringList{path});
        found = index_.constFind(logDate);
    }
    return found == index_.cend() ? -1 : found.value();
}

const ::Log* LogList::Item(const DateTime& logDate)
{
    const qsizetype at = IndexOf(logDate);
    return at < 0 ? nullptr : &logs_[static_cast<size_t>(at)];
}

const ::Log* LogList::Item(const QString& listText)
{
    const auto logDate = ParseListText(listText);
    return logDate ? Item(*logDate) : nullptr;
}

StoreResult LogList::Log(const DateTime& logDate, const QString& category, const QString& link,
                         const QString& text)
{
    EnsureYearFolder(logDate);
    const QString path = GetDataFilePath(logDate);
    XMLFile* file = OpenDataFile(path);
    if (!file || !file->HasRootElement())
        return StoreResult::Fail(StoreResult::Error::FileUnreadable, path);
    // The tree is needed only for this write.
    const auto release = qScopeGuard([&] { ReleaseDocument(path); });
    // One record per second: refused before anything is written, so the caller
    // keeps the text and nothing unreachable lands in the file.
    if (Find(logDate))
        return StoreResult::Fail(StoreResult::Error::DuplicateDate, path);

    ::Log log;
    log.Initialize(logDate, ::Log::StoredAttribute(category), ::Log::StoredAttribute(link),
                   ::Log::StoredText(text));
    const qint32 number = ShareCategory(log);
    xmlNodePtr element = log.SaveToXMLDocument(file->Document());
    if (!element)
        return StoreResult::Fail(StoreResult::Error::FileUnreadable, path);
    if (!SaveDataFile(*file, path)) {
        // The document goes back to what the file on disk holds.
        xmlUnlinkNode(element);
        xmlFreeNode(element);
        return StoreResult::Fail(StoreResult::Error::SaveFailed, path);
    }

    CacheLog(log, number);
    logDates_.Add(logDate);
    categories_.Add(log.Category());
    // Both are tried: one that cannot be written does not keep the other old.
    const bool datesSaved = logDates_.SaveToFile(LogDatesPath());
    const bool categoriesSaved = categories_.SaveToFile(CategoriesPath());
    if (!datesSaved)
        return StoreResult::Fail(StoreResult::Error::ListNotSaved, LogDatesPath());
    if (!categoriesSaved)
        return StoreResult::Fail(StoreResult::Error::ListNotSaved, CategoriesPath());
    return StoreResult::Ok();
}

StoreResult LogList::ReLog(const DateTime& logDate, const QString& category, const QString& link,
                           const QString& text)
{
    const qsizetype at = IndexOf(logDate);
    if (at < 0)
        return StoreResult::Fail(StoreResult::Error::NotFound, logDate.ListText());
    ::Log* record = &logs_[static_cast<size_t>(at)];

    ::Log updated = *record;
    updated.SetCategory(::Log::StoredAttribute(category));
    const qint32 number = ShareCategory(updated);
    updated.SetText(::Log::StoredText(text));
    updated.SetLink(::Log::StoredAttribute(link));

    const QString path = GetDataFilePath(logDate);
    XMLFile* file = OpenDataFile(path);
    const auto release = qScopeGuard([&] { ReleaseDocument(path); });
    xmlNodePtr element = file ? updated.FindElement(file->Document()) : nullptr;
    // A record read from a month file somewhere else (the repair reads every
    // "*.diary" below the data folder) has no element here to rewrite.
    if (!element)
        return StoreResult::Fail(StoreResult::Error::NotInFile, path);
    xmlNodePtr previous = xmlDocCopyNode(element, file->Document(), 1);
    updated.WriteToElement(element);
    if (!SaveDataFile(*file, path)) {
        if (previous) {
            xmlReplaceNode(element, previous);
            xmlFreeNode(element);
        }
        return StoreResult::Fail(StoreResult::Error::SaveFailed, path);
    }
    xmlFreeNode(previous);

    *record = updated;
    logCategories_[static_cast<size_t>(at)] = number;
    categories_.Add(record->Category());
    if (!categories_.SaveToFile(CategoriesPath()))
        return StoreResult::Fail(StoreResult::Error::ListNotSaved, CategoriesPath());
    return StoreResult::Ok();
}

StoreResult LogList::Export(const DateList& dates, const QString& path, qsizetype* exported)
{
    if (!ExportLogs(*this, dates, path, exported))
        return StoreResult::Fail(StoreResult::Error::SaveFailed, path);
    return StoreResult::Ok();
}

StoreResult LogList::Delete(const DateTime& logDate)
{
    if (!Item(logDate))
        return StoreResult::Fail(StoreResult::Error::NotFound, logDate.ListText());
    const QString path = GetDataFilePath(logDate);
    XMLFile* file = OpenDataFile(path);
    const auto release = qScopeGuard([&] { ReleaseDocument(path); });
    xmlNodePtr element = file ? Find(logDate)->FindElement(file->Document()) : nullptr;
    if (!element)
        return StoreResult::Fail(StoreResult::Error::NotInFile, path);
    xmlNodePtr parent = element->parent;
    xmlNodePtr next = element->next;
    xmlUnlinkNode(element);
    if (!SaveDataFile(*file, path)) {
        if (next)
            xmlAddPrevSibling(next, element);
        else
            xmlAddChild(parent, element);
        return StoreResult::Fail(StoreResult::Error::SaveFailed, path);
    }
    xmlFreeNode(element);

    const qsizetype position = index_.take(logDate);
    logs_.erase(logs_.begin() + position);
    logCategories_.erase(logCategories_.begin() + position);
    for (auto it = index_.begin(); it != index_.end(); ++it) {
        if (it.value() > position)
            --it.value();
    }
    logDates_.Remove(logDate);
    resolved_.clear();
    if (!logDates_.SaveToFile(LogDatesPath()))
        return StoreResult::Fail(StoreResult::Error::ListNotSaved, LogDatesPath());
    return StoreResult::Ok();
}

StoreResult LogList::CollectDataList()
{
    QStringList unreadable;
    // Month files and what interrupted saves of them left behind. Without a
    // data folder there are none, and the lists are rebuilt from memory.
    const QList<FileEntry> found =
        FindFiles(dataFolder_, DataFilePattern + QLatin1Char('*'), &unreadable)
            .value_or(QList<FileEntry>());
    const QString leftover = DataFilePattern + QLatin1String(kAtomicTempMarker) + QLatin1Char('*');
    QList<FileEntry> months;
    for (const FileEntry& entry : std::as_const(found)) {
        if (MatchesWildcard(entry.Name, DataFilePattern))
            months.append(entry);
        else if (MatchesWildcard(entry.Name, leftover))
            ::unlink(entry.Native.c_str());
    }
    ReadDataFiles(months);

    DateList dates;
    StringList categories;
    QSet<QString> added;
    for (const ::Log& log : logs_) {
        dates.Add(log.LogDate());
        // Adding the same text again changes nothing; most records share theirs.
        if (!added.contains(log.Category())) {
            added.insert(log.Category());
            categories.Add(log.Category());
        }
    }
    // Records of the folders that could not be read are not in memory; their
    // entries stay in the lists rather than vanish until the next repair.
    if (!unreadable.isEmpty()) {
        QSet<DateTime> have(dates.begin(), dates.end());
        for (const DateTime& logDate : logDates_) {
            if (!have.contains(logDate)) {
                have.insert(logDate);
                dates.Add(logDate);
            }
        }
        for (const QString& category : categories_)
            categories.Add(category);
    }
    dates.Sort();
    logDates_ = std::move(dates);
    resolved_.clear();
    categories_ = std::move(categories);
    // Both are tried: one that cannot be written does not keep the other old.
    const bool datesSaved = logDates_.SaveToFile(LogDatesPath());
    const bool categoriesSaved = categories_.SaveToFile(CategoriesPath());
    if (!datesSaved)
        return StoreResult::Fail(StoreResult::Error::SaveFailed, LogDatesPath());
    if (!categoriesSaved)
        return StoreResult::Fail(StoreResult::Error::SaveFailed, CategoriesPath());
    if (!unreadable.isEmpty())
        return StoreResult::Fail(StoreResult::Error::FoldersUnreadable,
                                 unreadable.join(QLatin1Char('\n')));
    return StoreResult::Ok();
}

qsizetype LogList::RecordAt(qsizetype position)
{
    if (static_cast<size_t>(logDates_.Count()) != resolved_.size())
        resolved_.resize(static_cast<size_t>(logDates_.Count()), -1);
    qint32& record = resolved_[static_cast<size_t>(position)];
    // A date without a record is looked up again next time: its record cannot
    // be in memory, but nothing is remembered about dates that have none.
    if (record < 0)
        record = static_cast<qint32>(IndexOf(logDates_.Item(position)));
    return record;
}

QStringList LogList::UnreadMonths(const DateList& dates, qsizetype first, qsizetype last,
                                  const std::vector<qint32>* known) const
{
    QStringList months;
    int lastMonth = -1;
    for (qsizetype i = first; i <= last; ++i) {
        // A record at hand lies in a month that is read.
        if (known && (*known)[static_cast<size_t>(i)] >= 0)
            continue;
        const DateTime logDate = dates.Item(i);
        const QDate day = logDate.Date();
        const int month = day.year() * 12 + day.month();
        if (month == lastMonth)
            continue;
        lastMonth = month;
        const QString path = GetDataFilePath(logDate);
        if (!IsRead(path))
            months.append(path);
    }
    return months;
}

void LogList::ReadMonthsOf(const DateList& dates)
{
    ReadDataFiles(UnreadMonths(dates, 0, dates.Count() - 1));
}

DateList LogList::GetFoundLogDates(const DateTime& begin, const DateTime& end,
                                   const QString& category, const QString& text)
{
    if (category.isEmpty() && text.isEmpty())
        return logDates_.GetDateList(begin, end);

    const auto [first, last] = logDates_.RangeIndexes(begin, end);
    // The month files the filters will need, read together in month order.
    if (static_cast<size_t>(logDates_.Count()) != resolved_.size())
        resolved_.resize(static_cast<size_t>(logDates_.Count()), -1);
    ReadDataFiles(UnreadMonths(logDates_, first, last, &resolved_));

    // Both filters drop dates without a record. The category filter goes by
    // the numbers kept beside the records, so a record it drops is never read.
    if (!category.isEmpty())
        SetCategoryCondition(category);
    Candidates candidates;
    if (category.isEmpty() && last >= first)
        candidates.reserve(static_cast<size_t>(last - first + 1));
    for (qsizetype i = first; i <= last; ++i) {
        const qsizetype at = RecordAt(i);
        if (at < 0)
            continue;
        if (!category.isEmpty() && !CategoryMatches(logCategories_[static_cast<size_t>(at)]))
            continue;
        candidates.push_back({logDates_.Item(i), &logs_[static_cast<size_t>(at)]});
    }
    if (!text.isEmpty())
        candidates = FilterByText(candidates, text);

    DateList result;
    for (const Candidate& candidate : candidates)
        result.Add(candidate.logDate);
    return result;
}

void LogList::SetCategoryCondition(const QString& category)
{
    QStringList wanted = StringList::Terms(category);
    for (QString& term : wanted)
        term = StringList::Key(term);
    // Each category text of the pool is checked once per condition.
    if (wanted != matchedCondition_) {
        matchedCondition_ = wanted;
        categoryMatches_.clear();
    }
    categoryMatches_.resize(static_cast<size_t>(categoryTexts_.size()), kUnknown);
}

bool LogList::CategoryMatches(qint32 number)
{
    if (number < 0)
        return false;
    Match& match = categoryMatches_[static_cast<size_t>(number)];
    if (match == kUnknown)
        match = StringList::HasTerms(categoryTexts_[number], matchedCondition_) ? kYes : kNo;
    return match == kYes;
}

LogList::Candidates LogList::FilterByText(const Candidates& candidates, const QString& text)
{
    const QStringList words = StringList::Terms(text);
    Candidates kept;
    // The texts lie all over the heap; asking for the next ones early hides
    // most of the wait for memory.
    constexpr size_t kAhead = 6;
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (i + 2 * kAhead < candidates.size())
            __builtin_prefetch(candidates[i + 2 * kAhead].log);
        if (i + kAhead < candidates.size()) {
            const char* data =
                reinterpret_cast<const char*>(candidates[i + kAhead].log->Text().constData());
            __builtin_prefetch(data);
            __builtin_prefetch(data + 64);
        }
        const ::Log* log = candidates[i].log;
        const QStringView logText(log->Text());
        bool all = true;
        for (const QString& word : words) {
            if (!ContainsWord(logText, word)) {
                all = false;
                break;
            }
        }
        if (all)
            kept.push_back(candidates[i]);
    }
    return kept;
}

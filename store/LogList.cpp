#include "store/LogList.h"

#include "env/FSOHelper.h"
#include "env/Folders.h"
#include "store/DateText.h"
#include "store/XmlNode.h"

#include <QSet>

const QString LogList::CharacterEncoding = QStringLiteral("Shift_JIS");
const QString LogList::RootElementName = QStringLiteral("diary");

namespace {

const QString kLogDatesFile = QStringLiteral("logdate.list");
const QString kCategoriesFile = QStringLiteral("category.list");
const QString kDataFilePattern = QStringLiteral("*.diary");

// Year folders and data files hold one user's private records.
constexpr unsigned kPrivateFolderMode = 0700;

}  // namespace

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
    knownYearFolders_.clear();
    logDates_ = DateList();
    categories_ = StringList();
    logDates_.LoadFromFile(LogDatesPath());
    categories_.LoadFromFile(CategoriesPath());
}

QString LogList::LogDatesPath() const
{
    return dataFolder_ + kLogDatesFile;
}

QString LogList::CategoriesPath() const
{
    return dataFolder_ + kCategoriesFile;
}

QString LogList::GetYearFolder(const DateTime& logDate)
{
    QString folder = dataFolder_ + QString::number(logDate.Year());
    // Every lookup of a month computes its path; the folder is made only once.
    if (!knownYearFolders_.contains(folder)) {
        EnsureFolder(folder, kPrivateFolderMode);
        if (FolderExists(folder))
            knownYearFolders_.insert(folder);
    }
    return folder + QLatin1Char('/');
}

QString LogList::GetDataFilePath(const DateTime& logDate)
{
    const int month = logDate.Month();
    QString path = GetYearFolder(logDate);
    path += QLatin1Char(static_cast<char>('0' + month / 10));
    path += QLatin1Char(static_cast<char>('0' + month % 10));
    path += QStringLiteral(".diary");
    return path;
}

::Log* LogList::Find(const DateTime& logDate)
{
    const auto found = index_.constFind(logDate);
    return found == index_.cend() ? nullptr : &logs_[static_cast<size_t>(found.value())];
}

::Log* LogList::CacheLog(const ::Log& log)
{
    index_.insert(log.LogDate(), static_cast<qsizetype>(logs_.size()));
    logs_.push_back(log);
    return &logs_.back();
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
        // Two elements with one stamp: the first one read stands for it.
        if (!index_.contains(log.LogDate()))
            CacheLog(log);
    }
}

XMLFile* LogList::OpenDataFile(const QString& path)
{
    if (XMLFile* held = files_.Item(path))
        return held;
    if (!FileExists(path))
        return files_.CreateNewFile(path, CharacterEncoding, RootElementName);
    XMLFile* file = files_.LoadFile(path);
    LoadLogsFromDocument(file->Document());
    return file;
}

const ::Log* LogList::Item(const DateTime& logDate)
{
    if (const ::Log* cached = Find(logDate))
        return cached;
    const QString path = GetDataFilePath(logDate);
    // An open month file has all its records in memory already.
    if (files_.Has(path) || !FileExists(path))
        return nullptr;
    OpenDataFile(path);
    return Find(logDate);
}

const ::Log* LogList::Item(const QString& listText)
{
    const auto logDate = ParseListText(listText);
    return logDate ? Item(*logDate) : nullptr;
}

StoreResult LogList::Log(const DateTime& logDate, const QString& category, const QString& link,
                         const QString& text)
{
    const QString path = GetDataFilePath(logDate);
    XMLFile* file = OpenDataFile(path);
    if (!file || !file->HasRootElement())
        return StoreResult::Fail(StoreResult::Error::FileUnreadable, path);
    // One record per second: refused before anything is written, so the caller
    // keeps the text and nothing unreachable lands in the file.
    if (Find(logDate))
        return StoreResult::Fail(StoreResult::Error::DuplicateDate, path);

    ::Log log;
    log.Initialize(logDate, ::Log::StoredAttribute(category), ::Log::StoredAttribute(link),
                   ::Log::StoredText(text));
    xmlNodePtr element = log.SaveToXMLDocument(file->Document());
    if (!element)
        return StoreResult::Fail(StoreResult::Error::FileUnreadable, path);
    if (!file->SaveToFile(path)) {
        // The document goes back to what the file on disk holds.
        xmlUnlinkNode(element);
        xmlFreeNode(element);
        return StoreResult::Fail(StoreResult::Error::SaveFailed, path);
    }

    CacheLog(log);
    logDates_.Add(logDate);
    categories_.Add(log.Category());
    logDates_.SaveToFile(LogDatesPath());
    categories_.SaveToFile(CategoriesPath());
    return StoreResult::Ok();
}

StoreResult LogList::ReLog(const DateTime& logDate, const QString& category, const QString& link,
                           const QString& text)
{
    if (!Item(logDate))
        return StoreResult::Fail(StoreResult::Error::NotFound, logDate.ListText());
    ::Log* record = Find(logDate);

    ::Log updated = *record;
    updated.SetCategory(::Log::StoredAttribute(category));
    updated.SetText(::Log::StoredText(text));
    updated.SetLink(::Log::StoredAttribute(link));

    const QString path = GetDataFilePath(logDate);
    XMLFile* file = files_.Item(path);
    xmlNodePtr element = file ? updated.FindElement(file->Document()) : nullptr;
    // Without a matching element (its stamp has another time-zone suffix) the
    // file keeps its content; the record and the category list change all the same.
    if (element) {
        xmlNodePtr previous = xmlDocCopyNode(element, file->Document(), 1);
        updated.WriteToElement(element);
        if (!file->SaveToFile(path)) {
            if (previous) {
                xmlReplaceNode(element, previous);
                xmlFreeNode(element);
            }
            return StoreResult::Fail(StoreResult::Error::SaveFailed, path);
        }
        xmlFreeNode(previous);
    }

    *record = updated;
    categories_.Add(record->Category());
    categories_.SaveToFile(CategoriesPath());
    return StoreResult::Ok();
}

void LogList::CollectDataList()
{
    QList<FileEntry> found;
    try {
        found = FindFiles(dataFolder_, kDataFilePattern);
    } catch (const FileSystemError&) {
        // No data folder: no month files, the lists are rebuilt from memory.
    }
    for (const FileEntry& entry : std::as_const(found))
        OpenDataFile(entry.Path);

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
    dates.Sort();
    logDates_ = std::move(dates);
    categories_ = std::move(categories);
    logDates_.SaveToFile(LogDatesPath());
    categories_.SaveToFile(CategoriesPath());
}

DateList LogList::GetFoundLogDates(const DateTime& begin, const DateTime& end,
                                   const QString& category, const QString& text)
{
    DateList result = logDates_.GetDateList(begin, end);
    if (!category.isEmpty())
        result = FilterByCategory(result, category);
    if (!text.isEmpty())
        result = FilterByText(result, text);
    return result;
}

DateList LogList::FilterByCategory(const DateList& dates, const QString& category)
{
    QStringList wanted = StringList::Terms(category);
    for (QString& term : wanted)
        term = StringList::Key(term);

    // Records share a few category texts; each is cut into terms once.
    QHash<QString, bool> matches;
    const auto matching = [&](const QString& have) {
        const auto known = matches.constFind(have);
        if (known != matches.cend())
            return known.value();
        QSet<QString> haveTerms;
        for (const QString& term : StringList::Terms(have))
            haveTerms.insert(StringList::Key(term));
        bool all = true;
        for (const QString& term : std::as_const(wanted))
            all = all && haveTerms.contains(term);
        matches.insert(have, all);
        return all;
    };

    DateList result;
    for (const DateTime& logDate : dates) {
        const ::Log* log = Item(logDate);
        if (log && !log->Category().isEmpty() && matching(log->Category()))
            result.Add(logDate);
    }
    return result;
}

DateList LogList::FilterByText(const DateList& dates, const QString& text)
{
    const QStringList words = StringList::Terms(text);
    DateList result;
    for (const DateTime& logDate : dates) {
        const ::Log* log = Item(logDate);
        if (!log)
            continue;
        bool all = true;
        for (const QString& word : words) {
            if (!log->Text().contains(word, Qt::CaseSensitive)) {
                all = false;
                break;
            }
        }
        if (all)
            result.Add(logDate);
    }
    return result;
}

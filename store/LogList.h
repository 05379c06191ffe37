#pragma once
#include "env/DateTime.h"
#include "env/FSOHelper.h"
#include "store/DateList.h"
#include "store/Log.h"
#include "store/StoreResult.h"
#include "store/StringList.h"
#include "store/XMLFileList.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

// The record book: every record read or written in this run (keyed by its stamp
// to the second), the month files opened so far, and the two index lists kept
// beside them ("logdate.list", "category.list"). Month files are read on first
// need and kept until the book is released. A record is in memory only once it
// is on disk.
class LogList {
public:
    // Loads both lists from DataFolderPath(); no month file is read.
    LogList();
    // The same for another data folder (ends in "/").
    explicit LogList(const QString& dataFolder);
    LogList(const LogList&) = delete;
    LogList& operator=(const LogList&) = delete;

    // Loads both lists of the folder afresh and forgets every record and file.
    void Initialize(const QString& dataFolder);

    // Reads together, on the worker threads, every month file the dates need
    // that is not in memory yet; Item then finds their records at once.
    void ReadMonthsOf(const DateList& dates);
    // The date-times of the records from begin to end (both entries of LogDates)
    // whose category holds every keyword of category (letter case ignored) and
    // whose text holds every word of text (letter case significant), ascending.
    // Empty conditions read no month file.
    DateList GetFoundLogDates(const DateTime& begin, const DateTime& end, const QString& category,
                              const QString& text);

    const DateList& LogDates() const { return logDates_; }
    const StringList& Categories() const { return categories_; }

    // Writes a new record into its month file, then caches it and adds it to
    // both lists. On an error nothing has changed, on disk or in memory, except
    // ListNotSaved: the record is stored and held, a list file (named) is old.
    StoreResult Log(const DateTime& logDate, const QString& category, const QString& link,
                    const QString& text);
    // Rewrites the record with that stamp. The element is found by the local
    // date-time of its "date", whatever the time-zone suffix, and keeps that
    // "date". Without an element in the month file (NotInFile) nothing changes;
    // ListNotSaved: the rewrite is stored, "category.list" is old.
    StoreResult ReLog(const DateTime& logDate, const QString& category, const QString& link,
                      const QString& text);
    // Reads every month file below the data folder and rebuilds both lists
    // from the records (dates sorted, categories in order of first use). The
    // lists in memory are rebuilt either way; SaveFailed names a list file that
    // could not be written, so the repair is not reported as done. Folders that
    // cannot be read are skipped and named (FoldersUnreadable); the lists then
    // keep their old entries as well, as those records could not be looked at.
    StoreResult CollectDataList();
    // Takes the record with that stamp out of its month file, then out of
    // memory and "logdate.list"; "category.list" keeps its keywords. Without a
    // record (NotFound) or its element (NotInFile), and when the month file
    // cannot be written (SaveFailed), nothing changes; ListNotSaved: the record
    // is gone, "logdate.list" still names it.
    StoreResult Delete(const DateTime& logDate);

    // Writes the records of the dates, in their order, into a new data file at
    // path, without building its tree; a date without a record is left out and
    // *exported counts those written. SaveFailed (naming the path): the file
    // could not be written, and an old file there is untouched.
    StoreResult Export(const DateList& dates, const QString& path, qsizetype* exported = nullptr);

    // The record with that stamp (reading its month file on first need), or
    // nullptr. The pointer stays valid until a record is deleted.
    const ::Log* Item(const DateTime& logDate);
    // The same for a list text "yyyy/mm/dd hh:mm:ss"; nullptr if it is none.
    const ::Log* Item(const QString& listText);

    // Records in memory (read or written so far), in the order they came in.
    qsizetype Count() const { return static_cast<qsizetype>(logs_.size()); }
    const ::Log& At(qsizetype index) const { return logs_[static_cast<size_t>(index)]; }

    // The messages of the month files that could not be read since the last
    // call, in the order they were met, for the window to show. A month that
    // does not parse is held as it is and not read again, so each is told once.
    QStringList TakeLoadErrors();

    const QString& DataFolder() const { return dataFolder_; }
    QString LogDatesPath() const;
    QString CategoriesPath() const;
    // The month file of a date-time. Computing it creates nothing.
    QString GetDataFilePath(const DateTime& logDate) const;
    // Where a month file's previous version is kept when it is replaced.
    static QString BackupPath(const QString& dataFilePath);

private:
    QString GetYearFolder(const DateTime& logDate) const;
    void EnsureYearFolder(const DateTime& logDate);
    ::Log* Find(const DateTime& logDate);
    // Holds the record; category: the number ShareCategory gave its category.
    // Of two records with one stamp the first one held stands for it.
    void CacheLog(::Log log, qint32 category);
    // Gives the record the pool's copy of its category text and returns the
    // number of that text (-1 for none); a new text joins the pool.
    qint32 ShareCategory(::Log& log);
    // The position in logs_ of the record with that stamp (reading its month
    // file on first need), or -1.
    qsizetype IndexOf(const DateTime& logDate);
    void LoadLogsFromDocument(xmlDocPtr document);
    // The records of month files not read yet, in the order of the files. The
    // repair passes what it found (names as the file system's bytes).
    void ReadDataFiles(const QStringList& paths);
    void ReadDataFiles(const QList<FileEntry>& files);
    bool IsRead(const QString& path) const;
    // The month files of the ascending dates[first..last] not read yet, each
    // once. known: the records already looked up for those positions, if any.
    QStringList UnreadMonths(const DateList& dates, qsizetype first, qsizetype last,
                             const std::vector<qint32>* known = nullptr) const;
    // The document of a month, for a write; its records are read first.
    XMLFile* OpenDataFile(const QString& path);
    // Reads a month file into the tree, remembering what went wrong with it.
    XMLFile* LoadDataFile(const QString& path, const std::filesystem::path& nativePath);
    // Replaces a month file by its document, keeping the previous version.
    static bool SaveDataFile(XMLFile& file, const QString& path);
    // Gives back the tree of a month after a write: the records stay.
    void ReleaseDocument(const QString& path);
    // A date of the search range and its record.
    struct Candidate {
        DateTime logDate;
        const ::Log* log;
    };
    using Candidates = std::vector<Candidate>;
    // The position in logs_ of the record of the entry of LogDates at that
    // position, or -1.
    qsizetype RecordAt(qsizetype position);
    // Makes the keys of the category condition those CategoryMatches looks for.
    void SetCategoryCondition(const QString& category);
    // Whether the category text of that number (-1: none) holds every key.
    bool CategoryMatches(qint32 number);
    Candidates FilterByText(const Candidates& candidates, const QString& text);

    QString dataFolder_;
    // deque: records keep their address while more are cached.
    std::deque<::Log> logs_;
    QHash<DateTime, qsizetype> index_; // stamp -> position in logs_
    // Trees only of a month being written and of files that did not parse.
    XMLFileList files_;
    QStringList loadErrors_;
    QSet<QString> readMonths_; // case-folded paths of month files read
    DateList logDates_;
    StringList categories_;
    QSet<QString> knownYearFolders_;
    // Records repeat a few category texts: the pool holds one copy of each,
    // numbered, and the number of each record's category is kept beside the
    // records, so a search need not touch a record to know its category.
    QHash<QString, qint32> categoryNumbers_;
    QStringList categoryTexts_;         // by number
    std::vector<qint32> logCategories_; // by position in logs_; -1 for none
    // By category number: whether the text holds every key of
    // matchedCondition_ (kNo, kYes), or not looked at yet (kUnknown).
    enum Match : unsigned char { kUnknown, kNo, kYes };
    std::vector<Match> categoryMatches_;
    QStringList matchedCondition_;
    // Positions in logs_ of the records of the entries of LogDates, by
    // position, found so far (-1: not yet); entries are only ever appended to
    // LogDates between two replacements, and no record leaves logs_ but by
    // Delete, which forgets them all. 32 bits hold any position a book reaches.
    std::vector<qint32> resolved_;
};

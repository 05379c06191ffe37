#include "StoreBenchmark.h"

#include "env/DateTime.h"
#include "env/FSOHelper.h"
#include "store/LogList.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include <functional>

namespace {

bool CopyFolder(const QString& folder, const QString& to)
{
    // Relative to the folder's own path, which must be absolute for that.
    const QString from = QDir(folder).absolutePath();
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target))
                return false;
        } else if (!QFile::copy(source, target)) {
            return false;
        }
    }
    return true;
}

double Milliseconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double PeakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

void Print(QTextStream& out, const char* name, double value, const char* unit)
{
    out << name << ": " << QString::number(value, 'f', value < 10 ? 3 : 1) << ' ' << unit
        << Qt::endl;
}

void PrintCount(QTextStream& out, const char* name, qint64 value, const char* unit)
{
    out << name << ": " << value << ' ' << unit << Qt::endl;
}

// A keyword used by some records but not by most: the first single word of
// the category list after the first few.
QString PickCategory(const StringList& categories)
{
    QString fallback;
    qsizetype words = 0;
    for (const QString& item : categories) {
        if (StringList::Terms(item).size() != 1 || item != StringList::Terms(item).first())
            continue;
        if (fallback.isEmpty())
            fallback = item;
        if (++words == 4)
            return item;
    }
    return fallback;
}

} // namespace

bool RunStoreBenchmark(const BenchmarkOptions& options, QTextStream& out, QString* error)
{
    QTemporaryDir copy;
    if (!copy.isValid() || !CopyFolder(options.folder, copy.path())) {
        *error = QStringLiteral("cannot copy %1 to a temporary folder").arg(options.folder);
        return false;
    }
    const QString folder = copy.path() + QLatin1Char('/');
    // The copy must not be waiting in the page cache when the first write of
    // the book flushes its files: that would time the copy, not the book.
    ::sync();

    std::unique_ptr<LogList> book;
    Print(out, "creation", Milliseconds([&] { book = std::make_unique<LogList>(folder); }), "ms");
    const DateList& dates = book->LogDates();
    if (dates.Count() == 0) {
        *error = QStringLiteral("%1 holds no records").arg(options.folder);
        return false;
    }
    const DateTime first = dates.FirstDate();
    const DateTime last = dates.LastDate();

    qsizetype found = 0;
    Print(out, "search_empty_conditions",
          Milliseconds([&] { found = book->GetFoundLogDates(first, last, {}, {}).Count(); }), "ms");
    PrintCount(out, "search_empty_conditions_found", found, "records");

    const QString word = options.word.isEmpty() ? QStringLiteral("会議") : options.word;
    Print(out, "search_text_cold",
          Milliseconds([&] { found = book->GetFoundLogDates(first, last, {}, word).Count(); }),
          "ms");
    PrintCount(out, "search_text_found", found, "records");
    Print(out, "search_text_warm",
          Milliseconds([&] { found = book->GetFoundLogDates(first, last, {}, word).Count(); }),
          "ms");
    const QString words = word + QStringLiteral(" ") + QStringLiteral("meeting");
    Print(out, "search_two_words_warm",
          Milliseconds([&] { found = book->GetFoundLogDates(first, last, {}, words).Count(); }),
          "ms");

    const QString category =
        options.category.isEmpty() ? PickCategory(book->Categories()) : options.category;
    Print(out, "search_category_warm",
          Milliseconds([&] { found = book->GetFoundLogDates(first, last, category, {}).Count(); }),
          "ms");
    PrintCount(out, "search_category_found", found, "records");
    Print(out, "search_category_and_text_warm", Milliseconds([&] {
              found = book->GetFoundLogDates(first, last, category, word).Count();
          }),
          "ms");

    // Into the newest month, which is full: the whole month file and both
    // lists are written.
    const DateTime next = DateTime::FromSerial(last.Serial() + 1);
    bool logged = false;
    Print(out, "log_newest_month", Milliseconds([&] {
              logged = static_cast<bool>(
                  book->Log(next, category, {}, QStringLiteral("ベンチマークの記録 benchmark")));
          }),
          "ms");
    if (!logged) {
        *error = QStringLiteral("Log failed in %1").arg(folder);
        return false;
    }
    std::vector<double> more;
    for (int i = 1; i <= 5; ++i) {
        const DateTime later = DateTime::FromSerial(next.Serial() + i);
        more.push_back(
            Milliseconds([&] { book->Log(later, {}, {}, QStringLiteral("もう一つ another")); }));
    }
    std::sort(more.begin(), more.end());
    Print(out, "log_newest_month_median_of_5", more[2], "ms");
    Print(out, "relog_newest_month", Milliseconds([&] {
              book->ReLog(next, category, {}, QStringLiteral("書き直し rewritten"));
          }),
          "ms");
    Print(out, "item_cached", Milliseconds([&] { book->Item(first); }), "ms");

    Print(out, "collect_data_list", Milliseconds([&] { book->CollectDataList(); }), "ms");
    // A repair right after a start, when no month is in memory yet.
    book.reset();
    Print(out, "collect_data_list_cold", Milliseconds([&] {
              LogList fresh(folder);
              fresh.CollectDataList();
          }),
          "ms");

    LogList counted(folder);
    PrintCount(out, "records", counted.LogDates().Count(), "records");
    Print(out, "peak_memory", PeakResidentMegabytes(), "MB");
    return true;
}

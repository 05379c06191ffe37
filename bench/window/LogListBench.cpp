#include "LogListBench.h"
#include "WindowBenchOutput.h"

#include "env/Folders.h"
#include "env/INIFileManager.h"
#include "store/LogList.h"
#include "ui/loglist/frmLogList.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>

namespace {

void Print(QTextStream& out, const char* name, qint64 value, const char* unit)
{
    PrintFigure(out, "loglist", name, value, unit);
}

// One Enter in the search box (or the category box) with that text: the search
// and the refill of the result list, shown.
qint64 SearchFor(frmLogList& window, const QString& text,
                 const QString& box = QStringLiteral("lstString"))
{
    QLineEdit* edit = window.findChild<QComboBox*>(box)->lineEdit();
    edit->setText(text);
    QElapsedTimer timer;
    timer.start();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(edit, &press);
    Settle(window);
    return timer.elapsed();
}

// A keyword on few records, as a topic that came and went leaves it: of the
// keywords on fewer than 100 records in memory, the one on the most.
QString TopicKeyword(const LogList& book)
{
    QHash<QString, int> uses;
    for (qsizetype i = 0; i < book.Count(); ++i) {
        for (const QString& term : StringList::Terms(book.At(i).Category()))
            ++uses[StringList::Key(term)];
    }
    QString keyword;
    int most = 0;
    for (auto it = uses.cbegin(); it != uses.cend(); ++it) {
        if (it.value() < 100 && (it.value() > most || (it.value() == most && it.key() < keyword))) {
            keyword = it.key();
            most = it.value();
        }
    }
    return keyword;
}

} // namespace

bool RunLogListBenchmark(const QString& dataFolder, QTextStream& out)
{
    // Settings and the search history go to a throw-away program folder; the
    // records are read where they lie.
    QTemporaryDir program;
    PrepareFoldersIn(program.path());
    const QString folder = QDir(dataFolder).absolutePath() + u'/';

    QElapsedTimer timer;
    timer.start();
    LogList book(folder);
    Print(out, "book_load", timer.elapsed(), "ms");
    if (book.LogDates().Count() == 0)
        return false;
    Print(out, "records", book.LogDates().Count(), "records");

    timer.restart();
    auto window = std::make_unique<frmLogList>(book, nullptr);
    const qint64 loaded = timer.elapsed();
    window->show();
    Settle(*window);
    Print(out, "open_load", loaded, "ms");
    Print(out, "open_shown", timer.elapsed(), "ms");
    const auto* results = window->findChild<QListView*>(QStringLiteral("lstLogs"));
    Print(out, "first_search_lines", results->model()->rowCount(), "lines");
    out << "loglist_first_search_label: "
        << window->findChild<QLabel*>(QStringLiteral("lblLogListCount"))->text() << '\n';

    Print(out, "text_search_cold", SearchFor(*window, QStringLiteral("会議")), "ms");
    Print(out, "text_search_cold_lines", results->model()->rowCount(), "lines");
    Print(out, "text_search_warm", SearchFor(*window, QStringLiteral("meeting")), "ms");
    Print(out, "text_search_warm_lines", results->model()->rowCount(), "lines");
    Print(out, "text_search_warm_two_words", SearchFor(*window, QStringLiteral("会議 資料")), "ms");
    Print(out, "text_search_warm_two_words_lines", results->model()->rowCount(), "lines");

    // Category searches over months already in memory, with and without a word.
    const QString keyword = TopicKeyword(book);
    window->findChild<QComboBox*>(QStringLiteral("lstString"))->lineEdit()->clear();
    Print(out, "category_search_warm", SearchFor(*window, keyword, QStringLiteral("lstCategory")),
          "ms");
    Print(out, "category_search_warm_lines", results->model()->rowCount(), "lines");
    Print(out, "category_and_text_search_warm", SearchFor(*window, QStringLiteral("会議")), "ms");
    Print(out, "category_and_text_search_warm_lines", results->model()->rowCount(), "lines");
    SearchFor(*window, {}, QStringLiteral("lstCategory"));
    SearchFor(*window, QStringLiteral("会議 資料"));

    // Export of the last result (the two-word search) into a new file.
    timer.restart();
    const bool exported = window->ExportFoundDates(program.filePath(QStringLiteral("export.xml")));
    Print(out, "export_two_words", exported ? timer.elapsed() : -1, "ms");

    // The drop-down of a date list with an entry per record.
    auto* begin = window->findChild<QComboBox*>(QStringLiteral("lstLogDateBegin"));
    timer.restart();
    begin->showPopup();
    Settle(*begin->view()->window());
    Print(out, "begin_list_drop_down", timer.elapsed(), "ms");
    begin->hidePopup();

    timer.restart();
    window->close();
    window.reset();
    Print(out, "close", timer.elapsed(), "ms");

    // The worst opening: a category saved at the last close is a condition of
    // the first search, which then reads every month file of a fresh book.
    WriteSetting(SettingsFilePath(), QStringLiteral("LogList"), QStringLiteral("Category"),
                 book.Categories().Items().value(0));
    LogList fresh(folder);
    timer.restart();
    window = std::make_unique<frmLogList>(fresh, nullptr);
    window->show();
    Settle(*window);
    Print(out, "open_with_category_cold", timer.elapsed(), "ms");
    Print(out, "open_with_category_cold_lines",
          window->findChild<QListView*>(QStringLiteral("lstLogs"))->model()->rowCount(), "lines");
    window->close();
    window.reset();
    return true;
}

bool RunExportAllBenchmark(const QString& dataFolder, QTextStream& out)
{
    QTemporaryDir program;
    PrepareFoldersIn(program.path());
    LogList book(QDir(dataFolder).absolutePath() + u'/');
    frmLogList window(book, nullptr);
    window.show();
    Settle(window); // the first search, on no condition: every record
    const qint64 lines =
        window.findChild<QListView*>(QStringLiteral("lstLogs"))->model()->rowCount();
    QElapsedTimer timer;
    timer.start();
    const bool exported = window.ExportFoundDates(program.filePath(QStringLiteral("export.xml")));
    Print(out, "export_all", exported ? timer.elapsed() : -1, "ms");
    Print(out, "export_all_records", lines, "records");
    // The high-water mark of this process image: ru_maxrss would keep the
    // parent's from before the exec.
    QFile status(QStringLiteral("/proc/self/status"));
    qint64 peakKilobytes = -1;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                peakKilobytes = line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
    }
    Print(out, "export_all_peak_memory", peakKilobytes < 0 ? -1 : peakKilobytes / 1024, "MB");
    return exported;
}

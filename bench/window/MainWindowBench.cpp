#include "MainWindowBench.h"
#include "WindowBenchOutput.h"

#include "app/MainModule.h"
#include "env/DateTime.h"
#include "env/Folders.h"
#include "env/MessageService.h"
#include "store/LogList.h"
#include "support/RecordingMessageService.h"
#include "ui/main/frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QToolButton>

#include <algorithm>
#include <vector>

namespace {

void Print(QTextStream& out, const char* name, qint64 value, const char* unit)
{
    PrintFigure(out, "main", name, value, unit);
}

qint64 Median(std::vector<qint64> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool CopyFolder(const QString& from, const QString& to)
{
    QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target = to + QDir(from).relativeFilePath(source);
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}

// Waits for the clock's next second, so that each recording gets a second of its own.
void NextSecond()
{
    const DateTime now = DateTime::Now();
    while (DateTime::Now() == now)
        QThread::msleep(20);
}

} // namespace

bool RunMainWindowBenchmark(const QString& dataFolder, QTextStream& out)
{
    QTemporaryDir program;
    PrepareFoldersIn(program.path());
    // Absolute, so that the copy can name each file relative to it.
    const QString source = QDir(dataFolder).absolutePath() + u'/';
    QElapsedTimer timer;
    timer.start();
    if (!CopyFolder(source, DataFolderPath())) {
        out << "main: cannot copy " << source << " to " << DataFolderPath() << '\n';
        return false;
    }
    Print(out, "copy", timer.elapsed(), "ms");

    RecordingMessageService messages;
    SetEndHandler({});
    timer.restart();
    if (!StartUpForTesting(program.path()) || !LoadedMainWindow()) {
        out << "main: the program did not start with its main window\n";
        return false;
    }
    Settle(*LoadedMainWindow());
    Print(out, "startup_shown", timer.elapsed(), "ms");
    if (GetLogList().LogDates().Count() == 0) {
        ShutDown();
        return false;
    }
    Print(out, "records", GetLogList().LogDates().Count(), "records");
    Print(out, "categories_in_list", GetLogList().Categories().Count(), "entries");

    // Opening the window again and again on the loaded record book: construction,
    // showing and the first paint, with the category box filled.
    std::vector<qint64> opens;
    for (int i = 0; i < 5; ++i) {
        ShowIconizedWindow();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        timer.restart();
        ShowMainWindow();
        Settle(*LoadedMainWindow());
        opens.push_back(timer.elapsed());
    }
    Print(out, "window_open_median", Median(opens), "ms");
    Print(out, "window_open_max", *std::max_element(opens.begin(), opens.end()), "ms");
    frmMain& window = *LoadedMainWindow();
    auto* category = window.findChild<QComboBox*>(QStringLiteral("lstCategory"));
    Print(out, "category_box_items", category->count(), "items");

    // Recordings through the record button; the first one reads the month file.
    auto* text = window.findChild<QPlainTextEdit*>(QStringLiteral("txtLog"));
    auto* record = window.findChild<QToolButton*>(QStringLiteral("btnLog"));
    std::vector<qint64> commits;
    qint64 first = -1;
    for (int i = 0; i < 8; ++i) {
        NextSecond();
        text->setPlainText(QStringLiteral("ベンチマークの記録 %1\n二行目").arg(i));
        category->setEditText(QStringLiteral("bench 新分類%1").arg(i));
        timer.restart();
        record->click();
        Settle(window);
        const qint64 elapsed = timer.elapsed();
        if (i == 0)
            first = elapsed;
        else
            commits.push_back(elapsed);
    }
    Print(out, "commit_first", first, "ms");
    Print(out, "commit_median", Median(commits), "ms");
    Print(out, "commit_max", *std::max_element(commits.begin(), commits.end()), "ms");
    Print(out, "commit_failures", messages.shown.size(), "messages");
    Print(out, "category_box_items_after", category->count(), "items");

    timer.restart();
    ShutDown();
    Print(out, "shutdown", timer.elapsed(), "ms");
    return messages.shown.isEmpty();
}

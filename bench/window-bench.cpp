// quillmere-window-bench DATA_FOLDER
// The window figures on a data folder made by quillmere-bench --generate:
// the main window (opening, recording) and the record list window (opening,
// searching, export). Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include "window/LogListBench.h"
#include "window/MainWindowBench.h"

#include <QApplication>
#include <QProcess>
#include <QTextStream>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QApplication::arguments().mid(1);
    // The export's peak memory is measured in a process of its own.
    const bool exportOnly = !args.isEmpty() && args[0] == QStringLiteral("--export-all");
    if (exportOnly)
        args.removeFirst();
    if (args.size() != 1 || args[0].startsWith(u'-')) {
        err << "usage: quillmere-window-bench DATA_FOLDER\n"
               "  DATA_FOLDER: made by quillmere-bench --generate; it is copied, never written.\n";
        return 2;
    }
    const QString folder = args[0];
    if (exportOnly)
        return RunExportAllBenchmark(folder, out) ? 0 : 1;
    const bool main = RunMainWindowBenchmark(folder, out);
    const bool list = RunLogListBenchmark(folder, out);
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QApplication::applicationFilePath(), {QStringLiteral("--export-all"), folder});
    const bool exported = child.waitForFinished(-1) && child.exitStatus() == QProcess::NormalExit &&
                          child.exitCode() == 0;
    return main && list && exported ? 0 : 1;
}

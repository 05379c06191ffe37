// quillmere-window-bench DATA_FOLDER [--categories N]
// The window figures on a data folder made by quillmere-bench --generate:
// the main window (opening, recording) and the record list window (opening,
// searching, export). Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include "window/LogListBench.h"
#include "window/MainWindowBench.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QApplication::arguments().mid(1);
    QString folder;
    int categories = 40000;
    bool usable = true;
    for (qsizetype i = 0; i < args.size() && usable; ++i) {
        if (args[i] == QLatin1String("--categories") && i + 1 < args.size())
            categories = args[++i].toInt(&usable);
        else if (folder.isEmpty() && !args[i].startsWith(u'-'))
            folder = args[i];
        else
            usable = false;
    }
    if (!usable || folder.isEmpty() || categories < 0) {
        err << "usage: quillmere-window-bench DATA_FOLDER [--categories N]\n"
               "  DATA_FOLDER: made by quillmere-bench --generate; it is copied, never written.\n"
               "  --categories: pad the copy's category list to at least N entries (40000).\n";
        return 2;
    }
    const bool main = RunMainWindowBenchmark(folder, categories, out);
    const bool list = RunLogListBenchmark(folder, out);
    return main && list ? 0 : 1;
}

#include "ui/loglist/MainModuleHost.h"

#include "app/MainModule.h"
#include "ui/main/frmMain.h"

MainModuleHost& MainModuleHost::Instance()
{
    static MainModuleHost host;
    return host;
}

void MainModuleHost::ShowLog(const QString& logDate)
{
    // Only a running program has a main window to show it in.
    if (IsRunning())
        MainWindow().ShowLog(logDate);
}

void MainModuleHost::ReturnToWritingMode()
{
    ::ReturnToWritingMode();
}

void MainModuleHost::RefillCategories()
{
    // After a shutdown has begun no main window is loaded again for this.
    if (frmMain* main = LoadedMainWindow())
        main->RefillCategories();
}

void MainModuleHost::HighlightWords(const QStringList& words)
{
    if (IsRunning())
        MainWindow().HighlightWords(words);
}

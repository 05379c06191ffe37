#include "app/MainModuleHost.h"

#include "app/MainModule.h"
#include "ui/loglist/frmLogList.h"
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

void MainModuleHost::ShowRecordListWindow()
{
    ::ShowRecordListWindow();
}

void MainModuleHost::ShowIconizedWindow()
{
    ::ShowIconizedWindow();
}

void MainModuleHost::ShowMainWindow()
{
    ::ShowMainWindow();
}

void MainModuleHost::ShutDown()
{
    ::ShutDown();
}

bool MainModuleHost::IsShuttingDown() const
{
    return ::IsShuttingDown();
}

void MainModuleHost::HighlightWords(const QStringList& words)
{
    if (IsRunning())
        MainWindow().HighlightWords(words);
}

void MainModuleHost::RecordDeleted()
{
    if (frmLogList* list = LoadedRecordListWindow())
        list->SearchAgain();
}

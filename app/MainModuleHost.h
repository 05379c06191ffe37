#pragma once
#include "ui/loglist/LogListHost.h"
#include "ui/main/ProgramHost.h"

// The windows' way to the running program: the main module's windows and its
// switches between them.
class MainModuleHost : public LogListHost, public ProgramHost {
public:
    // The one host of the program (it holds no state).
    static MainModuleHost& Instance();

    void ShowLog(const QString& logDate) override;
    void ReturnToWritingMode() override;
    void RefillCategories() override;
    void HighlightWords(const QStringList& words) override;
    void RecordDeleted() override;
    void ShowRecordListWindow() override;
    void ShowIconizedWindow() override;
    void ShowMainWindow() override;
    void ShutDown() override;
    bool IsShuttingDown() const override;
};

#pragma once
#include "ui/loglist/LogListHost.h"

// The record list window's way to the running program: the main window of the
// main module and its switch back to writing mode.
class MainModuleHost : public LogListHost {
public:
    // The one host of the program (it holds no state).
    static MainModuleHost& Instance();

    void ShowLog(const QString& logDate) override;
    void ReturnToWritingMode() override;
    void RefillCategories() override;
    void HighlightWords(const QStringList& words) override;
};

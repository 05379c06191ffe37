#pragma once

// What the main window and the iconized window need of the program around them:
// switching the face the program shows, and ending it. The program reaches its
// main module through this; tests record the calls.
class ProgramHost {
public:
    virtual ~ProgramHost() = default;
    // Main window to browsing mode, then the record list window shown.
    virtual void ShowRecordListWindow() = 0;
    // Main window back to writing mode; closes the record list window.
    virtual void ReturnToWritingMode() = 0;
    // Main window and record list window closed; the iconized window shown.
    virtual void ShowIconizedWindow() = 0;
    // Iconized window closed; the main window shown.
    virtual void ShowMainWindow() = 0;
    // Ends the program; not entered twice.
    virtual void ShutDown() = 0;
    virtual bool IsShuttingDown() const = 0;
    // A record was deleted: an open record list window searches again.
    virtual void RecordDeleted() = 0;
};

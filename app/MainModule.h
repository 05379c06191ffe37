#pragma once
// The program's process-wide state: the one record book, the face it shows
// (main window or iconized window) and the three top-level windows, each of
// which exists at most once. Windows switch faces only through the operations
// here.
#include <QString>

#include <functional>

class LogList;
class QWidget;
class frmIcon;
class frmLogList;
class frmMain;

// Program entry: folders, single instance, file system, record book, first
// window. False when another copy already runs on the data folder (nothing was
// shown or written) or when the data folder belongs to another user (a message
// says so; nothing was written).
bool StartUp();
// Writes "Iconize", unloads every window, releases the record book and the file
// system, then runs the end handler. Not entered twice.
void ShutDown();
// A request to end from outside (logout, system shutdown): ShutDown, but never
// below a running call. While a modal box, dialog, pop-up menu or nested event
// loop is up, the boxes are closed (as if cancelled) and ShutDown runs once the
// stack has unwound. Before StartUp or after ShutDown it runs the end handler.
void RequestEnd();
// What ShutDown finally does to end the process (the program quits its event
// loop here; tests leave it empty).
void SetEndHandler(std::function<void()> handler);

// True from a successful StartUp until ShutDown has begun.
bool IsRunning();
bool IsShuttingDown();

// The shared record book; only valid while the program runs.
LogList& GetLogList();

// Main window to browsing mode, then the record list window shown, modeless and
// owned by the main window.
void ShowRecordListWindow();
// Main window to writing mode, then the record list window closed. Does nothing
// while a shutdown runs, and nothing more when entered again from the record list
// window's unload.
void ReturnToWritingMode();
// Main window and record list window closed; the iconized window shown.
void ShowIconizedWindow();
// Iconized window closed; the main window shown (in writing mode when newly loaded).
void ShowMainWindow();
bool IsIconized();

// The windows, loaded hidden when not loaded.
frmMain& MainWindow();
frmIcon& IconWindow();
// Owned by the main window (loaded hidden first, if need be).
frmLogList& RecordListWindow();
// The loaded windows, or nullptr; loading nothing. A window that has begun to
// unload no longer counts as loaded.
frmMain* LoadedMainWindow();
frmIcon* LoadedIconWindow();
frmLogList* LoadedRecordListWindow();

// The single-instance lock of a program folder: in the user's data folder.
QString InstanceLockPath(const QString& programFolder);

// Tests only: StartUp against a temporary program folder instead of the
// executable's. The program itself has no way to choose another folder.
bool StartUpForTesting(const QString& programFolder);

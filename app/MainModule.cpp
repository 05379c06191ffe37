#include "app/MainModule.h"

#include "app/MainModuleHost.h"
#include "env/FSOHelper.h"
#include "env/FolderLock.h"
#include "env/Folders.h"
#include "env/INIFileManager.h"
#include "env/MessageService.h"
#include "env/System.h"
#include "store/LogList.h"
#include "ui/controls/FormManager.h"
#include "ui/controls/SettingKeys.h"
#include "ui/loglist/frmLogList.h"
#include "ui/main/frmIcon.h"
#include "ui/main/frmMain.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <memory>
#include <stdexcept>

namespace {

const QString& kSection = SettingKeys::ProgramSection;
const QString& kIconizeKey = SettingKeys::Iconize;

struct Program {
    std::unique_ptr<FolderLock> instanceLock;
    std::unique_ptr<LogList> logList;
    bool iconized = false;
    bool running = false;
    bool shuttingDown = false;
    // A window is forgotten as soon as it has unloaded, before Qt deletes it.
    QPointer<frmMain> mainWindow;
    QPointer<frmIcon> iconWindow;
    QPointer<frmLogList> recordListWindow;
    // Set while ReturnToWritingMode runs: the record list window it closes calls
    // it again from its unload, which must not switch or close a second time.
    bool returningToWriting = false;
    // Set while the program itself closes the iconized window (back to the main
    // window); any other close of it comes from the window system.
    bool unloadingIconByProgram = false;
    // A request to end waits for the calls below a modal box to return.
    bool endPending = false;
    std::function<void()> endHandler;
};

Program& State()
{
    static Program program;
    return program;
}

bool StartUpIn(const QString& programFolder, bool besideExecutable)
{
    Program& p = State();
    if (p.running)
        return true;

    CreateFileSystem();
    if (!(besideExecutable ? PrepareFolders() : PrepareFoldersIn(programFolder))) {
        ReleaseFileSystem();
        ShowMessage(
            QStringLiteral("データフォルダ「%1」は別のユーザーのものなので、使用できません。"
                           "\r\nQuillmere を終了します。")
                .arg(QDir::toNativeSeparators(DataFolderPath())),
            ApplicationTitle(), MessageIcon::Critical);
        return false;
    }
    // A folder that could not be made holds no data to guard: the start goes
    // on, as it does without a data folder.
    auto lock = std::make_unique<FolderLock>();
    if (lock->TryLockFile(InstanceLockPath(ProgramFolderPath())) == FolderLock::Result::InUse) {
        ReleaseFileSystem();
        return false;
    }
    p.instanceLock = std::move(lock);
    p.logList = std::make_unique<LogList>();

    // An entry that is neither a truth value nor a number counts as not iconized.
    const QString stored =
        ReadSetting(SettingsFilePath(), kSection, kIconizeKey, SettingKeys::IconizeDefault);
    p.iconized = SettingToTruth(stored).value_or(false);
    p.running = true;
    p.shuttingDown = false;

    if (p.iconized)
        IconWindow().show();
    else
        MainWindow().show();
    return true;
}

} // namespace

bool StartUp()
{
    return StartUpIn(QCoreApplication::applicationDirPath(), true);
}

bool StartUpForTesting(const QString& programFolder)
{
    return StartUpIn(programFolder, false);
}

QString InstanceLockPath(const QString& programFolder)
{
    return FolderLock::SingleCopyPath(ApplicationTitle(), programFolder);
}

namespace {

// Closes the innermost box, dialog or pop-up menu, whose caller then goes on
// as if the user had cancelled it.
void CloseInnermostModalWindow()
{
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    } else if (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }
}

void EndOnceUnwound()
{
    Program& p = State();
    if (!IsRunning()) {
        p.endPending = false;
        return;
    }
    // Below a box or a nested loop a call still runs that uses the windows and
    // the record book (a record being stored waits under its parse-error box):
    // ending there would free them under it.
    const bool nested = QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
                        QThread::currentThread()->loopLevel() > 1;
    if (!nested) {
        p.endPending = false;
        ShutDown();
        return;
    }
    CloseInnermostModalWindow();
    QTimer::singleShot(20, [] { EndOnceUnwound(); });
}

} // namespace

void RequestEnd()
{
    Program& p = State();
    if (!p.running) {
        if (p.endHandler)
            p.endHandler();
        return;
    }
    if (p.shuttingDown || p.endPending)
        return;
    p.endPending = true;
    EndOnceUnwound();
}

void ShutDown()
{
    Program& p = State();
    if (!p.running || p.shuttingDown)
        return;
    p.shuttingDown = true;

    WriteSetting(SettingsFilePath(), kSection, kIconizeKey, p.iconized);
    UnloadAllWindows();
    // Windows that did not close with the others (none should) are unloaded all the same.
    if (frmLogList* list = LoadedRecordListWindow())
        list->close();
    if (p.mainWindow)
        p.mainWindow->Unload();
    if (p.iconWindow)
        p.iconWindow->Unload();
    p.recordListWindow = nullptr;
    p.mainWindow = nullptr;
    p.iconWindow = nullptr;

    p.logList.reset();
    ReleaseFileSystem();
    p.instanceLock.reset();
    p.running = false;
    p.shuttingDown = false;
    p.returningToWriting = false;
    p.endPending = false;
    if (p.endHandler)
        p.endHandler();
}

void SetEndHandler(std::function<void()> handler)
{
    State().endHandler = std::move(handler);
}

bool IsRunning()
{
    return State().running && !State().shuttingDown;
}

bool IsShuttingDown()
{
    return State().shuttingDown;
}

LogList& GetLogList()
{
    Program& p = State();
    if (!p.logList)
        throw std::logic_error("GetLogList: the record book exists only while the program runs");
    return *p.logList;
}

frmMain& MainWindow()
{
    Program& p = State();
    if (!p.mainWindow) {
        auto* window = new frmMain(GetLogList(), &MainModuleHost::Instance());
        window->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(window, &frmMain::Unloaded, [window] {
            if (State().mainWindow == window)
                State().mainWindow = nullptr;
        });
        p.mainWindow = window;
    }
    return *p.mainWindow;
}

frmIcon& IconWindow()
{
    Program& p = State();
    if (!p.iconWindow) {
        auto* window = new frmIcon(&MainModuleHost::Instance());
        window->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(window, &frmIcon::Unloaded, [window] {
            Program& state = State();
            if (state.iconWindow != window)
                return;
            state.iconWindow = nullptr;
            // Closed by the window system while it was the program's only face: left
            // running without a window, the program would also hold the single-instance
            // lock and turn every later start away. End it as its exit entry does.
            if (!state.unloadingIconByProgram && !state.shuttingDown && state.running)
                ShutDown();
        });
        p.iconWindow = window;
    }
    return *p.iconWindow;
}

frmLogList& RecordListWindow()
{
    Program& p = State();
    if (!LoadedRecordListWindow()) {
        auto* window = new frmLogList(GetLogList(), &MainModuleHost::Instance(), &MainWindow());
        window->setAttribute(Qt::WA_DeleteOnClose);
        p.recordListWindow = window;
    }
    return *p.recordListWindow;
}

frmMain* LoadedMainWindow()
{
    return State().mainWindow;
}

frmIcon* LoadedIconWindow()
{
    return State().iconWindow;
}

frmLogList* LoadedRecordListWindow()
{
    frmLogList* window = State().recordListWindow;
    return window && !window->IsUnloaded() ? window : nullptr;
}

bool IsIconized()
{
    return State().iconized;
}

void ShowRecordListWindow()
{
    if (!IsRunning())
        return;
    MainWindow().SetToBrowsingMode();
    frmLogList& list = RecordListWindow();
    list.show();
    list.raise();
    list.activateWindow();
}

void ReturnToWritingMode()
{
    Program& p = State();
    // A shutdown unloads the record list window, whose unload lands here: the main
    // window is going too, and its unsent input was saved when it left writing mode.
    if (!IsRunning() || p.returningToWriting)
        return;
    p.returningToWriting = true;
    MainWindow().SetToWritingMode();
    if (frmLogList* list = LoadedRecordListWindow())
        list->close();
    p.returningToWriting = false;
}

void ShowIconizedWindow()
{
    Program& p = State();
    if (!IsRunning())
        return;
    p.iconized = true;
    if (p.mainWindow)
        p.mainWindow->Unload();
    // Its unload returns to writing mode and so loads a hidden main window, which
    // the next ShowMainWindow shows.
    if (frmLogList* list = LoadedRecordListWindow())
        list->close();
    frmIcon& icon = IconWindow();
    icon.show();
    icon.raise();
}

void ShowMainWindow()
{
    Program& p = State();
    if (!IsRunning())
        return;
    p.iconized = false;
    if (p.iconWindow) {
        p.unloadingIconByProgram = true;
        p.iconWindow->Unload();
        p.unloadingIconByProgram = false;
    }
    frmMain& window = MainWindow();
    window.show();
    window.raise();
    window.activateWindow();
}

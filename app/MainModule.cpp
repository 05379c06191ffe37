#include "app/MainModule.h"

#include "env/FSOHelper.h"
#include "env/Folders.h"
#include "env/INIFileManager.h"
#include "env/System.h"
#include "store/LogList.h"
#include "ui/controls/FormManager.h"
#include "ui/main/frmIcon.h"
#include "ui/main/frmMain.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>

#include <memory>
#include <stdexcept>

namespace {

const QString kSection = QStringLiteral("Quillmere");
const QString kIconizeKey = QStringLiteral("Iconize");

struct Program {
    std::unique_ptr<QLockFile> instanceLock;
    std::unique_ptr<LogList> logList;
    bool iconized = false;
    bool running = false;
    bool shuttingDown = false;
    // A window is forgotten as soon as it has unloaded, before Qt deletes it.
    QPointer<frmMain> mainWindow;
    QPointer<frmIcon> iconWindow;
    QPointer<QWidget> recordListWindow;
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

    auto lock = std::make_unique<QLockFile>(InstanceLockPath(programFolder));
    // Only a lock whose holder has died is taken over, however old it is.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    p.instanceLock = std::move(lock);

    CreateFileSystem();
    if (besideExecutable)
        PrepareFolders();
    else
        PrepareFoldersIn(programFolder);
    p.logList = std::make_unique<LogList>();

    // An entry that is neither a truth value nor a number counts as not iconized.
    const QString stored = ReadSetting(SettingsFilePath(), kSection, kIconizeKey, false);
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
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
    // One lock per user and program folder: two users of one folder may each run a copy.
    const QByteArray key = (CurrentUserName() + u'\n' + QDir::cleanPath(programFolder)).toUtf8();
    const QByteArray hash =
        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    return base + QStringLiteral("/quillmere-") + QString::fromLatin1(hash) +
           QStringLiteral(".lock");
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
    if (p.recordListWindow)
        p.recordListWindow->close();
    if (p.mainWindow)
        p.mainWindow->Unload();
    if (p.iconWindow)
        p.iconWindow->Unload();

    p.logList.reset();
    ReleaseFileSystem();
    p.instanceLock.reset();
    p.running = false;
    p.shuttingDown = false;
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
        auto* window = new frmMain();
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
        auto* window = new frmIcon();
        window->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(window, &frmIcon::Unloaded, [window] {
            if (State().iconWindow == window)
                State().iconWindow = nullptr;
        });
        p.iconWindow = window;
    }
    return *p.iconWindow;
}

frmMain* LoadedMainWindow()
{
    return State().mainWindow;
}

frmIcon* LoadedIconWindow()
{
    return State().iconWindow;
}

QWidget* LoadedRecordListWindow()
{
    return State().recordListWindow;
}

bool IsIconized()
{
    return State().iconized;
}

void ShowRecordListWindow()
{
    MainWindow().SetToBrowsingMode();
    // The record list window, owned by the main window, is shown here.
}

void ReturnToWritingMode()
{
    Program& p = State();
    // During shutdown no window is loaded again.
    if (p.shuttingDown && !p.mainWindow)
        return;
    MainWindow().SetToWritingMode();
    if (p.recordListWindow)
        p.recordListWindow->close();
}

void ShowIconizedWindow()
{
    Program& p = State();
    p.iconized = true;
    if (p.mainWindow)
        p.mainWindow->Unload();
    if (p.recordListWindow)
        p.recordListWindow->close();
    frmIcon& icon = IconWindow();
    icon.show();
    icon.raise();
}

void ShowMainWindow()
{
    Program& p = State();
    p.iconized = false;
    if (p.iconWindow)
        p.iconWindow->Unload();
    frmMain& window = MainWindow();
    window.show();
    window.raise();
    window.activateWindow();
}

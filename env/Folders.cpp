#include "env/Folders.h"

#include "env/FSOHelper.h"
#include "env/System.h"

#include <QCoreApplication>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Paths {
    QString program;
    QString data;
    QString icons;
    QString settings;
};

Paths& Current()
{
    static Paths paths;
    return paths;
}

// The program folder is shared by every user of the machine, so anyone may
// have made a folder of this name before its user's first start: one of
// another owner is refused, one of the user's own is closed to everyone else.
bool MakePrivate(const QString& folder)
{
    const QByteArray native = QFile::encodeName(folder);
    struct stat link {};
    if (::lstat(native.constData(), &link) != 0)
        return true; // missing: EnsureFolder makes it private
    if (S_ISLNK(link.st_mode) && link.st_uid != ::geteuid() && link.st_uid != 0)
        return false; // another user could point it elsewhere at any time
    struct stat info {};
    if (::stat(native.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return true; // nothing usable; the start goes on without a data folder
    if (info.st_uid != ::geteuid())
        return false;
    if ((info.st_mode & 077) != 0)
        ::chmod(native.constData(), 0700);
    return true;
}

} // namespace

bool PrepareFolders()
{
    return PrepareFoldersIn(QCoreApplication::applicationDirPath());
}

bool PrepareFoldersIn(const QString& programFolder)
{
    Paths& paths = Current();
    paths.program = programFolder;
    while (paths.program.size() > 1 && paths.program.endsWith(u'/'))
        paths.program.chop(1);
    paths.data = paths.program + u'/' + CurrentUserName() + u'/';
    paths.icons = paths.program + u'/' + IconFolderName() + u'/';
    paths.settings = paths.data + SettingsFileName();
    if (!MakePrivate(paths.data.chopped(1)))
        return false;
    EnsureFolder(paths.data, 0700);
    return true;
}

const QString& ProgramFolderPath()
{
    return Current().program;
}

const QString& DataFolderPath()
{
    return Current().data;
}

const QString& IconFolderPath()
{
    return Current().icons;
}

const QString& SettingsFilePath()
{
    return Current().settings;
}

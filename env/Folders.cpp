#include "env/Folders.h"

#include "env/FSOHelper.h"
#include "env/System.h"

#include <QCoreApplication>

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

} // namespace

void PrepareFolders()
{
    PrepareFoldersIn(QCoreApplication::applicationDirPath());
}

void PrepareFoldersIn(const QString& programFolder)
{
    Paths& paths = Current();
    paths.program = programFolder;
    while (paths.program.size() > 1 && paths.program.endsWith(u'/'))
        paths.program.chop(1);
    paths.data = paths.program + u'/' + CurrentUserName() + u'/';
    // The program folder is shared by every user of the machine.
    EnsureFolder(paths.data, 0700);
    paths.icons = paths.program + QStringLiteral("/icons/");
    paths.settings = paths.data + ApplicationTitle() + QStringLiteral(".ini");
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

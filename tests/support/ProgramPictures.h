#pragma once
// Windows load their pictures from the program's icon folder; tests and
// screenshots put the project's own pictures there first.
#include "env/Folders.h"

#include <QDir>
#include <QFile>
#include <QString>

inline QString ProjectIconFolder()
{
    return QStringLiteral(QUILLMERE_TEST_DATA "/../../resources/icons");
}

inline void CopyProgramPictures()
{
    const QDir icons(ProjectIconFolder());
    QDir().mkpath(IconFolderPath());
    for (const QString& name : icons.entryList(QDir::Files))
        QFile::copy(icons.filePath(name), IconFolderPath() + name);
}

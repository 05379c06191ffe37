#pragma once
// A throw-away program folder for one test: the data folder, icon folder and
// settings file paths all point below it while the object lives.
#include "env/Folders.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <ostream>

class TempFolder {
public:
    TempFolder() { PrepareFoldersIn(dir_.path()); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The program folder, without a final "/".
    QString path() const { return dir_.path(); }
    // A path below the program folder.
    QString file(const QString& relative) const { return dir_.path() + u'/' + relative; }
    // A path below the data folder.
    QString dataFile(const QString& relative) const { return DataFolderPath() + relative; }

    // Writes bytes to a path below the program folder, creating folders on the way.
    void write(const QString& relative, const QByteArray& bytes) const
    {
        WriteBytes(file(relative), bytes);
    }
    QByteArray read(const QString& relative) const { return ReadBytes(file(relative)); }
    bool exists(const QString& relative) const { return QFileInfo::exists(file(relative)); }

    static void WriteBytes(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    }
    static QByteArray ReadBytes(const QString& path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return f.readAll();
    }

private:
    QTemporaryDir dir_;
};

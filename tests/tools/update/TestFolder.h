#pragma once
// A throw-away program folder with helpers to lay out old-format data.
#include "env/FSOHelper.h"
#include "env/System.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <ostream>

// Readable failure output for texts.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toUtf8().constData() << '"';
}

class TestFolder {
public:
    QString path() const { return dir_.path(); }
    QString file(const QString& relative) const { return dir_.path() + "/" + relative; }

    void write(const QString& relative, const QByteArray& bytes) const
    {
        const QString full = file(relative);
        QDir().mkpath(QFileInfo(full).path());
        QFile f(full);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    QByteArray read(const QString& relative) const
    {
        QFile f(file(relative));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    // A file as the data-file search gives it.
    FileEntry entry(const QString& relative) const
    {
        return FileEntry{QFileInfo(relative).fileName(), file(relative),
                         NativePath(file(relative))};
    }
    bool exists(const QString& relative) const { return QFileInfo::exists(file(relative)); }

private:
    QTemporaryDir dir_;
};

// A month file of versions 1.0 to 1.2, in code page 932 with CR LF lines.
inline QByteArray OldFile(const QByteArray& elements)
{
    return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<diary>\r\n" + elements +
           "</diary>\r\n";
}

// Pins the time-zone suffix of every stamp written while it lives.
class ZoneOffset {
public:
    explicit ZoneOffset(int minutesEastOfUtc) { SetTimeZoneOffsetForTesting(minutesEastOfUtc); }
    ~ZoneOffset() { SetTimeZoneOffsetForTesting(std::nullopt); }
    ZoneOffset(const ZoneOffset&) = delete;
    ZoneOffset& operator=(const ZoneOffset&) = delete;
};

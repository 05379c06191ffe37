#pragma once
// A private data folder per test, a fixed time-zone suffix and helpers to read
// and write its files byte for byte.
#include "env/AtomicFile.h"
#include "env/System.h"
#include "store/DateList.h"
#include "store/ListControl.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        SetTimeZoneOffsetForTesting(9 * 60);
    }
    void TearDown() override
    {
        SetTimeZoneOffsetForTesting(std::nullopt);
        SetAtomicWriteFaultForTesting(std::nullopt);
    }

    // The data folder, ending in "/".
    QString Folder() const { return dir_.path() + QLatin1Char('/'); }
    QString PathOf(const QString& name) const { return Folder() + name; }

    QByteArray ReadBytes(const QString& name) const
    {
        QFile file(PathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void WriteBytes(const QString& name, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(PathOf(name)).absolutePath());
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    // A file at a path given as the file system's bytes.
    static void WriteNative(const QByteArray& path, const QByteArray& bytes)
    {
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0) << path.constData();
        ASSERT_EQ(::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())), bytes.size());
        ::close(fd);
    }
    bool Exists(const QString& name) const { return QFileInfo::exists(PathOf(name)); }
    void MakeReadOnly(const QString& name) const { ::chmod(QFile::encodeName(PathOf(name)), 0444); }
    void MakeWritable(const QString& name) const { ::chmod(QFile::encodeName(PathOf(name)), 0600); }

private:
    QTemporaryDir dir_;
};

// A list control that remembers what reached it.
class RecordingListControl : public ListControl {
public:
    void SetVisible(bool visible) override { calls << (visible ? "show" : "hide"); }
    void Clear() override
    {
        calls << "clear";
        items.clear();
    }
    void AddItem(const QString& text) override { items << text; }

    QStringList calls; // hide / show / clear, in order
    QStringList items;
};

// A month file as the program writes it.
inline QByteArray DataFile(const QByteArray& logs)
{
    return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<diary>" + logs + "</diary>\r\n";
}

inline DateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return DateTime::FromParts(year, month, day, hour, minute, second);
}

inline DateList ListOf(std::initializer_list<DateTime> values)
{
    DateList list;
    for (const DateTime& value : values)
        list.Add(value);
    return list;
}

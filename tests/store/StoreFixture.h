#pragma once
// A private data folder per test, a fixed time-zone suffix, recorded messages
// and helpers to read and write its files byte for byte.
#include "env/AtomicFile.h"
#include "env/MessageService.h"
#include "env/System.h"
#include "store/ListControl.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/stat.h>

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
    bool Exists(const QString& name) const { return QFileInfo::exists(PathOf(name)); }
    void MakeReadOnly(const QString& name) const { ::chmod(QFile::encodeName(PathOf(name)), 0444); }
    void MakeWritable(const QString& name) const { ::chmod(QFile::encodeName(PathOf(name)), 0600); }

    RecordingMessageService messages_;

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

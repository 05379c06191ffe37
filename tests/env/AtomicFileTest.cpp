#include "env/AtomicFile.h"
#include "support/QtPrinters.h"
#include "support/TempFolder.h"

#include <QDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

mode_t ModeOf(const QString& path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

QStringList Leftovers(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*") + kAtomicTempMarker + "*"},
                                  QDir::Files | QDir::Hidden);
}

// Restores the fault seam and the umask whatever a test does.
class Atomic : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetAtomicWriteFaultForTesting(std::nullopt);
        ::umask(oldMask);
    }
    TempFolder folder;
    QString path = folder.file("10.diary");
    mode_t oldMask = ::umask(022);
};

TEST_F(Atomic, NewFileIsPrivateWhateverTheUmask)
{
    ::umask(0);
    QString error;
    EXPECT_TRUE(WriteFileAtomically(path, "new", &error)) << error.toStdString();
    EXPECT_EQ(folder.read("10.diary"), QByteArray("new"));
    EXPECT_EQ(ModeOf(path), mode_t(0600));
    EXPECT_TRUE(Leftovers(folder.path()).isEmpty());
}

TEST_F(Atomic, AReplacedFileIsPrivateWhateverItsOldMode)
{
    folder.write("10.diary", "old");
    ::chmod(QFile::encodeName(path).constData(), 0666);
    EXPECT_TRUE(WriteFileAtomically(path, "newer"));
    EXPECT_EQ(folder.read("10.diary"), QByteArray("newer"));
    EXPECT_EQ(ModeOf(path), mode_t(0600));
}

TEST_F(Atomic, ReadOnlyFileIsNotReplacedEvenForRoot)
{
    folder.write("10.diary", "old");
    ::chmod(QFile::encodeName(path).constData(), 0444);
    QString error;
    EXPECT_FALSE(WriteFileAtomically(path, "new", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(folder.read("10.diary"), QByteArray("old"));
    EXPECT_EQ(ModeOf(path), mode_t(0444));
    EXPECT_TRUE(Leftovers(folder.path()).isEmpty());
}

TEST_F(Atomic, MissingFolderOrFolderTargetFails)
{
    EXPECT_FALSE(WriteFileAtomically(folder.file("no/such/file"), "x"));
    QDir().mkpath(folder.file("dir"));
    EXPECT_FALSE(WriteFileAtomically(folder.file("dir"), "x"));
    EXPECT_TRUE(QFileInfo(folder.file("dir")).isDir());
}

TEST_F(Atomic, LinkIsWrittenThroughAndStaysALink)
{
    folder.write("real.diary", "old");
    ASSERT_TRUE(QFile::link(folder.file("real.diary"), path));
    EXPECT_TRUE(WriteFileAtomically(path, "new"));
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_EQ(folder.read("real.diary"), QByteArray("new"));
}

TEST_F(Atomic, InterruptedAtAnyByteLeavesTheOldFileWhole)
{
    const QByteArray oldBytes("<diary>old content</diary>");
    const QByteArray newBytes("<diary>the new and longer content</diary>");
    for (auto action : {AtomicWriteFault::Action::Fail, AtomicWriteFault::Action::Abandon}) {
        for (qint64 n = 0; n <= newBytes.size(); ++n) {
            folder.write("10.diary", oldBytes);
            SetAtomicWriteFaultForTesting(AtomicWriteFault{n, action, false});
            EXPECT_FALSE(WriteFileAtomically(path, newBytes)) << n;
            SetAtomicWriteFaultForTesting(std::nullopt);
            ASSERT_EQ(folder.read("10.diary"), oldBytes) << "stopped after " << n << " bytes";
        }
    }
    // The abandoned temporary files are never taken for the file and go with the next save.
    EXPECT_FALSE(Leftovers(folder.path()).isEmpty());
    EXPECT_TRUE(WriteFileAtomically(path, newBytes));
    EXPECT_EQ(folder.read("10.diary"), newBytes);
    EXPECT_TRUE(Leftovers(folder.path()).isEmpty());
}

TEST_F(Atomic, StopAfterTheRenameLeavesTheNewFileWhole)
{
    folder.write("10.diary", "old");
    SetAtomicWriteFaultForTesting(AtomicWriteFault{0, AtomicWriteFault::Action::Abandon, true});
    WriteFileAtomically(path, "new");
    EXPECT_EQ(folder.read("10.diary"), QByteArray("new"));
}

TEST_F(Atomic, FullDiskKeepsOldContentAndReportsIt)
{
    folder.write("10.diary", "old");
    SetAtomicWriteFaultForTesting(AtomicWriteFault{2, AtomicWriteFault::Action::Fail, false});
    QString error;
    EXPECT_FALSE(WriteFileAtomically(path, "new content", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(folder.read("10.diary"), QByteArray("old"));
    EXPECT_TRUE(Leftovers(folder.path()).isEmpty());
}

TEST_F(Atomic, ProcessKilledMidWriteLeavesOldOrNew)
{
    const QByteArray oldBytes(1000, 'o');
    const QByteArray newBytes(3000, 'n');
    for (qint64 n : {qint64(0), qint64(1), qint64(1500), qint64(3000)}) {
        folder.write("10.diary", oldBytes);
        EXPECT_EXIT(
            {
                SetAtomicWriteFaultForTesting(
                    AtomicWriteFault{n, AtomicWriteFault::Action::Exit, false});
                WriteFileAtomically(path, newBytes);
            },
            ::testing::ExitedWithCode(3), "");
        EXPECT_EQ(folder.read("10.diary"), oldBytes) << n;
    }
    folder.write("10.diary", oldBytes);
    EXPECT_EXIT(
        {
            SetAtomicWriteFaultForTesting(
                AtomicWriteFault{0, AtomicWriteFault::Action::Exit, true});
            WriteFileAtomically(path, newBytes);
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(folder.read("10.diary"), newBytes);
}

} // namespace

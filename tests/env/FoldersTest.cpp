#include "env/Folders.h"
#include "env/System.h"
#include "support/QtPrinters.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t ModeOf(const QString& path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

TEST(Folders, FirstRunCreatesOnlyThePrivateDataFolder)
{
    QTemporaryDir program;
    const mode_t oldMask = ::umask(0);
    PrepareFoldersIn(program.path());
    ::umask(oldMask);
    const QString user = CurrentUserName();
    EXPECT_EQ(ProgramFolderPath(), program.path());
    EXPECT_EQ(DataFolderPath(), program.path() + "/" + user + "/");
    EXPECT_EQ(IconFolderPath(), program.path() + "/icons/");
    EXPECT_EQ(SettingsFilePath(), DataFolderPath() + "Quillmere.ini");
    EXPECT_EQ(
        QDir(program.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList({user}));
    EXPECT_TRUE(
        QDir(DataFolderPath()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    EXPECT_EQ(ModeOf(DataFolderPath()), mode_t(0700));
}

TEST(Folders, EachUserHasAFolderAndANamelessUserIsUser)
{
    QTemporaryDir program;
    SetSystemUserNameForTesting("hanako");
    PrepareFoldersIn(program.path() + "/");
    EXPECT_EQ(DataFolderPath(), program.path() + "/hanako/");
    SetSystemUserNameForTesting(QString());
    PrepareFoldersIn(program.path());
    EXPECT_EQ(DataFolderPath(), program.path() + "/User/");
    SetSystemUserNameForTesting(std::nullopt);
    EXPECT_TRUE(QFileInfo(program.path() + "/hanako").isDir());
    EXPECT_TRUE(QFileInfo(program.path() + "/User").isDir());
}

TEST(Folders, AnExistingDataFolderIsMadePrivateAndOneOfAnotherUserIsRefused)
{
    QTemporaryDir program;
    const QString data = program.path() + "/" + CurrentUserName();
    QDir().mkpath(data);
    ::chmod(QFile::encodeName(data).constData(), 0777);
    QFile file(data + "/logdate.list");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("2001/10/07 09:05:03\r\n");
    file.close();
    EXPECT_TRUE(PrepareFoldersIn(program.path()));
    EXPECT_EQ(ModeOf(data), mode_t(0700));
    EXPECT_TRUE(QFileInfo::exists(data + "/logdate.list"));

    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a folder to another user needs root";
    // Planted by someone else before the user's first start: used as it is by
    // nobody, changed in no way.
    ::chmod(QFile::encodeName(data).constData(), 0777);
    ASSERT_EQ(::chown(QFile::encodeName(data).constData(), ::geteuid() + 4242, -1), 0);
    EXPECT_FALSE(PrepareFoldersIn(program.path()));
    EXPECT_EQ(ModeOf(data), mode_t(0777));
    EXPECT_EQ(DataFolderPath(), data + "/");
}

TEST(Folders, ProgramFolderIsTheExecutablesFolder)
{
    const QString data = QCoreApplication::applicationDirPath() + "/" + CurrentUserName();
    const bool existed = QFileInfo::exists(data);
    PrepareFolders();
    EXPECT_EQ(ProgramFolderPath(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(DataFolderPath(), data + "/");
    if (!existed)
        QDir().rmdir(data);
    EXPECT_TRUE(DataFolderPath().endsWith(u'/'));
    EXPECT_EQ(ApplicationTitle(), "Quillmere");
}

} // namespace

#include "tools/update/Migrator.h"
#include "TestFolder.h"

#include "env/Folders.h"
#include "env/MessageService.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

using update::Migrator;

namespace {

class MigratorTest : public ::testing::Test {
protected:
    ZoneOffset zone{9 * 60};
    TestFolder folder;
    RecordingMessageService messages;
};

const QByteArray kOldRecords =
    "<log year=\"2001\" month=\"10\" day=\"7\" hour=\"9\" minute=\"5\" second=\"3\" "
    "category=\"\x8e\x64\x8e\x96\">a\r\nb</log>\r\n"
    "<log year=\"2001\" month=\"10\" day=\"8\" hour=\"21\" minute=\"0\" second=\"0\" "
    "category=\"\" href=\"C:\\memo.txt\">x</log>\r\n";

const QByteArray kConverted =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
    "<diary>"
    "<log date=\"2001-10-07T09:05:03+09:00\" category=\"\x8e\x64\x8e\x96\">a\r\nb</log>"
    "<log date=\"2001-10-08T21:00:00+09:00\" href=\"C:\\memo.txt\">x</log>"
    "</diary>\r\n";

} // namespace

TEST_F(MigratorTest, ConvertsOldFileToExactCurrentFormat)
{
    folder.write("user/2001/10.diary", OldFile(kOldRecords));
    ASSERT_TRUE(Migrator(folder.path()).ConvertDataFile(folder.file("user/2001/10.diary")));
    EXPECT_EQ(folder.read("user/2001/10.diary"), kConverted);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(MigratorTest, SecondRunKeepsTheFirstRunsRecords)
{
    folder.write("user/2001/10.diary", OldFile(kOldRecords));
    const Migrator migrator(folder.path());
    ASSERT_TRUE(migrator.ConvertDataFile(folder.file("user/2001/10.diary")));
    ASSERT_TRUE(migrator.ConvertDataFile(folder.file("user/2001/10.diary")));
    EXPECT_EQ(folder.read("user/2001/10.diary"), kConverted);
}

TEST_F(MigratorTest, CodePage932CharactersAndReferencesSurvive)
{
    // 0x5C backslash, 81 60 wave dash, 87 40 circled one, FB FC, a reference to an emoji
    // that code page 932 cannot hold, and a stray CR written as a reference.
    folder.write("u/2005/01.diary",
                 OldFile("<x year=\"2005\" month=\"1\" day=\"1\" hour=\"0\" minute=\"0\" "
                         "second=\"0\" href=\"\\\\srv\\\x81\x60\">\x87\x40\xfb\xfc &#x1F600; "
                         "&amp;&lt;</x>"));
    const Migrator migrator(folder.path());
    ASSERT_TRUE(migrator.ConvertDataFile(folder.file("u/2005/01.diary")));
    const QList<update::Log> records = migrator.ReadRecords(folder.file("u/2005/01.diary"));
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].Link(), QString::fromUtf8("\\\\srv\\～"));
    EXPECT_EQ(records[0].Text(), QString::fromUtf8("①髙 😀 &<"));
    const QByteArray bytes = folder.read("u/2005/01.diary");
    EXPECT_TRUE(bytes.contains("\x87\x40\xfb\xfc &#128512; &amp;&lt;"))
        << bytes.toHex(' ').constData();
}

TEST_F(MigratorTest, UnparsableFileIsReportedAndLeftUnchanged)
{
    const QByteArray broken = OldFile("<log year=\"2001\">unclosed\r\n");
    folder.write("user/2001/11.diary", broken);
    EXPECT_FALSE(Migrator(folder.path()).ConvertDataFile(folder.file("user/2001/11.diary")));
    EXPECT_EQ(folder.read("user/2001/11.diary"), broken);
    // The data file's own parse-error message: heading, reason, then line and column.
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].title, ApplicationTitle());
    EXPECT_TRUE(messages.shown[0].text.startsWith(
        QString::fromUtf8("XML データファイルの操作中に不具合が生じました。\r\n")));
    EXPECT_TRUE(messages.shown[0].text.contains(QString::fromUtf8("ファイル：user/2001/11.diary")));
    EXPECT_TRUE(messages.shown[0].text.contains(QString::fromUtf8("桁：")));
}

TEST_F(MigratorTest, DoctypeIsRefusedAndFileKept)
{
    const QByteArray withEntity = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
                                  "<!DOCTYPE diary [<!ENTITY e SYSTEM "
                                  "\"/etc/passwd\">]>\r\n<diary><log>&e;</log></diary>\r\n";
    folder.write("user/2001/12.diary", withEntity);
    EXPECT_FALSE(Migrator(folder.path()).ConvertDataFile(folder.file("user/2001/12.diary")));
    EXPECT_EQ(folder.read("user/2001/12.diary"), withEntity);
    EXPECT_EQ(messages.shown.size(), 1);
}

TEST_F(MigratorTest, CommentsArePassedOverAndRecordOrderKept)
{
    folder.write("u/2001/10.diary",
                 OldFile("<!-- note -->\r\n"
                         "<log date=\"2001-10-09T00:00:00+00:00\">later</log>\r\n"
                         "<log date=\"2001-10-01T00:00:00+00:00\">earlier</log>\r\n"));
    const QList<update::Log> records =
        Migrator(folder.path()).ReadRecords(folder.file("u/2001/10.diary"));
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].Text(), "later");
    EXPECT_EQ(records[1].Text(), "earlier");
}

TEST_F(MigratorTest, UnwritableFileKeepsOldContentAndNoTemporaryRemains)
{
    folder.write("u/2001/10.diary", OldFile(kOldRecords));
    const QString path = folder.file("u/2001/10.diary");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
    EXPECT_FALSE(Migrator(folder.path()).ConvertDataFile(path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(folder.read("u/2001/10.diary"), OldFile(kOldRecords));
    EXPECT_EQ(QDir(folder.file("u/2001")).entryList(QDir::Files), QStringList{"10.diary"});
}

TEST_F(MigratorTest, FindsDataFilesOnlyBelowSubfolders)
{
    folder.write("top.diary", OldFile(""));
    folder.write("a/2001/01.diary", OldFile(""));
    folder.write("a/2001/deep/x/02.diary", OldFile(""));
    folder.write("b/03.diary", OldFile(""));
    folder.write("b/notes.txt", "x");
    // A folder named in Shift_JIS, as copied from Windows: バックアップ/古
    const QByteArray backup =
        QFile::encodeName(folder.path()) + "/\x83\x6F\x83\x62\x83\x4E\x83\x41\x83\x62\x83\x76";
    ASSERT_EQ(::mkdir(backup.constData(), 0700), 0);
    ASSERT_EQ(::mkdir((backup + "/\x8C\xC3").constData(), 0700), 0);
    ::close(::open((backup + "/\x8C\xC3/04.diary").constData(), O_WRONLY | O_CREAT, 0600));
    const QStringList found = Migrator(folder.path()).FindDataFiles();
    EXPECT_EQ(found, (QStringList{folder.file("a/2001/01.diary"),
                                  folder.file("a/2001/deep/x/02.diary"), folder.file("b/03.diary"),
                                  folder.file(QStringLiteral("バックアップ/古/04.diary"))}));
}

TEST_F(MigratorTest, SettingsFileGoesOnlyToDataFoldersWithout)
{
    folder.write("Quillmere.ini", "[old]\r\n");
    folder.write("alice/Quillmere.ini", "[alice]\r\n");
    QDir(folder.path()).mkpath("bob");
    QDir(folder.path()).mkpath("manual");
    QDir(folder.path()).mkpath("icons");
    QDir(folder.path()).mkpath("Icons");
    Migrator(folder.path()).MigrateSettingsFile();
    EXPECT_EQ(folder.read("alice/Quillmere.ini"), "[alice]\r\n");
    EXPECT_EQ(folder.read("bob/Quillmere.ini"), "[old]\r\n");
    EXPECT_EQ(folder.read("Icons/Quillmere.ini"), "[old]\r\n"); // the names compare exactly
    EXPECT_FALSE(folder.exists("manual/Quillmere.ini"));
    EXPECT_FALSE(folder.exists("icons/Quillmere.ini"));
    EXPECT_FALSE(folder.exists("Quillmere.ini"));
}

TEST_F(MigratorTest, NoSettingsFileChangesNothing)
{
    QDir(folder.path()).mkpath("bob");
    Migrator(folder.path()).MigrateSettingsFile();
    EXPECT_FALSE(folder.exists("bob/Quillmere.ini"));
}

TEST_F(MigratorTest, SettingsWithoutADataFolderToGoToAreKept)
{
    folder.write("Quillmere.ini", "[old]\r\n");
    QDir(folder.path()).mkpath("icons");
    Migrator(folder.path()).MigrateSettingsFile();
    EXPECT_EQ(folder.read("Quillmere.ini"), "[old]\r\n");
}

TEST_F(MigratorTest, FailedCopyKeepsTheOldSettingsForTheNextRun)
{
    folder.write("Quillmere.ini", "[old]\r\n");
    QDir(folder.path()).mkpath("bob");
    // A folder in the way of the copy: refused even for root.
    QDir(folder.path()).mkpath("carol/Quillmere.ini");
    const Migrator migrator(folder.path());
    migrator.MigrateSettingsFile();
    EXPECT_EQ(folder.read("bob/Quillmere.ini"), "[old]\r\n");
    EXPECT_EQ(folder.read("Quillmere.ini"), "[old]\r\n");

    QDir(folder.file("carol")).rmdir("Quillmere.ini");
    migrator.MigrateSettingsFile();
    EXPECT_EQ(folder.read("carol/Quillmere.ini"), "[old]\r\n");
    EXPECT_FALSE(folder.exists("Quillmere.ini"));
}

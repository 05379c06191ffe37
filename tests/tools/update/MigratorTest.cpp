#include "tools/update/Migrator.h"
#include "TestFolder.h"

#include "env/FolderLock.h"

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
    ASSERT_EQ(Migrator(folder.path()).ConvertDataFile(folder.entry("user/2001/10.diary")),
              Migrator::Outcome::Converted);
    EXPECT_EQ(folder.read("user/2001/10.diary"), kConverted);
}

TEST_F(MigratorTest, SecondRunKeepsTheFirstRunsRecords)
{
    folder.write("user/2001/10.diary", OldFile(kOldRecords));
    Migrator migrator(folder.path());
    ASSERT_EQ(migrator.ConvertDataFile(folder.entry("user/2001/10.diary")),
              Migrator::Outcome::Converted);
    ASSERT_EQ(migrator.ConvertDataFile(folder.entry("user/2001/10.diary")),
              Migrator::Outcome::Converted);
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
    Migrator migrator(folder.path());
    ASSERT_EQ(migrator.ConvertDataFile(folder.entry("u/2005/01.diary")),
              Migrator::Outcome::Converted);
    const QList<update::Log> records = migrator.ReadRecords(folder.entry("u/2005/01.diary"));
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
    QString error;
    EXPECT_EQ(Migrator(folder.path())
                  .ConvertDataFile(folder.entry("user/2001/11.diary"), nullptr, &error),
              Migrator::Outcome::NotRead);
    EXPECT_EQ(folder.read("user/2001/11.diary"), broken);
    // The data file's own parse-error message: heading, reason, then line and column.
    EXPECT_TRUE(error.startsWith(
        QString::fromUtf8("XML データファイルの操作中に不具合が生じました。\r\n")));
    EXPECT_TRUE(error.contains(QString::fromUtf8("ファイル：user/2001/11.diary")));
    EXPECT_TRUE(error.contains(QString::fromUtf8("桁：")));
}

TEST_F(MigratorTest, DoctypeIsRefusedAndFileKept)
{
    const QByteArray withEntity = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
                                  "<!DOCTYPE diary [<!ENTITY e SYSTEM "
                                  "\"/etc/passwd\">]>\r\n<diary><log>&e;</log></diary>\r\n";
    folder.write("user/2001/12.diary", withEntity);
    QString error;
    EXPECT_EQ(Migrator(folder.path())
                  .ConvertDataFile(folder.entry("user/2001/12.diary"), nullptr, &error),
              Migrator::Outcome::NotRead);
    EXPECT_EQ(folder.read("user/2001/12.diary"), withEntity);
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(MigratorTest, CommentsArePassedOverAndRecordOrderKept)
{
    folder.write("u/2001/10.diary",
                 OldFile("<!-- note -->\r\n"
                         "<log date=\"2001-10-09T00:00:00+00:00\">later</log>\r\n"
                         "<log date=\"2001-10-01T00:00:00+00:00\">earlier</log>\r\n"));
    const QList<update::Log> records =
        Migrator(folder.path()).ReadRecords(folder.entry("u/2001/10.diary"));
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].Text(), "later");
    EXPECT_EQ(records[1].Text(), "earlier");
}

TEST_F(MigratorTest, RunNamesWhatItCouldNotConvert)
{
    folder.write("Quillmere.ini", "[old]\r\n");
    folder.write("u/2001/10.diary", OldFile(kOldRecords));
    folder.write("u/2001/11.diary", OldFile("<log year=\"2001\">unclosed\r\n"));
    // Missing "second", a letter O for a zero, 30 February: kept with the zero date.
    folder.write("u/2002/01.diary",
                 OldFile("<log year=\"2002\" month=\"1\" day=\"1\" hour=\"0\" minute=\"0\">a</log>"
                         "<log year=\"2002\" month=\"1O\" day=\"1\" hour=\"0\" minute=\"0\" "
                         "second=\"0\">b</log>"
                         "<log year=\"2002\" month=\"2\" day=\"30\" hour=\"0\" minute=\"0\" "
                         "second=\"0\">c</log>"
                         "<log year=\"2002\" month=\"1\" day=\"2\" hour=\"0\" minute=\"0\" "
                         "second=\"0\">d</log>"));
    folder.write("v/2001/10.diary", OldFile(kOldRecords));
    // A folder in the way of the settings copy: refused even for root.
    QDir(folder.path()).mkpath("w/Quillmere.ini");
    const QString readOnly = folder.file("u/2001/10.diary");
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadUser);

    Migrator migrator(folder.path());
    const update::RunReport report = migrator.Run(migrator.FindDataFiles());
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner);

    EXPECT_EQ(report.notWritten, QStringList{"u/2001/10.diary"});
    EXPECT_EQ(report.notRead, QStringList{"u/2001/11.diary"});
    EXPECT_EQ(report.settingsNotCopied, QStringList{"w"});
    EXPECT_FALSE(report.Complete());
    EXPECT_EQ(Migrator::CompletionMessage(report),
              QString::fromUtf8(
                  "データ移行を終えましたが、移行できなかったものがあります。\r\n\r\n"
                  "次のファイルは XML として読み取れないため、元のまま残しました。\r\n"
                  "u/2001/11.diary\r\n\r\n"
                  "次のファイルは書き込めないため（読み取り専用など）、元の形式のまま残しました。"
                  "\r\nu/2001/10.diary\r\n\r\n"
                  "次のフォルダには設定ファイル「Quillmere.ini」をコピーできませんでした。"
                  "元の設定ファイルは残してあります。\r\nw\r\n\r\n"
                  "日時を読み取れない記録が 3 件あり、日時を 1899/12/30 00:00:00 として変換しま"
                  "した。本文は残してあります。次のファイルで日時を直してください。\r\n"
                  "u/2002/01.diary（3 件）"));
    EXPECT_EQ(folder.read("u/2001/10.diary"), OldFile(kOldRecords));
    EXPECT_EQ(QDir(folder.file("u/2001")).entryList(QDir::Files),
              (QStringList{"10.diary", "11.diary"}));
    EXPECT_EQ(folder.read("v/2001/10.diary"), kConverted);
    EXPECT_TRUE(folder.read("u/2002/01.diary").contains(">c</log>"));
    EXPECT_EQ(folder.read("Quillmere.ini"), "[old]\r\n");
    // The only failure the data file itself tells of: its parse error, naming it.
    ASSERT_EQ(report.loadErrors.size(), 1);
    EXPECT_TRUE(report.loadErrors[0].contains(QString::fromUtf8("ファイル：u/2001/11.diary")));
}

TEST_F(MigratorTest, CompletionMessageListsAScreenfulAtMost)
{
    update::RunReport report;
    EXPECT_TRUE(report.Complete());
    EXPECT_EQ(Migrator::CompletionMessage(report), QString::fromUtf8("データ移行が完了しました。"));
    report.undated = {{"u/2001/01.diary", 2}};
    EXPECT_TRUE(report.Complete());
    EXPECT_TRUE(Migrator::CompletionMessage(report).startsWith(
        QString::fromUtf8("データ移行が完了しました。\r\n\r\n日時を読み取れない記録が 2 件")));
    for (int i = 1; i <= 12; ++i)
        report.notRead << QStringLiteral("u/%1.diary").arg(i);
    report.notWritten = QStringList{"a", "b", "c", "d", "e"};
    const QString text = Migrator::CompletionMessage(report);
    EXPECT_TRUE(text.contains(QString::fromUtf8("u/12.diary\r\n\r\n")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("\r\na\r\nb\r\nc\r\nほか 2 件\r\n\r\n")));
    EXPECT_TRUE(text.endsWith(QString::fromUtf8("。\r\nほか 1 件"))) << text.toStdString();
}

TEST_F(MigratorTest, FolderInUseByQuillmereIsLeftAlone)
{
    folder.write("Quillmere.ini", "[old]\r\n");
    folder.write("alice/2001/10.diary", OldFile(kOldRecords));
    folder.write("bob/2001/10.diary", OldFile(kOldRecords));
    FolderLock running; // a second open of the lock file conflicts like another process
    ASSERT_EQ(running.TryLock(folder.file("alice")), FolderLock::Result::Taken);
    {
        Migrator migrator(folder.path());
        const update::RunReport report = migrator.Run(migrator.FindDataFiles());
        EXPECT_EQ(report.foldersInUse, QStringList{"alice"});
        EXPECT_TRUE(Migrator::CompletionMessage(report).contains(
            QString::fromUtf8("使用中のため、変換しませんでした。Quillmere を終了してから、もう"
                              "一度実行してください。\r\nalice")));
        EXPECT_EQ(folder.read("alice/2001/10.diary"), OldFile(kOldRecords));
        EXPECT_FALSE(folder.exists("alice/Quillmere.ini"));
        EXPECT_EQ(folder.read("bob/2001/10.diary"), kConverted);
        EXPECT_EQ(folder.read("Quillmere.ini"), "[old]\r\n");
        // Quillmere cannot start on a folder while the run holds it.
        FolderLock starting;
        EXPECT_EQ(starting.TryLock(folder.file("bob")), FolderLock::Result::InUse);
    }
    running.Release();
    Migrator again(folder.path());
    EXPECT_TRUE(again.Run(again.FindDataFiles()).Complete());
    EXPECT_EQ(folder.read("alice/2001/10.diary"), kConverted);
    EXPECT_EQ(folder.read("alice/Quillmere.ini"), "[old]\r\n");
    EXPECT_FALSE(folder.exists("Quillmere.ini"));
}

TEST_F(MigratorTest, FindsAndConvertsDataFilesOnlyBelowSubfolders)
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
    const QByteArray file = backup + "/\x8C\xC3/04.diary";
    const QByteArray old = OldFile(kOldRecords);
    const int fd = ::open(file.constData(), O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(::write(fd, old.constData(), old.size()), old.size());
    ::close(fd);
    Migrator migrator(folder.path());
    const QList<FileEntry> found = migrator.FindDataFiles();
    QStringList paths;
    for (const FileEntry& entry : found)
        paths << entry.Path;
    EXPECT_EQ(paths, (QStringList{folder.file("a/2001/01.diary"),
                                  folder.file("a/2001/deep/x/02.diary"), folder.file("b/03.diary"),
                                  folder.file(QStringLiteral("バックアップ/古/04.diary"))}));
    ASSERT_EQ(found.size(), 4);
    EXPECT_EQ(migrator.ConvertDataFile(found[3]), Migrator::Outcome::Converted);
    QByteArray converted;
    ASSERT_TRUE(ReadRegularFile(std::filesystem::path(file.toStdString()), converted));
    EXPECT_EQ(converted, kConverted);
    EXPECT_TRUE(::access((backup + "/.quillmere.lock").constData(), F_OK) == 0);
}

TEST_F(MigratorTest, SettingsFileGoesOnlyToDataFoldersWithout)
{
    folder.write("Quillmere.ini", "[old]\r\n");
    folder.write("alice/Quillmere.ini", "[alice]\r\n");
    QDir(folder.path()).mkpath("bob");
    QDir(folder.path()).mkpath("manual");
    QDir(folder.path()).mkpath("icons");
    QDir(folder.path()).mkpath("Icons");
    // A user folder copied from Windows, named in Shift_JIS: 山田
    const QByteArray yamada = QFile::encodeName(folder.path()) + "/\x8E\x52\x93\x63";
    ASSERT_EQ(::mkdir(yamada.constData(), 0700), 0);
    EXPECT_TRUE(Migrator(folder.path()).MigrateSettingsFile().isEmpty());
    QByteArray copied;
    EXPECT_TRUE(
        ReadRegularFile(std::filesystem::path((yamada + "/Quillmere.ini").toStdString()), copied));
    EXPECT_EQ(copied, "[old]\r\n");
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
    Migrator migrator(folder.path());
    migrator.MigrateSettingsFile();
    EXPECT_EQ(folder.read("bob/Quillmere.ini"), "[old]\r\n");
    EXPECT_EQ(folder.read("Quillmere.ini"), "[old]\r\n");

    QDir(folder.file("carol")).rmdir("Quillmere.ini");
    migrator.MigrateSettingsFile();
    EXPECT_EQ(folder.read("carol/Quillmere.ini"), "[old]\r\n");
    EXPECT_FALSE(folder.exists("Quillmere.ini"));
}

#include "env/FSOHelper.h"
#include "support/QtPrinters.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

QStringList Paths(const QList<FileEntry>& entries)
{
    QStringList paths;
    for (const FileEntry& entry : entries)
        paths.append(entry.Path);
    return paths;
}

TEST(FileSystem, ExistenceTests)
{
    TempFolder folder;
    folder.write("a/file.txt", "x");
    EXPECT_TRUE(FileExists(folder.file("a/file.txt")));
    EXPECT_FALSE(FileExists(folder.file("a")));
    EXPECT_FALSE(FileExists(folder.file("a/file.txt ")));
    EXPECT_FALSE(FileExists(QString()));
    EXPECT_TRUE(FolderExists(folder.file("a")));
    EXPECT_TRUE(FolderExists("  " + folder.file("a") + " "));
    EXPECT_FALSE(FolderExists(folder.file("a/file.txt")));
    EXPECT_FALSE(FolderExists(folder.file("b")));
    EXPECT_FALSE(FolderExists("   "));
}

TEST(FileSystem, EnsureFolderCreatesOnlyTheLastLevel)
{
    TempFolder folder;
    EnsureFolder(folder.file("2001"));
    EXPECT_TRUE(FolderExists(folder.file("2001")));
    EnsureFolder(folder.file("2001")); // already there: nothing happens
    EnsureFolder(folder.file("x/y"));
    EXPECT_FALSE(folder.exists("x"));
    EnsureFolder(folder.file("private/"), 0700);
    EXPECT_EQ(QFileInfo(folder.file("private")).permissions() & 0x0FFF,
              QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}

TEST(FileSystem, ReadTextFileOnMissingFile)
{
    TempFolder folder;
    EXPECT_EQ(ReadTextFile(folder.file("kept.list"), false), QString());
    EXPECT_FALSE(folder.exists("kept.list"));
    EXPECT_EQ(ReadTextFile(folder.file("made.list"), true), QString());
    EXPECT_TRUE(folder.exists("made.list"));
    EXPECT_EQ(QFileInfo(folder.file("made.list")).size(), 0);
    EXPECT_EQ(ReadTextFile(folder.file("nofolder/made.list"), true), QString());
}

TEST(FileSystem, TextFilesKeepTheirLineEndsAndCodePage)
{
    TempFolder folder;
    const QString path = folder.file("category.list");
    const QString text = QString::fromUtf8("仕事\r\n趣味\r\nC:\\～①");
    EXPECT_TRUE(WriteTextFile(path, text, true));
    EXPECT_EQ(folder.read("category.list"),
              QByteArray("\x8E\x64\x8E\x96\r\n\x8E\xEF\x96\xA1\r\nC:\\\x81\x60\x87\x40"));
    EXPECT_EQ(ReadTextFile(path, false), text);
    EXPECT_TRUE(WriteTextFile(path, QString(), true));
    EXPECT_EQ(ReadTextFile(path, false), QString());
}

TEST(FileSystem, EmojiInATextFileRoundTrips)
{
    TempFolder folder;
    const QString path = folder.file("inputarea.txt");
    const QString text = QString::fromUtf8("楽しい😀") + QChar(0) + "cat" + QChar(0) + "http://a";
    EXPECT_TRUE(WriteTextFile(path, text, true));
    EXPECT_TRUE(folder.read("inputarea.txt").startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(ReadTextFile(path, false), text);
}

TEST(FileSystem, WriteTextFileWithoutCreateLeavesAMissingFileMissing)
{
    TempFolder folder;
    EXPECT_FALSE(WriteTextFile(folder.file("filter.txt"), "x", false));
    EXPECT_FALSE(folder.exists("filter.txt"));
    folder.write("filter.txt", "old");
    EXPECT_TRUE(WriteTextFile(folder.file("filter.txt"), "new", false));
    EXPECT_EQ(folder.read("filter.txt"), QByteArray("new"));
}

TEST(FileSystem, FindFilesLooksOnlyBelowTheRoot)
{
    TempFolder folder;
    folder.write("data/01.diary", "root");
    folder.write("data/2001/10.diary", "x");
    folder.write("data/2001/11.DIARY", "x");
    folder.write("data/2001/notes.txt", "x");
    folder.write("data/2001/10.diary.quillmere-tmp-abc123", "x");
    const QList<FileEntry> found = FindFiles(folder.file("data"), "*.diary").value();
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].Name, "10.diary");
    EXPECT_EQ(found[0].Path, folder.file("data/2001/10.diary"));
}

TEST(FileSystem, FindFilesWalksDepthFirstInPreOrder)
{
    TempFolder folder;
    for (const char* file :
         {"r/b/x.diary", "r/a/2/x.diary", "r/a/1/x.diary", "r/a/x.diary", "r/c/x.diary"})
        folder.write(file, "x");
    QList<FileEntry> folders;
    CollectSubFolders(folders, folder.file("r"));
    EXPECT_EQ(Paths(folders),
              QStringList({folder.file("r/a"), folder.file("r/a/1"), folder.file("r/a/2"),
                           folder.file("r/b"), folder.file("r/c")}));
    EXPECT_EQ(Paths(FindFiles(folder.file("r"), "*.diary").value()),
              QStringList({folder.file("r/a/x.diary"), folder.file("r/a/1/x.diary"),
                           folder.file("r/a/2/x.diary"), folder.file("r/b/x.diary"),
                           folder.file("r/c/x.diary")}));
}

TEST(FileSystem, FindFilesDoesNotFollowAFolderLinkLoop)
{
    TempFolder folder;
    folder.write("r/a/x.diary", "x");
    ASSERT_TRUE(QFile::link(folder.file("r"), folder.file("r/a/loop")));
    EXPECT_EQ(Paths(FindFiles(folder.file("r"), "*.diary").value()),
              QStringList({folder.file("r/a/x.diary")}));
}

TEST(FileSystem, FindFilesOnAMissingRootFindsNothing)
{
    TempFolder folder;
    EXPECT_FALSE(FindFiles(folder.file("missing"), "*.diary"));
    folder.write("plain", "x");
    EXPECT_FALSE(FindFiles(folder.file("plain"), "*.diary"));
}

TEST(FileSystem, WildcardMatchesTheWholeNameCaseSensitively)
{
    struct Case {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const Case cases[] = {
        {"10.diary", "*.diary", true},
        {"10.DIARY", "*.diary", false},
        {".diary", "*.diary", true},
        {"10.diary.bak", "*.diary", false},
        {"10.diary", "??.diary", true},
        {"1.diary", "??.diary", false},
        {"abc", "a*b*c", true},
        {"aXbYc", "a*b*c", true},
        {"aXbY", "a*b*c", false},
        {"", "*", true},
        {"", "?", false},
        {"abc", "abc", true},
        {"abcd", "abc", false},
        {"日記.diary", "??.diary", true},
        {"𠮷.txt", "?.txt", true},
        {"a*b", "a*b", true},
        {"mississippi", "*sip*", true},
        {"mississippi", "m*iss*pi", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesWildcard(QString::fromUtf8(c.name), QString::fromUtf8(c.pattern)),
                  c.matches)
            << c.name << " ~ " << c.pattern;
}

TEST(FileSystem, ServiceLifetime)
{
    CreateFileSystem();
    EXPECT_TRUE(FileSystemCreated());
    ReleaseFileSystem();
    EXPECT_FALSE(FileSystemCreated());
}

} // namespace

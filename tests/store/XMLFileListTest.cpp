#include "StoreFixture.h"

#include "store/XMLFileList.h"
#include "store/XmlNode.h"

class XMLFileListTest : public StoreTest {};

TEST_F(XMLFileListTest, LoadsEachFileOnce)
{
    WriteBytes("2001/01.diary", DataFile("<log date=\"2001-01-01T00:00:00+09:00\">one</log>"));
    XMLFileList files;
    XMLFile* first = files.LoadFile(PathOf("2001/01.diary"));
    ASSERT_NE(first, nullptr);
    // The second call must not read the changed file.
    WriteBytes("2001/01.diary", DataFile(""));
    EXPECT_EQ(files.LoadFile(PathOf("2001/01.diary")), first);
    EXPECT_EQ(files.Count(), 1);
    EXPECT_EQ(ChildElements(RootElement(first->Document())).size(), 1);
}

TEST_F(XMLFileListTest, PathsIgnoreLetterCase)
{
    XMLFileList files;
    XMLFile* created = files.CreateNewFile(PathOf("Year/01.diary"), QStringLiteral("Shift_JIS"),
                                           QStringLiteral("diary"));
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(files.Has(PathOf("YEAR/01.DIARY")));
    EXPECT_EQ(files.Item(PathOf("year/01.diary")), created);
    EXPECT_FALSE(files.Has(PathOf("Year/02.diary")));
    EXPECT_EQ(files.Item(PathOf("Year/02.diary")), nullptr);
    EXPECT_FALSE(Exists("Year/01.diary")); // nothing is written on creation
    EXPECT_EQ(ElementName(RootElement(created->Document())), QStringLiteral("diary"));
}

TEST_F(XMLFileListTest, DuplicateCreationLeavesTheSetAsItWas)
{
    XMLFileList files;
    XMLFile* created = files.CreateNewFile(PathOf("a.diary"), QStringLiteral("Shift_JIS"),
                                           QStringLiteral("diary"));
    EXPECT_EQ(files.CreateNewFile(PathOf("A.diary"), {}, QStringLiteral("other")), nullptr);
    EXPECT_EQ(files.Count(), 1);
    EXPECT_EQ(files.Item(PathOf("a.diary")), created);
    EXPECT_EQ(ElementName(RootElement(created->Document())), QStringLiteral("diary"));
}

TEST_F(XMLFileListTest, BrokenFileIsKeptAndReadOnce)
{
    WriteBytes("bad.diary", "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<diary>\r\n<log");
    XMLFileList files;
    XMLFile* bad = files.LoadFile(PathOf("bad.diary"));
    ASSERT_NE(bad, nullptr);
    EXPECT_EQ(files.LoadFile(PathOf("bad.diary")), bad);
    EXPECT_TRUE(files.Has(PathOf("bad.diary")));
    EXPECT_FALSE(bad->HasRootElement());
    EXPECT_TRUE(bad->LoadFailed());
}

TEST_F(XMLFileListTest, UnloadKeepsTheOtherEntriesReachable)
{
    XMLFileList files;
    const QString encoding = QStringLiteral("Shift_JIS");
    const QString root = QStringLiteral("diary");
    XMLFile* a = files.CreateNewFile(PathOf("a"), encoding, root);
    files.CreateNewFile(PathOf("b"), encoding, root);
    XMLFile* c = files.CreateNewFile(PathOf("c"), encoding, root);
    EXPECT_TRUE(files.UnloadFile(PathOf("B")));
    EXPECT_FALSE(files.UnloadFile(PathOf("b")));
    EXPECT_EQ(files.Count(), 2);
    EXPECT_EQ(files.Item(PathOf("a")), a);
    EXPECT_EQ(files.Item(PathOf("c")), c);
    EXPECT_EQ(files.At(1), c);
    EXPECT_FALSE(files.Has(PathOf("b")));
}

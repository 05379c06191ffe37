#include "StoreFixture.h"

#include "env/FSOHelper.h"
#include "env/INIFileManager.h"
#include "store/LogList.h"
#include "store/XmlNode.h"

#include <unistd.h>

namespace {

QStringList Texts(const DateList& list)
{
    QStringList texts;
    for (const DateTime& value : list)
        texts << value.ListText();
    return texts;
}

} // namespace

class LogListTest : public StoreTest {
protected:
    // Writes records through a book of its own, as an earlier run would have.
    void Prepare(const QList<std::tuple<DateTime, QString, QString>>& records)
    {
        LogList book(Folder());
        for (const auto& [date, category, text] : records)
            ASSERT_TRUE(book.Log(date, category, {}, text));
    }
    DateList Everything(LogList& book, const QString& category, const QString& text)
    {
        const DateList& all = book.LogDates();
        return book.GetFoundLogDates(all.FirstDate(), all.LastDate(), category, text);
    }
};

TEST_F(LogListTest, FirstRecordOfAMonthMakesItsFolderAndFile)
{
    LogList book(Folder());
    EXPECT_TRUE(Exists("logdate.list"));
    EXPECT_TRUE(Exists("category.list"));
    ASSERT_TRUE(book.Log(At(2001, 10, 13, 12, 34, 56), QStringLiteral("仕事 会議"),
                         QStringLiteral("/tmp"), QStringLiteral("本文")));
    EXPECT_TRUE(QFileInfo(PathOf("2001")).isDir());
    EXPECT_EQ(ReadBytes("2001/10.diary"), DataFile("<log date=\"2001-10-13T12:34:56+09:00\" "
                                                   "category=\"\x8e\x64\x8e\x96 \x89\xef\x8b\x63\" "
                                                   "href=\"/tmp\">\x96\x7b\x95\xb6</log>"));
    EXPECT_EQ(ReadBytes("logdate.list"), QByteArray("2001/10/13 12:34:56\r\n"));
    EXPECT_EQ(book.Categories().Items(), (QStringList{"仕事", "会議", "仕事 会議"}));

    ASSERT_TRUE(book.Log(At(2001, 10, 13, 12, 35), {}, {}, QStringLiteral("二つ目")));
    EXPECT_EQ(ReadBytes("logdate.list"),
              QByteArray("2001/10/13 12:34:56\r\n2001/10/13 12:35:00\r\n"));
    EXPECT_EQ(book.Count(), 2);
    EXPECT_EQ(book.Categories().Count(), 3);
}

TEST_F(LogListTest, CreationReadsNoMonthFile)
{
    Prepare({{At(2001, 1, 1), "a", "x"}, {At(2001, 2, 1), "b", "y"}});
    LogList book(Folder());
    EXPECT_EQ(book.LogDates().Count(), 2);
    EXPECT_EQ(book.Categories().Items(), (QStringList{"a", "b"}));
    EXPECT_EQ(book.Count(), 0);
    // Nor does a search without conditions.
    EXPECT_EQ(Everything(book, {}, {}).Count(), 2);
    EXPECT_EQ(book.Count(), 0);
}

TEST_F(LogListTest, ItemReadsTheMonthOnFirstNeed)
{
    Prepare({{At(2001, 1, 1), "a", "x\r\ny"}, {At(2001, 1, 2), "b", "z"}});
    // Left by a save that was cut off; the month's next load clears it away.
    WriteBytes("2001/01.diary.quillmere-tmp-Ab12Cd", "<?xml");
    WriteBytes("2001/02.diary.quillmere-tmp-Ef34Gh", "<?xml");
    LogList book(Folder());
    const Log* log = book.Item(At(2001, 1, 1));
    EXPECT_FALSE(Exists("2001/01.diary.quillmere-tmp-Ab12Cd"));
    EXPECT_TRUE(Exists("2001/02.diary.quillmere-tmp-Ef34Gh")); // not of a month read
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->Text(), QStringLiteral("x\r\ny"));
    EXPECT_EQ(book.Count(), 2); // the whole month came in
    EXPECT_EQ(book.Item(QStringLiteral("2001/01/02 00:00:00"))->Category(), QStringLiteral("b"));
    // The month is open and holds no such record; a month without a file has none.
    EXPECT_EQ(book.Item(At(2001, 1, 3)), nullptr);
    EXPECT_EQ(book.Item(At(2001, 5, 3)), nullptr);
    EXPECT_EQ(book.Item(QStringLiteral("no date")), nullptr);
    EXPECT_EQ(book.Count(), 2);
    // A lookup makes no folder (the zero date-time is what an unreadable date gives).
    EXPECT_EQ(book.Item(DateTime()), nullptr);
    EXPECT_EQ(book.Item(At(2005, 1, 1)), nullptr);
    EXPECT_FALSE(Exists("1899"));
    EXPECT_FALSE(Exists("2005"));
}

TEST_F(LogListTest, LineBreaksSurviveASaveAndAReload)
{
    const QString text = QStringLiteral("一行目\r\n\r\nthird\r\n");
    Prepare({{At(2001, 1, 1), {}, text}});
    EXPECT_EQ(ReadBytes("2001/01.diary").count("\r\r"), 0);
    LogList book(Folder());
    EXPECT_EQ(book.Item(At(2001, 1, 1))->Text(), text);
}

TEST_F(LogListTest, RecordInMemoryEqualsRecordOnDisk)
{
    const QString text =
        QStringLiteral("a\x01\x1b b\nlone LF\rlone CR") + QChar(0xFFFF) + QStringLiteral(" 😀");
    const QString category = QStringLiteral("x\x07y");
    LogList writer(Folder());
    ASSERT_TRUE(writer.Log(At(2001, 1, 1), category, QStringLiteral("l\x02"), text));
    const Log* written = writer.Item(At(2001, 1, 1));
    EXPECT_EQ(written->Text(), QStringLiteral("a b\r\nlone LF\rlone CR 😀"));
    EXPECT_EQ(written->Category(), QStringLiteral("xy"));
    EXPECT_EQ(writer.Categories().Items(), QStringList{"xy"});

    LogList reader(Folder());
    const Log* read = reader.Item(At(2001, 1, 1));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Text(), written->Text());
    EXPECT_EQ(read->Category(), written->Category());
    EXPECT_EQ(read->Link(), QStringLiteral("l"));
}

TEST_F(LogListTest, SearchByRangeCategoryAndText)
{
    Prepare({{At(2001, 1, 1), QStringLiteral("work, home"), QStringLiteral("met Work people")},
             {At(2001, 1, 2), QStringLiteral("workshop"), QStringLiteral("Work and b and a")},
             {At(2001, 2, 1), QStringLiteral("Ｗｏｒｋ"), QStringLiteral("only work here")},
             {At(2001, 3, 1), {}, QStringLiteral("a b")}});
    WriteBytes("2001/01.diary.quillmere-tmp-Ab12Cd", "<?xml");
    WriteBytes("2001/03.diary.quillmere-tmp-Ef34Gh", "<?xml");
    LogList book(Folder());
    EXPECT_EQ(Texts(book.GetFoundLogDates(At(2001, 1, 2), At(2001, 1, 2), {}, {})),
              QStringList{"2001/01/02 00:00:00"});
    EXPECT_EQ(Texts(Everything(book, QStringLiteral("Work"), {})),
              QStringList{"2001/01/01 00:00:00"});
    // The months read together leave no leftover of an interrupted save.
    EXPECT_FALSE(Exists("2001/01.diary.quillmere-tmp-Ab12Cd"));
    EXPECT_FALSE(Exists("2001/03.diary.quillmere-tmp-Ef34Gh"));
    EXPECT_EQ(Texts(Everything(book, QStringLiteral("HOME work"), {})),
              QStringList{"2001/01/01 00:00:00"});
    EXPECT_EQ(Texts(Everything(book, QStringLiteral("ｗｏｒｋ"), {})),
              QStringList{"2001/02/01 00:00:00"});
    EXPECT_EQ(Everything(book, QStringLiteral("work home office"), {}).Count(), 0);
    EXPECT_EQ(Texts(Everything(book, {}, QStringLiteral("Work"))),
              (QStringList{"2001/01/01 00:00:00", "2001/01/02 00:00:00"}));
    EXPECT_EQ(Texts(Everything(book, QStringLiteral("work"), QStringLiteral("Work"))),
              QStringList{"2001/01/01 00:00:00"});
    for (const QString& condition :
         {QStringLiteral("a b"), QStringLiteral("b a"), QStringLiteral("a,b"),
          QStringLiteral("a、b"), QStringLiteral("a　b"), QStringLiteral("a, b")}) {
        EXPECT_EQ(Texts(Everything(book, {}, condition)),
                  (QStringList{"2001/01/02 00:00:00", "2001/03/01 00:00:00"}))
            << condition.toStdString();
    }
    // The range limits the filters, and the results keep ascending order.
    EXPECT_EQ(Texts(book.GetFoundLogDates(At(2001, 1, 2), At(2001, 3, 1), {}, QStringLiteral("a"))),
              (QStringList{"2001/01/02 00:00:00", "2001/03/01 00:00:00"}));
}

TEST_F(LogListTest, DatesWithoutRecordsAreNotFound)
{
    Prepare({{At(2001, 1, 1), QStringLiteral("c"), QStringLiteral("t")}});
    WriteBytes("logdate.list",
               "2001/01/01 00:00:00\r\n2001/01/05 00:00:00\r\n2003/01/01 00:00:00\r\n");
    LogList book(Folder());
    EXPECT_EQ(Everything(book, {}, {}).Count(), 3);
    EXPECT_EQ(Texts(Everything(book, QStringLiteral("c"), {})), QStringList{"2001/01/01 00:00:00"});
    EXPECT_EQ(Texts(Everything(book, {}, QStringLiteral("t"))), QStringList{"2001/01/01 00:00:00"});
}

TEST_F(LogListTest, ClockSetBackLandsAtTheEndUntilTheNextStart)
{
    LogList book(Folder());
    ASSERT_TRUE(book.Log(At(2001, 5, 1), {}, {}, QStringLiteral("later")));
    ASSERT_TRUE(book.Log(At(2001, 4, 1), {}, {}, QStringLiteral("earlier")));
    EXPECT_EQ(ReadBytes("logdate.list"),
              QByteArray("2001/05/01 00:00:00\r\n2001/04/01 00:00:00\r\n"));
    LogList next(Folder());
    EXPECT_EQ(Texts(next.LogDates()), (QStringList{"2001/04/01 00:00:00", "2001/05/01 00:00:00"}));
}

TEST_F(LogListTest, TwoRecordsInOneSecondAreRefusedUnwritten)
{
    LogList book(Folder());
    ASSERT_TRUE(book.Log(At(2001, 1, 1), QStringLiteral("first"), {}, QStringLiteral("one")));
    const QByteArray file = ReadBytes("2001/01.diary");
    const StoreResult result =
        book.Log(At(2001, 1, 1), QStringLiteral("second"), {}, QStringLiteral("two"));
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, StoreResult::Error::DuplicateDate);
    EXPECT_EQ(ReadBytes("2001/01.diary"), file);
    EXPECT_EQ(book.LogDates().Count(), 1);
    EXPECT_FALSE(book.Categories().Has(QStringLiteral("second")));
    EXPECT_EQ(book.Item(At(2001, 1, 1))->Text(), QStringLiteral("one"));
}

TEST_F(LogListTest, FailedSaveOfTheMonthChangesNothing)
{
    LogList book(Folder());
    ASSERT_TRUE(book.Log(At(2001, 1, 1), QStringLiteral("a"), {}, QStringLiteral("one")));
    const QByteArray file = ReadBytes("2001/01.diary");
    const QByteArray dates = ReadBytes("logdate.list");
    MakeReadOnly("2001/01.diary");
    const StoreResult result =
        book.Log(At(2001, 1, 2), QStringLiteral("b"), {}, QStringLiteral("two"));
    MakeWritable("2001/01.diary");
    EXPECT_EQ(result.error, StoreResult::Error::SaveFailed);
    EXPECT_EQ(result.detail, PathOf("2001/01.diary"));
    EXPECT_EQ(ReadBytes("2001/01.diary"), file);
    EXPECT_EQ(ReadBytes("logdate.list"), dates);
    EXPECT_EQ(book.LogDates().Count(), 1);
    EXPECT_FALSE(book.Categories().Has(QStringLiteral("b")));
    EXPECT_EQ(book.Item(At(2001, 1, 2)), nullptr);
    EXPECT_EQ(book.Count(), 1);

    // The refused record is not left behind in the document either.
    ASSERT_TRUE(book.Log(At(2001, 1, 3), {}, {}, QStringLiteral("three")));
    EXPECT_EQ(ReadBytes("2001/01.diary").count("<log "), 2);

    // A new month whose file cannot be written at all.
    SetAtomicWriteFaultForTesting(AtomicWriteFault{0, AtomicWriteFault::Action::Fail, false});
    EXPECT_EQ(book.Log(At(2002, 1, 1), {}, {}, QStringLiteral("x")).error,
              StoreResult::Error::SaveFailed);
    SetAtomicWriteFaultForTesting(std::nullopt);
    EXPECT_FALSE(Exists("2002/01.diary"));
    EXPECT_EQ(book.LogDates().Count(), 2);
    ASSERT_TRUE(book.Log(At(2002, 1, 1), {}, {}, QStringLiteral("y")));
    EXPECT_EQ(ReadBytes("2002/01.diary").count("<log "), 1);
}

TEST_F(LogListTest, ReLogRewritesTheElementAndTheCategoryList)
{
    Prepare({{At(2001, 1, 1), QStringLiteral("old"), QStringLiteral("before")},
             {At(2001, 1, 2), QStringLiteral("keep"), QStringLiteral("other")}});
    const QByteArray before = ReadBytes("2001/01.diary");
    LogList book(Folder());
    ASSERT_TRUE(book.ReLog(At(2001, 1, 1), QStringLiteral("new word"), QStringLiteral("/x"),
                           QStringLiteral("after\r\n")));
    // The month as it was before the rewrite, as private as the data.
    EXPECT_EQ(ReadBytes("2001/01.diary.bak"), before);
    EXPECT_EQ(QFileInfo(PathOf("2001/01.diary.bak")).permissions().toInt() & 0x0077, 0);
    const Log* log = book.Item(At(2001, 1, 1));
    EXPECT_EQ(log->Text(), QStringLiteral("after\r\n"));
    EXPECT_EQ(log->Link(), QStringLiteral("/x"));
    // Keywords no record uses any more stay until a repair.
    EXPECT_EQ(book.Categories().Items(), (QStringList{"old", "keep", "new", "word", "new word"}));
    EXPECT_EQ(ReadBytes("category.list"), QByteArray("old\r\nkeep\r\nnew\r\nword\r\nnew word\r\n"));

    ASSERT_TRUE(book.ReLog(At(2001, 1, 1), {}, {}, QStringLiteral("plain")));
    LogList reader(Folder());
    EXPECT_EQ(reader.Item(At(2001, 1, 1))->Text(), QStringLiteral("plain"));
    EXPECT_EQ(reader.Item(At(2001, 1, 2))->Text(), QStringLiteral("other"));
    const QByteArray file = ReadBytes("2001/01.diary");
    EXPECT_NE(file.indexOf("<log date=\"2001-01-01T00:00:00+09:00\">plain</log>"), -1);
    EXPECT_EQ(file.count("<log "), 2);
}

TEST_F(LogListTest, DeleteTakesTheRecordOutOfFileListAndMemory)
{
    Prepare({{At(2001, 1, 1), QStringLiteral("a"), QStringLiteral("one")},
             {At(2001, 1, 2), QStringLiteral("b"), QStringLiteral("two")},
             {At(2001, 1, 3), QStringLiteral("c"), QStringLiteral("three")}});
    LogList book(Folder());
    const QByteArray before = ReadBytes("2001/01.diary");

    // A month file that cannot be written: nothing is removed anywhere.
    const QByteArray olderBackup = ReadBytes("2001/01.diary.bak");
    MakeReadOnly("2001/01.diary");
    const StoreResult refused = book.Delete(At(2001, 1, 2));
    EXPECT_EQ(QFileInfo(PathOf("2001/01.diary")).permissions().toInt() & 0x0077, 0x0044)
        << "a refused write leaves the file's mode alone";
    MakeWritable("2001/01.diary");
    EXPECT_EQ(refused.error, StoreResult::Error::SaveFailed);
    EXPECT_EQ(ReadBytes("2001/01.diary"), before);
    EXPECT_EQ(ReadBytes("2001/01.diary.bak"), olderBackup);
    EXPECT_NE(book.Item(At(2001, 1, 2)), nullptr);
    EXPECT_EQ(book.LogDates().Count(), 3);

    ASSERT_TRUE(book.Delete(At(2001, 1, 2)));
    EXPECT_EQ(book.Item(At(2001, 1, 2)), nullptr);
    EXPECT_EQ(book.Item(At(2001, 1, 3))->Text(), QStringLiteral("three"));
    EXPECT_EQ(book.Count(), 2);
    EXPECT_EQ(ReadBytes("logdate.list"),
              QByteArray("2001/01/01 00:00:00\r\n2001/01/03 00:00:00\r\n"));
    EXPECT_EQ(ReadBytes("2001/01.diary").count("<log "), 2);
    EXPECT_EQ(ReadBytes("2001/01.diary.bak"), before);
    EXPECT_TRUE(book.Categories().Has(QStringLiteral("b")));
    EXPECT_EQ(Texts(Everything(book, {}, QStringLiteral("t"))), QStringList{"2001/01/03 00:00:00"});
    EXPECT_EQ(Texts(Everything(book, QStringLiteral("c"), {})), QStringList{"2001/01/03 00:00:00"});
    EXPECT_EQ(book.Delete(At(2001, 1, 2)).error, StoreResult::Error::NotFound);

    LogList reader(Folder());
    EXPECT_EQ(reader.Item(At(2001, 1, 2)), nullptr);
    EXPECT_EQ(reader.Item(At(2001, 1, 1))->Text(), QStringLiteral("one"));
}

TEST_F(LogListTest, ReLogOfAMissingRecordWritesNothing)
{
    Prepare({{At(2001, 1, 1), {}, QStringLiteral("x")}});
    const QByteArray file = ReadBytes("2001/01.diary");
    LogList book(Folder());
    const StoreResult result =
        book.ReLog(At(2001, 1, 9), QStringLiteral("c"), {}, QStringLiteral("y"));
    EXPECT_EQ(result.error, StoreResult::Error::NotFound);
    EXPECT_EQ(ReadBytes("2001/01.diary"), file);
    EXPECT_EQ(ReadBytes("category.list"), QByteArray());
    EXPECT_EQ(book.ReLog(At(1999, 1, 1), {}, {}, {}).error, StoreResult::Error::NotFound);
}

TEST_F(LogListTest, ReLogAfterTheZoneChangedRewritesTheElementUnderItsOldStamp)
{
    Prepare({{At(2001, 1, 1), QStringLiteral("old"), QStringLiteral("before")}});
    SetTimeZoneOffsetForTesting(0);
    {
        LogList book(Folder());
        ASSERT_TRUE(book.ReLog(At(2001, 1, 1), QStringLiteral("new"), {}, QStringLiteral("after")));
    }
    EXPECT_NE(ReadBytes("2001/01.diary")
                  .indexOf("<log date=\"2001-01-01T00:00:00+09:00\" category=\"new\">after</log>"),
              -1);
    LogList reader(Folder());
    EXPECT_EQ(reader.Item(At(2001, 1, 1))->Text(), QStringLiteral("after"));
    EXPECT_EQ(ReadBytes("category.list"), QByteArray("old\r\nnew\r\n"));
}

TEST_F(LogListTest, ReLogOfARecordOutsideItsMonthFileChangesNothing)
{
    // Found by the repair in a file of its own, not in 2023/11.diary.
    WriteBytes("2023/deep/x/11.diary",
               DataFile("<log date=\"2023-11-05T10:00:00+09:00\" category=\"a\">x</log>"));
    LogList book(Folder());
    ASSERT_TRUE(book.CollectDataList());
    const QByteArray categories = ReadBytes("category.list");
    const StoreResult result = book.ReLog(At(2023, 11, 5, 10), QStringLiteral("b"), {}, "y");
    EXPECT_EQ(result.error, StoreResult::Error::NotInFile);
    EXPECT_EQ(result.detail, PathOf("2023/11.diary"));
    EXPECT_EQ(book.Item(At(2023, 11, 5, 10))->Text(), QStringLiteral("x"));
    EXPECT_EQ(book.Item(At(2023, 11, 5, 10))->Category(), QStringLiteral("a"));
    EXPECT_EQ(ReadBytes("category.list"), categories);
    EXPECT_FALSE(Exists("2023/11.diary"));
}

TEST_F(LogListTest, ListThatCannotBeWrittenIsToldButTheRecordStaysStored)
{
    Prepare({{At(2001, 1, 1), QStringLiteral("a"), QStringLiteral("x")}});
    int second = 0;
    for (const QString& name : {QStringLiteral("logdate.list"), QStringLiteral("category.list")}) {
        LogList book(Folder());
        MakeReadOnly(name);
        const DateTime logDate = At(2001, 1, 2, 0, 0, ++second);
        const StoreResult result =
            book.Log(logDate, QStringLiteral("new"), {}, QStringLiteral("y"));
        EXPECT_EQ(result.error, StoreResult::Error::ListNotSaved) << name.toStdString();
        EXPECT_EQ(result.detail, PathOf(name));
        EXPECT_TRUE(result.Stored());
        ASSERT_NE(book.Item(logDate), nullptr);
        EXPECT_TRUE(book.Categories().Has(QStringLiteral("new")));
        const QString rewrite = QStringLiteral("rewrite ") + name;
        const StoreResult relog = book.ReLog(logDate, rewrite, {}, QStringLiteral("z"));
        EXPECT_EQ(relog.error, name == QStringLiteral("category.list")
                                   ? StoreResult::Error::ListNotSaved
                                   : StoreResult::Error::None);
        MakeWritable(name);
        EXPECT_EQ(LogList(Folder()).Item(logDate)->Text(), QStringLiteral("z"));
    }
}

TEST_F(LogListTest, FailedReLogKeepsTheRecordAndTheElement)
{
    Prepare({{At(2001, 1, 1), QStringLiteral("old"), QStringLiteral("before")}});
    const QByteArray file = ReadBytes("2001/01.diary");
    LogList book(Folder());
    ASSERT_NE(book.Item(At(2001, 1, 1)), nullptr);
    MakeReadOnly("2001/01.diary");
    EXPECT_EQ(book.ReLog(At(2001, 1, 1), QStringLiteral("new"), {}, QStringLiteral("after")).error,
              StoreResult::Error::SaveFailed);
    MakeWritable("2001/01.diary");
    EXPECT_EQ(ReadBytes("2001/01.diary"), file);
    EXPECT_EQ(book.Item(At(2001, 1, 1))->Text(), QStringLiteral("before"));
    EXPECT_FALSE(book.Categories().Has(QStringLiteral("new")));
    // The document was restored: the next save of the month writes the old text.
    ASSERT_TRUE(book.Log(At(2001, 1, 2), {}, {}, QStringLiteral("second")));
    EXPECT_NE(ReadBytes("2001/01.diary").indexOf(">before</log>"), -1);
}

TEST_F(LogListTest, BrokenMonthIsReportedOnceAndNeverOverwritten)
{
    Prepare({{At(2001, 1, 1), QStringLiteral("a"), QStringLiteral("x")},
             {At(2001, 2, 1), QStringLiteral("a"), QStringLiteral("x")}});
    const QByteArray broken =
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<diary>\r\n<log date=";
    WriteBytes("2001/02.diary", broken);
    LogList book(Folder());
    EXPECT_EQ(Texts(Everything(book, {}, QStringLiteral("x"))), QStringList{"2001/01/01 00:00:00"});
    EXPECT_EQ(Texts(Everything(book, QStringLiteral("a"), QStringLiteral("x"))),
              QStringList{"2001/01/01 00:00:00"});
    const QStringList errors = book.TakeLoadErrors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(
        QStringLiteral("XML データファイルの操作中に不具合が生じました。\r\n")));
    EXPECT_TRUE(errors[0].contains(QStringLiteral("\r\nファイル：2001/02.diary\r\n")));

    const StoreResult result =
        book.Log(At(2001, 2, 2), QStringLiteral("b"), {}, QStringLiteral("y"));
    EXPECT_EQ(result.error, StoreResult::Error::FileUnreadable);
    EXPECT_EQ(ReadBytes("2001/02.diary"), broken);
    EXPECT_EQ(book.LogDates().Count(), 2);
    EXPECT_FALSE(book.Categories().Has(QStringLiteral("b")));

    book.CollectDataList();
    EXPECT_TRUE(book.TakeLoadErrors().isEmpty());
    EXPECT_EQ(Texts(book.LogDates()), QStringList{"2001/01/01 00:00:00"});
}

TEST_F(LogListTest, RepairRebuildsBothListsFromTheFiles)
{
    Prepare({{At(2001, 3, 1), QStringLiteral("b c"), QStringLiteral("x")},
             {At(2000, 12, 31, 23, 59, 59), QStringLiteral("a"), QStringLiteral("x")},
             {At(2001, 3, 2), QStringLiteral("gone"), QStringLiteral("x")}});
    {
        LogList book(Folder());
        ASSERT_TRUE(book.ReLog(At(2001, 3, 2), QStringLiteral("a"), {}, QStringLiteral("x")));
        EXPECT_TRUE(book.Categories().Has(QStringLiteral("gone")));
    }
    ASSERT_TRUE(QFile::remove(PathOf("logdate.list")));
    // Data files directly in the data folder and other names are not part of it.
    WriteBytes("stray.diary", DataFile("<log date=\"1990-01-01T00:00:00+09:00\"/>"));
    WriteBytes("2001/notes.DIARY", DataFile("<log date=\"1991-01-01T00:00:00+09:00\"/>"));
    // Folder names as Windows made them (Shift_JIS), not UTF-8, and a month's leftover.
    const QByteArray backup("\x83\x6F\x83\x62\x83\x4E\x83\x41\x83\x62\x83\x76");
    const QByteArray old = QFile::encodeName(Folder()) + backup;
    ASSERT_EQ(::mkdir(old.constData(), 0700), 0);
    ASSERT_EQ(::mkdir((old + "/\x8C\xC3").constData(), 0700), 0);
    WriteNative(old + "/1999.diary", DataFile("<log date=\"1999-05-01T00:00:00+09:00\"/>"));
    WriteNative(old + "/\x8C\xC3/98.diary", DataFile("<log date=\"1998-05-01T00:00:00+09:00\"/>"));
    WriteBytes("2001/04.diary.quillmere-tmp-xYz123", "<?xml");

    LogList book(Folder());
    EXPECT_EQ(book.LogDates().Count(), 0);
    ASSERT_NE(book.Item(At(2001, 3, 1)), nullptr); // a month open before the repair
    book.CollectDataList();
    const QStringList expected{"1998/05/01 00:00:00", "1999/05/01 00:00:00", "2000/12/31 23:59:59",
                               "2001/03/01 00:00:00", "2001/03/02 00:00:00"};
    EXPECT_EQ(Texts(book.LogDates()), expected);
    EXPECT_EQ(ReadBytes("logdate.list"),
              QByteArray("1998/05/01 00:00:00\r\n1999/05/01 00:00:00\r\n2000/12/31 23:59:59\r\n"
                         "2001/03/01 00:00:00\r\n2001/03/02 00:00:00\r\n"));
    EXPECT_FALSE(Exists("2001/04.diary.quillmere-tmp-xYz123"));
    // The rewrite's backup still names "gone": it is neither read nor removed.
    EXPECT_TRUE(Exists("2001/03.diary.bak"));
    // In order of first use: the month read first comes first.
    EXPECT_EQ(book.Categories().Items(), (QStringList{"b", "c", "b c", "a"}));
    EXPECT_EQ(ReadBytes("category.list"), QByteArray("b\r\nc\r\nb c\r\na\r\n"));
    EXPECT_EQ(book.Count(), 5);
}

TEST_F(LogListTest, RepairOfAnEmptyOrMissingFolder)
{
    LogList book(Folder());
    book.CollectDataList();
    EXPECT_EQ(book.LogDates().Count(), 0);
    EXPECT_EQ(ReadBytes("logdate.list"), QByteArray());

    LogList nowhere(Folder() + QStringLiteral("missing/"));
    nowhere.CollectDataList();
    EXPECT_EQ(nowhere.LogDates().Count(), 0);
}

TEST_F(LogListTest, RepairTellsWhichListCouldNotBeWritten)
{
    Prepare({{At(2001, 3, 1), QStringLiteral("a"), QStringLiteral("x")}});
    LogList book(Folder());
    EXPECT_TRUE(book.CollectDataList());

    for (const QString& name : {QStringLiteral("logdate.list"), QStringLiteral("category.list")}) {
        QFile list(PathOf(name));
        ASSERT_TRUE(list.setPermissions(QFile::ReadOwner));
        const StoreResult result = book.CollectDataList();
        EXPECT_EQ(result.error, StoreResult::Error::SaveFailed) << name.toStdString();
        EXPECT_EQ(result.detail, PathOf(name));
        // The lists in memory are rebuilt all the same.
        EXPECT_EQ(Texts(book.LogDates()), QStringList{"2001/03/01 00:00:00"});
        ASSERT_TRUE(list.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    }
}

TEST_F(LogListTest, RepairKeepsTheListsWholeWhenAFolderCannotBeRead)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    Prepare({{At(2001, 3, 1), QStringLiteral("a"), QStringLiteral("x")},
             {At(2002, 3, 1), QStringLiteral("b"), QStringLiteral("x")}});
    ASSERT_EQ(::chmod(QFile::encodeName(PathOf("2002")).constData(), 0), 0);
    LogList book(Folder());
    const StoreResult result = book.CollectDataList();
    ::chmod(QFile::encodeName(PathOf("2002")).constData(), 0700);
    EXPECT_EQ(result.error, StoreResult::Error::FoldersUnreadable);
    EXPECT_EQ(result.detail, PathOf("2002"));
    EXPECT_EQ(ReadBytes("logdate.list"),
              QByteArray("2001/03/01 00:00:00\r\n2002/03/01 00:00:00\r\n"));
    EXPECT_EQ(ReadBytes("category.list"), QByteArray("a\r\nb\r\n"));
}

TEST_F(LogListTest, RecordsKeepTheirAddressWhileMoreArrive)
{
    LogList book(Folder());
    ASSERT_TRUE(book.Log(At(2001, 1, 1), {}, {}, QStringLiteral("first")));
    const Log* first = book.Item(At(2001, 1, 1));
    for (int i = 1; i < 300; ++i)
        ASSERT_TRUE(book.Log(At(2001, 1, 1, 0, i / 60, i % 60), {}, {}, QString::number(i)));
    EXPECT_EQ(book.Item(At(2001, 1, 1)), first);
    EXPECT_EQ(first->Text(), QStringLiteral("first"));
    EXPECT_EQ(book.Count(), 300);
}

TEST_F(LogListTest, TextSearchFindsWordsAnywhereAndOnlyWhole)
{
    Prepare({{At(2001, 1, 1), {}, QStringLiteral("aaab")},
             {At(2001, 1, 2), {}, QStringLiteral("xxab")},
             {At(2001, 1, 3), {}, QStringLiteral("ab")},
             {At(2001, 1, 4), {}, QStringLiteral("絵文字😀で")},
             {At(2001, 1, 5), {}, QStringLiteral("😁")},
             {At(2001, 1, 6), {}, QStringLiteral("line one\r\nline two")}});
    LogList book(Folder());
    EXPECT_EQ(Texts(Everything(book, {}, QStringLiteral("aab"))),
              QStringList{"2001/01/01 00:00:00"});
    EXPECT_EQ(Texts(Everything(book, {}, QStringLiteral("abc"))), QStringList{});
    EXPECT_EQ(Everything(book, {}, QStringLiteral("ab")).Count(), 3);
    EXPECT_EQ(Texts(Everything(book, {}, QStringLiteral("😀"))), QStringList{"2001/01/04 00:00:00"});
    EXPECT_EQ(Texts(Everything(book, {}, QStringLiteral("😀で"))),
              QStringList{"2001/01/04 00:00:00"});
    EXPECT_EQ(Texts(Everything(book, {}, QStringLiteral("one\r\nline"))),
              QStringList{"2001/01/06 00:00:00"});
    EXPECT_EQ(Everything(book, {}, QStringLiteral("aaaab")).Count(), 0);
    // Terms that differ only in case are one term, searched as first written.
    EXPECT_EQ(Texts(Everything(book, {}, QStringLiteral("AB ab"))), QStringList{});
}

TEST_F(LogListTest, TextOfSeveralNodesReadsWhole)
{
    WriteBytes(
        "2001/01.diary",
        DataFile(
            "<log date=\"2001-01-01T00:00:00+09:00\">a<![CDATA[<b>&]]>c&#13;&#x1F600;\r\nd</log>"));
    WriteBytes("logdate.list", "2001/01/01 00:00:00\r\n");
    LogList book(Folder());
    const Log* log = book.Item(At(2001, 1, 1));
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->Text(), QStringLiteral("a<b>&c\r😀\r\nd"));
    EXPECT_EQ(Texts(Everything(book, {}, QStringLiteral("<b>&c"))),
              QStringList{"2001/01/01 00:00:00"});
}

TEST_F(LogListTest, LaterRecordsAndRepairsReachLaterSearches)
{
    LogList book(Folder());
    ASSERT_TRUE(book.Log(At(2001, 1, 1), QStringLiteral("c"), {}, QStringLiteral("word")));
    EXPECT_EQ(Everything(book, QStringLiteral("c"), QStringLiteral("word")).Count(), 1);
    ASSERT_TRUE(book.Log(At(2001, 1, 2), QStringLiteral("c"), {}, QStringLiteral("word too")));
    EXPECT_EQ(Everything(book, QStringLiteral("c"), QStringLiteral("word")).Count(), 2);
    ASSERT_TRUE(book.ReLog(At(2001, 1, 1), QStringLiteral("d"), {}, QStringLiteral("changed")));
    EXPECT_EQ(Texts(Everything(book, QStringLiteral("c"), QStringLiteral("word"))),
              QStringList{"2001/01/02 00:00:00"});
    EXPECT_EQ(Texts(Everything(book, QStringLiteral("d"), {})), QStringList{"2001/01/01 00:00:00"});

    // The clock was set back: the repair sorts, and searches follow the new order.
    ASSERT_TRUE(book.Log(At(2000, 6, 1), QStringLiteral("c"), {}, QStringLiteral("word early")));
    book.CollectDataList();
    EXPECT_EQ(Texts(Everything(book, QStringLiteral("c"), QStringLiteral("word"))),
              (QStringList{"2000/06/01 00:00:00", "2001/01/02 00:00:00"}));
}

TEST_F(LogListTest, SpecialFilesAreNeitherWaitedOnNorReadNorReplaced)
{
    // A FIFO without a writer blocks an ordinary open and /dev/zero never ends;
    // the alarm ends the test if either is read.
    ::alarm(60);
    const auto makeSpecial = [this](const QString& name, bool fifo) {
        QFile::remove(PathOf(name));
        const QByteArray path = QFile::encodeName(PathOf(name));
        ASSERT_EQ(
            fifo ? ::mkfifo(path.constData(), 0600) : ::symlink("/dev/zero", path.constData()), 0);
    };
    const auto isSpecial = [this](const QString& name) {
        struct stat st {};
        return ::stat(QFile::encodeName(PathOf(name)).constData(), &st) == 0 &&
               !S_ISREG(st.st_mode);
    };
    for (const bool fifo : {true, false}) {
        SCOPED_TRACE(fifo ? "FIFO" : "link to /dev/zero");
        QDir(Folder()).removeRecursively();
        QDir().mkpath(Folder());
        Prepare({{At(2001, 1, 1), QStringLiteral("a"), QStringLiteral("x")},
                 {At(2001, 2, 1), QStringLiteral("a"), QStringLiteral("x")}});
        makeSpecial("2001/02.diary", fifo);
        {
            LogList book(Folder());
            EXPECT_EQ(Texts(Everything(book, {}, QStringLiteral("x"))),
                      QStringList{"2001/01/01 00:00:00"});
            const QStringList errors = book.TakeLoadErrors();
            ASSERT_EQ(errors.size(), 1);
            EXPECT_TRUE(errors[0].contains(QStringLiteral("not a regular file")));
            EXPECT_EQ(book.Log(At(2001, 2, 2), QStringLiteral("b"), {}, QStringLiteral("y")).error,
                      StoreResult::Error::FileUnreadable);
            EXPECT_TRUE(isSpecial("2001/02.diary"));
        }
        makeSpecial("logdate.list", fifo);
        makeSpecial("category.list", fifo);
        LogList book(Folder());
        EXPECT_EQ(book.LogDates().Count(), 0);
        EXPECT_FALSE(book.Categories().Has(QStringLiteral("a")));
        book.Log(At(2001, 1, 2), QStringLiteral("c"), {}, QStringLiteral("z"));
        EXPECT_TRUE(isSpecial("logdate.list"));
        EXPECT_TRUE(isSpecial("category.list"));
    }
    ::alarm(0);
}

TEST_F(LogListTest, RecordsOverTenMegabytesLoadBackInAFreshBook)
{
    // Past the parser's default limits for a text node and an attribute.
    const QString text = QString::fromUtf8("あa").repeated(11 * 512 * 1024);
    const QString category = QString::fromUtf8("仕").repeated(11 * 512 * 1024);
    const QString link(11 * 1024 * 1024, u'b');
    {
        LogList book(Folder());
        ASSERT_TRUE(book.Log(At(2001, 1, 1), category, link, text));
        ASSERT_TRUE(book.Log(At(2001, 1, 2), QStringLiteral("a"), {}, QStringLiteral("x")));
    }
    LogList book(Folder());
    const ::Log* log = book.Item(At(2001, 1, 1));
    ASSERT_TRUE(log);
    EXPECT_EQ(log->Text(), text);
    EXPECT_EQ(log->Category(), category);
    EXPECT_EQ(log->Link(), link);
    EXPECT_TRUE(book.Item(At(2001, 1, 2)));
    EXPECT_TRUE(book.TakeLoadErrors().isEmpty());
}

TEST_F(LogListTest, CharactersCodePage932OnlyApproximatesSurviveEveryFile)
{
    // Each is what a converter would quietly replace by a neighbour (〜 by ～,
    // ¥ by a backslash, …); ～ itself must stay code page 932.
    const QStringList characters = QString::fromUtf8("〜 ¥ ‖ − — ¢ £ ¬ ‾ ～").split(u' ');
    const QString ini = PathOf(QStringLiteral("Quillmere.ini"));
    const QString inputArea = PathOf(QStringLiteral("inputarea.txt"));
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const QString& c = characters[i];
        SCOPED_TRACE(c.toStdString());
        const QString text = QStringLiteral("10時") + c + QStringLiteral("12時 会費") + c;
        const QString category = QStringLiteral("会費") + c;
        {
            LogList book(Folder());
            ASSERT_TRUE(book.Log(At(2001, 1, 1, 0, 0, static_cast<int>(i)), category,
                                 QStringLiteral("C:\\") + c, text));
        }
        StringList history;
        history.Add(text);
        ASSERT_TRUE(history.SaveToFile(PathOf(QStringLiteral("string.list"))));
        ASSERT_TRUE(WriteTextFile(inputArea, text + QChar(0) + category, true));
        WriteSetting(ini, QStringLiteral("Search"), QStringLiteral("Text"), text);

        LogList book(Folder());
        const DateList found = Everything(book, category, c);
        ASSERT_EQ(found.Count(), 1);
        const ::Log* log = book.Item(found.Item(0));
        ASSERT_TRUE(log);
        EXPECT_EQ(log->Text(), text);
        EXPECT_EQ(log->Link(), QStringLiteral("C:\\") + c);
        EXPECT_TRUE(book.Categories().Has(category));
        StringList loaded;
        loaded.LoadFromFile(PathOf(QStringLiteral("string.list")));
        EXPECT_TRUE(loaded.Has(text));
        EXPECT_EQ(ReadTextFile(inputArea, false), text + QChar(0) + category);
        EXPECT_EQ(ReadSetting(ini, QStringLiteral("Search"), QStringLiteral("Text"), QString()),
                  text);
    }
    // ～ is what Windows writes as 81 60, so it stays those bytes; 〜 becomes a reference.
    const QByteArray month = ReadBytes(QStringLiteral("2001/01.diary"));
    EXPECT_TRUE(month.contains("\x81\x60"));
    EXPECT_FALSE(month.contains("&#65374;"));
    EXPECT_TRUE(month.contains("&#12316;"));
}

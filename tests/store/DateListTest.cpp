#include "StoreFixture.h"

#include "store/DateList.h"

namespace {

QStringList Texts(const DateList& list)
{
    QStringList texts;
    for (qsizetype i = 0; i < list.Count(); ++i)
        texts << list.ItemText(i);
    return texts;
}

} // namespace

class DateListFile : public StoreTest {};

TEST_F(DateListFile, LoadSortsAscending)
{
    WriteBytes("logdate.list", "2001/10/13 12:00:00\r\n2001/10/12 09:30:00\r\n");
    DateList list;
    list.LoadFromFile(PathOf("logdate.list"));
    EXPECT_EQ(Texts(list), (QStringList{"2001/10/12 09:30:00", "2001/10/13 12:00:00"}));
    EXPECT_EQ(list.FirstDate(), At(2001, 10, 12, 9, 30));
    EXPECT_EQ(list.LastDate(), At(2001, 10, 13, 12));
}

TEST_F(DateListFile, OnlyCompleteLinesAreRead)
{
    DateList list;
    list.Add(At(2000, 1, 1));
    WriteBytes("logdate.list", "2001/10/13 12:00:00");
    list.LoadFromFile(PathOf("logdate.list"));
    // Not one complete line: the entries stay as they were.
    EXPECT_EQ(Texts(list), QStringList{"2000/01/01 00:00:00"});

    WriteBytes("logdate.list", "2001/10/13 12:00:00\r\n2001/10/14 12:00:00");
    list.LoadFromFile(PathOf("logdate.list"));
    EXPECT_EQ(Texts(list), QStringList{"2001/10/13 12:00:00"});
}

TEST_F(DateListFile, UnreadableLinesBecomeTheZeroValue)
{
    WriteBytes(
        "logdate.list",
        "2001/10/13 12:00:00\r\n\r\nnonsense\r\n2001/02/30 00:00:00\r\n2001/1/2 3:04:05\r\n");
    DateList list;
    list.LoadFromFile(PathOf("logdate.list"));
    EXPECT_EQ(Texts(list),
              (QStringList{"1899/12/30 00:00:00", "1899/12/30 00:00:00", "1899/12/30 00:00:00",
                           "2001/01/02 03:04:05", "2001/10/13 12:00:00"}));
}

TEST_F(DateListFile, SaveWritesOneLinePerEntryAndEmptyListEmptyFile)
{
    DateList list = ListOf({At(2001, 10, 13, 12, 34, 56), At(1999, 1, 2, 3, 4, 5)});
    ASSERT_TRUE(list.SaveToFile(PathOf("logdate.list")));
    EXPECT_EQ(ReadBytes("logdate.list"),
              QByteArray("2001/10/13 12:34:56\r\n1999/01/02 03:04:05\r\n"));

    ASSERT_TRUE(DateList().SaveToFile(PathOf("empty.list")));
    EXPECT_EQ(ReadBytes("empty.list"), QByteArray());
    DateList empty;
    empty.LoadFromFile(PathOf("empty.list"));
    EXPECT_EQ(empty.Count(), 0);

    // A missing file is created empty.
    empty.LoadFromFile(PathOf("missing.list"));
    EXPECT_EQ(empty.Count(), 0);
    EXPECT_TRUE(Exists("missing.list"));
}

TEST_F(DateListFile, FailedSaveKeepsTheOldFile)
{
    WriteBytes("logdate.list", "2001/10/13 12:00:00\r\n");
    MakeReadOnly("logdate.list");
    EXPECT_FALSE(ListOf({At(2002, 1, 1)}).SaveToFile(PathOf("logdate.list")));
    EXPECT_EQ(ReadBytes("logdate.list"), QByteArray("2001/10/13 12:00:00\r\n"));
    MakeWritable("logdate.list");
}

TEST_F(DateListFile, LargeListsInAnyOrderLoadSorted)
{
    // Sorted, reversed and all-equal inputs are the quadratic cases of a
    // first-element quicksort; each must come back sorted and complete.
    const int n = 200000;
    const DateTime first = At(2000, 1, 1);
    for (const char* shape : {"sorted", "reversed", "equal"}) {
        QByteArray bytes;
        bytes.reserve(n * 21);
        DateList source;
        for (int i = 0; i < n; ++i) {
            const qint64 offset = QByteArray(shape) == "sorted"     ? i
                                  : QByteArray(shape) == "reversed" ? n - 1 - i
                                                                    : 0;
            source.Add(DateTime::FromSerial(first.Serial() + offset * 61));
        }
        ASSERT_TRUE(source.SaveToFile(PathOf("logdate.list")));
        DateList list;
        list.LoadFromFile(PathOf("logdate.list"));
        ASSERT_EQ(list.Count(), n) << shape;
        EXPECT_TRUE(std::is_sorted(list.begin(), list.end())) << shape;
        EXPECT_EQ(list.FirstDate(), first) << shape;
    }
}

TEST(DateListRange, CutsFromBeginToEndByExactEntries)
{
    const DateList list = ListOf({At(2001, 1, 1), At(2001, 1, 2), At(2001, 1, 3), At(2001, 1, 4)});
    EXPECT_EQ(Texts(list.GetDateList(At(2001, 1, 2), At(2001, 1, 2))),
              QStringList{"2001/01/02 00:00:00"});
    EXPECT_EQ(Texts(list.GetDateList(At(2001, 1, 2), At(2001, 1, 3))),
              (QStringList{"2001/01/02 00:00:00", "2001/01/03 00:00:00"}));
    EXPECT_EQ(list.GetDateList(At(2001, 1, 3), At(2001, 1, 2)).Count(), 0);
    EXPECT_EQ(list.GetDateList(At(2001, 1, 1), At(2001, 1, 4)).Count(), 4);
    // A begin value that is no entry means the first entry; so does an end value.
    EXPECT_EQ(list.GetDateList(At(2000, 6, 1), At(2001, 1, 3)).Count(), 3);
    EXPECT_EQ(Texts(list.GetDateList(At(2001, 1, 1), At(2001, 1, 2, 12))),
              QStringList{"2001/01/01 00:00:00"});
    EXPECT_EQ(list.GetDateList(At(2001, 1, 2), At(2001, 1, 2, 12)).Count(), 0);
    EXPECT_EQ(DateList().GetDateList(At(2001, 1, 1), At(2001, 1, 1)).Count(), 0);
}

TEST(DateListRange, SortAndOutOfRangeItems)
{
    DateList list = ListOf({At(2003, 1, 1), At(2001, 1, 1), At(2002, 1, 1), At(2001, 1, 1)});
    list.Sort();
    EXPECT_EQ(Texts(list), (QStringList{"2001/01/01 00:00:00", "2001/01/01 00:00:00",
                                        "2002/01/01 00:00:00", "2003/01/01 00:00:00"}));
    // Outside the preconditions: the zero value, never a crash.
    EXPECT_TRUE(list.Item(-1).IsZero());
    EXPECT_TRUE(list.Item(4).IsZero());
    EXPECT_TRUE(DateList().FirstDate().IsZero());
}

TEST(DateListText, DefaultAndOtherFormats)
{
    DateList list = ListOf({At(2001, 2, 3, 4, 5, 6), At(1899, 12, 30), At(1850, 7, 1, 23, 59, 59)});
    EXPECT_EQ(Texts(list),
              (QStringList{"2001/02/03 04:05:06", "1899/12/30 00:00:00", "1850/07/01 23:59:59"}));
    list.SetDateStringFormat(QStringLiteral("yyyy-mm-dd hh:nn"));
    EXPECT_EQ(list.ItemText(0), QStringLiteral("2001-02-03 04:05"));
    list.SetDateStringFormat(QStringLiteral("yy/m/d h:mm:ss"));
    EXPECT_EQ(list.ItemText(0), QStringLiteral("01/2/3 4:05:06"));
    EXPECT_EQ(list.GetDateList(At(2001, 2, 3, 4, 5, 6), At(2001, 2, 3, 4, 5, 6)).DateStringFormat(),
              DateList::DefaultFormat);
}

TEST(DateListFill, HidesClearsAddsInOrderAndShows)
{
    const DateList list = ListOf({At(2001, 1, 2), At(2001, 1, 1)});
    RecordingListControl control;
    list.FillListBox(control);
    EXPECT_EQ(control.calls, (QStringList{"hide", "clear", "show"}));
    EXPECT_EQ(control.items, (QStringList{"2001/01/02 00:00:00", "2001/01/01 00:00:00"}));
}

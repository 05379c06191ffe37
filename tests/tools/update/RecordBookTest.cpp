#include "TestFolder.h"
#include "tools/update/frmMain.h"

#include "env/MessageService.h"
#include "store/LogList.h"
#include "support/RecordingMessageService.h"

#include <gtest/gtest.h>

#include <QPushButton>

// What the tool converts, the record book reads: an old-format folder, once
// migrated, is searched by date range, category and text like one the book wrote.
namespace {

const QByteArray kOctober =
    "<log year=\"2001\" month=\"10\" day=\"7\" hour=\"9\" minute=\"5\" second=\"3\" "
    "category=\"\x8e\x64\x8e\x96 \x89\xef\x8b\x63\">first line\r\nsecond</log>\r\n" // 仕事 会議
    "<log year=\"2001\" month=\"10\" day=\"20\" hour=\"21\" minute=\"30\" second=\"0\" "
    "category=\"\x8e\xef\x96\xa1\" href=\"C:\\memo.txt\">book &amp; tea</log>\r\n" // 趣味
    // No readable date: kept, and the rest of the file still loads.
    "<log year=\"\" category=\"\x8e\xef\x96\xa1\">undated</log>\r\n";

const QByteArray kJanuary =
    "<log year=\"2002\" month=\"1\" day=\"1\" hour=\"0\" minute=\"0\" second=\"0\" "
    "category=\"\x8e\x64\x8e\x96\">new year \x87\x40</log>\r\n"; // 仕事 ①

DateTime At(int year, int month, int day, int hour, int minute, int second)
{
    return DateTime::FromParts(year, month, day, hour, minute, second);
}

} // namespace

TEST(UpdateRecordBook, ConvertedFolderIsSearchedByTheRecordBook)
{
    const ZoneOffset zone(9 * 60);
    TestFolder folder;
    folder.write("alice/2001/10.diary", OldFile(kOctober));
    folder.write("alice/2002/01.diary", OldFile(kJanuary));
    {
        RecordingMessageService messages;
        update::frmMain window(folder.path());
        ASSERT_TRUE(window.Form_Load());
        window.findChild<QPushButton*>("btnRun")->click();
        ASSERT_EQ(messages.shown.size(), 1); // the completion message alone
    }

    const QString dataFolder = folder.file("alice/");
    const DateTime october7 = At(2001, 10, 7, 9, 5, 3);
    const DateTime october20 = At(2001, 10, 20, 21, 30, 0);
    const DateTime newYear = At(2002, 1, 1, 0, 0, 0);
    {
        // The tool leaves the lists alone; the book's repair builds them from the files.
        LogList book(dataFolder);
        book.CollectDataList();
        EXPECT_EQ(book.LogDates().Dates(),
                  (QList<DateTime>{DateTime(), october7, october20, newYear}));
    }

    // A new run of the book: lists from disk, month files read on first need.
    LogList book(dataFolder);
    const auto found = [&](const DateTime& begin, const DateTime& end, const char* category,
                           const char* text) {
        return book
            .GetFoundLogDates(begin, end, QString::fromUtf8(category), QString::fromUtf8(text))
            .Dates();
    };
    EXPECT_EQ(found(october7, newYear, "", ""), (QList<DateTime>{october7, october20, newYear}));
    EXPECT_EQ(found(october20, newYear, "", ""), (QList<DateTime>{october20, newYear}));
    EXPECT_EQ(found(october7, newYear, "仕事", ""), (QList<DateTime>{october7, newYear}));
    EXPECT_EQ(found(october7, newYear, "会議 仕事", ""), QList<DateTime>{october7});
    EXPECT_EQ(found(october7, newYear, "趣味", ""), QList<DateTime>{october20});
    EXPECT_EQ(found(october7, newYear, "", "book &"), QList<DateTime>{october20});
    EXPECT_EQ(found(october7, newYear, "", "①"), QList<DateTime>{newYear});
    EXPECT_EQ(found(october7, october20, "仕事", "line"), QList<DateTime>{october7});
    EXPECT_TRUE(found(october7, october20, "趣味", "line").isEmpty());

    const Log* first = book.Item(october7);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Category(), QString::fromUtf8("仕事 会議"));
    EXPECT_EQ(first->Text(), "first line\r\nsecond");
    const Log* second = book.Item(october20);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Link(), "C:\\memo.txt");
    EXPECT_EQ(second->Text(), "book & tea");

    // The converted stamps carry this machine's suffix, so the book finds the
    // element again when a record is rewritten, and can add to the month.
    ASSERT_TRUE(book.ReLog(october7, QString::fromUtf8("仕事"), {}, "rewritten"));
    ASSERT_TRUE(book.Log(At(2001, 10, 31, 12, 0, 0), {}, {}, "added"));
    LogList reread(dataFolder);
    ASSERT_NE(reread.Item(october7), nullptr);
    EXPECT_EQ(reread.Item(october7)->Text(), "rewritten");
    ASSERT_NE(reread.Item(At(2001, 10, 31, 12, 0, 0)), nullptr);
    EXPECT_EQ(folder.read("alice/2001/10.diary").count("<log "), 4);
}

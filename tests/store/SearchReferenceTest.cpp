// The record book's search, records and export against a plain reference on
// a generated folder: every month read whole through XMLFile's tree, every
// condition checked record by record, the export built as one document.
#include "StoreFixture.h"

#include "store/DataFormat.h"
#include "store/LogExport.h"
#include "store/LogList.h"
#include "store/XMLFile.h"
#include "store/XmlNode.h"

#include <QHash>

#include <random>

namespace {

const char* const kCategories[] = {
    "",         "仕事",     "Work, home", "会議、資料",        "①② 髙橋",   "ｶﾀｶﾅ　全角",
    "workshop", "∑ 計画",   "～ 仕事",    "a&b <c> \"q\" 'p'", "tab\there", "line\r\nbreak\rcr\nlf",
    "café €",   "😀 x\x01y",
};
const char* const kLinks[] = {
    "",
    "https://example.org/?a=1&b=2",
    "file:///tmp/\"x\"<y>\t\r\n",
    "https://例え.jp/é",
};
const char* const kWords[] = {
    "会議", "meeting", "資料",  "Meeting", "①",  "髙", "ﾃｽﾄ", "a&b", "<tag>",      "\r\n",
    "≒",    "𠮷",      "\"q\"", "\t",      "\r", "\n", "é€",  "😀",   "x\x01\x1fy", "> ]]>",
};

struct Reference {
    QList<DateTime> dates; // ascending
    QHash<DateTime, ::Log> logs;
    QStringList loadErrors; // of the months that do not parse
};

// A category or text condition as the book applies it, term by term.
bool Matches(const ::Log& log, const QString& category, const QString& text)
{
    if (!category.isEmpty()) {
        QStringList have;
        for (const QString& term : StringList::Terms(log.Category()))
            have << StringList::Key(term);
        if (log.Category().isEmpty())
            return false;
        for (const QString& term : StringList::Terms(category)) {
            if (!have.contains(StringList::Key(term)))
                return false;
        }
    }
    if (!text.isEmpty()) {
        for (const QString& word : StringList::Terms(text)) {
            if (!log.Text().contains(word, Qt::CaseSensitive))
                return false;
        }
    }
    return true;
}

} // namespace

class SearchReferenceTest : public StoreTest {
protected:
    // Two years of months in three time zones, a month with odd content and
    // one that does not parse; returns the path of every month written.
    QStringList Generate()
    {
        std::mt19937 random(7);
        const auto pick = [&](int n) {
            return static_cast<int>(random() % static_cast<unsigned>(n));
        };
        DateList dates;
        StringList categories;
        QStringList months;
        const int zones[] = {9 * 60, -5 * 60, 5 * 60 + 30};
        for (int month = 0; month < 24; ++month) {
            const int year = 2001 + month / 12;
            XMLFile file;
            const QString path = QStringLiteral("%1%2/%3.diary")
                                     .arg(Folder())
                                     .arg(year)
                                     .arg(month % 12 + 1, 2, 10, QLatin1Char('0'));
            QDir().mkpath(QFileInfo(path).absolutePath());
            file.Initialize(path, DataFormat::CharacterEncoding, DataFormat::RootElementName);
            for (int i = 0; i < 120; ++i) {
                const DateTime date =
                    DateTime::FromParts(year, month % 12 + 1, 1 + i / 5, i % 5, pick(60), 0);
                QString text;
                for (int w = pick(6); w >= 0; --w)
                    text += QString::fromUtf8(kWords[pick(std::size(kWords))]) + u' ';
                ::Log log;
                log.Initialize(date, QString::fromUtf8(kCategories[pick(std::size(kCategories))]),
                               QString::fromUtf8(kLinks[pick(std::size(kLinks))]),
                               ::Log::StoredText(text));
                SetTimeZoneOffsetForTesting(zones[pick(3)]);
                log.SaveToXMLDocument(file.Document());
                dates.Add(date);
                categories.Add(log.Category());
            }
            EXPECT_TRUE(file.SaveToFile(path));
            months << path;
        }
        SetTimeZoneOffsetForTesting(9 * 60);
        WriteBytes(
            "2003/01.diary",
            DataFile("<log date=\"2003-01-01T10:00:00+09:00\" category=\"x\">a<b k=\"v\">in</b>"
                     "<!--c--><![CDATA[ <cd> ]]>z</log><log date=\"2003-01-01T10:00:00Z\">dup</log>"
                     "<log category=\"nodate\"/>"));
        WriteBytes("2003/02.diary", DataFile("<log date=\"2003-02-01T10:00:00+09:00\">open"));
        dates.Add(DateTime::FromParts(2003, 1, 1, 10, 0, 0));
        dates.Add(DateTime::FromParts(2003, 2, 1, 10, 0, 0));
        months << PathOf("2003/01.diary") << PathOf("2003/02.diary");
        dates.Sort();
        EXPECT_TRUE(dates.SaveToFile(PathOf("logdate.list")));
        EXPECT_TRUE(categories.SaveToFile(PathOf("category.list")));
        return months;
    }

    Reference Read(const QStringList& months)
    {
        Reference reference;
        for (const QString& path : months) {
            XMLFile file;
            if (!file.LoadFromFile(path, {}, Folder()))
                reference.loadErrors << file.LoadError();
            for (xmlNodePtr element : ChildElements(xmlDocGetRootElement(file.Document()))) {
                ::Log log;
                log.LoadFromXMLElement(element);
                if (!reference.logs.contains(log.LogDate()))
                    reference.logs.insert(log.LogDate(), log);
            }
        }
        DateList dates;
        dates.LoadFromFile(PathOf("logdate.list"));
        for (const DateTime& date : dates)
            reference.dates << date;
        return reference;
    }
};

TEST_F(SearchReferenceTest, SearchRecordsAndExportMatchTheReference)
{
    const QStringList months = Generate();
    const Reference reference = Read(months);
    ASSERT_EQ(reference.loadErrors.size(), 1); // the month that does not parse
    ASSERT_GT(reference.logs.size(), 2800);

    const QList<std::pair<QString, QString>> conditions = {
        {QStringLiteral("仕事"), {}},
        {QStringLiteral("WORK"), {}},
        {QStringLiteral("会議、資料"), {}},
        {QStringLiteral("髙橋 ①②"), {}},
        {QStringLiteral("全角"), {}},
        {QStringLiteral("x"), {}},
        {{}, QStringLiteral("会議")},
        {{}, QStringLiteral("Meeting 髙")},
        {{}, QStringLiteral("a&b　<tag>")},
        {{}, QStringLiteral("𠮷,≒")},
        {{}, QStringLiteral("in")},
        {{}, QStringLiteral("<cd>")},
        {QStringLiteral("work"), QStringLiteral("資料 ﾃｽﾄ")},
    };
    for (const auto& [category, text] : conditions) {
        SCOPED_TRACE((category + u'|' + text).toStdString());
        QList<DateTime> expected;
        for (const DateTime& date : reference.dates) {
            const auto found = reference.logs.constFind(date);
            if (found != reference.logs.cend() && Matches(*found, category, text))
                expected << date;
        }
        // A fresh book reads every month for this search; the second search
        // works from memory.
        for (int round = 0; round < 2; ++round) {
            LogList book(Folder());
            const DateList& all = book.LogDates();
            DateList found = book.GetFoundLogDates(all.FirstDate(), all.LastDate(), category, text);
            if (round == 1)
                found = book.GetFoundLogDates(all.FirstDate(), all.LastDate(), category, text);
            EXPECT_EQ(QList<DateTime>(found.begin(), found.end()), expected);
            // Each fresh book tells of the broken month once, as the reference did.
            EXPECT_EQ(book.TakeLoadErrors(), reference.loadErrors);
            if (round == 1)
                continue;

            XMLFile whole;
            whole.Initialize(PathOf("reference.xml"), DataFormat::CharacterEncoding,
                             DataFormat::RootElementName);
            for (const DateTime& date : expected)
                reference.logs[date].SaveToXMLDocument(whole.Document());
            ASSERT_TRUE(ExportLogs(book, found, PathOf("export.xml")));
            EXPECT_EQ(ReadBytes("export.xml"), whole.Serialize());
        }
    }

    LogList book(Folder());
    for (const DateTime& date : reference.dates) {
        const ::Log* log = book.Item(date);
        const auto expected = reference.logs.constFind(date);
        ASSERT_EQ(log != nullptr, expected != reference.logs.cend())
            << date.ListText().toStdString();
        if (log) {
            EXPECT_EQ(log->Category(), expected->Category());
            EXPECT_EQ(log->Link(), expected->Link());
            EXPECT_EQ(log->Text(), expected->Text());
        }
    }
    XMLFile empty;
    empty.Initialize(PathOf("reference.xml"), DataFormat::CharacterEncoding,
                     DataFormat::RootElementName);
    ASSERT_TRUE(ExportLogs(book, DateList(), PathOf("export.xml")));
    EXPECT_EQ(ReadBytes("export.xml"), empty.Serialize());
}

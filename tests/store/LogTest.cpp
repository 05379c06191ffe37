#include "StoreFixture.h"

#include "store/Log.h"
#include "store/XMLFile.h"
#include "store/XmlNode.h"

namespace {

QByteArray Attribute(xmlNodePtr element, const char* name)
{
    xmlChar* value = xmlGetProp(element, BAD_CAST name);
    const QByteArray result =
        value ? QByteArray(reinterpret_cast<const char*>(value)) : QByteArray("<absent>");
    xmlFree(value);
    return result;
}

QList<QByteArray> AttributeNames(xmlNodePtr element)
{
    QList<QByteArray> names;
    for (xmlAttrPtr a = element->properties; a; a = a->next)
        names << QByteArray(reinterpret_cast<const char*>(a->name));
    return names;
}

} // namespace

class LogElement : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        file_.Initialize(PathOf("01.diary"), QStringLiteral("Shift_JIS"), QStringLiteral("diary"));
    }
    xmlDocPtr Document() { return file_.Document(); }
    // Saves the document and reads the first record back from a fresh load.
    Log RoundTrip()
    {
        EXPECT_TRUE(file_.SaveToFile(PathOf("01.diary")));
        XMLFile loaded;
        loaded.LoadFromFile(PathOf("01.diary"));
        Log log;
        const QList<xmlNodePtr> logs = ChildElements(RootElement(loaded.Document()));
        EXPECT_EQ(logs.size(), 1);
        if (!logs.isEmpty())
            log.LoadFromXMLElement(logs.first());
        return log;
    }

    XMLFile file_;
};

TEST_F(LogElement, StampCarriesTheTimeZoneSuffix)
{
    Log log;
    EXPECT_TRUE(log.LogDate().IsZero());
    log.Initialize(At(2001, 10, 13, 12, 34, 56), {}, {}, {});
    EXPECT_EQ(log.GetDateString(), QStringLiteral("2001-10-13T12:34:56+09:00"));
    SetTimeZoneOffsetForTesting(-(3 * 60 + 30));
    EXPECT_EQ(log.GetDateString(), QStringLiteral("2001-10-13T12:34:56-03:30"));
}

TEST_F(LogElement, EmptyCategoryAndLinkLeaveOnlyTheDate)
{
    Log log;
    log.Initialize(At(2001, 10, 13, 12, 34, 56), {}, {}, QStringLiteral("本文"));
    xmlNodePtr element = log.SaveToXMLDocument(Document());
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(AttributeNames(element), QList<QByteArray>{"date"});
    const Log back = RoundTrip();
    EXPECT_EQ(back.LogDate(), log.LogDate());
    EXPECT_TRUE(back.Category().isEmpty());
    EXPECT_TRUE(back.Link().isEmpty());
    EXPECT_EQ(back.Text(), QStringLiteral("本文"));
    EXPECT_NE(ReadBytes("01.diary")
                  .indexOf("<log date=\"2001-10-13T12:34:56+09:00\">\x96\x7b\x95\xb6</log>"),
              -1);
}

TEST_F(LogElement, AttributesInOrderAndClearingRemovesThem)
{
    Log log;
    log.Initialize(At(2001, 10, 13), QStringLiteral("仕事"),
                   QStringLiteral("http://example.com/?a=1&b=2"), {});
    xmlNodePtr element = log.SaveToXMLDocument(Document());
    EXPECT_EQ(AttributeNames(element), (QList<QByteArray>{"date", "category", "href"}));
    log.SetCategory({});
    log.WriteToElement(element);
    EXPECT_EQ(AttributeNames(element), (QList<QByteArray>{"date", "href"}));
    log.SetLink({});
    log.SetCategory(QStringLiteral("a"));
    log.WriteToElement(element);
    EXPECT_EQ(AttributeNames(element), (QList<QByteArray>{"date", "category"}));
}

TEST_F(LogElement, LineBreaksSurviveWithoutDoubledCarriageReturns)
{
    Log log;
    const QString text = QStringLiteral("一行目\r\nsecond line\r\n三行目");
    log.Initialize(At(2001, 10, 13), QStringLiteral("c"), QStringLiteral("l"), text);
    log.SaveToXMLDocument(Document());
    const Log back = RoundTrip();
    EXPECT_EQ(back.Text(), text);
    const QByteArray bytes = ReadBytes("01.diary");
    EXPECT_NE(bytes.indexOf("\r\nsecond line\r\n"), -1);
    EXPECT_EQ(bytes.indexOf("&#13;"), -1);
}

TEST_F(LogElement, StoredFormIsWhatComesBackFromDisk)
{
    const QString hostile =
        QStringLiteral(
            "  lead & <tag> ]]> \"q\" 'a'\tTab\x01\x08\x1f\r\nCRLF\nLF\rCR\r\r\nCRCRLF") +
        QChar(0xFFFE) + QChar(0xD800) + QStringLiteral("😀 ①髙~\\ end  \r\n");
    const QString attribute =
        QStringLiteral("a\x02 & \"b\" <c>\td\n") + QChar(0xFFFF) + QStringLiteral("😀");
    Log log;
    log.Initialize(At(2001, 10, 13), Log::StoredAttribute(attribute),
                   Log::StoredAttribute(attribute), Log::StoredText(hostile));
    EXPECT_FALSE(log.Text().contains(QChar(0x01)));
    EXPECT_FALSE(log.Text().contains(QChar(0xFFFE)));
    EXPECT_FALSE(log.Category().contains(QChar(0xFFFF)));
    EXPECT_TRUE(log.Text().contains(QStringLiteral("CRLF\r\nLF\rCR\r\r\nCRCRLF")));
    log.SaveToXMLDocument(Document());
    const Log back = RoundTrip();
    EXPECT_EQ(back.Text(), log.Text());
    EXPECT_EQ(back.Category(), log.Category());
    EXPECT_EQ(back.Link(), log.Link());
}

TEST_F(LogElement, DateReadsBackWhateverTheSuffix)
{
    XMLFile file;
    WriteBytes("02.diary", DataFile("<log date=\"2001-10-13T12:34:56-05:00\"/>"
                                    "<log date=\"2001-10-13T12:34:57\">x</log>"
                                    "<log date=\"garbage\" category=\"c\">y</log>"
                                    "<log>z</log>"));
    file.LoadFromFile(PathOf("02.diary"));
    const QList<xmlNodePtr> logs = ChildElements(RootElement(file.Document()));
    ASSERT_EQ(logs.size(), 4);
    Log first;
    first.LoadFromXMLElement(logs[0]);
    EXPECT_EQ(first.LogDate(), At(2001, 10, 13, 12, 34, 56));
    EXPECT_EQ(first.Text(), QString());
    Log second;
    second.LoadFromXMLElement(logs[1]);
    EXPECT_EQ(second.LogDate(), At(2001, 10, 13, 12, 34, 57));
    for (int i : {2, 3}) {
        Log broken;
        broken.LoadFromXMLElement(logs[i]);
        EXPECT_TRUE(broken.LogDate().IsZero());
    }
    // A field that is not there leaves what the record held.
    Log kept;
    kept.Initialize(At(2000, 1, 1), QStringLiteral("old"), QStringLiteral("link"), {});
    kept.LoadFromXMLElement(logs[3]);
    EXPECT_EQ(kept.LogDate(), At(2000, 1, 1));
    EXPECT_EQ(kept.Category(), QStringLiteral("old"));
    EXPECT_EQ(kept.Text(), QStringLiteral("z"));
}

TEST_F(LogElement, UpdateFindsTheElementWhateverItsSuffixAndKeepsIt)
{
    Log other;
    other.Initialize(At(2001, 10, 13, 1), {}, {}, QStringLiteral("other"));
    other.SaveToXMLDocument(Document());
    Log log;
    log.Initialize(At(2001, 10, 13, 2), QStringLiteral("c"), {}, QStringLiteral("old"));
    xmlNodePtr element = log.SaveToXMLDocument(Document());

    log.SetText(QStringLiteral("new"));
    EXPECT_EQ(log.UpdateToXMLDocument(Document()), element);
    EXPECT_EQ(TextContent(element), QStringLiteral("new"));

    SetTimeZoneOffsetForTesting(0);
    log.SetText(QStringLiteral("after the move"));
    EXPECT_EQ(log.UpdateToXMLDocument(Document()), element);
    EXPECT_EQ(TextContent(element), QStringLiteral("after the move"));
    EXPECT_EQ(Attribute(element, "date"), QByteArray("2001-10-13T02:00:00+09:00"));
    Log later;
    later.Initialize(At(2001, 10, 13, 3), {}, {}, {});
    EXPECT_EQ(later.UpdateToXMLDocument(Document()), nullptr);
}

TEST_F(LogElement, DocumentWithoutRootIsLeftAlone)
{
    WriteBytes("bad.diary",
               "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<diary><log></diary>");
    XMLFile file;
    ASSERT_FALSE(file.LoadFromFile(PathOf("bad.diary")));
    ASSERT_FALSE(file.HasRootElement());
    Log log;
    log.Initialize(At(2001, 1, 1), {}, {}, QStringLiteral("x"));
    EXPECT_EQ(log.SaveToXMLDocument(file.Document()), nullptr);
    EXPECT_EQ(log.UpdateToXMLDocument(file.Document()), nullptr);
    EXPECT_FALSE(file.HasRootElement());
}

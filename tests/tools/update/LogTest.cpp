#include "tools/update/Log.h"
#include "TestFolder.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Parses one element from UTF-8 text and hands it to the record.
update::Log LoadElement(const char* xml)
{
    xmlDocPtr doc = xmlReadMemory(xml, static_cast<int>(strlen(xml)), nullptr, "UTF-8", 0);
    EXPECT_NE(doc, nullptr);
    update::Log log;
    log.LoadFromXMLElement(xmlDocGetRootElement(doc));
    xmlFreeDoc(doc);
    return log;
}

// Writes the record into a fresh document and returns the "log" element as text.
QString Written(const update::Log& log)
{
    xmlDocPtr doc = xmlNewDoc(BAD_CAST "1.0");
    doc->encoding = xmlStrdup(BAD_CAST "UTF-8"); // keeps non-ASCII readable in the dump
    xmlDocSetRootElement(doc, xmlNewDocNode(doc, nullptr, BAD_CAST "diary", nullptr));
    EXPECT_TRUE(log.SaveToXMLDocument(doc));
    xmlBufferPtr buf = xmlBufferCreate();
    xmlNodeDump(buf, doc, xmlDocGetRootElement(doc)->children, 0, 0);
    QString out = QString::fromUtf8(reinterpret_cast<const char*>(xmlBufferContent(buf)));
    xmlBufferFree(buf);
    xmlFreeDoc(doc);
    return out;
}

// The real zone of the process, for the one test that reads it from the system.
class ZoneGuard {
public:
    explicit ZoneGuard(const char* tz)
    {
        const char* old = getenv("TZ");
        had_ = old != nullptr;
        if (had_)
            old_ = old;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ZoneGuard()
    {
        if (had_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool had_ = false;
    std::string old_;
};

const int kJapan = 9 * 60;

} // namespace

TEST(UpdateLog, OldElementBecomesCurrentLogElement)
{
    const ZoneOffset zone(kJapan);
    const update::Log log = LoadElement(
        "<entry year=\"2001\" month=\"10\" day=\"7\" hour=\"9\" minute=\"5\" second=\"3\" "
        "category=\"仕事\">a\nb</entry>");
    EXPECT_EQ(log.LogDate(), DateTime::FromParts(2001, 10, 7, 9, 5, 3));
    EXPECT_EQ(log.Text(), "a\r\nb");
    EXPECT_EQ(
        Written(log),
        QString::fromUtf8("<log date=\"2001-10-07T09:05:03+09:00\" category=\"仕事\">a\nb</log>"));
}

TEST(UpdateLog, EmptyCategoryAndNoLinkGiveNoAttributes)
{
    const ZoneOffset zone(-5 * 60);
    const update::Log log = LoadElement(
        "<e year=\"2003\" month=\"1\" day=\"31\" hour=\"23\" minute=\"59\" second=\"59\" "
        "category=\"\"></e>");
    EXPECT_EQ(Written(log), "<log date=\"2003-01-31T23:59:59-05:00\"/>");
    EXPECT_TRUE(log.Category().isEmpty());
    EXPECT_TRUE(log.Link().isEmpty());
}

TEST(UpdateLog, CurrentElementKeepsStampAndTakesThisMachinesSuffix)
{
    // No test offset: the suffix comes from the process's own zone.
    const ZoneGuard tz("EST+5");
    const update::Log log = LoadElement(
        "<log date=\"2001-10-07T09:05:03+09:00\" href=\"http://x/?a=1&amp;b=2\">t</log>");
    EXPECT_EQ(log.GetDateString(), "2001-10-07T09:05:03-05:00");
    EXPECT_EQ(log.Link(), "http://x/?a=1&b=2");
    EXPECT_EQ(Written(log),
              "<log date=\"2001-10-07T09:05:03-05:00\" href=\"http://x/?a=1&amp;b=2\">t</log>");
}

TEST(UpdateLog, CurrentStampWinsOverOldAttributes)
{
    const ZoneOffset zone(kJapan);
    const update::Log log =
        LoadElement("<log date=\"2004-02-29T23:00:00\" year=\"1999\" month=\"1\" "
                    "day=\"1\" hour=\"0\" minute=\"0\" second=\"0\">t</log>");
    EXPECT_EQ(log.LogDate(), DateTime::FromParts(2004, 2, 29, 23, 0, 0));
    // An empty "date" is no stamp: the old attributes count.
    const update::Log empty =
        LoadElement("<log date=\"\" year=\"1999\" month=\"1\" day=\"1\" hour=\"0\" "
                    "minute=\"0\" second=\"0\">t</log>");
    EXPECT_EQ(empty.LogDate(), DateTime::FromParts(1999, 1, 1, 0, 0, 0));
}

TEST(UpdateLog, UnreadableDateKeepsRecordWithZeroDate)
{
    const ZoneOffset zone(kJapan);
    for (const char* xml : {"<e category=\"c\">本文</e>",
                            "<e year=\"x\" month=\"10\" day=\"7\" hour=\"9\" minute=\"5\" "
                            "second=\"3\" category=\"c\">本文</e>",
                            "<e year=\"2001\" month=\"13\" day=\"7\" hour=\"9\" minute=\"5\" "
                            "second=\"3\" category=\"c\">本文</e>",
                            "<e year=\"2001\" month=\"10\" day=\"7\" hour=\"9\" minute=\"5\" "
                            "category=\"c\">本文</e>",
                            "<log date=\"garbage\" category=\"c\">本文</log>"}) {
        const update::Log log = LoadElement(xml);
        EXPECT_TRUE(log.LogDate().IsZero()) << xml;
        EXPECT_EQ(log.Text(), QString::fromUtf8("本文")) << xml;
        EXPECT_EQ(
            Written(log),
            QString::fromUtf8("<log date=\"1899-12-30T00:00:00+09:00\" category=\"c\">本文</log>"))
            << xml;
    }
}

TEST(UpdateLog, TextKeepsMarkupCharactersAndDropsWhatXmlCannotHold)
{
    const ZoneOffset zone(kJapan);
    update::Log log;
    log.Initialize(DateTime::FromParts(2002, 2, 2, 2, 2, 2), "a&b", "",
                   QString::fromUtf8("x < y & z\r\n\x01"
                                     "end"));
    EXPECT_EQ(Written(log), "<log date=\"2002-02-02T02:02:02+09:00\" category=\"a&amp;b\">"
                            "x &lt; y &amp; z\nend</log>");
}

TEST(UpdateLog, SaveIntoDocumentWithoutRootFails)
{
    xmlDocPtr doc = xmlNewDoc(BAD_CAST "1.0");
    update::Log log;
    EXPECT_FALSE(log.SaveToXMLDocument(doc));
    EXPECT_EQ(xmlDocGetRootElement(doc), nullptr);
    xmlFreeDoc(doc);
}

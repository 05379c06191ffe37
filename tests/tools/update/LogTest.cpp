#include "tools/update/Log.h"
#include "tools/update/Migrator.h"
#include "TestFolder.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <cstdlib>

using update::Log;

namespace {

// Parses one element from UTF-8 text and hands it to the record.
Log LoadElement(const char* xml)
{
    xmlDocPtr doc = xmlReadMemory(xml, static_cast<int>(strlen(xml)), nullptr, "UTF-8", 0);
    EXPECT_NE(doc, nullptr);
    Log log;
    log.LoadFromXMLElement(xmlDocGetRootElement(doc));
    xmlFreeDoc(doc);
    return log;
}

// Writes the record into a fresh document and returns the "log" element as text.
QString Written(const Log& log)
{
    xmlDocPtr doc = xmlNewDoc(BAD_CAST "1.0");
    doc->encoding = xmlStrdup(BAD_CAST "UTF-8");  // keeps non-ASCII readable in the dump
    xmlDocSetRootElement(doc, xmlNewDocNode(doc, nullptr, BAD_CAST "diary", nullptr));
    EXPECT_TRUE(log.SaveToXMLDocument(doc));
    xmlBufferPtr buf = xmlBufferCreate();
    xmlNodeDump(buf, doc, xmlDocGetRootElement(doc)->children, 0, 0);
    QString out = QString::fromUtf8(reinterpret_cast<const char*>(xmlBufferContent(buf)));
    xmlBufferFree(buf);
    xmlFreeDoc(doc);
    return out;
}

class ZoneGuard {
public:
    explicit ZoneGuard(const char* tz)
    {
        const char* old = getenv("TZ");
        had_ = old != nullptr;
        if (had_) {
            old_ = old;
        }
        setenv("TZ", tz, 1);
        tzset();
    }
    ~ZoneGuard()
    {
        if (had_) {
            setenv("TZ", old_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    bool had_ = false;
    std::string old_;
};

}  // namespace

TEST(UpdateLog, TimeZoneSuffixFollowsStandardOffset)
{
    {
        ZoneGuard tz("JST-9");
        EXPECT_EQ(update::TimeZoneSuffix(), "+09:00");
    }
    {
        ZoneGuard tz("XST+3:30");
        EXPECT_EQ(update::TimeZoneSuffix(), "-03:30");
    }
    {
        ZoneGuard tz("UTC0");
        EXPECT_EQ(update::TimeZoneSuffix(), "+00:00");
    }
}

TEST(UpdateLog, OldElementBecomesCurrentLogElement)
{
    ZoneGuard tz("JST-9");
    const Log log = LoadElement(
        "<entry year=\"2001\" month=\"10\" day=\"7\" hour=\"9\" minute=\"5\" second=\"3\" "
        "category=\"仕事\">a\nb</entry>");
    EXPECT_EQ(log.LogDate(), QDateTime(QDate(2001, 10, 7), QTime(9, 5, 3), Qt::LocalTime));
    EXPECT_EQ(log.Text(), "a\r\nb");
    EXPECT_EQ(Written(log),
              QString::fromUtf8("<log date=\"2001-10-07T09:05:03+09:00\" category=\"仕事\">a\nb</log>"));
}

TEST(UpdateLog, EmptyCategoryAndNoLinkGiveNoAttributes)
{
    ZoneGuard tz("UTC0");
    const Log log = LoadElement(
        "<e year=\"2003\" month=\"1\" day=\"31\" hour=\"23\" minute=\"59\" second=\"59\" "
        "category=\"\"></e>");
    EXPECT_EQ(Written(log), "<log date=\"2003-01-31T23:59:59+00:00\"/>");
    EXPECT_TRUE(log.Category().isEmpty());
    EXPECT_TRUE(log.Link().isEmpty());
}

TEST(UpdateLog, CurrentElementKeepsStampAndTakesThisMachinesSuffix)
{
    ZoneGuard tz("EST+5");
    const Log log = LoadElement(
        "<log date=\"2001-10-07T09:05:03+09:00\" href=\"http://x/?a=1&amp;b=2\">t</log>");
    EXPECT_EQ(log.GetDateString(), "2001-10-07T09:05:03-05:00");
    EXPECT_EQ(log.Link(), "http://x/?a=1&b=2");
    EXPECT_EQ(Written(log),
              "<log date=\"2001-10-07T09:05:03-05:00\" href=\"http://x/?a=1&amp;b=2\">t</log>");
}

TEST(UpdateLog, UnreadableDateKeepsRecordWithZeroDate)
{
    ZoneGuard tz("JST-9");
    for (const char* xml : {"<e category=\"c\">本文</e>",
                            "<e year=\"x\" month=\"10\" day=\"7\" hour=\"9\" minute=\"5\" "
                            "second=\"3\">本文</e>",
                            "<e year=\"2001\" month=\"13\" day=\"7\" hour=\"9\" minute=\"5\" "
                            "second=\"3\">本文</e>",
                            "<log date=\"garbage\">本文</log>"}) {
        const Log log = LoadElement(xml);
        EXPECT_EQ(log.LogDate(), Log::ZeroDateTime()) << xml;
        EXPECT_EQ(log.Text(), QString::fromUtf8("本文")) << xml;
        EXPECT_EQ(log.GetDateString(), "1899-12-30T00:00:00+09:00");
    }
}

TEST(UpdateLog, TextKeepsMarkupCharactersAndDropsWhatXmlCannotHold)
{
    ZoneGuard tz("UTC0");
    Log log;
    log.Initialize(QDateTime(QDate(2002, 2, 2), QTime(2, 2, 2), Qt::LocalTime), "a&b", "",
                   QString::fromUtf8("x < y & z\r\n\x01" "end"));
    EXPECT_EQ(Written(log),
              "<log date=\"2002-02-02T02:02:02+00:00\" category=\"a&amp;b\">"
              "x &lt; y &amp; z\nend</log>");
}

TEST(UpdateLog, SaveIntoDocumentWithoutRootFails)
{
    xmlDocPtr doc = xmlNewDoc(BAD_CAST "1.0");
    Log log;
    EXPECT_FALSE(log.SaveToXMLDocument(doc));
    EXPECT_EQ(xmlDocGetRootElement(doc), nullptr);
    xmlFreeDoc(doc);
}

#include "env/DateTime.h"
#include "env/System.h"
#include "support/QtPrinters.h"

#include <QSet>
#include <gtest/gtest.h>

#include <unordered_set>

namespace {

TEST(DateTime, ZeroValueIsTheLastDaysOf1899)
{
    const DateTime zero;
    EXPECT_TRUE(zero.IsZero());
    EXPECT_EQ(zero.Serial(), 0);
    EXPECT_EQ(zero.ListText(), "1899/12/30 00:00:00");
    EXPECT_EQ(zero.Date(), QDate(1899, 12, 30));
    EXPECT_EQ(DateTime::FromParts(1899, 12, 30, 0, 0, 0), zero);
}

TEST(DateTime, SerialCountsSecondsEitherSideOfZero)
{
    EXPECT_EQ(DateTime::FromParts(1899, 12, 31, 0, 0, 1).Serial(), 86401);
    const DateTime before = DateTime::FromParts(1899, 12, 29, 23, 59, 59);
    EXPECT_EQ(before.Serial(), -1);
    EXPECT_EQ(before.ListText(), "1899/12/29 23:59:59");
    EXPECT_EQ(DateTime::FromSerial(-1), before);
}

TEST(DateTime, TextForms)
{
    const DateTime value = DateTime::FromParts(2001, 10, 7, 9, 5, 3);
    EXPECT_EQ(value.ListText(), "2001/10/07 09:05:03");
    EXPECT_EQ(value.StampText(QStringLiteral("+09:00")), "2001-10-07T09:05:03+09:00");
    SetTimeZoneOffsetForTesting(-330);
    EXPECT_EQ(value.StampText(), "2001-10-07T09:05:03-05:30");
    SetTimeZoneOffsetForTesting(std::nullopt);
    EXPECT_EQ(DateTime::FromParts(812, 1, 2, 23, 59, 59).ListText(), "0812/01/02 23:59:59");
    EXPECT_EQ(value.Year(), 2001);
    EXPECT_EQ(value.Month(), 10);
    EXPECT_EQ(value.Day(), 7);
    EXPECT_EQ(value.Hour(), 9);
    EXPECT_EQ(value.Minute(), 5);
    EXPECT_EQ(value.Second(), 3);
}

TEST(DateTime, ParseAcceptsBothSeparatorsAndShortFields)
{
    const DateTime expected = DateTime::FromParts(2001, 10, 7, 9, 5, 3);
    for (const char* text : {"2001/10/7 9:5:3", "2001/10/07 09:05:03", "2001-10-07 09:05:03",
                             "2001-10-7 9:05:3", " 2001/10/07 09:05:03 "}) {
        QString error;
        const std::optional<DateTime> parsed = DateTime::Parse(QString::fromUtf8(text), &error);
        ASSERT_TRUE(parsed.has_value()) << text << ": " << error.toStdString();
        EXPECT_EQ(*parsed, expected) << text;
    }
    EXPECT_EQ(DateTime::Parse("2000/02/29 23:59:59"), DateTime::FromParts(2000, 2, 29, 23, 59, 59));
    EXPECT_EQ(DateTime::Parse("1899/12/30 00:00:00"), DateTime());
}

TEST(DateTime, ParseRejectsWhatIsNoCalendarDateTime)
{
    const char* rejected[] = {
        "",
        "2001/10/07",
        "2001/10/07 09:05",
        "2001/02/29 00:00:00", // not a leap year
        "2001/13/01 00:00:00",
        "2001/00/10 00:00:00",
        "2001/04/31 00:00:00",
        "2001/10/07 24:00:00",
        "2001/10/07 23:60:00",
        "2001/10/07 23:59:60",
        "2001/10-07 09:05:03", // mixed separators
        "2001-10-07T09:05:03", // the stamp form needs its T replaced first
        "01/10/07 09:05:03",
        "2001/100/07 09:05:03",
        "0000/01/01 00:00:00", // there is no year 0
        "99999999999999999999/1/1 0:0:0",
        "2001/10/07 09:05:03 extra",
        "-2001/10/07 09:05:03",
        "abc",
    };
    for (const char* text : rejected) {
        QString error;
        EXPECT_FALSE(DateTime::Parse(QString::fromUtf8(text), &error).has_value()) << text;
        EXPECT_FALSE(error.isEmpty()) << text;
    }
    // Full-width digits are digits to Unicode but not to the list files.
    EXPECT_FALSE(DateTime::Parse(QString::fromUtf8("２００１/10/07 09:05:03")).has_value());
    EXPECT_FALSE(DateTime::Parse(QString(QChar(0)) + "2001/10/07 09:05:03").has_value());
}

TEST(DateTime, ParseRoundTripsListText)
{
    for (qint64 serial : {qint64(0), qint64(1), qint64(-86400 * 3), qint64(3'211'234'567)}) {
        const DateTime value = DateTime::FromSerial(serial);
        EXPECT_EQ(DateTime::Parse(value.ListText()), value) << value.ListText().toStdString();
    }
}

TEST(DateTime, OrderingAndHashing)
{
    const DateTime a = DateTime::FromParts(2001, 10, 7, 9, 5, 3);
    const DateTime b = DateTime::FromParts(2001, 10, 7, 9, 5, 4);
    EXPECT_LT(a, b);
    EXPECT_GT(b, a);
    EXPECT_NE(a, b);
    EXPECT_LE(a, a);
    QSet<DateTime> set{a, b, a};
    EXPECT_EQ(set.size(), 2);
    std::unordered_set<DateTime> std_set{a, b, b};
    EXPECT_EQ(std_set.size(), 2u);
}

TEST(DateTime, QDateTimeConversionDropsMilliseconds)
{
    const QDateTime local(QDate(2024, 2, 29), QTime(13, 14, 15, 999), Qt::LocalTime);
    const DateTime value = DateTime::FromQDateTime(local);
    EXPECT_EQ(value, DateTime::FromParts(2024, 2, 29, 13, 14, 15));
    EXPECT_EQ(value.ToQDateTime(), QDateTime(QDate(2024, 2, 29), QTime(13, 14, 15), Qt::LocalTime));
    EXPECT_EQ(DateTime::FromQDateTime(QDateTime()), DateTime());
    const DateTime now = DateTime::Now();
    EXPECT_EQ(DateTime::FromQDateTime(now.ToQDateTime()), now);
}

} // namespace

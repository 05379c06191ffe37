#include "env/StringManager.h"
#include "env/FileStringManager.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const QChar kNul(0);

QString Applied(void (*helper)(QString&, QChar), QString text, QChar marker)
{
    helper(text, marker);
    return text;
}

TEST(StringManager, CuttingAtMarkers)
{
    EXPECT_TRUE(IsEmptyString(QString()));
    EXPECT_FALSE(IsEmptyString(" "));
    EXPECT_FALSE(IsEmptyString(QString(kNul)));

    EXPECT_EQ(Applied(RemoveTrailing, "abc" + QString(3, kNul), kNul), "abc");
    EXPECT_EQ(Applied(RemoveTrailing, QString(), kNul), QString());
    EXPECT_EQ(Applied(RemoveTrailing, "a\\b\\\\", u'\\'), "a\\b");
    EXPECT_EQ(Applied(RemoveTrailing, "\\\\", u'\\'), QString());

    EXPECT_EQ(Applied(DropThroughFirst, "a\"b\"c", u'"'), "b\"c");
    EXPECT_EQ(Applied(DropThroughFirst, "abc", u'"'), "abc");
    EXPECT_EQ(Applied(DropThroughFirst, "abc\"", u'"'), QString());

    EXPECT_EQ(Applied(KeepBeforeLast, "a\"b\"c", u'"'), "a\"b");
    EXPECT_EQ(Applied(KeepBeforeLast, "abc", u'"'), "abc");

    EXPECT_EQ(Applied(KeepBeforeFirst, "abc" + QString(kNul) + "junk" + QString(kNul), kNul),
              "abc");
    EXPECT_EQ(Applied(KeepBeforeFirst, "abc", kNul), "abc");
    EXPECT_EQ(Applied(KeepBeforeFirst, QString(kNul), kNul), QString());
}

TEST(FileStringManager, DoubleByteCharacters)
{
    EXPECT_FALSE(HasDoubleByteChars("http://example.com/a b"));
    EXPECT_FALSE(HasDoubleByteChars(QString::fromUtf8("ｶﾀｶﾅ"))); // one byte each in code page 932
    EXPECT_TRUE(HasDoubleByteChars(QString::fromUtf8("aあ")));
    EXPECT_TRUE(HasDoubleByteChars(QString::fromUtf8("ｈｔｔｐ")));
    EXPECT_FALSE(HasDoubleByteChars(QString()));
    // Characters the code page only approximates count as Windows converted them.
    EXPECT_TRUE(HasDoubleByteChars(QString::fromUtf8("a〜")));
    EXPECT_FALSE(HasDoubleByteChars(QString::fromUtf8("a¥")));
}

TEST(FileStringManager, URLs)
{
    for (const char* url :
         {"file:///home/a", "mailto:a@b.c", "ftp://x", "https://x", "http://x", "mailto:", "http:"})
        EXPECT_TRUE(IsURL(QString::fromUtf8(url))) << url;
    for (const char* text : {"HTTP://x", "Mailto:a@b", "www.example.com", "/home/a", "",
                             " http://x", "http://例え.jp", "ｈｔｔｐ://x", "gopher://x"})
        EXPECT_FALSE(IsURL(QString::fromUtf8(text))) << text;
}

} // namespace

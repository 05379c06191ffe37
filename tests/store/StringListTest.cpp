#include "StoreFixture.h"

#include "store/StringList.h"

#include <algorithm>

namespace {

StringList FilterTerms()
{
    StringList list;
    list.SetTextFileMode(false);
    return list;
}

} // namespace

TEST(StringListAdd, CutsKeywordsAndKeepsWholeTextForCategories)
{
    StringList list;
    list.Add(QStringLiteral("仕事 会議"));
    EXPECT_EQ(list.Items(), (QStringList{"仕事", "会議", "仕事 会議"}));
    list.Add(QStringLiteral("仕事、会議"));
    EXPECT_EQ(list.Items(), (QStringList{"仕事", "会議", "仕事 会議", "仕事、会議"}));
    list.Add(QStringLiteral("a ,  b"));
    EXPECT_EQ(list.Items().mid(4), (QStringList{"a", "b", "a ,  b"}));
}

TEST(StringListAdd, FilterModeKeepsOnlyWordsUnlessThereAreNone)
{
    StringList list = FilterTerms();
    list.Add(QStringLiteral("仕事 会議"));
    EXPECT_EQ(list.Items(), (QStringList{"仕事", "会議"}));

    StringList separators = FilterTerms();
    separators.Add(QStringLiteral(","));
    EXPECT_EQ(separators.Items(), QStringList{","});
    separators.Add(QStringLiteral("  "));
    EXPECT_EQ(separators.Items(), (QStringList{",", "  "}));
}

TEST(StringListAdd, SeparatorsAllMeanTheSameTerms)
{
    const QStringList expected{"a", "b"};
    for (const QString& condition :
         {QStringLiteral("a b"), QStringLiteral("a,b"), QStringLiteral("a、b"),
          QStringLiteral("a　b"), QStringLiteral("a, b"), QStringLiteral(" a  b "),
          QStringLiteral("a 、 b,")}) {
        EXPECT_EQ(StringList::Terms(condition), expected) << condition.toStdString();
    }
    // A tab is no separator.
    EXPECT_EQ(StringList::Terms(QStringLiteral("a\tb")), QStringList{"a\tb"});
    EXPECT_TRUE(StringList::Terms(QString()).isEmpty());
}

TEST(StringListAdd, HasTermsAgreesWithTheCutTerms)
{
    const QStringList texts{"仕事 会議", "Work、Ｍｅｅｔ",  "a ,  b",   ",",          "  ",
                            "a\tb",      "ＳＴＲＡßＥ Σας", "x　y , z", "會議,仕 事", "𠮷野 家"};
    const QStringList conditions{"仕事", "work", "ｍｅｅｔ work", "b",      "a b",
                                 ",",    "  ",   "a\tb",          "straße", "σας",
                                 "y",    "z",    "仕事",          "𠮷野",   "x y"};
    for (const QString& text : texts) {
        QStringList have;
        for (const QString& term : StringList::Terms(text))
            have << StringList::Key(term);
        for (const QString& condition : conditions) {
            QStringList keys;
            for (const QString& term : StringList::Terms(condition))
                keys << StringList::Key(term);
            const bool expected = std::all_of(keys.begin(), keys.end(),
                                              [&](const QString& k) { return have.contains(k); });
            EXPECT_EQ(StringList::HasTerms(text, keys), expected)
                << text.toStdString() << " / " << condition.toStdString();
        }
    }
}

TEST(StringListAdd, KeysIgnoreLetterCaseIncludingFullWidth)
{
    StringList list;
    list.Add(QStringLiteral("work"));
    list.Add(QStringLiteral("Work"));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(QStringLiteral("WORK")), QStringLiteral("work"));
    EXPECT_TRUE(list.Has(QStringLiteral("wORk")));

    list.Add(QStringLiteral("Ｗｏｒｋ"));
    list.Add(QStringLiteral("ｗｏｒｋ"));
    list.Add(QStringLiteral("ＷＯＲＫ"));
    EXPECT_EQ(list.Items(), (QStringList{"work", "Ｗｏｒｋ"}));
    EXPECT_EQ(list.Item(QStringLiteral("ｗｏｒｋ")), QStringLiteral("Ｗｏｒｋ"));
    EXPECT_EQ(list.Item(QStringLiteral("missing")), QString());
    // Folding, not lowering: the final sigma and the capital sigma are one letter.
    StringList greek;
    greek.Add(QStringLiteral("ΟΔΟΣ"));
    EXPECT_TRUE(greek.Has(QStringLiteral("οδος")));
}

TEST(StringListAdd, KeyIsTheCaseFoldedText)
{
    for (uint c = 0; c < 0x10000; ++c) {
        const QString one(QChar(static_cast<char16_t>(c)));
        ASSERT_EQ(StringList::Key(one), one.toCaseFolded()) << c;
    }
    for (const char* text :
         {"Work 会議、ABC", "ＷＯＲＫ仕事", "ΟΔΟΣ Abc", "ｶﾀｶﾅ　ＡBC", "𠮷野 Ab", ""}) {
        const QString value = QString::fromUtf8(text);
        EXPECT_EQ(StringList::Key(value), value.toCaseFolded()) << text;
    }
}

TEST(StringListAdd, NoSplitAndEmptyText)
{
    StringList history;
    history.SetSplit(false);
    history.Add(QStringLiteral("a b"));
    EXPECT_EQ(history.Items(), QStringList{"a b"});

    for (bool split : {false, true}) {
        for (bool whole : {false, true}) {
            StringList list;
            list.SetSplit(split);
            list.SetTextFileMode(whole);
            list.Add(QString());
            EXPECT_EQ(list.Count(), 0);
        }
    }
}

TEST(StringListAdd, ClearForgetsKeys)
{
    StringList list;
    list.Add(QStringLiteral("a b"));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.Has(QStringLiteral("a")));
    list.Add(QStringLiteral("A"));
    EXPECT_EQ(list.Items(), QStringList{"A"});
}

class StringListFile : public StoreTest {};

TEST_F(StringListFile, SaveAndLoadKeepOrderAndDoNotCutAgain)
{
    StringList list;
    list.Add(QStringLiteral("仕事 会議"));
    list.Add(QStringLiteral("~\\"));
    ASSERT_TRUE(list.SaveToFile(PathOf("category.list")));
    EXPECT_EQ(
        ReadBytes("category.list"),
        QByteArray("\x8e\x64\x8e\x96\r\n\x89\xef\x8b\x63\r\n\x8e\x64\x8e\x96 \x89\xef\x8b\x63\r\n"
                   "~\\\r\n"));

    StringList loaded;
    loaded.LoadFromFile(PathOf("category.list"));
    EXPECT_EQ(loaded.Items(), list.Items());

    // Words of loaded lines are not cut again; the lines merge with what is there.
    WriteBytes("other.list", "x y\r\nX Y\r\nz\r\n");
    StringList merged;
    merged.Add(QStringLiteral("z"));
    merged.LoadFromFile(PathOf("other.list"));
    EXPECT_EQ(merged.Items(), (QStringList{"z", "x y"}));
}

TEST_F(StringListFile, LastLineWithoutLineEndIsNotRead)
{
    WriteBytes("string.list", "one\r\ntwo");
    StringList list;
    list.LoadFromFile(PathOf("string.list"));
    EXPECT_EQ(list.Items(), QStringList{"one"});
}

TEST_F(StringListFile, EmptyListAndMissingFile)
{
    StringList list;
    list.LoadFromFile(PathOf("category.list"));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(Exists("category.list")); // created empty
    EXPECT_EQ(ReadBytes("category.list"), QByteArray());
    ASSERT_TRUE(list.SaveToFile(PathOf("category.list")));
    EXPECT_EQ(ReadBytes("category.list"), QByteArray());
}

TEST_F(StringListFile, TextOutsideTheCodePageSurvives)
{
    StringList list;
    list.Add(QStringLiteral("旅行 😀"));
    ASSERT_TRUE(list.SaveToFile(PathOf("category.list")));
    StringList loaded;
    loaded.LoadFromFile(PathOf("category.list"));
    EXPECT_EQ(loaded.Items(), list.Items());
}

TEST_F(StringListFile, FailedSaveKeepsTheOldFile)
{
    WriteBytes("category.list", "old\r\n");
    MakeReadOnly("category.list");
    StringList list;
    list.Add(QStringLiteral("new"));
    EXPECT_FALSE(list.SaveToFile(PathOf("category.list")));
    EXPECT_EQ(ReadBytes("category.list"), QByteArray("old\r\n"));
    MakeWritable("category.list");
}

TEST(StringListFill, HidesClearsAddsInOrderAndShows)
{
    StringList list;
    list.Add(QStringLiteral("b a"));
    RecordingListControl control;
    control.items << "stale";
    list.FillListBox(control);
    EXPECT_EQ(control.calls, (QStringList{"hide", "clear", "show"}));
    EXPECT_EQ(control.items, (QStringList{"b", "a", "b a"}));
}

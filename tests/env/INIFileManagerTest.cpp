#include "env/INIFileManager.h"
#include "support/QtPrinters.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class Settings : public ::testing::Test {
protected:
    TempFolder folder;
    QString ini = folder.file("Quillmere.ini");

    QByteArray Bytes() const { return TempFolder::ReadBytes(ini); }
    void SetBytes(const QByteArray& bytes) const { TempFolder::WriteBytes(ini, bytes); }
};

TEST_F(Settings, MissingFileSectionOrKeyGivesTheDefaultAsText)
{
    EXPECT_EQ(ReadSetting(ini, "Quillmere", "Iconize", false), "False");
    EXPECT_EQ(ReadSetting(ini, "LogList", "LogDateBegin", 0), "0");
    EXPECT_EQ(ReadSetting(ini, "LogList", "Category", ""), "");
    EXPECT_EQ(ReadSetting(ini, "frmMain", "Left", 200.0 / 3), "66.66667");
    EXPECT_FALSE(folder.exists("Quillmere.ini"));

    SetBytes("[Other]\r\nIconize=True\r\n[Quillmere]\r\nTopmost=True\r\n");
    EXPECT_EQ(ReadSetting(ini, "Quillmere", "Iconize", false), "False");
    EXPECT_EQ(ReadSetting(ini, "Missing", "Topmost", true), "True");
}

TEST_F(Settings, TextIsStoredInQuotesAndReadsBack)
{
    WriteSetting(ini, "LogList", "Category", "abc");
    EXPECT_EQ(Bytes(), QByteArray("[LogList]\r\nCategory=\"abc\"\r\n"));
    EXPECT_EQ(ReadSetting(ini, "LogList", "Category", ""), "abc");
}

TEST_F(Settings, BlanksInsideTheQuotesSurvive)
{
    WriteSetting(ini, "Edit/View.Font", "Name", "  ＭＳ ゴシック ");
    EXPECT_EQ(ReadSetting(ini, "Edit/View.Font", "Name", ""), "  ＭＳ ゴシック ");
    // In code page 932, as the Windows program wrote it.
    EXPECT_TRUE(Bytes().contains("\"  \x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E \""));
}

TEST_F(Settings, QuotesInsideTextKeepOnlyWhatLiesBetweenTheFirstAndLast)
{
    WriteSetting(ini, "LogList", "Category", "say \"hi\" now");
    EXPECT_EQ(ReadSetting(ini, "LogList", "Category", ""), "hi");
    WriteSetting(ini, "LogList", "Category", "one \" quote");
    EXPECT_EQ(ReadSetting(ini, "LogList", "Category", ""), " quote");
}

TEST_F(Settings, TruthAndNumbers)
{
    WriteSetting(ini, "Quillmere", "Iconize", true);
    WriteSetting(ini, "frmMain", "Left", 120);
    WriteSetting(ini, "frmMain", "Top", 200.0 / 3);
    WriteSetting(ini, "Edit/View.Font", "Size", 10.5);
    WriteSetting(ini, "Edit/View.Font", "Scale",
                 66.666664f); // a single-precision value shows 7 digits
    WriteSetting(ini, "frmMain", "Width", 640.0);
    EXPECT_EQ(ReadSetting(ini, "Quillmere", "Iconize", false), "True");
    EXPECT_EQ(ReadSetting(ini, "frmMain", "Left", 0), "120");
    EXPECT_EQ(ReadSetting(ini, "frmMain", "Top", 0), "66.66667");
    EXPECT_EQ(ReadSetting(ini, "Edit/View.Font", "Size", 9), "10.5");
    EXPECT_EQ(ReadSetting(ini, "frmMain", "Width", 0), "640");
    EXPECT_EQ(Bytes(), QByteArray("[Quillmere]\r\nIconize=True\r\n"
                                  "[frmMain]\r\nLeft=120\r\nTop=66.66667\r\nWidth=640\r\n"
                                  "[Edit/View.Font]\r\nSize=10.5\r\nScale=66.66666\r\n"));
}

TEST_F(Settings, ProfileReaderRules)
{
    SetBytes("; comment\r\n"
             "[ quillmere ]\r\n"
             "  iconize   =   true   \r\n"
             "single='quoted'\r\n"
             "half=\"open\r\n"
             "Empty=\r\n"
             "not a key line\r\n"
             "[LogList]\r\n"
             "Category=\"last wins? no, first\"\r\n"
             "Category=\"second\"\r\n");
    EXPECT_EQ(ReadSetting(ini, "Quillmere", "ICONIZE", false), "true");
    EXPECT_EQ(ReadSetting(ini, "Quillmere", "single", ""), "quoted");
    EXPECT_EQ(ReadSetting(ini, "Quillmere", "half", 0), "\"open");
    EXPECT_EQ(ReadSetting(ini, "Quillmere", "Empty", 5), "");
    EXPECT_EQ(ReadSetting(ini, "LogList", "Category", ""), "last wins? no, first");
}

TEST_F(Settings, WritingKeepsTheRestOfTheFile)
{
    SetBytes("; kept\r\n[frmMain]\r\nLeft=1\r\nTop=2\r\n\r\n[frmIcon]\r\nLeft=3\r\n");
    WriteSetting(ini, "FRMMAIN", "left", 10);
    WriteSetting(ini, "frmMain", "Topmost", false);
    WriteSetting(ini, "frmIcon", "Top", 4);
    EXPECT_EQ(Bytes(), QByteArray("; kept\r\n[frmMain]\r\nleft=10\r\nTop=2\r\nTopmost=False\r\n\r\n"
                                  "[frmIcon]\r\nLeft=3\r\nTop=4\r\n"));
}

TEST_F(Settings, SeveralKeysAtOnceGiveTheFileOfSingleWrites)
{
    const std::vector<std::pair<QString, SettingValue>> values{
        {"Left", 10}, {"top", 20}, {" ", 1}, {"Topmost", true}, {"Name", QString("a b")}};
    for (const QByteArray& start :
         {QByteArray(), QByteArray("; kept\r\n[frmMain]\r\nLeft=1\r\nTop=2\r\n\r\n[x]\r\ny=1\r\n"),
          QByteArray("[other]\r\nk=1\r\n"), QByteArray("[frmMain]\nLeft=1\n")}) {
        for (const QString& section : {QString("frmMain"), QString("NEW")}) {
            SetBytes(start);
            for (const auto& [key, value] : values)
                WriteSetting(ini, section, key, value);
            const QByteArray single = Bytes();
            SetBytes(start);
            WriteSettings(ini, section, values);
            EXPECT_EQ(Bytes(), single) << start.toStdString() << section.toStdString();
        }
    }
}

TEST_F(Settings, ValuesAreCutTo255Bytes)
{
    WriteSetting(ini, "LogList", "Category", QString(300, u'a'));
    EXPECT_EQ(ReadSetting(ini, "LogList", "Category", ""), QString(255, u'a'));
    // Two bytes each: 127 whole characters fit, never half of one.
    WriteSetting(ini, "LogList", "Category", QString(200, QChar(0x3042)));
    EXPECT_EQ(ReadSetting(ini, "LogList", "Category", ""), QString(127, QChar(0x3042)));
    EXPECT_EQ(ReadSetting(ini, "LogList", "Missing", QString(256, u'b')), QString(255, u'b'));
}

TEST_F(Settings, LineBreakInAValueCannotInjectAKey)
{
    WriteSetting(ini, "LogList", "Category", "x\r\n[Quillmere]\r\nIconize=True");
    WriteSetting(ini, "LogList", "Other", "y\nLogDateBegin=7");
    EXPECT_EQ(ReadSetting(ini, "Quillmere", "Iconize", false), "False");
    EXPECT_EQ(ReadSetting(ini, "LogList", "LogDateBegin", 0), "0");
    EXPECT_EQ(Bytes().count("\r\n"), 3);
    EXPECT_EQ(ReadSetting(ini, "LogList", "Category", ""), "x  [Quillmere]  Iconize=True");
}

TEST_F(Settings, CharactersCodePage932CannotHoldSurvive)
{
    WriteSetting(ini, "Edit/View.Font", "Name", "Noto 😀");
    WriteSetting(ini, "LogList", "Category", "仕事");
    EXPECT_TRUE(Bytes().startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(ReadSetting(ini, "Edit/View.Font", "Name", ""), "Noto 😀");
    EXPECT_EQ(ReadSetting(ini, "LogList", "Category", ""), "仕事");
}

TEST_F(Settings, MissingFolderIsIgnored)
{
    const QString nowhere = folder.file("missing/Quillmere.ini");
    WriteSetting(nowhere, "Quillmere", "Iconize", true);
    EXPECT_FALSE(folder.exists("missing"));
    EXPECT_EQ(ReadSetting(nowhere, "Quillmere", "Iconize", false), "False");
}

TEST_F(Settings, NewFileIsPrivate)
{
    WriteSetting(ini, "Quillmere", "Iconize", true);
    EXPECT_EQ(QFileInfo(ini).permissions() & 0x0FFF,
              QFileDevice::ReadUser | QFileDevice::WriteUser);
}

TEST(SettingConversion, Truth)
{
    EXPECT_EQ(SettingToTruth("True"), true);
    EXPECT_EQ(SettingToTruth("fALSE"), false);
    EXPECT_EQ(SettingToTruth("0"), false);
    EXPECT_EQ(SettingToTruth("-1"), true);
    EXPECT_EQ(SettingToTruth("2.5"), true);
    EXPECT_EQ(SettingToTruth(""), std::nullopt);
    EXPECT_EQ(SettingToTruth("yes"), std::nullopt);
}

TEST(SettingConversion, Number)
{
    EXPECT_EQ(SettingToNumber("66.66667"), 66.66667);
    EXPECT_EQ(SettingToNumber(" -12 "), -12.0);
    EXPECT_EQ(SettingToNumber("1e3"), 1000.0);
    EXPECT_EQ(SettingToNumber(""), std::nullopt);
    EXPECT_EQ(SettingToNumber("12px"), std::nullopt);
    EXPECT_EQ(SettingToNumber("inf"), std::nullopt);
    EXPECT_EQ(SettingToNumber("nan"), std::nullopt);
    EXPECT_EQ(SettingToNumber("１２"), std::nullopt);
}

} // namespace

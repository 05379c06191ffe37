#include "env/Ansi.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// Bytes the Windows program writes: a backslash path, ～ (81 60), ① (87 40),
// 髙 (FB FC, an IBM extension) and half-width katakana.
const char kWindowsRaw[] = "C:\\Data\\\x81\x60\x87\x40\xFB\xFC\xB6\xC0\xB6\xC5";
const QByteArray kWindowsBytes(kWindowsRaw, sizeof kWindowsRaw - 1);
const QString kWindowsText = QString::fromUtf8("C:\\Data\\～①髙ｶﾀｶﾅ");

TEST(Ansi, CodePage932RoundTripsByteForByte)
{
    EXPECT_EQ(DecodeAnsi(kWindowsBytes), kWindowsText);
    bool lossless = false;
    EXPECT_EQ(EncodeAnsi(kWindowsText, &lossless), kWindowsBytes);
    EXPECT_TRUE(lossless);
    EXPECT_TRUE(CanEncodeAnsi(kWindowsText));
}

TEST(Ansi, NulAndLineBreaksPassThrough)
{
    const QString text = QString::fromUtf8("本文\r\n\0分類\0", sizeof "本文\r\n\0分類\0" - 1);
    ASSERT_EQ(text.size(), 8);
    EXPECT_EQ(DecodeAnsi(EncodeAnsi(text)), text);
}

TEST(Ansi, UnencodableCharactersBecomeQuestionMarks)
{
    bool lossless = true;
    // An emoji (outside the BMP), hangul and 𠮷 each become one '?'.
    EXPECT_EQ(EncodeAnsi(QString::fromUtf8("a😀한𠮷b"), &lossless), QByteArray("a???b"));
    EXPECT_FALSE(lossless);
    EXPECT_FALSE(CanEncodeAnsi(QString::fromUtf8("😀")));
}

TEST(Ansi, InvalidBytesReadAsReplacementCharacters)
{
    const QString replacement(QChar(0xFFFD));
    // 0xFF is no character; 0x85 is an unassigned lead byte (its trail 0x40 stays '@');
    // a lead byte cut off at the end is one replacement.
    EXPECT_EQ(DecodeAnsi(QByteArray("a\xFF"
                                    "b")),
              "a" + replacement + "b");
    EXPECT_EQ(DecodeAnsi(QByteArray("\x85\x40")), replacement + "@");
    EXPECT_EQ(DecodeAnsi(QByteArray("x\x82")), "x" + replacement);
    EXPECT_EQ(DecodeAnsi(QByteArray()), QString());
}

TEST(Ansi, TextFileKeepsCodePage932WhenItCan)
{
    EXPECT_EQ(EncodeTextFile(kWindowsText), kWindowsBytes);
    EXPECT_EQ(DecodeTextFile(kWindowsBytes), kWindowsText);
}

TEST(Ansi, TextFileWithEmojiIsUtf8WithByteOrderMarkAndReadsBackUnchanged)
{
    const QString text = QString::fromUtf8("今日は😀\r\n한국 𠮷野家");
    const QByteArray bytes = EncodeTextFile(text);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(bytes.mid(3), text.toUtf8());
    EXPECT_EQ(DecodeTextFile(bytes), text);
}

TEST(Ansi, ByteOrderMarkAloneIsEmptyText)
{
    EXPECT_EQ(DecodeTextFile(QByteArray("\xEF\xBB\xBF")), QString());
}

} // namespace

#include "env/Ansi.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <iconv.h>

namespace {

// The system converter on one short input: the output, or how it failed.
struct Iconv {
    Iconv(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~Iconv() { iconv_close(cd); }
    QByteArray Run(const QByteArray& input, int* error)
    {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char buffer[32];
        char* in = const_cast<char*>(input.constData());
        size_t left = static_cast<size_t>(input.size());
        char* out = buffer;
        size_t room = sizeof buffer;
        *error = iconv(cd, &in, &left, &out, &room) == static_cast<size_t>(-1) ? errno : 0;
        return QByteArray(buffer, out - buffer);
    }
    iconv_t cd;
};

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
}

// Every byte and byte pair reads as the system converter reads it, and every
// character is written as it writes it, except its substitutes for characters
// the code page does not hold, which are refused.
TEST(Ansi, TablesMatchTheSystemConverter)
{
    Iconv decoder("UTF-16LE", "CP932");
    Iconv encoder("CP932", "UTF-16LE");
    int error = 0;
    for (int first = 0; first < 256; ++first) {
        for (int second = -1; second < 256; ++second) {
            QByteArray bytes(1, static_cast<char>(first));
            if (second >= 0)
                bytes.append(static_cast<char>(second));
            const QByteArray utf16 = decoder.Run(bytes, &error);
            const QString expected = QString::fromUtf16(
                reinterpret_cast<const char16_t*>(utf16.constData()), utf16.size() / 2);
            const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
            unsigned char out[8];
            int inlen = static_cast<int>(bytes.size());
            int outlen = sizeof out;
            const int result = Cp932ToUtf8(out, &outlen, in, &inlen);
            // The parser's converter stops where iconv does, for the same reason.
            ASSERT_EQ(result, error == EILSEQ   ? -2
                              : error == EINVAL ? -3
                                                : 0)
                << first << " " << second;
            ASSERT_EQ(QString::fromUtf8(reinterpret_cast<char*>(out), outlen), expected)
                << first << " " << second;
            if (error == 0) {
                ASSERT_EQ(DecodeAnsi(bytes), expected) << first << " " << second;
            }
        }
    }
    int substitutes = 0;
    for (int c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const QString text(QChar(static_cast<char16_t>(c)));
        const QByteArray expected =
            encoder.Run(QByteArray(reinterpret_cast<const char*>(text.utf16()), 2), &error);
        bool lossless = false;
        const QByteArray written = EncodeAnsi(text, &lossless);
        const bool readsBack = error == 0 && DecodeAnsi(expected) == text;
        substitutes += error == 0 && !readsBack;
        ASSERT_EQ(lossless, readsBack) << std::hex << c;
        ASSERT_EQ(written, readsBack ? expected : QByteArray("?")) << std::hex << c;
        // Lengths count the substitutes, as the Windows program did.
        ASSERT_EQ(AnsiLength(text), error == 0 ? expected.size() : 1) << std::hex << c;
        const QByteArray utf8 = text.toUtf8();
        unsigned char out[4];
        int inlen = static_cast<int>(utf8.size());
        int outlen = sizeof out;
        const int result = Utf8ToCp932(
            out, &outlen, reinterpret_cast<const unsigned char*>(utf8.constData()), &inlen);
        ASSERT_EQ(result, readsBack ? 0 : -2) << std::hex << c;
        ASSERT_EQ(QByteArray(reinterpret_cast<char*>(out), outlen),
                  readsBack ? expected : QByteArray())
            << std::hex << c;
        char code[2];
        ASSERT_EQ(QByteArray(code, WriteAnsiCharacter(static_cast<char32_t>(c), code)),
                  readsBack ? expected : QByteArray())
            << std::hex << c;
    }
    EXPECT_EQ(substitutes, 9); // 〜 ¥ ‖ − — ¢ £ ¬ ‾
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
    // An emoji (outside the BMP), hangul, 𠮷 and the approximated 〜 each become one '?'.
    EXPECT_EQ(EncodeAnsi(QString::fromUtf8("a😀한𠮷〜b"), &lossless), QByteArray("a????b"));
    EXPECT_FALSE(lossless);
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

#include "store/DateText.h"

#include <QDate>
#include <QString>

namespace {

template <typename Char> int ReadDigits(const Char* text, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const auto c = static_cast<unsigned>(text[i]);
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + static_cast<int>(c - '0');
    }
    return value;
}

template <typename Char> std::optional<DateTime> ReadFixed(const Char* text)
{
    const int year = ReadDigits(text, 4);
    const int month = ReadDigits(text + 5, 2);
    const int day = ReadDigits(text + 8, 2);
    const int hour = ReadDigits(text + 11, 2);
    const int minute = ReadDigits(text + 14, 2);
    const int second = ReadDigits(text + 17, 2);
    if (year < 1 || month < 0 || day < 0 || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59 || !QDate::isValid(year, month, day))
        return std::nullopt;
    return DateTime::FromParts(year, month, day, hour, minute, second);
}

} // namespace

std::optional<DateTime> ReadFixedDateTime(QStringView text)
{
    if (text.size() != kListTextLength)
        return std::nullopt;
    return ReadFixed(text.utf16());
}

std::optional<DateTime> ReadFixedDateTime(const char* text)
{
    return ReadFixed(text);
}

std::optional<DateTime> ParseListText(QStringView text)
{
    if (text.size() == kListTextLength && text[4] == u'/' && text[7] == u'/' && text[10] == u' ' &&
        text[13] == u':' && text[16] == u':') {
        if (auto value = ReadFixedDateTime(text))
            return value;
    }
    return DateTime::Parse(text.toString());
}

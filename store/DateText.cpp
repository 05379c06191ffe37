#include "store/DateText.h"

#include <QDate>
#include <QString>

namespace {

constexpr qint64 kSecondsPerDay = 86400;

// Julian day of 1899/12/30, the zero value of the serial.
const qint64 kZeroJulianDay = QDate(1899, 12, 30).toJulianDay();

void WriteTwo(char* out, int value)
{
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
}

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
    const qint64 days = QDate(year, month, day).toJulianDay() - kZeroJulianDay;
    return DateTime::FromSerial(days * kSecondsPerDay + hour * 3600 + minute * 60 + second);
}

} // namespace

void WriteListText(const DateTime& value, char* out)
{
    const qint64 serial = value.Serial();
    qint64 days = serial / kSecondsPerDay;
    qint64 seconds = serial % kSecondsPerDay;
    if (seconds < 0) {
        seconds += kSecondsPerDay;
        --days;
    }
    int year = 0;
    int month = 0;
    int day = 0;
    QDate::fromJulianDay(kZeroJulianDay + days).getDate(&year, &month, &day);
    const int y = year < 0 ? 0 : year % 10000;
    WriteTwo(out, y / 100);
    WriteTwo(out + 2, y % 100);
    out[4] = '/';
    WriteTwo(out + 5, month);
    out[7] = '/';
    WriteTwo(out + 8, day);
    out[10] = ' ';
    WriteTwo(out + 11, static_cast<int>(seconds / 3600));
    out[13] = ':';
    WriteTwo(out + 14, static_cast<int>(seconds / 60 % 60));
    out[16] = ':';
    WriteTwo(out + 17, static_cast<int>(seconds % 60));
}

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

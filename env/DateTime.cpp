#include "env/DateTime.h"

#include "env/System.h"

#include <QRegularExpression>
#include <QTime>

namespace {

constexpr qint64 kSecondsPerDay = 86400;

qint64 ZeroJulianDay()
{
    static const qint64 day = QDate(1899, 12, 30).toJulianDay();
    return day;
}

qint64 FloorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

void WriteTwo(char* out, int value)
{
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
}

void SetError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

DateTime DateTime::FromParts(int year, int month, int day, int hour, int minute, int second)
{
    const qint64 days = QDate(year, month, day).toJulianDay() - ZeroJulianDay();
    return DateTime(days * kSecondsPerDay + hour * 3600 + minute * 60 + second);
}

std::optional<DateTime> DateTime::Parse(const QString& text, QString* error)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^([0-9]{4})([/-])([0-9]{1,2})\\2([0-9]{1,2}) ([0-9]{1,2}):([0-9]{1,2}):([0-9]{1,2})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch()) {
        SetError(error, QStringLiteral("\"%1\" is not of the form yyyy/mm/dd hh:mm:ss").arg(text));
        return std::nullopt;
    }
    const int year = match.captured(1).toInt();
    const int month = match.captured(3).toInt();
    const int day = match.captured(4).toInt();
    const int hour = match.captured(5).toInt();
    const int minute = match.captured(6).toInt();
    const int second = match.captured(7).toInt();
    if (!QDate::isValid(year, month, day)) {
        SetError(error, QStringLiteral("\"%1\" names a day that does not exist").arg(text));
        return std::nullopt;
    }
    if (hour > 23 || minute > 59 || second > 59) {
        SetError(error, QStringLiteral("\"%1\" names a time of day that does not exist").arg(text));
        return std::nullopt;
    }
    return FromParts(year, month, day, hour, minute, second);
}

DateTime DateTime::Now()
{
    return FromQDateTime(QDateTime::currentDateTime());
}

DateTime DateTime::FromQDateTime(const QDateTime& value)
{
    const QDateTime local = value.toLocalTime();
    const QDate date = local.date();
    const QTime time = local.time();
    if (!date.isValid() || !time.isValid())
        return DateTime();
    return FromParts(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                     time.second());
}

DateTime DateTime::FromSerial(qint64 seconds)
{
    return DateTime(seconds);
}

QDate DateTime::Date() const
{
    return QDate::fromJulianDay(ZeroJulianDay() + FloorDiv(serial_, kSecondsPerDay));
}

QDateTime DateTime::ToQDateTime() const
{
    return QDateTime(Date(), QTime(Hour(), Minute(), Second()), Qt::LocalTime);
}

void DateTime::WriteText(char* out, char dateSeparator, char middle) const
{
    const qint64 days = FloorDiv(serial_, kSecondsPerDay);
    const qint64 seconds = serial_ - days * kSecondsPerDay;
    int year = 0;
    int month = 0;
    int day = 0;
    QDate::fromJulianDay(ZeroJulianDay() + days).getDate(&year, &month, &day);
    const int y = year < 0 ? 0 : year % 10000;
    WriteTwo(out, y / 100);
    WriteTwo(out + 2, y % 100);
    out[4] = dateSeparator;
    WriteTwo(out + 5, month);
    out[7] = dateSeparator;
    WriteTwo(out + 8, day);
    out[10] = middle;
    WriteTwo(out + 11, static_cast<int>(seconds / 3600));
    out[13] = ':';
    WriteTwo(out + 14, static_cast<int>(seconds / 60 % 60));
    out[16] = ':';
    WriteTwo(out + 17, static_cast<int>(seconds % 60));
}

QString DateTime::ListText() const
{
    char text[TextLength];
    WriteText(text, '/', ' ');
    return QString::fromLatin1(text, TextLength);
}

QString DateTime::StampText() const
{
    return StampText(TimeZoneSuffix());
}

QString DateTime::StampText(const QString& suffix) const
{
    char text[TextLength];
    WriteText(text, '-', 'T');
    return QString::fromLatin1(text, TextLength) + suffix;
}

int DateTime::Year() const
{
    return Date().year();
}

int DateTime::Month() const
{
    return Date().month();
}

int DateTime::Day() const
{
    return Date().day();
}

int DateTime::Hour() const
{
    return static_cast<int>(serial_ - FloorDiv(serial_, kSecondsPerDay) * kSecondsPerDay) / 3600;
}

int DateTime::Minute() const
{
    return static_cast<int>(serial_ - FloorDiv(serial_, kSecondsPerDay) * kSecondsPerDay) / 60 % 60;
}

int DateTime::Second() const
{
    return static_cast<int>(serial_ - FloorDiv(serial_, kSecondsPerDay) * kSecondsPerDay) % 60;
}

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

QString Two(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString Four(int value)
{
    return QStringLiteral("%1").arg(value, 4, 10, QLatin1Char('0'));
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

QString DateTime::ListText() const
{
    return Four(Year()) + u'/' + Two(Month()) + u'/' + Two(Day()) + u' ' + Two(Hour()) + u':' +
           Two(Minute()) + u':' + Two(Second());
}

QString DateTime::StampText() const
{
    return StampText(TimeZoneSuffix());
}

QString DateTime::StampText(const QString& suffix) const
{
    return Four(Year()) + u'-' + Two(Month()) + u'-' + Two(Day()) + u'T' + Two(Hour()) + u':' +
           Two(Minute()) + u':' + Two(Second()) + suffix;
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

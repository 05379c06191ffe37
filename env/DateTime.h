#pragma once
// The date-time of a record: whole seconds, counted from the zero value
// 1899/12/30 00:00:00 of the Windows program's date type.
#include <QDate>
#include <QDateTime>
#include <QHashFunctions>
#include <QString>

#include <compare>
#include <cstddef>
#include <functional>
#include <optional>

class DateTime {
public:
    DateTime() = default; // the zero value

    // The parts must form a real date-time; use Parse for anything untrusted.
    static DateTime FromParts(int year, int month, int day, int hour, int minute, int second);
    // Accepts "yyyy/mm/dd hh:mm:ss" and "yyyy-mm-dd hh:mm:ss" with one- or
    // two-digit fields after the year. Anything else, or a date-time that does
    // not exist on the calendar, gives nullopt and a reason in *error.
    static std::optional<DateTime> Parse(const QString& text, QString* error = nullptr);
    // Local time, cut to the second.
    static DateTime Now();
    // The local date and time of day shown by the value; milliseconds dropped.
    static DateTime FromQDateTime(const QDateTime& value);
    static DateTime FromSerial(qint64 seconds);

    QDateTime ToQDateTime() const; // local time
    QDate Date() const;

    // The length of "yyyy/mm/dd hh:mm:ss", and of the stamp before its suffix.
    static constexpr int TextLength = 19;
    // Writes "yyyy?mm?dd?hh:mm:ss", TextLength characters, with dateSeparator
    // between the date's fields and middle before the time. Allocates nothing:
    // the lists of all records write one entry per record.
    void WriteText(char* out, char dateSeparator, char middle) const;
    // "yyyy/mm/dd hh:mm:ss"
    QString ListText() const;
    // "yyyy-mm-ddThh:mm:ss" followed by the local time-zone suffix.
    QString StampText() const;
    QString StampText(const QString& suffix) const;

    int Year() const;
    int Month() const;
    int Day() const;
    int Hour() const;
    int Minute() const;
    int Second() const;

    // Seconds since the zero value (negative before it).
    qint64 Serial() const { return serial_; }
    bool IsZero() const { return serial_ == 0; }

    auto operator<=>(const DateTime&) const = default;
    bool operator==(const DateTime&) const = default;

private:
    explicit DateTime(qint64 serial) : serial_(serial) {}
    qint64 serial_ = 0;
};

inline size_t qHash(const DateTime& value, size_t seed = 0) noexcept
{
    return qHash(value.Serial(), seed);
}

template <> struct std::hash<DateTime> {
    size_t operator()(const DateTime& value) const noexcept
    {
        return std::hash<qint64>()(value.Serial());
    }
};

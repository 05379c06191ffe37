#include "store/DateList.h"

#include "env/AtomicFile.h"
#include "env/FSOHelper.h"
#include "store/DateText.h"
#include "store/ListControl.h"

#include <QFile>

#include <algorithm>

const QString DateList::DefaultFormat = QStringLiteral("yyyy/mm/dd hh:mm:ss");

namespace {

// A format other than the default: the tokens yyyy, yy, mm (minutes when it
// follows an hour), m, dd, d, hh, h, nn, n, ss, s; everything else is literal.
QString FormatWith(const DateTime& value, const QString& format)
{
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i).toLower();
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run).toLower() == c)
            ++run;
        const auto number = [&](int n, int width) {
            out += QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
        };
        const int width = run >= 2 ? 2 : 1;
        if (c == u'y') {
            if (run >= 4)
                number(value.Year(), 4);
            else
                number(value.Year() % 100, 2);
        } else if (c == u'm') {
            number(afterHour ? value.Minute() : value.Month(), width);
            afterHour = false;
        } else if (c == u'n') {
            number(value.Minute(), width);
        } else if (c == u'd') {
            number(value.Day(), width);
        } else if (c == u'h') {
            number(value.Hour(), width);
            afterHour = true;
        } else if (c == u's') {
            number(value.Second(), width);
        } else {
            out += format.mid(i, run);
        }
        i += run;
    }
    return out;
}

} // namespace

QString DateList::Text(const DateTime& value) const
{
    if (format_ != DefaultFormat)
        return FormatWith(value, format_);
    return value.ListText();
}

QString DateList::ItemText(qsizetype index) const
{
    return Text(Item(index));
}

DateTime DateList::FirstDate() const
{
    return dates_.isEmpty() ? DateTime() : dates_.first();
}

DateTime DateList::LastDate() const
{
    return dates_.isEmpty() ? DateTime() : dates_.last();
}

DateTime DateList::Item(qsizetype index) const
{
    return index >= 0 && index < dates_.size() ? dates_.at(index) : DateTime();
}

void DateList::LoadFromFile(const QString& filePath)
{
    const QString text = ReadTextFile(filePath, true);
    const QStringView all(text);
    QList<DateTime> loaded;
    loaded.reserve(text.size() / (kListTextLength + 2) + 1);
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = all.indexOf(u"\r\n", start);
        // What follows the last CR LF is no complete line.
        if (end < 0)
            break;
        loaded.append(ParseListText(all.sliced(start, end - start)).value_or(DateTime()));
        start = end + 2;
    }
    if (loaded.isEmpty())
        return;
    dates_ = std::move(loaded);
    Sort();
}

bool DateList::SaveToFile(const QString& filePath) const
{
    if (format_ != DefaultFormat) {
        QString text;
        for (const DateTime& value : dates_)
            text += FormatWith(value, format_) + QStringLiteral("\r\n");
        return WriteTextFile(filePath, text, true);
    }
    // The default format is ASCII, which code page 932 writes unchanged, so the
    // bytes can be built directly (this list holds every record of the book).
    QByteArray bytes(dates_.size() * (kListTextLength + 2), Qt::Uninitialized);
    char* out = bytes.data();
    for (const DateTime& value : dates_) {
        value.WriteText(out, '/', ' ');
        out[kListTextLength] = '\r';
        out[kListTextLength + 1] = '\n';
        out += kListTextLength + 2;
    }
    return WriteFileAtomically(filePath, bytes);
}

void DateList::FillListBox(ListControl& target) const
{
    target.SetVisible(false);
    target.Clear();
    for (const DateTime& value : dates_)
        target.AddItem(Text(value));
    target.SetVisible(true);
}

qsizetype DateList::FindIndex(const DateTime& value, qsizetype low, qsizetype high) const
{
    while (low <= high) {
        const qsizetype middle = (low + high) / 2;
        const DateTime& entry = dates_.at(middle);
        if (entry == value)
            return middle;
        if (entry < value)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return 0;
}

std::pair<qsizetype, qsizetype> DateList::RangeIndexes(const DateTime& begin,
                                                       const DateTime& end) const
{
    if (dates_.isEmpty())
        return {0, -1};
    const qsizetype last = dates_.size() - 1;
    return {FindIndex(begin, 0, last), FindIndex(end, 0, last)};
}

DateList DateList::GetDateList(const DateTime& begin, const DateTime& end) const
{
    DateList result;
    const auto [first, last] = RangeIndexes(begin, end);
    if (last >= first)
        result.dates_ = dates_.mid(first, last - first + 1);
    return result;
}

void DateList::Sort()
{
    // A list read from "logdate.list" is nearly always in order already.
    if (!std::is_sorted(dates_.cbegin(), dates_.cend()))
        std::sort(dates_.begin(), dates_.end());
}

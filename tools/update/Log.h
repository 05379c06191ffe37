#pragma once
// The migration tool's record: reads both the old (year/month/day/...) and the
// current ("date") record element and writes the current one.
#include <QDateTime>
#include <QString>
#include <libxml/tree.h>

namespace update {

// "+hh:mm" / "-hh:mm" of the standard-time offset from UTC, as the record
// book writes it (daylight saving is deliberately not used).
QString TimeZoneSuffix();

class Log {
public:
    const QDateTime& LogDate() const { return logDate_; }
    const QString& Category() const { return category_; }
    const QString& Link() const { return link_; }
    const QString& Text() const { return text_; }

    void Initialize(const QDateTime& logDate, const QString& category, const QString& link,
                    const QString& text);
    // Never fails: a value that cannot be read leaves its field as it was.
    void LoadFromXMLElement(xmlNodePtr element);
    // False when the document has no root element; the document is then unchanged.
    bool SaveToXMLDocument(xmlDocPtr document) const;

    QString GetDateString() const;

    // The date-time of a record whose stamp cannot be read: the zero date-time
    // the record book itself gives a new record.
    static QDateTime ZeroDateTime();

private:
    QDateTime logDate_ = ZeroDateTime();
    QString category_;
    QString link_;
    QString text_;  // line breaks are CR LF
};

}  // namespace update

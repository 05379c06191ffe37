#pragma once
// The migration tool's record: reads both the old element of versions 1.0 to
// 1.2 (the date in the six attributes "year" to "second") and the current
// "log" element, and writes the current one through the record book's own
// element writer, so a converted file is exactly what the book writes.
#include "env/DateTime.h"
#include "store/Log.h"

#include <QString>
#include <libxml/tree.h>

namespace update {

class Log {
public:
    const DateTime& LogDate() const { return record_.LogDate(); }
    const QString& Category() const { return record_.Category(); }
    const QString& Link() const { return record_.Link(); }
    const QString& Text() const { return record_.Text(); }

    void Initialize(const DateTime& logDate, const QString& category, const QString& link,
                    const QString& text);
    // Never fails: a value that cannot be read leaves its field as it was, so
    // a record whose date-time cannot be read keeps the zero date-time and is
    // still written, with all its text.
    void LoadFromXMLElement(xmlNodePtr element);
    // False when the document has no root element; the document is then unchanged.
    bool SaveToXMLDocument(xmlDocPtr document) const;

    // The "date" value SaveToXMLDocument writes, with this machine's suffix.
    QString GetDateString() const { return record_.GetDateString(); }

private:
    ::Log record_;
};

} // namespace update

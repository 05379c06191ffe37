#pragma once
#include "env/DateTime.h"
#include "store/XmlTypes.h"

#include <QString>

// One record and its "log" element: attribute "date" (stamp with the time-zone
// suffix), "category" and "href" when not empty, the text as content. In memory
// the text has CR LF line breaks; in the document tree it has LF.
class Log {
public:
    const DateTime& LogDate() const { return logDate_; }
    const QString& Category() const { return category_; }
    void SetCategory(const QString& category) { category_ = category; }
    const QString& Link() const { return link_; }
    void SetLink(const QString& link) { link_ = link; }
    const QString& Text() const { return text_; }
    void SetText(const QString& text) { text_ = text; }

    void Initialize(const DateTime& logDate, const QString& category, const QString& link,
                    const QString& text);
    // Never fails: what cannot be read leaves its field as it was.
    void LoadFromXMLElement(xmlNodePtr element);
    // The same for the date, category and link alone.
    void LoadAttributesFromXMLElement(xmlNodePtr element);
    // The element's text content with every LF as CR LF.
    static QString ReadElementText(xmlNodePtr element);
    // The same as LoadFromXMLElement for an element met by a streaming parser:
    // its attribute values (nullptr for a missing one) and its text content,
    // all UTF-8 as the tree would hold them.
    void LoadFromParsedElement(const char* date, const char* category, const char* href,
                               const QByteArray& text);
    // Appends a new "log" element to the root. nullptr when the document has no
    // root element (a file that did not parse); the document is then unchanged.
    xmlNodePtr SaveToXMLDocument(xmlDocPtr document) const;
    // Rewrites the first element whose "date" begins with this record's local
    // date-time, whatever its time-zone suffix; nullptr (document unchanged)
    // when there is none.
    xmlNodePtr UpdateToXMLDocument(xmlDocPtr document) const;
    // The element UpdateToXMLDocument would rewrite, or nullptr.
    xmlNodePtr FindElement(xmlDocPtr document) const;

    // Writes the record into the element: "date" unless it has one, then
    // "category" and "href" (removed when empty), then the text as the only content.
    void WriteToElement(xmlNodePtr element) const;

    // "yyyy-mm-ddThh:mm:ss" followed by the time-zone suffix now in force.
    QString GetDateString() const;

    // The text as it reads back after a save: without the characters XML cannot
    // hold, and with every line break as CR LF (a lone LF would come back as
    // CR LF). Fields of records the book writes are kept in this form, so the
    // record in memory equals the record on disk.
    static QString StoredText(const QString& text);
    // An attribute value as it reads back after a save.
    static QString StoredAttribute(const QString& value);

private:
    DateTime logDate_;
    QString category_;
    QString link_;
    QString text_;
};

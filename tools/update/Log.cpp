#include "tools/update/Log.h"

#include "env/StringManager.h"
#include "store/XmlNode.h"

#include <optional>

namespace update {
namespace {

// The "yyyy-mm-ddThh:mm:ss" head of a current stamp.
constexpr qsizetype kStampHeadLength = 19;

// The old files wrote each part as a plain decimal number ("2001", "10", "7",
// "9", "5", "3"); a missing part contributes nothing, so the text no longer
// reads as a date-time and the record keeps the date it had.
std::optional<DateTime> ReadOldDate(xmlNodePtr element)
{
    const auto part = [element](const char* name) { return GetAttribute(element, name); };
    const QString text = part("year") + u'/' + part("month") + u'/' + part("day") + u' ' +
                         part("hour") + u':' + part("minute") + u':' + part("second");
    return DateTime::Parse(text);
}

} // namespace

void Log::Initialize(const DateTime& logDate, const QString& category, const QString& link,
                     const QString& text)
{
    record_.Initialize(logDate, category, link, text);
}

void Log::LoadFromXMLElement(xmlNodePtr element)
{
    if (!element || element->type != XML_ELEMENT_NODE)
        return;
    // The record book's reading covers a current element whole, and the
    // category, link and text of an old one, which are written the same way.
    record_.LoadFromXMLElement(element);
    if (!IsEmptyString(GetAttribute(element, "date").left(kStampHeadLength)))
        return;
    if (const auto old = ReadOldDate(element))
        record_.Initialize(*old, record_.Category(), record_.Link(), record_.Text());
}

bool Log::SaveToXMLDocument(xmlDocPtr document) const
{
    return record_.SaveToXMLDocument(document) != nullptr;
}

} // namespace update

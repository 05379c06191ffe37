#include "store/Log.h"

#include "env/System.h"
#include "store/DateText.h"
#include "store/XmlNode.h"

namespace {

const char kDate[] = "date";
const char kCategory[] = "category";
const char kHref[] = "href";
const char kLog[] = "log";

// The length of "yyyy-mm-ddThh:mm:ss" before the time-zone suffix.
constexpr qsizetype kStampHeadLength = 19;

std::optional<DateTime> ReadStamp(const QString& stamp)
{
    QString head = stamp.left(kStampHeadLength);
    if (auto value = ReadFixedDateTime(QStringView(head)))
        return value;
    head.replace(QLatin1Char('T'), QLatin1Char(' '));
    return DateTime::Parse(head);
}

}  // namespace

void Log::Initialize(const DateTime& logDate, const QString& category, const QString& link,
                     const QString& text)
{
    logDate_ = logDate;
    category_ = category;
    link_ = link;
    text_ = text;
}

void Log::LoadFromXMLElement(xmlNodePtr element)
{
    if (!element)
        return;
    bool present = false;
    const QString stamp = GetAttribute(element, kDate, &present);
    if (present) {
        if (const auto value = ReadStamp(stamp))
            logDate_ = *value;
    }
    QString value = GetAttribute(element, kCategory, &present);
    if (present)
        category_ = std::move(value);
    value = GetAttribute(element, kHref, &present);
    if (present)
        link_ = std::move(value);
    // The parser gave the file's CR LF pairs back as LF.
    text_ = TextContent(element);
    if (text_.contains(QLatin1Char('\n')))
        text_.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

xmlNodePtr Log::SaveToXMLDocument(xmlDocPtr document) const
{
    xmlNodePtr root = RootElement(document);
    if (!root)
        return nullptr;
    xmlNodePtr element = AppendElement(root, kLog);
    WriteToElement(element);
    return element;
}

xmlNodePtr Log::FindElement(xmlDocPtr document) const
{
    xmlNodePtr root = RootElement(document);
    if (!root)
        return nullptr;
    const QByteArray stamp = GetDateString().toUtf8();
    for (xmlNodePtr child = root->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        xmlChar* value = xmlGetProp(child, reinterpret_cast<const xmlChar*>(kDate));
        const bool same = value && stamp == reinterpret_cast<const char*>(value);
        xmlFree(value);
        if (same)
            return child;
    }
    return nullptr;
}

xmlNodePtr Log::UpdateToXMLDocument(xmlDocPtr document) const
{
    xmlNodePtr element = FindElement(document);
    if (element)
        WriteToElement(element);
    return element;
}

void Log::WriteToElement(xmlNodePtr element) const
{
    SetAttribute(element, kDate, GetDateString());
    if (category_.isEmpty())
        RemoveAttribute(element, kCategory);
    else
        SetAttribute(element, kCategory, category_);
    if (link_.isEmpty())
        RemoveAttribute(element, kHref);
    else
        SetAttribute(element, kHref, link_);
    SetTextContent(element, text_);
}

QString Log::GetDateString() const
{
    return logDate_.StampText(TimeZoneSuffix());
}

QString Log::StoredText(const QString& text)
{
    QString stored = RemoveXmlIllegalChars(text);
    // The tree holds LF for every CR LF; every LF reads back as CR LF, and a lone
    // CR survives as a character reference.
    stored.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    stored.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return stored;
}

QString Log::StoredAttribute(const QString& value)
{
    return RemoveXmlIllegalChars(value);
}

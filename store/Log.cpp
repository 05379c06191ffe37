#include "store/Log.h"

#include "env/System.h"
#include "store/DataFormat.h"
#include "store/DateText.h"
#include "store/XmlNode.h"

#include <QVarLengthArray>

namespace {

using DataFormat::CategoryAttribute;
using DataFormat::DateAttribute;
using DataFormat::HrefAttribute;
using DataFormat::LogElement;

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

// UTF-8 of the tree to UTF-16 with every LF as CR LF, in a string of exactly
// the right size. A book holds every record of many years: the general
// conversion would leave up to three times the room a Japanese text needs.
// The text is decoded on the stack, with room for two units a byte (a line
// break takes two), and then copied.
QString DecodeTreeText(const unsigned char* s, qsizetype n)
{
    QVarLengthArray<char16_t, 4096> buffer(2 * n);
    char16_t* out = buffer.data();
    const auto continuation = [&](qsizetype i) { return i < n && (s[i] & 0xC0) == 0x80; };
    for (qsizetype i = 0; i < n;) {
        // Runs of ASCII without a line break need no decoding.
        while (i < n && s[i] < 0x80 && s[i] != '\n')
            *out++ = s[i++];
        if (i == n)
            break;
        const unsigned char b = s[i];
        char32_t c = 0;
        if (b < 0x80) {
            c = b;
            i += 1;
        } else if (b >= 0xC2 && b < 0xE0 && continuation(i + 1)) {
            c = (char32_t(b & 0x1F) << 6) | (s[i + 1] & 0x3F);
            i += 2;
        } else if (b >= 0xE0 && b < 0xF0 && continuation(i + 1) && continuation(i + 2)) {
            c = (char32_t(b & 0x0F) << 12) | (char32_t(s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
            i += 3;
        } else if (b >= 0xF0 && b < 0xF5 && continuation(i + 1) && continuation(i + 2) &&
                   continuation(i + 3)) {
            c = (char32_t(b & 0x07) << 18) | (char32_t(s[i + 1] & 0x3F) << 12) |
                (char32_t(s[i + 2] & 0x3F) << 6) | (s[i + 3] & 0x3F);
            i += 4;
        } else {
            c = 0xFFFFFFFF; // not UTF-8: the tree never holds this
        }
        if (c > 0x10FFFF) {
            QString fallback = QString::fromUtf8(reinterpret_cast<const char*>(s), n);
            fallback.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
            return fallback;
        }
        if (c == '\n')
            *out++ = u'\r';
        if (c >= 0x10000) {
            *out++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            *out++ = static_cast<char16_t>(c);
        }
    }
    return QString(reinterpret_cast<const QChar*>(buffer.data()), out - buffer.data());
}

} // namespace

void Log::Initialize(const DateTime& logDate, const QString& category, const QString& link,
                     const QString& text)
{
    logDate_ = logDate;
    category_ = category;
    link_ = link;
    text_ = text;
}

QString Log::ReadElementText(xmlNodePtr element)
{
    if (!element || !element->children)
        return {};
    xmlNodePtr child = element->children;
    if (!child->next && child->type == XML_TEXT_NODE) {
        const auto* content = child->content;
        return content ? DecodeTreeText(content, static_cast<qsizetype>(xmlStrlen(content)))
                       : QString();
    }
    xmlChar* content = xmlNodeGetContent(element);
    QString text =
        content ? DecodeTreeText(content, static_cast<qsizetype>(xmlStrlen(content))) : QString();
    xmlFree(content);
    return text;
}

void Log::LoadFromXMLElement(xmlNodePtr element)
{
    if (!element)
        return;
    LoadAttributesFromXMLElement(element);
    // The parser gave the file's CR LF pairs back as LF.
    text_ = ReadElementText(element);
}

void Log::LoadFromParsedElement(const char* date, const char* category, const char* href,
                                const QByteArray& text)
{
    if (date) {
        if (const auto value = ReadStamp(QString::fromUtf8(date)))
            logDate_ = *value;
    }
    if (category)
        category_ = QString::fromUtf8(category);
    if (href)
        link_ = QString::fromUtf8(href);
    text_ =
        text.isEmpty()
            ? QString()
            : DecodeTreeText(reinterpret_cast<const unsigned char*>(text.constData()), text.size());
}

void Log::LoadAttributesFromXMLElement(xmlNodePtr element)
{
    if (!element)
        return;
    bool present = false;
    const QString stamp = GetAttribute(element, DateAttribute, &present);
    if (present) {
        if (const auto value = ReadStamp(stamp))
            logDate_ = *value;
    }
    QString value = GetAttribute(element, CategoryAttribute, &present);
    if (present)
        category_ = std::move(value);
    value = GetAttribute(element, HrefAttribute, &present);
    if (present)
        link_ = std::move(value);
}

xmlNodePtr Log::SaveToXMLDocument(xmlDocPtr document) const
{
    xmlNodePtr root = RootElement(document);
    if (!root)
        return nullptr;
    xmlNodePtr element = AppendElement(root, LogElement);
    WriteToElement(element);
    return element;
}

xmlNodePtr Log::FindElement(xmlDocPtr document) const
{
    xmlNodePtr root = RootElement(document);
    if (!root)
        return nullptr;
    // The local date-time alone: the suffix is the zone of the computer that
    // wrote the element, which may have changed since.
    const QByteArray stamp = GetDateString().left(kStampHeadLength).toUtf8();
    for (xmlNodePtr child = root->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        xmlChar* value = xmlGetProp(child, reinterpret_cast<const xmlChar*>(DateAttribute));
        const bool same =
            value && QByteArrayView(reinterpret_cast<const char*>(value)).startsWith(stamp);
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
    // An element keeps the stamp it was written with, suffix and all.
    if (!xmlHasProp(element, reinterpret_cast<const xmlChar*>(DateAttribute)))
        SetAttribute(element, DateAttribute, GetDateString());
    if (category_.isEmpty())
        RemoveAttribute(element, CategoryAttribute);
    else
        SetAttribute(element, CategoryAttribute, category_);
    if (link_.isEmpty())
        RemoveAttribute(element, HrefAttribute);
    else
        SetAttribute(element, HrefAttribute, link_);
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

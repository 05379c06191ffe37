#include "store/XmlNode.h"

#include <libxml/xmlmemory.h>

namespace {

const xmlChar* Name(const char* name)
{
    return reinterpret_cast<const xmlChar*>(name);
}

QString FromXml(xmlChar* text)
{
    if (!text)
        return {};
    const QString result = QString::fromUtf8(reinterpret_cast<const char*>(text));
    xmlFree(text);
    return result;
}

bool IsLegalBmp(char16_t c)
{
    if (c < 0x20)
        return c == u'\t' || c == u'\n' || c == u'\r';
    return c != 0xFFFE && c != 0xFFFF;
}

} // namespace

QString GetAttribute(xmlNodePtr element, const char* name, bool* present)
{
    const bool has = element && xmlHasProp(element, Name(name)) != nullptr;
    if (present)
        *present = has;
    if (!has)
        return {};
    return FromXml(xmlGetProp(element, Name(name)));
}

void SetAttribute(xmlNodePtr element, const char* name, const QString& value)
{
    if (!element)
        return;
    const QByteArray utf8 = RemoveXmlIllegalChars(value).toUtf8();
    xmlSetProp(element, Name(name), reinterpret_cast<const xmlChar*>(utf8.constData()));
}

void RemoveAttribute(xmlNodePtr element, const char* name)
{
    if (element)
        xmlUnsetProp(element, Name(name));
}

QString TextContent(xmlNodePtr element)
{
    if (!element)
        return {};
    return FromXml(xmlNodeGetContent(element));
}

void SetTextContent(xmlNodePtr element, const QString& text)
{
    if (!element)
        return;
    while (xmlNodePtr child = element->children) {
        xmlUnlinkNode(child);
        xmlFreeNode(child);
    }
    QString clean = RemoveXmlIllegalChars(text);
    clean.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QByteArray utf8 = clean.toUtf8();
    // Added as text, never parsed: "&" and "<" stay characters.
    xmlNodeAddContentLen(element, reinterpret_cast<const xmlChar*>(utf8.constData()),
                         static_cast<int>(utf8.size()));
}

QString RemoveXmlIllegalChars(const QString& text)
{
    const qsizetype size = text.size();
    // Most texts hold nothing to remove and are given back as they are.
    qsizetype first = 0;
    while (first < size) {
        const char16_t c = text[first].unicode();
        if (QChar::isHighSurrogate(c) && first + 1 < size &&
            QChar::isLowSurrogate(text[first + 1].unicode())) {
            first += 2;
            continue;
        }
        if (QChar::isSurrogate(c) || !IsLegalBmp(c))
            break;
        ++first;
    }
    if (first == size)
        return text;
    QString result;
    result.reserve(size);
    result.append(QStringView(text).first(first));
    for (qsizetype i = first; i < size; ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 < size && QChar::isLowSurrogate(text[i + 1].unicode())) {
                result.append(text[i]);
                result.append(text[i + 1]);
                ++i;
            }
            continue;
        }
        if (QChar::isLowSurrogate(c))
            continue;
        if (IsLegalBmp(c))
            result.append(text[i]);
    }
    return result;
}

xmlNodePtr RootElement(xmlDocPtr document)
{
    return document ? xmlDocGetRootElement(document) : nullptr;
}

QList<xmlNodePtr> ChildElements(xmlNodePtr parent, const char* name)
{
    QList<xmlNodePtr> elements;
    if (!parent)
        return elements;
    for (xmlNodePtr child = parent->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        if (name && xmlStrcmp(child->name, Name(name)) != 0)
            continue;
        elements.append(child);
    }
    return elements;
}

xmlNodePtr AppendElement(xmlNodePtr parent, const char* name)
{
    if (!parent)
        return nullptr;
    return xmlNewChild(parent, nullptr, Name(name), nullptr);
}

QString ElementName(xmlNodePtr element)
{
    if (!element || !element->name)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(element->name));
}

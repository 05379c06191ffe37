#include "Log.h"

#include <ctime>

namespace update {
namespace {

bool ReadAttribute(xmlNodePtr element, const char* name, QString& out)
{
    xmlChar* value = xmlGetProp(element, reinterpret_cast<const xmlChar*>(name));
    if (!value) {
        return false;
    }
    out = QString::fromUtf8(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return true;
}

// Lenient parse of "y/m/d h:m:s" and "yyyy-mm-dd hh:mm:ss": fields need not be
// zero-padded, as the old files write them as plain decimal numbers.
QDateTime ParseLocal(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 2) {
        return {};
    }
    QStringList date = parts[0].split(QLatin1Char('/'));
    if (date.size() != 3) {
        date = parts[0].split(QLatin1Char('-'));
    }
    const QStringList time = parts[1].split(QLatin1Char(':'));
    if (date.size() != 3 || time.size() != 3) {
        return {};
    }
    int v[6];
    const QStringList all = date + time;
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        v[i] = all[i].toInt(&ok);
        if (!ok || all[i].isEmpty()) {
            return {};
        }
    }
    const QDate d(v[0], v[1], v[2]);
    const QTime t(v[3], v[4], v[5]);
    if (!d.isValid() || !t.isValid()) {
        return {};
    }
    return QDateTime(d, t, Qt::LocalTime);
}

// XML 1.0 cannot hold most C0 controls; a file holding one would no longer parse.
QString XmlSafe(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const ushort u = c.unicode();
        if (u < 0x20 && u != 0x09 && u != 0x0A && u != 0x0D) {
            continue;
        }
        if (u == 0xFFFE || u == 0xFFFF) {
            continue;
        }
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
            continue;
        }
        if (c.isSurrogate()) {
            continue;
        }
        out += c;
    }
    return out;
}

}  // namespace

QString TimeZoneSuffix()
{
    tzset();
    const long east = -timezone;  // seconds east of UTC
    const long minutes = (east < 0 ? -east : east) / 60;
    return QStringLiteral("%1%2:%3")
        .arg(east < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QDateTime Log::ZeroDateTime()
{
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0, 0), Qt::LocalTime);
}

void Log::Initialize(const QDateTime& logDate, const QString& category, const QString& link,
                     const QString& text)
{
    logDate_ = logDate;
    category_ = category;
    link_ = link;
    text_ = text;
}

void Log::LoadFromXMLElement(xmlNodePtr element)
{
    if (!element || element->type != XML_ELEMENT_NODE) {
        return;
    }
    QString stamp;
    ReadAttribute(element, "date", stamp);
    stamp = stamp.left(19);
    QDateTime when;
    if (!stamp.isEmpty()) {
        when = ParseLocal(QString(stamp).replace(QLatin1Char('T'), QLatin1Char(' ')));
    } else {
        QString part[6];
        const char* names[6] = {"year", "month", "day", "hour", "minute", "second"};
        for (int i = 0; i < 6; ++i) {
            ReadAttribute(element, names[i], part[i]);
        }
        when = ParseLocal(part[0] + "/" + part[1] + "/" + part[2] + " " + part[3] + ":" +
                          part[4] + ":" + part[5]);
    }
    if (when.isValid()) {
        logDate_ = when;
    }
    ReadAttribute(element, "category", category_);
    ReadAttribute(element, "href", link_);
    xmlChar* content = xmlNodeGetContent(element);
    if (content) {
        QString text = QString::fromUtf8(reinterpret_cast<const char*>(content));
        xmlFree(content);
        // A stray CR (written as a character reference) must not become CR CR LF.
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        text_ = text;
    }
}

QString Log::GetDateString() const
{
    return logDate_.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + TimeZoneSuffix();
}

bool Log::SaveToXMLDocument(xmlDocPtr document) const
{
    xmlNodePtr root = document ? xmlDocGetRootElement(document) : nullptr;
    if (!root) {
        return false;
    }
    xmlNodePtr element = xmlNewDocNode(document, nullptr, BAD_CAST "log", nullptr);
    xmlSetProp(element, BAD_CAST "date", BAD_CAST GetDateString().toUtf8().constData());
    if (!category_.isEmpty()) {
        xmlSetProp(element, BAD_CAST "category",
                   BAD_CAST XmlSafe(category_).toUtf8().constData());
    }
    if (!link_.isEmpty()) {
        xmlSetProp(element, BAD_CAST "href", BAD_CAST XmlSafe(link_).toUtf8().constData());
    }
    // The tree holds LF only; the file writer turns every LF into CR LF.
    QString text = XmlSafe(text_);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!text.isEmpty()) {
        // AddContent, not SetContent: the latter would read "&" as an entity.
        xmlNodeAddContent(element, BAD_CAST text.toUtf8().constData());
    }
    xmlAddChild(root, element);
    return true;
}

}  // namespace update

#include "store/LogExport.h"

#include "env/Ansi.h"
#include "env/AtomicFile.h"
#include "env/System.h"
#include "store/DataFormat.h"
#include "store/LogList.h"
#include "store/XMLFile.h"
#include "store/XmlNode.h"

#include <charconv>
#include <cstring>
#include <string_view>

namespace {

// A value as libxml2's writer puts it into a code page 932 file: in a text
// node only the markup characters and CR are escaped, in an attribute also
// the quote, tab and line breaks; a character the code page does not hold
// becomes a decimal character reference. The tree holds a text's CR LF as
// LF, which the file then has as CR LF.
void AppendValue(QByteArray& out, const QString& value, bool attribute)
{
    const QString clean = RemoveXmlIllegalChars(value);
    const qsizetype size = clean.size();
    // No unit takes more than a reference to a character of the BMP.
    const qsizetype start = out.size();
    out.resize(start + size * qsizetype(sizeof("&#65535;") - 1));
    char* to = out.data() + start;
    const auto put = [&](std::string_view text) {
        std::memcpy(to, text.data(), text.size());
        to += text.size();
    };
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = clean[i].unicode();
        switch (c) {
        case u'<':
            put("&lt;");
            continue;
        case u'>':
            put("&gt;");
            continue;
        case u'&':
            put("&amp;");
            continue;
        case u'"':
            put(attribute ? "&quot;" : "\"");
            continue;
        case u'\t':
            put(attribute ? "&#9;" : "\t");
            continue;
        case u'\n':
            put(attribute ? "&#10;" : "\r\n");
            continue;
        case u'\r':
            if (!attribute && i + 1 < size && clean[i + 1] == u'\n') {
                put("\r\n");
                ++i;
            } else {
                put("&#13;");
            }
            continue;
        default:
            break;
        }
        if (c < 0x80) {
            *to++ = static_cast<char>(c);
            continue;
        }
        // The clean text pairs every surrogate.
        char32_t code = c;
        if (QChar::isHighSurrogate(c))
            code = QChar::surrogateToUcs4(c, clean[++i].unicode());
        if (const int written = WriteAnsiCharacter(code, to)) {
            to += written;
            continue;
        }
        put("&#");
        to = std::to_chars(to, to + 7, static_cast<uint32_t>(code)).ptr;
        *to++ = ';';
    }
    out.truncate(to - out.constData());
}

void AppendAttribute(QByteArray& out, const char* name, const QString& value)
{
    out += ' ';
    out += name;
    out += "=\"";
    AppendValue(out, value, true);
    out += '"';
}

// The element of the record as a new document would hold it.
void AppendElement(QByteArray& out, const ::Log& log, const QString& suffix)
{
    out += '<';
    out += DataFormat::LogElement;
    AppendAttribute(out, DataFormat::DateAttribute, log.LogDate().StampText(suffix));
    if (!log.Category().isEmpty())
        AppendAttribute(out, DataFormat::CategoryAttribute, log.Category());
    if (!log.Link().isEmpty())
        AppendAttribute(out, DataFormat::HrefAttribute, log.Link());
    const qsizetype start = out.size();
    out += '>';
    AppendValue(out, log.Text(), false);
    // A text with no character left gives the tree no text node.
    if (out.size() == start + 1) {
        out.chop(1);
        out += "/>";
        return;
    }
    out += "</";
    out += DataFormat::LogElement;
    out += '>';
}

} // namespace

bool ExportLogs(LogList& book, const DateList& dates, const QString& path, qsizetype* exported)
{
    qsizetype count = 0;
    XMLFile file;
    file.Initialize(path, DataFormat::CharacterEncoding, DataFormat::RootElementName);
    // The declaration and what follows the root come from the empty document,
    // so they are exactly what a save of a whole document writes.
    const QByteArray empty = file.Serialize();
    const QByteArray rootName = DataFormat::RootElementName.toUtf8();
    const QByteArray emptyRoot = '<' + rootName + "/>";
    const qsizetype at = empty.indexOf(emptyRoot);
    if (at < 0)
        return false;

    book.ReadMonthsOf(dates);
    // The bytes go to the file a megabyte at a time: a result of every record
    // would otherwise be held whole beside the records.
    AtomicFileWriter writer(path, NewFileMode::Shared);
    constexpr qsizetype kChunk = 1 << 20;
    QByteArray bytes = empty.left(at);
    bytes.reserve(kChunk + 64 * 1024);
    bool any = false;
    // The suffix now in force, as each new element would be given it.
    const QString suffix = TimeZoneSuffix();
    for (const DateTime& logDate : dates) {
        const ::Log* log = book.Item(logDate);
        if (!log)
            continue;
        if (!any) {
            bytes += '<' + rootName + '>';
            any = true;
        }
        AppendElement(bytes, *log, suffix);
        ++count;
        if (bytes.size() >= kChunk) {
            writer.Write(bytes.constData(), bytes.size());
            bytes.clear();
        }
    }
    if (any)
        bytes += "</" + rootName + '>' + empty.mid(at + emptyRoot.size());
    else
        bytes = empty;
    writer.Write(bytes.constData(), bytes.size());
    if (!writer.Commit())
        return false;
    if (exported)
        *exported = count;
    return true;
}

#include "store/LogExport.h"

#include "env/AtomicFile.h"
#include "store/DataFormat.h"
#include "store/LogList.h"
#include "store/XMLFile.h"

#include <cstring>
#include <libxml/encoding.h>
#include <libxml/xmlsave.h>

namespace {

// The tree holds line breaks as LF and the files have CR LF, as XMLFile
// writes them; 0x0A is never part of a multi-byte character here.
int AppendWithCrLf(void* context, const char* buffer, int length)
{
    auto* bytes = static_cast<QByteArray*>(context);
    const char* const end = buffer + length;
    for (const char* from = buffer; from < end;) {
        const auto* lf = static_cast<const char*>(std::memchr(from, '\n', end - from));
        if (!lf) {
            bytes->append(from, end - from);
            break;
        }
        bytes->append(from, lf - from).append("\r\n", 2);
        from = lf + 1;
    }
    return length;
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
    const QByteArray encoding = DataFormat::CharacterEncoding.toUtf8();
    xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(encoding.constData());
    xmlOutputBufferPtr output = xmlOutputBufferCreateIO(AppendWithCrLf, nullptr, &bytes, handler);
    if (!output)
        return false;
    xmlDocPtr document = file.Document();
    for (const DateTime& logDate : dates) {
        const ::Log* log = book.Item(logDate);
        if (!log)
            continue;
        if (!any) {
            xmlOutputBufferFlush(output);
            bytes += '<' + rootName + '>';
            any = true;
        }
        // One element in the tree at a time: written, then freed.
        xmlNodePtr element = log->SaveToXMLDocument(document);
        if (!element)
            continue;
        xmlNodeDumpOutput(output, document, element, 0, 0, encoding.constData());
        ++count;
        xmlUnlinkNode(element);
        xmlFreeNode(element);
        if (bytes.size() >= kChunk) {
            writer.Write(bytes.constData(), bytes.size());
            bytes.clear();
        }
    }
    const bool written = xmlOutputBufferClose(output) >= 0;
    if (!written)
        return false;
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

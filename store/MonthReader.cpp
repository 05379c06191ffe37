#include "store/MonthReader.h"

#include <QFile>

#include <libxml/xmlreader.h>

#include <atomic>
#include <cerrno>
#include <iconv.h>
#include <thread>

namespace {

// The declaration every data file starts with; other files go the exact way.
const QByteArray kDeclaration("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>");

void IgnoreError(void*, xmlErrorPtr) {}
void IgnoreGenericError(void*, const char*, ...) {}

class Reader {
public:
    explicit Reader(const QByteArray& utf8)
        : reader_(xmlReaderForMemory(utf8.constData(), static_cast<int>(utf8.size()), nullptr,
                                     "UTF-8",
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                                         XML_PARSE_HUGE | XML_PARSE_IGNORE_ENC))
    {
        if (reader_)
            xmlTextReaderSetStructuredErrorHandler(reader_, IgnoreError, nullptr);
    }
    ~Reader() { xmlFreeTextReader(reader_); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    xmlTextReaderPtr get() const { return reader_; }

private:
    xmlTextReaderPtr reader_;
};

const char* Chars(const xmlChar* text)
{
    return reinterpret_cast<const char*>(text);
}

// The attributes of a record element; false for a form the tree reads
// differently (prefixed names, namespace declarations).
bool ReadAttributes(xmlTextReaderPtr reader, QByteArray* date, QByteArray* category,
                    QByteArray* href, bool* hasDate, bool* hasCategory, bool* hasHref)
{
    *hasDate = *hasCategory = *hasHref = false;
    for (int more = xmlTextReaderMoveToFirstAttribute(reader); more == 1;
         more = xmlTextReaderMoveToNextAttribute(reader)) {
        const xmlChar* name = xmlTextReaderConstName(reader);
        if (!name || xmlTextReaderConstPrefix(reader) || xmlTextReaderIsNamespaceDecl(reader))
            return false;
        const char* value = Chars(xmlTextReaderConstValue(reader));
        const QByteArray bytes = value ? QByteArray(value) : QByteArray("");
        if (xmlStrEqual(name, BAD_CAST "date")) {
            *date = bytes;
            *hasDate = true;
        } else if (xmlStrEqual(name, BAD_CAST "category")) {
            *category = bytes;
            *hasCategory = true;
        } else if (xmlStrEqual(name, BAD_CAST "href")) {
            *href = bytes;
            *hasHref = true;
        }
    }
    xmlTextReaderMoveToElement(reader);
    return true;
}

bool ParseRecords(const QByteArray& utf8, std::vector<::Log>* logs)
{
    Reader holder(utf8);
    xmlTextReaderPtr reader = holder.get();
    if (!reader)
        return false;
    bool root = false;
    bool inRecord = false;
    QByteArray date, category, href, text;
    bool hasDate = false, hasCategory = false, hasHref = false;
    const auto finish = [&] {
        ::Log log;
        log.LoadFromParsedElement(hasDate ? date.constData() : nullptr,
                                  hasCategory ? category.constData() : nullptr,
                                  hasHref ? href.constData() : nullptr, text);
        logs->push_back(std::move(log));
        inRecord = false;
    };
    int status = 0;
    while ((status = xmlTextReaderRead(reader)) == 1) {
        const int type = xmlTextReaderNodeType(reader);
        const int depth = xmlTextReaderDepth(reader);
        switch (type) {
        case XML_READER_TYPE_ELEMENT:
            if (depth == 0) {
                root = true;
            } else if (depth == 1) {
                if (!ReadAttributes(reader, &date, &category, &href, &hasDate, &hasCategory,
                                    &hasHref))
                    return false;
                text.clear();
                inRecord = true;
                if (xmlTextReaderIsEmptyElement(reader))
                    finish();
            } else {
                // Nested elements give their text to the record, as the tree's
                // content does; their attributes do not count.
                if (xmlTextReaderHasAttributes(reader) == 1) {
                    for (int more = xmlTextReaderMoveToFirstAttribute(reader); more == 1;
                         more = xmlTextReaderMoveToNextAttribute(reader)) {
                        if (xmlTextReaderConstPrefix(reader) ||
                            xmlTextReaderIsNamespaceDecl(reader))
                            return false;
                    }
                    xmlTextReaderMoveToElement(reader);
                }
            }
            break;
        case XML_READER_TYPE_END_ELEMENT:
            if (depth == 1 && inRecord)
                finish();
            break;
        case XML_READER_TYPE_TEXT:
        case XML_READER_TYPE_CDATA:
        case XML_READER_TYPE_WHITESPACE:
        case XML_READER_TYPE_SIGNIFICANT_WHITESPACE:
            if (inRecord && depth >= 2) {
                if (const xmlChar* value = xmlTextReaderConstValue(reader))
                    text.append(Chars(value));
            }
            break;
        case XML_READER_TYPE_COMMENT:
        case XML_READER_TYPE_PROCESSING_INSTRUCTION:
        case XML_READER_TYPE_END_ENTITY:
            break;
        default:
            // Document types, entity references and the like: the exact way.
            return false;
        }
    }
    return status == 0 && root && !inRecord;
}

} // namespace

std::optional<QByteArray> DecodeCp932ToUtf8(const QByteArray& bytes)
{
    // One converter per call: calls run on several threads at once.
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    // A two-byte character becomes at most three bytes of UTF-8.
    QByteArray out(bytes.size() * 2 + 16, Qt::Uninitialized);
    char* in = const_cast<char*>(bytes.constData());
    size_t left = static_cast<size_t>(bytes.size());
    char* to = out.data();
    size_t room = static_cast<size_t>(out.size());
    bool ok = true;
    while (left > 0) {
        if (iconv(cd, &in, &left, &to, &room) != static_cast<size_t>(-1))
            continue;
        if (errno != E2BIG) {
            ok = false;
            break;
        }
        const qsizetype used = to - out.data();
        out.resize(out.size() * 2);
        to = out.data() + used;
        room = static_cast<size_t>(out.size() - used);
    }
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    out.truncate(to - out.data());
    return out;
}

MonthRecords ReadMonthRecords(const QString& path)
{
    MonthRecords month;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return month;
    const QByteArray bytes = file.readAll();
    file.close();
    if (!bytes.startsWith(kDeclaration) || bytes.contains("<!DOCTYPE"))
        return month;
    const std::optional<QByteArray> utf8 = DecodeCp932ToUtf8(bytes);
    if (!utf8)
        return month;
    // libxml2's generic error channel is per thread; the caller's is kept.
    const xmlGenericErrorFunc function = xmlGenericError;
    void* const context = xmlGenericErrorContext;
    xmlSetGenericErrorFunc(nullptr, IgnoreGenericError);
    month.read = ParseRecords(*utf8, &month.logs);
    xmlSetGenericErrorFunc(context, function);
    if (!month.read)
        month.logs.clear();
    return month;
}

std::vector<MonthRecords> ReadMonthsRecords(const QStringList& paths)
{
    std::vector<MonthRecords> months(static_cast<size_t>(paths.size()));
    if (paths.isEmpty())
        return months;
    xmlInitParser();
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const auto workers = static_cast<qsizetype>(std::min<qsizetype>(cores, paths.size()));
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        for (qsizetype i = next++; i < paths.size(); i = next++)
            months[static_cast<size_t>(i)] = ReadMonthRecords(paths[i]);
    };
    std::vector<std::thread> threads;
    for (qsizetype i = 1; i < workers; ++i)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();
    return months;
}

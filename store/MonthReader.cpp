#include "store/MonthReader.h"

#include "store/DataFormat.h"

#include "env/Ansi.h"
#include "env/FSOHelper.h"

#include <libxml/xmlreader.h>

#include <atomic>
#include <limits>
#include <optional>
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
        if (xmlStrEqual(name, BAD_CAST DataFormat::DateAttribute)) {
            *date = bytes;
            *hasDate = true;
        } else if (xmlStrEqual(name, BAD_CAST DataFormat::CategoryAttribute)) {
            *category = bytes;
            *hasCategory = true;
        } else if (xmlStrEqual(name, BAD_CAST DataFormat::HrefAttribute)) {
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

// Code page 932 bytes as UTF-8; nullopt when a byte sequence is not code page 932.
std::optional<QByteArray> DecodeCp932ToUtf8(const QByteArray& bytes)
{
    // A byte becomes at most three bytes of UTF-8 (a half-width katakana), a
    // two-byte character at most three as well.
    if (bytes.size() > (std::numeric_limits<int>::max() - 16) / 3)
        return std::nullopt; // the converter counts in int; XMLFile reads such a file
    QByteArray out(bytes.size() * 3 + 16, Qt::Uninitialized);
    int outLength = static_cast<int>(out.size());
    int inLength = static_cast<int>(bytes.size());
    if (Cp932ToUtf8(reinterpret_cast<unsigned char*>(out.data()), &outLength,
                    reinterpret_cast<const unsigned char*>(bytes.constData()), &inLength) != 0 ||
        inLength != bytes.size())
        return std::nullopt;
    out.truncate(outLength);
    return out;
}

} // namespace

MonthRecords ReadMonthRecords(const std::filesystem::path& path)
{
    MonthRecords month;
    QByteArray bytes;
    if (!ReadRegularFile(path, bytes))
        return month;
    // The text reader feeds its parser in small pieces and rescans a long text
    // or attribute for each of them, so a file holding a record of megabytes
    // would take minutes; the tree reads such a file in a moment.
    constexpr qsizetype kLargestStreamed = 4 * 1024 * 1024;
    if (!bytes.startsWith(kDeclaration) || bytes.contains("<!DOCTYPE") ||
        bytes.size() > kLargestStreamed)
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

std::vector<MonthRecords> ReadMonthsRecords(const std::vector<std::filesystem::path>& paths)
{
    std::vector<MonthRecords> months(paths.size());
    if (paths.empty())
        return months;
    xmlInitParser();
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t workers = std::min<size_t>(cores, paths.size());
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i = next++; i < paths.size(); i = next++)
            months[i] = ReadMonthRecords(paths[i]);
    };
    std::vector<std::thread> threads;
    for (size_t i = 1; i < workers; ++i)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();
    return months;
}

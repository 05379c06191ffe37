#include "store/XMLFile.h"

#include "env/Ansi.h"
#include "env/AtomicFile.h"
#include "env/FSOHelper.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <libxml/SAX2.h>
#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <algorithm>

namespace {

const QString kErrorHeading = QStringLiteral("XML データファイルの操作中に不具合が生じました。");
// Month files keep all their records on one line, so the source line is cut
// to a window around the error column to keep the message box readable.
constexpr qsizetype kSourceWindow = 120;
const QString kCut = QStringLiteral("…");

// What the parser reported: the first error (later ones are often its
// consequences) and whether the DOCTYPE guard stopped it.
struct ParseState {
    bool doctype = false;
    bool failed = false;
    QString reason;
    int line = 0;
    int column = 0;
};

void RecordError(void* context, xmlErrorPtr error)
{
    auto* parser = static_cast<xmlParserCtxtPtr>(context);
    auto* state = parser ? static_cast<ParseState*>(parser->_private) : nullptr;
    if (!state || state->failed || !error || error->level < XML_ERR_ERROR)
        return;
    state->failed = true;
    state->reason = QString::fromUtf8(error->message ? error->message : "").trimmed();
    state->line = error->line;
    state->column = error->int2;
}

// A document type declaration could define entities or pull in a DTD, so a
// data file with one is refused before its internal subset is read.
void RejectDoctype(void* context, const xmlChar*, const xmlChar*, const xmlChar*)
{
    auto* parser = static_cast<xmlParserCtxtPtr>(context);
    auto* state = static_cast<ParseState*>(parser->_private);
    if (state && !state->doctype && !state->failed) {
        state->doctype = true;
        state->failed = true;
        state->reason = QStringLiteral("a document type declaration is not allowed in a data file");
        state->line = xmlSAX2GetLineNumber(context);
        state->column = xmlSAX2GetColumnNumber(context);
    }
    xmlStopParser(parser);
}

// The source text of a 1-based line, decoded as the file declares itself.
QString SourceLine(const QByteArray& bytes, int line)
{
    if (line < 1)
        return {};
    const QList<QByteArray> lines = bytes.split('\n');
    if (line > lines.size())
        return {};
    QByteArray text = lines[line - 1];
    if (text.endsWith('\r'))
        text.chop(1);
    static const QRegularExpression declaration(
        QStringLiteral("^(\\xEF\\xBB\\xBF)?<\\?xml[^>]*encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
    const QRegularExpressionMatch match = declaration.match(QString::fromLatin1(bytes.left(200)));
    const bool ansi = match.hasMatch() && match.captured(1).isEmpty() &&
                      !match.captured(2).startsWith(QStringLiteral("utf"), Qt::CaseInsensitive);
    if (line == 1 && text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    return ansi ? DecodeAnsi(text) : QString::fromUtf8(text);
}

// About kSourceWindow characters of the line around the 1-based column, with
// a mark where the line was cut; a surrogate pair is never split.
QString SourceWindow(const QString& line, int column)
{
    if (line.size() <= kSourceWindow)
        return line;
    const qsizetype at = std::clamp<qsizetype>(column - 1, 0, line.size());
    qsizetype begin = std::clamp<qsizetype>(at - kSourceWindow / 2, 0, line.size() - kSourceWindow);
    qsizetype end = begin + kSourceWindow;
    if (begin > 0 && line[begin].isLowSurrogate())
        ++begin;
    if (end < line.size() && line[end].isLowSurrogate())
        ++end;
    return (begin > 0 ? kCut : QString()) + line.mid(begin, end - begin) +
           (end < line.size() ? kCut : QString());
}

// The file as the user knows it: below the given folder when it lies there.
QString ShownName(const QString& filePath, const QString& folder)
{
    if (folder.isEmpty())
        return filePath;
    const QString relative = QDir(folder).relativeFilePath(filePath);
    return relative.startsWith(QStringLiteral("../")) ? filePath : relative;
}

// libxml2 also prints some errors (encoding failures) through its generic
// channel, which XML_PARSE_NOERROR does not reach; they are reported here instead.
void IgnoreGenericError(void*, const char*, ...) {}

class QuietGenericErrors {
public:
    QuietGenericErrors() : function_(xmlGenericError), context_(xmlGenericErrorContext)
    {
        xmlSetGenericErrorFunc(nullptr, IgnoreGenericError);
    }
    ~QuietGenericErrors() { xmlSetGenericErrorFunc(context_, function_); }
    QuietGenericErrors(const QuietGenericErrors&) = delete;
    QuietGenericErrors& operator=(const QuietGenericErrors&) = delete;

private:
    xmlGenericErrorFunc function_;
    void* context_;
};

bool ByteOriented(const char* encoding)
{
    if (!encoding)
        return true;
    const QByteArray name = QByteArray(encoding).toUpper();
    return !name.startsWith("UTF-16") && !name.startsWith("UTF16") && !name.startsWith("UCS") &&
           !name.startsWith("UTF-32");
}

} // namespace

void RegisterShiftJisAliases()
{
    static const bool registered = [] {
        // The project's own converter, found before iconv's: it writes a character
        // the code page only approximates as a reference instead of its neighbour.
        xmlNewCharEncodingHandler("CP932", Cp932ToUtf8, Utf8ToCp932);
        for (const char* name :
             {"Shift_JIS", "SHIFT-JIS", "SHIFT_JIS", "SJIS", "MS_Kanji", "Windows-31J"})
            xmlAddEncodingAlias("CP932", name);
        return true;
    }();
    Q_UNUSED(registered);
}

XMLFile::XMLFile() : document_(xmlNewDoc(BAD_CAST "1.0"))
{
    RegisterShiftJisAliases();
}

XMLFile::~XMLFile()
{
    xmlFreeDoc(document_);
}

void XMLFile::ReplaceDocument(xmlDocPtr document)
{
    xmlFreeDoc(document_);
    document_ = document ? document : xmlNewDoc(BAD_CAST "1.0");
}

void XMLFile::Initialize(const QString& filePath, const QString& characterEncoding,
                         const QString& rootElementName)
{
    xmlDocPtr document = xmlNewDoc(BAD_CAST "1.0");
    if (!characterEncoding.isEmpty())
        document->encoding = xmlStrdup(BAD_CAST characterEncoding.toUtf8().constData());
    const QByteArray rootName = rootElementName.toUtf8();
    xmlDocSetRootElement(document,
                         xmlNewDocNode(document, nullptr, BAD_CAST rootName.constData(), nullptr));
    ReplaceDocument(document);
    loadFailed_ = false;
    loadError_.clear();
    path_ = filePath;
}

bool XMLFile::LoadFromFile(const QString& filePath, const std::filesystem::path& nativePath,
                           const QString& shownFolder)
{
    RegisterShiftJisAliases();
    loadFailed_ = false;
    loadError_.clear();

    QString reason;
    int line = 0;
    int column = 0;
    QByteArray bytes;
    xmlDocPtr document = nullptr;

    QString readError;
    const bool read = nativePath.empty() ? ReadRegularFile(filePath, bytes, &readError)
                                         : ReadRegularFile(nativePath, bytes, &readError);
    if (!read) {
        reason = QStringLiteral("failed to open \"%1\": %2").arg(filePath, readError);
    } else {
        ParseState state;
        const QuietGenericErrors quiet;
        xmlParserCtxtPtr parser = xmlNewParserCtxt();
        if (!parser) {
            reason = QStringLiteral("out of memory");
        } else {
            parser->sax->internalSubset = RejectDoctype;
            parser->sax->serror = RecordError;
            parser->_private = &state;
            const QByteArray url = QFile::encodeName(filePath);
            document = xmlCtxtReadMemory(
                parser, bytes.constData(), static_cast<int>(bytes.size()), url.constData(), nullptr,
                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE);
            if (state.failed) {
                reason = state.reason.isEmpty() ? QStringLiteral("the document is not well-formed")
                                                : state.reason;
                line = state.line;
                column = state.column;
            } else if (!document || !parser->wellFormed || !xmlDocGetRootElement(document)) {
                const xmlError* error = xmlCtxtGetLastError(parser);
                if (error && error->message) {
                    reason = QString::fromUtf8(error->message).trimmed();
                    line = error->line;
                    column = error->int2;
                } else {
                    reason = QStringLiteral("the document is not well-formed");
                }
            }
            if (!reason.isEmpty() && document) {
                xmlFreeDoc(document);
                document = nullptr;
            }
            xmlFreeParserCtxt(parser);
        }
    }

    ReplaceDocument(document);
    if (!reason.isEmpty()) {
        loadFailed_ = true;
        loadError_ = kErrorHeading + QStringLiteral("\r\nファイル：") +
                     ShownName(filePath, shownFolder) +
                     QStringLiteral("\r\n内容を XML として読み取れません。理由（英語）：") +
                     reason + QStringLiteral("\r\n") + QString::number(line) +
                     QStringLiteral("行 ") + QString::number(column) + QStringLiteral("桁：") +
                     SourceWindow(SourceLine(bytes, line), column);
    }
    path_ = filePath;
    return !loadFailed_;
}

bool XMLFile::HasRootElement() const
{
    return document_ && xmlDocGetRootElement(document_) != nullptr;
}

QByteArray XMLFile::Serialize() const
{
    if (!document_)
        return {};
    RegisterShiftJisAliases();
    xmlChar* buffer = nullptr;
    int size = 0;
    const char* encoding = reinterpret_cast<const char*>(document_->encoding);
    const QuietGenericErrors quiet;
    xmlDocDumpFormatMemoryEnc(document_, &buffer, &size, encoding, 0);
    if (!buffer)
        return {};
    QByteArray bytes(reinterpret_cast<const char*>(buffer), size);
    xmlFree(buffer);
    // The tree holds line breaks as LF; the files have CR LF as the Windows
    // program writes them. 0x0A is never part of a multi-byte character here.
    if (ByteOriented(encoding))
        bytes.replace("\n", "\r\n");
    return bytes;
}

bool XMLFile::SaveToFile(const QString& filePath, NewFileMode newFileMode)
{
    path_ = filePath;
    if (!HasRootElement())
        return false;
    const QByteArray bytes = Serialize();
    if (bytes.isEmpty())
        return false;
    return WriteFileAtomically(filePath, bytes, nullptr, newFileMode);
}

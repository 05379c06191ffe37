#include "store/XMLFile.h"

#include "env/Ansi.h"
#include "env/AtomicFile.h"
#include "env/FSOHelper.h"
#include "env/Folders.h"
#include "env/MessageService.h"

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

namespace {

const QString kErrorHeading = QStringLiteral("XML データファイルの操作中に不具合が生じました。");

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

void XMLFile::LoadFromFile(const QString& filePath, const std::filesystem::path& nativePath)
{
    RegisterShiftJisAliases();
    loadFailed_ = false;
    loadError_.clear();

    QString reason;
    int line = 0;
    int column = 0;
    QByteArray bytes;
    xmlDocPtr document = nullptr;

    QFile file;
    const std::filesystem::path native = nativePath.empty() ? NativePath(filePath) : nativePath;
    const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        reason = QStringLiteral("failed to open \"%1\": %2")
                     .arg(filePath, QString::fromLocal8Bit(std::strerror(errno)));
        if (fd >= 0)
            ::close(fd);
    } else {
        bytes = file.readAll();
        file.close();
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
            document = xmlCtxtReadMemory(parser, bytes.constData(), static_cast<int>(bytes.size()),
                                         url.constData(), nullptr,
                                         XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
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
        loadError_ = kErrorHeading + QStringLiteral("\r\n") + reason + QStringLiteral("\r\n") +
                     QString::number(line) + QStringLiteral("行 ") + QString::number(column) +
                     QStringLiteral("桁：") + SourceLine(bytes, line);
        ReportParseError();
    }
    path_ = filePath;
}

void XMLFile::ReportParseError()
{
    if (loadFailed_)
        ShowMessage(loadError_, ApplicationTitle(), MessageIcon::Information, MessageButtons::Ok);
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

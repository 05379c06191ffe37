#include "Migrator.h"

#include "env/MessageService.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/xmlsave.h>

#include <algorithm>
#include <memory>

namespace update {

const QString Migrator::SettingsFileName = QStringLiteral("Quillmere.ini");
const QString Migrator::Caption = QStringLiteral("Quillmere ver 1.3 データ移行ツール");

namespace {

struct DocDeleter {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocDeleter>;

struct ParseResult {
    DocPtr doc;
    QString error;
};

ParseResult Parse(const QString& path)
{
    RegisterCodePage932();
    ParseResult result;
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (!ctxt) {
        result.error = QStringLiteral("out of memory");
        return result;
    }
    const QByteArray native = QFile::encodeName(path);
    xmlDocPtr doc = xmlCtxtReadFile(ctxt, native.constData(), nullptr,
                                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (doc && doc->intSubset) {
        // A DOCTYPE never occurs in a data file and could pull in entities.
        xmlFreeDoc(doc);
        doc = nullptr;
        result.error = QStringLiteral("DOCTYPE は使用できません。");
    }
    if (!doc && result.error.isEmpty()) {
        const xmlError* err = xmlCtxtGetLastError(ctxt);
        if (err) {
            result.error = QStringLiteral("%1 (%2 行目, %3 文字目)")
                               .arg(QString::fromUtf8(err->message ? err->message : "").trimmed())
                               .arg(err->line)
                               .arg(err->int2);
        } else {
            result.error = QStringLiteral("ファイルを読み込めません。");
        }
    }
    if (doc && !xmlDocGetRootElement(doc)) {
        xmlFreeDoc(doc);
        doc = nullptr;
        result.error = QStringLiteral("ルート要素がありません。");
    }
    result.doc.reset(doc);
    xmlFreeParserCtxt(ctxt);
    return result;
}

// Written to a temporary file in the same folder and renamed over the old one,
// so an interrupted run leaves the old file or the new one, never half of it.
bool SaveAtomically(xmlDocPtr doc, const QString& path)
{
    QFileInfo info(path);
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner)) {
        return false;  // a read-only file stays, even for root
    }
    xmlChar* buffer = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc, &buffer, &size, "Shift_JIS", 0);
    if (!buffer) {
        return false;
    }
    QByteArray bytes(reinterpret_cast<const char*>(buffer), size);
    xmlFree(buffer);
    // 0x0A is never a trail byte of code page 932, so this only touches line breaks.
    bytes.replace("\n", "\r\n");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace

void RegisterCodePage932()
{
    static const bool done = [] {
        for (const char* name : {"Shift_JIS", "SHIFT-JIS", "SJIS", "MS_Kanji", "Windows-31J"}) {
            xmlAddEncodingAlias("CP932", name);
        }
        return true;
    }();
    (void)done;
}

Migrator::Migrator(const QString& folder) : folder_(QDir::cleanPath(folder)) {}

QStringList Migrator::FindDataFiles() const
{
    QStringList files;
    const QDir root(folder_);
    for (const QFileInfo& sub : root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        QDirIterator it(sub.filePath(), {QStringLiteral("*.diary")}, QDir::Files | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            files << it.next();
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

void Migrator::MigrateSettingsFile() const
{
    const QString old = folder_ + QLatin1Char('/') + SettingsFileName;
    if (!QFileInfo(old).isFile()) {
        return;
    }
    const QDir root(folder_);
    for (const QFileInfo& sub : root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString name = sub.fileName();
        if (name == QLatin1String("manual") || name == QLatin1String("icons")) {
            continue;
        }
        // QFile::copy never overwrites; a folder that has its own settings keeps them.
        QFile::copy(old, sub.filePath() + QLatin1Char('/') + SettingsFileName);
    }
    QFile::remove(old);
}

QList<Log> Migrator::ReadRecords(const QString& path, bool* ok) const
{
    QList<Log> records;
    ParseResult parsed = Parse(path);
    if (ok) {
        *ok = static_cast<bool>(parsed.doc);
    }
    if (!parsed.doc) {
        ShowMessage(QStringLiteral("データファイルの読み込みに失敗しました。\r\n%1\r\n%2")
                        .arg(QDir::toNativeSeparators(path), parsed.error),
                    Caption, MessageIcon::Critical);
        return records;
    }
    // Comments and processing instructions do not hold records and are passed over.
    for (xmlNodePtr child = xmlDocGetRootElement(parsed.doc.get())->children; child;
         child = child->next) {
        if (child->type != XML_ELEMENT_NODE) {
            continue;
        }
        Log log;
        log.LoadFromXMLElement(child);
        records.append(log);
    }
    return records;
}

bool Migrator::ConvertDataFile(const QString& path) const
{
    bool ok = false;
    const QList<Log> records = ReadRecords(path, &ok);
    if (!ok) {
        return false;  // nothing readable: replacing it would lose the user's data
    }
    DocPtr doc(xmlNewDoc(BAD_CAST "1.0"));
    xmlNodePtr root = xmlNewDocNode(doc.get(), nullptr, BAD_CAST "diary", nullptr);
    xmlDocSetRootElement(doc.get(), root);
    for (const Log& log : records) {
        log.SaveToXMLDocument(doc.get());
    }
    return SaveAtomically(doc.get(), path);
}

}  // namespace update

#pragma once
// One data file held in memory as a libxml2 document.
#include "env/AtomicFile.h"
#include "store/XmlTypes.h"

#include <QString>

#include <filesystem>

// Makes every Shift_JIS name of the parser and writer mean code page 932, as
// the Windows program wrote its files, converted by env/Ansi.h. Safe to call
// more than once.
void RegisterShiftJisAliases();

class XMLFile {
public:
    XMLFile();
    ~XMLFile();
    XMLFile(const XMLFile&) = delete;
    XMLFile& operator=(const XMLFile&) = delete;

    // A new, empty data file in memory: the declaration (with the encoding
    // when one is given) and an empty root element. Nothing is written.
    void Initialize(const QString& filePath, const QString& characterEncoding,
                    const QString& rootElementName);
    // Replaces the document by the parsed file. False when the file cannot be
    // read or parsed: LoadError() then tells why, for the user, and the
    // document is empty, without a root element. nativePath, when given, is the file's
    // name as the file system's bytes (filePath is then its text form). The
    // message names the file relative to shownFolder when it lies below it,
    // else by its whole path.
    bool LoadFromFile(const QString& filePath, const std::filesystem::path& nativePath = {},
                      const QString& shownFolder = {});
    // Writes the document atomically; true when the file was written. Shows no
    // message. A document without a root element (a failed load) is never
    // written, so an unreadable file on disk is not replaced by an empty one.
    // A new file is private unless newFileMode says otherwise.
    bool SaveToFile(const QString& filePath, NewFileMode newFileMode = NewFileMode::Private);

    const QString& Path() const { return path_; }
    xmlDocPtr Document() const { return document_; }
    bool HasRootElement() const;
    // Whether the last load failed; false when the document was never loaded.
    bool LoadFailed() const { return loadFailed_; }
    // The message text of the last failed load; empty otherwise.
    const QString& LoadError() const { return loadError_; }

    // The bytes SaveToFile writes: the dump in the declared encoding with CR LF lines.
    QByteArray Serialize() const;

private:
    void ReplaceDocument(xmlDocPtr document);

    QString path_;
    xmlDocPtr document_ = nullptr;
    bool loadFailed_ = false;
    QString loadError_;
};

#pragma once
#include "store/XMLFile.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

// The data files the record book has opened, each held once, so every change to
// a month goes into the same document. Paths are compared without regard to
// letter case; entries keep the order in which they were added.
class XMLFileList {
public:
    XMLFileList();
    ~XMLFileList();
    XMLFileList(const XMLFileList&) = delete;
    XMLFileList& operator=(const XMLFileList&) = delete;

    // The file held under the path, or nullptr.
    XMLFile* Item(const QString& filePath) const;
    // A new, empty document in memory (nothing is written). nullptr when the path
    // is held already; the set is then unchanged.
    XMLFile* CreateNewFile(const QString& filePath, const QString& characterEncoding,
                           const QString& rootElementName);
    bool Has(const QString& filePath) const;
    // Reads the file unless it is held already. A file that did not parse is kept
    // as well (with an empty document), so it is not read again. nativePath and
    // shownFolder as in XMLFile::LoadFromFile.
    XMLFile* LoadFile(const QString& filePath, const std::filesystem::path& nativePath = {},
                      const QString& shownFolder = {});
    // False when the path is not held.
    bool UnloadFile(const QString& filePath);
    void Clear();
    qsizetype Count() const { return static_cast<qsizetype>(files_.size()); }
    // In adding order.
    XMLFile* At(qsizetype index) const { return files_[static_cast<size_t>(index)].get(); }

private:
    XMLFile* AddFile(std::unique_ptr<XMLFile> file);

    std::vector<std::unique_ptr<XMLFile>> files_;
    QHash<QString, qsizetype> index_; // folded path -> position in files_
};

#include "store/XMLFileList.h"

namespace {

QString PathKey(const QString& path)
{
    return path.toCaseFolded();
}

} // namespace

XMLFileList::XMLFileList() = default;
XMLFileList::~XMLFileList() = default;

XMLFile* XMLFileList::Item(const QString& filePath) const
{
    const auto found = index_.constFind(PathKey(filePath));
    return found == index_.cend() ? nullptr : files_[static_cast<size_t>(found.value())].get();
}

bool XMLFileList::Has(const QString& filePath) const
{
    return index_.contains(PathKey(filePath));
}

XMLFile* XMLFileList::AddFile(std::unique_ptr<XMLFile> file)
{
    index_.insert(PathKey(file->Path()), static_cast<qsizetype>(files_.size()));
    files_.push_back(std::move(file));
    return files_.back().get();
}

XMLFile* XMLFileList::CreateNewFile(const QString& filePath, const QString& characterEncoding,
                                    const QString& rootElementName)
{
    if (Has(filePath))
        return nullptr;
    auto file = std::make_unique<XMLFile>();
    file->Initialize(filePath, characterEncoding, rootElementName);
    return AddFile(std::move(file));
}

XMLFile* XMLFileList::LoadFile(const QString& filePath, const std::filesystem::path& nativePath,
                               const QString& shownFolder)
{
    if (XMLFile* held = Item(filePath))
        return held;
    auto file = std::make_unique<XMLFile>();
    file->LoadFromFile(filePath, nativePath, shownFolder);
    return AddFile(std::move(file));
}

bool XMLFileList::UnloadFile(const QString& filePath)
{
    const auto found = index_.constFind(PathKey(filePath));
    if (found == index_.cend())
        return false;
    const qsizetype position = found.value();
    index_.erase(found);
    files_.erase(files_.begin() + position);
    // Entries after the removed one moved up by one.
    for (auto& value : index_) {
        if (value > position)
            --value;
    }
    return true;
}

void XMLFileList::Clear()
{
    index_.clear();
    files_.clear();
}

#include "ui/main/LinkRules.h"

#include "env/FSOHelper.h"
#include "env/FileStringManager.h"

#include <QMimeData>
#include <QObject>
#include <QUrl>

namespace LinkRules {

bool IsBlank(const QString& text)
{
    for (const QChar c : text) {
        if (c != u' ')
            return false;
    }
    return true;
}

bool IsLinkTarget(const QString& text)
{
    if (text.isEmpty())
        return false;
    return FolderExists(text) || IsURL(text) || FileExists(text);
}

std::optional<bool> PassesPathType(const QString& text, int pathType)
{
    switch (pathType) {
    case ExistingFile:
        return FileExists(text);
    case ExistingFolder:
        return FolderExists(text);
    case Url:
        return IsURL(text);
    case AnyTarget:
        return IsURL(text) || FileExists(text) || FolderExists(text);
    default:
        return std::nullopt;
    }
}

DroppedData ReadDrop(const QMimeData* data)
{
    if (!data)
        return {};
    if (data->hasUrls()) {
        const QList<QUrl> urls = data->urls();
        for (const QUrl& url : urls) {
            if (url.isLocalFile())
                return {DroppedData::File, url.toLocalFile()};
        }
    }
    if (data->hasText())
        return {DroppedData::Text, data->text()};
    return {};
}

bool StartedInside(const QObject* source, const QObject* widget)
{
    for (; source; source = source->parent()) {
        if (source == widget)
            return true;
    }
    return false;
}

} // namespace LinkRules

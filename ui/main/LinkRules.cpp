#include "ui/main/LinkRules.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace LinkRules {
namespace {

ShellOpener& Opener()
{
    static ShellOpener opener;
    return opener;
}

bool OpenWithDesktop(const QString& target)
{
    // Local paths become file URLs; a path is never glued into a command
    // line, so texts like "$(...)" or "a; b" are only names.
    QUrl url;
    if (IsURL(target)) {
        url = QUrl(target, QUrl::TolerantMode);
    } else {
        QString path = target;
        if (!QFileInfo::exists(path)) path = TrimSpaces(target);
        url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    }
    if (!url.isValid()) return false;
    return QDesktopServices::openUrl(url);
}

}  // namespace

QString TrimSpaces(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' ')) ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' ')) --end;
    return text.mid(begin, end - begin);
}

bool HasDoubleByteChars(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) continue;
        if (u >= 0xFF61 && u <= 0xFF9F) continue;
        return true;
    }
    return false;
}

bool IsURL(const QString& text)
{
    static const char* const schemes[] = {"http:", "https:", "mailto:", "file:", "ftp:"};
    bool prefixed = false;
    for (const char* scheme : schemes) {
        if (text.startsWith(QLatin1String(scheme), Qt::CaseSensitive)) {
            prefixed = true;
            break;
        }
    }
    return prefixed && !HasDoubleByteChars(text);
}

bool FileExists(const QString& text)
{
    if (text.isEmpty()) return false;
    const QFileInfo info(text);
    return info.exists() && info.isFile();
}

bool FolderExists(const QString& text)
{
    const QString trimmed = TrimSpaces(text);
    if (trimmed.isEmpty()) return false;
    const QFileInfo info(trimmed);
    return info.exists() && info.isDir();
}

bool IsLinkTarget(const QString& text)
{
    return FolderExists(text) || IsURL(text) || FileExists(text);
}

bool OpenWithShell(const QString& target)
{
    if (target.isEmpty()) return false;
    if (Opener()) return Opener()(target);
    return OpenWithDesktop(target);
}

void SetShellOpenerForTesting(ShellOpener opener)
{
    Opener() = std::move(opener);
}

}  // namespace LinkRules

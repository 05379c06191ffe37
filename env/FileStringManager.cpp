#include "env/FileStringManager.h"

#include "env/Ansi.h"

#include <QStringList>

bool HasDoubleByteChars(const QString& text)
{
    return AnsiLength(text) != text.size();
}

bool IsURL(const QString& text)
{
    if (HasDoubleByteChars(text))
        return false;
    static const QStringList schemes{QStringLiteral("file:"), QStringLiteral("mailto:"),
                                     QStringLiteral("ftp:"), QStringLiteral("https:"),
                                     QStringLiteral("http:")};
    for (const QString& scheme : schemes) {
        if (text.startsWith(scheme, Qt::CaseSensitive))
            return true;
    }
    return false;
}

#include "env/StringManager.h"

bool IsEmptyString(const QString& text)
{
    return text.isEmpty();
}

void RemoveTrailing(QString& text, QChar marker)
{
    while (!text.isEmpty() && text.back() == marker)
        text.chop(1);
}

void DropThroughFirst(QString& text, QChar marker)
{
    const qsizetype at = text.indexOf(marker);
    if (at >= 0)
        text.remove(0, at + 1);
}

void KeepBeforeLast(QString& text, QChar marker)
{
    const qsizetype at = text.lastIndexOf(marker);
    if (at >= 0)
        text.truncate(at);
}

void KeepBeforeFirst(QString& text, QChar marker)
{
    const qsizetype at = text.indexOf(marker);
    if (at >= 0)
        text.truncate(at);
}

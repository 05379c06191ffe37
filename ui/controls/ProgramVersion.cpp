#include "ui/controls/ProgramVersion.h"

QString WebsiteAddress()
{
    return QStringLiteral(QUILLMERE_WEBSITE).trimmed();
}

#include "app/Defines.h"

#include "env/Folders.h"

#include <QImage>

#include <limits>
#include <stdexcept>

// The pictures are compiled into a static library; without a reference the
// linker leaves their object file out and every window would lack its icon.
static void EnsureProgramResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)registered;
}

void Increment(qint32& value)
{
    if (value == std::numeric_limits<qint32>::max())
        throw std::overflow_error("Increment: 32-bit overflow");
    ++value;
}

void Decrement(qint32& value)
{
    if (value == std::numeric_limits<qint32>::min())
        throw std::overflow_error("Decrement: 32-bit overflow");
    --value;
}

QString WebsiteAddress()
{
    return QStringLiteral(QUILLMERE_WEBSITE).trimmed();
}

QPixmap LoadProgramIcon()
{
    EnsureProgramResources();
    return QPixmap(QStringLiteral(":/quillmere.png"));
}

QIcon ProgramWindowIcon()
{
    EnsureProgramResources();
    QIcon icon(QStringLiteral(":/quillmere.ico"));
    if (icon.isNull())
        icon = QIcon(LoadProgramIcon());
    return icon;
}

QPixmap LoadIconFolderPicture(const QString& fileName)
{
    // Through QImage so that a broken file gives a null picture rather than a warning storm.
    QImage image(IconFolderPath() + fileName);
    if (image.isNull())
        return {};
    return QPixmap::fromImage(image);
}

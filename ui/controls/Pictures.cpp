#include "ui/controls/Pictures.h"

#include "env/Folders.h"

#include <QImage>

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

QIcon IconFolderIcon(const QString& fileName)
{
    const QPixmap picture = LoadIconFolderPicture(fileName);
    return picture.isNull() ? QIcon() : QIcon(picture);
}

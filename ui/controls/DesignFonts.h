#pragma once
// The windows were designed with Windows' Japanese faces ("MS UI Gothic" and its
// kin), which Linux does not have. Every window and both programs ask for those
// names through this one table, so the settings file keeps the Windows names and
// each window shows the same installed Japanese face.
#include <QFont>
#include <QString>

namespace DesignFonts {

// The face of every window design.
inline const QString DesignFaceName = QStringLiteral("MS UI Gothic");

// Registers the installed stand-ins for the design faces; idempotent.
void InstallSubstitutions();
// The design face at the given size, with the stand-ins registered.
QFont DesignFont(qreal pointSize);
// The design face at the size of every window design and of the program's boxes.
QFont WindowFont();
// The installed face that stands in for a design face ("IPAPGothic" for
// "MS UI Gothic"); any other family, and a design face that is installed, as it is.
QString FaceInUse(const QString& family);

} // namespace DesignFonts

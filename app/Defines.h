#pragma once
// Small helpers shared by the program's windows: checked counters, the
// program's version and icon, and the pictures of the icon folder.
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QtGlobal>

inline constexpr int kMajorVersion = 1;
inline constexpr int kMinorVersion = 3;
// The release date shown beside the version.
inline constexpr char kReleaseDate[] = "2001/10/13";
// The distributor's page opened from the help menu, as the build configured it;
// empty when none was.
QString WebsiteAddress();

// Add or subtract one; std::overflow_error instead of wrapping at the limits.
void Increment(qint32& value);
void Decrement(qint32& value);

// The program icon (32 x 32), compiled into the program.
QPixmap LoadProgramIcon();
// The same with every size it comes in, for window icons.
QIcon ProgramWindowIcon();

// A picture of the icon folder (IconFolderPath() + fileName); a null pixmap
// when the file is missing or unreadable.
QPixmap LoadIconFolderPicture(const QString& fileName);

#pragma once
// The pictures windows show: the program icon compiled into the program, and
// the pictures of the program's icon folder.
#include <QIcon>
#include <QPixmap>
#include <QString>

// The program icon (32 x 32), compiled into the program.
QPixmap LoadProgramIcon();
// The same with every size it comes in, for window icons.
QIcon ProgramWindowIcon();

// A picture of the icon folder (IconFolderPath() + fileName); a null pixmap
// when the file is missing or unreadable.
QPixmap LoadIconFolderPicture(const QString& fileName);
// The same as an icon for a button; a null icon when the picture is missing.
QIcon IconFolderIcon(const QString& fileName);

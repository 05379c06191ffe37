#pragma once
// Every section and key of the settings file the program reads or writes, with
// the default a missing entry takes, so the file's layout is read in one place.
#include "env/Folders.h"

#include <QString>

namespace SettingKeys {

// The program: whether it last ended iconized (default false).
inline const QString ProgramSection = ApplicationTitle();
inline const QString Iconize = QStringLiteral("Iconize");
inline constexpr bool IconizeDefault = false;

// A window's placement, in the section named after the window ("frmMain",
// "frmIcon", "frmLogList"); missing entries keep the design placement, and
// Topmost defaults to false. Width and Height only for sizable windows.
inline const QString Left = QStringLiteral("Left");
inline const QString Top = QStringLiteral("Top");
inline const QString Width = QStringLiteral("Width");
inline const QString Height = QStringLiteral("Height");
inline const QString Topmost = QStringLiteral("Topmost");
inline constexpr bool TopmostDefault = false;

// A font, in the section "<name>.Font"; missing entries keep the design font.
inline const QString FontSectionSuffix = QStringLiteral(".Font");
inline const QString FontName = QStringLiteral("Name");
inline const QString FontSize = QStringLiteral("Size");
// The input area's font is stored under this name ("Edit/View.Font").
inline const QString InputAreaFontName = QStringLiteral("Edit/View");

// The record list window's last search: the index of the begin date (default 0,
// the oldest) and the category text (default empty).
inline const QString LogListSection = QStringLiteral("LogList");
inline const QString LogDateBegin = QStringLiteral("LogDateBegin");
inline constexpr int LogDateBeginDefault = 0;
inline const QString Category = QStringLiteral("Category");

} // namespace SettingKeys

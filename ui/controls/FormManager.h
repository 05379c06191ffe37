#pragma once
// Window geometry and fonts kept across runs in the settings file, and the few
// window operations the windows share. Lives with the controls because it
// needs Qt Widgets, which the environment library must not.
//
// A window's settings section is its objectName() ("frmMain", "frmIcon",
// "frmLogList"). Placements are the outer frame's position and size in screen
// pixels, written as single-precision decimal text.
//
// Sizable: a window is sizable unless it carries the dynamic property
// "sizable" set to false, or its size is fixed (minimum size equal to maximum
// size, as setFixedSize makes it, or Qt::MSWindowsFixedSizeDialogHint). A
// property "sizable" set to true makes a window count as sizable in any case.
// Only sizable windows restore and store "Width" and "Height".
#include "ui/controls/SettingConversionError.h"

#include <QString>

#include <optional>

class QFont;
class QWidget;

bool IsSizable(const QWidget* window);

bool IsTopmost(const QWidget* window);
// Changes only the stacking: a shown window stays shown where it is.
void SetTopmost(QWidget* window, bool topmost);

// Applies "Left", "Top", then (sizable windows) "Width" and "Height", then
// "Topmost"; missing keys centre the window on the primary screen at its
// current size and leave it not topmost. A position far outside the desktop
// counts as missing, a size is at most the desktop's, and a window that would
// lie on no screen is moved onto the nearest; one partly on a screen stays as
// stored. A value that does not convert stops there and is returned, the values
// before it staying applied; nothing is returned when every value converted.
std::optional<SettingConversionError> RestoreWindowPlacement(const QString& settingsFile,
                                                             QWidget* window);
// Stores the same keys; does nothing while the window is minimized, maximized
// or full screen, so the last normal placement is kept.
void SaveWindowPlacement(const QString& settingsFile, QWidget* window);

// Section name + ".Font", keys "Name" and "Size" (points, up to four decimals).
// A size that is no number is returned after the face name was applied; one
// outside 1 to 500 points keeps the design size.
std::optional<SettingConversionError> LoadWindowFont(const QString& settingsFile,
                                                     const QString& name, QFont& font);
void SaveWindowFont(const QString& settingsFile, const QString& name, const QFont& font);

// Closes every top-level window of the program (owned windows before their
// owners), so each runs its close handling and saves its placement. A window
// that refuses to close stays open.
void UnloadAllWindows();

#pragma once
// Where the program keeps everything: the per-user data folder beside the
// program, the icon folder and the settings file.
#include <QString>

inline constexpr char kApplicationTitle[] = "Quillmere";
inline QString ApplicationTitle()
{
    return QString::fromLatin1(kApplicationTitle);
}

// Sets the paths from the executable's folder and creates the data folder
// (mode 0700) if it is missing. Needs a QCoreApplication.
void PrepareFolders();
// The same for a given program folder. Only tests call this.
void PrepareFoldersIn(const QString& programFolder);

// The program folder, without a final "/".
const QString& ProgramFolderPath();
// Program folder + "/" + user name + "/".
const QString& DataFolderPath();
// Program folder + "/icons/".
const QString& IconFolderPath();
// DataFolderPath + "Quillmere.ini".
const QString& SettingsFilePath();

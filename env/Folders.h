#pragma once
// Where the program keeps everything: the per-user data folder beside the
// program, the icon folder and the settings file.
#include <QString>

inline constexpr char kApplicationTitle[] = "Quillmere";
inline QString ApplicationTitle()
{
    return QString::fromLatin1(kApplicationTitle);
}
// The settings file's name, "Quillmere.ini", in each data folder (and, in the
// old layout that update converts, beside the program).
inline QString SettingsFileName()
{
    return ApplicationTitle() + QStringLiteral(".ini");
}
// The name of the program folder's picture folder, which is no data folder.
inline QString IconFolderName()
{
    return QStringLiteral("icons");
}

// Sets the paths from the executable's folder and makes the data folder
// private: created with mode 0700 if it is missing, made 0700 if it is open to
// group or others. False, with nothing created or changed, when the data
// folder belongs to another user and must not be used. Needs a QCoreApplication.
bool PrepareFolders();
// The same for a given program folder. Only tests call this.
bool PrepareFoldersIn(const QString& programFolder);

// The program folder, without a final "/".
const QString& ProgramFolderPath();
// Program folder + "/" + user name + "/".
const QString& DataFolderPath();
// Program folder + "/icons/".
const QString& IconFolderPath();
// DataFolderPath + "Quillmere.ini".
const QString& SettingsFilePath();

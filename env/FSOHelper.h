#pragma once
// The file operations every part of the program uses. Text files are read and
// written whole, in the form of EncodeTextFile, and written atomically.
#include <QByteArray>
#include <QList>
#include <QString>

#include <filesystem>
#include <optional>

struct FileEntry {
    QString Name; // the file or folder name alone, as text
    QString Path; // the full path as text, the entry's key
    // The path as the file system's bytes. A name that is not valid in the
    // locale's encoding (a Shift_JIS folder copied from Windows) has no exact
    // text form, so every further system call on the entry goes through this.
    std::filesystem::path Native;
};

// A path's bytes for system calls.
std::filesystem::path NativePath(const QString& path);
// A name or path of the file system as text: UTF-8 when it is, otherwise read
// as code page 932, the names the Windows program made; for messages and keys.
QString PathText(const std::string& native);

// The service's span of life: from start-up to shutdown.
void CreateFileSystem();
void ReleaseFileSystem();
bool FileSystemCreated();

// True when a file (not a folder) exists at the path exactly as given.
bool FileExists(const QString& path);
bool FileExists(const std::filesystem::path& path);
// True when a folder exists at the path with blanks around it trimmed.
bool FolderExists(const QString& path);
// Creates the last level of the folder if missing; a failure is ignored.
// An exact mode (e.g. 0700) is applied whatever the umask; -1 leaves it to the umask.
void EnsureFolder(const QString& path, int exactMode = -1);

// The whole content of a regular file (links followed); false, with a reason in
// *error, on any failure. Anything else (a FIFO, a device, a folder) is refused
// without waiting on it or reading from it. With createIfMissing a missing file
// is created empty.
bool ReadRegularFile(const QString& path, QByteArray& bytes, QString* error = nullptr,
                     bool createIfMissing = false);
// The same for a name given as the file system's bytes.
bool ReadRegularFile(const std::filesystem::path& path, QByteArray& bytes,
                     QString* error = nullptr);
// The whole content, or empty text on any failure (see ReadRegularFile). No line-end conversion.
// With createIfMissing a missing file is created empty.
QString ReadTextFile(const QString& path, bool createIfMissing);
// Replaces the content with the text exactly as given; false when the file was
// not written (missing without createIfMissing, read-only, no space...).
bool WriteTextFile(const QString& path, const QString& text, bool createIfMissing);

// Every folder below the folder, depth first, each before its own subfolders;
// names in ascending order at each level. Folder links are not followed. A
// folder that cannot be read is skipped, and its path added to *unreadable.
void CollectSubFolders(QList<FileEntry>& target, const FileEntry& folder,
                       QStringList* unreadable = nullptr);
void CollectSubFolders(QList<FileEntry>& target, const QString& folder,
                       QStringList* unreadable = nullptr);
// The folders directly in the folder, by name; links are not followed.
void CollectChildFolders(QList<FileEntry>& target, const FileEntry& folder,
                         QStringList* unreadable = nullptr);
// The files directly in the folder whose names match the wildcard pattern.
void CollectMatchingFiles(QList<FileEntry>& target, const FileEntry& folder, const QString& pattern,
                          QStringList* unreadable = nullptr);
// The matching files of every folder below the root (not the root's own files).
// Nothing when the root is no folder; folders below it that cannot be read are
// skipped and named in *unreadable.
std::optional<QList<FileEntry>> FindFiles(const QString& root, const QString& pattern,
                                          QStringList* unreadable = nullptr);

// Whole-name match: "*" any run of characters, "?" exactly one; case-sensitive.
bool MatchesWildcard(const QString& name, const QString& pattern);

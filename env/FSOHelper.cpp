#include "env/FSOHelper.h"

#include "env/Ansi.h"
#include "env/AtomicFile.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool created = false;

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

void NoteUnreadable(QStringList* unreadable, const FileEntry& folder)
{
    if (unreadable && !unreadable->contains(folder.Path))
        unreadable->append(folder.Path);
}

QString TrimBlanks(const QString& path)
{
    qsizetype begin = 0;
    qsizetype end = path.size();
    while (begin < end && path[begin] == u' ')
        ++begin;
    while (end > begin && path[end - 1] == u' ')
        --end;
    return path.mid(begin, end - begin);
}

QString Join(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

enum class EntryKind { Folder, File };

// The entries of one folder of the given kind, by name; nullopt when the folder
// cannot be read. Links to folders are not followed, so a link cycle cannot
// make the walk endless. Names stay the file system's bytes.
std::optional<QList<FileEntry>> ListFolder(const FileEntry& folder, EntryKind kind)
{
    DIR* dir = ::opendir(folder.Native.c_str());
    if (!dir)
        return std::nullopt;
    QList<FileEntry> entries;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        bool wanted = false;
        if (kind == EntryKind::Folder) {
            wanted = S_ISDIR(st.st_mode);
        } else if (S_ISREG(st.st_mode)) {
            wanted = true;
        } else if (S_ISLNK(st.st_mode)) {
            struct stat linked {};
            wanted =
                ::fstatat(::dirfd(dir), entry->d_name, &linked, 0) == 0 && S_ISREG(linked.st_mode);
        }
        if (wanted) {
            const QString name = PathText(entry->d_name);
            entries.append(FileEntry{name, Join(folder.Path, name), folder.Native / entry->d_name});
        }
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(),
              [](const FileEntry& a, const FileEntry& b) { return a.Native < b.Native; });
    return entries;
}

FileEntry FolderEntry(const QString& folder)
{
    return FileEntry{folder, folder, NativePath(folder)};
}

} // namespace

void CreateFileSystem()
{
    created = true;
}

void ReleaseFileSystem()
{
    created = false;
}

bool FileSystemCreated()
{
    return created;
}

bool FileExists(const QString& path)
{
    struct stat st {};
    return !path.isEmpty() && ::stat(Native(path).constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool FileExists(const std::filesystem::path& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool FolderExists(const QString& path)
{
    const QString trimmed = TrimBlanks(path);
    struct stat st {};
    return !trimmed.isEmpty() && ::stat(Native(trimmed).constData(), &st) == 0 &&
           S_ISDIR(st.st_mode);
}

void EnsureFolder(const QString& path, int exactMode)
{
    if (FolderExists(path))
        return;
    QString folder = path;
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    const QByteArray native = Native(folder);
    const mode_t mode = exactMode < 0 ? 0777 : static_cast<mode_t>(exactMode);
    if (::mkdir(native.constData(), mode) == 0 && exactMode >= 0)
        ::chmod(native.constData(), mode);
}

static bool ReadRegularNative(const QByteArray& native, QByteArray& bytes, QString* error,
                              bool createIfMissing)
{
    bytes.clear();
    // Without O_NONBLOCK opening a FIFO waits for a writer that may never come;
    // the flag is harmless for a regular file, whose reads never block.
    int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT && createIfMissing) {
        fd = ::open(native.constData(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0)
            ::fchmod(fd, 0600);
    }
    const auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        if (fd >= 0)
            ::close(fd);
        return false;
    };
    if (fd < 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    // Checked on the open descriptor, so a link to a device or a FIFO is caught
    // and nothing can be swapped in between the check and the reads.
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISREG(st.st_mode))
        return fail(QStringLiteral("not a regular file"));
    bytes.reserve(static_cast<qsizetype>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            bytes.clear();
            return fail(QString::fromLocal8Bit(std::strerror(errno)));
        }
        if (n == 0)
            break;
        bytes.append(buffer, n);
    }
    ::close(fd);
    return true;
}

bool ReadRegularFile(const QString& path, QByteArray& bytes, QString* error, bool createIfMissing)
{
    return ReadRegularNative(Native(path), bytes, error, createIfMissing);
}

bool ReadRegularFile(const std::filesystem::path& path, QByteArray& bytes, QString* error)
{
    return ReadRegularNative(QByteArray::fromStdString(path.native()), bytes, error, false);
}

QString ReadTextFile(const QString& path, bool createIfMissing)
{
    QByteArray bytes;
    if (!ReadRegularFile(path, bytes, nullptr, createIfMissing))
        return {};
    return DecodeTextFile(bytes);
}

bool WriteTextFile(const QString& path, const QString& text, bool createIfMissing)
{
    if (!createIfMissing && !FileExists(path))
        return false;
    return WriteFileAtomically(path, EncodeTextFile(text));
}

std::filesystem::path NativePath(const QString& path)
{
    return std::filesystem::path(Native(path).toStdString());
}

QString PathText(const std::string& native)
{
    const QByteArray bytes = QByteArray::fromStdString(native);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? DecodeAnsi(bytes) : text;
}

void CollectSubFolders(QList<FileEntry>& target, const FileEntry& folder, QStringList* unreadable)
{
    const auto entries = ListFolder(folder, EntryKind::Folder);
    if (!entries) {
        NoteUnreadable(unreadable, folder);
        return;
    }
    for (const FileEntry& entry : *entries) {
        target.append(entry);
        CollectSubFolders(target, entry, unreadable);
    }
}

void CollectSubFolders(QList<FileEntry>& target, const QString& folder, QStringList* unreadable)
{
    CollectSubFolders(target, FolderEntry(folder), unreadable);
}

void CollectChildFolders(QList<FileEntry>& target, const FileEntry& folder, QStringList* unreadable)
{
    if (const auto entries = ListFolder(folder, EntryKind::Folder))
        target.append(*entries);
    else
        NoteUnreadable(unreadable, folder);
}

void CollectMatchingFiles(QList<FileEntry>& target, const FileEntry& folder, const QString& pattern,
                          QStringList* unreadable)
{
    const auto entries = ListFolder(folder, EntryKind::File);
    if (!entries) {
        NoteUnreadable(unreadable, folder);
        return;
    }
    for (const FileEntry& entry : *entries) {
        if (MatchesWildcard(entry.Name, pattern))
            target.append(entry);
    }
}

std::optional<QList<FileEntry>> FindFiles(const QString& root, const QString& pattern,
                                          QStringList* unreadable)
{
    if (!FolderExists(root))
        return std::nullopt;
    QList<FileEntry> folders;
    CollectSubFolders(folders, FolderEntry(root), unreadable);
    QList<FileEntry> files;
    for (const FileEntry& folder : folders)
        CollectMatchingFiles(files, folder, pattern, unreadable);
    return files;
}

bool MatchesWildcard(const QString& name, const QString& pattern)
{
    // Code points, so "?" takes a character outside the BMP whole.
    const QList<uint> text = name.toUcs4();
    const QList<uint> wild = pattern.toUcs4();
    qsizetype t = 0;
    qsizetype w = 0;
    qsizetype starW = -1;
    qsizetype starT = 0;
    while (t < text.size()) {
        if (w < wild.size() && (wild[w] == '?' || (wild[w] != '*' && wild[w] == text[t]))) {
            ++t;
            ++w;
        } else if (w < wild.size() && wild[w] == '*') {
            starW = w++;
            starT = t;
        } else if (starW >= 0) {
            w = starW + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (w < wild.size() && wild[w] == '*')
        ++w;
    return w == wild.size();
}

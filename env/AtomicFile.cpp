#include "env/AtomicFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<AtomicWriteFault>& Fault()
{
    static std::optional<AtomicWriteFault> fault;
    return fault;
}

bool Fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

QString ErrnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Whether the fault says to stop now; for Exit the process ends here.
bool FaultStops(const AtomicWriteFault& fault)
{
    if (fault.action == AtomicWriteFault::Action::Exit)
        ::_exit(3);
    return true;
}

// Leftover temporary files of this target from a writer that was killed.
void RemoveLeftovers(const QByteArray& folder, const QByteArray& prefix, const QByteArray& keep)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.startsWith(prefix) && name != keep)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace

void RemoveAtomicLeftovers(const QString& path)
{
    const QFileInfo info(path);
    RemoveLeftovers(QFile::encodeName(info.absolutePath()),
                    QFile::encodeName(info.fileName()) + kAtomicTempMarker, QByteArray());
}

void RemoveAtomicLeftovers(const std::filesystem::path& path)
{
    RemoveLeftovers(QByteArray::fromStdString(path.parent_path().native()),
                    QByteArray::fromStdString(path.filename().native()) + kAtomicTempMarker,
                    QByteArray());
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error,
                         NewFileMode newFileMode)
{
    return WriteFileAtomically(std::filesystem::path(QFile::encodeName(path).toStdString()), bytes,
                               error, newFileMode);
}

bool WriteFileAtomically(const std::filesystem::path& path, const QByteArray& bytes, QString* error,
                         NewFileMode newFileMode)
{
    // Write through a link to the file it names, as an editor would.
    std::error_code failed;
    std::filesystem::path target = std::filesystem::absolute(path, failed);
    if (failed)
        target = path;
    if (std::filesystem::is_symlink(target, failed)) {
        const std::filesystem::path resolved = std::filesystem::canonical(target, failed);
        if (!failed)
            target = resolved;
    }
    const QByteArray targetBytes = QByteArray::fromStdString(target.native());
    // For messages only.
    const QString targetText = QFile::decodeName(targetBytes);

    // A file of the data folder is private whatever the old file allowed: the
    // folder is beside those of other users. A shared file follows the umask.
    mode_t mode = 0600;
    if (newFileMode == NewFileMode::Shared) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    struct stat old {};
    if (::stat(targetBytes.constData(), &old) == 0) {
        if (!S_ISREG(old.st_mode))
            return Fail(error, QStringLiteral("not a regular file: %1").arg(targetText));
        // Root may write anything, so the permission bits themselves decide
        // whether the file is read-only.
        if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
            ::access(targetBytes.constData(), W_OK) != 0)
            return Fail(error, QStringLiteral("the file is read-only: %1").arg(targetText));
    } else if (errno != ENOENT) {
        return Fail(error, ErrnoText());
    }

    const QByteArray folder = QByteArray::fromStdString(target.parent_path().native());
    const QByteArray prefix =
        QByteArray::fromStdString(target.filename().native()) + kAtomicTempMarker;
    QByteArray temp = folder + '/' + prefix + "XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return Fail(error, ErrnoText());
    const QByteArray tempName = temp.mid(folder.size() + 1);

    auto abandon = [&](const QString& text, bool cleanUp) {
        const int saved = errno;
        ::close(fd);
        if (cleanUp)
            ::unlink(temp.constData());
        errno = saved;
        return Fail(error, text);
    };

    if (::fchmod(fd, mode) != 0)
        return abandon(ErrnoText(), true);

    const std::optional<AtomicWriteFault> fault = Fault();
    qint64 written = 0;
    const qint64 total = bytes.size();
    while (written < total) {
        qint64 chunk = total - written;
        if (fault && !fault->afterRename) {
            if (written >= fault->afterBytes && FaultStops(*fault)) {
                const bool cleanUp = fault->action == AtomicWriteFault::Action::Fail;
                errno = ENOSPC;
                return abandon(QStringLiteral("write stopped by the test fault"), cleanUp);
            }
            chunk = std::min(chunk, fault->afterBytes - written);
        }
        const ssize_t n = ::write(fd, bytes.constData() + written, static_cast<size_t>(chunk));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return abandon(ErrnoText(), true);
        }
        written += n;
    }
    if (fault && !fault->afterRename && written >= fault->afterBytes && FaultStops(*fault)) {
        const bool cleanUp = fault->action == AtomicWriteFault::Action::Fail;
        return abandon(QStringLiteral("write stopped by the test fault"), cleanUp);
    }
    if (::fsync(fd) != 0)
        return abandon(ErrnoText(), true);
    if (::close(fd) != 0) {
        ::unlink(temp.constData());
        return Fail(error, ErrnoText());
    }
    if (::rename(temp.constData(), targetBytes.constData()) != 0) {
        const QString text = ErrnoText();
        ::unlink(temp.constData());
        return Fail(error, text);
    }
    if (fault && fault->afterRename && FaultStops(*fault)) {
        // The new file is in place; only the folder flush is missing.
        return Fail(error, QStringLiteral("stopped after the rename by the test fault"));
    }
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    RemoveLeftovers(folder, prefix, tempName);
    return true;
}

void SetAtomicWriteFaultForTesting(std::optional<AtomicWriteFault> fault)
{
    Fault() = fault;
}

PreviousVersion::PreviousVersion(const QString& path, const QString& backupPath)
    : backup_(QFile::encodeName(backupPath))
{
    // Second names left by a writer that was killed before Keep().
    RemoveAtomicLeftovers(backupPath);
    const QByteArray file = QFile::encodeName(path);
    struct stat present {};
    if (::stat(file.constData(), &present) != 0 || !S_ISREG(present.st_mode))
        return;
    present_ = true;
    QByteArray name = backup_ + kAtomicTempMarker + "XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd >= 0) {
        ::close(fd);
        ::unlink(name.constData());
        if (::link(file.constData(), name.constData()) == 0) {
            link_ = name;
            mode_ = present.st_mode & 0700;
            return;
        }
    }
    QFile old(path);
    if (old.open(QIODevice::ReadOnly))
        copy_ = old.readAll();
}

PreviousVersion::~PreviousVersion()
{
    if (!link_.isEmpty())
        ::unlink(link_.constData());
}

bool PreviousVersion::Keep()
{
    if (!link_.isEmpty()) {
        // Only now is the old file the backup alone, so its mode may change:
        // like every data file it is the user's alone.
        ::chmod(link_.constData(), mode_);
        if (::rename(link_.constData(), backup_.constData()) != 0)
            return false;
        link_.clear();
        const QByteArray folder =
            QFile::encodeName(QFileInfo(QFile::decodeName(backup_)).absolutePath());
        const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dirFd >= 0) {
            ::fsync(dirFd);
            ::close(dirFd);
        }
        return true;
    }
    if (copy_)
        return WriteFileAtomically(QFile::decodeName(backup_), *copy_);
    return !present_;
}

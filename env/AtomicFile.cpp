#include "env/AtomicFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

#ifdef QUILLMERE_FAULT_INJECTION
std::optional<AtomicWriteFault>& InjectedFault()
{
    static std::optional<AtomicWriteFault> fault;
    return fault;
}

std::optional<AtomicWriteFault> Fault()
{
    return InjectedFault();
}

// Whether the fault says to stop now; for Exit the process ends here.
bool FaultStops(const AtomicWriteFault& fault)
{
    if (fault.action == AtomicWriteFault::Action::Exit)
        ::_exit(3);
    return true;
}
#else
// The programs never stop a write on purpose; the checks below fold away.
constexpr std::optional<AtomicWriteFault> Fault()
{
    return std::nullopt;
}

constexpr bool FaultStops(const AtomicWriteFault&)
{
    return true;
}
#endif

QString ErrnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Leftover temporary files of these targets (names starting with a prefix)
// from a writer that was killed.
void RemoveLeftovers(const QByteArray& folder, const QList<QByteArray>& prefixes,
                     const QByteArray& keep)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        const auto leftover = [&](const QByteArray& prefix) { return name.startsWith(prefix); };
        if (name != keep && std::any_of(prefixes.begin(), prefixes.end(), leftover))
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace

void RemoveAtomicLeftovers(const QString& path)
{
    const QFileInfo info(path);
    RemoveLeftovers(QFile::encodeName(info.absolutePath()),
                    {QFile::encodeName(info.fileName()) + kAtomicTempMarker}, QByteArray());
}

void RemoveAtomicLeftovers(const std::filesystem::path& folder, const QList<QByteArray>& names)
{
    QList<QByteArray> prefixes;
    prefixes.reserve(names.size());
    for (const QByteArray& name : names)
        prefixes.append(name + kAtomicTempMarker);
    RemoveLeftovers(QByteArray::fromStdString(folder.native()), prefixes, QByteArray());
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
    AtomicFileWriter writer(path, newFileMode);
    writer.Write(bytes.constData(), bytes.size());
    return writer.Commit(error); // tells a failed write too
}

AtomicFileWriter::AtomicFileWriter(const QString& path, NewFileMode newFileMode)
    : AtomicFileWriter(std::filesystem::path(QFile::encodeName(path).toStdString()), newFileMode)
{
}

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& path, NewFileMode newFileMode)
    : fault_(Fault())
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
    target_ = QByteArray::fromStdString(target.native());
    // For messages only.
    const QString targetText = QFile::decodeName(target_);

    // A file of the data folder is private whatever the old file allowed: the
    // folder is beside those of other users. A shared file follows the umask.
    mode_t mode = 0600;
    if (newFileMode == NewFileMode::Shared) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    struct stat old {};
    if (::stat(target_.constData(), &old) == 0) {
        if (!S_ISREG(old.st_mode)) {
            error_ = QStringLiteral("not a regular file: %1").arg(targetText);
            return;
        }
        // Root may write anything, so the permission bits themselves decide
        // whether the file is read-only.
        if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
            ::access(target_.constData(), W_OK) != 0) {
            error_ = QStringLiteral("the file is read-only: %1").arg(targetText);
            return;
        }
    } else if (errno != ENOENT) {
        error_ = ErrnoText();
        return;
    }

    folder_ = QByteArray::fromStdString(target.parent_path().native());
    prefix_ = QByteArray::fromStdString(target.filename().native()) + kAtomicTempMarker;
    QByteArray temp = folder_ + '/' + prefix_ + "XXXXXX";
    fd_ = ::mkstemp(temp.data());
    if (fd_ < 0) {
        error_ = ErrnoText();
        return;
    }
    temp_ = temp;
    if (::fchmod(fd_, mode) != 0)
        Abandon(ErrnoText(), true);
}

AtomicFileWriter::~AtomicFileWriter()
{
    if (fd_ >= 0)
        Abandon(QString(), true);
}

bool AtomicFileWriter::Abandon(const QString& text, bool cleanUp)
{
    const int saved = errno;
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (cleanUp && !temp_.isEmpty())
        ::unlink(temp_.constData());
    temp_.clear();
    errno = saved;
    if (error_.isEmpty())
        error_ = text;
    return false;
}

bool AtomicFileWriter::FaultReached()
{
    if (!fault_ || fault_->afterRename || written_ < fault_->afterBytes || !FaultStops(*fault_))
        return false;
    errno = ENOSPC;
    const bool cleanUp = fault_->action == AtomicWriteFault::Action::Fail;
    if (!cleanUp)
        temp_.clear(); // a killed writer leaves its temporary file behind
    Abandon(QStringLiteral("write stopped by the test fault"), cleanUp);
    return true;
}

bool AtomicFileWriter::Write(const char* data, qint64 size)
{
    qint64 done = 0;
    while (fd_ >= 0 && done < size) {
        qint64 chunk = size - done;
        if (fault_ && !fault_->afterRename) {
            if (FaultReached())
                return false;
            chunk = std::min(chunk, fault_->afterBytes - written_);
        }
        const ssize_t n = ::write(fd_, data + done, static_cast<size_t>(chunk));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Abandon(ErrnoText(), true);
        }
        done += n;
        written_ += n;
    }
    return fd_ >= 0;
}

bool AtomicFileWriter::Commit(QString* error)
{
    const auto fail = [&] {
        if (error)
            *error = error_;
        return false;
    };
    if (fd_ < 0 || FaultReached())
        return fail();
    if (::fsync(fd_) != 0) {
        Abandon(ErrnoText(), true);
        return fail();
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        Abandon(ErrnoText(), true);
        return fail();
    }
    if (::rename(temp_.constData(), target_.constData()) != 0) {
        Abandon(ErrnoText(), true);
        return fail();
    }
    const QByteArray tempName = temp_.mid(folder_.size() + 1);
    temp_.clear();
    if (fault_ && fault_->afterRename && FaultStops(*fault_)) {
        // The new file is in place; only the folder flush is missing.
        error_ = QStringLiteral("stopped after the rename by the test fault");
        return fail();
    }
    const int dirFd = ::open(folder_.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    RemoveLeftovers(folder_, {prefix_}, tempName);
    return true;
}

#ifdef QUILLMERE_FAULT_INJECTION
void SetAtomicWriteFaultForTesting(std::optional<AtomicWriteFault> fault)
{
    InjectedFault() = fault;
}
#endif

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

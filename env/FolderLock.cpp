#include "env/FolderLock.h"

#include "env/Folders.h"
#include "env/System.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr char kLockFileName[] = ".quillmere.lock";
}

FolderLock::~FolderLock()
{
    Release();
}

QString FolderLock::PathIn(const QString& folder)
{
    QString path = folder;
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path + u'/' + QLatin1String(kLockFileName);
}

FolderLock::Result FolderLock::TryLock(const QString& folder)
{
    return TryLockFile(PathIn(folder));
}

QString FolderLock::SingleCopyPath(const QString& program, const QString& programFolder)
{
    const QString folder = QDir::cleanPath(programFolder);
    if (program == ApplicationTitle())
        return PathIn(folder + u'/' + CurrentUserName());
    // Qt gives no runtime folder when the one it finds belongs to someone else.
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty()) {
        base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
               QStringLiteral("/quillmere");
        QDir().mkpath(base);
        QFile::setPermissions(base, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ExeOwner);
    }
    const QByteArray hash =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return base + QStringLiteral("/quillmere-") + program + u'-' + QString::fromLatin1(hash) +
           QStringLiteral(".lock");
}

FolderLock::Result FolderLock::TryLock(const std::filesystem::path& folder)
{
    return LockFile((folder / kLockFileName).c_str());
}

FolderLock::Result FolderLock::TryLockFile(const QString& lockFile)
{
    return LockFile(QFile::encodeName(lockFile).constData());
}

FolderLock::Result FolderLock::LockFile(const char* path)
{
    Release();
    // Never through a link: the lock must be the folder's own file.
    int fd = ::open(path, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(path, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return Result::Unlockable;
    // flock, not fcntl: a lock belongs to its open file, so a second hold in
    // the same process is refused too, and closing another descriptor of the
    // file does not drop it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Result::InUse : Result::Unlockable;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_uid == ::geteuid() && (info.st_mode & 077) != 0)
        ::fchmod(fd, 0600);
    fd_ = fd;
    return Result::Taken;
}

void FolderLock::Release()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

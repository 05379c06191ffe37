#include "env/FolderLock.h"

#include <QFile>

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
    return LockFile(QFile::encodeName(PathIn(folder)).constData());
}

FolderLock::Result FolderLock::TryLock(const std::filesystem::path& folder)
{
    return LockFile((folder / kLockFileName).c_str());
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

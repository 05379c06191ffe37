#pragma once
// An exclusive hold on a data folder, so that one program at a time works on
// it. The operating system lets go of it when the process ends in any way
// (flock on a file inside the folder), so a killed copy never keeps the next
// one away, and it is reachable only by those who may enter the folder.
#include <QString>

#include <filesystem>

class FolderLock {
public:
    enum class Result {
        Taken,     // held until release or destruction
        InUse,     // another holder has it
        Unlockable // the folder cannot hold a lock file (missing, not enterable)
    };

    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // folder: the data folder, with or without a final "/".
    Result TryLock(const QString& folder);
    // The same for a folder named by the file system's bytes.
    Result TryLock(const std::filesystem::path& folder);
    void Release();
    bool IsHeld() const { return fd_ >= 0; }

    // The lock file of a folder.
    static QString PathIn(const QString& folder);

private:
    Result LockFile(const char* path);

    int fd_ = -1;
};

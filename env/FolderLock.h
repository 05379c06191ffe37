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
    // The hold of a lock file named outright.
    Result TryLockFile(const QString& lockFile);
    void Release();
    bool IsHeld() const { return fd_ >= 0; }

    // The lock file of a folder.
    static QString PathIn(const QString& folder);
    // The lock file that lets one copy of a program run at a time on a program
    // folder, per user. Quillmere's is its data folder's own, so that update
    // leaves alone what a running copy works on. Another program's lies in a
    // folder of the user's own (the runtime folder, else ~/.cache/quillmere),
    // never the shared temp folder, where another user could plant it and
    // keep every copy from running; its name holds the program and a hash of
    // the program folder.
    static QString SingleCopyPath(const QString& program, const QString& programFolder);

private:
    Result LockFile(const char* path);

    int fd_ = -1;
};

#pragma once
// Replaces a file so that it is always either wholly old or wholly new: the
// bytes go to a temporary file in the same folder, which is flushed to disk
// and renamed over the target, then the folder itself is flushed.
#include <QByteArray>
#include <QList>
#include <QString>

#include <filesystem>
#include <optional>

#include <sys/types.h>

// The mode of the written file: Private is 0600 whatever the umask (the
// user's records); Shared follows the umask (a file the user passes on).
enum class NewFileMode { Private, Shared };

// False, with a reason in *error, when the file was not replaced; the old
// content is then untouched. A read-only target is never replaced, not even
// for root. A Private file gets mode 0600 even when the old one had another.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                         NewFileMode newFileMode = NewFileMode::Private);
// The same for a name given as the file system's bytes, which may have no text form.
bool WriteFileAtomically(const std::filesystem::path& path, const QByteArray& bytes,
                         QString* error = nullptr, NewFileMode newFileMode = NewFileMode::Private);

// Fault injection for tests: make the next writes stop once a number of bytes
// of the temporary file have been written. Only the tests' build of the
// library (QUILLMERE_FAULT_INJECTION) can set one.
struct AtomicWriteFault {
    enum class Action {
        Fail,    // report an error as a full disk would, and clean up
        Abandon, // stop dead as a killed process would: no clean-up, no rename
        Exit,    // end the process at once (for death tests)
    };
    qint64 afterBytes = 0;
    Action action = Action::Fail;
    // Stop after the rename but before the folder is flushed, instead of while writing.
    bool afterRename = false;
};
// The same, for content written piece by piece: nothing replaces the target
// until Commit, and a writer destroyed without it leaves no trace. After a
// failed Write the rest is ignored and Commit reports the first error.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const QString& path, NewFileMode newFileMode = NewFileMode::Private);
    explicit AtomicFileWriter(const std::filesystem::path& path,
                              NewFileMode newFileMode = NewFileMode::Private);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool Write(const char* data, qint64 size);
    bool Commit(QString* error = nullptr);

private:
    bool Abandon(const QString& text, bool cleanUp);
    bool FaultReached();

    QByteArray target_;
    QByteArray folder_;
    QByteArray prefix_;
    QByteArray temp_; // path of the temporary file while it is ours to remove
    QString error_;
    int fd_ = -1;
    qint64 written_ = 0;
    std::optional<AtomicWriteFault> fault_;
};

// Temporary files of this writer have this marker between the target's name
// and a random suffix; leftovers of a killed writer are removed by the next
// successful write of the same target.
inline constexpr char kAtomicTempMarker[] = ".quillmere-tmp-";
// Removes what interrupted writes of the target left beside it.
void RemoveAtomicLeftovers(const QString& path);
// The same for the targets of those names (the file system's bytes) in one
// folder, which is read once.
void RemoveAtomicLeftovers(const std::filesystem::path& folder, const QList<QByteArray>& names);

#ifdef QUILLMERE_FAULT_INJECTION
void SetAtomicWriteFaultForTesting(std::optional<AtomicWriteFault> fault);
#endif

// Keeps what a file holds now as its one backup generation (backupPath), for
// a writer that is about to replace it. The present file gets a second name at
// once (a hard link, or a copy in memory where the file system has no links),
// and only Keep(), called once the new file is in place, puts it at
// backupPath, so a failed write leaves the older backup as it was. The backup
// is never a half file: it is the old file itself, or written atomically.
class PreviousVersion {
public:
    PreviousVersion(const QString& path, const QString& backupPath);
    ~PreviousVersion();
    PreviousVersion(const PreviousVersion&) = delete;
    PreviousVersion& operator=(const PreviousVersion&) = delete;

    // False when there was a file and its backup could not be made.
    bool Keep();

private:
    QByteArray backup_;
    QByteArray link_; // the second name, while there is one
    std::optional<QByteArray> copy_;
    bool present_ = false;
    mode_t mode_ = 0600;
};

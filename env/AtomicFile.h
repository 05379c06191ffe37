#pragma once
// Replaces a file so that it is always either wholly old or wholly new: the
// bytes go to a temporary file in the same folder, which is flushed to disk
// and renamed over the target, then the folder itself is flushed.
#include <QByteArray>
#include <QString>

#include <optional>

// False, with a reason in *error, when the file was not replaced; the old
// content is then untouched. A read-only target is never replaced, not even
// for root. The new file always has mode 0600.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Temporary files of this writer have this marker between the target's name
// and a random suffix; leftovers of a killed writer are removed by the next
// successful write of the same target.
inline constexpr char kAtomicTempMarker[] = ".quillmere-tmp-";

// Fault injection for tests: make the next writes stop once a number of bytes
// of the temporary file have been written.
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
void SetAtomicWriteFaultForTesting(std::optional<AtomicWriteFault> fault);

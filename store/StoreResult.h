#pragma once
#include <QString>

// What a writing operation of the record book tells its caller. The store never
// shows a message itself; the window turns the error into text for the user.
struct StoreResult {
    enum class Error {
        None,
        FileUnreadable,    // the month file did not parse; it is never overwritten
        SaveFailed,        // the month file could not be written; nothing changed
        DuplicateDate,     // a record with the same stamp (to the second) exists
        NotFound,          // no record with that stamp
        NotInFile,         // the record is known, but its month file has no element for it
        ListNotSaved,      // the record is stored; the list file could not be written
        FoldersUnreadable, // folders (one per line) could not be read; lists kept whole
    };

    Error error = Error::None;
    QString detail; // the path concerned, for the window's message

    explicit operator bool() const { return error == Error::None; }
    // Whether the record is in its month file, even if something else failed.
    bool Stored() const { return error == Error::None || error == Error::ListNotSaved; }

    static StoreResult Ok() { return {}; }
    static StoreResult Fail(Error error, const QString& detail = QString())
    {
        return StoreResult{error, detail};
    }
};

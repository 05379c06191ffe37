#pragma once
// What the main window tells the user when the record book or the input-area
// file could not do what was asked.
#include "store/StoreResult.h"

#include <QString>

namespace MainMessages {

// The record book could not store the input (a new record or a rewrite).
QString FailureMessage(const StoreResult& result);
// A record could not be deleted, or only in part.
QString DeleteFailureMessage(const StoreResult& result);
// The unsent input could not be written to its file at the path.
QString InputAreaFailureMessage(const QString& path);

} // namespace MainMessages

#pragma once
// Reads the records of month files without building a document tree, several
// files at a time. Only a plain data file takes this road; anything else
// (another encoding, a document type, namespaces, any parse error) is left to
// XMLFile, which reads it the one exact way and reports what is wrong.
#include "store/Log.h"

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <vector>

struct MonthRecords {
    // False: the file was not read here; read it through XMLFile instead.
    bool read = false;
    // In document order, duplicates of a stamp included.
    std::vector<::Log> logs;
};

// Paths as the file system's bytes.
MonthRecords ReadMonthRecords(const std::filesystem::path& path);
// One result per path, in the order of the paths, read on worker threads.
// Touches nothing but the files and its own results.
std::vector<MonthRecords> ReadMonthsRecords(const std::vector<std::filesystem::path>& paths);

#pragma once
// The layout of a data folder as the Windows program wrote it: the month files
// ("YYYY/MM.diary"), their root and record elements, and the list files.
// The record book, the export and update all write by these.
#include <QString>

namespace DataFormat {

// Month files declare this encoding; the export does too.
inline const QString CharacterEncoding = QStringLiteral("Shift_JIS");
inline const QString RootElementName = QStringLiteral("diary");
// One element per record, with its attributes.
inline constexpr char LogElement[] = "log";
inline constexpr char DateAttribute[] = "date";
inline constexpr char CategoryAttribute[] = "category";
inline constexpr char HrefAttribute[] = "href";

inline const QString DataFileExtension = QStringLiteral(".diary");
inline const QString DataFilePattern = QStringLiteral("*.diary");
inline const QString LogDatesFile = QStringLiteral("logdate.list");
inline const QString CategoriesFile = QStringLiteral("category.list");
inline const QString SearchHistoryFile = QStringLiteral("string.list");

} // namespace DataFormat

#pragma once
// Fast reading of a DateTime from its fixed list text "yyyy/mm/dd hh:mm:ss"
// (and the stamp's "yyyy-mm-ddThh:mm:ss" head); DateTime::WriteText writes
// them. The lists of all records convert one entry per record on every start,
// so these avoid the general parser and any allocation per entry.
#include "env/DateTime.h"

#include <QStringView>

#include <optional>

// The length of "yyyy/mm/dd hh:mm:ss".
inline constexpr int kListTextLength = DateTime::TextLength;

// Reads 19 characters "yyyy?mm?dd?hh?mm?ss" with any separator characters.
// nullopt when a field is no number or the date-time does not exist.
std::optional<DateTime> ReadFixedDateTime(QStringView text);
std::optional<DateTime> ReadFixedDateTime(const char* text);
// The list text, or for any other layout the general parser; nullopt when the
// text is no date-time.
std::optional<DateTime> ParseListText(QStringView text);

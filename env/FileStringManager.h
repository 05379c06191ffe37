#pragma once
#include <QString>

// True when the text holds a character that does not take exactly one byte
// in code page 932 (counted as the Windows program counted: bytes of the
// converted text against UTF-16 units).
bool HasDoubleByteChars(const QString& text);
// True for text without double-byte characters that begins with "file:",
// "mailto:", "ftp:", "https:" or "http:" (case-sensitive).
bool IsURL(const QString& text);

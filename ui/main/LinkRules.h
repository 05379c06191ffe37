#pragma once
// What counts as something a link can point at, and how one is opened.
// The main window's link icon, its hyperlink menu and the link path dialog
// all decide with these, so they agree on every text.
#include <QString>
#include <functional>

namespace LinkRules {

// The text with blanks (U+0020 only) removed from both ends.
QString TrimSpaces(const QString& text);
// True when a character would take two bytes in code page 932; half-width
// katakana are single bytes there and do not count.
bool HasDoubleByteChars(const QString& text);
// One of the five schemes, compared case-sensitively, and single-byte only.
bool IsURL(const QString& text);
// An existing regular file, by the untrimmed text.
bool FileExists(const QString& text);
// An existing folder, by the text trimmed of blanks.
bool FolderExists(const QString& text);
// An existing folder, a URL or an existing file.
bool IsLinkTarget(const QString& text);

// Hands a link to the desktop. The target travels as one argument and is
// never parsed by a command shell.
bool OpenWithShell(const QString& target);

using ShellOpener = std::function<bool(const QString& target)>;
// Replaces the desktop opener (an empty function restores it).
void SetShellOpenerForTesting(ShellOpener opener);

}  // namespace LinkRules
